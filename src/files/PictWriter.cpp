#include "files/PictWriter.h"

#include <QIODevice>
#include <QImage>

#include <vector>

namespace {

constexpr int LargestSide = 32767; // coordinates are signed 16-bit
constexpr int MaxStripWidth = 4095;
constexpr quint32 Resolution72 = 0x00480000; // 72 dpi, fixed point

void put16(QByteArray& out, int value) {
    out.append(static_cast<char>((value >> 8) & 0xff));
    out.append(static_cast<char>(value & 0xff));
}

void put32(QByteArray& out, quint32 value) {
    put16(out, static_cast<int>(value >> 16));
    put16(out, static_cast<int>(value & 0xffff));
}

void putRect(QByteArray& out, int left, int right, int height) {
    put16(out, 0); // top
    put16(out, left);
    put16(out, height); // bottom
    put16(out, right);
}

// Appends the packed form of `data` to `out` (the public packBits without the copies).
void packInto(QByteArray& out, const unsigned char* data, int length) {
    int i = 0;
    while (i < length) {
        int run = 1;
        while (i + run < length && run < 128 && data[i + run] == data[i])
            ++run;
        if (run >= 2) {
            out.append(static_cast<char>(1 - run));
            out.append(static_cast<char>(data[i]));
            i += run;
            continue;
        }
        // A literal stretch ends where a run of two begins.
        int start = i;
        int count = 0;
        while (i < length && count < 128 && !(i + 1 < length && data[i + 1] == data[i])) {
            ++i;
            ++count;
        }
        out.append(static_cast<char>(count - 1));
        out.append(reinterpret_cast<const char*>(data + start), count);
    }
}

// The picture is stored as side-by-side strips of these widths. A pixmap's rowBytes must
// stay below 0x4000, so a strip is at most 4095 pixels wide; its packed rows then always fit
// their 16-bit counts. Strips of 63 to 66 pixels are avoided: QuickDraw gives their rows a
// 16-bit count (rowBytes > 250), ImageMagick a byte (3 x width <= 200).
std::vector<int> stripWidths(int width) {
    int count = (width + MaxStripWidth - 1) / MaxStripWidth;
    if (width >= 63 && width <= 66)
        count = 2;
    std::vector<int> widths;
    for (int i = 0; i < count; ++i)
        widths.push_back(width / count + (i < width % count ? 1 : 0));
    return widths;
}

// One DirectBitsRect opcode for the columns [left, left + stripWidth) of `image`, rows
// packed component by component.
void appendDirectBits(QByteArray& out, const QImage& image, int left, int stripWidth) {
    const int height = image.height();
    const int right = left + stripWidth;
    const int rowBytes = stripWidth * 4;
    put16(out, 0x009a);
    put32(out, 0x000000ff); // baseAddr
    put16(out, rowBytes | 0x8000);
    putRect(out, left, right, height); // bounds
    put16(out, 0);                     // pmVersion
    put16(out, 4);                     // packType: components packed separately
    put32(out, 0);                     // packSize
    put32(out, Resolution72);          // hRes
    put32(out, Resolution72);          // vRes
    put16(out, 16);                    // pixelType: direct
    put16(out, 32);                    // pixelSize
    put16(out, 3);                     // cmpCount
    put16(out, 8);                     // cmpSize
    put32(out, 0);                     // planeBytes
    put32(out, 0);                     // pmTable
    put32(out, 0);                     // pmReserved
    putRect(out, left, right, height); // srcRect
    putRect(out, left, right, height); // dstRect
    put16(out, 0);                     // mode: srcCopy

    const qsizetype pixelStart = out.size();
    const auto w = static_cast<std::size_t>(stripWidth);
    std::vector<unsigned char> planes(w * 3);
    QByteArray packed;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y)) + left;
        for (std::size_t x = 0; x < w; ++x) {
            planes[x] = static_cast<unsigned char>(qRed(line[x]));
            planes[w + x] = static_cast<unsigned char>(qGreen(line[x]));
            planes[2 * w + x] = static_cast<unsigned char>(qBlue(line[x]));
        }
        if (stripWidth < 3) {
            // ImageMagick reads rows of 1 or 2 pixels unpacked, planes as they are, no count.
            out.append(reinterpret_cast<const char*>(planes.data()), stripWidth * 3);
            continue;
        }
        packed.clear();
        packInto(packed, planes.data(), stripWidth * 3);
        if (rowBytes > 250)
            put16(out, static_cast<int>(packed.size()));
        else
            out.append(static_cast<char>(packed.size()));
        out.append(packed);
    }
    if ((out.size() - pixelStart) % 2 != 0)
        out.append('\0'); // opcodes start on even offsets
}

} // namespace

QByteArray PictWriter::packBits(const unsigned char* data, int length) {
    QByteArray out;
    if (data == nullptr || length <= 0)
        return out;
    out.reserve(length + length / 128 + 1);
    packInto(out, data, length);
    return out;
}

bool PictWriter::write(const QImage& picture, QIODevice& device) {
    if (picture.isNull())
        return false;
    const int width = picture.width();
    const int height = picture.height();
    if (width > LargestSide || height > LargestSide)
        return false;
    const QImage image = picture.format() == QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return false;

    QByteArray out(512, '\0'); // file header, unused by readers
    out.reserve(512 + 256 + static_cast<qsizetype>(height) * (width / 8 + 8));
    const qsizetype pictureStart = out.size();
    put16(out, 0); // picSize, filled in below
    putRect(out, 0, width, height);
    put16(out, 0x0011); // version
    put16(out, 0x02ff);
    put16(out, 0x0c00); // extended version 2 header
    put16(out, 0xfffe);
    put16(out, 0);
    put32(out, Resolution72);
    put32(out, Resolution72);
    putRect(out, 0, width, height);
    put32(out, 0);
    put16(out, 0x001e); // default highlight
    put16(out, 0x0001); // clip region: just the frame
    put16(out, 10);
    putRect(out, 0, width, height);

    int left = 0;
    for (const int stripWidth : stripWidths(width)) {
        appendDirectBits(out, image, left, stripWidth);
        left += stripWidth;
    }
    put16(out, 0x00ff); // end of picture

    const qsizetype pictureSize = out.size() - pictureStart;
    out[pictureStart] = static_cast<char>((pictureSize >> 8) & 0xff);
    out[pictureStart + 1] = static_cast<char>(pictureSize & 0xff);
    return device.write(out) == out.size();
}
