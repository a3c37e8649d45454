#pragma once

// The system asks the game to stop (a logout, a shutdown, Ctrl+C in a terminal): the game
// then closes as if its window's close button had been pressed, so the level saves on the
// way out instead of dying with the player's progress.
void catchStopSignals();
// True once such a request has come, until it is taken.
bool takeStopRequest();
