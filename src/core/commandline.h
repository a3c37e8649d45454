#pragma once

#include <string>
#include <vector>

// What the game is asked to do at start-up. With no argument it opens on its main
// menu; `--map NAME` starts directly on that map, for authors trying a map out.
struct CommandLine
{
    std::string mapName; // empty: the main menu
    std::string error;   // the trace lines that refuse the command line; empty when accepted
};

// Reads the arguments that follow the program's name. A map is accepted only when
// its map file can be opened, so that a misspelt name never starts an empty level.
CommandLine readCommandLine(const std::vector<std::string>& arguments);
