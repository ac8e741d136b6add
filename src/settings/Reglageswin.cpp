#include "settings/Reglageswin.h"

#include "files/FileTypes.h"
#include "files/TaggedFile.h"
#include "maze/NumberText.h"
#include "maze/Titre.h"
#include "settings/CoulWin.h"
#include "settings/NomreglWin.h"
#include "settings/TitreWin.h"
#include "ui/BackdropWidget.h"
#include "ui/BevelButton.h"
#include "ui/Fonts.h"
#include "ui/GapLabel.h"
#include "ui/ModalSeam.h"
#include "ui/Resources.h"
#include "ui/Shell.h"
#include "view/LabyWin.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardPaths>

#include <cmath>

QPointer<Reglageswin> Reglageswin::s_instance;

Reglageswin* Reglageswin::instance() {
    if (!s_instance) {
        s_instance = new Reglageswin;
        s_instance->Open();
    }
    return s_instance;
}

Reglageswin* Reglageswin::existing() { return s_instance; }

namespace {
QFont systemFont(int pixels) { return Fonts::system(pixels); }

const QString ThicknessLabel = QStringLiteral("Épaisseur des traits:             %1");
} // namespace

Reglageswin::Reglageswin() : QWidget(nullptr, Qt::Tool) {
    setObjectName(QStringLiteral("Reglageswin"));
    setWindowTitle(QStringLiteral("Réglages"));
    setFixedSize(351, 250);
    auto* content = BackdropWidget::fill(*this);

    auto label = [&](const char* name, const QString& text, QRect geometry, int pixels = 12) {
        auto* item = new QLabel(text, content);
        item->setObjectName(QString::fromLatin1(name));
        item->setFont(systemFont(pixels));
        item->setGeometry(geometry);
        return item;
    };
    // The field covers the caption's run of spaces; the unit follows the field.
    StaticText1 =
        new GapLabel(ThicknessLabel.arg(QStringLiteral("pixels.")), 137 + 41 + 4 - 15, content);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFont(systemFont(12));
    StaticText1->setGeometry(15, 5, 210, 20);
    EFepaisseurtrait = new QLineEdit(QStringLiteral("5"), content);
    EFepaisseurtrait->setObjectName(QStringLiteral("EFepaisseurtrait"));
    EFepaisseurtrait->setFont(systemFont(12));
    EFepaisseurtrait->setGeometry(137, 5, 41, 20);
    StaticText2 =
        label("StaticText2", QStringLiteral("Longueur moyenne des traits:"), {15, 49, 188, 20});
    StaticText5 = label("StaticText5", QStringLiteral("90 %"), {193, 49, 41, 20});
    Slider1 = new QSlider(Qt::Horizontal, content);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setGeometry(15, 73, 317, 16);
    Slider1->setRange(0, 1000);
    Slider1->setValue(900);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(20);
    Slider1->setTracking(true);
    StaticText3 =
        label("StaticText3",
              QStringLiteral("La solution se rapproche de la diagonale. Plus lent à tracer."),
              {15, 99, 121, 40}, 10);
    StaticText3->setWordWrap(true);
    StaticText3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText4 = label("StaticText4",
                        QStringLiteral("La solution est facile: beaucoup de longs couloirs. Plus "
                                       "rapide à tracer."),
                        {187, 99, 145, 40}, 10);
    StaticText4->setWordWrap(true);
    StaticText4->setAlignment(Qt::AlignRight | Qt::AlignTop);

    BevelButton2 = new BevelButton(QStringLiteral("Titre... "), content);
    BevelButton2->setObjectName(QStringLiteral("BevelButton2"));
    BevelButton2->setFont(systemFont(12));
    BevelButton2->setGeometry(70, 156, 91, 25);
    BevelButton1 = new BevelButton(QStringLiteral("Couleurs... "), content);
    BevelButton1->setObjectName(QStringLiteral("BevelButton1"));
    BevelButton1->setFont(systemFont(12));
    BevelButton1->setPicture(Resources::Cerclefond());
    BevelButton1->setGeometry(204, 156, 91, 25);

    Separator1 = new QFrame(content);
    Separator1->setObjectName(QStringLiteral("Separator1"));
    Separator1->setFrameShape(QFrame::HLine);
    Separator1->setFrameShadow(QFrame::Sunken);
    Separator1->setGeometry(15, 205, 321, 4);
    StaticText7 = label("StaticText7", QStringLiteral("Réglages:"), {15, 221, 61, 18});
    PMjeuregl = new QComboBox(content);
    PMjeuregl->setObjectName(QStringLiteral("PMjeuregl"));
    PMjeuregl->setFont(systemFont(12));
    PMjeuregl->setGeometry(76, 219, 136, 22);
    PushButton2 = new QPushButton(QStringLiteral("Enregistrer les\nréglages courants"), content);
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    PushButton2->setFont(systemFont(10));
    PushButton2->setGeometry(224, 217, 112, 28);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    Timer1->setSingleShot(false);

    connect(EFepaisseurtrait, &QLineEdit::textChanged, this,
            &Reglageswin::EFepaisseurtrait_TextChange);
    connect(Slider1, &QSlider::valueChanged, this, &Reglageswin::Slider1_ValueChanged);
    connect(Timer1, &QTimer::timeout, this, &Reglageswin::Timer1_Action);
    connect(PMjeuregl, &QComboBox::currentIndexChanged, this, &Reglageswin::PMjeuregl_Change);
    PMjeuregl->installEventFilter(this);
    connect(PushButton2, &QPushButton::clicked, this, &Reglageswin::PushButton2_Action);
    connect(BevelButton1, &QToolButton::clicked, this, &Reglageswin::BevelButton1_Action);
    connect(BevelButton2, &QToolButton::clicked, this, &Reglageswin::BevelButton2_Action);

    // Command keys work while the drawer has the focus too.
    addActions(Shell::current()->menuActions());
}

void Reglageswin::Open() {
    LabyWin* maze = LabyWin::instance();
    maze->Epaisseurtrait = static_cast<int>(NumberText::leadingValue(EFepaisseurtrait->text()));
    maze->AfficherDimensions();
    CurrentValueSlider = Slider1->value();
    Jeureglcourant = 0;
    ChargerListeReglages();
}

QString Reglageswin::thicknessCaption(const QString& fieldText) {
    return ThicknessLabel.arg(fieldText == QStringLiteral("1") ? QStringLiteral("pixel.")
                                                               : QStringLiteral("pixels."));
}

QString Reglageswin::percentCaption(int sliderValue) {
    return QString::number(sliderValue / 10.0, 'g', 6) + QStringLiteral(" %");
}

void Reglageswin::EFepaisseurtrait_TextChange() {
    const QString text = EFepaisseurtrait->text();
    LabyWin* maze = LabyWin::instance();
    const double value = NumberText::leadingValue(text);
    if (!text.isEmpty() && (value < 1 || value >= MaximumThickness + 1)) {
        ModalSeam::information(this, QStringLiteral("La valeur est incorrecte."));
        // Putting the current thickness back is no change of the user's: it asks nothing.
        const QString current = QString::number(maze->Epaisseurtrait);
        {
            const QSignalBlocker quiet(EFepaisseurtrait);
            EFepaisseurtrait->setText(current);
        }
        StaticText1->setText(thicknessCaption(current));
    } else if (!text.isEmpty()) {
        if (maze->Laby && !AutoChargeRegs &&
            Shell::current()->Alerte(QStringLiteral("Préférez-vous changer la taille de la "
                                                    "fenêtre ou effacer le labyrinthe?"),
                                     QStringLiteral("Effacer"), QStringLiteral("Changer")))
            maze->ClearCVlaby();
        maze->Epaisseurtrait = static_cast<int>(std::trunc(value));
        maze->Refresh();
        MoRe();
        maze->AfficherDimensions();
        StaticText1->setText(thicknessCaption(text));
    }
    AutoChargeRegs = false;
}

void Reglageswin::Slider1_ValueChanged() {
    SliderValueChanged = true;
    Timer1->start();
    StaticText5->setText(percentCaption(Slider1->value()));
}

void Reglageswin::Timer1_Action() {
    Timer1->stop();
    if (SliderValueChanged) {
        if (SliderAutoMoving) {
            SliderAutoMoving = false;
        } else {
            LabyWin* maze = LabyWin::instance();
            bool yes = true;
            if (maze->Laby && !AutoChargeRegs)
                yes = Shell::current()->Alerte(
                    QStringLiteral("Voulez vous vraiment effacer ce labyrinthe?"),
                    QStringLiteral("Oui"), QStringLiteral("Non"));
            if (yes) {
                if (maze->Laby) {
                    maze->ClearCVlaby();
                    maze->AfficherDimensions();
                }
                CurrentValueSlider = Slider1->value();
                SliderAutoMoving = false;
                MoRe();
            } else if (Slider1->value() != CurrentValueSlider) {
                // Only a real move back raises a change for the flag to absorb; otherwise
                // the flag would silently accept the user's next move.
                Slider1->setValue(CurrentValueSlider);
                SliderAutoMoving = true;
            }
        }
    }
    AutoChargeRegs = false;
}

void Reglageswin::MoRe() {
    Jeureglcourant = 2;
    PMjeuregl->setCurrentIndex(2);
}

void Reglageswin::selectRowQuietly(int row) {
    // Qt reports no selection when the row is already selected, so the flag is cleared
    // here in that case rather than swallowing the user's next choice.
    JustRecall = true;
    PMjeuregl->setCurrentIndex(row);
    JustRecall = false;
}

QString Reglageswin::settingsFolder() {
    if (!folderForTests.isEmpty())
        return folderForTests;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Réglages"));
}

void Reglageswin::ChargerListeReglages() {
    {
        const QSignalBlocker quiet(PMjeuregl);
        PMjeuregl->clear();
        PMjeuregl->addItem(QStringLiteral("Défaut"));
        PMjeuregl->insertSeparator(1);
        PMjeuregl->addItem(QStringLiteral("Courants"));
        const QDir folder(settingsFolder());
        if (folder.exists()) {
            PMjeuregl->insertSeparator(3);
            // Sorted by name: Linux lists a folder in no useful order.
            const QStringList names =
                folder.entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
            for (const QString& name : names) {
                QFile file(folder.filePath(name));
                if (file.open(QIODevice::ReadOnly) &&
                    TaggedFile::startsWithHeader(file.read(TaggedFile::header().size())))
                    PMjeuregl->addItem(name);
            }
        }
        PMjeuregl->setCurrentIndex(-1);
    }
    selectRowQuietly(Jeureglcourant < PMjeuregl->count() ? Jeureglcourant : 2);
}

bool Reglageswin::PMjeuregl_MouseDown(int, int) {
    // Sets stored or removed meanwhile appear or go before the menu opens.
    ChargerListeReglages();
    return false;
}

bool Reglageswin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PMjeuregl && event->type() == QEvent::MouseButtonPress)
        PMjeuregl_MouseDown(0, 0);
    return QWidget::eventFilter(watched, event);
}

void Reglageswin::applyFactorySettings() {
    LabyWin* maze = LabyWin::instance();
    setCorridorFromFile(900);
    setThicknessFromFile(5);
    maze->Couleurs.resetToDefaults();
    maze->OptionFond = 0;
    Titre::reset();
    maze->markGridChanged();
    maze->Refresh();
}

void Reglageswin::PMjeuregl_Change() {
    if (JustRecall) {
        JustRecall = false;
        return;
    }
    const int row = PMjeuregl->currentIndex();
    if (row == 2) {
        Jeureglcourant = 2;
        return;
    }
    if (row == 0) {
        const bool yes =
            Jeureglcourant != 2 ||
            Shell::current()->Alerte(QStringLiteral("Voulez-vous vraiment que toutes les valeurs "
                                                    "reviennent aux valeurs par défaut, y compris "
                                                    "les couleurs et le titre?"),
                                     QStringLiteral("Oui"), QStringLiteral("Non"));
        if (!yes) {
            selectRowQuietly(Jeureglcourant);
            return;
        }
        // The recall's own changes ask nothing, and nothing after the recall is spared.
        AutoChargeRegs = true;
        applyFactorySettings();
        AutoChargeRegs = false;
        Jeureglcourant = 0;
        selectRowQuietly(0);
        return;
    }
    if (row >= 4)
        recallSet(row);
    JustRecall = false;
}

void Reglageswin::recallSet(int row) {
    if (Jeureglcourant == 2 &&
        !Shell::current()->Alerte(QStringLiteral("Voulez-vous vraiment perdre les réglages "
                                                 "courants?"),
                                  QStringLiteral("Oui"), QStringLiteral("Non"))) {
        selectRowQuietly(Jeureglcourant);
        return;
    }
    AutoChargeRegs = true;
    Jeureglcourant = row;
    const QString name = PMjeuregl->itemText(row);
    const QDir folder(settingsFolder());
    if (folder.exists()) {
        const QString path = folder.filePath(name);
        if (!QFileInfo(path).isFile()) {
            ModalSeam::information(this, QStringLiteral("Erreur: ce fichier de réglages n'existe "
                                                        "pas.Vérifiez qu'il se trouve dans le "
                                                        "dossier 'Réglages'."));
        } else if (FileTypes::typeCodeOf(path) == QStringLiteral("MND2")) {
            Shell::current()->recallSettingsFile(path);
        }
    }
    AutoChargeRegs = false;
}

void Reglageswin::PushButton2_Action() {
    hide();
    {
        NomreglWin names(LabyWin::instance());
        ModalSeam::exec(names);
    }
    showAsDrawer();
}

void Reglageswin::BevelButton1_Action() { CoulWin::showDialog(); }

void Reglageswin::BevelButton2_Action() { TitreWin::showDialog(); }

void Reglageswin::setThicknessFromFile(int thickness) {
    LabyWin* maze = LabyWin::instance();
    maze->Epaisseurtrait = thickness;
    const QString text = QString::number(thickness);
    {
        const QSignalBlocker quiet(EFepaisseurtrait);
        EFepaisseurtrait->setText(text);
    }
    StaticText1->setText(thicknessCaption(text));
    maze->AfficherDimensions();
}

void Reglageswin::setCorridorFromFile(int value) {
    CurrentValueSlider = value;
    if (Slider1->value() == value)
        return;
    Slider1->setValue(value);
    SliderAutoMoving = true; // the change the move raises asks nothing
}

void Reglageswin::showAsDrawer() {
    if (m_drawerAnchor) {
        const QRect frame = m_drawerAnchor->frameGeometry();
        move(frame.right() + 1, frame.top());
    }
    show();
    raise();
}
