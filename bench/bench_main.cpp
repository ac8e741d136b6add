// meandrolith_bench: timings and peak memory of the maze program, printed as a table.
//
//   meandrolith_bench            full report on a 2000 x 2000 cell grid
//   meandrolith_bench --quick    500 x 500 cells, one run of each (smoke run)
//   meandrolith_bench --memory   child mode: draws and solves one maze in the window, then
//                                prints its peak memory (the full report starts it itself)
//
// The exit code is 0 whether targets are met or not: this is a report, not a test. A setup
// that cannot be measured at all (window of the wrong size, drawing that never ends) exits 2.

#include "app/App.h"
#include "app/PaletteWin.h"
#include "files/PictureFiles.h"
#include "files/TaggedFile.h"
#include "maze/ColorTable.h"
#include "maze/GridPicture.h"
#include "maze/MazeGenerator.h"
#include "maze/MazeGrid.h"
#include "maze/SolutionFinder.h"
#include "settings/Reglageswin.h"
#include "ui/ModalSeam.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"
#include "view/THRnouveaulaby.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int CorridorSetting = 900;
const QString Nouveau = QStringLiteral("Nouveau");
const QString Tracer = QStringLiteral("Tracer");
const QString StopCaption = QStringLiteral("Stop!");

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Wall time and the process's CPU time: on a machine shared with other work the wall time
// also counts the time spent waiting for a CPU, the CPU time does not, so ratios give both.
struct Span {
    double wallS = 0;
    double cpuS = 0;
};

class Stopwatch {
public:
    Stopwatch() : m_wall(Clock::now()), m_cpu(processCpuSeconds()) {}
    [[nodiscard]] Span elapsed() const {
        return {msBetween(m_wall, Clock::now()) / 1000.0, processCpuSeconds() - m_cpu};
    }

private:
    Clock::time_point m_wall;
    double m_cpu;
};

double median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double maxOf(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

struct Config {
    bool quick = false;
    bool verbose = false; // one line per run on stderr
    int side = 2000;      // cells per side; cell size 1, so also canvas pixels
    int generationRuns = 5;
    int liveRuns = 3;
    int repaintRuns = 10;
    int solveRuns = 5;
    int fileRuns = 5;
};

// ---------------------------------------------------------------------------------------
// The table.

struct Row {
    std::string name;
    std::string value;  // median, with its unit
    int runs = 0;       // 0: not a measurement over runs
    std::string target; // empty: information only
    std::string verdict;
    std::string detail;
};

std::vector<Row> g_rows;

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void addRow(std::string name, std::string value, int runs, std::string target,
            std::optional<bool> pass, std::string detail = {}) {
    std::string verdict = target.empty() ? "info" : pass ? (*pass ? "PASS" : "FAIL") : "n/a";
    g_rows.push_back({std::move(name), std::move(value), runs, std::move(target),
                      std::move(verdict), std::move(detail)});
}

void printTable(const Config& config) {
    std::printf("\nmeandrolith_bench  grid %d x %d cells, cell size 1%s\n", config.side,
                config.side, config.quick ? "  (--quick: one run each, targets are for 2000)" : "");
    std::printf("%-44s %12s %4s %14s  %-7s %s\n", "measurement", "median", "N", "target", "verdict",
                "detail");
    std::printf("%s\n", std::string(44 + 1 + 12 + 1 + 4 + 1 + 14 + 2 + 7 + 1 + 40, '-').c_str());
    int failures = 0;
    for (const Row& row : g_rows) {
        const std::string runs = row.runs > 0 ? std::to_string(row.runs) : "-";
        std::printf("%-44s %12s %4s %14s  %-7s %s\n", row.name.c_str(), row.value.c_str(),
                    runs.c_str(), row.target.empty() ? "-" : row.target.c_str(),
                    row.verdict.c_str(), row.detail.c_str());
        if (row.verdict == "FAIL")
            ++failures;
    }
    std::printf("\n%s\n",
                failures == 0
                    ? "All targets met."
                    : (std::to_string(failures) + " target(s) FAILED (see FAIL above).").c_str());
}

// ---------------------------------------------------------------------------------------
// Process memory.

struct Memory {
    long hwmKb = -1; // peak resident set
    long rssKb = -1;
};

Memory readMemory() {
    Memory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return memory;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts[0] == "VmHWM:")
            memory.hwmKb = parts[1].toLong();
        else if (parts[0] == "VmRSS:")
            memory.rssKb = parts[1].toLong();
    }
    return memory;
}

// The 1-minute load average: other processes on the machine skew every timing.
std::string loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "unknown";
    return file.readAll().split(' ').value(0).toStdString();
}

// ---------------------------------------------------------------------------------------
// Driving the windows.

int g_dialogs = 0; // dialogs that appeared during the measurements (none should)

void installDialogGuard() {
    ModalSeam::setResponder([](QDialog& dialog) {
        ++g_dialogs;
        std::fprintf(stderr, "bench: unexpected dialog \"%s\" dismissed\n",
                     qPrintable(dialog.objectName()));
        dialog.reject();
    });
}

void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (timer.elapsed() < milliseconds);
}

// Empties the window, sizes its canvas to side x side pixels at cell size 1.
bool prepareWindow(LabyWin* window, PaletteWin* palette, int side) {
    if (window->THRnouveaulaby1->isRunning())
        return false;
    if (window->Laby || palette->PBtracer->text() != Tracer)
        window->ClearCVlaby();
    window->Epaisseurtrait = 1;
    window->setContentSize(side + 2 * LabyWin::CanvasMargin, side + 2 * LabyWin::CanvasMargin);
    settle(20);
    if (window->CVprincipal->size() != QSize(side, side)) {
        std::fprintf(stderr, "bench: canvas is %d x %d, expected %d x %d\n",
                     window->CVprincipal->width(), window->CVprincipal->height(), side, side);
        return false;
    }
    return palette->PBtracer->text() == Tracer;
}

struct LiveRun {
    bool ok = false;
    double wallMs = 0;          // BoutonNouveau until the button reads "Nouveau"
    double maxGapMs = 0;        // longest gap between two event-loop turns, start to repaint
    double maxGapCpuMs = 0;     // GUI-thread CPU time in the longest-working gap (no preemption)
    double maxGapGrowingMs = 0; // the same, only while the maze grows
    double startGapMs = 0;      // the turn that holds BoutonNouveau itself
    double endGapMs = 0;        // longest gap from the end of growth to the final repaint
    int paints = 0;             // canvas paint events
    double paintMs = 0;         // time inside the canvas's paint handler
    double cpuS = 0;            // process CPU time from BoutonNouveau to "Nouveau"
    bool stopSent = false;
    double stopLatencyMs = -1; // click on "Stop!" until the button reads "Nouveau"
};

// One drawing in the window, timed from BoutonNouveau until PBtracer reads "Nouveau". A
// 0 ms timer marks every event-loop turn. With stopAfterMs >= 0, PBtracer is clicked that
// long after the start, as a user stopping the drawing would.
LiveRun drawInWindow(LabyWin* window, PaletteWin* palette, std::uint64_t seed,
                     int stopAfterMs = -1) {
    LiveRun run;
    THRnouveaulaby::fixedSeed = seed;

    std::vector<Clock::time_point> turns;
    std::vector<double> turnCpu; // GUI thread's CPU time at each turn, in ms
    turns.reserve(1 << 16);
    turnCpu.reserve(1 << 16);
    Clock::time_point started;
    Clock::time_point done;
    double cpuStarted = 0;
    double cpuDone = 0;
    Clock::time_point stopClicked;
    bool isDone = false;
    bool timedOut = false;
    int turnsAfterDone = 0;
    int paintsAfterDone = 0;

    QEventLoop loop;
    QTimer turnMarker;
    turnMarker.setInterval(0);
    QObject::connect(&turnMarker, &QTimer::timeout, &loop, [&] {
        turns.push_back(Clock::now());
        turnCpu.push_back(threadCpuMs());
        if (!isDone && palette->PBtracer->text() == Nouveau) {
            // Finished without the signal (should not happen); still time it at this turn.
            isDone = true;
            done = turns.back();
            cpuDone = processCpuSeconds();
        }
        // Until the final repaint has been made, so that its gap is measured too.
        if (isDone && ++turnsAfterDone >= 2 && (paintsAfterDone > 0 || turnsAfterDone > 2000))
            loop.quit();
    });
    const auto connection =
        QObject::connect(window->THRnouveaulaby1, &THRnouveaulaby::finished, &loop, [&] {
            if (!isDone) {
                isDone = true;
                done = Clock::now();
                cpuDone = processCpuSeconds();
            }
        });
    QTimer stopTimer;
    stopTimer.setSingleShot(true);
    QObject::connect(&stopTimer, &QTimer::timeout, &loop, [&] {
        if (palette->PBtracer->text() == StopCaption) {
            run.stopSent = true;
            stopClicked = Clock::now();
            palette->PBtracer->click();
        }
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });

    // The canvas's paint handler, timed: how much of the drawing goes to painting.
    MazeCanvas* canvas = window->CVprincipal;
    const std::function<void(QPainter&)> paintHandler = canvas->paintHandler;
    canvas->paintHandler = [&](QPainter& g) {
        const auto t0 = Clock::now();
        paintHandler(g);
        ++run.paints;
        run.paintMs += msBetween(t0, Clock::now());
        if (isDone)
            ++paintsAfterDone;
    };

    // Started a few turns in, so that the turn holding BoutonNouveau has a turn before it.
    QTimer::singleShot(5, &loop, [&] {
        started = Clock::now();
        cpuStarted = processCpuSeconds();
        palette->BoutonNouveau();
        if (stopAfterMs >= 0)
            stopTimer.start(stopAfterMs);
    });
    turnMarker.start();
    safety.start(300'000);
    loop.exec();
    turnMarker.stop();
    QObject::disconnect(connection);
    canvas->paintHandler = paintHandler;

    if (timedOut || !isDone) {
        std::fprintf(stderr, "bench: the drawing did not end\n");
        return run;
    }
    run.ok = palette->PBtracer->text() == Nouveau;
    run.wallMs = msBetween(started, done);
    run.cpuS = cpuDone - cpuStarted;
    for (std::size_t i = 1; i < turns.size(); ++i) {
        const double gap = msBetween(turns[i - 1], turns[i]);
        run.maxGapMs = std::max(run.maxGapMs, gap);
        run.maxGapCpuMs = std::max(run.maxGapCpuMs, turnCpu[i] - turnCpu[i - 1]);
        if (turns[i - 1] <= started && turns[i] >= started)
            run.startGapMs = std::max(run.startGapMs, gap);
        else if (turns[i - 1] >= started && turns[i] <= done)
            run.maxGapGrowingMs = std::max(run.maxGapGrowingMs, gap);
        else if (turns[i] > done)
            run.endGapMs = std::max(run.endGapMs, gap);
    }
    if (run.stopSent)
        run.stopLatencyMs = msBetween(stopClicked, done);
    return run;
}

// ---------------------------------------------------------------------------------------
// --memory: one maze drawn in the window and solved, then the peak resident set.

int memoryMode(App& app, const Config& config) {
    installDialogGuard();
    app.Demarrer();
    settle(50);
    const Memory startup = readMemory();
    LabyWin* window = LabyWin::instance();
    PaletteWin* palette = PaletteWin::instance();
    if (!prepareWindow(window, palette, config.side))
        return 2;
    const LiveRun run = drawInWindow(window, palette, 1);
    if (!run.ok)
        return 2;
    settle(20);
    const Memory drawn = readMemory();
    // The user's way to the solution: ticking the box finds it and repaints with it.
    palette->CBsolution->setChecked(true);
    settle(50);
    const Memory solved = readMemory();
    std::printf("STARTUP_HWM_KB %ld\n", startup.hwmKb);
    std::printf("DRAWN_HWM_KB %ld\n", drawn.hwmKb);
    std::printf("SOLVED_HWM_KB %ld\n", solved.hwmKb);
    std::printf("SOLVED_RSS_KB %ld\n", solved.rssKb);
    std::printf("SOLUTION_FOUND %d\n", window->SolutionTrouvee ? 1 : 0);
    std::printf("DIALOGS %d\n", g_dialogs);
    std::fflush(stdout);
    return 0;
}

void measureMemoryInChild(const Config& config) {
    QProcess child;
    QStringList arguments{QStringLiteral("--memory")};
    if (config.quick)
        arguments << QStringLiteral("--quick");
    child.start(QCoreApplication::applicationFilePath(), arguments);
    const bool finished = child.waitForStarted(30'000) && child.waitForFinished(300'000);
    if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished(5'000);
        }
        addRow("peak memory, drawn + solved (VmHWM)", "error", 1, "< 150 MB", false,
               "child run failed: " + child.readAllStandardError().left(200).toStdString());
        return;
    }
    long startupKb = -1;
    long drawnKb = -1;
    long solvedKb = -1;
    long rssKb = -1;
    int found = 0;
    int dialogs = 0;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() != 2)
            continue;
        const long value = parts[1].toLong();
        if (parts[0] == "STARTUP_HWM_KB")
            startupKb = value;
        else if (parts[0] == "DRAWN_HWM_KB")
            drawnKb = value;
        else if (parts[0] == "SOLVED_HWM_KB")
            solvedKb = value;
        else if (parts[0] == "SOLVED_RSS_KB")
            rssKb = value;
        else if (parts[0] == "SOLUTION_FOUND")
            found = static_cast<int>(value);
        else if (parts[0] == "DIALOGS")
            dialogs = static_cast<int>(value);
    }
    const double mb = static_cast<double>(solvedKb) / 1024.0;
    std::string detail = "start-up " + format("%.1f", startupKb / 1024.0) + " MB, after drawing " +
                         format("%.1f", drawnKb / 1024.0) + " MB, RSS at end " +
                         format("%.1f", rssKb / 1024.0) + " MB";
    if (!found)
        detail += "; NO SOLUTION FOUND";
    if (dialogs > 0)
        detail += "; " + std::to_string(dialogs) + " unexpected dialog(s)";
    addRow("peak memory, drawn + solved (VmHWM)", format("%.1f MB", mb), 1, "< 150 MB",
           solvedKb > 0 && mb < 150.0, detail);
}

// ---------------------------------------------------------------------------------------
// The full report.

struct Headless {
    double medianSeconds = 0;
    MazeGrid seed1; // for comparison with the window's drawing
};

Headless headlessGeneration(const Config& config) {
    Headless headless;
    const int bound = config.side - 1; // side cells: 0..side-1
    std::vector<double> seconds;
    std::vector<double> cpu;
    for (int i = 0; i < config.generationRuns; ++i) {
        MazeGrid grid;
        const Stopwatch watch;
        MazeGenerator::generate(grid, bound, bound, static_cast<std::uint64_t>(i + 1),
                                CorridorSetting);
        const Span span = watch.elapsed();
        seconds.push_back(span.wallS);
        cpu.push_back(span.cpuS);
        if (config.verbose)
            std::fprintf(stderr, "headless seed %d: %.3f s (CPU %.3f s)\n", i + 1, span.wallS,
                         span.cpuS);
        if (i == 0)
            headless.seed1 = grid;
    }
    const double med = median(seconds);
    headless.medianSeconds = med;
    const double cells = static_cast<double>(config.side) * config.side;
    addRow("1. headless generation (corridor 900)", format("%.3f s", med), config.generationRuns,
           "<= 0.8 s", med <= 0.8,
           format("%.2f Mcells/s", cells / med / 1e6) + "; seeds 1-" +
               std::to_string(config.generationRuns) + ": min " +
               format("%.3f", *std::min_element(seconds.begin(), seconds.end())) + " s, max " +
               format("%.3f s", maxOf(seconds)) + "; CPU median " + format("%.3f s", median(cpu)));
    return headless;
}

Span headlessRun(const Config& config, std::uint64_t seed) {
    MazeGrid grid;
    const Stopwatch watch;
    MazeGenerator::generate(grid, config.side - 1, config.side - 1, seed, CorridorSetting);
    return watch.elapsed();
}

// The window's way of running the generator, without the window: the per-cell hooks the
// window installs, 8 ms slices, and with paintEvery > 0 a paint of the whole canvas picture
// (background fill, then the picture) after every paintEvery-th slice, as a flush of a
// dirty rectangle that spans the canvas does. With fromGrid, no per-cell hook: the picture
// is rebuilt from the grid before each paint instead (open cells transparent).
Span slicedGeneration(const Config& config, std::uint64_t seed, int paintEvery,
                      bool fromGrid = false) {
    const int bound = config.side - 1;
    MazeGrid grid;
    QImage picture(config.side, config.side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    const int margin = LabyWin::CanvasMargin;
    QImage store(config.side + 2 * margin, config.side + 2 * margin,
                 QImage::Format_ARGB32_Premultiplied);
    QRect dirty;
    std::array<QRgb, 256> liveColors{};
    for (std::size_t code = 1; code < liveColors.size(); ++code)
        liveColors[code] = 0xff000000u | static_cast<QRgb>(code);
    const Stopwatch watch;
    MazeGenerator::Hooks hooks{
        .paintCell =
            [&](int x, int y, std::uint8_t code) {
                reinterpret_cast<QRgb*>(picture.scanLine(y))[x] = 0xff000000u | code;
                dirty |= QRect(x, y, 1, 1);
            },
        .continuationThreshold = [] { return Reglageswin::instance()->Slider1->value(); },
        .takeStopRequest =
            [] {
                return false;
            }};
    if (fromGrid)
        hooks.paintCell = {};
    MazeGenerator generator(grid, bound, bound, seed, std::move(hooks));
    int slices = 0;
    bool done = false;
    while (!done) {
        done = generator.runUntil(Clock::now() +
                                  std::chrono::milliseconds(THRnouveaulaby::SliceMilliseconds));
        ++slices;
        if (fromGrid && (slices % paintEvery == 0 || done)) {
            for (int y = 0; y < grid.rows(); ++y) {
                const std::uint8_t* codes = grid.row(y);
                auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
                for (int x = 0; x < grid.columns(); ++x)
                    line[x] = liveColors[codes[x]];
            }
            dirty = picture.rect();
        }
        if (paintEvery > 0 && (slices % paintEvery == 0 || done) && !dirty.isEmpty()) {
            QPainter painter(&store);
            const QRect target = dirty.translated(margin, margin);
            painter.fillRect(target, Qt::white);
            painter.setClipRect(target);
            painter.drawImage(margin, margin, picture);
            dirty = {};
        }
    }
    return watch.elapsed();
}

// Where the window's extra time can go, each variant timed right after a headless run of
// the same seed so that the ratios hold even on a busy machine.
void slicedModels(const Config& config) {
    struct Variant {
        const char* name;
        int paintEvery;
        bool fromGrid;
        std::vector<double> seconds;
        std::vector<double> wallRatios;
        std::vector<double> cpuRatios;
    };
    std::vector<Variant> variants = {
        {"   model: 8 ms slices + hooks, no painting", 0, false, {}, {}, {}},
        {"   model: + full-canvas paint every slice", 1, false, {}, {}, {}},
        {"   model: + full-canvas paint every 4th slice", 4, false, {}, {}, {}},
        {"   model: every 4th, picture from grid", 4, true, {}, {}, {}},
    };
    for (int i = 0; i < config.liveRuns; ++i) {
        const auto seed = static_cast<std::uint64_t>(i + 1);
        for (Variant& variant : variants) {
            const Span reference = headlessRun(config, seed);
            const Span span = slicedGeneration(config, seed, variant.paintEvery, variant.fromGrid);
            variant.seconds.push_back(span.wallS);
            variant.wallRatios.push_back(span.wallS / reference.wallS);
            variant.cpuRatios.push_back(span.cpuS / reference.cpuS);
            if (config.verbose)
                std::fprintf(stderr,
                             "%s seed %d: %.3f s (CPU %.3f s), headless just before %.3f s "
                             "(CPU %.3f s)\n",
                             variant.name + 3, static_cast<int>(seed), span.wallS, span.cpuS,
                             reference.wallS, reference.cpuS);
        }
    }
    for (const Variant& variant : variants)
        addRow(variant.name, format("%.3f s", median(variant.seconds)), config.liveRuns, {},
               std::nullopt,
               "vs headless of the same seed: " + format("%.2fx wall", median(variant.wallRatios)) +
                   ", " + format("%.2fx CPU", median(variant.cpuRatios)) + " (no window)");
}

// Timed drawings of seeds liveRuns..1, each right after a headless run of the same seed,
// so that the ratio holds on a busy machine. The window is left with the maze of seed 1.
struct LiveSeries {
    std::vector<double> wall; // ms
    std::vector<double> gaps;
    std::vector<double> cpuGaps;
    std::vector<double> references; // headless ms of the same seed
    std::vector<double> growingGaps;
    std::vector<double> startGaps;
    std::vector<double> endGaps;
    std::vector<double> sameSeedRatios;
    std::vector<double> sameSeedCpuRatios;
    std::vector<double> paintShares;
    std::vector<double> paintCounts;
    bool sameAsHeadless = false;
};

bool drawSeries(const Config& config, LabyWin* window, PaletteWin* palette,
                const Headless& headless, LiveSeries& series, const char* label) {
    for (int i = 0; i < config.liveRuns; ++i) {
        const auto seed = static_cast<std::uint64_t>(config.liveRuns - i);
        if (!prepareWindow(window, palette, config.side))
            return false;
        const Span reference = headlessRun(config, seed);
        const LiveRun run = drawInWindow(window, palette, seed);
        if (!run.ok)
            return false;
        if (config.verbose)
            std::fprintf(stderr,
                         "%s seed %d: %.3f s (CPU %.3f s), headless just before %.3f s (CPU "
                         "%.3f s), %d paints taking %.1f ms, longest gap %.1f ms (CPU %.1f ms; "
                         "start %.1f, growing %.1f, end %.1f)\n",
                         label ? label : "live", static_cast<int>(seed), run.wallMs / 1000.0,
                         run.cpuS, reference.wallS, reference.cpuS, run.paints, run.paintMs,
                         run.maxGapMs, run.maxGapCpuMs, run.startGapMs, run.maxGapGrowingMs,
                         run.endGapMs);
        series.wall.push_back(run.wallMs);
        series.gaps.push_back(run.maxGapMs);
        series.cpuGaps.push_back(run.maxGapCpuMs);
        series.references.push_back(reference.wallS * 1000.0);
        series.growingGaps.push_back(run.maxGapGrowingMs);
        series.startGaps.push_back(run.startGapMs);
        series.endGaps.push_back(run.endGapMs);
        series.paintShares.push_back(run.paintMs / run.wallMs);
        series.paintCounts.push_back(run.paints);
        series.sameSeedRatios.push_back(run.wallMs / 1000.0 / reference.wallS);
        series.sameSeedCpuRatios.push_back(run.cpuS / reference.cpuS);
        if (seed == 1)
            series.sameAsHeadless = window->MatriceLabyrinthe == headless.seed1;
    }
    return true;
}

// Holds back the maze window's repaint requests so that it repaints at most once per
// interval; the repaint manager keeps collecting the dirty region meanwhile. It shows what
// the live drawing would cost if the canvas were flushed less often than every slice.
class UpdateThrottle : public QObject {
public:
    UpdateThrottle(QWidget* window, int intervalMs) : m_window(window), m_interval(intervalMs) {
        m_since.start();
        m_later.setSingleShot(true);
        QObject::connect(&m_later, &QTimer::timeout, this, [this] {
            QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest),
                                        Qt::LowEventPriority);
        });
        m_window->installEventFilter(this);
    }
    ~UpdateThrottle() override { m_window->removeEventFilter(this); }
    int heldBack = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || event->type() != QEvent::UpdateRequest)
            return false;
        if (m_since.elapsed() >= m_interval) {
            m_since.restart();
            return false;
        }
        ++heldBack;
        if (!m_later.isActive())
            m_later.start(static_cast<int>(m_interval - m_since.elapsed()));
        return true;
    }

private:
    QWidget* m_window;
    qint64 m_interval;
    QElapsedTimer m_since;
    QTimer m_later;
};

void throttledWhatIf(const Config& config, LabyWin* window, PaletteWin* palette,
                     const Headless& headless, bool& setupOk) {
    constexpr int Interval = 32;
    LiveSeries series;
    int heldBack = 0;
    {
        UpdateThrottle throttle(window, Interval);
        if (!drawSeries(config, window, palette, headless, series, "throttled")) {
            setupOk = false;
            return;
        }
        heldBack = throttle.heldBack;
    }
    settle(2 * Interval);
    addRow("   what-if: window repaints <= 1 per 32 ms",
           format("%.3f s", median(series.wall) / 1000.0), config.liveRuns, {}, std::nullopt,
           "vs headless of the same seed: " + format("%.2fx wall", median(series.sameSeedRatios)) +
               ", " + format("%.2fx CPU", median(series.sameSeedCpuRatios)) + "; " +
               format("%.0f paints", median(series.paintCounts)) + ", longest gap " +
               format("%.1f ms", median(series.gaps)) + "; " + std::to_string(heldBack) +
               " repaint requests held back (emulated in the bench)");
}

void liveDrawing(const Config& config, LabyWin* window, PaletteWin* palette,
                 const Headless& headless, bool& setupOk) {
    const double headlessMs = headless.medianSeconds * 1000.0;

    // Stops first: they also warm the window up at its full size.
    const int stopAfter = config.quick ? std::max(1, static_cast<int>(headlessMs * 0.3)) : 300;
    std::vector<double> latencies;
    std::vector<double> stopGaps;
    for (int i = 0; i < config.liveRuns; ++i) {
        if (!prepareWindow(window, palette, config.side)) {
            setupOk = false;
            return;
        }
        const LiveRun run =
            drawInWindow(window, palette, static_cast<std::uint64_t>(11 + i), stopAfter);
        if (!run.ok) {
            setupOk = false;
            return;
        }
        if (config.verbose)
            std::fprintf(stderr,
                         "stop run %d: stop %s, latency %.1f ms, longest gap %.1f ms (CPU %.1f ms; "
                         "start %.1f, growing %.1f, end %.1f)\n",
                         i + 1, run.stopSent ? "sent" : "not sent", run.stopLatencyMs, run.maxGapMs,
                         run.maxGapCpuMs, run.startGapMs, run.maxGapGrowingMs, run.endGapMs);
        if (run.stopSent) {
            latencies.push_back(run.stopLatencyMs);
            stopGaps.push_back(run.maxGapMs);
        }
    }

    LiveSeries series;
    if (!drawSeries(config, window, palette, headless, series, nullptr)) {
        setupOk = false;
        return;
    }
    const std::vector<double>& wall = series.wall;
    const std::vector<double>& gaps = series.gaps;
    const std::vector<double>& cpuGaps = series.cpuGaps;
    const std::vector<double>& references = series.references;
    const std::vector<double>& growingGaps = series.growingGaps;
    const std::vector<double>& startGaps = series.startGaps;
    const std::vector<double>& endGaps = series.endGaps;
    const std::vector<double>& sameSeedRatios = series.sameSeedRatios;
    const std::vector<double>& sameSeedCpuRatios = series.sameSeedCpuRatios;
    const std::vector<double>& paintShares = series.paintShares;
    const std::vector<double>& paintCounts = series.paintCounts;
    const bool sameAsHeadless = series.sameAsHeadless;
    // The limit is 1.5 times the headless time of the same mazes, each generated headless
    // just before its drawing: the time varies a lot from one seed to the next, and the
    // pairing keeps a busy machine from tilting the comparison.
    const double wallMed = median(wall);
    const double limit = 1.5 * median(references);
    addRow("2. live drawing in the window", format("%.3f s", wallMed / 1000.0), config.liveRuns,
           format("<= %.3f s", limit / 1000.0), wallMed <= limit,
           "1.5x headless " + format("%.3f s", median(references) / 1000.0) +
               " of the same seeds; per seed: " + format("%.2fx wall", median(sameSeedRatios)) +
               ", " + format("%.2fx CPU", median(sameSeedCpuRatios)) + "; " +
               format("%.2fx the row-1 median", wallMed / headlessMs) + "; max " +
               format("%.3f s", maxOf(wall) / 1000.0) + "; canvas paint handler " +
               format("%.0f%% of the time", 100.0 * median(paintShares)) + " in " +
               format("%.0f paints", median(paintCounts)) +
               "; same maze as headless seed 1: " + (sameAsHeadless ? "yes" : "NO"));
    const double gapMed = median(gaps);
    addRow("   longest event-loop gap", format("%.1f ms", gapMed), config.liveRuns, "<= 20 ms",
           gapMed <= 20.0,
           "worst run " + format("%.1f ms", maxOf(gaps)) + "; GUI-thread CPU in the longest: " +
               format("%.1f ms", median(cpuGaps)) + " (worst " + format("%.1f ms", maxOf(cpuGaps)) +
               "); medians of the longest: growing " + format("%.1f", median(growingGaps)) +
               ", start click " + format("%.1f", median(startGaps)) + ", end + final repaint " +
               format("%.1f ms", median(endGaps)));
    if (!latencies.empty())
        addRow("   stop latency (click Stop! -> Nouveau)", format("%.1f ms", median(latencies)),
               static_cast<int>(latencies.size()), "<= 50 ms", median(latencies) <= 50.0,
               "click " + std::to_string(stopAfter) + " ms after start; worst " +
                   format("%.1f ms", maxOf(latencies)) + "; longest gap in those runs " +
                   format("%.1f ms", maxOf(stopGaps)));
    else
        addRow("   stop latency (click Stop! -> Nouveau)", "not sent", 0, "<= 50 ms", std::nullopt,
               "every drawing ended before " + std::to_string(stopAfter) + " ms");
}

void repaint(const Config& config, LabyWin* window, PaletteWin* palette) {
    MazeCanvas* canvas = window->CVprincipal;
    settle(20);
    // Counts the canvas's paints, so that a repaint that painted nothing cannot pass.
    int paints = 0;
    const std::function<void(QPainter&)> paintHandler = canvas->paintHandler;
    canvas->paintHandler = [&](QPainter& g) {
        paintHandler(g);
        ++paints;
    };
    std::vector<double> rebuilt;
    std::vector<double> cached;
    for (int i = 0; i < config.repaintRuns; ++i) {
        window->markGridChanged();
        const auto t0 = Clock::now();
        canvas->repaint();
        rebuilt.push_back(msBetween(t0, Clock::now()));
    }
    const int rebuiltPaints = paints;
    paints = 0;
    for (int i = 0; i < config.repaintRuns; ++i) {
        const auto t0 = Clock::now();
        canvas->repaint();
        cached.push_back(msBetween(t0, Clock::now()));
    }
    const int cachedPaints = paints;
    canvas->paintHandler = paintHandler;
    const auto painted = [&](int count) {
        return count == config.repaintRuns
                   ? std::string()
                   : "; WARNING: " + std::to_string(count) + " paint(s) for " +
                         std::to_string(config.repaintRuns) + " repaints";
    };
    const double rebuiltMed = median(rebuilt);
    addRow("3. canvas repaint, picture rebuilt", format("%.2f ms", rebuiltMed), config.repaintRuns,
           "<= 16 ms", rebuiltMed <= 16.0,
           "max " + format("%.2f ms", maxOf(rebuilt)) + painted(rebuiltPaints));
    const double cachedMed = median(cached);
    addRow("   canvas repaint, picture unchanged", format("%.2f ms", cachedMed), config.repaintRuns,
           "<= 16 ms", cachedMed <= 16.0,
           "max " + format("%.2f ms", maxOf(cached)) + painted(cachedPaints));

    // Where a rebuilt repaint's time goes.
    const bool withSolution = palette->CBsolution->isChecked();
    QImage cells;
    GridPicture::paintCells(window->MatriceLabyrinthe, window->Couleurs, withSolution, cells);
    std::vector<double> lookups;
    for (int i = 0; i < config.repaintRuns; ++i) {
        const auto t0 = Clock::now();
        GridPicture::paintCells(window->MatriceLabyrinthe, window->Couleurs, withSolution, cells);
        lookups.push_back(msBetween(t0, Clock::now()));
    }
    addRow("   of which: cell picture rebuild", format("%.2f ms", median(lookups)),
           config.repaintRuns, {}, std::nullopt, "GridPicture::paintCells, one lookup per cell");
    QImage target(canvas->size(), QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    std::vector<double> blits;
    for (int i = 0; i < config.repaintRuns; ++i) {
        QPainter painter(&target);
        const auto t0 = Clock::now();
        painter.fillRect(target.rect(), QColor::fromRgb(window->Couleurs.at(0)));
        painter.drawImage(0, 0, canvas->cellPicture());
        painter.end();
        blits.push_back(msBetween(t0, Clock::now()));
    }
    addRow("   of which: fill + drawImage into an image", format("%.2f ms", median(blits)),
           config.repaintRuns, {}, std::nullopt, "what CVprincipal_Paint draws, off-window");
}

void solve(const Config& config, LabyWin* window) {
    const MazeGrid maze = window->MatriceLabyrinthe;
    std::vector<double> seconds;
    SolutionFinder::Result result;
    for (int i = 0; i < config.solveRuns; ++i) {
        MazeGrid copy = maze;
        const auto t0 = Clock::now();
        result = SolutionFinder::find(copy);
        seconds.push_back(msBetween(t0, Clock::now()) / 1000.0);
    }
    const double med = median(seconds);
    addRow("4. FindSolution (SolutionFinder::find)", format("%.3f s", med), config.solveRuns,
           "<= 0.15 s", med <= 0.15,
           std::string(result.found ? "found" : "NOT FOUND") + ", " +
               std::to_string(result.lastStep) + " steps walked, " +
               std::to_string(result.markedCells) + " cells marked");
}

// The maze of seed 1, solved, saved and read back in the tagged format (side > 255, so its
// dimensions go in a /DIML/ record) and exported as a PNG picture at cell size 1.
void files(const Config& config, const MazeGrid& generated) {
    MazeGrid grid = generated;
    const bool solved = SolutionFinder::find(grid).found;
    const ColorTable colors;
    TaggedFile::Settings settings;
    settings.corridor = CorridorSetting;
    settings.title.text = QStringLiteral("Labyrinthe");
    settings.thickness = 1;
    for (std::size_t i = 0; i < settings.colors.size(); ++i)
        settings.colors[i] = colors.at(static_cast<int>(i));
    const std::string size = std::to_string(config.side) + "x" + std::to_string(config.side);

    std::vector<double> writes;
    QByteArray saved;
    bool written = true;
    for (int i = 0; i < config.fileRuns; ++i) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const Stopwatch watch;
        written = TaggedFile::writeMaze(buffer, settings, grid) && written;
        writes.push_back(watch.elapsed().wallS);
        saved = bytes;
    }
    const bool dimensionsRecord = saved.contains("/DIML/");
    addRow("tagged write " + size + " (with /DIML/)", format("%.4f s", median(writes)),
           config.fileRuns, "<= 0.3 s", median(writes) <= 0.3,
           format("%.1f MB", static_cast<double>(saved.size()) / 1e6) + " into a QBuffer; max " +
               format("%.4f s", maxOf(writes)) + (solved ? "; solution shown" : "") +
               (written ? "" : "; WRITE FAILED") + (dimensionsRecord ? "" : "; NO /DIML/ RECORD"));

    std::vector<double> reads;
    bool sameGrid = false;
    QString error;
    for (int i = 0; i < config.fileRuns; ++i) {
        QBuffer buffer(&saved);
        buffer.open(QIODevice::ReadOnly);
        const Stopwatch watch;
        const TaggedFile::ReadResult result = TaggedFile::read(buffer);
        reads.push_back(watch.elapsed().wallS);
        error = result.error;
        sameGrid = std::any_of(result.records.begin(), result.records.end(),
                               [&grid](const TaggedFile::Record& record) {
                                   return record.kind == TaggedFile::Record::Kind::Grid &&
                                          record.grid == grid;
                               });
    }
    addRow("tagged read " + size, format("%.4f s", median(reads)), config.fileRuns, "<= 0.3 s",
           median(reads) <= 0.3,
           "max " + format("%.4f s", maxOf(reads)) +
               "; same grid read back: " + (sameGrid ? "yes" : "NO") +
               (error.isEmpty() ? "" : "; error: " + error.toStdString()));

    QTemporaryDir folder;
    std::vector<double> exports;
    std::vector<double> renders;
    qint64 fileSize = -1;
    QString reason;
    bool exported = folder.isValid();
    for (int i = 0; exported && i < config.fileRuns; ++i) {
        const QString path = folder.filePath(QStringLiteral("maze.png"));
        const Stopwatch watch;
        const QImage picture = GridPicture::render(grid, colors, true, 1);
        const Span rendered = watch.elapsed();
        exported = PictureFiles::write(PictureFiles::Png, picture, path, &reason);
        exports.push_back(watch.elapsed().wallS);
        renders.push_back(rendered.wallS);
        fileSize = QFileInfo(path).size();
    }
    addRow("PNG export " + size + " at E=1", format("%.3f s", median(exports)),
           static_cast<int>(exports.size()), {}, std::nullopt,
           exported ? "GridPicture::render " + format("%.4f s", median(renders)) +
                          " + PictureFiles::write; " + format("%.0f KB", fileSize / 1024.0)
                    : "FAILED: " + reason.toStdString());
}

int reportMode(App& app, const Config& config) {
    installDialogGuard();
    std::printf("meandrolith_bench: Qt %s, %d logical CPU(s), platform %s, load average %s\n",
                qVersion(), QThread::idealThreadCount(),
                qPrintable(QGuiApplication::platformName()), loadAverage().c_str());
    std::fflush(stdout);

    // 5. Peak memory is process-wide: measured in a fresh process, before anything else.
    measureMemoryInChild(config);

    const Headless headless = headlessGeneration(config);

    app.Demarrer();
    settle(50);
    LabyWin* window = LabyWin::instance();
    PaletteWin* palette = PaletteWin::instance();
    const int corridor = Reglageswin::instance()->Slider1->value();
    if (corridor != CorridorSetting)
        std::printf("warning: the window's corridor setting is %d, not %d\n", corridor,
                    CorridorSetting);
    slicedModels(config);

    bool setupOk = true;
    liveDrawing(config, window, palette, headless, setupOk);
    if (setupOk)
        throttledWhatIf(config, window, palette, headless, setupOk);
    if (setupOk) {
        repaint(config, window, palette);
        solve(config, window);
    }
    files(config, headless.seed1);

    // Keep the memory row last, as in the numbering.
    std::stable_partition(g_rows.begin(), g_rows.end(),
                          [](const Row& row) { return row.name.rfind("peak memory", 0) != 0; });
    printTable(config);
    if (g_dialogs > 0)
        std::printf("warning: %d unexpected dialog(s) were dismissed during the run\n", g_dialogs);
    if (!setupOk) {
        std::printf("ERROR: the window could not be measured (see messages above)\n");
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Config config;
    bool memory = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--quick") {
            config.quick = true;
        } else if (argument == "--verbose") {
            config.verbose = true;
        } else if (argument == "--memory") {
            memory = true;
        } else if (argument == "--help" || argument == "-h") {
            std::printf("usage: meandrolith_bench [--quick] [--verbose] [--memory]\n");
            return 0;
        }
    }
    if (config.quick) {
        config.side = 500;
        config.generationRuns = config.liveRuns = config.repaintRuns = config.solveRuns =
            config.fileRuns = 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    App app(argc, argv);
    return memory ? memoryMode(app, config) : reportMode(app, config);
}
