#pragma once

#include "maze/MazeGrid.h"

#include <QString>

class QIODevice;

// The older untagged format: four big-endian 32-bit integers, then a grid at twice the
// maze's resolution, one byte per cell, column by column (0 passage, 1 wall, 2 entrance
// or exit).
class Version1File {
public:
    // Writes `grid` (solution cells as passages, entrance and exit as 2); false when the
    // device refused a write.
    static bool write(QIODevice& device, const MazeGrid& grid);

    struct ReadResult {
        bool ok = false; // false: nothing usable; `error` says why, nothing was allocated
        QString error;   // a sentence for the user when !ok
        MazeGrid grid; // cells the file does not give (it ended early, unknown values) are passages
        bool complete = false; // the file held every cell its header announced
    };

    static ReadResult read(QIODevice& device);
};
