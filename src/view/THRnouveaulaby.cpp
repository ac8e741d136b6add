#include "view/THRnouveaulaby.h"

#include "maze/DocumentState.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"
#include "view/ResizeHandle.h"

#include <QPainter>

std::optional<std::uint64_t> THRnouveaulaby::fixedSeed;

THRnouveaulaby::THRnouveaulaby(LabyWin& window) : QObject(&window), m_window(window) {
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &THRnouveaulaby::runSlice);
}

THRnouveaulaby::~THRnouveaulaby() = default;

void THRnouveaulaby::Run(int continuationThreshold) {
    if (isRunning())
        return;
    LabyWin& w = m_window;
    // A new run never inherits an old stop request; the solution is hidden until found.
    DocumentState::instance().drawingBegins();
    m_continuationThreshold = continuationThreshold;
    w.Grower->setVisible(false);
    w.SolutionTrouvee = false;

    const int e = std::max(w.Epaisseurtrait, 1);
    w.Largeur = MazeGenerator::boundFor(w.CVprincipal->width(), e);
    w.Hauteur = MazeGenerator::boundFor(w.CVprincipal->height(), e);
    w.EntreeX = 1;
    w.EntreeY = 0;
    w.SortieX = w.Largeur - 1;
    w.SortieY = w.Hauteur;
    w.CVprincipal->startLive(w.Largeur + 1, w.Hauteur + 1);

    const std::uint64_t seed = fixedSeed ? *fixedSeed : RandomSource::freshSeed();
    m_generator = std::make_unique<MazeGenerator>(
        w.MatriceLabyrinthe, w.Largeur, w.Hauteur, seed,
        MazeGenerator::Hooks{
            .paintCell = {},
            .continuationThreshold = [this] { return m_continuationThreshold; },
            .takeStopRequest =
                [this] {
                    if (!m_stopRequested)
                        return false;
                    m_stopRequested = false;
                    DocumentState::instance().setStopRequested(false);
                    return true;
                },
        });
    w.markGridChanged();
    // Open cells stay transparent while the maze grows: the background shows there.
    m_liveColors = w.Couleurs.lookupTable(true);
    m_liveColors[0] = qRgba(0, 0, 0, 0);
    showGrowth();
    m_sinceFlush.start();
    m_slices.start();
}

void THRnouveaulaby::runSlice() {
    if (!m_generator) {
        m_slices.stop();
        return;
    }
    readStopRequest();
    const bool done = m_generator->runUntil(MazeGenerator::Clock::now() +
                                            std::chrono::milliseconds(SliceMilliseconds));
    if (done) {
        Finish(); // repaints the whole maze
        return;
    }
    if (m_sinceFlush.nsecsElapsed() >= m_flushNanoseconds) {
        showGrowth();
        m_sinceFlush.restart();
    }
}

void THRnouveaulaby::showGrowth() {
    QElapsedTimer clock;
    clock.start();
    m_window.CVprincipal->showLive(m_window.MatriceLabyrinthe, m_liveColors);
    const qint64 cost = clock.nsecsElapsed() + m_window.CVprincipal->lastPaintNanoseconds();
    m_flushNanoseconds = std::max<qint64>(FlushMilliseconds * 1'000'000LL, FlushCostFactor * cost);
}

void THRnouveaulaby::readStopRequest() {
    m_stopRequested = DocumentState::instance().stopRequested();
}

void THRnouveaulaby::stopAndFinish() {
    if (!m_generator)
        return;
    DocumentState::instance().setStopRequested(true);
    readStopRequest();
    m_generator->runToEnd();
    Finish();
}

void THRnouveaulaby::Finish() {
    m_slices.stop();
    m_generator.reset();
    LabyWin& w = m_window;
    w.Laby = true;
    DocumentState::instance().drawingEnds();
    w.CVprincipal->stopLive();
    w.AllowRefresh = true;
    w.markGridChanged();
    w.AllowResizing = false;
    w.Grower->setVisible(true);
    w.Refresh();
    Q_EMIT finished();
}

void THRnouveaulaby::TracePixel(int x, int y, int code) {
    m_window.CVprincipal->setLiveCell(x, y, m_window.Couleurs.Couleur(code),
                                      std::max(m_window.Epaisseurtrait, 1));
}

void THRnouveaulaby::TracePixelES(int x, int y, int code) {
    m_window.CVprincipal->setLiveCell(x, y, m_window.Couleurs.CouleurES(code),
                                      std::max(m_window.Epaisseurtrait, 1));
}

void THRnouveaulaby::SavePixel(int x, int y, int code) {
    if (m_window.LabyrinthePicture.isNull())
        return;
    const int e = std::max(m_window.Epaisseurtrait, 1);
    QPainter painter(&m_window.LabyrinthePicture);
    painter.fillRect(x * e, y * e, e, e, QColor::fromRgb(m_window.Couleurs.Couleur(code)));
}

void THRnouveaulaby::SavePixelES(int x, int y, int code) {
    if (m_window.LabyrinthePicture.isNull())
        return;
    const int e = std::max(m_window.Epaisseurtrait, 1);
    QPainter painter(&m_window.LabyrinthePicture);
    painter.fillRect(x * e, y * e, e, e, QColor::fromRgb(m_window.Couleurs.CouleurES(code)));
}
