#include "SequentialBytes.h"
#include "files/TaggedFile.h"
#include "maze/CellCode.h"
#include "maze/MazeGrid.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QTest>
#include <QtEndian>

#include <bit>
#include <cstdint>

using Kind = TaggedFile::Record::Kind;

namespace {

// Builds tagged files by hand, independently of the writer.
struct Bytes {
    QByteArray b;

    Bytes& byte(int v) {
        b.append(static_cast<char>(v));
        return *this;
    }
    Bytes& raw(const QByteArray& bytes) {
        b.append(bytes);
        return *this;
    }
    Bytes& text(const QByteArray& utf8) { return byte(static_cast<int>(utf8.size())).raw(utf8); }
    Bytes& int32(std::int32_t v) {
        char c[4];
        qToBigEndian(v, c);
        return raw(QByteArray(c, 4));
    }
    Bytes& real(double v) {
        char c[8];
        qToBigEndian(std::bit_cast<quint64>(v), c);
        return raw(QByteArray(c, 8));
    }
    Bytes& record(const QByteArray& tag, const QByteArray& signature) {
        return text(tag).text(signature);
    }
    Bytes& rgb(int r, int g, int bl) { return byte(r).byte(g).byte(bl); }
    Bytes& fin() { return text("/FIN/"); }
    Bytes& version() { return record("/VERL/", "1 V 1 T !").byte(200).text(""); }
    Bytes& color(const QByteArray& tag, int r, int g, int bl) {
        return record(tag, "3 V !").rgb(r, g, bl);
    }
    operator QByteArray() const { return b; }
};

// One line per record, so that a whole read compares as a list of strings.
QString describe(const TaggedFile::Record& r) {
    switch (r.kind) {
    case Kind::Version:
        return QStringLiteral("Version %1 '%2'").arg(r.number).arg(r.text);
    case Kind::SettingsFlag:
        return QStringLiteral("SettingsFlag %1").arg(r.flag ? "true" : "false");
    case Kind::Corridor:
        return QStringLiteral("Corridor %1")
            .arg(QString::number(r.real, 'g', QLocale::FloatingPointShortest));
    case Kind::TitleRecord:
        return QStringLiteral("Title '%1' '%2' %3 %4%5%6 #%7")
            .arg(r.title.text, r.title.font)
            .arg(r.title.size)
            .arg(int(r.title.bold))
            .arg(int(r.title.italic))
            .arg(int(r.title.underline))
            .arg(r.title.color & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    case Kind::Thickness:
        return QStringLiteral("Thickness %1").arg(r.number);
    case Kind::Color:
        return QStringLiteral("Color %1 #%2")
            .arg(r.number)
            .arg(r.color & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    case Kind::Grid:
        return QStringLiteral("Grid %1x%2").arg(r.grid.Largeur()).arg(r.grid.Hauteur());
    case Kind::GridBeforeDimensions:
        return QStringLiteral("GridBeforeDimensions");
    case Kind::UnknownRecord:
        return QStringLiteral("Unknown %1 '%2'").arg(r.text, r.signature);
    }
    return QStringLiteral("?");
}

QStringList describeAll(const TaggedFile::ReadResult& result) {
    QStringList lines;
    for (const auto& r : result.records)
        lines << describe(r);
    return lines;
}

TaggedFile::ReadResult readBytes(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return TaggedFile::read(buffer);
}

QByteArray writeMaze(const TaggedFile::Settings& settings, const MazeGrid& grid) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    [&] {
        QVERIFY(TaggedFile::writeMaze(buffer, settings, grid));
    }();
    return bytes;
}

QByteArray writeSettings(const TaggedFile::Settings& settings) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    [&] {
        QVERIFY(TaggedFile::writeSettings(buffer, settings));
    }();
    return bytes;
}

TaggedFile::Settings sampleSettings() {
    TaggedFile::Settings s;
    s.corridor = 412.5;
    s.title.text = QStringLiteral("Dédale n°3");
    s.title.font = QStringLiteral("Liberation Serif");
    s.title.size = 24;
    s.title.bold = true;
    s.title.italic = false;
    s.title.underline = true;
    s.title.color = qRgb(0x12, 0x34, 0x56);
    s.thickness = 7;
    for (int i = 0; i < 6; ++i)
        s.colors[static_cast<std::size_t>(i)] = qRgb(10 * i + 1, 10 * i + 2, 10 * i + 3);
    return s;
}

// What reading sampleSettings() back gives, colours in their file order.
QStringList sampleSettingsLines(bool settingsFile) {
    QStringList lines;
    lines << "Version 200 ''";
    lines << (settingsFile ? "SettingsFlag true" : "SettingsFlag false");
    lines << "Corridor 412.5";
    lines << "Title 'Dédale n°3' 'Liberation Serif' 24 101 #123456";
    lines << "Thickness 7";
    lines << "Color 1 #0b0c0d";
    lines << "Color 0 #010203";
    lines << "Color 2 #151617";
    lines << "Color 3 #1f2021";
    lines << "Color 4 #292a2b";
    lines << "Color 5 #333435";
    return lines;
}

// A grid whose every cell differs from its neighbours, so a transposition shows.
MazeGrid patternedGrid(int largeur, int hauteur) {
    MazeGrid grid;
    grid.resize(largeur, hauteur);
    for (int y = 0; y <= hauteur; ++y)
        for (int x = 0; x <= largeur; ++x)
            grid.set(x, y, static_cast<std::uint8_t>((x * 7 + y * 13) % 251));
    return grid;
}

// Accepts writes up to a limit, then refuses them.
class LimitedDevice : public QIODevice {
public:
    explicit LimitedDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override {
        if (m_written >= m_limit)
            return -1;
        const qint64 n = std::min(len, m_limit - m_written);
        m_written += n;
        return n;
    }

private:
    qint64 m_limit;
    qint64 m_written = 0;
};

} // namespace

class TestTaggedFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headerBytes() {
        const QByteArray expected = QByteArray::fromHex("06"                 // tag length
                                                        "2F5645524C2F"       // "/VERL/"
                                                        "09"                 // signature length
                                                        "312056203120542021" // "1 V 1 T !"
                                                        "C8"                 // format 200
                                                        "00");               // empty text
        QCOMPARE(TaggedFile::header(), expected);
        QVERIFY(writeMaze(sampleSettings(), patternedGrid(2, 1)).startsWith(expected));
        QVERIFY(writeSettings(sampleSettings()).startsWith(expected));
        QVERIFY(TaggedFile::startsWithHeader(expected + "more"));
        QVERIFY(!TaggedFile::startsWithHeader(expected.left(18)));
        QVERIFY(!TaggedFile::startsWithHeader(QByteArray(expected).replace(17, 1, "\xC7")));
    }

    void exactLayoutOfSmallMazeFile() {
        TaggedFile::Settings s;
        s.corridor = 250;
        s.title.text = QStringLiteral("Té");
        s.title.font = QStringLiteral("F");
        s.title.size = 12;
        s.title.italic = true;
        s.title.color = qRgb(1, 2, 3);
        s.thickness = 9;
        s.colors = {qRgb(0, 0, 1), qRgb(0, 0, 2), qRgb(0, 0, 3),
                    qRgb(0, 0, 4), qRgb(0, 0, 5), qRgb(0, 0, 6)};
        MazeGrid grid;
        grid.resize(2, 1);
        for (int x = 0; x <= 2; ++x)
            for (int y = 0; y <= 1; ++y)
                grid.set(x, y, static_cast<std::uint8_t>(10 * x + y));

        const QByteArray expected = Bytes()
                                        .version()
                                        .record("/REGB/", "1 B !")
                                        .byte(0)
                                        .record("/LGMT/", "1 D !")
                                        .raw(QByteArray::fromHex("406F400000000000"))
                                        .record("/TITR/", "2 T 1 V 3 B 3 V !")
                                        .text("T\xC3\xA9")
                                        .text("F")
                                        .byte(12)
                                        .byte(0)
                                        .byte(1)
                                        .byte(0)
                                        .rgb(1, 2, 3)
                                        .record("/LARG/", "1 V !")
                                        .byte(2)
                                        .record("/HAUT/", "1 V !")
                                        .byte(1)
                                        .record("/EPAI/", "1 V !")
                                        .byte(9)
                                        .color("/CLMU/", 0, 0, 2)
                                        .color("/CLCH/", 0, 0, 1)
                                        .color("/CLSL/", 0, 0, 3)
                                        .color("/CLEN/", 0, 0, 4)
                                        .color("/CLSO/", 0, 0, 5)
                                        .color("/CLTE/", 0, 0, 6)
                                        .record("/LABY/", "6 V !")
                                        .raw(QByteArray::fromHex("00010A0B1415"))
                                        .fin();
        QCOMPARE(writeMaze(s, grid).toHex(' '), expected.toHex(' '));
    }

    void mazeRoundTrip() {
        const TaggedFile::Settings s = sampleSettings();
        MazeGrid grid = patternedGrid(40, 23);
        grid.set(0, 0, CellCode::Entrance);
        grid.set(40, 23, CellCode::Exit);
        const TaggedFile::ReadResult result = readBytes(writeMaze(s, grid));
        QCOMPARE(result.error, QString());
        const QStringList expected = sampleSettingsLines(false) << "Grid 40x23";
        QCOMPARE(describeAll(result), expected);
        QCOMPARE(result.records.back().grid, grid);
    }

    void settingsRoundTrip() {
        const QByteArray bytes = writeSettings(sampleSettings());
        for (const char* tag : {"/LARG/", "/HAUT/", "/DIML/", "/LABY/"})
            QVERIFY2(!bytes.contains(tag), tag);
        const TaggedFile::ReadResult result = readBytes(bytes);
        QCOMPARE(result.error, QString());
        const QStringList expected = sampleSettingsLines(true);
        QCOMPARE(describeAll(result), expected);
        QVERIFY(bytes.endsWith(Bytes().fin().b));
    }

    void dimensionRecords_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("diml");
        QTest::newRow("256 x 256 fits in bytes") << 256 << 256 << false;
        QTest::newRow("300 x 10 too wide") << 300 << 10 << true;
        QTest::newRow("10 x 257 too tall") << 10 << 257 << true;
        QTest::newRow("1 x 1") << 1 << 1 << false;
    }
    void dimensionRecords() {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(bool, diml);
        const MazeGrid grid = patternedGrid(columns - 1, rows - 1);
        const QByteArray bytes = writeMaze(TaggedFile::Settings(), grid);
        const QByteArray dimlRecord =
            Bytes().record("/DIML/", "2 L !").int32(columns - 1).int32(rows - 1);
        const QByteArray byteRecords = Bytes()
                                           .record("/LARG/", "1 V !")
                                           .byte(columns - 1)
                                           .record("/HAUT/", "1 V !")
                                           .byte(rows - 1);
        QCOMPARE(bytes.contains(dimlRecord), diml);
        QCOMPARE(bytes.contains(byteRecords), !diml);
        QVERIFY(bytes.contains(
            Bytes().record("/LABY/", QByteArray::number(columns * rows) + " V !").b));

        const TaggedFile::ReadResult result = readBytes(bytes);
        QCOMPARE(result.error, QString());
        QCOMPARE(result.records.back().kind, Kind::Grid);
        QCOMPARE(result.records.back().grid, grid);
    }

    void clampedBytes() {
        TaggedFile::Settings s;
        s.title.size = 300;
        s.thickness = -4;
        const TaggedFile::ReadResult result = readBytes(writeSettings(s));
        QCOMPARE(result.error, QString());
        for (const auto& r : result.records) {
            if (r.kind == Kind::TitleRecord)
                QCOMPARE(r.title.size, 255);
            if (r.kind == Kind::Thickness)
                QCOMPARE(r.number, 0);
        }
    }

    void longTitleCutAtCharacter_data() {
        QTest::addColumn<int>("asciiBefore");
        QTest::addColumn<QString>("wide");
        QTest::addColumn<int>("keptBytes");
        // The wide character straddles byte 255 unless it ends exactly there.
        QTest::newRow("2-byte char over the cut") << 254 << QStringLiteral("é") << 254;
        QTest::newRow("2-byte char ending at 255") << 253 << QStringLiteral("é") << 255;
        QTest::newRow("3-byte char over the cut") << 253 << QStringLiteral("€") << 253;
        QTest::newRow("4-byte char over the cut") << 252 << QStringLiteral("😀") << 252;
        QTest::newRow("4-byte char ending at 255") << 251 << QStringLiteral("😀") << 255;
    }
    void longTitleCutAtCharacter() {
        QFETCH(int, asciiBefore);
        QFETCH(QString, wide);
        QFETCH(int, keptBytes);
        TaggedFile::Settings s;
        s.title.text = QString(asciiBefore, u'a') + wide + QString(300, u'b');
        s.title.font = s.title.text;
        const QByteArray bytes = writeSettings(s);

        const qsizetype at = bytes.indexOf("/TITR/") + 6;
        const int signatureLength = static_cast<unsigned char>(bytes[at]);
        QCOMPARE(static_cast<unsigned char>(bytes[at + 1 + signatureLength]), keptBytes);

        const QByteArray kept = s.title.text.toUtf8().left(keptBytes);
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder(kept);
        QVERIFY(!decoder.hasError());

        const TaggedFile::ReadResult result = readBytes(bytes);
        QCOMPARE(result.error, QString());
        QCOMPARE(result.records.at(3).kind, Kind::TitleRecord);
        QCOMPARE(result.records.at(3).title.text, decoded);
        QCOMPARE(result.records.at(3).title.font, decoded);
        QCOMPARE(result.records.at(3).title.size, 0);
    }

    void writeFailureReported_data() {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("refuses everything") << qint64(0);
        QTest::newRow("refuses after the header") << qint64(19);
        QTest::newRow("refuses inside the grid") << qint64(200);
    }
    void writeFailureReported() {
        QFETCH(qint64, limit);
        LimitedDevice mazeDevice(limit);
        QVERIFY(!TaggedFile::writeMaze(mazeDevice, sampleSettings(), patternedGrid(30, 30)));
        LimitedDevice settingsDevice(limit);
        QVERIFY(!TaggedFile::writeSettings(settingsDevice, sampleSettings()));
    }

    void craftedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("error"); // a fragment of the error line; empty: no error

        QTest::newRow("only /FIN/") << QByteArray(Bytes().fin()) << QStringList() << QString();
        QTest::newRow("empty file") << QByteArray() << QStringList() << QString();
        QTest::newRow("no /FIN/ at all")
            << QByteArray(Bytes().version()) << QStringList{"Version 200 ''"} << QString();

        QTest::newRow("unknown tag skipped, later records applied")
            << QByteArray(Bytes()
                              .version()
                              .record("/ZZZZ/", "2 T 1 L !")
                              .text("ab")
                              .text("")
                              .int32(-7)
                              .color("/CLMU/", 1, 2, 3)
                              .record("/EPAI/", "1 V !")
                              .byte(4)
                              .fin())
            << QStringList{"Version 200 ''", "Unknown /ZZZZ/ '2 T 1 L !'", "Color 1 #010203",
                           "Thickness 4"}
            << QString();
        QTest::newRow("unknown tag with every type and zero counts")
            << QByteArray(Bytes()
                              .record("/ZZZZ/", "1 T 0 V 2 B 1 L 1 D 0 T !")
                              .text("xyz")
                              .byte(1)
                              .byte(0)
                              .int32(5)
                              .real(1.5)
                              .color("/CLSO/", 9, 9, 9))
            << QStringList{"Unknown /ZZZZ/ '1 T 0 V 2 B 1 L 1 D 0 T !'", "Color 4 #090909"}
            << QString();
        QTest::newRow("tags are case-sensitive")
            << QByteArray(Bytes().record("/clmu/", "3 V !").rgb(1, 2, 3).fin())
            << QStringList{"Unknown /clmu/ '3 V !'"} << QString();

        QTest::newRow("/LABY/ before /LARG/ skipped, later records decoded")
            << QByteArray(Bytes()
                              .record("/LABY/", "4 V !")
                              .raw("\1\1\1\1")
                              .record("/LARG/", "1 V !")
                              .byte(1)
                              .record("/HAUT/", "1 V !")
                              .byte(0)
                              .color("/CLCH/", 255, 0, 0)
                              .record("/LABY/", "2 V !")
                              .raw("\1\4")
                              .fin())
            << QStringList{"GridBeforeDimensions", "Color 0 #ff0000", "Grid 1x0"} << QString();
        QTest::newRow("/LABY/ with only its width known")
            << QByteArray(Bytes()
                              .record("/LARG/", "1 V !")
                              .byte(3)
                              .record("/LABY/", "1 T !")
                              .text("abc")
                              .color("/CLTE/", 0, 0, 0))
            << QStringList{"GridBeforeDimensions", "Color 5 #000000"} << QString();
        QTest::newRow("/LABY/ read by the dimensions, not its signature")
            << QByteArray(Bytes()
                              .record("/DIML/", "2 L !")
                              .int32(0)
                              .int32(2)
                              .record("/LABY/", "99 V !")
                              .raw("\1\2\3")
                              .color("/CLEN/", 1, 1, 1))
            << QStringList{"Grid 0x2", "Color 3 #010101"} << QString();

        QTest::newRow("records after /FIN/ still read")
            << QByteArray(Bytes()
                              .color("/CLMU/", 1, 1, 1)
                              .fin()
                              .color("/CLSO/", 2, 2, 2)
                              .record("/LGMT/", "1 D !")
                              .real(-3.25)
                              .fin())
            << QStringList{"Color 1 #010101", "Color 4 #020202", "Corridor -3.25"} << QString();

        QTest::newRow("/LGMT/ 900.9 kept as read")
            << QByteArray(Bytes().record("/LGMT/", "1 D !").real(900.9).fin())
            << QStringList{"Corridor 900.9"} << QString();
        QTest::newRow("nonzero boolean is true")
            << QByteArray(Bytes().record("/REGB/", "1 B !").byte(7).fin())
            << QStringList{"SettingsFlag true"} << QString();
        QTest::newRow("known tag with another signature read in its own layout")
            << QByteArray(Bytes()
                              .record("/EPAI/", "1 D !")
                              .byte(6)
                              .record("/VERL/", "")
                              .byte(150)
                              .text("v2")
                              .record("/CLSL/", "9 T !")
                              .rgb(4, 5, 6)
                              .fin())
            << QStringList{"Thickness 6", "Version 150 'v2'", "Color 2 #040506"} << QString();

        QTest::newRow("unknown type letter")
            << QByteArray(Bytes()
                              .version()
                              .color("/CLMU/", 1, 2, 3)
                              .record("/ZZZZ/", "1 X !")
                              .byte(0)
                              .color("/CLCH/", 1, 2, 3))
            << QStringList{"Version 200 ''", "Color 1 #010203"}
            << QStringLiteral("Erreur: Type de donnée inconnu (1 X !)");
        QTest::newRow("unknown type letter after known ones")
            << QByteArray(Bytes().record("/ZZZZ/", "1 V 1 t !").byte(1).byte(1)) << QStringList()
            << QStringLiteral("Erreur: Type de donnée inconnu (1 V 1 t !)");
        QTest::newRow("count is no number")
            << QByteArray(Bytes().record("/ZZZZ/", "x V !").byte(1).fin()) << QStringList()
            << QStringLiteral("« x » de la signature « x V ! »");
        QTest::newRow("negative count")
            << QByteArray(Bytes().record("/ZZZZ/", "-1 V !").byte(1).fin()) << QStringList()
            << QStringLiteral("« -1 »");
        QTest::newRow("double space")
            << QByteArray(Bytes().record("/ZZZZ/", "1  V !").byte(1).fin()) << QStringList()
            << QStringLiteral("Erreur: Type de donnée inconnu (1  V !)");
        QTest::newRow("signature without !")
            << QByteArray(Bytes().record("/ZZZZ/", "2 T").text("a").text("b").fin())
            << QStringList() << QStringLiteral("la signature « 2 T » se termine avant « ! »");
        QTest::newRow("signature ending on a count")
            << QByteArray(Bytes().record("/ZZZZ/", "2 V 3").byte(1).byte(2).fin()) << QStringList()
            << QStringLiteral("« 2 V 3 » se termine avant");
        QTest::newRow("trailing space")
            << QByteArray(Bytes().record("/ZZZZ/", "1 V ").byte(1).fin()) << QStringList()
            << QStringLiteral("la signature « 1 V  » se termine avant « ! »");
        QTest::newRow("empty signature")
            << QByteArray(Bytes().record("/ZZZZ/", "").fin()) << QStringList()
            << QStringLiteral("se termine avant « ! »");
        QTest::newRow("/LABY/ skipped with a broken signature")
            << QByteArray(Bytes().record("/LABY/", "4 Q !").raw(QByteArray(4, '\0')))
            << QStringList() << QStringLiteral("Erreur: Type de donnée inconnu (4 Q !)");

        for (const char* letter : {"T", "V", "B", "L", "D"}) {
            QTest::addRow("huge count of %s", letter)
                << QByteArray(
                       Bytes()
                           .color("/CLMU/", 1, 1, 1)
                           .record("/ZZZZ/", QByteArray("99999999999999999999999 ") + letter + " !")
                           .raw(QByteArray("\3abc\0\0\0\0\0\0\0", 11)))
                << QStringList{"Color 1 #010101"}
                << QStringLiteral("se termine au milieu de l'enregistrement /ZZZZ/");
        }

        QTest::newRow("/DIML/ beyond the cell limit")
            << QByteArray(Bytes()
                              .version()
                              .record("/DIML/", "2 L !")
                              .int32(2'000'000'000)
                              .int32(2'000'000'000)
                              .record("/LABY/", "1 V !")
                              .byte(0)
                              .fin())
            << QStringList{"Version 200 ''"} << QStringLiteral("Erreur: le labyrinthe annoncé");
        QTest::newRow("/DIML/ larger than the file")
            << QByteArray(Bytes()
                              .record("/DIML/", "2 L !")
                              .int32(999)
                              .int32(999)
                              .record("/LABY/", "1000000 V !")
                              .raw(QByteArray(100, '\1'))
                              .fin())
            << QStringList() << QStringLiteral("(1000000 cellules) est trop grand pour ce fichier");
        QTest::newRow("negative /DIML/ counts as no dimensions")
            << QByteArray(Bytes()
                              .record("/DIML/", "2 L !")
                              .int32(-5)
                              .int32(3)
                              .record("/LABY/", "2 V !")
                              .raw("\1\1")
                              .fin())
            << QStringList{"GridBeforeDimensions"} << QString();

        QTest::newRow("ends inside a title")
            << QByteArray(Bytes()
                              .version()
                              .record("/TITR/", "2 T 1 V 3 B 3 V !")
                              .text("abc")
                              .text("Arial")
                              .byte(12))
            << QStringList{"Version 200 ''"}
            << QStringLiteral("Erreur: le fichier se termine au milieu de l'enregistrement "
                              "/TITR/.");
        QTest::newRow("ends inside a signature")
            << QByteArray(Bytes().version().text("/EPAI/").byte(5).raw("1 V"))
            << QStringList{"Version 200 ''"} << QStringLiteral("l'enregistrement /EPAI/");
        QTest::newRow("ends inside a tag")
            << QByteArray(Bytes().version().byte(5).raw("/FI")) << QStringList{"Version 200 ''"}
            << QStringLiteral("Erreur: le fichier se termine au milieu du nom");
    }
    void craftedFiles() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, records);
        QFETCH(QString, error);
        const TaggedFile::ReadResult result = readBytes(file);
        QCOMPARE(describeAll(result), records);
        if (error.isEmpty()) {
            QCOMPARE(result.error, QString());
        } else {
            QVERIFY2(result.error.startsWith(u"Erreur: "), qPrintable(result.error));
            QVERIFY2(result.error.contains(error), qPrintable(result.error));
            QVERIFY2(!result.error.contains(u'\n'), qPrintable(result.error));
        }
    }

    void gridCellsReadColumnByColumn() {
        const QByteArray file = Bytes()
                                    .record("/DIML/", "2 L !")
                                    .int32(2)
                                    .int32(1)
                                    .record("/LABY/", "6 V !")
                                    .raw(QByteArray::fromHex("00010A0B1415"))
                                    .fin();
        const TaggedFile::ReadResult result = readBytes(file);
        QCOMPARE(result.error, QString());
        QCOMPARE(result.records.size(), std::size_t(1));
        const MazeGrid& grid = result.records[0].grid;
        QCOMPARE(grid.Largeur(), 2);
        QCOMPARE(grid.Hauteur(), 1);
        for (int x = 0; x <= 2; ++x)
            for (int y = 0; y <= 1; ++y)
                QCOMPARE(int(grid.at(x, y)), 10 * x + y);
    }

    // A pipe cannot say how much is left: the reader relies on the cell limit and short reads.
    void sequentialDevice_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        const QByteArray whole = writeMaze(TaggedFile::Settings(), patternedGrid(99, 99));
        QTest::newRow("whole file") << whole << QString();
        QTest::newRow("grid cut short")
            << whole.left(whole.size() - 40) << QStringLiteral("l'enregistrement /LABY/");
        QTest::newRow("grid beyond the cell limit")
            << QByteArray(Bytes()
                              .record("/DIML/", "2 L !")
                              .int32(2'000'000'000)
                              .int32(2'000'000'000)
                              .record("/LABY/", "1 V !")
                              .byte(0))
            << QStringLiteral("Erreur: le labyrinthe annoncé");
    }
    void sequentialDevice() {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        SequentialBytes device(file);
        const TaggedFile::ReadResult result = TaggedFile::read(device);
        if (error.isEmpty()) {
            QCOMPARE(result.error, QString());
            QCOMPARE(result.records.back().grid, patternedGrid(99, 99));
        } else {
            QVERIFY2(result.error.startsWith(u"Erreur: "), qPrintable(result.error));
            QVERIFY2(result.error.contains(error), qPrintable(result.error));
            QVERIFY(result.records.empty() || result.records.back().kind != Kind::Grid);
        }
    }

    // Every prefix of a valid file must read without crashing or hanging, and whatever it
    // decodes must agree with the whole file.
    void everyPrefixOfAValidFile() {
        MazeGrid grid = patternedGrid(3, 2);
        const QByteArray bytes = writeMaze(sampleSettings(), grid);
        const QStringList whole = describeAll(readBytes(bytes));
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            const TaggedFile::ReadResult result = readBytes(bytes.left(n));
            const QStringList lines = describeAll(result);
            QVERIFY(lines.size() <= whole.size());
            QCOMPARE(lines, whole.mid(0, lines.size()));
            // Every cut lands inside a record except those between whole records.
            if (result.error.isEmpty())
                QVERIFY2(bytes.mid(n).startsWith('\x06') || bytes.mid(n).startsWith('\x05'),
                         qPrintable(QString::number(n)));
        }
    }
};

QTEST_GUILESS_MAIN(TestTaggedFile)
#include "test_tagged_file.moc"
