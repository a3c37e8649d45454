#pragma once

#include <climits>
#include <istream>

// Numbers of the data files, read one word at a time. A number that cannot be represented,
// or that makes no sense where it goes, is an unreadable value like a word that is no number
// at all: the stream is then marked unreadable (failed but not at its end), and each reader
// stops there in its own way. A field missing at the end of the file leaves the stream
// failed and at its end, which a reader can tell apart.

// Positions in every file stay within this distance of the origin: far beyond any window,
// far below where the conversions between whole and decimal numbers lose their way.
constexpr int MAX_POSITION = 1000000;
// Speeds and delays are decimal numbers within these bounds (-1 and 0 included).
constexpr float MAX_DECIMAL = 1000000.f;

// A whole number within [-limit, limit].
bool readInteger(std::istream& in, int& value, int limit = INT_MAX);
bool readPosition(std::istream& in, int& value);
// A finite decimal number within [-MAX_DECIMAL, MAX_DECIMAL].
bool readDecimal(std::istream& in, float& value);
// A flag, written 0 or 1.
bool readFlag(std::istream& in, bool& value);

// True once a value could not be read, as opposed to a file that simply ended.
bool isUnreadable(const std::istream& in);
// For a value that was read but makes no sense where it goes.
void markUnreadable(std::istream& in);
