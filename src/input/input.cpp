#include "input/input.h"

#include "input/keyboard.h"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>

#include <cmath>
#include <vector>

namespace {

using Axis = sf::Joystick::Axis;

// One way the pad gives an action: a button, or an axis pushed one way past a threshold.
struct PadSource
{
    bool isButton;
    PadButton button;
    Axis axis;
    float sign;
    float threshold;
};

PadSource button(PadButton which)
{
    return {true, which, sf::Joystick::X, 0.f, 0.f};
}

PadSource axis(Axis which, float sign, float threshold)
{
    return {false, PadButton::South, which, sign, threshold};
}

// The pad's part is fixed: sticks and the cross walk and walk menus, the face
// buttons jump, activate and reverse gravity, the right trigger or shoulder fires.
std::vector<PadSource> padSources(Action action)
{
    const float walk = Input::STICK_DEAD_ZONE;
    const float step = Input::MENU_PUSH;
    switch (action) {
    case Action::WalkLeft:
        return {axis(sf::Joystick::X, -1.f, walk), axis(sf::Joystick::PovX, -1.f, walk)};
    case Action::WalkRight:
        return {axis(sf::Joystick::X, 1.f, walk), axis(sf::Joystick::PovX, 1.f, walk)};
    case Action::Jump:
    case Action::NextLine:
    case Action::MenuConfirm:
        return {button(PadButton::South)};
    case Action::ReverseGravity:
        return {button(PadButton::North)};
    case Action::Activate:
        return {button(PadButton::West)};
    case Action::Fire:
        return {button(PadButton::RightShoulder), axis(sf::Joystick::R, 1.f, Input::TRIGGER_PULL)};
    case Action::Pause:
        return {button(PadButton::Start)};
    case Action::MenuUp:
        return {axis(sf::Joystick::Y, -1.f, step), axis(sf::Joystick::PovY, -1.f, step)};
    case Action::MenuDown:
        return {axis(sf::Joystick::Y, 1.f, step), axis(sf::Joystick::PovY, 1.f, step)};
    case Action::MenuLeft:
        return {axis(sf::Joystick::X, -1.f, step), axis(sf::Joystick::PovX, -1.f, step)};
    case Action::MenuRight:
        return {axis(sf::Joystick::X, 1.f, step), axis(sf::Joystick::PovX, 1.f, step)};
    case Action::MenuBack:
        return {button(PadButton::East)};
    }
    return {};
}

bool pushed(float position, const PadSource& source)
{
    return position * source.sign >= source.threshold;
}

} // namespace

Input::Input() : m_keyboard(nullptr), m_pad(&m_systemPad), m_windowFocused(false), m_axes{}, m_padAiming(false)
{
}

void Input::setKeyboard(const KeyboardState* keyboard)
{
    m_keyboard = keyboard;
}

void Input::setPad(const PadState* pad)
{
    m_pad = pad ? pad : &m_systemPad;
    m_axes.fill(0.f);
}

void Input::setWindowFocus(bool focused)
{
    m_windowFocused = focused;
    // A release in another window never reaches this one.
    m_fireDown = false;
}

bool Input::isKeyPressed(sf::Keyboard::Key key) const
{
    if (m_keyboard)
        return m_keyboard->isKeyPressed(key);
    return m_windowFocused && sf::Keyboard::isKeyPressed(key);
}

bool Input::isHeld(Action action) const
{
    for (sf::Keyboard::Key key : m_bindings.keys(action))
        if (isKeyPressed(key))
            return true;
    return padHolds(action);
}

bool Input::padHolds(Action action) const
{
    if (!isPadReadable())
        return false;
    for (const PadSource& source : padSources(action)) {
        if (source.isButton ? m_pad->isButtonPressed(padButtonNumber(source.button, m_pad->vendorId()))
                            : pushed(m_pad->getAxisPosition(source.axis), source))
            return true;
    }
    return false;
}

bool Input::isPadReadable() const
{
    return m_pad->id() >= 0 && (m_pad != &m_systemPad || m_windowFocused);
}

bool Input::pressed(const sf::Event& event, Action action) const
{
    return changes(event, action, 1);
}

bool Input::released(const sf::Event& event, Action action) const
{
    return changes(event, action, -1);
}

bool Input::changes(const sf::Event& event, Action action, int way) const
{
    const bool press = way > 0;
    switch (event.type) {
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased:
        return (event.type == sf::Event::KeyPressed) == press && m_bindings.isBound(action, event.key.code);
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
        return (event.type == sf::Event::MouseButtonPressed) == press && action == Action::Fire &&
               event.mouseButton.button == sf::Mouse::Left;
    case sf::Event::JoystickButtonPressed:
    case sf::Event::JoystickButtonReleased:
        return (event.type == sf::Event::JoystickButtonPressed) == press && padButtonIs(event, action);
    case sf::Event::JoystickMoved:
        return axisCrossing(event, action) == way;
    default:
        return false;
    }
}

bool Input::isPadButtonPress(const sf::Event& event) const
{
    return event.type == sf::Event::JoystickButtonPressed && isFromPad(event.joystickButton.joystickId);
}

bool Input::isPadButtonRelease(const sf::Event& event) const
{
    return event.type == sf::Event::JoystickButtonReleased && isFromPad(event.joystickButton.joystickId);
}

bool Input::isFromPad(unsigned joystickId) const
{
    return m_pad->id() == static_cast<int>(joystickId);
}

bool Input::padButtonIs(const sf::Event& event, Action action) const
{
    if (!isFromPad(event.joystickButton.joystickId))
        return false;
    for (const PadSource& source : padSources(action))
        if (source.isButton && padButtonNumber(source.button, m_pad->vendorId()) == event.joystickButton.button)
            return true;
    return false;
}

int Input::axisCrossing(const sf::Event& event, Action action) const
{
    const sf::Event::JoystickMoveEvent& move = event.joystickMove;
    if (!isFromPad(move.joystickId))
        return 0;
    for (const PadSource& source : padSources(action)) {
        if (source.isButton || source.axis != move.axis)
            continue;
        const bool was = pushed(m_axes[move.axis], source);
        const bool is = pushed(move.position, source);
        if (was != is)
            return is ? 1 : -1;
    }
    return 0;
}

void Input::afterEvent(const sf::Event& event)
{
    if (pressed(event, Action::Fire))
        m_fireDown = true;
    else if (released(event, Action::Fire))
        m_fireDown = false;
    switch (event.type) {
    case sf::Event::JoystickMoved:
        if (isFromPad(event.joystickMove.joystickId))
            m_axes[event.joystickMove.axis] = event.joystickMove.position;
        break;
    case sf::Event::JoystickConnected:
    case sf::Event::JoystickDisconnected:
        // Another pad may be the first one now: its sticks start from rest.
        m_axes.fill(0.f);
        break;
    case sf::Event::MouseMoved:
        m_padAiming = false;
        break;
    default:
        break;
    }
}

bool Input::isFireDown() const
{
    return m_fireDown;
}

bool Input::padAim(sf::Vector2f& direction)
{
    if (isPadReadable()) {
        const sf::Vector2f stick(m_pad->getAxisPosition(sf::Joystick::U), m_pad->getAxisPosition(sf::Joystick::V));
        const float length = std::hypot(stick.x, stick.y);
        if (length > STICK_DEAD_ZONE) {
            m_padAiming = true;
            m_aimDirection = stick / length;
        }
    }
    direction = m_aimDirection;
    return m_padAiming;
}

Bindings& Input::getBindings()
{
    return m_bindings;
}

const Bindings& Input::getBindings() const
{
    return m_bindings;
}
