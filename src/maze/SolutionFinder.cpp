#include "maze/SolutionFinder.h"

#include "maze/CellCode.h"

#include <cstdint>
#include <vector>

namespace {
constexpr int StepX[4] = {-1, 0, 1, 0}; // left, down, right, up
constexpr int StepY[4] = {0, 1, 0, -1};

bool passable(const MazeGrid& grid, int x, int y) {
    return grid.contains(x, y) && grid.at(x, y) != CellCode::Wall;
}
} // namespace

SolutionFinder::Result SolutionFinder::find(MazeGrid& grid) {
    Result result;
    const int startX = 1;
    const int startY = 1;
    if (!passable(grid, startX, startY))
        return result;

    std::vector<std::int32_t> steps(grid.cellCount(), 0);
    auto stepAt = [&](int x, int y) -> std::int32_t {
        return grid.contains(x, y) ? steps[grid.index(x, y)] : 0;
    };

    // Right hand on the wall. The walk is a permutation of (cell, direction) states, so
    // when the exit is out of reach it is certain to come back to where it began.
    int x = startX;
    int y = startY;
    int d = 0;
    std::int32_t n = 1;
    while (grid.at(x, y) != CellCode::Exit) {
        const int nx = x + StepX[d];
        const int ny = y + StepY[d];
        if (!passable(grid, nx, ny)) {
            d = (d + 1) % 4;
        } else {
            x = nx;
            y = ny;
            d = (d + 3) % 4;
            ++n;
            steps[grid.index(x, y)] = n;
        }
        if (x == startX && y == startY && d == 0)
            return result;
    }
    const std::int32_t last = n;
    result.found = true;
    result.lastStep = last;

    // Left hand on the numbered cells, marking the direct route. Bounded like the first
    // walk in case a damaged grid leads it astray.
    x = startX;
    y = startY;
    d = 0;
    n = 1;
    const std::int64_t limit = 4 * static_cast<std::int64_t>(grid.cellCount()) + 4;
    for (std::int64_t guard = 0; n < last - 1 && guard < limit; ++guard) {
        n = steps[grid.index(x, y)];
        if (grid.at(x, y) != CellCode::Solution) {
            ++result.markedCells;
            grid.set(x, y, CellCode::Solution);
        }
        const int nx = x + StepX[d];
        const int ny = y + StepY[d];
        if (stepAt(nx, ny) != 0) {
            x = nx;
            y = ny;
            d = (d + 1) % 4;
        } else {
            d = (d + 3) % 4;
        }
    }
    return result;
}
