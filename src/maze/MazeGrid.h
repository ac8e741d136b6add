#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The grid of cell codes. Columns x = 0..Largeur, rows y = 0..Hauteur, y downwards.
// Stored row by row so that one grid row maps onto one picture scanline.
class MazeGrid {
public:
    // Largest number of cells a grid may hold; beyond it the program refuses to draw
    // rather than exhaust memory (a maximised window at thickness 1 stays well below).
    static constexpr std::int64_t MaxCells = 40'000'000;

    MazeGrid() = default;

    // Resizes to upper bounds (largeur, hauteur); every cell becomes 0.
    // Negative bounds give an empty grid.
    void resize(int largeur, int hauteur);

    [[nodiscard]] int Largeur() const { return m_largeur; }
    [[nodiscard]] int Hauteur() const { return m_hauteur; }
    [[nodiscard]] int columns() const { return m_largeur + 1; }
    [[nodiscard]] int rows() const { return m_hauteur + 1; }
    [[nodiscard]] bool isEmpty() const { return m_cells.empty(); }
    [[nodiscard]] bool contains(int x, int y) const {
        return x >= 0 && y >= 0 && x <= m_largeur && y <= m_hauteur;
    }

    [[nodiscard]] std::uint8_t at(int x, int y) const { return m_cells[index(x, y)]; }
    void set(int x, int y, std::uint8_t code) { m_cells[index(x, y)] = code; }

    [[nodiscard]] std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns()) +
               static_cast<std::size_t>(x);
    }
    [[nodiscard]] const std::uint8_t* row(int y) const { return m_cells.data() + index(0, y); }
    [[nodiscard]] std::uint8_t* data() { return m_cells.data(); }
    [[nodiscard]] const std::uint8_t* data() const { return m_cells.data(); }
    [[nodiscard]] std::size_t cellCount() const { return m_cells.size(); }

    static bool fitsInMemory(std::int64_t columns, std::int64_t rows) {
        return columns > 0 && rows > 0 && columns * rows <= MaxCells;
    }

    friend bool operator==(const MazeGrid&, const MazeGrid&) = default;

private:
    int m_largeur = -1;
    int m_hauteur = -1;
    std::vector<std::uint8_t> m_cells;
};
