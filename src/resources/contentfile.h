#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>

// Levels are written by players for players: whatever a data file names, the game only
// reads what lies inside its own data folder, only plain files, and never more than it
// can afford. Every file the game opens passes through here.

// Maps, scripts, dialogues and saves are small text files; anything larger is no level.
constexpr std::uintmax_t MAX_TEXT_FILE_SIZE = 1u << 20;

// A game path that content may name: relative and starting with the data folder, never
// climbing out of it with ".." steps ("..\common\" from a map's pictures is fine), no
// absolute path or drive letter, no NUL byte.
bool isConfinedGamePath(const std::string& gamePath);
// Where such a path is on this system, its ".." steps resolved by the game so that the
// system never climbs out of a linked folder; empty when the path is not confined.
std::string confinedHostPath(const std::string& gamePath);

// Reads the whole file into `bytes`: false, with `bytes` empty, when the path is not
// confined, the file is not a regular file (a device, a pipe, a folder), is larger than
// `maxSize` or cannot be read.
bool readContentFile(const std::string& gamePath, std::uintmax_t maxSize, std::string& bytes);

// The same file as a stream for the readers; null when it is refused or cannot be read.
std::unique_ptr<std::istream> openContentFile(const std::string& gamePath, std::uintmax_t maxSize = MAX_TEXT_FILE_SIZE);

// True when the file would be read by openContentFile with this limit (nothing is read).
bool isReadableContentFile(const std::string& gamePath, std::uintmax_t maxSize);

// A confined game path inside the save folder ("data\saves\..."), the only place the
// game writes to.
bool isSaveFolderPath(const std::string& gamePath);

// Pictures, fonts and sounds that are refused are reported where the multimedia library
// reports the files it cannot load, so an author sees both kinds of failure together.
void reportRefusedFile(const std::string& kind, const std::string& gamePath);
