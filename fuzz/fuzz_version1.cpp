#include "files/Version1File.h"

#include <QBuffer>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

Version1File::ReadResult readBytes(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return Version1File::read(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Headers announcing millions of cells are legal but each costs a large zeroed grid,
    // which would slow the fuzzer a hundredfold; the unit tests cover them.
    if (size >= 8) {
        const qint64 columns = qFromBigEndian<std::int32_t>(data) / 2 + 1;
        const qint64 rows = qFromBigEndian<std::int32_t>(data + 4) / 2 + 1;
        if (columns > 0 && rows > 0 && columns * rows > (qint64(1) << 20) &&
            columns * rows <= MazeGrid::MaxCells)
            return 0;
    }

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Version1File::ReadResult result = readBytes(bytes);
    // Only grids the file really holds, so that a short header cannot ask for a huge write.
    if (!result.ok || !result.complete)
        return 0;

    // A grid read holds only passages, walls and exits, which write and read back unchanged.
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!Version1File::write(buffer, result.grid))
        std::abort();
    const Version1File::ReadResult again = readBytes(out);
    if (!again.ok || !again.complete || again.grid != result.grid)
        std::abort();
    return 0;
}
