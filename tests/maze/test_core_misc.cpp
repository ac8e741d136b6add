#include "maze/CellCode.h"
#include "maze/ColorTable.h"
#include "maze/GridPicture.h"
#include "maze/MazeGrid.h"
#include "maze/NumberText.h"
#include "maze/RandomSource.h"

#include <QImage>
#include <QTest>

#include <array>
#include <cstdint>
#include <vector>

namespace {

// Seven colours that differ from each other and from the defaults, so that every lookup
// shows which entry it read.
ColorTable distinctColors() {
    ColorTable table;
    for (int i = 0; i < ColorTable::Size; ++i)
        table.set(i, qRgb(10 + 30 * i, 200 - 20 * i, 7 * i));
    return table;
}

// The picture's pixel without its alpha, which the opaque picture sets to 255 anyway.
QRgb rgbAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return qRgb(qRed(p), qGreen(p), qBlue(p));
}

} // namespace

class TestCoreMisc : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void colorDefaults_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRgb>("color");
        QTest::newRow("paths white") << 0 << qRgb(255, 255, 255);
        QTest::newRow("walls black") << 1 << qRgb(0, 0, 0);
        QTest::newRow("solution yellow") << 2 << qRgb(255, 255, 0);
        QTest::newRow("entrance red") << 3 << qRgb(255, 0, 0);
        QTest::newRow("exit green") << 4 << qRgb(0, 255, 0);
        QTest::newRow("test cyan") << 5 << qRgb(0, 255, 255);
    }
    void colorDefaults() {
        QFETCH(int, index);
        QFETCH(QRgb, color);
        ColorTable table;
        QCOMPARE(table.at(index), color);
        table.set(index, qRgb(1, 2, 3));
        QVERIFY(!(table == ColorTable()));
        table.resetToDefaults();
        QCOMPARE(table.at(index), color);
        QVERIFY(table == ColorTable());
    }

    void colorLookups_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shown");  // entry used with the solution shown
        QTest::addColumn<int>("hidden"); // entry used with the solution hidden
        QTest::newRow("open") << 0 << 0 << 0;
        QTest::newRow("wall") << 1 << 1 << 1;
        QTest::newRow("solution") << 2 << 2 << 0;
        QTest::newRow("entrance") << 3 << 3 << 3;
        QTest::newRow("exit") << 4 << 4 << 4;
        QTest::newRow("entry 6") << 6 << 6 << 6;
        QTest::newRow("code 7, no entry") << 7 << 0 << 0;
        QTest::newRow("code 255, no entry") << 255 << 0 << 0;
        QTest::newRow("negative code") << -1 << 0 << 0;
    }
    void colorLookups() {
        QFETCH(int, code);
        QFETCH(int, shown);
        QFETCH(int, hidden);
        const ColorTable table = distinctColors();
        QCOMPARE(table.Couleur(code), table.at(shown));
        QCOMPARE(table.CouleurES(code), table.at(hidden));
        if (code >= 0 && code < 256) {
            QCOMPARE(table.lookupTable(true)[std::size_t(code)], table.at(shown));
            QCOMPARE(table.lookupTable(false)[std::size_t(code)], table.at(hidden));
        }
    }

    void leadingValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "5" << 5.0;
        QTest::newRow("decimal") << "7.9" << 7.9;
        QTest::newRow("number then unit") << "7.9 px" << 7.9;
        QTest::newRow("digits then letters") << "12abc" << 12.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading space") << " 3" << 3.0;
        QTest::newRow("negative") << "-2" << -2.0;
        QTest::newRow("trailing zero") << "1.0" << 1.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
    }
    void leadingValue() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(NumberText::leadingValue(text), value);
    }

    void renderCoversEveryPixel_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("cellSize");
        QTest::addColumn<bool>("withSolution");
        QTest::newRow("54x54 at 5, solution shown") << 53 << 53 << 5 << true;
        QTest::newRow("54x54 at 5, solution hidden") << 53 << 53 << 5 << false;
        QTest::newRow("7x4 at 1") << 6 << 3 << 1 << true;
        QTest::newRow("5x9 at 3") << 4 << 8 << 3 << false;
    }
    void renderCoversEveryPixel() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, cellSize);
        QFETCH(bool, withSolution);
        // Neighbouring cells differ in code, so a cell bleeding over its edge shows.
        MazeGrid grid;
        grid.resize(largeur, hauteur);
        for (int y = 0; y <= hauteur; ++y)
            for (int x = 0; x <= largeur; ++x)
                grid.set(x, y, std::uint8_t((x + 2 * y) % 5));
        grid.set(largeur, hauteur, CellCode::Exit);
        grid.set(largeur - 1, hauteur, CellCode::Solution);
        grid.set(largeur, hauteur - 1, CellCode::Wall);
        const ColorTable colors = distinctColors();

        const QImage picture = GridPicture::render(grid, colors, withSolution, cellSize);
        QCOMPARE(picture.size(), QSize((largeur + 1) * cellSize, (hauteur + 1) * cellSize));
        for (int py = 0; py < picture.height(); ++py) {
            for (int px = 0; px < picture.width(); ++px) {
                const int code = grid.at(px / cellSize, py / cellSize);
                const QRgb expected = withSolution ? colors.Couleur(code) : colors.CouleurES(code);
                if (rgbAt(picture, px, py) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) of cell (%3,%4)")
                                         .arg(px)
                                         .arg(py)
                                         .arg(px / cellSize)
                                         .arg(py / cellSize)));
            }
        }
        // The last cell takes exactly the last E pixels both ways; the solution cell beside
        // it switches between the solution colour and the path colour.
        const int left = largeur * cellSize;
        const int top = hauteur * cellSize;
        for (int i = 0; i < cellSize; ++i)
            for (int j = 0; j < cellSize; ++j)
                QCOMPARE(rgbAt(picture, left + i, top + j), colors.at(4));
        QCOMPARE(rgbAt(picture, left - 1, top), colors.at(withSolution ? 2 : 0));
        QCOMPARE(rgbAt(picture, left, top - 1), colors.at(1));
    }

    void renderRefusesWhatItCannotDraw_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("cellSize");
        QTest::newRow("empty grid") << -1 << 5;
        QTest::newRow("cell size 0") << 9 << 0;
        QTest::newRow("wider than a picture may be") << 99 << 400;
    }
    void renderRefusesWhatItCannotDraw() {
        QFETCH(int, largeur);
        QFETCH(int, cellSize);
        MazeGrid grid;
        grid.resize(largeur, largeur);
        QVERIFY(GridPicture::render(grid, ColorTable(), true, cellSize).isNull());
    }

    void randomBelowStaysInRange_data() {
        QTest::addColumn<quint32>("n");
        QTest::newRow("1") << 1u;
        QTest::newRow("2") << 2u;
        QTest::newRow("3") << 3u;
        QTest::newRow("4 directions") << 4u;
        QTest::newRow("1001 draws") << 1001u;
        QTest::newRow("2^31 + 1") << 0x80000001u;
        QTest::newRow("2^32 - 1") << 0xffffffffu;
    }
    void randomBelowStaysInRange() {
        QFETCH(quint32, n);
        RandomSource random(12345);
        std::vector<int> seen(std::min<quint32>(n, 16), 0);
        quint32 highest = 0;
        for (int i = 0; i < 4000; ++i) {
            const std::uint32_t v = random.below(n);
            QVERIFY2(v < n, qPrintable(QString::number(v)));
            highest = std::max(highest, v);
            if (n <= 16)
                ++seen[v];
        }
        // Small ranges get every value, in roughly equal shares.
        if (n <= 16)
            for (int count : seen)
                QVERIFY2(count > 4000 / int(n) * 8 / 10, qPrintable(QString::number(count)));
        // Large ranges reach their upper half.
        if (n > 16)
            QVERIFY(highest >= n / 2);
    }

    void randomSameSeedRepeats() {
        RandomSource a(2024);
        RandomSource b(2024);
        RandomSource other(2025);
        bool differs = false;
        for (int i = 0; i < 1000; ++i) {
            const std::uint32_t n = std::uint32_t(i % 50) + 1;
            const std::uint32_t va = a.below(n);
            QCOMPARE(b.below(n), va);
            differs |= other.below(n) != va;
        }
        QVERIFY(differs);
        QCOMPARE(RandomSource(7).next(), RandomSource(7).next());
    }
};

QTEST_GUILESS_MAIN(TestCoreMisc)
#include "test_core_misc.moc"
