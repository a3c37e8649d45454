#pragma once

#include "input/action.h"

// Where the options screens and the controls page put what the game draws over
// their pictures. The content generator draws those pictures around the same places.

// The options screen: one row per option, one under the other.
namespace optionsLayout {
constexpr int ROW_COUNT = 5;
constexpr float ROW_LEFT = 180.f;
constexpr float ROW_TOP = 104.f;
constexpr float ROW_STEP = 62.f;
constexpr float ROW_WIDTH = 640.f;
constexpr float ROW_HEIGHT = 54.f;
// The part of a row that shows its value, from the row's left edge.
constexpr float VALUE_LEFT = 410.f;
constexpr float VALUE_WIDTH = 210.f;
} // namespace optionsLayout

// The keyboard page of the options: one row per action, one cell per key.
namespace keysLayout {
constexpr float ROW_TOP = 100.f;
constexpr float ROW_STEP = 52.f;
constexpr float CELL_LEFT = 360.f;
constexpr float CELL_STEP = 140.f;
constexpr float CELL_WIDTH = 128.f;
constexpr float CELL_HEIGHT = 40.f;
constexpr float DEFAULTS_LEFT = 736.f;
constexpr float DEFAULTS_TOP = 430.f;
constexpr float WAITING_LEFT = 40.f;
constexpr float WAITING_TOP = 414.f;
} // namespace keysLayout

// The controls page: one row per action, the keys of the ones a player may change
// written by the game in the keyboard column.
namespace controlsLayout {
constexpr float ROW_TOP = 104.f;
constexpr float ROW_STEP = 29.f;
constexpr float KEYS_LEFT = 292.f;
constexpr float KEY_HEIGHT = 24.f;
// The row of each action a player may rebind, in the order of the actions.
constexpr int ROW_OF[REBINDABLE_COUNT] = {0, 1, 2, 3, 4, 8};
} // namespace controlsLayout
