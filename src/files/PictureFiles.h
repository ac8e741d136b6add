#pragma once

#include <QString>

class QImage;

// Writes an exported maze picture in one of the export formats, atomically: an existing
// file is replaced only by a complete new one.
class PictureFiles {
public:
    enum Format { Jpeg = 2, Pict = 3, Png = 4 }; // the save options' row numbers

    static constexpr int JpegQuality = 90;

    // False when the file could not be written; `reason` then says why when it can.
    static bool write(Format format, const QImage& picture, const QString& path,
                      QString* reason = nullptr);
    static QString extension(Format format); // ".jpg", ".pct", ".png"
};
