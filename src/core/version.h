#pragma once

// Shown in the start-up banner and the window title.
inline constexpr const char* KORVANE_VERSION = "1.0.00";
