#pragma once

#include <functional>
#include <ostream>
#include <string>

// Writes a file at a game path as a whole or not at all: the content goes to a
// temporary file beside it, renamed over the target once complete, so that a failure
// halfway never costs the player what the file held before. The game writes only in its
// save folder ("data\saves\..."): any other path is not written. False when it failed.
bool writeAtomically(const std::string& gamePath, const std::function<void(std::ostream&)>& write);
