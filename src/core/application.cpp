#include "core/application.h"

#include "core/version.h"
#include "entities/scriptedentity.h"
#include "menus/mainmenu.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace {

const char* const ICON_PATH = "data\\graphics\\window\\iconeFenetre.png";
const unsigned ICON_SIZE = 170;

} // namespace

Application::Application() : m_showFPS(false), m_paused(false), m_fps(0)
{
}

Application::~Application()
{
    for (GameState* state : m_States)
        delete state;
    m_States.clear();
}

void Application::init()
{
    m_RManager.setApplication(this);
    m_Window.create(sf::VideoMode(1000, 500, 32), std::string("Korvane - v.") + KORVANE_VERSION, sf::Style::Default,
                    sf::ContextSettings());
    m_Window.setVerticalSyncEnabled(true);
    m_RManager.setWindow(&m_Window);
    m_RManager.setWindowFocus(m_Window.hasFocus());
    m_Window.setMouseCursorVisible(false);
    addGameState(new MainMenu(&m_RManager));
    m_showFPS = true;
    m_fps = 0;
    m_compteurFPS.setFont(m_RManager.getFont("data\\fonts\\korvane.ttf"));
    m_compteurFPS.setCharacterSize(25);
    m_compteurFPS.setPosition(875, 0);
    setWindowIcon();
}

void Application::setWindowIcon()
{
    const sf::Image image = m_RManager.getTexture(ICON_PATH).copyToImage();
    if (image.getSize().x < ICON_SIZE || image.getSize().y < ICON_SIZE) {
        std::cout << " -*- Icone de la fenetre ignoree : image trop petite\n    * " << ICON_PATH << std::endl;
        return;
    }
    // Copy the top-left square, so that a larger picture is cut rather than misread.
    sf::Image icon;
    icon.create(ICON_SIZE, ICON_SIZE);
    icon.copy(image, 0, 0, sf::IntRect(0, 0, ICON_SIZE, ICON_SIZE));
    m_Window.setIcon(ICON_SIZE, ICON_SIZE, icon.getPixelsPtr());
}

void Application::start()
{
    while (m_Window.isOpen())
        frame();
}

void Application::frame()
{
    sf::Event event;
    while (m_Window.pollEvent(event))
        handleEvent(event);
    updateGS();
    m_tempsEntreImages.restart();
    m_Window.clear(sf::Color(0, 0, 0, 255));
    drawGS();
    m_RManager.drawCursor();
    if (m_showFPS)
        ShowFPSCounter();
    m_Window.display();
}

void Application::handleEvent(sf::Event& event)
{
    switch (event.type) {
    case sf::Event::MouseMoved:
        mapMouseToGame(event.mouseMove.x, event.mouseMove.y);
        m_RManager.setMousePosition({event.mouseMove.x, event.mouseMove.y});
        break;
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
        mapMouseToGame(event.mouseButton.x, event.mouseButton.y);
        break;
    case sf::Event::Closed:
        m_Window.close();
        break;
    case sf::Event::GainedFocus:
    case sf::Event::LostFocus:
        m_RManager.setWindowFocus(event.type == sf::Event::GainedFocus);
        break;
    case sf::Event::KeyReleased:
        handleApplicationKey(event.key.code);
        break;
    default:
        break;
    }
    eventGS(event);
}

void Application::handleApplicationKey(sf::Keyboard::Key key)
{
    if (key == sf::Keyboard::F1) {
        m_showFPS = !m_showFPS;
    } else if (key == sf::Keyboard::F12) {
        mainMenu();
        popGameState();
    } else if (key == sf::Keyboard::F11) {
        mainMenu();
    }
}

void Application::mapMouseToGame(int& x, int& y) const
{
    const sf::Vector2u size = m_Window.getSize();
    if (!m_Window.isOpen() || size.x == 0 || size.y == 0)
        return;
    // The view never changes, so whole-number arithmetic maps pixels exactly.
    const sf::Vector2f view = m_Window.getView().getSize();
    x = static_cast<int>(static_cast<long long>(x) * static_cast<long long>(view.x) / size.x);
    y = static_cast<int>(static_cast<long long>(y) * static_cast<long long>(view.y) / size.y);
}

void Application::eventGS(sf::Event& event)
{
    for (std::size_t i = m_States.size(); i-- > 0;) {
        GameState* state = m_States[i];
        if (state->event(event))
            return;
        // The state may have removed itself: then it must not be asked anything more.
        if (!stillAt(i, state) || state->isModal())
            return;
    }
}

void Application::updateGS()
{
    ScriptedEntity::startFrame();
    if (m_paused)
        return;
    for (std::size_t i = m_States.size(); i-- > 0;) {
        GameState* state = m_States[i];
        state->update(m_tempsEntreImages.getElapsedSeconds());
        if (!stillAt(i, state) || state->isModal())
            return;
    }
}

void Application::drawGS()
{
    if (m_States.empty())
        return;
    std::size_t bottom = m_States.size() - 1;
    while (bottom > 0 && !m_States[bottom]->isOpaque())
        --bottom;
    for (std::size_t i = bottom; i < m_States.size(); ++i)
        m_States[i]->draw();
}

void Application::addGameState(GameState* state)
{
    m_States.push_back(state);
}

void Application::popGameState()
{
    if (!m_States.empty()) {
        delete m_States.back();
        m_States.pop_back();
    }
    if (m_States.empty())
        m_Window.close();
}

void Application::removeGameState(GameState* state)
{
    const auto found = std::find(m_States.begin(), m_States.end(), state);
    if (found == m_States.end())
        return;
    m_States.erase(found);
    delete state;
    if (m_States.empty())
        m_Window.close();
}

bool Application::stillAt(std::size_t index, const GameState* state) const
{
    return index < m_States.size() && m_States[index] == state;
}

void Application::mainMenu()
{
    while (m_States.size() >= 2)
        popGameState();
}

void Application::ShowFPSCounter()
{
    if (m_tempsFPS.getElapsedTime().asSeconds() < 1.f) {
        ++m_fps;
    } else {
        m_compteurFPS.setString("FPS : " + std::to_string(m_fps));
        m_tempsFPS.restart();
        m_fps = 0;
    }
    m_Window.draw(m_compteurFPS);
}

void Application::pauseTime()
{
    m_paused = true;
}

void Application::resumeTime()
{
    m_paused = false;
    m_tempsEntreImages.restart();
}

std::size_t Application::getStateCount() const
{
    return m_States.size();
}

GameState* Application::getState(std::size_t index) const
{
    return index < m_States.size() ? m_States[index] : nullptr;
}

bool Application::isFPSShown() const
{
    return m_showFPS;
}

const sf::Text& Application::getFPSText() const
{
    return m_compteurFPS;
}

FrameClock& Application::getFrameClock()
{
    return m_tempsEntreImages;
}

sf::RenderWindow& Application::getWindow()
{
    return m_Window;
}

RessourceManager& Application::getRessourceManager()
{
    return m_RManager;
}
