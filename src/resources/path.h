#pragma once

#include <string>

// The game names every file with backslash separators ("data\maps\01_USB\01_USB.zi"):
// that is how paths are built, stored as cache keys and printed in the trace.
// They become host paths only here, at the moment a file is opened.
std::string hostPath(const std::string& gamePath);
