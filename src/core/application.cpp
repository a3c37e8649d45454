#include "core/application.h"

#include "core/gamesize.h"
#include "core/stopsignal.h"
#include "core/version.h"
#include "entities/scriptedentity.h"
#include "menus/mainmenu.h"
#include "resources/savefile.h"
#include "resources/trace.h"
#include "world/map.h"

#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

namespace {

const char* const ICON_PATH = "data\\graphics\\window\\iconeFenetre.png";
const unsigned ICON_SIZE = 170;
const float FPS_COUNTER_LEFT = 875.f;
// The display's refresh rate is not known to the library: frames beyond 240 a second mean
// vertical sync is ignored, and 60 a second is what a display shows.
const float RUNAWAY_FRAME_RATE = 240.f;
const unsigned DISPLAY_FRAME_RATE = 60;

// v * num / den rounded down, in whole numbers: a pixel on the bands left of or above the
// picture maps to a negative coordinate, not to the picture's first column.
int scaleDown(long long v, long long num, long long den)
{
    const long long product = v * num;
    return static_cast<int>(product >= 0 ? product / den : -((-product + den - 1) / den));
}

} // namespace

Application::Application()
    : m_showFPS(false),
      m_paused(false),
      m_fps(0),
      m_frameLimit(0),
      m_imagesMesurees(0),
      m_tempsMesure(0.f),
      m_optionsKept(false),
      m_fullscreen(false),
      m_altReturnDown(false),
      m_altOfChord(false)
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
    createWindow();
    m_RManager.setWindow(&m_Window);
    addGameState(new MainMenu(&m_RManager));
    m_showFPS = true;
    m_fps = 0;
    m_compteurFPS.setFont(m_RManager.getFont("data\\fonts\\korvane.ttf"));
    m_compteurFPS.setCharacterSize(25);
    m_compteurFPS.setPosition(FPS_COUNTER_LEFT, 0);
    setWindowIcon();
}

void Application::startOnMap(const std::string& mapName)
{
    addGameState(new Map(&m_RManager, mapName, slotPath(0), nullptr));
}

void Application::createWindow()
{
    const sf::VideoMode mode =
        m_fullscreen ? sf::VideoMode::getDesktopMode() : sf::VideoMode(GAME_WIDTH, GAME_HEIGHT, 32);
    m_Window.create(mode, std::string("Korvane - v.") + KORVANE_VERSION,
                    m_fullscreen ? sf::Style::Fullscreen : sf::Style::Default, sf::ContextSettings(0, 0, 0, 2, 0));
    m_Window.setVerticalSyncEnabled(true);
    if (m_frameLimit != 0)
        m_Window.setFramerateLimit(m_frameLimit);
    m_RManager.setWindowFocus(m_Window.hasFocus());
    m_Window.setMouseCursorVisible(false);
    fitViewToWindow();
}

void Application::setFullscreen(bool fullscreen)
{
    if (fullscreen == m_fullscreen)
        return;
    m_fullscreen = fullscreen;
    // A new window: the same picture, between bands if the screen is not 2:1.
    createWindow();
    setWindowIcon();
}

void Application::setWindowIcon()
{
    const sf::Image image = m_RManager.getTexture(ICON_PATH).copyToImage();
    if (image.getSize().x < ICON_SIZE || image.getSize().y < ICON_SIZE) {
        trace(" -*- Icone de la fenetre ignoree : image trop petite", ICON_PATH);
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
    if (takeStopRequest()) {
        std::cout << " -*- Arret demande par le systeme : fermeture de la fenetre" << std::endl;
        event.type = sf::Event::Closed;
        handleEvent(event);
    }
    updateGS();
    watchFrameRate(m_tempsEntreImages.getElapsedSeconds());
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
    case sf::Event::Resized:
        fitViewToWindow();
        break;
    case sf::Event::GainedFocus:
    case sf::Event::LostFocus:
        m_RManager.setWindowFocus(event.type == sf::Event::GainedFocus);
        m_altReturnDown = false; // its release went to another window
        break;
    case sf::Event::KeyPressed:
        // Alt + Return toggles full screen on every screen, and means nothing else to them.
        // It acts on its release, like the other application keys: the window it closes
        // would never see that release.
        // A new Alt starts afresh: the chord's Alt went up somewhere, maybe in the window
        // full screen replaced (which loses focus on the way, so focus cannot tell).
        if (event.key.code == sf::Keyboard::LAlt || event.key.code == sf::Keyboard::RAlt)
            m_altOfChord = false;
        if (event.key.code == sf::Keyboard::Return && (event.key.alt || m_altReturnDown)) {
            m_altOfChord = m_altOfChord || event.key.alt;
            m_altReturnDown = true;
            return;
        }
        break;
    case sf::Event::KeyReleased:
        if (event.key.code == sf::Keyboard::Return && m_altReturnDown) {
            m_altReturnDown = false;
            setOptions(toggledFullscreen());
            return;
        }
        // The Alt of Alt + Return is not a key of its own: the keys page would take it
        // as a new key, and a level where it reverses gravity would reverse it.
        if ((event.key.code == sf::Keyboard::LAlt || event.key.code == sf::Keyboard::RAlt) && m_altOfChord) {
            m_altOfChord = false;
            return;
        }
        handleApplicationKey(event.key.code);
        break;
    default:
        break;
    }
    eventGS(event);
    m_RManager.getInput().afterEvent(event);
}

void Application::handleApplicationKey(sf::Keyboard::Key key)
{
    if (key == sf::Keyboard::F1) {
        m_showFPS = !m_showFPS;
        keepOptions();
    } else if (key == sf::Keyboard::F12) {
        mainMenu();
        popGameState();
    } else if (key == sf::Keyboard::F11) {
        mainMenu();
    }
}

void Application::mapMouseToGame(int& x, int& y) const
{
    if (!m_Window.isOpen())
        return;
    const sf::IntRect port = m_Window.getViewport(m_Window.getView());
    if (port.width <= 0 || port.height <= 0)
        return;
    // The view's size never changes, so whole-number arithmetic maps pixels exactly;
    // the bands map outside the picture, where nothing can be hit.
    const sf::Vector2f view = m_Window.getView().getSize();
    x = scaleDown(x - port.left, static_cast<long long>(view.x), port.width);
    y = scaleDown(y - port.top, static_cast<long long>(view.y), port.height);
}

void Application::fitViewToWindow()
{
    const sf::Vector2u size = m_Window.getSize();
    if (size.x == 0 || size.y == 0)
        return;
    // The picture keeps its 2:1 shape: as large as fits, centred, black bands around it.
    const float scale = std::min(static_cast<float>(size.x) / GAME_WIDTH, static_cast<float>(size.y) / GAME_HEIGHT);
    const float width = GAME_WIDTH * scale / static_cast<float>(size.x);
    const float height = GAME_HEIGHT * scale / static_cast<float>(size.y);
    sf::View view(sf::FloatRect(0.f, 0.f, GAME_WIDTH, GAME_HEIGHT));
    view.setViewport(sf::FloatRect((1.f - width) / 2.f, (1.f - height) / 2.f, width, height));
    m_Window.setView(view);
}

void Application::watchFrameRate(float frameTime)
{
    if (m_frameLimit != 0)
        return;
    ++m_imagesMesurees;
    m_tempsMesure += frameTime;
    if (m_tempsMesure < 1.f)
        return;
    // Vertical sync is the frame limit, but many drivers ignore it (a virtual display has
    // none), and the game would then burn a whole core drawing frames nobody sees.
    if (static_cast<float>(m_imagesMesurees) / m_tempsMesure > RUNAWAY_FRAME_RATE) {
        m_frameLimit = DISPLAY_FRAME_RATE;
        m_Window.setFramerateLimit(m_frameLimit);
        trace(" -*- Synchronisation verticale sans effet : " + std::to_string(m_imagesMesurees) + " images par seconde",
              "limite a " + std::to_string(m_frameLimit));
    }
    m_imagesMesurees = 0;
    m_tempsMesure = 0.f;
}

unsigned Application::getFrameLimit() const
{
    return m_frameLimit;
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
    if (m_tempsFPS.getElapsedSeconds() < 1.f) {
        ++m_fps;
    } else {
        m_compteurFPS.setString("FPS : " + std::to_string(m_fps));
        keepFPSCounterInside();
        m_tempsFPS.restart();
        m_fps = 0;
    }
    m_Window.draw(m_compteurFPS);
}

void Application::keepFPSCounterInside()
{
    // From its corner at (875, 0), three digits would run off the window: such a count
    // moves left just enough to be read whole.
    m_compteurFPS.setPosition(FPS_COUNTER_LEFT, 0.f);
    const sf::FloatRect bounds = m_compteurFPS.getGlobalBounds();
    const float overflow = std::max(0.f, bounds.left + bounds.width - static_cast<float>(GAME_WIDTH));
    m_compteurFPS.move(-std::ceil(overflow), 0.f);
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

void Application::loadOptions()
{
    applyOptions(::loadOptions(OPTIONS_PATH));
    m_optionsKept = true;
}

Options Application::getOptions()
{
    Options options;
    options.musicVolume = m_RManager.getMusicVolume();
    options.soundVolume = m_RManager.getSoundVolume();
    options.showFPS = m_showFPS;
    options.fullscreen = m_fullscreen;
    options.bindings = m_RManager.getInput().getBindings();
    return options;
}

void Application::setOptions(const Options& options)
{
    applyOptions(options);
    keepOptions();
}

void Application::applyOptions(const Options& options)
{
    m_RManager.setMusicVolume(options.musicVolume);
    m_RManager.setSoundVolume(options.soundVolume);
    m_showFPS = options.showFPS;
    setFullscreen(options.fullscreen);
    m_RManager.getInput().getBindings() = options.bindings;
}

Options Application::toggledFullscreen()
{
    Options options = getOptions();
    options.fullscreen = !options.fullscreen;
    return options;
}

void Application::keepOptions()
{
    if (m_optionsKept)
        saveOptions(OPTIONS_PATH, getOptions());
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

FrameClock& Application::getFPSClock()
{
    return m_tempsFPS;
}

sf::RenderWindow& Application::getWindow()
{
    return m_Window;
}

RessourceManager& Application::getRessourceManager()
{
    return m_RManager;
}
