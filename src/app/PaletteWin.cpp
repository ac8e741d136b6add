#include "app/PaletteWin.h"

#include "app/App.h"
#include "app/OptenrWin.h"
#include "maze/ControlStates.h"
#include "maze/Titre.h"
#include "settings/Reglageswin.h"
#include "ui/BackdropWidget.h"
#include "ui/ChasingArrows.h"
#include "ui/FileDialogs.h"
#include "ui/Fonts.h"
#include "ui/ModalSeam.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"
#include "view/THRnouveaulaby.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

QPointer<PaletteWin> PaletteWin::s_instance;

PaletteWin* PaletteWin::instance() {
    if (!s_instance)
        s_instance = new PaletteWin;
    return s_instance;
}

PaletteWin* PaletteWin::existing() { return s_instance; }

namespace {
QFont systemFont(int pixels) { return Fonts::system(pixels); }
} // namespace

PaletteWin::PaletteWin() : QWidget(nullptr, Qt::Tool) {
    setObjectName(QStringLiteral("PaletteWin"));
    setWindowTitle(QStringLiteral("Palette"));
    setFixedSize(113, 404);
    m_content = BackdropWidget::fill(*this);

    StaticText1 = new QLabel(QStringLiteral("M"), m_content);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFont(Fonts::courier(72));
    StaticText1->setAlignment(Qt::AlignCenter);
    StaticText1->setGeometry(25, 8, 62, 59);
    StaticText1->setCursor(Qt::PointingHandCursor);
    StaticText1->installEventFilter(this);

    PBtracer = makeButton("PBtracer", QStringLiteral("Tracer"), {10, 73, 92, 20});
    PBtracer->setDefault(true);
    PBouvrir = makeButton("PBouvrir", QStringLiteral("Ouvrir"), {9, 105, 92, 20});

    CAprincipales = new ChasingArrows(m_content);
    CAprincipales->setObjectName(QStringLiteral("CAprincipales"));
    CAprincipales->setGeometry(37, 145, 38, 34);
    CAprincipales->setVisible(false);

    CBsolution = new QCheckBox(QStringLiteral("Solution"), m_content);
    CBsolution->setObjectName(QStringLiteral("CBsolution"));
    CBsolution->setFont(systemFont(12));
    CBsolution->setGeometry(10, 191, 91, 20);
    CBsolution->setEnabled(false);

    PBreglages = makeButton("PBreglages", QStringLiteral("Réglages >"), {10, 223, 92, 20});
    PBsauvegarder = makeButton("PBsauvegarder", QStringLiteral("Sauvegarder"), {10, 255, 92, 20});
    PBsauvegarder->setEnabled(false);
    PBimprimer = makeButton("PBimprimer", QStringLiteral("Imprimer"), {10, 287, 92, 20});
    PBimprimer->setEnabled(false);
    PBquitter = makeButton("PBquitter", QStringLiteral("Quitter"), {9, 377, 92, 20});

    connect(PBtracer, &QPushButton::clicked, this, &PaletteWin::PBtracer_Action);
    connect(PBouvrir, &QPushButton::clicked, this, &PaletteWin::PBouvrir_Action);
    // A value set by the program raises the box's action as a click does.
    connect(CBsolution, &QCheckBox::toggled, this, [this](bool checked) {
        DocumentState::instance().setSolutionShown(checked);
        CBsolution_Action();
    });
    connect(PBreglages, &QPushButton::clicked, this, &PaletteWin::PBreglages_Action);
    connect(PBsauvegarder, &QPushButton::clicked, this, &PaletteWin::PBsauvegarder_Action);
    connect(PBimprimer, &QPushButton::clicked, this, &PaletteWin::PBimprimer_Action);
    connect(PBquitter, &QPushButton::clicked, this, &PaletteWin::PBquitter_Action);

    // Command keys work while the palette has the focus.
    addActions(App::instance()->menuActions());
    observeDocument();
}

void PaletteWin::observeDocument() {
    DocumentState& state = DocumentState::instance();
    connect(&state, &DocumentState::phaseChanged, this, &PaletteWin::applyDocumentState);
    connect(&state, &DocumentState::busyChanged, CAprincipales, &QWidget::setVisible);
    connect(&state, &DocumentState::solutionShownChanged, this, &PaletteWin::showSolutionState);
    applyDocumentState(state.phase());
    CAprincipales->setVisible(state.busy());
    showSolutionState(state.solutionShown());
}

void PaletteWin::showSolutionState(bool shown) {
    if (CBsolution->isChecked() == shown)
        return;
    if (DocumentState::instance().phase() != DocumentPhase::Drawing) {
        CBsolution->setChecked(shown);
        return;
    }
    // The generator unticks the box; the flag tells the box's handler to do nothing. When
    // the box was already unticked no handler runs, so nothing is left to swallow the
    // user's next click.
    autocheck = true;
    CBsolution->setChecked(shown);
    autocheck = false;
}

QPushButton* PaletteWin::makeButton(const char* name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, m_content);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(systemFont(12));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

void PaletteWin::Open() {
    Reglageswin* settings = Reglageswin::instance();
    settings->setDrawerAnchor(this);
    settings->show();
    settings->hide();
    LabyWin* maze = LabyWin::instance();
    maze->show();
    // Side by side at start, leaving room for the settings drawer between the two.
    maze->move(frameGeometry().right() + 1 + settings->frameGeometry().width() + 8, y());
}

void PaletteWin::applyDocumentState(DocumentPhase phase) {
    const ControlStates& row = ControlStates::of(phase);
    App* app = App::instance();
    PBtracer->setText(row.tracerCaption);
    PBquitter->setText(row.quitCaption);
    m_quitStopsDrawing = phase == DocumentPhase::Drawing;
    app->NouveauMen->setText(row.tracerCaption);
    app->NouveauMen->setShortcut(QKeySequence(row.tracerShortcut));
    PBreglages->setEnabled(row.settingsEnabled);
    if (row.settingsDrawerHidden) {
        if (Reglageswin* settings = Reglageswin::existing())
            settings->hide();
        PBreglages->setText(QStringLiteral("Réglages >"));
    }
    CBsolution->setEnabled(row.solutionEnabled);
    app->SolMen->setEnabled(row.solutionEnabled);
    if (row.solutionMenuUnchecked)
        app->SolMen->setChecked(false);
    for (QPushButton* button : {PBsauvegarder, PBimprimer})
        button->setEnabled(row.saveEnabled);
    for (QAction* item : {app->SaveMen, app->PrintMen})
        item->setEnabled(row.saveEnabled);
}

void PaletteWin::BoutonNouveau() {
    DocumentState& state = DocumentState::instance();
    if (state.phase() == DocumentPhase::Drawing) {
        stopped = true;
        return;
    }
    LabyWin* maze = LabyWin::instance();
    const int e = std::max(maze->Epaisseurtrait, 1);
    const int w = maze->CVprincipal->width();
    const int h = maze->CVprincipal->height();
    if (w < 3 * e || h < 3 * e) {
        ModalSeam::information(maze, QStringLiteral("La fenêtre est trop petite pour y tracer un "
                                                    "labyrinthe. Veuillez la redimensionner."));
        return;
    }
    const qint64 columns = MazeGenerator::boundFor(w, e) + 1;
    const qint64 rows = MazeGenerator::boundFor(h, e) + 1;
    if (!MazeGrid::fitsInMemory(columns, rows)) {
        ModalSeam::information(
            maze, QStringLiteral("La fenêtre est trop grande pour y tracer un labyrinthe avec "
                                 "cette épaisseur de trait. Veuillez la réduire ou choisir des "
                                 "traits plus épais."));
        return;
    }
    if (state.phase() != DocumentPhase::NoMaze && maze->Laby &&
        !App::instance()->Alerte(QStringLiteral("Voulez vous vraiment effacer ce labyrinthe?"),
                                 QStringLiteral("Oui"), QStringLiteral("Non")))
        return;

    state.setBusy(true);
    maze->ClearCVlaby();
    Titre::reset();
    maze->show();
    // The run's start puts the palette and the menus in the drawing state.
    maze->THRnouveaulaby1->Run(Reglageswin::instance()->Slider1->value());
}

void PaletteWin::PBtracer_Action() { BoutonNouveau(); }

void PaletteWin::PBouvrir_Action() {
    const QString path = FileDialogs::openMaze(LabyWin::instance());
    if (!path.isEmpty())
        App::instance()->OpenDocument(path);
}

void PaletteWin::CBsolution_Action() {
    if (autocheck) {
        autocheck = false;
    } else {
        runSolutionStep();
    }
    App::instance()->SolMen->setChecked(CBsolution->isChecked());
}

void PaletteWin::runSolutionStep() {
    DocumentState& state = DocumentState::instance();
    state.setBusy(true);
    LabyWin* maze = LabyWin::instance();
    if (maze->SolutionTrouvee) {
        maze->CVprincipal->update();
    } else if (state.phase() == DocumentPhase::MazePresent && maze->Laby) {
        maze->FindSolution();
    } else {
        maze->CVprincipal->update(); // its paint hides the arrows again
    }
}

void PaletteWin::PBreglages_Action() {
    Reglageswin* settings = Reglageswin::instance();
    settings->setDrawerAnchor(this);
    if (!settings->isVisible()) {
        settings->showAsDrawer();
        PBreglages->setText(QStringLiteral("Réglages <"));
    } else {
        settings->hide();
        PBreglages->setText(QStringLiteral("Réglages >"));
    }
}

void PaletteWin::PBsauvegarder_Action() {
    OptenrWin options(LabyWin::instance());
    ModalSeam::exec(options);
}

void PaletteWin::PBimprimer_Action() {
    // The print layout window comes with printing.
}

void PaletteWin::PBquitter_Action() {
    if (m_quitStopsDrawing) {
        m_quitStopsDrawing = false;
        stopped = true;
        PBquitter->setText(QStringLiteral("Quitter"));
    } else {
        if (Reglageswin* settings = Reglageswin::existing())
            settings->close();
        QApplication::quit();
    }
}

bool PaletteWin::StaticText1_MouseDown(int, int) {
    App::instance()->AboutMen_Action();
    return false;
}

bool PaletteWin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StaticText1 && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        StaticText1_MouseDown(mouse->position().toPoint().x(), mouse->position().toPoint().y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PaletteWin::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (Reglageswin* settings = Reglageswin::existing(); settings && settings->isVisible())
        settings->showAsDrawer();
}

void PaletteWin::keyPressEvent(QKeyEvent* event) {
    // The draw button is the palette's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        PBtracer->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PaletteWin::closeEvent(QCloseEvent* event) {
    // Closing the palette ends the program, as "Quitter" does; a run is stopped first.
    if (LabyWin* maze = LabyWin::existing(); maze && maze->THRnouveaulaby1->isRunning())
        maze->THRnouveaulaby1->stopAndFinish();
    if (Reglageswin* settings = Reglageswin::existing())
        settings->close();
    event->accept();
    QApplication::quit();
}
