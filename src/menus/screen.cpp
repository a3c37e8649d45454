#include "menus/screen.h"

#include "core/application.h"
#include "resources/ressourcemanager.h"

ScreenCommandes::ScreenCommandes(RessourceManager* rm) : GameState(rm, true, true), m_idScreen(0)
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
    if (event.type == sf::Event::KeyReleased)
        loadScreen(); // may destroy this screen: nothing of it is touched after
    return true;
}

void ScreenCommandes::draw()
{
    m_RManager->getWindow().draw(m_screen);
}
