#pragma once

#include <cstdint>

// Values stored in each cell of the maze grid.
namespace CellCode {
constexpr std::uint8_t Open = 0;
constexpr std::uint8_t Wall = 1;
constexpr std::uint8_t Solution = 2;
constexpr std::uint8_t Entrance = 3;
constexpr std::uint8_t Exit = 4;
} // namespace CellCode
