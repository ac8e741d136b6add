#include "app/App.h"

#include "app/AboutWin.h"
#include "app/AlertWin.h"
#include "app/FichierLabyrinthe.h"
#include "app/PaletteWin.h"
#include "settings/Reglageswin.h"
#include "ui/ModalSeam.h"
#include "ui/Resources.h"
#include "view/LabyWin.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

// Resources compiled into a static library are registered only when asked for. The macro
// declares a global function, so this must stay outside any namespace.
static void registerResources() { Q_INIT_RESOURCE(resources); }

App::App(int& argc, char** argv) : QApplication(argc, argv) {
    registerResources();
    setApplicationName(QStringLiteral("Meandrolith"));
    setApplicationVersion(QStringLiteral("2.0.0"));
    setOrganizationName(QStringLiteral("Meandrolith"));
    setDesktopFileName(QStringLiteral("meandrolith"));
    setWindowIcon(Resources::applicationIcon());
    // The windows are laid out to the pixel; a font of Arial's metrics keeps every caption
    // inside its control, whatever the desktop's own font is.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    // The palette is a tool window, which Qt does not count: quitting is explicit.
    setQuitOnLastWindowClosed(false);
    registerFileTypes();
    createMenuItems();
}

App::~App() {
    delete PaletteWin::existing();
    delete Reglageswin::existing();
    delete LabyWin::existing();
}

App* App::instance() { return static_cast<App*>(QCoreApplication::instance()); }

void App::registerFileTypes() {
    FileTypes::registerTypes({
        {QStringLiteral("image/pict"),
         QStringLiteral("MNDR"),
         QStringLiteral("PICT"),
         {QStringLiteral(".pict"), QStringLiteral(".pic"), QStringLiteral(".pct")}},
        {QStringLiteral("image/jpeg"),
         QStringLiteral("MNDR"),
         QStringLiteral("JPEG"),
         {QStringLiteral(".jfif"), QStringLiteral(".jpe"), QStringLiteral(".jpeg"),
          QStringLiteral(".jpg")}},
        {QStringLiteral("image/png"),
         QStringLiteral("MNDR"),
         QStringLiteral("PNGf"),
         {QStringLiteral(".png")}},
        {QStringLiteral("Labyrinthe2"),
         QStringLiteral("MNDR"),
         QStringLiteral("MND2"),
         {QStringLiteral(".mndr")}},
        {QStringLiteral("Labyrinthe1"),
         QStringLiteral("MNDR"),
         QStringLiteral("????"),
         {QStringLiteral(".mn")}},
    });
}

QAction* App::makeItem(const QString& name, const QString& text, const QString& key, bool enabled) {
    auto* item = new QAction(text, this);
    item->setObjectName(name);
    if (!key.isEmpty())
        item->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + key));
    // Command keys work from the palette too, not only from the maze window.
    item->setShortcutContext(Qt::ApplicationShortcut);
    item->setEnabled(enabled);
    return item;
}

void App::createMenuItems() {
    NouveauMen =
        makeItem(QStringLiteral("NouveauMen"), QStringLiteral("Tracer"), QStringLiteral("N"), true);
    OpenMen =
        makeItem(QStringLiteral("OpenMen"), QStringLiteral("Ouvrir"), QStringLiteral("O"), true);
    SolMen =
        makeItem(QStringLiteral("SolMen"), QStringLiteral("Solution"), QStringLiteral("F"), false);
    SolMen->setCheckable(true);
    SaveMen = makeItem(QStringLiteral("SaveMen"), QStringLiteral("Sauvegarder"),
                       QStringLiteral("S"), false);
    PrintMen = makeItem(QStringLiteral("PrintMen"), QStringLiteral("Imprimer"), QStringLiteral("P"),
                        false);
    FileQuit =
        makeItem(QStringLiteral("FileQuit"), QStringLiteral("Quit"), QStringLiteral("Q"), true);
    FileQuit->setMenuRole(QAction::QuitRole);
    EditUndo =
        makeItem(QStringLiteral("EditUndo"), QStringLiteral("Undo"), QStringLiteral("Z"), true);
    EditCut = makeItem(QStringLiteral("EditCut"), QStringLiteral("Cut"), QStringLiteral("X"), true);
    EditCopy =
        makeItem(QStringLiteral("EditCopy"), QStringLiteral("Copy"), QStringLiteral("C"), true);
    EditPaste =
        makeItem(QStringLiteral("EditPaste"), QStringLiteral("Paste"), QStringLiteral("V"), true);
    EditClear = makeItem(QStringLiteral("EditClear"), QStringLiteral("Clear"), {}, true);
    AboutMen = makeItem(QStringLiteral("AboutMen"), QStringLiteral("À propos..."), {}, true);
    AboutMen->setMenuRole(QAction::AboutRole);

    connect(AboutMen, &QAction::triggered, this, [this] { AboutMen_Action(); });
    connect(NouveauMen, &QAction::triggered, this, [this] { NouveauMen_Action(); });
    connect(OpenMen, &QAction::triggered, this, [this] { OpenMen_Action(); });
    connect(SolMen, &QAction::triggered, this, [this] { SolMen_Action(); });
    connect(PrintMen, &QAction::triggered, this, [this] { PrintMen_Action(); });
    connect(SaveMen, &QAction::triggered, this, [this] { SaveMen_Action(); });
    connect(FileQuit, &QAction::triggered, this, [] { QApplication::quit(); });

    // The edit items carry the standard editing of whichever text field has the focus.
    auto onField = [](auto edit) {
        return [edit] {
            if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                edit(*field);
        };
    };
    connect(EditUndo, &QAction::triggered, this, onField([](QLineEdit& f) { f.undo(); }));
    connect(EditCut, &QAction::triggered, this, onField([](QLineEdit& f) { f.cut(); }));
    connect(EditCopy, &QAction::triggered, this, onField([](QLineEdit& f) { f.copy(); }));
    connect(EditPaste, &QAction::triggered, this, onField([](QLineEdit& f) { f.paste(); }));
    connect(EditClear, &QAction::triggered, this, onField([](QLineEdit& f) { f.del(); }));
}

QList<QAction*> App::menuActions() const {
    return {NouveauMen, OpenMen, SolMen,   SaveMen,   PrintMen,  FileQuit,
            EditUndo,   EditCut, EditCopy, EditPaste, EditClear, AboutMen};
}

void App::populateMenuBar(QMenuBar& bar, QMenu*& fileMenu, QMenu*& editMenu) {
    fileMenu = bar.addMenu(QStringLiteral("Labyrinthe"));
    fileMenu->setObjectName(QStringLiteral("FileMenu"));
    fileMenu->addAction(NouveauMen);
    fileMenu->addAction(OpenMen);
    fileMenu->addSeparator();
    fileMenu->addAction(SolMen);
    fileMenu->addSeparator();
    fileMenu->addAction(SaveMen);
    fileMenu->addAction(PrintMen);
    fileMenu->addSeparator();
    fileMenu->addAction(FileQuit);
    editMenu = bar.addMenu(QStringLiteral("Édition"));
    editMenu->setObjectName(QStringLiteral("EditMenu"));
    editMenu->addAction(EditUndo);
    editMenu->addSeparator();
    editMenu->addAction(EditCut);
    editMenu->addAction(EditCopy);
    editMenu->addAction(EditPaste);
    editMenu->addAction(EditClear);
    // On Linux the about item is looked for in a help menu at the end of the bar.
    QMenu* help = bar.addMenu(QStringLiteral("Aide"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(AboutMen);
    for (QMenu* menu : {fileMenu, editMenu, help})
        connect(menu, &QMenu::aboutToShow, this, [this] { EnableMenuItems(); });
}

void App::EnableMenuItems() {
    AboutMen->setEnabled(true);
    NouveauMen->setEnabled(true);
    OpenMen->setEnabled(true);
}

void App::Demarrer() {
    PaletteWin* palette = PaletteWin::instance();
    palette->show();
    palette->Open();
}

bool App::Alerte(const QString& message, const QString& defaultCaption,
                 const QString& cancelCaption) {
    Reglageswin* settings = Reglageswin::existing();
    const bool settingsWereVisible = settings && settings->isVisible();
    if (settingsWereVisible)
        settings->hide();
    {
        AlertWin alert(LabyWin::instance());
        alert.STprincipal->setText(message);
        alert.PBannuler->setText(cancelCaption);
        alert.PBdefaut->setText(defaultCaption);
        alert.centreOn(LabyWin::instance());
        ModalSeam::exec(alert);
    }
    if (settingsWereVisible)
        settings->showAsDrawer();
    return RetourAlerte;
}

void App::recallSettingsFile(const QString& path) {
    FichierLabyrinthe::DirectFichier = false;
    FichierLabyrinthe::Ouvrir(path);
    FichierLabyrinthe::DirectFichier = true;
}

bool App::writeSettingsFile(const QString& path) {
    return FichierLabyrinthe::writeSettingsFile(path);
}

void App::OpenDocument(const QString& path) {
    const QString typeCode = FichierLabyrinthe::typeCodeOf(path);
    if (typeCode == QStringLiteral("MND2")) {
        FichierLabyrinthe::DirectFichier = true;
        FichierLabyrinthe::Ouvrir(path);
    } else if (typeCode == QStringLiteral("????")) {
        FichierLabyrinthe::OuvrirAncien(path);
    }
}

bool App::NouveauMen_Action() {
    PaletteWin::instance()->BoutonNouveau();
    return false;
}

bool App::OpenMen_Action() {
    PaletteWin::instance()->PBouvrir_Action();
    return false;
}

bool App::SolMen_Action() {
    // Qt has already inverted the check mark of a checkable item when it reports it.
    PaletteWin* palette = PaletteWin::instance();
    palette->CBsolution->setChecked(SolMen->isChecked());
    if (palette->autocheck) {
        palette->autocheck = false;
    } else {
        palette->runSolutionStep();
    }
    SolMen->setChecked(palette->CBsolution->isChecked());
    return false;
}

bool App::PrintMen_Action() {
    PaletteWin::instance()->PBimprimer_Action();
    return false;
}

bool App::SaveMen_Action() {
    PaletteWin::instance()->PBsauvegarder_Action();
    return false;
}

bool App::AboutMen_Action() {
    AboutWin about(LabyWin::existing());
    ModalSeam::exec(about);
    return false;
}
