#pragma once

#include "input/action.h"
#include "input/bindings.h"
#include "input/pad.h"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <array>

class KeyboardState;
namespace sf {
class Event;
} // namespace sf

// The one place where keys, mouse buttons and the pad become actions. Screens ask
// whether an event begins or ends an action; the player asks whether an action is
// held. Keys come from the bindings, pad buttons and sticks from a fixed layout.
class Input
{
public:
    // Left of this, a stick is at rest; further, it walks.
    static constexpr float STICK_DEAD_ZONE = 25.f;
    // How far a stick or the cross is pushed to take one step in a menu.
    static constexpr float MENU_PUSH = 50.f;
    // How far the right trigger is pulled to fire (it rests at -100 or 0).
    static constexpr float TRIGGER_PULL = 30.f;

    Input();

    // The keyboard and pad read in real time: the system's unless a test installs
    // its own (null returns to the system's).
    void setKeyboard(const KeyboardState* keyboard);
    void setPad(const PadState* pad);
    // The system's keyboard and pad count only while the game window has the focus,
    // so that keys typed into another window never move the character.
    void setWindowFocus(bool focused);
    bool isKeyPressed(sf::Keyboard::Key key) const;

    bool isHeld(Action action) const;
    // True when the event begins (presses) or ends (releases) the action.
    bool pressed(const sf::Event& event, Action action) const;
    bool released(const sf::Event& event, Action action) const;
    // A button of the pad pressed or let go: the screens that go on at any key do on those too.
    bool isPadButtonPress(const sf::Event& event) const;
    bool isPadButtonRelease(const sf::Event& event) const;
    // What the frame loop calls once every state has seen the event: sticks are
    // compared with where they were, the fire button is followed, and a moving mouse
    // takes aiming back.
    void afterEvent(const sf::Event& event);
    // The fire button, stick or trigger as every screen saw it: let go while another
    // screen covered the level, it is let go there too.
    bool isFireDown() const;

    // True while the pad aims: from the moment its right stick leaves the dead zone
    // until the mouse moves. `direction` is then the last direction aimed, of length 1.
    bool padAim(sf::Vector2f& direction);

    Bindings& getBindings();
    const Bindings& getBindings() const;

private:
    bool isFromPad(unsigned joystickId) const;
    // A pad is connected, and the system's counts only while the window has the focus.
    bool isPadReadable() const;
    bool padHolds(Action action) const;
    bool padButtonIs(const sf::Event& event, Action action) const;
    // +1 when the stick event pushes the action's axis past its threshold, -1 when it
    // brings it back, 0 otherwise.
    int axisCrossing(const sf::Event& event, Action action) const;
    // Whether the event presses (`way` 1) or releases (-1) the action.
    bool changes(const sf::Event& event, Action action, int way) const;

    SystemPad m_systemPad;
    const KeyboardState* m_keyboard;
    const PadState* m_pad;
    bool m_windowFocused;
    Bindings m_bindings;
    std::array<float, sf::Joystick::AxisCount> m_axes;
    bool m_fireDown;
    bool m_padAiming;
    sf::Vector2f m_aimDirection;
};
