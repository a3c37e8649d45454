#include "menus/mainmenu.h"

#include "core/application.h"
#include "menus/collisions.h"
#include "menus/loadingmenu.h"
#include "menus/newgamemenu.h"
#include "menus/screen.h"
#include "resources/ressourcemanager.h"

namespace {

const char* const MENU_MUSIC = "mainMenu.ogg";

} // namespace

MainMenu::MainMenu(RessourceManager* rm) : GameState(rm, true, true), m_tpsAvantClignement(1.f)
{
    m_RManager->playBGM(MENU_MUSIC);
    m_playingBGM = true;

    m_background.setTexture(m_RManager->getTexture("data\\graphics\\window\\mainmenu\\background.png"));
    m_commencer.setTexture(m_RManager->getTexture("data\\graphics\\window\\mainmenu\\commencer.png"));
    m_commencer.setPosition(280, 213);
    m_charger.setTexture(m_RManager->getTexture("data\\graphics\\window\\mainmenu\\charger.png"));
    m_charger.setPosition(228, 289);
    m_quitter.setTexture(m_RManager->getTexture("data\\graphics\\window\\mainmenu\\quitter.png"));
    m_quitter.setPosition(387, 371);
    m_titre.setTexture(m_RManager->getTexture("data\\graphics\\window\\mainmenu\\titre.png"));
    m_titre.setPosition(59, 41);
    m_virus =
        new AnimatedSprite(m_RManager->getTexture("data\\graphics\\window\\mainmenu\\virus.png"), 4, 2, 0.1f, true);
    m_virus->setPosition(449, 77);
    m_commandes.setTexture(m_RManager->getTexture("data\\graphics\\window\\commandes\\bouton.png"));
    m_commandes.setPosition(10, 450);
}

MainMenu::~MainMenu()
{
    m_RManager->stopBGM();
    delete m_virus;
}

bool MainMenu::event(const sf::Event& event)
{
    if (event.type != sf::Event::MouseButtonReleased)
        return true;
    const int x = event.mouseButton.x;
    const int y = event.mouseButton.y;
    Application& application = m_RManager->getApplication();
    if (collisionSourisSprite(x, y, m_commencer)) {
        application.addGameState(new NewGameMenu(m_RManager));
        m_playingBGM = false;
    } else if (collisionSourisSprite(x, y, m_charger)) {
        application.addGameState(new LoadingMenu(m_RManager));
        m_playingBGM = false;
    } else if (collisionSourisSprite(x, y, m_commandes)) {
        application.addGameState(new ScreenCommandes(m_RManager));
    } else if (collisionSourisSprite(x, y, m_quitter)) {
        // The menu is destroyed here and the window closes: touch nothing of it after.
        application.popGameState();
    }
    return true;
}

void MainMenu::update(float t)
{
    const bool resting = m_virus->getEtatX() == 3 && m_virus->getEtatY() == 1;
    if (!resting) {
        m_virus->update(t);
        return;
    }
    m_tpsAvantClignement -= t;
    if (m_tpsAvantClignement <= 0.f) {
        m_tpsAvantClignement = 3.f;
        m_virus->setEtatX(0);
        m_virus->setEtatY(0);
    }
}

void MainMenu::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_background);
    window.draw(m_commencer);
    window.draw(m_charger);
    window.draw(m_quitter);
    window.draw(*m_virus);
    window.draw(m_titre);
    window.draw(m_commandes);
    if (!m_playingBGM) {
        m_playingBGM = true;
        m_RManager->playBGM(MENU_MUSIC);
    }
}

const AnimatedSprite& MainMenu::getMascot() const
{
    return *m_virus;
}
