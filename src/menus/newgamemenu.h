#pragma once

#include "menus/slotmenu.h"

// Starts a new game at the first map in the chosen slot.
class NewGameMenu : public SlotMenu
{
public:
    explicit NewGameMenu(RessourceManager* rm);

protected:
    void chooseSlot(unsigned slot) override;
};
