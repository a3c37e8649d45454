#pragma once

#include "input/action.h"

#include <SFML/Window/Keyboard.hpp>

#include <array>
#include <cstddef>
#include <vector>

// Which keyboard keys do what. Every action keeps as many keys as it has: rebinding
// replaces one of them, and a key taken from another action that is read on the same
// screen goes back to that action in exchange, so no key ever means two things at once.
class Bindings
{
public:
    static constexpr std::size_t MAX_KEYS = 4;

    // The defaults: the keys the game has always had, plus the arrows and A/D.
    Bindings();

    const std::vector<sf::Keyboard::Key>& keys(Action action) const;
    bool isBound(Action action, sf::Keyboard::Key key) const;
    // Gives the action's key number `slot` to `key`; false, and nothing changes, when
    // the action or the key cannot be rebound or the action has no such key.
    bool rebind(Action action, std::size_t slot, sf::Keyboard::Key key);
    // Replaces every key of a rebindable action, as an options file lists them;
    // false, and nothing changes, for keys no player could have chosen.
    bool setKeys(Action action, const std::vector<sf::Keyboard::Key>& keys);
    // True when no key does two things on the same screen.
    bool isConsistent() const;

    bool operator==(const Bindings& other) const;

private:
    std::array<std::vector<sf::Keyboard::Key>, ACTION_COUNT> m_keys;
};

bool isRebindable(Action action);
