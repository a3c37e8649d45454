#include "menus/screen.h"

#include "core/application.h"
#include "menus/layout.h"
#include "player/player.h"
#include "resources/ressourcemanager.h"
#include "world/campaign.h"
#include "world/map.h"

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
        map.getPlayer()->setVie(Player::REFILL);
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

ScreenCommandes::ScreenCommandes(RessourceManager* rm) : GameState(rm, true, true), m_idScreen(0), m_key(rm)
{
    loadScreen();
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
    const float top = ROWS.at(ROW_OF[action]);
    float left = KEYS_LEFT;
    for (sf::Keyboard::Key key : m_RManager->getInput().getBindings().keys(static_cast<Action>(action)))
        left += m_key.draw(key, {left, top}) + 4.f;
}

ScreenFin::ScreenFin(RessourceManager* rm) : GameState(rm, true, true), m_focus(rm)
{
    m_background.setTexture(m_RManager->getTexture("data\\graphics\\window\\fin\\fin.png"));
    m_retourMenu.setTexture(m_RManager->getTexture("data\\graphics\\window\\fin\\menuPrincipal.png"));
    m_retourMenu.setPosition(90, 410);
    m_rejouer.setTexture(m_RManager->getTexture("data\\graphics\\window\\fin\\rejouer.png"));
    m_rejouer.setPosition(510, 410);
    m_fleche.show(m_RManager);
    m_focus.add(m_retourMenu, 0);
    m_focus.add(m_rejouer, 0);
}

ScreenFin::~ScreenFin()
{
    m_RManager->killTexture(m_background.getTexture());
    m_RManager->killTexture(m_retourMenu.getTexture());
    m_RManager->killTexture(m_rejouer.getTexture());
}

bool ScreenFin::event(const sf::Event& event)
{
    const int chosen = m_focus.event(event);
    if (chosen == 0)
        m_RManager->getApplication().mainMenu(); // the level saves as it goes
    else if (chosen == 1)
        startAgain();
    return true;
}

void ScreenFin::startAgain()
{
    RessourceManager* rm = m_RManager;
    const std::string pathSave = rm->getMap()->getPathSave();
    Application& application = rm->getApplication();
    application.mainMenu(); // this screen is gone: only locals from here on
    application.addGameState(new Map(rm, FIRST_MAP, pathSave, nullptr));
}

void ScreenFin::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_background);
    window.draw(m_retourMenu);
    window.draw(m_rejouer);
    m_focus.draw();
}
