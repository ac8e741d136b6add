#include "maze/GridPicture.h"

#include <QPainter>

void GridPicture::paintCells(const MazeGrid& grid, const ColorTable& colors, bool withSolution,
                             QImage& cells) {
    paintCells(grid, colors.lookupTable(withSolution), cells);
}

void GridPicture::paintCells(const MazeGrid& grid, const std::array<QRgb, 256>& lookup,
                             QImage& cells) {
    if (cells.width() != grid.columns() || cells.height() != grid.rows() ||
        cells.format() != QImage::Format_ARGB32_Premultiplied)
        cells = QImage(grid.columns(), grid.rows(), QImage::Format_ARGB32_Premultiplied);
    if (cells.isNull())
        return;
    for (int y = 0; y < grid.rows(); ++y) {
        const std::uint8_t* codes = grid.row(y);
        auto* line = reinterpret_cast<QRgb*>(cells.scanLine(y));
        for (int x = 0; x < grid.columns(); ++x)
            line[x] = lookup[codes[x]];
    }
}

QImage GridPicture::render(const MazeGrid& grid, const ColorTable& colors, bool withSolution,
                           int cellSize) {
    if (grid.isEmpty() || cellSize < 1)
        return {};
    const qint64 width = static_cast<qint64>(grid.columns()) * cellSize;
    const qint64 height = static_cast<qint64>(grid.rows()) * cellSize;
    if (width > 32767 || height > 32767)
        return {};
    QImage cells;
    paintCells(grid, colors, withSolution, cells);
    if (cells.isNull())
        return {};
    QImage picture(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    QPainter painter(&picture);
    painter.drawImage(picture.rect(), cells);
    return picture;
}
