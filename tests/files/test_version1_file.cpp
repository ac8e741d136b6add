#include "files/Version1File.h"
#include "maze/CellCode.h"
#include "maze/MazeGrid.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

#include <cstdint>

namespace {

QByteArray int32s(std::initializer_list<std::int32_t> values) {
    QByteArray bytes;
    for (std::int32_t v : values) {
        char c[4];
        qToBigEndian(v, c);
        bytes.append(c, 4);
    }
    return bytes;
}

QByteArray writeGrid(const MazeGrid& grid) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    [&] {
        QVERIFY(Version1File::write(buffer, grid));
    }();
    return bytes;
}

Version1File::ReadResult readBytes(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return Version1File::read(buffer);
}

// A maze with every code, laid out so that no two neighbouring cells share one.
MazeGrid everyCodeGrid(int largeur, int hauteur) {
    MazeGrid grid;
    grid.resize(largeur, hauteur);
    for (int y = 0; y <= hauteur; ++y)
        for (int x = 0; x <= largeur; ++x)
            grid.set(x, y, static_cast<std::uint8_t>((x + 2 * y) % 5));
    return grid;
}

} // namespace

class TestVersion1File : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tenBySixLayout() {
        const MazeGrid grid = everyCodeGrid(10, 6);
        const QByteArray bytes = writeGrid(grid);
        QCOMPARE(bytes.size(), 324);
        QCOMPARE(bytes.left(16), int32s({21, 13, 33, 39}));
        // Column 21 (the last), row 0 comes from maze cell (10, 0), a passage; row 13 from
        // (10, 6), a solution cell, written as a passage.
        QCOMPARE(int(bytes[16 + 21 * 14 + 0]), 0);
        QCOMPARE(int(bytes[16 + 21 * 14 + 13]), 0);
        // Column 2, row 1 comes from maze cell (1, 0), a wall.
        QCOMPARE(int(bytes[16 + 2 * 14 + 1]), 1);
    }

    void tinyFileByteForByte() {
        MazeGrid grid;
        grid.resize(1, 0);
        grid.set(0, 0, CellCode::Wall);
        grid.set(1, 0, CellCode::Entrance);
        const QByteArray expected =
            int32s({3, 1, 15, 27}) + QByteArray::fromHex("0101010102020202");
        QCOMPARE(writeGrid(grid).toHex(' '), expected.toHex(' '));
    }

    void codesWritten_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("written");
        QTest::newRow("passage") << int(CellCode::Open) << 0;
        QTest::newRow("wall") << int(CellCode::Wall) << 1;
        QTest::newRow("solution as passage") << int(CellCode::Solution) << 0;
        QTest::newRow("entrance") << int(CellCode::Entrance) << 2;
        QTest::newRow("exit") << int(CellCode::Exit) << 2;
        QTest::newRow("unknown code") << 9 << 0;
    }
    void codesWritten() {
        QFETCH(int, code);
        QFETCH(int, written);
        MazeGrid grid;
        grid.resize(0, 0);
        grid.set(0, 0, static_cast<std::uint8_t>(code));
        const char w = static_cast<char>(written);
        QCOMPARE(writeGrid(grid), int32s({1, 1, 13, 27}) + QByteArray(4, w));
    }

    void roundTrip() {
        const MazeGrid grid = everyCodeGrid(37, 21);
        const Version1File::ReadResult result = readBytes(writeGrid(grid));
        QVERIFY(result.ok);
        QVERIFY(result.complete);
        QCOMPARE(result.grid.Largeur(), 37);
        QCOMPARE(result.grid.Hauteur(), 21);
        for (int y = 0; y <= 21; ++y) {
            for (int x = 0; x <= 37; ++x) {
                const std::uint8_t code = grid.at(x, y);
                std::uint8_t expected = CellCode::Open;
                if (code == CellCode::Wall)
                    expected = CellCode::Wall;
                else if (code == CellCode::Entrance || code == CellCode::Exit)
                    expected = CellCode::Exit;
                QCOMPARE(result.grid.at(x, y), expected);
            }
        }
    }

    void valuesRead_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("code");
        QTest::newRow("passage") << 0 << int(CellCode::Open);
        QTest::newRow("wall") << 1 << int(CellCode::Wall);
        QTest::newRow("entrance or exit") << 2 << int(CellCode::Exit);
        QTest::newRow("unknown 3") << 3 << int(CellCode::Open);
        QTest::newRow("unknown 255") << 255 << int(CellCode::Open);
    }
    void valuesRead() {
        QFETCH(int, value);
        QFETCH(int, code);
        // Only the cell at even (i, j) counts; the odd ones hold a wall that must be ignored.
        const QByteArray file =
            int32s({1, 1, 0, 0}) + QByteArray(1, static_cast<char>(value)) + "\1\1\1";
        const Version1File::ReadResult result = readBytes(file);
        QVERIFY(result.ok);
        QVERIFY(result.complete);
        QCOMPARE(result.grid.Largeur(), 0);
        QCOMPARE(result.grid.Hauteur(), 0);
        QCOMPARE(int(result.grid.at(0, 0)), code);
    }

    void evenDimensions() {
        // X1 = 20 gives 21 columns; the maze uses columns 0, 2, ..., 20.
        QByteArray cells(21 * 14, '\0');
        cells[20 * 14 + 0] = 1; // column 20, row 0 -> cell (10, 0)
        cells[19 * 14 + 2] = 1; // an odd column: ignored
        cells[4 * 14 + 12] = 2; // column 4, row 12 -> cell (2, 6)
        const Version1File::ReadResult result = readBytes(int32s({20, 13, 0, 0}) + cells);
        QVERIFY(result.ok);
        QVERIFY(result.complete);
        QCOMPARE(result.grid.Largeur(), 10);
        QCOMPARE(result.grid.Hauteur(), 6);
        MazeGrid expected;
        expected.resize(10, 6);
        expected.set(10, 0, CellCode::Wall);
        expected.set(2, 6, CellCode::Exit);
        QCOMPARE(result.grid, expected);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only X1") << int32s({5});
        QTest::newRow("seven bytes") << int32s({5, 5}).left(7);
        // -1 / 2 would be 0, a valid bound: the sign itself must be refused.
        QTest::newRow("negative X1") << int32s({-1, 5, 0, 0}) + QByteArray(100, '\0');
        QTest::newRow("negative Y1") << int32s({5, -1, 0, 0}) + QByteArray(100, '\0');
        QTest::newRow("very negative") << int32s({-2'000'000'000, 5, 0, 0});
        QTest::newRow("too many cells") << int32s({2 * 9999 + 1, 2 * 9999 + 1, 0, 0});
        QTest::newRow("largest dimensions") << int32s({0x7FFFFFFF, 0x7FFFFFFF});
        QTest::newRow("one cell past the limit") << int32s({2 * int(MazeGrid::MaxCells), 1});
    }
    void refused() {
        QFETCH(QByteArray, file);
        const Version1File::ReadResult result = readBytes(file);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(result.grid.isEmpty());
    }

    void largestAcceptedGrid() {
        // Exactly MaxCells cells, though the file holds none of them.
        const int columns = int(MazeGrid::MaxCells / 8);
        const Version1File::ReadResult result = readBytes(int32s({2 * (columns - 1), 2 * 7, 0, 0}));
        QVERIFY(result.ok);
        QVERIFY(!result.complete);
        QCOMPARE(qint64(result.grid.cellCount()), MazeGrid::MaxCells);
    }

    void endsEarly_data() {
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("columnsRead");
        QTest::newRow("inside the ignored integers") << 12 << 0;
        QTest::newRow("no cell") << 16 << 0;
        QTest::newRow("first file column only") << 16 + 14 << 1;
        QTest::newRow("three file columns") << 16 + 3 * 14 + 5 << 2;
        QTest::newRow("one cell short") << 324 - 1 << 11;
    }
    void endsEarly() {
        QFETCH(int, kept);
        QFETCH(int, columnsRead);
        MazeGrid walls;
        walls.resize(10, 6);
        for (int y = 0; y <= 6; ++y)
            for (int x = 0; x <= 10; ++x)
                walls.set(x, y, CellCode::Wall);
        const QByteArray bytes = writeGrid(walls).left(kept);
        const Version1File::ReadResult result = readBytes(bytes);
        QVERIFY(result.ok);
        QVERIFY(!result.complete);
        QCOMPARE(result.grid.Largeur(), 10);
        QCOMPARE(result.grid.Hauteur(), 6);
        for (int x = 0; x <= 10; ++x)
            for (int y = 0; y <= 6; ++y)
                QCOMPARE(result.grid.at(x, y), x < columnsRead ? CellCode::Wall : CellCode::Open);
    }

    void writeFailureReported() {
        QByteArray bytes;
        QBuffer readOnly(&bytes);
        readOnly.open(QIODevice::ReadOnly);
        QVERIFY(!Version1File::write(readOnly, everyCodeGrid(3, 3)));
    }

    // Every prefix of a valid file must read without crashing or hanging.
    void everyPrefixOfAValidFile() {
        const MazeGrid grid = everyCodeGrid(4, 3);
        const QByteArray bytes = writeGrid(grid);
        const Version1File::ReadResult whole = readBytes(bytes);
        QVERIFY(whole.complete);
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            const Version1File::ReadResult result = readBytes(bytes.left(n));
            QCOMPARE(result.ok, n >= 8);
            QVERIFY(!result.complete);
            if (!result.ok)
                continue;
            QCOMPARE(result.grid.Largeur(), 4);
            QCOMPARE(result.grid.Hauteur(), 3);
            // Whatever was read agrees with the whole file; the rest is passages.
            for (int x = 0; x <= 4; ++x)
                for (int y = 0; y <= 3; ++y)
                    QVERIFY(result.grid.at(x, y) == whole.grid.at(x, y) ||
                            result.grid.at(x, y) == CellCode::Open);
        }
    }
};

QTEST_GUILESS_MAIN(TestVersion1File)
#include "test_version1_file.moc"
