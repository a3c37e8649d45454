#pragma once

#include "core/application.h"
#include "resources/keyboard.h"

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
};

sf::Event keyPressed(sf::Keyboard::Key key);
sf::Event keyReleased(sf::Keyboard::Key key);
sf::Event mousePressed(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event mouseReleased(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event mouseMoved(int x, int y);
sf::Event closed();
