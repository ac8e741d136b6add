#pragma once

#include "maze/MazeGrid.h"

#include <QByteArray>
#include <QRgb>
#include <QString>

#include <array>
#include <vector>

class QIODevice;

// The program's own tagged format (version 2), for mazes and for settings sets.
// A file is a sequence of records: a tag, a type signature announcing how many values of
// which type follow, then the values. Multi-byte values are big-endian.
class TaggedFile {
public:
    struct Title {
        QString text;
        QString font;
        int size = 0; // stored in one byte
        bool bold = false;
        bool italic = false;
        bool underline = false;
        QRgb color = qRgb(0, 0, 0);
    };

    // What both kinds of file carry.
    struct Settings {
        double corridor = 900; // the corridor-length slider, 0..1000
        Title title;
        int thickness = 5;            // cell size in pixels, stored in one byte
        std::array<QRgb, 6> colors{}; // colour-table entries 0..5
    };

    static constexpr int FormatVersion = 200;
    // Grids with more than this many columns or rows are stored with "/DIML/".
    static constexpr int LargestByteBound = 255;

    // The 19 bytes every file written by the program begins with.
    static QByteArray header();
    static bool startsWithHeader(const QByteArray& firstBytes);

    // Writers; false when the device refused a write.
    static bool writeMaze(QIODevice& device, const Settings& settings, const MazeGrid& grid);
    static bool writeSettings(QIODevice& device, const Settings& settings);

    // One decoded record, in file order. The reader decodes; the program applies.
    struct Record {
        enum class Kind {
            Version,              // number: format byte; text: version label
            SettingsFlag,         // flag
            Corridor,             // real
            TitleRecord,          // title
            Thickness,            // number
            Color,                // number: colour-table index 0..5; color
            Grid,                 // grid (its bounds are the dimensions read before it)
            GridBeforeDimensions, // a grid record came before both dimensions: skipped
            UnknownRecord,        // text: tag; signature: its signature; skipped
        };
        Kind kind = Kind::Version;
        int number = 0;
        QString text;
        QString signature;
        bool flag = false;
        double real = 0;
        Title title;
        QRgb color = 0;
        MazeGrid grid;
    };

    struct ReadResult {
        std::vector<Record> records; // everything decoded before the end or the error
        // Empty when the file was read to its end; otherwise the line that says what was
        // wrong ("Erreur: ..."), reading having stopped there.
        QString error;
    };

    static ReadResult read(QIODevice& device);
};
