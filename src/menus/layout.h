#pragma once

#include "input/action.h"

#include <cstddef>

// Where the options screens and the controls page put what the game draws over
// their pictures. The content generator draws those pictures around the same places.

// Places one after the other at a fixed step: rows down a page, cells along a row.
struct Spacing
{
    float first;
    float step;
    constexpr float at(std::size_t i) const
    {
        return first + static_cast<float>(i) * step;
    }
};

struct Size
{
    float width;
    float height;
};

struct Place
{
    float left;
    float top;
};

// The options screen: one row per option, one under the other.
namespace optionsLayout {
constexpr int ROW_COUNT = 5;
constexpr float ROW_LEFT = 180.f;
constexpr Spacing ROWS{104.f, 62.f};
constexpr Size ROW{640.f, 54.f};
// The part of a row that shows its value, from the row's left edge.
constexpr float VALUE_LEFT = 410.f;
constexpr float VALUE_WIDTH = 210.f;
} // namespace optionsLayout

// The keyboard page of the options: one row per action, one cell per key.
namespace keysLayout {
constexpr Spacing ROWS{100.f, 52.f};
constexpr Spacing CELLS{360.f, 140.f};
constexpr Size CELL{128.f, 40.f};
// The button that gives every key back its default, and the line asking for a key.
constexpr Place DEFAULTS{736.f, 430.f};
constexpr Place WAITING{40.f, 414.f};
} // namespace keysLayout

// The controls page: one row per action, the keys of the ones a player may change
// written by the game in the keyboard column.
namespace controlsLayout {
constexpr Spacing ROWS{104.f, 29.f};
constexpr float KEYS_LEFT = 292.f;
constexpr float KEY_HEIGHT = 24.f;
// The row of each action a player may rebind, in the order of the actions.
constexpr int ROW_OF[REBINDABLE_COUNT] = {0, 1, 2, 3, 4, 8};
} // namespace controlsLayout
