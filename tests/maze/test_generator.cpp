#include "maze/CellCode.h"
#include "maze/MazeGenerator.h"
#include "maze/MazeGrid.h"
#include "maze/SolutionFinder.h"

#include <QPoint>
#include <QTest>

#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

namespace {

// What the generator reported through its hooks, in order.
struct Event {
    enum Kind { Attempt, Draw, Paint } kind;
    int x = 0;
    int y = 0;
    std::uint8_t code = 0;
    bool operator==(const Event&) const = default;
};

struct Trace {
    MazeGrid grid;
    std::vector<Event> events;
    bool stoppedByRequest = false;
    int slices = 0;
};

// Far above what any run here needs (a few hundred thousand).
constexpr std::size_t RunawayEvents = 8'000'000;

Trace runRecorded(int largeur, int hauteur, std::uint64_t seed, int setting, bool sliced = false) {
    Trace trace;
    MazeGenerator generator(trace.grid, largeur, hauteur, seed,
                            {.paintCell =
                                 [&](int x, int y, std::uint8_t code) {
                                     trace.events.push_back({Event::Paint, x, y, code});
                                 },
                             .continuationThreshold =
                                 [&] {
                                     trace.events.push_back({Event::Draw});
                                     return setting;
                                 },
                             .takeStopRequest =
                                 [&] {
                                     trace.events.push_back({Event::Attempt});
                                     // A run that never ends would hang the suite; stopping it
                                     // shows as a failure.
                                     return trace.events.size() > RunawayEvents;
                                 }});
    if (sliced) {
        // A deadline already gone makes every slice as short as the generator allows.
        const auto past = MazeGenerator::Clock::now() - std::chrono::seconds(1);
        while (!generator.runUntil(past) && trace.slices < 10'000'000)
            ++trace.slices;
        ++trace.slices;
    } else {
        generator.runToEnd();
    }
    trace.stoppedByRequest = generator.stoppedByRequest();
    return trace;
}

MazeGrid gridFromRows(const std::vector<const char*>& rows) {
    MazeGrid grid;
    const int width = static_cast<int>(std::strlen(rows.front()));
    grid.resize(width - 1, static_cast<int>(rows.size()) - 1);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < width; ++x)
            grid.set(x, y, static_cast<std::uint8_t>(rows[static_cast<std::size_t>(y)][x] - '0'));
    return grid;
}

QString firstDifference(const MazeGrid& a, const MazeGrid& b) {
    if (a.Largeur() != b.Largeur() || a.Hauteur() != b.Hauteur())
        return QStringLiteral("sizes differ: %1x%2 vs %3x%4")
            .arg(a.Largeur())
            .arg(a.Hauteur())
            .arg(b.Largeur())
            .arg(b.Hauteur());
    for (int y = 0; y <= a.Hauteur(); ++y)
        for (int x = 0; x <= a.Largeur(); ++x)
            if (a.at(x, y) != b.at(x, y))
                return QStringLiteral("cell (%1,%2): %3 vs %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.at(x, y))
                    .arg(b.at(x, y));
    return QStringLiteral("grids are equal");
}

bool onBorder(const MazeGrid& grid, int x, int y) {
    return x == 0 || y == 0 || x == grid.Largeur() || y == grid.Hauteur();
}

// Empty when the grid has the generated layout: walled border with entrance and exit,
// and only open cells and walls inside.
QString layoutFault(const MazeGrid& grid) {
    const int L = grid.Largeur();
    const int H = grid.Hauteur();
    for (int y = 0; y <= H; ++y) {
        for (int x = 0; x <= L; ++x) {
            const int code = grid.at(x, y);
            if (onBorder(grid, x, y)) {
                int expected = CellCode::Wall;
                if (x == 1 && y == 0)
                    expected = CellCode::Entrance;
                else if (x == L - 1 && y == H)
                    expected = CellCode::Exit;
                if (code != expected)
                    return QStringLiteral("border cell (%1,%2) holds %3, expected %4")
                        .arg(x)
                        .arg(y)
                        .arg(code)
                        .arg(expected);
            } else if (code != CellCode::Open && code != CellCode::Wall) {
                return QStringLiteral("inner cell (%1,%2) holds %3").arg(x).arg(y).arg(code);
            }
        }
    }
    return {};
}

const QPoint Steps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

// Cells reached from `starts` by 4-steps through cells that `pass` accepts.
template <typename Pass>
std::vector<bool> flood(const MazeGrid& grid, const std::vector<QPoint>& starts, Pass pass) {
    std::vector<bool> seen(grid.cellCount(), false);
    std::deque<QPoint> queue;
    for (const QPoint& p : starts) {
        if (pass(grid.at(p.x(), p.y())) && !seen[grid.index(p.x(), p.y())]) {
            seen[grid.index(p.x(), p.y())] = true;
            queue.push_back(p);
        }
    }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        for (const QPoint& s : Steps) {
            const QPoint q = p + s;
            if (!grid.contains(q.x(), q.y()) || seen[grid.index(q.x(), q.y())] ||
                !pass(grid.at(q.x(), q.y())))
                continue;
            seen[grid.index(q.x(), q.y())] = true;
            queue.push_back(q);
        }
    }
    return seen;
}

// Empty when the generated maze is sound: no isolated wall, no sealed-off passage.
QString structureFault(const MazeGrid& grid) {
    const int L = grid.Largeur();
    const int H = grid.Hauteur();
    if (grid.at(1, 1) == CellCode::Wall)
        return QStringLiteral("cell (1,1) is a wall");
    if (grid.at(L - 1, H - 1) == CellCode::Wall)
        return QStringLiteral("cell above the exit is a wall");

    std::vector<QPoint> border;
    for (int x = 0; x <= L; ++x)
        border.insert(border.end(), {QPoint(x, 0), QPoint(x, H)});
    for (int y = 0; y <= H; ++y)
        border.insert(border.end(), {QPoint(0, y), QPoint(L, y)});
    const auto tied = flood(grid, border, [](int c) { return c == CellCode::Wall; });
    const auto reached = flood(grid, {QPoint(1, 1)}, [](int c) { return c != CellCode::Wall; });

    for (int y = 0; y <= H; ++y) {
        for (int x = 0; x <= L; ++x) {
            const bool wall = grid.at(x, y) == CellCode::Wall;
            if (wall && !tied[grid.index(x, y)])
                return QStringLiteral("wall (%1,%2) is not tied to the border").arg(x).arg(y);
            if (!wall && !reached[grid.index(x, y)])
                return QStringLiteral("cell (%1,%2) cannot be reached from (1,1)").arg(x).arg(y);
        }
    }
    return {};
}

// Paint events replayed onto a blank grid: what the live canvas ends up showing.
MazeGrid replay(const std::vector<Event>& events, int largeur, int hauteur) {
    MazeGrid grid;
    grid.resize(largeur, hauteur);
    for (const Event& e : events)
        if (e.kind == Event::Paint)
            grid.set(e.x, e.y, e.code);
    return grid;
}

// Growth paints grouped by attempt; entry 0 holds the paints made while setting up.
std::vector<std::vector<QPoint>> wallsByAttempt(const std::vector<Event>& events) {
    std::vector<std::vector<QPoint>> walls(1);
    for (const Event& e : events) {
        if (e.kind == Event::Attempt)
            walls.emplace_back();
        else if (e.kind == Event::Paint)
            walls.back().push_back({e.x, e.y});
    }
    return walls;
}

int count(const std::vector<Event>& events, Event::Kind kind) {
    int n = 0;
    for (const Event& e : events)
        n += e.kind == kind;
    return n;
}

void addSizeAndSettingRows(const std::vector<QPoint>& sizes, std::initializer_list<int> settings,
                           int seeds) {
    for (const QPoint& size : sizes)
        for (int setting : settings)
            QTest::addRow("%dx%d v=%d", size.x() + 1, size.y() + 1, setting)
                << size.x() << size.y() << setting << seeds;
}

void addColumns() {
    QTest::addColumn<int>("largeur");
    QTest::addColumn<int>("hauteur");
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("seeds");
}

// Setting 0 needs about a thousand draws per wall cell, so it is run on small grids only.
void addStandardRows(int seedsLarge, int seedsSmall) {
    addColumns();
    addSizeAndSettingRows({{53, 53}, {37, 12}, {12, 37}}, {900, 1000}, seedsLarge);
    addSizeAndSettingRows({{2, 9}, {9, 2}, {3, 3}}, {0, 900, 1000}, seedsSmall);
    addSizeAndSettingRows({{10, 3}, {4, 6}}, {0}, seedsSmall);
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boundFor_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("cellSize");
        QTest::addColumn<int>("bound");
        QTest::newRow("270 px at 5") << 270 << 5 << 53;
        QTest::newRow("270 px at 7") << 270 << 7 << 37;
        QTest::newRow("3E at 5") << 15 << 5 << 2;
        QTest::newRow("3E-1 at 5") << 14 << 5 << 1;
        QTest::newRow("3E at 7") << 21 << 7 << 2;
        QTest::newRow("3E-1 at 7") << 20 << 7 << 1;
        QTest::newRow("3E at 1") << 3 << 1 << 2;
        QTest::newRow("3E-1 at 1") << 2 << 1 << 1;
    }
    void boundFor() {
        QFETCH(int, pixels);
        QFETCH(int, cellSize);
        QFETCH(int, bound);
        QCOMPARE(MazeGenerator::boundFor(pixels, cellSize), bound);
    }

    void setUpWallsBorderAndPlacesDoors_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::newRow("3x3") << 2 << 2;
        QTest::newRow("54x54") << 53 << 53;
        QTest::newRow("3x10") << 2 << 9;
        QTest::newRow("10x3") << 9 << 2;
        QTest::newRow("21x8") << 20 << 7;
    }
    void setUpWallsBorderAndPlacesDoors() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        MazeGrid grid;
        grid.resize(4, 4);
        grid.set(2, 2, CellCode::Solution); // left over from an earlier maze
        std::vector<Event> paints;
        MazeGenerator generator(grid, largeur, hauteur, 7,
                                {.paintCell =
                                     [&](int x, int y, std::uint8_t code) {
                                         paints.push_back({Event::Paint, x, y, code});
                                     },
                                 .continuationThreshold = {},
                                 .takeStopRequest = {}});
        QCOMPARE(grid.Largeur(), largeur);
        QCOMPARE(grid.Hauteur(), hauteur);
        QCOMPARE(grid.at(1, 0), CellCode::Entrance);
        QCOMPARE(grid.at(largeur - 1, hauteur), CellCode::Exit);
        const QString fault = layoutFault(grid);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        for (int y = 1; y < hauteur; ++y)
            for (int x = 1; x < largeur; ++x)
                QCOMPARE(grid.at(x, y), CellCode::Open);

        // The live canvas is drawn from the paints alone; open cells are never painted.
        QVERIFY2(replay(paints, largeur, hauteur) == grid,
                 qPrintable(firstDifference(replay(paints, largeur, hauteur), grid)));
        for (const Event& e : paints)
            QVERIFY(e.code != CellCode::Open);
        QVERIFY(!generator.finished());
    }

    void smallestGridEndsOnAttempt180() {
        for (std::uint64_t seed : {1u, 2u, 99u}) {
            const Trace trace = runRecorded(2, 2, seed, 1000);
            QCOMPARE(count(trace.events, Event::Attempt), MazeGenerator::AttemptLimit);
            QCOMPARE(count(trace.events, Event::Draw), 0);
            const auto walls = wallsByAttempt(trace.events);
            for (std::size_t i = 1; i < walls.size(); ++i)
                QVERIFY(walls[i].empty());
            QVERIFY(!trace.stoppedByRequest);
            const MazeGrid expected = gridFromRows({"131", "101", "141"});
            QVERIFY2(trace.grid == expected, qPrintable(firstDifference(trace.grid, expected)));
        }
    }

    void tooSmallGridIsFinishedAtOnce_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::newRow("1x1") << 0 << 0;
        QTest::newRow("2x2") << 1 << 1;
        QTest::newRow("2x10") << 1 << 9;
        QTest::newRow("10x2") << 9 << 1;
    }
    void tooSmallGridIsFinishedAtOnce() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        MazeGrid grid;
        int calls = 0;
        MazeGenerator generator(grid, largeur, hauteur, 3,
                                {.paintCell = [&](int, int, std::uint8_t) { ++calls; },
                                 .continuationThreshold =
                                     [&] {
                                         ++calls;
                                         return 1000;
                                     },
                                 .takeStopRequest =
                                     [&] {
                                         ++calls;
                                         return false;
                                     }});
        QVERIFY(generator.finished());
        QVERIFY(generator.runToEnd());
        QCOMPARE(calls, 0);
        QCOMPARE(grid.Largeur(), largeur);
        QCOMPARE(grid.Hauteur(), hauteur);
    }

    void generatedMazeIsSound_data() { addStandardRows(12, 6); }
    void generatedMazeIsSound() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, setting);
        QFETCH(int, seeds);
        for (int seed = 1; seed <= seeds; ++seed) {
            const std::uint64_t drawn = std::uint64_t(seed) * 7919;
            const Trace trace = runRecorded(largeur, hauteur, drawn, setting);
            const QString where = QStringLiteral("seed %1: ").arg(drawn);
            QString fault = layoutFault(trace.grid);
            QVERIFY2(fault.isEmpty(), qPrintable(where + fault));
            fault = structureFault(trace.grid);
            QVERIFY2(fault.isEmpty(), qPrintable(where + fault));
            QVERIFY(!trace.stoppedByRequest);

            // Each attempt paints one straight run of new wall cells on open inner cells, so
            // the canvas, drawn from the paints alone, ends up showing the grid.
            MazeGrid shown;
            shown.resize(largeur, hauteur);
            bool growing = false;
            std::vector<QPoint> cells; // this attempt's wall
            for (const Event& e : trace.events) {
                if (e.kind == Event::Attempt) {
                    growing = true;
                    cells.clear();
                }
                if (e.kind != Event::Paint)
                    continue;
                if (!growing) {
                    shown.set(e.x, e.y, e.code);
                    continue;
                }
                const QPoint p(e.x, e.y);
                const QString cell = QStringLiteral("(%1,%2) ").arg(e.x).arg(e.y);
                QVERIFY2(e.code == CellCode::Wall && !onBorder(shown, e.x, e.y) &&
                             shown.at(e.x, e.y) == CellCode::Open,
                         qPrintable(where + cell + QStringLiteral("painted")));
                // Walls never touch: a new cell meets only the wall it grows from.
                int wallsBeside = 0;
                for (const QPoint& s : Steps)
                    wallsBeside += shown.at(e.x + s.x(), e.y + s.y()) == CellCode::Wall;
                QVERIFY2(
                    wallsBeside == 1,
                    qPrintable(where + cell + QStringLiteral("touches %1 walls").arg(wallsBeside)));
                shown.set(e.x, e.y, CellCode::Wall);
                const std::size_t k = cells.size();
                if (k >= 1)
                    QVERIFY2((p - cells[k - 1]).manhattanLength() == 1,
                             qPrintable(where + cell + QStringLiteral("leaves its wall")));
                if (k >= 2)
                    QVERIFY2(p - cells[k - 1] == cells[k - 1] - cells[k - 2],
                             qPrintable(where + cell + QStringLiteral("bends its wall")));
                cells.push_back(p);
            }
            QVERIFY2(shown == trace.grid, qPrintable(where + firstDifference(shown, trace.grid)));

            MazeGrid solved = trace.grid;
            const SolutionFinder::Result result = SolutionFinder::find(solved);
            QVERIFY2(result.found, qPrintable(where + QStringLiteral("no solution")));
            QCOMPARE(solved.at(1, 0), CellCode::Entrance);
            QCOMPARE(solved.at(largeur - 1, hauteur), CellCode::Exit);
        }
    }

    void runEndsAfter180AttemptsWithoutRoom_data() { addStandardRows(4, 3); }
    void runEndsAfter180AttemptsWithoutRoom() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, setting);
        QFETCH(int, seeds);
        for (int seed = 1; seed <= seeds; ++seed) {
            const Trace trace = runRecorded(largeur, hauteur, std::uint64_t(seed), setting);
            // Every continuation draw follows a passing direction test, which resets the
            // count; the run ends on the 180th attempt after the last one.
            QVERIFY(!trace.stoppedByRequest);
            int attemptsAfterLastDraw = 0;
            for (const Event& e : trace.events) {
                if (e.kind == Event::Draw)
                    attemptsAfterLastDraw = 0;
                else if (e.kind == Event::Attempt)
                    ++attemptsAfterLastDraw;
            }
            QCOMPARE(attemptsAfterLastDraw, MazeGenerator::AttemptLimit);
        }
    }

    void sameSeedGivesSameMaze_data() { addStandardRows(3, 2); }
    void sameSeedGivesSameMaze() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, setting);
        QFETCH(int, seeds);
        for (int seed = 1; seed <= seeds; ++seed) {
            const Trace first = runRecorded(largeur, hauteur, std::uint64_t(seed), setting);
            QVERIFY(!first.stoppedByRequest);
            MazeGrid second;
            MazeGenerator::generate(second, largeur, hauteur, std::uint64_t(seed), setting);
            QVERIFY2(first.grid == second, qPrintable(firstDifference(first.grid, second)));
        }
    }

    void differentSeedsGiveDifferentMazes() {
        MazeGrid a;
        MazeGrid b;
        MazeGenerator::generate(a, 53, 53, 1, 900);
        MazeGenerator::generate(b, 53, 53, 2, 900);
        QVERIFY(!(a == b));
    }

    void timeSlicedRunMatchesRunToEnd_data() { addStandardRows(3, 2); }
    void timeSlicedRunMatchesRunToEnd() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, setting);
        QFETCH(int, seeds);
        for (int seed = 1; seed <= seeds; ++seed) {
            const Trace whole = runRecorded(largeur, hauteur, std::uint64_t(seed), setting);
            const Trace sliced = runRecorded(largeur, hauteur, std::uint64_t(seed), setting, true);
            QVERIFY(!whole.stoppedByRequest);
            QVERIFY2(sliced.grid == whole.grid,
                     qPrintable(firstDifference(sliced.grid, whole.grid)));
            QVERIFY(sliced.events == whole.events);
            // Enough work for the slicing to have cut the run at least once.
            if (whole.events.size() > 2000)
                QVERIFY(sliced.slices > 1);
        }
    }

    void fullSettingRunsFirstWallAcrossEmptyInside_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::newRow("54x54") << 53 << 53;
        QTest::newRow("38x13") << 37 << 12;
        QTest::newRow("8x30") << 7 << 29;
    }
    void fullSettingRunsFirstWallAcrossEmptyInside() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        for (int seed = 1; seed <= 12; ++seed) {
            const Trace trace = runRecorded(largeur, hauteur, std::uint64_t(seed), 1000);
            const auto walls = wallsByAttempt(trace.events);
            std::vector<QPoint> wall;
            for (std::size_t i = 1; i < walls.size() && wall.empty(); ++i)
                wall = walls[i];
            QVERIFY(!wall.empty());

            // On an empty inside the wall runs from the border it starts on until only one
            // open cell is left before the opposite border.
            const QPoint head = wall.front();
            const QPoint step = wall.size() > 1 ? wall[1] - head : QPoint();
            const bool vertical = step.x() == 0;
            const int span = vertical ? hauteur : largeur;
            QCOMPARE(int(wall.size()), span - 2);
            const QPoint origin = head - step;
            const QPoint gap = wall.back() + step;
            QVERIFY(onBorder(trace.grid, origin.x(), origin.y()));
            QVERIFY(!onBorder(trace.grid, gap.x(), gap.y()));
            const QPoint beyond = gap + step;
            QVERIFY(onBorder(trace.grid, beyond.x(), beyond.y()));
            for (std::size_t k = 1; k < wall.size(); ++k)
                QCOMPARE(wall[k] - wall[k - 1], step);
        }
    }

    void zeroSettingGrowsOnlyOnZeroDraw_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::newRow("7x7") << 6 << 6;
        QTest::newRow("12x4") << 11 << 3;
    }
    void zeroSettingGrowsOnlyOnZeroDraw() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        for (int seed = 1; seed <= 3; ++seed) {
            const Trace trace = runRecorded(largeur, hauteur, std::uint64_t(seed), 0);
            const auto walls = wallsByAttempt(trace.events);
            int grown = 0;
            for (std::size_t i = 1; i < walls.size(); ++i)
                grown += int(walls[i].size());
            const int draws = count(trace.events, Event::Draw);
            // One draw in 1001 is a 0: walls still grow, but hundreds of draws go by per cell.
            QVERIFY(grown > 0);
            QVERIFY2(grown * 200 < draws,
                     qPrintable(QStringLiteral("%1 cells for %2 draws").arg(grown).arg(draws)));
        }
    }

    void stopRequestTakesEffectAtNextPick_data() {
        QTest::addColumn<int>("stopAt");
        QTest::newRow("first attempt") << 1;
        QTest::newRow("second attempt") << 2;
        QTest::newRow("attempt 40") << 40;
        QTest::newRow("attempt 700") << 700;
    }
    void stopRequestTakesEffectAtNextPick() {
        QFETCH(int, stopAt);
        const Trace reference = runRecorded(53, 53, 5, 900);
        QVERIFY(count(reference.events, Event::Attempt) > stopAt);

        MazeGrid grid;
        std::vector<Event> events;
        int calls = 0;
        MazeGenerator generator(grid, 53, 53, 5,
                                {.paintCell =
                                     [&](int x, int y, std::uint8_t code) {
                                         events.push_back({Event::Paint, x, y, code});
                                     },
                                 .continuationThreshold =
                                     [&] {
                                         events.push_back({Event::Draw});
                                         return 900;
                                     },
                                 .takeStopRequest =
                                     [&] {
                                         events.push_back({Event::Attempt});
                                         return ++calls == stopAt;
                                     }});
        QVERIFY(generator.runToEnd());
        QVERIFY(generator.finished());
        QVERIFY(generator.stoppedByRequest());
        QCOMPARE(calls, stopAt);
        QVERIFY(events.size() <= reference.events.size());
        // Up to the stop, the run is the unstopped one; nothing happens after it.
        const std::vector<Event> prefix(reference.events.begin(),
                                        reference.events.begin() + std::ptrdiff_t(events.size()));
        QVERIFY(events == prefix);
        QCOMPARE(events.back().kind, Event::Attempt);
        QVERIFY2(grid == replay(events, 53, 53),
                 qPrintable(firstDifference(grid, replay(events, 53, 53))));
    }

    void stopDuringWallFinishesThatWallFirst_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("longWall"); // which wall of two or more cells gets the stop
        QTest::newRow("54x54 v=1000 first wall") << 53 << 53 << 1000 << 1;
        QTest::newRow("54x54 v=1000 tenth wall") << 53 << 53 << 1000 << 10;
        QTest::newRow("54x54 v=900 fifth wall") << 53 << 53 << 900 << 5;
        QTest::newRow("38x13 v=900 third wall") << 37 << 12 << 900 << 3;
    }
    void stopDuringWallFinishesThatWallFirst() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, setting);
        QFETCH(int, longWall);
        for (std::uint64_t seed : {3u, 11u, 2024u}) {
            const Trace reference = runRecorded(largeur, hauteur, seed, setting);

            MazeGrid grid;
            bool settingUp = true;
            std::vector<Event> events;
            std::vector<QPoint> current; // cells of the wall being grown
            int longWallsSeen = 0;
            bool flag = false;
            bool stopTaken = false;
            int callsAfterStop = 0;
            int paintsAfterStop = 0;
            std::vector<QPoint> flagged; // the wall's cells when the flag went up
            std::vector<QPoint> afterFlag;
            MazeGenerator generator(grid, largeur, hauteur, seed,
                                    {.paintCell =
                                         [&](int x, int y, std::uint8_t code) {
                                             events.push_back({Event::Paint, x, y, code});
                                             if (settingUp)
                                                 return;
                                             if (stopTaken)
                                                 ++paintsAfterStop;
                                             current.push_back({x, y});
                                             if (flag) {
                                                 afterFlag.push_back({x, y});
                                             } else if (current.size() == 2 &&
                                                        ++longWallsSeen == longWall) {
                                                 flag = true;
                                                 flagged = current;
                                             }
                                         },
                                     .continuationThreshold =
                                         [&] {
                                             events.push_back({Event::Draw});
                                             return setting;
                                         },
                                     .takeStopRequest =
                                         [&] {
                                             events.push_back({Event::Attempt});
                                             current.clear();
                                             if (stopTaken) {
                                                 ++callsAfterStop;
                                                 return false;
                                             }
                                             if (flag)
                                                 stopTaken = true;
                                             return flag;
                                         }});
            settingUp = false;
            QVERIFY(generator.runToEnd());
            QVERIFY2(flag, "the run never grew the chosen wall");
            QVERIFY(generator.stoppedByRequest());
            QCOMPARE(callsAfterStop, 0);
            QCOMPARE(paintsAfterStop, 0);

            // The cells painted after the flag carry on the same straight line.
            const QPoint step = flagged[1] - flagged[0];
            QPoint expected = flagged[1];
            for (const QPoint& p : afterFlag) {
                expected += step;
                QCOMPARE(p, expected);
            }
            // And the wall ended exactly where it would have without the stop.
            QVERIFY(events.size() <= reference.events.size());
            const std::vector<Event> prefix(
                reference.events.begin(), reference.events.begin() + std::ptrdiff_t(events.size()));
            QVERIFY(events == prefix);
            if (longWall == 1 && setting == 1000)
                QVERIFY(!afterFlag.empty());
        }
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "test_generator.moc"
