#pragma once

#include <QRgb>

#include <array>
#include <cstdint>

// The maze's colour table: 0 paths, 1 walls, 2 solution, 3 entrance, 4 exit, 5 test, 6 unused.
class ColorTable {
public:
    static constexpr int Size = 7;

    ColorTable() { resetToDefaults(); }

    void resetToDefaults();

    [[nodiscard]] QRgb at(int index) const { return m_colors.at(static_cast<std::size_t>(index)); }
    void set(int index, QRgb color) { m_colors.at(static_cast<std::size_t>(index)) = color; }

    // Colour of a cell with the solution shown. Codes without an entry (only a damaged
    // file has them) are drawn like open cells.
    [[nodiscard]] QRgb Couleur(int code) const;
    // Colour of a cell with the solution hidden: solution cells look like open cells.
    [[nodiscard]] QRgb CouleurES(int code) const;

    // Colour of every possible cell byte, for painting a whole grid with one lookup each.
    [[nodiscard]] std::array<QRgb, 256> lookupTable(bool withSolution) const;

    friend bool operator==(const ColorTable&, const ColorTable&) = default;

private:
    std::array<QRgb, Size> m_colors{};
};
