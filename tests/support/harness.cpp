#include "support/harness.h"

#include "entities/scriptedentity.h"

bool FakeKeyboard::isKeyPressed(sf::Keyboard::Key key) const
{
    return m_down.count(key) != 0;
}

void FakeKeyboard::hold(sf::Keyboard::Key key)
{
    m_down.insert(key);
}

void FakeKeyboard::release(sf::Keyboard::Key key)
{
    m_down.erase(key);
}

int FakePad::id() const
{
    return m_connected ? 0 : -1;
}

bool FakePad::isButtonPressed(unsigned button) const
{
    return m_down.count(button) != 0;
}

float FakePad::getAxisPosition(sf::Joystick::Axis axis) const
{
    return m_axes[axis];
}

unsigned FakePad::vendorId() const
{
    return m_vendor;
}

void FakePad::hold(unsigned button)
{
    m_down.insert(button);
}

void FakePad::release(unsigned button)
{
    m_down.erase(button);
}

void FakePad::setAxis(sf::Joystick::Axis axis, float position)
{
    m_axes[axis] = position;
}

void FakePad::setVendor(unsigned vendor)
{
    m_vendor = vendor;
}

void FakePad::unplug()
{
    m_connected = false;
}

GameHarness::GameHarness()
{
    // A new game: nothing any earlier game in this process ran counts against its frame.
    ScriptedEntity::startFrame();
    m_app.getRessourceManager().setKeyboard(&m_keyboard);
    m_app.getRessourceManager().getInput().setPad(&m_pad);
    m_app.init();
    m_app.getFrameClock().setFixedStep(STEP);
}

GameHarness::~GameHarness()
{
    m_app.getRessourceManager().setKeyboard(nullptr);
    m_app.getRessourceManager().getInput().setPad(nullptr);
}

Application& GameHarness::app()
{
    return m_app;
}

RessourceManager& GameHarness::rm()
{
    return m_app.getRessourceManager();
}

FakeKeyboard& GameHarness::keyboard()
{
    return m_keyboard;
}

FakePad& GameHarness::pad()
{
    return m_pad;
}

void GameHarness::send(sf::Event event)
{
    m_app.handleEvent(event);
}

void GameHarness::step(int frames)
{
    for (int i = 0; i < frames; ++i) {
        m_app.updateGS();
        m_app.getFrameClock().restart();
    }
}

void GameHarness::frame(int frames)
{
    for (int i = 0; i < frames; ++i)
        m_app.frame();
}

std::size_t GameHarness::stateCount() const
{
    return m_app.getStateCount();
}

GameState* GameHarness::top() const
{
    return m_app.getStateCount() ? m_app.getState(m_app.getStateCount() - 1) : nullptr;
}

static sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key key)
{
    sf::Event event{};
    event.type = type;
    event.key.code = key;
    return event;
}

sf::Event keyPressed(sf::Keyboard::Key key)
{
    return keyEvent(sf::Event::KeyPressed, key);
}

sf::Event keyReleased(sf::Keyboard::Key key)
{
    return keyEvent(sf::Event::KeyReleased, key);
}

static sf::Event buttonEvent(sf::Event::EventType type, int x, int y, sf::Mouse::Button button)
{
    sf::Event event{};
    event.type = type;
    event.mouseButton.button = button;
    event.mouseButton.x = x;
    event.mouseButton.y = y;
    return event;
}

sf::Event mousePressed(int x, int y, sf::Mouse::Button button)
{
    return buttonEvent(sf::Event::MouseButtonPressed, x, y, button);
}

sf::Event mouseReleased(int x, int y, sf::Mouse::Button button)
{
    return buttonEvent(sf::Event::MouseButtonReleased, x, y, button);
}

sf::Event mouseMoved(int x, int y)
{
    sf::Event event{};
    event.type = sf::Event::MouseMoved;
    event.mouseMove.x = x;
    event.mouseMove.y = y;
    return event;
}

sf::Event closed()
{
    sf::Event event{};
    event.type = sf::Event::Closed;
    return event;
}

static sf::Event padButtonEvent(sf::Event::EventType type, unsigned button)
{
    sf::Event event{};
    event.type = type;
    event.joystickButton.joystickId = 0;
    event.joystickButton.button = button;
    return event;
}

sf::Event padPressed(unsigned button)
{
    return padButtonEvent(sf::Event::JoystickButtonPressed, button);
}

sf::Event padReleased(unsigned button)
{
    return padButtonEvent(sf::Event::JoystickButtonReleased, button);
}

sf::Event padMoved(sf::Joystick::Axis axis, float position)
{
    sf::Event event{};
    event.type = sf::Event::JoystickMoved;
    event.joystickMove.joystickId = 0;
    event.joystickMove.axis = axis;
    event.joystickMove.position = position;
    return event;
}
