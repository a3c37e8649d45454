#include "menus/loadingmenu.h"

#include "player/player.h"
#include "resources/contentfile.h"
#include "resources/ressourcemanager.h"
#include "resources/savefile.h"
#include "resources/trace.h"
#include "world/map.h"

#include <iostream>

LoadingMenu::LoadingMenu(RessourceManager* rm)
    : SlotMenu(rm, "data\\graphics\\window\\loadingMenu\\background.png", false)
{
}

void LoadingMenu::chooseSlot(unsigned slot)
{
    if (m_slot_existe[slot])
        loadSlot(slot);
}

void LoadingMenu::loadSlot(unsigned int slot)
{
    const std::string path = slotPath(slot);
    std::unique_ptr<std::istream> file = openContentFile(path);
    const SavedGame saved = file ? readSavedGame(*file) : SavedGame();
    if (saved.mapName.empty()) {
        // Starting on no map would later overwrite the slot with a file nothing can read.
        traceError("Sauvegarde illisible, aucune map", path);
        return;
    }
    Player* player = new Player(m_RManager);
    if (saved.canShoot)
        player->peuxTirer(*saved.canShoot);
    if (saved.shootDelay)
        player->setShootDelay(*saved.shootDelay);
    if (saved.canToggleGravity)
        player->canToggleGravity(*saved.canToggleGravity);
    play(new Map(m_RManager, saved.mapName, path, player));
}
