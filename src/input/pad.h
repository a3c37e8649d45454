#pragma once

#include <SFML/Window/Joystick.hpp>

// Where the game reads the first connected game pad. The game uses the real pads;
// scenario tests substitute one whose buttons and sticks they set frame by frame.
class PadState
{
public:
    virtual ~PadState() = default;
    // The joystick number of the pad the game listens to, -1 when none is connected.
    virtual int id() const = 0;
    virtual bool isButtonPressed(unsigned button) const = 0;
    // From -100 to 100, as the library reports it: up and left are negative.
    virtual float getAxisPosition(sf::Joystick::Axis axis) const = 0;
    virtual unsigned vendorId() const = 0;
};

// The first connected pad among the library's joysticks.
class SystemPad : public PadState
{
public:
    int id() const override;
    bool isButtonPressed(unsigned button) const override;
    float getAxisPosition(sf::Joystick::Axis axis) const override;
    unsigned vendorId() const override;
};

// The buttons by where they sit on the pad, whatever each maker prints on them.
enum class PadButton
{
    South,
    East,
    West,
    North,
    RightShoulder,
    Start,
};

// The number the system gives a button. Pads are numbered like the usual
// XInput-style layout under Linux, except the maker's own for Sony pads.
unsigned padButtonNumber(PadButton button, unsigned vendorId);
