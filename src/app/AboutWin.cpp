#include "app/AboutWin.h"

#include "ui/BackdropWidget.h"
#include "ui/Fonts.h"
#include "ui/Resources.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {
QFont courier(int pixels, bool bold = false) { return Fonts::courier(pixels, bold); }
QFont plain(int pixels) { return Fonts::system(pixels); }
} // namespace

AboutWin::AboutWin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutWin"));
    setWindowTitle(QStringLiteral("A propos..."));
    setFixedSize(313, 331);
    auto* content = BackdropWidget::fill(*this);

    auto make = [&](const char* name, const QString& text, const QFont& font, QRect geometry) {
        auto* label = new QLabel(text, content);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(font);
        label->setGeometry(geometry);
        return label;
    };
    StaticText1 =
        make("StaticText1", QStringLiteral("Meandrolith"), courier(35, true), {0, 23, 312, 37});
    StaticText1->setAlignment(Qt::AlignCenter);
    StaticText2 = make("StaticText2", QStringLiteral("Freeware"), courier(18), {194, 50, 108, 23});
    StaticText7 = make("StaticText7", QStringLiteral("FR"), courier(12), {246, 1, 21, 20});
    StaticText4 = make("StaticText4", QStringLiteral("2.0.0"), courier(12), {270, 1, 41, 20});
    StaticText3 = make("StaticText3", QStringLiteral("Conçu et programmé par l'équipe Meandrolith"),
                       plain(12), {20, 104, 276, 19});
    StaticText6 = make("StaticText6", DeveloperAddress, plain(12), {20, 140, 272, 19});
    StaticText5 = make("StaticText5", QStringLiteral("https://meandrolith.example.org"), plain(12),
                       {16, 162, 276, 19});
    StaticText9 =
        make("StaticText9",
             QStringLiteral("Merci aux membres du forum            pour leurs bêta-tests, "
                            "leurs conseils et leurs encouragements."),
             plain(12), {16, 229, 289, 41});
    StaticText9->setWordWrap(true);
    StaticText9->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText10 = make("StaticText10", QStringLiteral("Dédale"), plain(12), {170, 229, 44, 17});
    StaticText8 = make("StaticText8", QStringLiteral("© Atelier Meandrolith"), courier(12),
                       {5, 309, 186, 19});

    Canvas3 = new QLabel(content);
    Canvas3->setObjectName(QStringLiteral("Canvas3"));
    static_cast<QLabel*>(Canvas3)->setPixmap(Resources::Vignette());
    Canvas3->setGeometry(5, 288, 147, 20);

    PushButton2 = new QPushButton(QStringLiteral("Faire un don à l'atelier"), content);
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    PushButton2->setFont(plain(10));
    PushButton2->setGeometry(59, 193, 195, 20);
    PushButton2->setAutoDefault(false);
    PushButton1 = new QPushButton(QStringLiteral("Fermer"), content);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setFont(plain(12));
    PushButton1->setGeometry(235, 306, 70, 21);
    PushButton1->setDefault(true);

    for (QLabel* link : {StaticText5, StaticText6, StaticText10}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setAttribute(Qt::WA_Hover);
        link->installEventFilter(this);
        setLinkLook(link, false);
    }
    StaticText10->raise();
    connect(PushButton1, &QPushButton::clicked, this, &AboutWin::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &AboutWin::PushButton2_Action);

    setWindowTitle(QStringLiteral("À propos..."));
}

void AboutWin::setLinkLook(QLabel* link, bool hovered) {
    QFont font = link->font();
    font.setUnderline(hovered);
    link->setFont(font);
    QPalette colors = link->palette();
    colors.setColor(QPalette::WindowText, hovered ? QColor(0, 0, 255) : QColor(0, 0, 0));
    link->setPalette(colors);
}

QUrl AboutWin::targetOf(QLabel* link) const {
    if (link == StaticText5)
        return QUrl(link->text());
    if (link == StaticText6)
        return QUrl(QStringLiteral("mailto:") + DeveloperAddress);
    return QUrl(ForumAddress);
}

bool AboutWin::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    if (link && (link == StaticText5 || link == StaticText6 || link == StaticText10)) {
        switch (event->type()) {
        case QEvent::Enter:
            setLinkLook(link, true);
            break;
        case QEvent::Leave:
            setLinkLook(link, false);
            break;
        case QEvent::MouseButtonPress:
            if (openUrl)
                openUrl(targetOf(link));
            else
                QDesktopServices::openUrl(targetOf(link));
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWin::PushButton1_Action() { accept(); }

void AboutWin::PushButton2_Action() {
    if (openUrl)
        openUrl(QUrl(DonationAddress));
    else
        QDesktopServices::openUrl(QUrl(DonationAddress));
}
