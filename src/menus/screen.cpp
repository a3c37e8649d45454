#include "menus/screen.h"

#include "core/application.h"
#include "graphics/nineslice.h"
#include "input/keys.h"
#include "menus/layout.h"
#include "resources/ressourcemanager.h"
#include "resources/text.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>

namespace {

// The key the controls page stretches to each key's name, and its unstretched corners.
const char* const KEY = "data\\graphics\\window\\commandes\\touche.png";
const float KEY_CORNER = 9.f;

} // namespace

MapInterlude::MapInterlude(RessourceManager* rm, std::string nextLevelName)
    : GameState(rm, true, false),
      m_nextLevelName(std::move(nextLevelName)),
      m_tempsBloque(0.5f),
      m_peuxEtrePasse(false),
      m_background(new Sprite(rm->getTexture("data\\graphics\\window\\mapInterlude.png")))
{
    for (int key = 0; key < sf::Keyboard::KeyCount; ++key)
        m_keysDown[key] = rm->isKeyPressed(static_cast<sf::Keyboard::Key>(key));
    m_fleche.show(m_RManager);
}

MapInterlude::~MapInterlude()
{
    m_RManager->killTexture(m_background->getTexture());
    delete m_background;
}

void MapInterlude::update(float t)
{
    if (m_peuxEtrePasse)
        return;
    m_tempsBloque -= t;
    if (m_tempsBloque <= 0.f)
        m_peuxEtrePasse = true;
}

bool MapInterlude::event(const sf::Event& event)
{
    if (event.type == sf::Event::KeyReleased && event.key.code != sf::Keyboard::Unknown)
        m_keysDown[event.key.code] = false;
    // Pad buttons never repeat: each press event is a new press.
    const bool padPress = m_RManager->getInput().isPadButtonPress(event);
    if (event.type != sf::Event::KeyPressed && !padPress)
        return true;
    // A press during the first half second is remembered too: its key repeat must not pass.
    if ((padPress || isFreshPress(event.key.code)) && m_peuxEtrePasse) {
        m_fleche.release();
        m_RManager->getMap()->changeMap(m_nextLevelName);
        // The new map may have opened a dialogue above: only the interlude leaves, and
        // nothing of it is touched after.
        m_RManager->getApplication().removeGameState(this);
    }
    return true;
}

bool MapInterlude::isFreshPress(sf::Keyboard::Key key)
{
    if (key == sf::Keyboard::Unknown)
        return false;
    const bool fresh = !m_keysDown[key];
    m_keysDown[key] = true;
    return fresh;
}

void MapInterlude::draw()
{
    m_RManager->getWindow().draw(*m_background);
}

bool MapInterlude::canBePassed() const
{
    return m_peuxEtrePasse;
}

GameOver::GameOver(RessourceManager* rm)
    : GameState(rm, true, false),
      m_background(new Sprite(rm->getTexture("data\\graphics\\window\\gameOver\\gameOver.png"))),
      m_focus(rm)
{
    m_recommencer.setTexture(m_RManager->getTexture("data\\graphics\\window\\gameOver\\recommencer.png"));
    m_recommencer.setPosition(250, 300);
    m_retourMenu.setTexture(m_RManager->getTexture("data\\graphics\\window\\gameOver\\menuPrincipal.png"));
    m_retourMenu.setPosition(250, 400);
    m_levelName = m_RManager->getMap()->getMapName();
    m_RManager->playSound("data\\sounds\\gameOver.ogg");
    m_fleche.show(m_RManager);
    m_focus.add(m_recommencer, 0);
    m_focus.add(m_retourMenu, 1);
}

GameOver::~GameOver()
{
    m_RManager->killTexture(m_background->getTexture());
    m_RManager->killTexture(m_recommencer.getTexture());
    m_RManager->killTexture(m_retourMenu.getTexture());
    delete m_background;
}

bool GameOver::event(const sf::Event& event)
{
    const int chosen = m_focus.event(event);
    if (chosen == 0) {
        Map& map = *m_RManager->getMap();
        m_fleche.release();
        map.changeMap(m_levelName);
        map.getPlayer()->setVie(-1);
        m_RManager->getApplication().removeGameState(this); // not what the new map opened
    } else if (chosen == 1) {
        m_RManager->getApplication().mainMenu();
    }
    return true;
}

void GameOver::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(*m_background);
    window.draw(m_recommencer);
    window.draw(m_retourMenu);
    m_focus.draw();
}

ScreenCommandes::ScreenCommandes(RessourceManager* rm) : GameState(rm, true, true), m_idScreen(0)
{
    loadScreen();
    m_key = &m_RManager->getTexture(KEY);
    m_keyName.setFont(m_RManager->getFont("data\\fonts\\korvane.ttf"));
    m_keyName.setCharacterSize(13);
    m_keyName.setFillColor(sf::Color(20, 26, 58));
}

ScreenCommandes::~ScreenCommandes()
{
    m_RManager->killTexture(m_key);
}

void ScreenCommandes::loadScreen()
{
    if (m_screen.getTexture())
        m_RManager->killTexture(m_screen.getTexture());
    if (m_idScreen == 0) {
        m_screen.setTexture(m_RManager->getTexture("data\\graphics\\window\\commandes\\01.png"), true);
        ++m_idScreen;
    } else {
        m_RManager->getApplication().popGameState();
    }
}

bool ScreenCommandes::event(const sf::Event& event)
{
    // A pad button closes it too: the page says "any key".
    if (event.type == sf::Event::KeyReleased || m_RManager->getInput().isPadButtonRelease(event))
        loadScreen(); // may destroy this screen: nothing of it is touched after
    return true;
}

void ScreenCommandes::draw()
{
    m_RManager->getWindow().draw(m_screen);
    for (std::size_t action = 0; action < REBINDABLE_COUNT; ++action)
        drawKeys(action);
}

void ScreenCommandes::drawKeys(std::size_t action)
{
    using namespace controlsLayout;
    sf::RenderWindow& window = m_RManager->getWindow();
    const float top = ROW_TOP + static_cast<float>(ROW_OF[action]) * ROW_STEP;
    float left = KEYS_LEFT;
    for (sf::Keyboard::Key key : m_RManager->getInput().getBindings().keys(static_cast<Action>(action))) {
        m_keyName.setString(toDisplayString(keyLabel(key)));
        const float width = std::max(KEY_HEIGHT, std::round(m_keyName.getLocalBounds().width) + 14.f);
        drawNineSlice(window, *m_key, {left, top, width, KEY_HEIGHT}, KEY_CORNER);
        centreText(m_keyName, {left, top, width, KEY_HEIGHT - 4.f}); // above the key's side
        window.draw(m_keyName);
        left += width + 4.f;
    }
}
