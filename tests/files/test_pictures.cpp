#include "files/PNGu.h"
#include "files/PictWriter.h"
#include "files/PictureFiles.h"

#include "maze/CellCode.h"
#include "maze/ColorTable.h"
#include "maze/GridPicture.h"
#include "maze/MazeGrid.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegion>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString ConvertTool = QStringLiteral("/usr/bin/convert");
constexpr int CellSize = 5;

// Reference PackBits decoder. Empty when the stream is malformed: a packet that runs past
// the end, or the 0x80 header, which a writer must not produce.
std::optional<QByteArray> unpackBits(const QByteArray& packed) {
    QByteArray out;
    qsizetype i = 0;
    while (i < packed.size()) {
        const int header = static_cast<signed char>(packed[i++]);
        if (header == -128)
            return std::nullopt;
        if (header >= 0) {
            if (i + header + 1 > packed.size())
                return std::nullopt;
            out.append(packed.mid(i, header + 1));
            i += header + 1;
        } else {
            if (i >= packed.size())
                return std::nullopt;
            out.append(QByteArray(1 - header, packed[i++]));
        }
    }
    return out;
}

QByteArray sequence(int from, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(from + i));
    return bytes;
}

// A strict reader of the PICT files the writer makes, following the published format
// (a row's byte count is 16-bit when rowBytes > 250), independent of ImageMagick. Checks
// every fixed field on the way; `error` says what was wrong.
class PictReader {
public:
    explicit PictReader(const QByteArray& file) : m_data(file) {}

    // The decoded picture; null when the file breaks the format, `error` then says how.
    QImage read(QString& error) {
        QImage image;
        if (!decode(image, error))
            return {};
        return image;
    }

private:
    bool decode(QImage& image, QString& error) {
        if (m_data.size() < 512 + 12 || m_data.left(512) != QByteArray(512, '\0'))
            return fail(error, "no 512-byte zero header");
        m_pos = 512;
        const int picSize = u16();
        if (picSize != ((m_data.size() - 512) & 0xffff))
            return fail(error, "picSize is not the low 16 bits of the picture size");
        const QRect frame = rect();
        if (frame.topLeft() != QPoint(0, 0) || frame.isEmpty())
            return fail(error, "odd picFrame");
        image = QImage(frame.size(), QImage::Format_RGB32);
        if (u16() != 0x0011 || u16() != 0x02ff)
            return fail(error, "no version 2 opcode");
        if (u16() != 0x0c00 || u16() != 0xfffe || u16() != 0 || u32() != 0x00480000 ||
            u32() != 0x00480000 || rect() != frame || u32() != 0)
            return fail(error, "bad extended version 2 header");
        while (m_pos + 2 <= m_data.size()) {
            const int opcode = u16();
            if (opcode == 0x00ff) {
                if (m_pos != m_data.size())
                    return fail(error, "bytes after the end opcode");
                if (m_covered != QRegion(frame))
                    return fail(error, "pixels missing");
                return true;
            }
            if (opcode == 0x001e)
                continue;
            if (opcode == 0x0001) {
                if (u16() != 10 || rect() != frame)
                    return fail(error, "clip region is not the frame");
                continue;
            }
            if (opcode != 0x009a)
                return fail(error, "unexpected opcode " + QByteArray::number(opcode, 16));
            if (!directBits(image, error))
                return false;
        }
        return fail(error, "no end opcode");
    }

    bool fail(QString& error, const QByteArray& what) const {
        error = QString::fromLatin1(what) + QStringLiteral(" (at byte %1)").arg(m_pos);
        return false;
    }

    bool directBits(QImage& image, QString& error) {
        if (u32() != 0x000000ff)
            return fail(error, "baseAddr");
        const int rowBytesField = u16();
        const QRect bounds = rect();
        const int width = bounds.width();
        const int rowBytes = rowBytesField & 0x7fff;
        if (!(rowBytesField & 0x8000) || rowBytes != width * 4 || rowBytes >= 0x4000)
            return fail(error, "rowBytes");
        if (u16() != 0 || u16() != 4 || u32() != 0)
            return fail(error, "pmVersion, packType 4 or packSize");
        if (u32() != 0x00480000 || u32() != 0x00480000)
            return fail(error, "resolution");
        if (u16() != 16 || u16() != 32 || u16() != 3 || u16() != 8)
            return fail(error, "pixelType, pixelSize, cmpCount or cmpSize");
        if (u32() != 0 || u32() != 0 || u32() != 0)
            return fail(error, "planeBytes, pmTable or pmReserved");
        if (rect() != bounds || rect() != bounds || u16() != 0)
            return fail(error, "srcRect, dstRect or mode");
        if (!QRect(QPoint(0, 0), image.size()).contains(bounds) || m_covered.intersects(bounds))
            return fail(error, "bounds outside the frame or over other pixels");
        m_covered += bounds;
        const qsizetype start = m_pos;
        for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
            const int count = rowBytes > 250 ? u16() : u8();
            if (m_pos + count > m_data.size())
                return fail(error, "row past the end");
            const std::optional<QByteArray> row = unpackBits(m_data.mid(m_pos, count));
            m_pos += count;
            if (!row || row->size() != 3 * width)
                return fail(error, "row does not unpack to 3 x width bytes");
            for (int x = 0; x < width; ++x)
                image.setPixel(bounds.left() + x, y,
                               qRgb(static_cast<uchar>(row->at(x)),
                                    static_cast<uchar>(row->at(width + x)),
                                    static_cast<uchar>(row->at(2 * width + x))));
        }
        if ((m_pos - start) % 2 != 0) {
            if (u8() != 0)
                return fail(error, "pad byte");
        }
        return true;
    }

    int u8() {
        if (m_pos >= m_data.size())
            return -1;
        return static_cast<uchar>(m_data[m_pos++]);
    }
    int u16() {
        const int high = u8();
        const int low = u8();
        return high < 0 || low < 0 ? -1 : (high << 8) | low;
    }
    quint32 u32() {
        const auto high = static_cast<quint32>(u16());
        return (high << 16) | static_cast<quint32>(u16() & 0xffff);
    }
    QRect rect() {
        const int top = u16();
        const int left = u16();
        const int bottom = u16();
        const int right = u16();
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }

    QByteArray m_data;
    qsizetype m_pos = 0;
    QRegion m_covered;
};

enum class Pattern { Noise, Runs, Gradient };

// Noise defeats runs; Runs has stretches longer than one packet, short ones and lone
// pixels; Gradient changes every component at a different pace.
QImage patternPicture(int width, int height, Pattern pattern) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(static_cast<quint32>(width * 7919 + height));
    const QRgb colors[] = {qRgb(255, 255, 0), qRgb(0, 0, 0),     qRgb(255, 255, 255),
                           qRgb(255, 0, 0),   qRgb(0, 255, 128), qRgb(128, 128, 128)};
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (pattern) {
            case Pattern::Noise:
                line[x] = 0xff000000u | (random.generate() & 0xffffff);
                break;
            case Pattern::Runs: {
                const int stretch = (x + 3 * y) % 300 < 200 ? 0 : 1 + (x / 3) % 5;
                line[x] = (x % 17 == 5) ? qRgb(x & 255, y & 255, 77) : colors[stretch];
                break;
            }
            case Pattern::Gradient:
                line[x] = qRgb(x & 255, (y * 3) & 255, ((x + y) / 2) & 255);
                break;
            }
        }
    }
    return image;
}

QByteArray pictBytes(const QImage& picture) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!PictWriter::write(picture, buffer))
        return {};
    return buffer.data();
}

// The picture as ImageMagick reads it; null on failure, with `error` saying why.
QImage readWithImageMagick(const QString& pictPath, QString& error) {
    const QString pngPath = pictPath + QStringLiteral(".png");
    QFile::remove(pngPath);
    QProcess convert;
    convert.start(ConvertTool, {pictPath, pngPath});
    if (!convert.waitForFinished(60'000) || convert.exitStatus() != QProcess::NormalExit ||
        convert.exitCode() != 0) {
        error = QString::fromLocal8Bit(convert.readAllStandardError());
        return {};
    }
    const QImage image(pngPath);
    if (image.isNull())
        error = QStringLiteral("convert wrote no readable PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

// The first differing pixel, as text for the failure message; empty when equal.
QString firstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < e.height(); ++y)
        for (int x = 0; x < e.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (e.pixel(x, y) & 0xffffff))
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y) & 0xffffff, 6, 16, QLatin1Char('0'))
                    .arg(e.pixel(x, y) & 0xffffff, 6, 16, QLatin1Char('0'));
    return {};
}

// 54 x 54 cells: border walls, entrance and exit, walls in columns with alternating gaps,
// a solution snaking between them.
MazeGrid mazeFixture() {
    MazeGrid grid;
    grid.resize(53, 53);
    for (int y = 0; y <= 53; ++y)
        for (int x = 0; x <= 53; ++x) {
            const bool border = x == 0 || y == 0 || x == 53 || y == 53;
            const bool innerWall = x % 4 == 0 && ((x / 4) % 2 == 1 ? y < 51 : y > 2);
            if (border || innerWall)
                grid.set(x, y, CellCode::Wall);
            else if (x % 4 == 2 || (x % 4 != 0 && (y == 1 || y == 52)))
                grid.set(x, y, CellCode::Solution);
        }
    grid.set(1, 0, CellCode::Entrance);
    grid.set(52, 53, CellCode::Exit);
    return grid;
}

QImage expectedMaze(const MazeGrid& grid, const ColorTable& colors, bool withSolution) {
    QImage image(grid.columns() * CellSize, grid.rows() * CellSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int code = grid.at(x / CellSize, y / CellSize);
            image.setPixel(x, y, withSolution ? colors.Couleur(code) : colors.CouleurES(code));
        }
    return image;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void addFormatRows() {
    QTest::addColumn<int>("format");
    QTest::newRow("JPEG") << int(PictureFiles::Jpeg);
    QTest::newRow("PICT") << int(PictureFiles::Pict);
    QTest::newRow("PNG") << int(PictureFiles::Png);
}

// Widths around the byte-count limits (QuickDraw: rowBytes 250; ImageMagick: 200 bytes of
// planes) and the 4095-pixel strips.
void addPictureRows(bool narrow) {
    QTest::addColumn<QImage>("picture");
    if (narrow) {
        QTest::newRow("1x1") << patternPicture(1, 1, Pattern::Noise);
        QTest::newRow("1x4") << patternPicture(1, 4, Pattern::Gradient);
        QTest::newRow("2x5") << patternPicture(2, 5, Pattern::Noise);
    }
    QTest::newRow("3x3 noise") << patternPicture(3, 3, Pattern::Noise);
    QTest::newRow("3x3 one colour") << patternPicture(3, 3, Pattern::Runs);
    QTest::newRow("62x4") << patternPicture(62, 4, Pattern::Noise);
    QTest::newRow("63x4") << patternPicture(63, 4, Pattern::Noise);
    QTest::newRow("66x4") << patternPicture(66, 4, Pattern::Gradient);
    QTest::newRow("67x4") << patternPicture(67, 4, Pattern::Noise);
    QTest::newRow("270x270 runs") << patternPicture(270, 270, Pattern::Runs);
    QTest::newRow("1000x7 noise") << patternPicture(1000, 7, Pattern::Noise);
    QTest::newRow("1000x7 runs") << patternPicture(1000, 7, Pattern::Runs);
    QTest::newRow("1000x7 gradient") << patternPicture(1000, 7, Pattern::Gradient);
    QTest::newRow("4096x3 noise") << patternPicture(4096, 3, Pattern::Noise);
    QTest::newRow("10000x3 runs") << patternPicture(10000, 3, Pattern::Runs);
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void packBits_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray run128(128, '\xaa');
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("one byte") << QByteArray::fromHex("07") << QByteArray::fromHex("0007");
        QTest::newRow("a pair is a run")
            << QByteArray::fromHex("0505") << QByteArray::fromHex("ff05");
        QTest::newRow("distinct bytes")
            << QByteArray::fromHex("010203") << QByteArray::fromHex("02010203");
        QTest::newRow("literal, then run")
            << QByteArray::fromHex("0102030303") << QByteArray::fromHex("010102fe03");
        QTest::newRow("run, then literal")
            << QByteArray::fromHex("0909090102") << QByteArray::fromHex("fe09010102");
        QTest::newRow("literal stops before a pair")
            << QByteArray::fromHex("010202") << QByteArray::fromHex("0001ff02");
        QTest::newRow("0xff and 0x00 runs")
            << QByteArray::fromHex("ffffff0000") << QByteArray::fromHex("feffff00");
        QTest::newRow("run of 128") << run128 << QByteArray::fromHex("81aa");
        QTest::newRow("run of 129") << run128 + "\xaa" << QByteArray::fromHex("81aa00aa");
        QTest::newRow("run of 130") << run128 + "\xaa\xaa" << QByteArray::fromHex("81aaffaa");
        QTest::newRow("literal of 128")
            << sequence(0, 128) << QByteArray::fromHex("7f") + sequence(0, 128);
        QTest::newRow("literal of 129")
            << sequence(0, 129)
            << QByteArray::fromHex("7f") + sequence(0, 128) + QByteArray::fromHex("0080");
    }
    void packBits() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const QByteArray packed = PictWriter::packBits(
            reinterpret_cast<const unsigned char*>(input.constData()), int(input.size()));
        QCOMPARE(packed.toHex(' '), expected.toHex(' '));
    }

    void packBitsRefusesNothingToPack() {
        const unsigned char bytes[] = {1, 2};
        QVERIFY(PictWriter::packBits(nullptr, 4).isEmpty());
        QVERIFY(PictWriter::packBits(bytes, 0).isEmpty());
        QVERIFY(PictWriter::packBits(bytes, -1).isEmpty());
    }

    void packBitsRoundTrip_data() {
        QTest::addColumn<QByteArray>("input");
        QRandomGenerator random(42);
        for (const int length : {1, 2, 127, 128, 129, 255, 256, 257, 1000, 3000}) {
            QByteArray noise(length, '\0');
            QByteArray runs;
            for (char& byte : noise)
                byte = static_cast<char>(random.bounded(256));
            while (runs.size() < length) // runs of 1..300 from a few values
                runs.append(
                    QByteArray(1 + random.bounded(300), "\x00\x01\xff\x80"[random.bounded(4)]));
            runs.truncate(length);
            QTest::addRow("noise %d", length) << noise;
            QTest::addRow("runs %d", length) << runs;
        }
    }
    void packBitsRoundTrip() {
        QFETCH(QByteArray, input);
        const QByteArray packed = PictWriter::packBits(
            reinterpret_cast<const unsigned char*>(input.constData()), int(input.size()));
        const std::optional<QByteArray> unpacked = unpackBits(packed);
        QVERIFY2(unpacked.has_value(), "malformed packed stream");
        QCOMPARE(unpacked->size(), input.size());
        QVERIFY(*unpacked == input);
        // Worst case: a lone byte, then a pair, packed in 4 bytes, again and again.
        QVERIFY(3 * packed.size() <= 4 * input.size() + 3);
    }

    // Pictures of 1 or 2 pixels follow ImageMagick's unpacked rows, not this reader's.
    void pictLayout_data() { addPictureRows(false); }
    void pictLayout() {
        QFETCH(QImage, picture);
        const QByteArray bytes = pictBytes(picture);
        QVERIFY(!bytes.isEmpty());
        QString error;
        const QImage read = PictReader(bytes).read(error);
        QVERIFY2(!read.isNull(), qPrintable(error));
        const QString difference = firstDifference(read, picture);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void pictReadByImageMagick_data() { addPictureRows(true); }
    void pictReadByImageMagick() {
        QFETCH(QImage, picture);
        if (!QFileInfo::exists(ConvertTool))
            QSKIP("ImageMagick's convert is not installed");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("picture.pct"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(PictWriter::write(picture, file));
        file.close();
        QString error;
        const QImage read = readWithImageMagick(path, error);
        QVERIFY2(!read.isNull(), qPrintable(error));
        const QString difference = firstDifference(read, picture);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void pictConvertsOtherFormats_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("ARGB32") << int(QImage::Format_ARGB32);
        QTest::newRow("ARGB32 premultiplied") << int(QImage::Format_ARGB32_Premultiplied);
        QTest::newRow("RGB888") << int(QImage::Format_RGB888);
        QTest::newRow("Indexed8") << int(QImage::Format_Indexed8);
        QTest::newRow("Grayscale8") << int(QImage::Format_Grayscale8);
    }
    void pictConvertsOtherFormats() {
        QFETCH(int, format);
        const QImage picture = patternPicture(40, 6, Pattern::Runs)
                                   .convertToFormat(static_cast<QImage::Format>(format));
        QString error;
        const QImage read = PictReader(pictBytes(picture)).read(error);
        QVERIFY2(!read.isNull(), qPrintable(error));
        const QString difference =
            firstDifference(read, picture.convertToFormat(QImage::Format_RGB32));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void pictRefuses_data() {
        QTest::addColumn<QImage>("picture");
        QImage wide(32768, 1, QImage::Format_RGB32);
        wide.fill(Qt::black);
        QImage tall(1, 32768, QImage::Format_RGB32);
        tall.fill(Qt::black);
        QTest::newRow("null picture") << QImage();
        QTest::newRow("32768 wide") << wide;
        QTest::newRow("32768 tall") << tall;
    }
    void pictRefuses() {
        QFETCH(QImage, picture);
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(!PictWriter::write(picture, buffer));
        QCOMPARE(buffer.size(), 0);
    }

    // 32767 pixels need several strips (rowBytes < 0x4000); noise rows would also overflow
    // a 16-bit byte count in one strip. ImageMagick's default limits refuse this width.
    void pictLargestWidth() {
        const QImage picture = patternPicture(32767, 2, Pattern::Noise);
        QString error;
        const QImage read = PictReader(pictBytes(picture)).read(error);
        QVERIFY2(!read.isNull(), qPrintable(error));
        QVERIFY(firstDifference(read, picture).isEmpty());
    }

    void pictReportsWriteError() {
        QByteArray storage;
        QBuffer readOnly(&storage);
        QVERIFY(readOnly.open(QIODevice::ReadOnly));
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
        QVERIFY(!PictWriter::write(patternPicture(3, 3, Pattern::Noise), readOnly));
    }

    void extensions() {
        QCOMPARE(PictureFiles::extension(PictureFiles::Jpeg), QStringLiteral(".jpg"));
        QCOMPARE(PictureFiles::extension(PictureFiles::Pict), QStringLiteral(".pct"));
        QCOMPARE(PictureFiles::extension(PictureFiles::Png), QStringLiteral(".png"));
    }

    void exportMaze_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("withSolution");
        for (const bool withSolution : {true, false})
            for (const auto& [name, format] :
                 {std::pair{"JPEG", PictureFiles::Jpeg}, std::pair{"PICT", PictureFiles::Pict},
                  std::pair{"PNG", PictureFiles::Png}})
                QTest::addRow("%s %s", name, withSolution ? "with solution" : "without solution")
                    << int(format) << withSolution;
    }
    void exportMaze() {
        QFETCH(int, format);
        QFETCH(bool, withSolution);
        const auto kind = static_cast<PictureFiles::Format>(format);
        if (kind == PictureFiles::Pict && !QFileInfo::exists(ConvertTool))
            QSKIP("ImageMagick's convert is not installed");
        const MazeGrid grid = mazeFixture();
        const ColorTable colors;
        const QImage picture = GridPicture::render(grid, colors, withSolution, CellSize);
        QCOMPARE(picture.size(), QSize(270, 270));
        const QImage expected = expectedMaze(grid, colors, withSolution);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString name = QStringLiteral("maze") + PictureFiles::extension(kind);
        const QString path = folder.filePath(name);
        QString reason;
        QVERIFY2(PictureFiles::write(kind, picture, path, &reason), qPrintable(reason));
        QCOMPARE(entries(folder.path()), QStringList{name}); // no temporary file left

        QImage read;
        if (kind == PictureFiles::Pict) {
            QString error;
            read = readWithImageMagick(path, error);
            QVERIFY2(!read.isNull(), qPrintable(error));
        } else {
            read = QImage(path).convertToFormat(QImage::Format_RGB32);
        }
        QCOMPARE(read.size(), QSize(270, 270));

        // Cell (2, 10) is a solution cell: its own colour, or the paths' without solution.
        const QRgb solutionCell = read.pixel(2 * CellSize + 2, 10 * CellSize + 2) & 0xffffff;
        const QRgb wanted = colors.at(withSolution ? CellCode::Solution : CellCode::Open);
        if (kind != PictureFiles::Jpeg) {
            QCOMPARE(solutionCell, wanted & 0xffffff);
            const QString difference = firstDifference(read, expected);
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
            return;
        }
        // JPEG is lossy: each cell centre must be nearest to its own table colour.
        const auto nearest = [&colors](QRgb pixel) {
            int best = 0;
            int bestDistance = INT_MAX;
            for (int i = 0; i <= CellCode::Exit; ++i) {
                const QRgb c = colors.at(i);
                const int d = (qRed(c) - qRed(pixel)) * (qRed(c) - qRed(pixel)) +
                              (qGreen(c) - qGreen(pixel)) * (qGreen(c) - qGreen(pixel)) +
                              (qBlue(c) - qBlue(pixel)) * (qBlue(c) - qBlue(pixel));
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            return colors.at(best);
        };
        QCOMPARE(nearest(solutionCell), wanted);
        for (int y = 0; y < grid.rows(); ++y)
            for (int x = 0; x < grid.columns(); ++x) {
                const int cx = x * CellSize + CellSize / 2;
                const int cy = y * CellSize + CellSize / 2;
                if (nearest(read.pixel(cx, cy)) != expected.pixel(cx, cy))
                    QFAIL(qPrintable(
                        QStringLiteral("cell (%1, %2) has the wrong colour").arg(x).arg(y)));
            }
    }

    void pngKeepsExactPixelsWithAnyGamma_data() {
        QTest::addColumn<float>("gamma");
        QTest::newRow("no gamma") << 0.0f;
        QTest::newRow("gamma 2.2") << 2.2f;
    }
    void pngKeepsExactPixelsWithAnyGamma() {
        QFETCH(float, gamma);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("maze.png"));
        QVERIFY(writeFile(path, "older and longer contents than nothing"));
        const QImage picture = GridPicture::render(mazeFixture(), ColorTable(), true, CellSize);
        QVERIFY(PNGu::SavePicture(path, picture, gamma));
        const QString difference = firstDifference(QImage(path), picture);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("maze.png")});
    }

    void pngRefusesNullPicture() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(!PNGu::SavePicture(folder.filePath(QStringLiteral("maze.png")), QImage()));
        QVERIFY(entries(folder.path()).isEmpty());
        QString reason;
        QVERIFY(!PictureFiles::write(PictureFiles::Png, QImage(),
                                     folder.filePath(QStringLiteral("maze.png")), &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(entries(folder.path()).isEmpty());
    }

    void missingFolder_data() { addFormatRows(); }
    void missingFolder() {
        QFETCH(int, format);
        const auto kind = static_cast<PictureFiles::Format>(format);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString missing = folder.filePath(QStringLiteral("missing"));
        const QString path = missing + QStringLiteral("/maze") + PictureFiles::extension(kind);
        const QImage picture = GridPicture::render(mazeFixture(), ColorTable(), false, CellSize);
        QString reason;
        QVERIFY(!PictureFiles::write(kind, picture, path, &reason));
        QVERIFY(!reason.isEmpty());
        if (kind == PictureFiles::Png)
            QVERIFY(!PNGu::SavePicture(path, picture));
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(entries(folder.path()).isEmpty());
    }

    // An existing file stays as it was when the new one cannot be written.
    void unwritableFolderKeepsOldFile_data() { addFormatRows(); }
    void unwritableFolderKeepsOldFile() {
        QFETCH(int, format);
        const auto kind = static_cast<PictureFiles::Format>(format);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QByteArray old = "the previous export, which must survive\n";
        const QString locked = folder.filePath(QStringLiteral("locked"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("locked")));
        const QString name = QStringLiteral("maze") + PictureFiles::extension(kind);
        QString path = locked + QLatin1Char('/') + name;
        QString keptPath = path;
        QVERIFY(writeFile(path, old));
        const auto readWrite = QFile::permissions(locked);
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(locked, readWrite); });
        QString watched = locked;
        {
            QFile probe(locked + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                // Permissions do not stop this user (root): a path under a plain file fails
                // for anyone.
                probe.remove();
                const QString plain = folder.filePath(QStringLiteral("plain"));
                QVERIFY(writeFile(plain, old));
                path = plain + QLatin1Char('/') + name;
                keptPath = plain;
                watched = folder.path();
            }
        }
        const QStringList before = entries(watched);
        const QImage picture = GridPicture::render(mazeFixture(), ColorTable(), true, CellSize);
        QString reason;
        QVERIFY(!PictureFiles::write(kind, picture, path, &reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(fileBytes(keptPath), old);
        QCOMPARE(entries(watched), before); // no temporary file left either
    }

    // The writer fails after the file was opened: the old file must still be intact.
    void failedPictKeepsOldFile() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("maze.pct"));
        const QByteArray old = "the previous export, which must survive\n";
        QVERIFY(writeFile(path, old));
        QImage tooWide(32768, 2, QImage::Format_RGB32);
        tooWide.fill(Qt::white);
        QString reason;
        QVERIFY(!PictureFiles::write(PictureFiles::Pict, tooWide, path, &reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("maze.pct")});
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "test_pictures.moc"
