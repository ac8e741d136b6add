#pragma once

// The three states the palette and the menus show: no maze, a maze being drawn, a maze.
enum class DocumentState { NoMaze, Drawing, MazePresent };
