#include "menus/pausemenu.h"

#include "core/application.h"
#include "menus/optionsmenu.h"
#include "resources/ressourcemanager.h"

namespace {

const char* const BACKGROUND = "data\\graphics\\window\\pausemenu\\background.png";
const char* const CONTINUE = "data\\graphics\\window\\pausemenu\\jeu.png";
const char* const MAIN_MENU = "data\\graphics\\window\\pausemenu\\menu.png";

// The buttons in the order the keyboard walks them.
enum Button
{
    BACK_TO_GAME,
    LEAVE,
    CONTROLS,
    OPTIONS
};

} // namespace

PauseMenu::PauseMenu(RessourceManager* rm) : GameState(rm, true, false), m_focus(rm)
{
    m_RManager->pauseBGM();
    m_background.setTexture(m_RManager->getTexture(BACKGROUND));
    m_continuer.setTexture(m_RManager->getTexture(CONTINUE));
    m_continuer.setPosition(190, 320);
    m_retourMenuPrincipal.setTexture(m_RManager->getTexture(MAIN_MENU));
    m_retourMenuPrincipal.setPosition(190, 410);
    m_commandes.setTexture(m_RManager->getTexture("data\\graphics\\window\\commandes\\bouton.png"));
    m_commandes.setPosition(10, 450);
    m_options.setTexture(m_RManager->getTexture(OPTIONS_BUTTON));
    m_options.setPosition(820, 450);
    m_fleche.show(m_RManager);
    m_focus.add(m_continuer, 0);
    m_focus.add(m_retourMenuPrincipal, 1);
    m_focus.add(m_commandes, 2);
    m_focus.add(m_options, 2);
}

PauseMenu::~PauseMenu()
{
    m_RManager->killTexture(BACKGROUND);
    m_RManager->killTexture(CONTINUE);
    m_RManager->killTexture(MAIN_MENU);
    m_RManager->killTexture(m_commandes.getTexture());
    m_RManager->killTexture(m_options.getTexture());
    m_RManager->resumeBGM();
}

bool PauseMenu::event(const sf::Event& event)
{
    Application& application = m_RManager->getApplication();
    const Input& input = m_RManager->getInput();
    if (input.released(event, Action::MenuBack) || input.released(event, Action::Pause)) {
        application.popGameState();
        return true;
    }
    const int button = m_focus.event(event);
    if (openSharedPage(m_RManager, button, CONTROLS, OPTIONS))
        return true;
    switch (button) {
    case BACK_TO_GAME:
        application.popGameState();
        break;
    case LEAVE:
        application.mainMenu();
        break;
    default:
        break;
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
    window.draw(m_options);
    m_focus.draw();
}
