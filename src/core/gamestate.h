#pragma once

// Every state's constructor and event handler name these: a state's header has them from here.
class RessourceManager;
namespace sf {
class Event;
} // namespace sf

// A screen on the application's state stack.
class GameState
{
public:
    GameState(RessourceManager* rm, bool modal, bool opaque);
    virtual ~GameState() = default;

    // True when the event is consumed and must reach no state below.
    virtual bool event(const sf::Event& event);
    virtual void update(float t);
    virtual void draw();

    bool isModal() const;
    bool isOpaque() const;

protected:
    RessourceManager* m_RManager;
    bool m_modal;  // unconsumed events and updates stop here
    bool m_opaque; // the states below are not drawn
};
