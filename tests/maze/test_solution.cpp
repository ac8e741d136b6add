#include "maze/CellCode.h"
#include "maze/MazeGenerator.h"
#include "maze/MazeGrid.h"
#include "maze/SolutionFinder.h"

#include <QList>
#include <QPoint>
#include <QStringList>
#include <QTest>

#include <cstdint>

namespace {

// Fixtures are written one string per row, one digit (the cell code) per column.
MazeGrid gridFromRows(const QStringList& rows) {
    MazeGrid grid;
    if (rows.isEmpty())
        return grid;
    grid.resize(int(rows.front().size()) - 1, int(rows.size()) - 1);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            grid.set(x, y, static_cast<std::uint8_t>(rows[y][x].digitValue()));
    return grid;
}

QStringList rowsOf(const MazeGrid& grid) {
    QStringList rows;
    for (int y = 0; y <= grid.Hauteur(); ++y) {
        QString row;
        for (int x = 0; x <= grid.Largeur(); ++x)
            row += QString::number(grid.at(x, y));
        rows << row;
    }
    return rows;
}

// A tree maze with two dead ends on the walker's right (row 3 going on west, column 5 going
// down) and one on its left (row 1 going on east), which the first walk never enters.
const QStringList WindingMaze = {"131111111", //
                                 "100000001", //
                                 "111110101", //
                                 "100000101", //
                                 "101011111", //
                                 "101000001", //
                                 "101110101", //
                                 "100010101", //
                                 "111111141"};

const QPoint Steps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

// Marked cells reached from `start` through marked cells.
QList<QPoint> markedFrom(const MazeGrid& grid, QPoint start) {
    QList<QPoint> seen;
    if (grid.at(start.x(), start.y()) != CellCode::Solution)
        return seen;
    seen << start;
    for (qsizetype i = 0; i < seen.size(); ++i) {
        for (const QPoint& s : Steps) {
            const QPoint q = seen[i] + s;
            if (grid.contains(q.x(), q.y()) && grid.at(q.x(), q.y()) == CellCode::Solution &&
                !seen.contains(q))
                seen << q;
        }
    }
    return seen;
}

} // namespace

class TestSolution : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void smallestMazeNeedsNoMark() {
        const QStringList rows = {"131", "101", "141"};
        MazeGrid grid = gridFromRows(rows);
        const SolutionFinder::Result result = SolutionFinder::find(grid);
        QVERIFY(result.found);
        QCOMPARE(result.lastStep, 2);
        QCOMPARE(rowsOf(grid), rows);
    }

    void marksTheDirectRoute_data() {
        QTest::addColumn<QStringList>("maze");
        QTest::addColumn<QStringList>("solved");
        // 1 + the first walk's steps: the route's, plus two per dead-end cell it explores.
        QTest::addColumn<int>("lastStep");

        QTest::newRow("exit two steps away") << QStringList{"131", "101", "101", "141"} //
                                             << QStringList{"131", "121", "121", "141"} << 3;

        // The first walk goes down into the dead end below the start before it turns right.
        QTest::newRow("dead end below the start") << QStringList{"13111", //
                                                                 "10001", //
                                                                 "10101", //
                                                                 "10101", //
                                                                 "11141"}
                                                  << QStringList{"13111", //
                                                                 "12221", //
                                                                 "10121", //
                                                                 "10121", //
                                                                 "11141"}
                                                  << 10;

        QTest::newRow("winding route with branches") << WindingMaze
                                                     << QStringList{"131111111", //
                                                                    "122222001", //
                                                                    "111112101", //
                                                                    "100222101", //
                                                                    "101211111", //
                                                                    "101222221", //
                                                                    "101110121", //
                                                                    "100010121", //
                                                                    "111111141"}
                                                     << 18 + 2 * 8 + 2 * 2;
    }
    void marksTheDirectRoute() {
        QFETCH(QStringList, maze);
        QFETCH(QStringList, solved);
        QFETCH(int, lastStep);
        MazeGrid grid = gridFromRows(maze);
        const SolutionFinder::Result result = SolutionFinder::find(grid);
        QVERIFY(result.found);
        QCOMPARE(result.lastStep, lastStep);
        QCOMPARE(rowsOf(grid), solved);
        QCOMPARE(result.markedCells, int(solved.join(QString()).count(u'2')));
    }

    void secondSearchMarksTheSameCells_data() {
        QTest::addColumn<QStringList>("maze");
        QTest::addColumn<std::uint64_t>("seed"); // generated maze when the fixture is empty
        QTest::newRow("winding route") << WindingMaze << std::uint64_t(0);
        QTest::newRow("generated 54x54 seed 4") << QStringList{} << std::uint64_t(4);
        QTest::newRow("generated 54x54 seed 77") << QStringList{} << std::uint64_t(77);
    }
    void secondSearchMarksTheSameCells() {
        QFETCH(QStringList, maze);
        QFETCH(std::uint64_t, seed);
        MazeGrid grid;
        if (maze.isEmpty())
            MazeGenerator::generate(grid, 53, 53, seed, 900);
        else
            grid = gridFromRows(maze);
        const SolutionFinder::Result first = SolutionFinder::find(grid);
        QVERIFY(first.found);
        const QStringList once = rowsOf(grid);
        QVERIFY(once.join(QString()).contains(u'2'));
        // The marked cells are passable to the second search, which walks them again.
        const SolutionFinder::Result second = SolutionFinder::find(grid);
        QVERIFY(second.found);
        QCOMPARE(second.lastStep, first.lastStep);
        QCOMPARE(second.markedCells, 0);
        QCOMPARE(rowsOf(grid), once);
    }

    void routeOfGeneratedMazeIsSimplePath_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("setting");
        QTest::newRow("54x54 v=900") << 53 << 53 << 900;
        QTest::newRow("54x54 v=1000") << 53 << 53 << 1000;
        QTest::newRow("31x9 v=500") << 30 << 8 << 500;
        QTest::newRow("6x6 v=0") << 5 << 5 << 0;
    }
    void routeOfGeneratedMazeIsSimplePath() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, setting);
        for (std::uint64_t seed = 1; seed <= 6; ++seed) {
            MazeGrid grid;
            MazeGenerator::generate(grid, largeur, hauteur, seed, setting);
            const MazeGrid before = grid;
            QVERIFY(SolutionFinder::find(grid).found);
            // Only open cells are marked, none of them is a dead end (apart from the start,
            // each touches two route cells; the exit counts as one), and they link the start
            // to the cell above the exit.
            int marked = 0;
            for (int y = 0; y <= hauteur; ++y) {
                for (int x = 0; x <= largeur; ++x) {
                    if (grid.at(x, y) != CellCode::Solution) {
                        QCOMPARE(grid.at(x, y), before.at(x, y));
                        continue;
                    }
                    ++marked;
                    QCOMPARE(before.at(x, y), CellCode::Open);
                    int onRoute = 0;
                    for (const QPoint& s : Steps) {
                        const std::uint8_t c = grid.at(x + s.x(), y + s.y());
                        onRoute += c == CellCode::Solution || c == CellCode::Exit;
                    }
                    const int wanted = (x == 1 && y == 1) ? 1 : 2;
                    QVERIFY2(onRoute >= wanted,
                             qPrintable(QStringLiteral("seed %1: (%2,%3) is a dead end")
                                            .arg(seed)
                                            .arg(x)
                                            .arg(y)));
                }
            }
            const QList<QPoint> linked = markedFrom(grid, QPoint(1, 1));
            QVERIFY(linked.contains(QPoint(largeur - 1, hauteur - 1)));
            QCOMPARE(linked.size(), marked);
        }
    }

    void unsolvableGridIsLeftAlone_data() {
        QTest::addColumn<QStringList>("maze");
        QTest::newRow("exit walled in") << QStringList{"13111", "10001", "10001", "11111", "11141"};
        QTest::newRow("exit missing") << QStringList{"131", "101", "111"};
        QTest::newRow("start is a wall") << QStringList{"131", "111", "141"};
        QTest::newRow("start sealed in, exit beside it")
            << QStringList{"1311", "1011", "1101", "1141"};
        QTest::newRow("empty grid") << QStringList{};
        QTest::newRow("one cell") << QStringList{"4"};
        QTest::newRow("one row") << QStringList{"0304"};
        QTest::newRow("one column") << QStringList{"3", "0", "4"};
        QTest::newRow("all open, no border") << QStringList{"000", "000", "000"};
        QTest::newRow("open border round an island")
            << QStringList{"03000", "00000", "00110", "00110", "00000"};
        QTest::newRow("open border, exit on a walled island")
            << QStringList{"0300000", "0000000", "0011100", "0014100", "0011100", "0000000"};
    }
    void unsolvableGridIsLeftAlone() {
        QFETCH(QStringList, maze);
        MazeGrid grid = gridFromRows(maze);
        const MazeGrid before = grid;
        const SolutionFinder::Result result = SolutionFinder::find(grid);
        QVERIFY(!result.found);
        QCOMPARE(result.markedCells, 0);
        QVERIFY(grid == before);
    }
};

QTEST_GUILESS_MAIN(TestSolution)
#include "test_solution.moc"
