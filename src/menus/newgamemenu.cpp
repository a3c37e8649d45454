#include "menus/newgamemenu.h"

#include "core/application.h"
#include "resources/ressourcemanager.h"
#include "world/map.h"

NewGameMenu::NewGameMenu(RessourceManager* rm)
    : SlotMenu(rm, "data\\graphics\\window\\newGameMenu\\background.png", true)
{
}

void NewGameMenu::chooseSlot(unsigned slot)
{
    m_RManager->getApplication().addGameState(new Map(m_RManager, Map::FIRST_MAP, slotPath(slot), nullptr));
}
