#include "files/Version1File.h"

#include "maze/CellCode.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Side of the tiles that walk the row-major grid and the column-major file together.
constexpr int Tile = 64;

// Largest chunk read at once from a sequential device, which cannot say how much it holds.
constexpr qint64 SequentialChunk = qint64(1) << 20;

std::uint8_t fileByte(std::uint8_t code) {
    switch (code) {
    case CellCode::Wall:
        return 1;
    case CellCode::Entrance:
    case CellCode::Exit:
        return 2;
    default:
        return 0;
    }
}

std::uint8_t cellCode(std::uint8_t fileValue) {
    switch (fileValue) {
    case 1:
        return CellCode::Wall;
    case 2:
        return CellCode::Exit;
    default:
        return CellCode::Open;
    }
}

// Up to `wanted` bytes, without reserving more than the device can still give.
QByteArray readUpTo(QIODevice& device, qint64 wanted) {
    if (!device.isSequential())
        return device.read(std::min(wanted, device.bytesAvailable()));
    QByteArray bytes;
    while (bytes.size() < wanted) {
        const QByteArray chunk = device.read(std::min(SequentialChunk, wanted - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes.append(chunk);
    }
    return bytes;
}

} // namespace

bool Version1File::write(QIODevice& device, const MazeGrid& grid) {
    const qint64 largeur = grid.Largeur();
    const qint64 hauteur = grid.Hauteur();
    const qint64 x1 = 2 * largeur + 1;
    const qint64 y1 = 2 * hauteur + 1;
    const qint64 fileRows = y1 + 1;
    const qint64 cells = grid.isEmpty() ? 0 : (x1 + 1) * fileRows;

    QByteArray out(16 + static_cast<qsizetype>(cells), '\0');
    char* p = out.data();
    qToBigEndian(static_cast<std::int32_t>(x1), p);
    qToBigEndian(static_cast<std::int32_t>(y1), p + 4);
    qToBigEndian(static_cast<std::int32_t>(2 * largeur + 13), p + 8);
    qToBigEndian(static_cast<std::int32_t>(2 * hauteur + 27), p + 12);

    std::array<std::uint8_t, 256> map{};
    for (int c = 0; c < 256; ++c)
        map[static_cast<std::size_t>(c)] = fileByte(static_cast<std::uint8_t>(c));

    // Each maze cell becomes a 2 x 2 square of file cells.
    auto* dst = reinterpret_cast<std::uint8_t*>(p + 16);
    const int cols = grid.columns();
    const int rows = grid.rows();
    for (int x0 = 0; cells > 0 && x0 < cols; x0 += Tile) {
        const int xEnd = std::min(cols, x0 + Tile);
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* row = grid.row(y);
            for (int x = x0; x < xEnd; ++x) {
                const std::uint8_t v = map[row[x]];
                std::uint8_t* column = dst + 2 * qint64(x) * fileRows + 2 * qint64(y);
                column[0] = v;
                column[1] = v;
                column[fileRows] = v;
                column[fileRows + 1] = v;
            }
        }
    }
    return device.write(out) == out.size();
}

Version1File::ReadResult Version1File::read(QIODevice& device) {
    ReadResult result;
    const QByteArray head = device.read(8);
    if (head.size() < 8) {
        result.error = QStringLiteral("Ce fichier est trop court pour contenir un labyrinthe.");
        return result;
    }
    const std::int32_t x1 = qFromBigEndian<std::int32_t>(head.constData());
    const std::int32_t y1 = qFromBigEndian<std::int32_t>(head.constData() + 4);
    if (x1 < 0 || y1 < 0) {
        result.error = QStringLiteral("Les dimensions indiquées par ce fichier sont incorrectes.");
        return result;
    }
    const int largeur = x1 / 2;
    const int hauteur = y1 / 2;
    const qint64 columns = qint64(largeur) + 1;
    const qint64 rows = qint64(hauteur) + 1;
    if (!MazeGrid::fitsInMemory(columns, rows)) {
        result.error = QStringLiteral("Ce labyrinthe (%1 × %2 cases) est trop grand pour être "
                                      "ouvert.")
                           .arg(columns)
                           .arg(rows);
        return result;
    }

    result.ok = true;
    result.grid.resize(largeur, hauteur);

    // The two integers after the dimensions say nothing the dimensions do not.
    if (device.read(8).size() < 8)
        return result;

    const qint64 fileRows = qint64(y1) + 1;
    const qint64 wanted = (qint64(x1) + 1) * fileRows;
    const QByteArray payload = readUpTo(device, wanted);
    result.complete = payload.size() == wanted;

    // Only the cells at even positions carry the maze; the others repeat them.
    const auto* src = reinterpret_cast<const std::uint8_t*>(payload.constData());
    const qint64 available = payload.size();
    std::uint8_t* dst = result.grid.data();
    // Columns past the end of a short file stay passages without being visited.
    const qint64 columnStride = 2 * fileRows;
    const int columnsGiven =
        static_cast<int>(std::min(columns, (available + columnStride - 1) / columnStride));
    for (int x0 = 0; x0 < columnsGiven; x0 += Tile) {
        const int xEnd = std::min(columnsGiven, x0 + Tile);
        for (int y = 0; y <= hauteur; ++y) {
            for (int x = x0; x < xEnd; ++x) {
                const qint64 at = 2 * qint64(x) * fileRows + 2 * qint64(y);
                if (at < available)
                    dst[qint64(y) * columns + x] = cellCode(src[at]);
            }
        }
    }
    return result;
}
