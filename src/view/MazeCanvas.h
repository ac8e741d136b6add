#pragma once

#include "maze/ColorTable.h"
#include "maze/MazeGrid.h"

#include <QImage>

#include <QWidget>
#include <array>

#include <cstdint>
#include <functional>

// The maze canvas. It keeps a picture with one pixel per cell and scales it by the cell
// size when painting, so a repaint never walks the cells and memory does not grow with
// the thickness. While a maze is being drawn the picture is transparent where no wall
// has been painted yet, so the window background shows through as on an empty canvas.
class MazeCanvas : public QWidget {
    Q_OBJECT
public:
    explicit MazeCanvas(QWidget* parent = nullptr);

    // Called by paintEvent; the window decides what is drawn.
    std::function<void(QPainter&)> paintHandler;

    // Live drawing: a transparent picture of the grid's size, filled as the grid grows.
    bool startLive(int columns, int rows);
    // Shows the growing grid; cells whose colour is transparent show the background.
    void showLive(const MazeGrid& grid, const std::array<QRgb, 256>& lookup);
    // One cell, painted at once.
    void setLiveCell(int x, int y, QRgb color, int cellSize);
    void stopLive() { m_live = false; }
    [[nodiscard]] bool isLive() const { return m_live; }

    // Makes the picture show `grid` with the given colours; free when nothing changed.
    void showGrid(const MazeGrid& grid, std::uint64_t gridVersion, const ColorTable& colors,
                  bool withSolution);
    // Draws the picture with its top-left cell at (0, 0), each cell cellSize pixels square.
    void drawCells(QPainter& painter, int cellSize) const;

    [[nodiscard]] const QImage& cellPicture() const { return m_cells; }
    // Time the last paint took, to pace repaints of a growing maze.
    [[nodiscard]] qint64 lastPaintNanoseconds() const { return m_lastPaintNanoseconds; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_cells;
    bool m_live = false;
    qint64 m_lastPaintNanoseconds = 0;
    // What the picture currently shows, so that unchanged repaints cost nothing.
    std::uint64_t m_shownVersion = 0;
    ColorTable m_shownColors;
    bool m_shownWithSolution = false;
    bool m_shownValid = false;
};
