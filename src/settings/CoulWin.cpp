#include "settings/CoulWin.h"

#include "settings/Reglageswin.h"
#include "ui/BackdropWidget.h"
#include "ui/ColorPicker.h"
#include "ui/Fonts.h"
#include "ui/ModalSeam.h"
#include "ui/RectangleCouleur.h"
#include "ui/TexteCouleur.h"
#include "view/LabyWin.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
struct Entry {
    QString caption;
    QString completion; // ends the picker's prompt
    QPoint swatch;
    QPoint label;
};

const std::array<Entry, CoulWin::SwatchCount>& entries() {
    static const std::array<Entry, CoulWin::SwatchCount> table = {{
        {QStringLiteral("Chemins"), QStringLiteral("des chemins"), {20, 7}, {47, 7}},
        {QStringLiteral("Murs"), QStringLiteral("des murs"), {20, 39}, {47, 39}},
        {QStringLiteral("Solution"), QStringLiteral("de la solution"), {20, 71}, {47, 71}},
        {QStringLiteral("Entrée"), QStringLiteral("de l'entrée"), {203, 7}, {230, 7}},
        {QStringLiteral("Sortie"), QStringLiteral("de la sortie"), {203, 39}, {230, 39}},
        {QStringLiteral("Test"), QStringLiteral("de test"), {203, 71}, {230, 71}},
    }};
    return table;
}

bool isTestKey(const QKeyEvent& key) {
    return key.text() == QStringLiteral("t") || key.text() == QStringLiteral("T");
}
} // namespace

CoulWin::CoulWin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CoulWin"));
    setWindowTitle(QStringLiteral("Couleurs"));
    setModal(true);
    setFixedSize(321, 175);
    auto* content = BackdropWidget::fill(*this);

    const ColorTable& colors = LabyWin::instance()->Couleurs;
    for (int i = 0; i < SwatchCount; ++i) {
        const Entry& entry = entries()[static_cast<std::size_t>(i)];
        auto* swatch = new RectangleCouleur(i, content);
        swatch->setObjectName(QStringLiteral("RectangleCouleur%1").arg(i));
        swatch->setGeometry(QRect(entry.swatch, QSize(20, 20)));
        // fromRgba keeps the entry exactly, so an untouched swatch writes back what it read.
        swatch->setFillColor(QColor::fromRgba(colors.at(i)));
        auto* label = new TexteCouleur(i, entry.caption, content);
        label->setObjectName(QStringLiteral("TexteCouleur%1").arg(i));
        label->setFont(Fonts::system(12));
        label->setGeometry(QRect(entry.label, QSize(74, 20)));
        swatches[static_cast<std::size_t>(i)] = swatch;
        labels[static_cast<std::size_t>(i)] = label;
        connect(swatch, &RectangleCouleur::mouseDown, this, &CoulWin::RectangleCouleur_MouseDown);
    }
    swatches[TestIndex]->hide();
    labels[TestIndex]->hide();

    StaticText1 = new QLabel(QStringLiteral("Fond de la fenêtre"), content);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFont(Fonts::system(12));
    StaticText1->setGeometry(21, 103, 113, 20);
    PMoptionfond = new QComboBox(content);
    PMoptionfond->setObjectName(QStringLiteral("PMoptionfond"));
    PMoptionfond->setFont(Fonts::system(12));
    PMoptionfond->setGeometry(129, 103, 185, 22);
    PMoptionfond->addItems({QStringLiteral("de la couleur des chemins"), QStringLiteral("blanc"),
                            QStringLiteral("en labyrinthes clairs")});
    PMoptionfond->setCurrentIndex(LabyWin::instance()->OptionFond);
    // The popup would take "t" for a search among its rows.
    PMoptionfond->installEventFilter(this);

    PushButton1 = new QPushButton(QStringLiteral("Modifier"), content);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setFont(Fonts::system(12));
    PushButton1->setGeometry(236, 144, 78, 20);
    PushButton1->setDefault(true);
    PushButton2 = new QPushButton(QStringLiteral("Annuler"), content);
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    PushButton2->setFont(Fonts::system(12));
    PushButton2->setGeometry(20, 144, 78, 20);
    PushButton2->setAutoDefault(false);

    connect(PushButton1, &QPushButton::clicked, this, &CoulWin::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &CoulWin::PushButton2_Action);
}

int CoulWin::showDialog(QWidget* parent) {
    if (!parent) {
        // Over the drawer when it shows, so the drawer, a tool window, cannot cover it.
        Reglageswin* settings = Reglageswin::existing();
        parent = settings && settings->isVisible() ? static_cast<QWidget*>(settings)
                                                   : static_cast<QWidget*>(LabyWin::instance());
    }
    CoulWin dialog(parent);
    return ModalSeam::exec(dialog);
}

QString CoulWin::promptFor(int index) {
    return QStringLiteral("Choisissez la couleur ") +
           entries().at(static_cast<std::size_t>(index)).completion + QStringLiteral(".");
}

void CoulWin::RectangleCouleur_MouseDown(RectangleCouleur* swatch) {
    if (const auto picked = ColorPicker::pick(swatch->fillColor(), promptFor(swatch->index), this))
        swatch->setFillColor(*picked);
}

void CoulWin::KeyDown(const QString& key) {
    if (key == QStringLiteral("t") || key == QStringLiteral("T")) {
        swatches[TestIndex]->show();
        labels[TestIndex]->show();
    }
}

void CoulWin::keyPressEvent(QKeyEvent* event) {
    if (isTestKey(*event)) {
        KeyDown(event->text());
        return;
    }
    QDialog::keyPressEvent(event); // Escape and Return
}

bool CoulWin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PMoptionfond && event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (isTestKey(key)) {
            KeyDown(key.text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CoulWin::PushButton1_Action() {
    LabyWin* maze = LabyWin::instance();
    // The hidden test colour is written too: it is part of the table either way.
    for (RectangleCouleur* swatch : swatches)
        maze->Couleurs.set(swatch->index, swatch->fillColor().rgba());
    // An option no row shows (none selected) stays as it was.
    if (PMoptionfond->currentIndex() >= 0)
        maze->OptionFond = PMoptionfond->currentIndex();
    Reglageswin* settings = Reglageswin::instance();
    settings->MoRe();
    settings->AutoChargeRegs = false;
    maze->Refresh(); // repaints the canvas too
    accept();
}

void CoulWin::PushButton2_Action() { reject(); }
