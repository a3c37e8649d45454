#include "menus/loadingmenu.h"

#include "core/application.h"
#include "resources/path.h"
#include "resources/ressourcemanager.h"
#include "world/map.h"

#include <fstream>
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
    std::ifstream file(hostPath(path));
    const SavedGame saved = readSavedGame(file);
    if (saved.mapName.empty()) {
        // Starting on no map would later overwrite the slot with a file nothing can read.
        std::cout << " *** ERREUR : Sauvegarde illisible, aucune map :\n    * " << path << std::endl;
        return;
    }
    Player* player = new Player(m_RManager);
    if (saved.canShoot)
        player->peuxTirer(*saved.canShoot);
    if (saved.shootDelay)
        player->setShootDelay(*saved.shootDelay);
    if (saved.canToggleGravity)
        player->canToggleGravity(*saved.canToggleGravity);
    m_RManager->getApplication().addGameState(new Map(m_RManager, saved.mapName, path, player));
}
