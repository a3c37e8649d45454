#include "menus/newgamemenu.h"

#include "resources/ressourcemanager.h"
#include "world/map.h"

NewGameMenu::NewGameMenu(RessourceManager* rm)
    : SlotMenu(rm, "data\\graphics\\window\\newGameMenu\\background.png", true)
{
}

void NewGameMenu::chooseSlot(unsigned slot)
{
    play(new Map(m_RManager, "01_USB", slotPath(slot), nullptr));
}
