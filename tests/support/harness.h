#pragma once

#include "core/application.h"
#include "input/keyboard.h"
#include "input/pad.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Event.hpp>

#include <set>

// The real-time keyboard as a scenario drives it.
class FakeKeyboard : public KeyboardState
{
public:
    bool isKeyPressed(sf::Keyboard::Key key) const override;
    void hold(sf::Keyboard::Key key);
    void release(sf::Keyboard::Key key);

private:
    std::set<sf::Keyboard::Key> m_down;
};

// A game pad as a scenario drives it: connected as joystick 0 unless unplugged.
class FakePad : public PadState
{
public:
    int id() const override;
    bool isButtonPressed(unsigned button) const override;
    float getAxisPosition(sf::Joystick::Axis axis) const override;
    unsigned vendorId() const override;

    void hold(unsigned button);
    void release(unsigned button);
    void setAxis(sf::Joystick::Axis axis, float position);
    void setVendor(unsigned vendor);
    void unplug();

private:
    std::set<unsigned> m_down;
    float m_axes[sf::Joystick::AxisCount] = {};
    unsigned m_vendor = 0x045E;
    bool m_connected = true;
};

// The whole game in its window, stepped frame by frame at a fixed time step,
// with the keyboard and the events given by the test.
class GameHarness
{
public:
    static constexpr float STEP = 1.f / 60.f;

    GameHarness();
    ~GameHarness();

    Application& app();
    RessourceManager& rm();
    FakeKeyboard& keyboard();
    FakePad& pad();

    // Handles one event exactly as the frame loop does.
    void send(sf::Event event);
    // Runs update passes only (fast: nothing is drawn).
    void step(int frames = 1);
    // Runs whole frames: update, drawing and display.
    void frame(int frames = 1);
    // What the states draw now (no cursor, no counter), read back before it is displayed.
    sf::Image drawnStates();

    std::size_t stateCount() const;
    GameState* top() const;
    template <typename T>
    T* topAs() const
    {
        return dynamic_cast<T*>(top());
    }

private:
    Application m_app;
    FakeKeyboard m_keyboard;
    FakePad m_pad;
};

sf::Event keyPressed(sf::Keyboard::Key key);
sf::Event keyReleased(sf::Keyboard::Key key);
sf::Event mousePressed(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event mouseReleased(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event mouseMoved(int x, int y);
sf::Event closed();
// Events of the pad installed by the harness (joystick 0).
sf::Event padPressed(unsigned button);
sf::Event padReleased(unsigned button);
sf::Event padMoved(sf::Joystick::Axis axis, float position);
