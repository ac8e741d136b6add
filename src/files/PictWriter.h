#pragma once

#include <QByteArray>

class QImage;
class QIODevice;

// Writes pictures as PICT version 2: a 512-byte file header, then one 32-bit
// DirectBitsRect whose rows are PackBits-compressed component by component.
class PictWriter {
public:
    static bool write(const QImage& picture, QIODevice& device);
    // PackBits: runs of equal bytes and literal stretches, at most 128 bytes each.
    static QByteArray packBits(const unsigned char* data, int length);
};
