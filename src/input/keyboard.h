#pragma once

#include <SFML/Window/Keyboard.hpp>

// Where the game reads the real-time state of a key (walking, jumping). The game
// uses the real keyboard; scenario tests substitute one they drive frame by frame.
class KeyboardState
{
public:
    virtual ~KeyboardState() = default;
    virtual bool isKeyPressed(sf::Keyboard::Key key) const = 0;
};
