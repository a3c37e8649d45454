#pragma once

#include <string>

// The trace on standard output: one message per line, flushed at its end. A message
// with a detail (the file, the word, the id it is about) gives the detail its own line.

// `message` then "\n    * " and the detail.
std::string withDetail(const std::string& message, const std::string& detail);
// " *** ERREUR : " + what + " :" over its detail: an error the game goes on after.
std::string errorMessage(const std::string& what, const std::string& detail);

// Writes withDetail(message, detail) as one message.
void trace(const std::string& message, const std::string& detail);
// Writes errorMessage(what, detail) as one message.
void traceError(const std::string& what, const std::string& detail);
