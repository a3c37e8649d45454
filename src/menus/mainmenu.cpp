#include "menus/mainmenu.h"

#include "core/application.h"
#include "graphics/sprite.h"
#include "menus/loadingmenu.h"
#include "menus/newgamemenu.h"
#include "menus/optionsmenu.h"
#include "resources/ressourcemanager.h"

namespace {

const char* const MENU_MUSIC = "mainMenu.ogg";

// The buttons in the order the keyboard walks them.
enum Button
{
    NEW_GAME,
    LOAD,
    QUIT,
    CONTROLS,
    OPTIONS
};

} // namespace

MainMenu::MainMenu(RessourceManager* rm) : GameState(rm, true, true), m_tpsAvantClignement(1.f), m_focus(rm)
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
    m_focus.add(m_commencer, 0);
    m_focus.add(m_charger, 1);
    m_focus.add(m_quitter, 2);
    m_focus.add(m_commandes, 3);
    m_focus.add(m_options, 3);
}

MainMenu::~MainMenu()
{
    m_RManager->stopBGM();
    delete m_virus;
    if (m_options.getTexture())
        m_RManager->killTexture(m_options.getTexture());
}

bool MainMenu::event(const sf::Event& event)
{
    Application& application = m_RManager->getApplication();
    const int button = m_focus.event(event);
    if (openSharedPage(m_RManager, button, CONTROLS, OPTIONS))
        return true;
    switch (button) {
    case NEW_GAME:
        application.addGameState(new NewGameMenu(m_RManager));
        leaveForTheSlots();
        break;
    case LOAD:
        application.addGameState(new LoadingMenu(m_RManager));
        leaveForTheSlots();
        break;
    case QUIT:
        // The menu is destroyed here and the window closes: touch nothing of it after.
        application.popGameState();
        break;
    default:
        break;
    }
    return true;
}

void MainMenu::leaveForTheSlots()
{
    m_playingBGM = false;
    // Back from the slots or from a game, no button is chosen, as when the game starts:
    // a player back from a level must never quit with one press.
    m_focus.setFocus(MenuFocus::NONE);
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
    // Added to the design's menu: its picture is read once the start-up is over.
    if (!m_options.getTexture()) {
        m_options.setTexture(m_RManager->getTexture(OPTIONS_BUTTON));
        m_options.setPosition(190, 450);
    }
    window.draw(m_options);
    m_focus.draw();
    if (!m_playingBGM) {
        m_playingBGM = true;
        m_RManager->playBGM(MENU_MUSIC);
    }
}

const AnimatedSprite& MainMenu::getMascot() const
{
    return *m_virus;
}
