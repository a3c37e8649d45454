#include "menus/pausemenu.h"

#include "core/application.h"
#include "menus/collisions.h"
#include "menus/screen.h"
#include "resources/ressourcemanager.h"

namespace {

const char* const BACKGROUND = "data\\graphics\\window\\pausemenu\\background.png";
const char* const CONTINUE = "data\\graphics\\window\\pausemenu\\jeu.png";
const char* const MAIN_MENU = "data\\graphics\\window\\pausemenu\\menu.png";

} // namespace

PauseMenu::PauseMenu(RessourceManager* rm) : GameState(rm, true, false)
{
    m_RManager->pauseBGM();
    m_background.setTexture(m_RManager->getTexture(BACKGROUND));
    m_continuer.setTexture(m_RManager->getTexture(CONTINUE));
    m_continuer.setPosition(190, 320);
    m_retourMenuPrincipal.setTexture(m_RManager->getTexture(MAIN_MENU));
    m_retourMenuPrincipal.setPosition(190, 410);
    m_commandes.setTexture(m_RManager->getTexture("data\\graphics\\window\\commandes\\bouton.png"));
    m_commandes.setPosition(10, 450);
    m_fleche.show(m_RManager);
}

PauseMenu::~PauseMenu()
{
    m_RManager->killTexture(BACKGROUND);
    m_RManager->killTexture(CONTINUE);
    m_RManager->killTexture(MAIN_MENU);
    m_RManager->killTexture(m_commandes.getTexture());
    m_RManager->resumeBGM();
}

bool PauseMenu::event(const sf::Event& event)
{
    Application& application = m_RManager->getApplication();
    if (event.type == sf::Event::KeyReleased && event.key.code == sf::Keyboard::Escape) {
        application.popGameState();
    } else if (event.type == sf::Event::MouseButtonReleased) {
        const int x = event.mouseButton.x;
        const int y = event.mouseButton.y;
        if (collisionSourisSprite(x, y, m_continuer))
            application.popGameState();
        else if (collisionSourisSprite(x, y, m_retourMenuPrincipal))
            application.mainMenu();
        else if (collisionSourisSprite(x, y, m_commandes))
            application.addGameState(new ScreenCommandes(m_RManager));
    }
    return true;
}

void PauseMenu::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_background);
    window.draw(m_continuer);
    window.draw(m_retourMenuPrincipal);
    window.draw(m_commandes);
}
