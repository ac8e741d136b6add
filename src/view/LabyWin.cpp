#include "view/LabyWin.h"

#include "files/PictureFiles.h"
#include "maze/DocumentState.h"
#include "maze/GridPicture.h"
#include "maze/SolutionFinder.h"
#include "maze/Titre.h"
#include "ui/BackdropWidget.h"
#include "ui/FileDialogs.h"
#include "ui/Fonts.h"
#include "ui/ModalSeam.h"
#include "ui/Resources.h"
#include "ui/Shell.h"
#include "view/MazeCanvas.h"
#include "view/ResizeHandle.h"
#include "view/THRnouveaulaby.h"

#include <QCloseEvent>
#include <QHash>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include <cmath>

QPointer<LabyWin> LabyWin::s_instance;

LabyWin* LabyWin::instance() {
    if (!s_instance) {
        s_instance = new LabyWin;
        s_instance->Open();
    }
    return s_instance;
}

LabyWin* LabyWin::existing() { return s_instance; }

LabyWin::LabyWin(QWidget* parent) : QMainWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("LabyWin"));
    setWindowTitle(QStringLiteral("Labyrinthe"));

    m_content = new BackdropWidget(this);
    m_content->setBackgroundColor(Qt::white);
    m_content->setBackdrop(Resources::FondLabyrinthe());
    setCentralWidget(m_content);

    CVprincipal = new MazeCanvas(m_content);
    CVprincipal->setObjectName(QStringLiteral("CVprincipal"));
    CVprincipal->paintHandler = [this](QPainter& g) {
        CVprincipal_Paint(g);
    };

    STdimensions = new QLabel(m_content);
    STdimensions->setObjectName(QStringLiteral("STdimensions"));
    STdimensions->setFont(Fonts::courier(10));
    STdimensions->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The label starts 3 pixels left of the window; the margin keeps its text inside.
    STdimensions->setContentsMargins(3, 0, 0, 0);

    Grower = new ResizeHandle(m_content);
    Grower->setObjectName(QStringLiteral("Grower"));
    Grower->onMouseDown = [this](int x, int y) {
        return Grower_MouseDown(x, y);
    };
    Grower->onMouseDrag = [this](int x, int y) {
        Grower_MouseDrag(x, y);
    };
    Grower->onMouseUp = [this](int x, int y) {
        Grower_MouseUp(x, y);
    };

    THRnouveaulaby1 = new THRnouveaulaby(*this);
    THRnouveaulaby1->setObjectName(QStringLiteral("THRnouveaulaby1"));

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar1"));
    Shell::current()->populateMenuBar(*bar, m_fileMenu, m_editMenu);
    setMenuBar(bar);

    m_content->installEventFilter(this);
    setContentSize(InitialSize, InitialSize);
    updateSizeLock();
    layoutControls();
}

int LabyWin::menuBarHeight() const { return menuBar()->sizeHint().height(); }

QSize LabyWin::contentSize() const { return m_content->size(); }

void LabyWin::setContentSize(int width, int height) {
    width = std::clamp(width, MinimumSize, MaximumSize);
    height = std::clamp(height, MinimumSize, MaximumSize);
    const QSize target(width, height + menuBarHeight());
    if (minimumSize() == maximumSize())
        setFixedSize(target); // a locked window still follows the program's own sizing
    resize(target);
    m_content->resize(width, height);
    layoutControls();
}

void LabyWin::updateSizeLock() {
    // The frame's own resizing would bypass the handle's question: while a maze is shown
    // or drawn, only the program sizes the window.
    const bool locked = Laby || (THRnouveaulaby1 && THRnouveaulaby1->isRunning());
    if (locked) {
        setFixedSize(size());
    } else {
        setMinimumSize(MinimumSize, MinimumSize + menuBarHeight());
        setMaximumSize(MaximumSize, MaximumSize + menuBarHeight());
    }
}

bool LabyWin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_content && event->type() == QEvent::Resize) {
        layoutControls();
        if (!Laby)
            AfficherDimensions();
    }
    return QMainWindow::eventFilter(watched, event);
}

void LabyWin::layoutControls() {
    // The canvas follows all four edges, the size text the bottom, the handle the corner.
    const int w = m_content->width();
    const int h = m_content->height();
    CVprincipal->setGeometry(CanvasMargin, CanvasMargin, w - 2 * CanvasMargin,
                             h - 2 * CanvasMargin);
    STdimensions->setGeometry(-3, h - 16, w - 12, 16);
    Grower->setGeometry(w - 15, h - 15, 20, 20);
    Grower->raise();
}

void LabyWin::Open() {
    AfficherDimensions();
    Couleurs.resetToDefaults();
    Laby = false;
    OptionFond = 0;
    Titre::reset();
}

QString LabyWin::AfficherDimensions() {
    const int w = CVprincipal->width();
    const int h = CVprincipal->height();
    const int e = std::max(Epaisseurtrait, 1);
    const QString text = QStringLiteral("%1*%2 pts, %3*%4 pxls")
                             .arg(static_cast<int>(std::floor(static_cast<double>(w) / e)))
                             .arg(static_cast<int>(std::floor(static_cast<double>(h) / e)))
                             .arg(w)
                             .arg(h);
    STdimensions->setText(text);
    return text;
}

void LabyWin::Refresh() {
    if (Laby) {
        // Fit the window around the grid at the current cell size.
        const qint64 w = static_cast<qint64>(Largeur + 1) * Epaisseurtrait + 2 * CVprincipal->x();
        const qint64 h = static_cast<qint64>(Hauteur + 1) * Epaisseurtrait + CVprincipal->y() +
                         STdimensions->height();
        setContentSize(static_cast<int>(std::min<qint64>(w, MaximumSize)),
                       static_cast<int>(std::min<qint64>(h, MaximumSize)));
    }
    updateSizeLock();
    update();
    CVprincipal->update();
}

void LabyWin::applyBackground() {
    switch (OptionFond) {
    case 0:
        m_content->setBackdrop({});
        m_content->setBackgroundColor(QColor::fromRgb(Couleurs.at(0)));
        break;
    case 1:
        m_content->setBackdrop({});
        m_content->setBackgroundColor(Qt::white);
        break;
    case 2:
        if (!m_content->hasBackdrop()) {
            m_content->setBackgroundColor(Qt::white);
            m_content->setBackdrop(Resources::FondLabyrinthe());
        }
        break;
    default:
        break;
    }
}

void LabyWin::CVprincipal_Paint(QPainter& g) {
    DocumentState& state = DocumentState::instance();
    applyBackground();
    const int e = std::max(Epaisseurtrait, 1);
    if (Laby) {
        g.fillRect(QRect(0, 0, (CVprincipal->width() / e) * e, (CVprincipal->height() / e) * e),
                   QColor::fromRgb(Couleurs.at(0)));
    }
    if (AllowRefresh && !MatriceLabyrinthe.isEmpty()) {
        // Drawn once with the colour lookup of the end state: solution shown only while
        // the solution is asked for.
        const bool withSolution = state.solutionShown();
        CVprincipal->showGrid(MatriceLabyrinthe, m_gridVersion, Couleurs, withSolution);
        CVprincipal->drawCells(g, e);
    } else if (CVprincipal->isLive()) {
        CVprincipal->drawCells(g, e);
    }
    if (state.phase() != DocumentPhase::Drawing)
        state.setBusy(false);
}

void LabyWin::ClearCVlaby() {
    Laby = false;
    Refresh();
    DocumentState::instance().canvasCleared();
    AfficherDimensions();
    AllowRefresh = false;
    Refresh();
}

bool LabyWin::ConvertToPicture(int format, bool withSolution) {
    DocumentState::instance().setBusy(true);
    LabyrinthePicture =
        GridPicture::render(MatriceLabyrinthe, Couleurs, withSolution, std::max(Epaisseurtrait, 1));
    ExportAsImageFin(format);
    return !LabyrinthePicture.isNull();
}

void LabyWin::ExportAsImage(int format, bool withSolution) {
    const auto kind = static_cast<PictureFiles::Format>(format);
    static const QHash<int, QString> typeNames = {
        {PictureFiles::Jpeg, QStringLiteral("image/jpeg")},
        {PictureFiles::Pict, QStringLiteral("image/pict")},
        {PictureFiles::Png, QStringLiteral("image/png")}};
    CurrentFolderItem = FileDialogs::save(this, typeNames.value(format),
                                          Titre::FichText() + PictureFiles::extension(kind));
    if (withSolution && !SolutionTrouvee)
        FindSolution();
    if (!CurrentFolderItem.isEmpty())
        ConvertToPicture(format, withSolution);
}

void LabyWin::ExportAsImageFin(int format) {
    static const QHash<int, QString> names = {{PictureFiles::Jpeg, QStringLiteral("JPEG")},
                                              {PictureFiles::Pict, QStringLiteral("PICT")},
                                              {PictureFiles::Png, QStringLiteral("PNG")}};
    if (!names.contains(format))
        return;
    QString reason;
    if (!LabyrinthePicture.isNull() &&
        PictureFiles::write(static_cast<PictureFiles::Format>(format), LabyrinthePicture,
                            CurrentFolderItem, &reason))
        return;
    if (LabyrinthePicture.isNull())
        reason = QStringLiteral("L'image serait trop grande.");
    QString message = QStringLiteral("L'export au format %1 a échoué.").arg(names.value(format));
    if (!reason.isEmpty())
        message += QStringLiteral("\n\n") + reason;
    ModalSeam::information(this, message);
}

void LabyWin::FindSolution() {
    const SolutionFinder::Result result = SolutionFinder::find(MatriceLabyrinthe);
    AllowRefresh = true;
    if (result.found)
        markGridChanged();
    Refresh();
    if (!result.found) {
        ModalSeam::information(
            this, QStringLiteral("Aucun chemin ne relie l'entrée à la sortie de ce labyrinthe."));
        return;
    }
    SolutionTrouvee = true;
}

bool LabyWin::Grower_MouseDown(int, int) {
    bool answer = true;
    if (Laby && !AllowResizing)
        answer =
            Shell::current()->Alerte(QStringLiteral("Voulez vous vraiment effacer ce labyrinthe?"),
                                     QStringLiteral("Oui"), QStringLiteral("Non"));
    AllowResizing = answer;
    if (!answer)
        return false;
    ClearCVlaby();
    return true;
}

void LabyWin::Grower_MouseDrag(int x, int y) {
    const QPoint mouse = Grower->mapTo(m_content, QPoint(x, y));
    QSize size = contentSize();
    if (mouse.x() > 30)
        size.setWidth(static_cast<int>(Grower->x() + x + Grower->width() / 2.0));
    if (mouse.y() > 30)
        size.setHeight(static_cast<int>(Grower->y() + y + Grower->height() / 2.0));
    setContentSize(size.width(), size.height());
    AfficherDimensions();
}

void LabyWin::Grower_MouseUp(int, int) {
    AllowRefresh = false;
    AfficherDimensions();
}

void LabyWin::closeEvent(QCloseEvent* event) {
    if (THRnouveaulaby1->isRunning())
        THRnouveaulaby1->stopAndFinish();
    DocumentState::instance().mazeWindowCloses();
    QMainWindow::closeEvent(event);
}

QAction* LabyWin::EditUndo() const {
    return Shell::current()->menuItem(QStringLiteral("EditUndo"));
}
QAction* LabyWin::EditCut() const { return Shell::current()->menuItem(QStringLiteral("EditCut")); }
QAction* LabyWin::EditCopy() const {
    return Shell::current()->menuItem(QStringLiteral("EditCopy"));
}
QAction* LabyWin::EditPaste() const {
    return Shell::current()->menuItem(QStringLiteral("EditPaste"));
}
QAction* LabyWin::EditClear() const {
    return Shell::current()->menuItem(QStringLiteral("EditClear"));
}
QAction* LabyWin::NouveauMen() const {
    return Shell::current()->menuItem(QStringLiteral("NouveauMen"));
}
QAction* LabyWin::OpenMen() const { return Shell::current()->menuItem(QStringLiteral("OpenMen")); }
QAction* LabyWin::SolMen() const { return Shell::current()->menuItem(QStringLiteral("SolMen")); }
QAction* LabyWin::SaveMen() const { return Shell::current()->menuItem(QStringLiteral("SaveMen")); }
QAction* LabyWin::PrintMen() const {
    return Shell::current()->menuItem(QStringLiteral("PrintMen"));
}
QAction* LabyWin::FileQuit() const {
    return Shell::current()->menuItem(QStringLiteral("FileQuit"));
}
QAction* LabyWin::AboutMen() const {
    return Shell::current()->menuItem(QStringLiteral("AboutMen"));
}
