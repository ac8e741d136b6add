#include "app/AlertWin.h"

#include "app/App.h"
#include "ui/BackdropWidget.h"
#include "ui/Fonts.h"
#include "ui/Resources.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace {
class CautionCanvas : public QWidget {
public:
    explicit CautionCanvas(AlertWin& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_owner.CVprincipal_Paint(painter);
    }

private:
    AlertWin& m_owner;
};
} // namespace

AlertWin::AlertWin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AlertWin"));
    setWindowTitle(QStringLiteral("Attention!"));
    setWindowModality(Qt::ApplicationModal);
    // No close box: the two buttons are the only answers.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(473, 104);
    auto* content = BackdropWidget::fill(*this);

    CVprincipal = new CautionCanvas(*this, content);
    CVprincipal->setObjectName(QStringLiteral("CVprincipal"));
    CVprincipal->setGeometry(6, 7, 43, 43);

    const QFont font = Fonts::system(12);
    STprincipal = new QLabel(QStringLiteral("[texte]"), content);
    STprincipal->setObjectName(QStringLiteral("STprincipal"));
    STprincipal->setFont(font);
    STprincipal->setWordWrap(true);
    STprincipal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    STprincipal->setGeometry(50, 7, 403, 50);

    PBdefaut = new QPushButton(QStringLiteral("[Défaut]"), content);
    PBdefaut->setObjectName(QStringLiteral("PBdefaut"));
    PBdefaut->setFont(font);
    PBdefaut->setGeometry(354, 75, 99, 20);
    PBdefaut->setDefault(true);
    PBannuler = new QPushButton(QStringLiteral("[Annuler]"), content);
    PBannuler->setObjectName(QStringLiteral("PBannuler"));
    PBannuler->setFont(font);
    PBannuler->setGeometry(243, 75, 99, 20);
    PBannuler->setAutoDefault(false);

    connect(PBdefaut, &QPushButton::clicked, this, &AlertWin::PBdefaut_Action);
    connect(PBannuler, &QPushButton::clicked, this, &AlertWin::PBannuler_Action);
}

void AlertWin::PBdefaut_Action() {
    App::instance()->RetourAlerte = true;
    accept();
}

void AlertWin::PBannuler_Action() {
    App::instance()->RetourAlerte = false;
    QDialog::reject();
}

void AlertWin::reject() { PBannuler_Action(); }

void AlertWin::closeEvent(QCloseEvent* event) {
    // Only the buttons close the question.
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void AlertWin::CVprincipal_Paint(QPainter& graphics) {
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    graphics.drawPixmap(0, 0, icon.pixmap(43, 43));
}

void AlertWin::centreOn(QWidget* window) {
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}
