#pragma once

#include "maze/MazeGrid.h"
#include "maze/RandomSource.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// Grows a maze by extending random straight walls from existing wall cells.
// The work is resumable: `runUntil` does as much as a time slice allows and returns, so the
// windows can run it on the GUI thread between event-loop turns; with no deadline it runs
// to the end, which is how tests and benchmarks use it.
class MazeGenerator {
public:
    using Clock = std::chrono::steady_clock;

    // Attempts in a row without room for a wall that end the run.
    static constexpr int AttemptLimit = 180;
    // Continuation draws are integers 0..ContinuationMax; the slider's range is the same.
    static constexpr int ContinuationMax = 1000;

    struct Hooks {
        // Called for every cell the run writes (border, entrance, exit, each wall step).
        std::function<void(int x, int y, std::uint8_t code)> paintCell;
        // The corridor-length setting v, 0..1000, read at every continuation draw.
        std::function<int()> continuationThreshold;
        // Returns true once per stop request and clears it.
        std::function<bool()> takeStopRequest;
    };

    // Grid bounds for a canvas of the given pixel size and cell size (floor(w / E) - 1).
    static int boundFor(int pixels, int cellSize);

    // Sizes `grid` for Largeur x Hauteur, walls the border, places entrance (1, 0) and
    // exit (Largeur - 1, Hauteur). Needs Largeur and Hauteur of at least 2.
    MazeGenerator(MazeGrid& grid, int largeur, int hauteur, std::uint64_t seed, Hooks hooks);

    // Runs until the maze is finished or `deadline` has passed; true once finished.
    bool runUntil(Clock::time_point deadline);
    bool runToEnd() { return runUntil(Clock::time_point::max()); }

    [[nodiscard]] bool finished() const { return m_finished; }
    [[nodiscard]] bool stoppedByRequest() const { return m_stoppedByRequest; }

    // Convenience for headless use: a complete maze with a fixed corridor setting.
    static void generate(MazeGrid& grid, int largeur, int hauteur, std::uint64_t seed,
                         int continuationThreshold);

private:
    bool directionOpen(int d, int x, int y) const;
    bool blocks(int x, int y) const { return m_grid.at(x, y) == WallCode; }
    void writeCell(int x, int y, std::uint8_t code);
    void finish(bool byRequest);
    std::uint32_t pickWall();
    void prefetchAround(std::uint32_t cell) const;

    static constexpr std::uint8_t WallCode = 1;

    MazeGrid& m_grid;
    Hooks m_hooks;
    RandomSource m_directions;
    RandomSource m_picks;
    RandomSource m_continuations;
    std::vector<std::uint32_t> m_walls; // indexes of every wall cell, each once
    // Picks are drawn two attempts ahead so that the memory they touch can be fetched
    // while the current attempt runs; a draw made before the wall list grew is drawn again.
    struct PendingPick {
        std::uint32_t wall = 0;
        std::size_t listSize = 0;
    };
    PendingPick m_pending[2];
    int m_pendingCount = 0;
    int m_largeur = 0;
    int m_hauteur = 0;
    int m_x = 0;
    int m_y = 0;
    int m_d = 0;
    int m_attempts = 0;
    bool m_extending = false;
    bool m_finished = false;
    bool m_stoppedByRequest = false;
};
