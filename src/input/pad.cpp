#include "input/pad.h"

namespace {

const unsigned SONY = 0x054C;

} // namespace

int SystemPad::id() const
{
    for (unsigned joystick = 0; joystick < sf::Joystick::Count; ++joystick)
        if (sf::Joystick::isConnected(joystick))
            return static_cast<int>(joystick);
    return -1;
}

bool SystemPad::isButtonPressed(unsigned button) const
{
    const int pad = id();
    return pad >= 0 && sf::Joystick::isButtonPressed(static_cast<unsigned>(pad), button);
}

float SystemPad::getAxisPosition(sf::Joystick::Axis axis) const
{
    const int pad = id();
    return pad >= 0 ? sf::Joystick::getAxisPosition(static_cast<unsigned>(pad), axis) : 0.f;
}

unsigned SystemPad::vendorId() const
{
    const int pad = id();
    return pad >= 0 ? sf::Joystick::getIdentification(static_cast<unsigned>(pad)).vendorId : 0;
}

unsigned padButtonNumber(PadButton button, unsigned vendorId)
{
    // South, east, west, north, right shoulder, start.
    static const unsigned XINPUT[] = {0, 1, 2, 3, 5, 7};
    static const unsigned PLAYSTATION[] = {0, 1, 3, 2, 5, 9};
    const unsigned* layout = vendorId == SONY ? PLAYSTATION : XINPUT;
    return layout[static_cast<int>(button)];
}
