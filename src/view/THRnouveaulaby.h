#pragma once

#include "maze/MazeGenerator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QRgb>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class LabyWin;

// The maze generator's run on the maze window. It runs on the GUI thread in slices of a few
// milliseconds between event-loop turns, so the windows stay responsive and nothing else
// ever touches the grid while it grows.
class THRnouveaulaby : public QObject {
    Q_OBJECT
public:
    explicit THRnouveaulaby(LabyWin& window);
    ~THRnouveaulaby() override;

    // Sets up the run and returns at once; the growth continues from the event loop. The
    // corridor setting cannot change during a run: the settings are put away meanwhile.
    void Run(int continuationThreshold);
    [[nodiscard]] bool isRunning() const { return m_generator != nullptr; }
    // Asks the run to stop and completes it before returning (closing the window, opening
    // a file): nothing may find the grid half-grown afterwards.
    void stopAndFinish();

    // Cell painters: on the canvas, and into the export picture. The growing maze itself is
    // shown from the grid about 30 times a second, which costs less than a paint per cell.
    void TracePixel(int x, int y, int code);
    void TracePixelES(int x, int y, int code);
    void SavePixel(int x, int y, int code);
    void SavePixelES(int x, int y, int code);

    // The seed of every run when reproducible drawings were asked for (--seed).
    static std::optional<std::uint64_t> fixedSeed;
    // Time given to the generator between two event-loop turns.
    static constexpr int SliceMilliseconds = 8;
    // Shortest time between two repaints of the growing maze (about 30 per second). On
    // large grids a repaint costs more, and the pause grows so that showing the growth
    // never takes more than a tenth of the time.
    static constexpr int FlushMilliseconds = 33;
    static constexpr int FlushCostFactor = 10;

Q_SIGNALS:
    void finished();

private:
    void runSlice();
    void readStopRequest();
    void showGrowth();
    void Finish();

    LabyWin& m_window;
    std::unique_ptr<MazeGenerator> m_generator;
    QTimer m_slices;
    QElapsedTimer m_sinceFlush;
    qint64 m_flushNanoseconds = 0;
    // The stop request changes only between slices, when events are handled, so each
    // slice reads it once instead of at every draw.
    int m_continuationThreshold = 0;
    bool m_stopRequested = false;
    std::array<QRgb, 256> m_liveColors{};
};
