#pragma once

#include "maze/MazeGrid.h"

// Marks the route from the cell below the entrance, (1, 1), to the first exit cell met,
// with code 2. A right-hand walk numbers the cells it steps on; a left-hand walk over the
// numbered cells then leaves the explored dead ends out and marks the direct route.
class SolutionFinder {
public:
    struct Result {
        bool found = false;  // the exit was reached; the route is marked
        int lastStep = 0;    // number of the step that entered the exit (N)
        int markedCells = 0; // cells that became solution cells in this call
    };

    // Cells outside the grid count as walls. On a grid whose exit the right-hand walk
    // cannot reach, the walk comes back to its start cell facing its start direction;
    // it stops there and nothing is marked.
    static Result find(MazeGrid& grid);
};
