#pragma once

#include "input/bindings.h"

#include <istream>
#include <string>

// What a player may change and the game keeps between runs.
struct Options
{
    static constexpr int VOLUME_STEP = 10;

    int musicVolume = 100; // percent of the music's own level
    int soundVolume = 100; // percent of the sound effects' own level
    bool fullscreen = false;
    bool showFPS = true;
    Bindings bindings;

    bool operator==(const Options& other) const;
};

// Where the options are kept, beside the save slots.
extern const char* const OPTIONS_PATH;

// Reads options written by writeOptions; false when the text holds anything that is
// not an option, a value out of range or keys that clash (the options are then
// left as they were).
bool readOptions(std::istream& file, Options& options);
void writeOptions(std::ostream& file, const Options& options);

// The options of the file at a game path, with one trace line; the defaults when it
// is missing or damaged.
Options loadOptions(const std::string& gamePath);
// Writes the file whole or not at all; false, with a trace line, when it failed.
bool saveOptions(const std::string& gamePath, const Options& options);
