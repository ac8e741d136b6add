#include "view/MazeCanvas.h"

#include "maze/GridPicture.h"

#include <QElapsedTimer>
#include <QPainter>

MazeCanvas::MazeCanvas(QWidget* parent) : QWidget(parent) {}

bool MazeCanvas::startLive(int columns, int rows) {
    m_cells = QImage(columns, rows, QImage::Format_ARGB32_Premultiplied);
    m_shownValid = false;
    if (m_cells.isNull())
        return false;
    m_cells.fill(Qt::transparent);
    m_live = true;
    return true;
}

void MazeCanvas::showLive(const MazeGrid& grid, const std::array<QRgb, 256>& lookup) {
    if (!m_live)
        return;
    // Rebuilt whole from the grid: one sequential pass is cheaper than a write per cell
    // scattered over a large picture while the generator runs.
    GridPicture::paintCells(grid, lookup, m_cells);
    update();
}

void MazeCanvas::setLiveCell(int x, int y, QRgb color, int cellSize) {
    if (!m_live || x < 0 || y < 0 || x >= m_cells.width() || y >= m_cells.height())
        return;
    reinterpret_cast<QRgb*>(m_cells.scanLine(y))[x] = color;
    update(x * cellSize, y * cellSize, cellSize, cellSize);
}

void MazeCanvas::showGrid(const MazeGrid& grid, std::uint64_t gridVersion, const ColorTable& colors,
                          bool withSolution) {
    if (m_shownValid && !m_live && m_shownVersion == gridVersion && m_shownColors == colors &&
        m_shownWithSolution == withSolution && m_cells.width() == grid.columns() &&
        m_cells.height() == grid.rows())
        return;
    m_live = false;
    GridPicture::paintCells(grid, colors, withSolution, m_cells);
    m_shownVersion = gridVersion;
    m_shownColors = colors;
    m_shownWithSolution = withSolution;
    m_shownValid = !m_cells.isNull();
}

void MazeCanvas::drawCells(QPainter& painter, int cellSize) const {
    if (m_cells.isNull() || cellSize < 1)
        return;
    const QRect target(0, 0, m_cells.width() * cellSize, m_cells.height() * cellSize);
    if (cellSize == 1)
        painter.drawImage(0, 0, m_cells);
    else
        painter.drawImage(target, m_cells);
}

void MazeCanvas::paintEvent(QPaintEvent*) {
    QElapsedTimer clock;
    clock.start();
    {
        QPainter painter(this);
        if (paintHandler)
            paintHandler(painter);
    }
    m_lastPaintNanoseconds = clock.nsecsElapsed();
}
