#pragma once

// What the palette and the menus show of the document: no maze, a maze being drawn, a maze,
// and the maze window closed (its maze gone, a new window to come on the next use).
enum class DocumentPhase { NoMaze, Drawing, MazePresent, WindowClosed };
