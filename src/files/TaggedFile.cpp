#include "files/TaggedFile.h"

#include <QIODevice>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// Side of the square tiles used to transpose the grid between its row-major storage and the
// file's column-by-column order without striding across the whole grid for every byte.
constexpr int Tile = 64;

// The colour tags in the order they are written, with the colour-table entry each holds.
struct ColorTag {
    const char* tag;
    int index;
};
constexpr std::array<ColorTag, 6> ColorTags{{
    {"/CLMU/", 1},
    {"/CLCH/", 0},
    {"/CLSL/", 2},
    {"/CLEN/", 3},
    {"/CLSO/", 4},
    {"/CLTE/", 5},
}};

std::uint8_t clampByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// Longest prefix of at most 255 bytes that does not end inside a multi-byte UTF-8 sequence.
QByteArray cutUtf8(const QByteArray& bytes) {
    if (bytes.size() <= 255)
        return bytes;
    qsizetype n = 255;
    while (n > 0 && (static_cast<unsigned char>(bytes[n]) & 0xC0) == 0x80)
        --n;
    return bytes.left(n);
}

class Writer {
public:
    QByteArray out;

    void byte(int value) { out.append(static_cast<char>(clampByte(value))); }
    void boolean(bool value) { out.append(value ? '\1' : '\0'); }
    void text(const QByteArray& utf8) {
        const QByteArray cut = cutUtf8(utf8);
        out.append(static_cast<char>(cut.size()));
        out.append(cut);
    }
    void text(const QString& value) { text(value.toUtf8()); }
    void int32(std::int32_t value) {
        char b[4];
        qToBigEndian(value, b);
        out.append(b, 4);
    }
    void real(double value) {
        char b[8];
        qToBigEndian(std::bit_cast<quint64>(value), b);
        out.append(b, 8);
    }
    void rgb(QRgb color) {
        byte(qRed(color));
        byte(qGreen(color));
        byte(qBlue(color));
    }
    void record(const char* tag, const char* signature) {
        text(QByteArray(tag));
        text(QByteArray(signature));
    }
};

void writeVersionAndFlag(Writer& w, bool settingsFile) {
    w.record("/VERL/", "1 V 1 T !");
    w.byte(TaggedFile::FormatVersion);
    w.text(QByteArray());
    w.record("/REGB/", "1 B !");
    w.boolean(settingsFile);
}

void writeCorridorAndTitle(Writer& w, const TaggedFile::Settings& s) {
    w.record("/LGMT/", "1 D !");
    w.real(s.corridor);
    w.record("/TITR/", "2 T 1 V 3 B 3 V !");
    w.text(s.title.text);
    w.text(s.title.font);
    w.byte(s.title.size);
    w.boolean(s.title.bold);
    w.boolean(s.title.italic);
    w.boolean(s.title.underline);
    w.rgb(s.title.color);
}

void writeThicknessAndColors(Writer& w, const TaggedFile::Settings& s) {
    w.record("/EPAI/", "1 V !");
    w.byte(s.thickness);
    for (const ColorTag& c : ColorTags) {
        w.record(c.tag, "3 V !");
        w.rgb(s.colors[static_cast<std::size_t>(c.index)]);
    }
}

bool writeAll(QIODevice& device, const QByteArray& bytes) {
    return device.write(bytes) == bytes.size();
}

// Thrown inside the reader only, caught by read(): carries the user's error line.
struct ReadError {
    QString line;
};

class Reader {
public:
    explicit Reader(QIODevice& device) : m_device(device) {}

    // The context named when the file ends early.
    QByteArray currentTag;

    // The next record's tag; nothing at the clean end of the file.
    std::optional<QByteArray> nextTag() {
        char c;
        if (m_device.read(&c, 1) != 1)
            return std::nullopt;
        const int n = static_cast<unsigned char>(c);
        QByteArray tag = m_device.read(n);
        if (tag.size() != n)
            throw ReadError{QStringLiteral("Erreur: le fichier se termine au milieu du nom d'un "
                                           "enregistrement.")};
        return tag;
    }

    std::uint8_t byte() {
        char c;
        if (m_device.read(&c, 1) != 1)
            endedEarly();
        return static_cast<std::uint8_t>(c);
    }
    bool boolean() { return byte() != 0; }
    QByteArray bytes(qint64 n) {
        QByteArray b = m_device.read(n);
        if (b.size() != n)
            endedEarly();
        return b;
    }
    QByteArray textBytes() { return bytes(byte()); }
    QString text() { return QString::fromUtf8(textBytes()); }
    std::int32_t int32() { return qFromBigEndian<std::int32_t>(bytes(4).constData()); }
    double real() { return std::bit_cast<double>(qFromBigEndian<quint64>(bytes(8).constData())); }
    QRgb rgb() {
        const int r = byte();
        const int g = byte();
        const int b = byte();
        return qRgb(r, g, b);
    }

    void skip(qint64 n) {
        while (n > 0) {
            const qint64 skipped = m_device.skip(n);
            if (skipped <= 0)
                endedEarly();
            n -= skipped;
        }
    }

    // Bytes left, or nothing when the device cannot tell (sequential devices).
    std::optional<qint64> remaining() const {
        if (m_device.isSequential())
            return std::nullopt;
        return m_device.bytesAvailable();
    }

    [[noreturn]] void endedEarly() const {
        throw ReadError{QStringLiteral("Erreur: le fichier se termine au milieu de "
                                       "l'enregistrement %1.")
                            .arg(QString::fromUtf8(currentTag))};
    }

private:
    QIODevice& m_device;
};

// A signature count: digits only. Counts too large to matter saturate, since skipping them
// runs into the end of the file long before.
std::optional<qint64> parseCount(const QString& token) {
    constexpr qint64 Saturated = std::numeric_limits<qint64>::max() / 16;
    if (token.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar ch : token) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = std::min(Saturated, value * 10 + (ch.unicode() - u'0'));
    }
    return value;
}

// Reads and discards the values a signature announces.
void skipBySignature(Reader& in, const QString& signature) {
    const QStringList tokens = signature.split(u' ');
    const auto endedEarly = [&] {
        return ReadError{
            QStringLiteral("Erreur: la signature « %1 » se termine avant « ! ».").arg(signature)};
    };
    for (qsizetype i = 0;; i += 2) {
        if (i >= tokens.size())
            throw endedEarly();
        const QString& countToken = tokens[i];
        if (countToken == u"!")
            return;
        // An empty last token is a trailing space (or an empty signature), not a count.
        if (countToken.isEmpty() && i + 1 == tokens.size())
            throw endedEarly();
        const std::optional<qint64> count = parseCount(countToken);
        if (!count)
            throw ReadError{QStringLiteral("Erreur: le nombre « %1 » de la signature « %2 » "
                                           "n'est pas un nombre.")
                                .arg(countToken, signature)};
        if (i + 1 >= tokens.size())
            throw endedEarly();
        const QString& letter = tokens[i + 1];
        if (letter == u"T") {
            // Each text costs at least its length byte, so this loop ends with the file.
            for (qint64 k = 0; k < *count; ++k)
                in.skip(in.byte());
        } else if (letter == u"V" || letter == u"B") {
            in.skip(*count);
        } else if (letter == u"L") {
            in.skip(*count * 4);
        } else if (letter == u"D") {
            in.skip(*count * 8);
        } else {
            throw ReadError{QStringLiteral("Erreur: Type de donnée inconnu (%1)").arg(signature)};
        }
    }
}

MazeGrid readGrid(Reader& in, int largeur, int hauteur) {
    const qint64 columns = qint64(largeur) + 1;
    const qint64 rows = qint64(hauteur) + 1;
    const qint64 cells = columns * rows;
    if (cells > MazeGrid::MaxCells)
        throw ReadError{QStringLiteral("Erreur: le labyrinthe annoncé (%1 cellules) dépasse la "
                                       "limite de %2 cellules.")
                            .arg(cells)
                            .arg(MazeGrid::MaxCells)};
    if (const std::optional<qint64> left = in.remaining(); left && cells > *left)
        throw ReadError{QStringLiteral("Erreur: le labyrinthe annoncé (%1 cellules) est trop "
                                       "grand pour ce fichier.")
                            .arg(cells)};

    const QByteArray payload = in.bytes(cells);
    const auto* src = reinterpret_cast<const std::uint8_t*>(payload.constData());
    MazeGrid grid;
    grid.resize(largeur, hauteur);
    std::uint8_t* dst = grid.data();
    const int cols = static_cast<int>(columns);
    const int rws = static_cast<int>(rows);
    for (int x0 = 0; x0 < cols; x0 += Tile) {
        const int x1 = std::min(cols, x0 + Tile);
        for (int y0 = 0; y0 < rws; y0 += Tile) {
            const int y1 = std::min(rws, y0 + Tile);
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* column = src + qint64(x) * rows;
                for (int y = y0; y < y1; ++y)
                    dst[qint64(y) * columns + x] = column[y];
            }
        }
    }
    return grid;
}

using Kind = TaggedFile::Record::Kind;

TaggedFile::Record make(Kind kind) {
    TaggedFile::Record r;
    r.kind = kind;
    return r;
}

} // namespace

QByteArray TaggedFile::header() {
    Writer w;
    writeVersionAndFlag(w, false);
    return w.out.left(19);
}

bool TaggedFile::startsWithHeader(const QByteArray& firstBytes) {
    return firstBytes.startsWith(header());
}

bool TaggedFile::writeMaze(QIODevice& device, const Settings& settings, const MazeGrid& grid) {
    const int largeur = grid.Largeur();
    const int hauteur = grid.Hauteur();
    const qint64 columns = grid.columns();
    const qint64 rows = grid.rows();
    const qint64 cells = grid.isEmpty() ? 0 : columns * rows;

    Writer w;
    w.out.reserve(static_cast<qsizetype>(cells) + 512);
    writeVersionAndFlag(w, false);
    writeCorridorAndTitle(w, settings);
    if (largeur >= 0 && hauteur >= 0 && largeur <= LargestByteBound &&
        hauteur <= LargestByteBound) {
        w.record("/LARG/", "1 V !");
        w.byte(largeur);
        w.record("/HAUT/", "1 V !");
        w.byte(hauteur);
    } else {
        w.record("/DIML/", "2 L !");
        w.int32(largeur);
        w.int32(hauteur);
    }
    writeThicknessAndColors(w, settings);

    w.text(QByteArray("/LABY/"));
    w.text(QByteArray::number(cells) + " V !");
    const qsizetype start = w.out.size();
    w.out.resize(start + static_cast<qsizetype>(cells));
    auto* dst = reinterpret_cast<std::uint8_t*>(w.out.data() + start);
    const std::uint8_t* src = grid.data();
    const int cols = static_cast<int>(columns);
    const int rws = static_cast<int>(rows);
    for (int y0 = 0; cells > 0 && y0 < rws; y0 += Tile) {
        const int y1 = std::min(rws, y0 + Tile);
        for (int x0 = 0; x0 < cols; x0 += Tile) {
            const int x1 = std::min(cols, x0 + Tile);
            for (int y = y0; y < y1; ++y) {
                const std::uint8_t* row = src + qint64(y) * columns;
                for (int x = x0; x < x1; ++x)
                    dst[qint64(x) * rows + y] = row[x];
            }
        }
    }
    w.text(QByteArray("/FIN/"));
    return writeAll(device, w.out);
}

bool TaggedFile::writeSettings(QIODevice& device, const Settings& settings) {
    Writer w;
    writeVersionAndFlag(w, true);
    writeCorridorAndTitle(w, settings);
    writeThicknessAndColors(w, settings);
    w.text(QByteArray("/FIN/"));
    return writeAll(device, w.out);
}

TaggedFile::ReadResult TaggedFile::read(QIODevice& device) {
    ReadResult result;
    Reader in(device);
    int widthRead = -1;
    int heightRead = -1;
    try {
        while (const std::optional<QByteArray> next = in.nextTag()) {
            const QByteArray& tag = *next;
            if (tag == "/FIN/")
                continue;
            in.currentTag = tag;
            const QString signature = in.text();

            if (tag == "/VERL/") {
                Record r = make(Kind::Version);
                r.number = in.byte();
                r.text = in.text();
                result.records.push_back(std::move(r));
            } else if (tag == "/REGB/") {
                Record r = make(Kind::SettingsFlag);
                r.flag = in.boolean();
                result.records.push_back(std::move(r));
            } else if (tag == "/LGMT/") {
                Record r = make(Kind::Corridor);
                r.real = in.real();
                result.records.push_back(std::move(r));
            } else if (tag == "/TITR/") {
                Record r = make(Kind::TitleRecord);
                r.title.text = in.text();
                r.title.font = in.text();
                r.title.size = in.byte();
                r.title.bold = in.boolean();
                r.title.italic = in.boolean();
                r.title.underline = in.boolean();
                r.title.color = in.rgb();
                result.records.push_back(std::move(r));
            } else if (tag == "/EPAI/") {
                Record r = make(Kind::Thickness);
                r.number = in.byte();
                result.records.push_back(std::move(r));
            } else if (tag == "/LARG/") {
                widthRead = in.byte();
            } else if (tag == "/HAUT/") {
                heightRead = in.byte();
            } else if (tag == "/DIML/") {
                widthRead = in.int32();
                heightRead = in.int32();
            } else if (tag == "/LABY/") {
                if (widthRead < 0 || heightRead < 0) {
                    skipBySignature(in, signature);
                    result.records.push_back(make(Kind::GridBeforeDimensions));
                } else {
                    Record r = make(Kind::Grid);
                    r.grid = readGrid(in, widthRead, heightRead);
                    result.records.push_back(std::move(r));
                }
            } else {
                const auto color = std::find_if(ColorTags.begin(), ColorTags.end(),
                                                [&](const ColorTag& c) { return tag == c.tag; });
                if (color != ColorTags.end()) {
                    Record r = make(Kind::Color);
                    r.number = color->index;
                    r.color = in.rgb();
                    result.records.push_back(std::move(r));
                } else {
                    skipBySignature(in, signature);
                    Record r = make(Kind::UnknownRecord);
                    r.text = QString::fromUtf8(tag);
                    r.signature = signature;
                    result.records.push_back(std::move(r));
                }
            }
        }
    } catch (const ReadError& e) {
        result.error = e.line;
    }
    return result;
}
