#pragma once

#include "maze/ColorTable.h"
#include "maze/MazeGrid.h"

#include <QImage>

#include <array>

// Pictures of a grid. The cell picture has one pixel per cell and is what the canvas
// scales onto the screen; the full picture has E x E pixels per cell, for export.
class GridPicture {
public:
    // Rebuilds `cells` (resized to the grid if needed) with one colour lookup per cell.
    static void paintCells(const MazeGrid& grid, const ColorTable& colors, bool withSolution,
                           QImage& cells);
    // The same with any colour per cell code (a transparent one leaves the cell unpainted).
    static void paintCells(const MazeGrid& grid, const std::array<QRgb, 256>& lookup,
                           QImage& cells);
    // The grid at cell size `cellSize`, every pixel covered. Null when too large.
    static QImage render(const MazeGrid& grid, const ColorTable& colors, bool withSolution,
                         int cellSize);
};
