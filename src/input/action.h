#pragma once

#include <cstddef>

// What the player does, whatever key, button or stick does it. The actions a
// player may give other keyboard keys come first.
enum class Action
{
    WalkLeft,
    WalkRight,
    Jump,
    ReverseGravity,
    Activate,
    NextLine, // the next bubble of a dialogue
    Fire,
    Pause,
    MenuUp,
    MenuDown,
    MenuLeft,
    MenuRight,
    MenuConfirm,
    MenuBack,
};

constexpr std::size_t ACTION_COUNT = static_cast<std::size_t>(Action::MenuBack) + 1;
constexpr std::size_t REBINDABLE_COUNT = static_cast<std::size_t>(Action::NextLine) + 1;

constexpr std::size_t indexOf(Action action)
{
    return static_cast<std::size_t>(action);
}
