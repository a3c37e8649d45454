#pragma once

class Output;

// The music loops of every world.
void generateMusic(Output& out);
// Shots, switches and the game-over jingle.
void generateEffects(Output& out);
