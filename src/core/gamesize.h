#pragma once

// The game's picture in the pixels every position is written in. The window shows it
// whole, scaled to whatever size the window has been given.
constexpr int GAME_WIDTH = 1000;
constexpr int GAME_HEIGHT = 500;
