#pragma once

#include "menus/slotmenu.h"

class RessourceManager;

// Continues the game stored in the chosen slot.
class LoadingMenu : public SlotMenu
{
public:
    explicit LoadingMenu(RessourceManager* rm);

    virtual void loadSlot(unsigned int slot);

protected:
    void chooseSlot(unsigned slot) override;
};
