#include "maze/MazeGenerator.h"

#include "maze/CellCode.h"

#include <cmath>

namespace {
constexpr int DirectionCount = 4;
constexpr int StepX[DirectionCount] = {1, 0, -1, 0}; // right, down, left, up
constexpr int StepY[DirectionCount] = {0, 1, 0, -1};
// Separate streams from one seed, so that each kind of draw has its own sequence.
constexpr std::uint64_t PickStream = 0x6a09e667f3bcc908ULL;
constexpr std::uint64_t ContinuationStream = 0xbb67ae8584caa73bULL;
} // namespace

int MazeGenerator::boundFor(int pixels, int cellSize) {
    if (cellSize < 1)
        return -1;
    return static_cast<int>(std::floor(static_cast<double>(pixels) / cellSize)) - 1;
}

MazeGenerator::MazeGenerator(MazeGrid& grid, int largeur, int hauteur, std::uint64_t seed,
                             Hooks hooks)
    : m_grid(grid), m_hooks(std::move(hooks)), m_directions(seed), m_picks(seed ^ PickStream),
      m_continuations(seed ^ ContinuationStream), m_largeur(largeur), m_hauteur(hauteur) {
    m_grid.resize(-1, -1);
    m_grid.resize(largeur, hauteur);
    if (largeur < 2 || hauteur < 2) {
        m_finished = true;
        return;
    }
    for (int x = 0; x <= largeur; ++x) {
        writeCell(x, 0, CellCode::Wall);
        writeCell(x, hauteur, CellCode::Wall);
    }
    for (int y = 0; y <= hauteur; ++y) {
        writeCell(0, y, CellCode::Wall);
        writeCell(largeur, y, CellCode::Wall);
    }
    writeCell(1, 0, CellCode::Entrance);
    writeCell(largeur - 1, hauteur, CellCode::Exit);

    // Entrance and exit are never picked, so the wall list is built once they are placed.
    m_walls.reserve(static_cast<std::size_t>(2 * (largeur + hauteur)));
    auto keep = [this](int x, int y) {
        if (m_grid.at(x, y) == CellCode::Wall)
            m_walls.push_back(static_cast<std::uint32_t>(m_grid.index(x, y)));
    };
    for (int x = 0; x <= largeur; ++x) {
        keep(x, 0);
        keep(x, hauteur);
    }
    for (int y = 1; y < hauteur; ++y) {
        keep(0, y);
        keep(largeur, y);
    }
}

void MazeGenerator::writeCell(int x, int y, std::uint8_t code) {
    m_grid.set(x, y, code);
    if (m_hooks.paintCell)
        m_hooks.paintCell(x, y, code);
}

bool MazeGenerator::directionOpen(int d, int x, int y) const {
    // Two cells ahead must lie strictly inside the border; then the three cells two ahead
    // and the two cells beside the next one must not be walls.
    switch (d) {
    case 0:
        if (!(x + 2 < m_largeur && y + 1 <= m_hauteur && y - 1 >= 0))
            return false;
        return !blocks(x + 2, y) && !blocks(x + 2, y + 1) && !blocks(x + 2, y - 1) &&
               !blocks(x + 1, y + 1) && !blocks(x + 1, y - 1);
    case 1:
        if (!(y + 2 < m_hauteur && x + 1 <= m_largeur && x - 1 >= 0))
            return false;
        return !blocks(x, y + 2) && !blocks(x + 1, y + 2) && !blocks(x - 1, y + 2) &&
               !blocks(x + 1, y + 1) && !blocks(x - 1, y + 1);
    case 2:
        if (!(x - 2 > 0 && y + 1 <= m_hauteur && y - 1 >= 0))
            return false;
        return !blocks(x - 2, y) && !blocks(x - 2, y + 1) && !blocks(x - 2, y - 1) &&
               !blocks(x - 1, y + 1) && !blocks(x - 1, y - 1);
    default:
        if (!(y - 2 > 0 && x + 1 <= m_largeur && x - 1 >= 0))
            return false;
        return !blocks(x, y - 2) && !blocks(x + 1, y - 2) && !blocks(x - 1, y - 2) &&
               !blocks(x + 1, y - 1) && !blocks(x - 1, y - 1);
    }
}

bool MazeGenerator::runUntil(Clock::time_point deadline) {
    const bool unbounded = deadline == Clock::time_point::max();
    unsigned work = 0;
    while (!m_finished) {
        if (!unbounded && (++work & 255u) == 0 && Clock::now() >= deadline)
            return false;

        if (!m_extending) {
            ++m_attempts;
            if (m_walls.empty()) {
                finish(false);
                break;
            }
            // Drawing cells uniformly until one is a wall picks uniformly among the walls;
            // drawing from the wall list directly gives the same choice in one draw.
            const std::uint32_t cell = pickWall();
            m_x = static_cast<int>(cell % static_cast<std::uint32_t>(m_grid.columns()));
            m_y = static_cast<int>(cell / static_cast<std::uint32_t>(m_grid.columns()));
            if (m_hooks.takeStopRequest && m_hooks.takeStopRequest()) {
                finish(true);
                break;
            }
            if (m_attempts >= AttemptLimit) {
                finish(false);
                break;
            }
            m_d = static_cast<int>(m_directions.below(DirectionCount));
            m_extending = true;
        }

        if (!directionOpen(m_d, m_x, m_y)) {
            m_extending = false;
            continue;
        }
        m_attempts = 0;
        const auto r = static_cast<int>(m_continuations.below(ContinuationMax + 1));
        const int v = m_hooks.continuationThreshold ? m_hooks.continuationThreshold() : 900;
        if (v < r) {
            m_extending = false;
            continue;
        }
        m_x += StepX[m_d];
        m_y += StepY[m_d];
        if (m_grid.at(m_x, m_y) != CellCode::Wall) {
            m_walls.push_back(static_cast<std::uint32_t>(m_grid.index(m_x, m_y)));
            writeCell(m_x, m_y, CellCode::Wall);
        }
    }
    return true;
}

std::uint32_t MazeGenerator::pickWall() {
    const std::size_t size = m_walls.size();
    auto draw = [&] {
        const PendingPick pick{m_picks.below(static_cast<std::uint32_t>(size)), size};
        __builtin_prefetch(&m_walls[pick.wall]);
        return pick;
    };
    while (m_pendingCount < 2)
        m_pending[m_pendingCount++] = draw();
    PendingPick now = m_pending[0];
    m_pending[0] = m_pending[1];
    m_pending[1] = draw();
    if (now.listSize != size)
        now = {m_picks.below(static_cast<std::uint32_t>(size)), size};
    // The next pick's wall entry was fetched one attempt ago: fetch its neighbourhood now.
    if (m_pending[0].listSize == size)
        prefetchAround(m_walls[m_pending[0].wall]);
    return m_walls[now.wall];
}

void MazeGenerator::prefetchAround(std::uint32_t cell) const {
    const auto columns = static_cast<std::uint32_t>(m_grid.columns());
    const std::uint8_t* base = m_grid.data();
    const std::size_t count = m_grid.cellCount();
    // The direction tests read up to two rows above and below the cell.
    for (int dy = -2; dy <= 2; ++dy) {
        const auto at = static_cast<std::int64_t>(cell) + dy * static_cast<std::int64_t>(columns);
        if (at >= 0 && static_cast<std::size_t>(at) < count)
            __builtin_prefetch(base + at);
    }
}

void MazeGenerator::finish(bool byRequest) {
    m_finished = true;
    m_stoppedByRequest = byRequest;
    m_extending = false;
    m_walls.clear();
    m_walls.shrink_to_fit();
}

void MazeGenerator::generate(MazeGrid& grid, int largeur, int hauteur, std::uint64_t seed,
                             int continuationThreshold) {
    MazeGenerator generator(grid, largeur, hauteur, seed,
                            {.paintCell = {},
                             .continuationThreshold = [=] { return continuationThreshold; },
                             .takeStopRequest = {}});
    generator.runToEnd();
}
