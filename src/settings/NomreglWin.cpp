#include "settings/NomreglWin.h"

#include "settings/Reglageswin.h"
#include "ui/BackdropWidget.h"
#include "ui/ChasingArrows.h"
#include "ui/Fonts.h"
#include "ui/ModalSeam.h"
#include "ui/Shell.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

NomreglWin::NomreglWin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NomreglWin"));
    setWindowTitle(QStringLiteral("Nom du jeu"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(320, 96);
    BackdropWidget::paintWhite(*this);

    StaticText1 = new QLabel(QStringLiteral("Nom du jeu de réglages:"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFont(Fonts::system(12));
    StaticText1->setGeometry(12, 12, 150, 22);
    EditField1 = new QLineEdit(this);
    EditField1->setObjectName(QStringLiteral("EditField1"));
    EditField1->setFont(Fonts::system(12));
    EditField1->setGeometry(160, 12, 148, 22);
    StaticText2 = new QLabel(QStringLiteral("Jeu de réglages enregistré."), this);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setFont(Fonts::system(12));
    StaticText2->setGeometry(12, 12, 296, 22);
    StaticText2->setAlignment(Qt::AlignCenter);
    StaticText2->setVisible(false);
    ChasingArrows1 = new ChasingArrows(this);
    ChasingArrows1->setObjectName(QStringLiteral("ChasingArrows1"));
    ChasingArrows1->setGeometry(141, 4, 38, 34);
    ChasingArrows1->setVisible(false);
    PushButton1 = new QPushButton(QStringLiteral("OK"), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setFont(Fonts::system(12));
    PushButton1->setGeometry(228, 62, 80, 22);
    PushButton1->setDefault(true);
    PushButton2 = new QPushButton(QStringLiteral("Annuler"), this);
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    PushButton2->setFont(Fonts::system(12));
    PushButton2->setGeometry(136, 62, 80, 22);
    PushButton2->setAutoDefault(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(FeedbackMilliseconds);

    connect(PushButton1, &QPushButton::clicked, this, &NomreglWin::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &NomreglWin::PushButton2_Action);
    connect(Timer1, &QTimer::timeout, this, &NomreglWin::Timer1_Action);
}

bool NomreglWin::isUsableName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/')) ||
        name.toUtf8().size() > 255)
        return false;
    return std::none_of(name.cbegin(), name.cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

void NomreglWin::showNameField(bool shown) {
    StaticText1->setVisible(shown);
    EditField1->setVisible(shown);
}

void NomreglWin::showFeedback(const QString& text) {
    showNameField(false);
    PushButton1->setEnabled(false);
    PushButton2->setEnabled(false);
    StaticText2->setText(text);
    StaticText2->setVisible(true);
    ChasingArrows1->setVisible(false);
    Timer1->start();
}

bool NomreglWin::SauverReglages(const QString& path) {
    if (path.isEmpty())
        return false;
    if (!Shell::current()->writeSettingsFile(path))
        return false;
    Reglageswin::instance()->ChargerListeReglages();
    return true;
}

void NomreglWin::PushButton1_Action() {
    const QString name = EditField1->text();
    if (!isUsableName(name)) {
        ModalSeam::information(
            this, QStringLiteral("Ce nom ne peut pas servir de nom de jeu de réglages."));
        return;
    }
    ChasingArrows1->setVisible(true);
    showNameField(false);
    const QString folder = Reglageswin::settingsFolder();
    if (!QDir().mkpath(folder)) {
        ModalSeam::information(this, QStringLiteral("Le dossier des réglages « ") + folder +
                                         QStringLiteral(" » n'a pas pu être créé."));
        ChasingArrows1->setVisible(false);
        showNameField(true);
        return;
    }
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo::exists(path) &&
        !Shell::current()->Alerte(QStringLiteral("Ce jeu de réglages existe. L'écraser?"),
                                  QStringLiteral("Oui"), QStringLiteral("Non"))) {
        // The existing set stays as it was; another name can be typed.
        ChasingArrows1->setVisible(false);
        showNameField(true);
        EditField1->setFocus();
        return;
    }
    // Written beside the old set and swapped in only once complete.
    if (!SauverReglages(path)) {
        ChasingArrows1->setVisible(false);
        showNameField(true);
        return;
    }
    showFeedback(QStringLiteral("Jeu de réglages enregistré."));
}

void NomreglWin::PushButton2_Action() {
    showFeedback(QStringLiteral("Sauvegarde du jeu de réglages annulée."));
}

void NomreglWin::reject() {
    if (!m_closing && !Timer1->isActive())
        PushButton2_Action();
}

void NomreglWin::Timer1_Action() {
    Timer1->stop();
    m_closing = true;
    close();
}

void NomreglWin::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        // The window's close box cancels like "Annuler" does.
        event->ignore();
        reject();
        return;
    }
    event->accept();
    Reglageswin::instance()->ChargerListeReglages();
    done(QDialog::Accepted);
}
