#include "menus/slotmenu.h"

#include "core/application.h"
#include "resources/contentfile.h"
#include "resources/ressourcemanager.h"
#include "resources/savefile.h"
#include "world/map.h"

#include <iostream>

namespace {

const char* const EMPTY_SLOT = "data\\graphics\\window\\newGameMenu\\slot.png";
const sf::Vector2f OCCUPIED_POSITION[3] = {{348, 212}, {348, 303}, {348, 396}};
const sf::Vector2f EMPTY_POSITION[3] = {{347, 211}, {347, 302}, {347, 395}};
// A save is there, but its map cannot be opened.
const char* const UNREADABLE_SLOT = "data\\graphics\\window\\newGameMenu\\slotIllisible.png";
// A save is there and its map opens, but the map has no icon of its own.
const char* const ICONLESS_SLOT = "data\\graphics\\window\\newGameMenu\\slotSansIcone.png";

} // namespace

SlotMenu::SlotMenu(RessourceManager* rm, const std::string& background, bool showEmptySlots)
    : GameState(rm, true, true),
      m_focus(rm)
{
    m_background.setTexture(m_RManager->getTexture(background));
    m_flecheBack.setTexture(m_RManager->getTexture("data\\graphics\\window\\flecheBack.png"));
    m_flecheBack.setPosition(5, 5);
    for (unsigned slot = 0; slot < 3; ++slot) {
        scanSlot(slot, showEmptySlots);
        m_focus.add(m_slot_icon[slot], static_cast<int>(slot));
    }
    // Last, so that walking starts on the first slot; up from it reaches the arrow above.
    m_focus.add(m_flecheBack, 3);
}

void SlotMenu::scanSlot(unsigned slot, bool showEmptySlots)
{
    std::unique_ptr<std::istream> file = openContentFile(slotPath(slot));
    m_slot_existe[slot] = file != nullptr;
    std::string& mapName = m_slot_map[slot];
    if (file) {
        std::cout << " -- Loading Menu : Slot " << slot + 1 << " present" << std::endl;
        mapName = readSlotMapName(*file);
    } else {
        std::cout << " -*- Loading Menu : Slot " << slot + 1 << " non present" << std::endl;
    }
    if (!mapName.empty() && !Map::canOpen(mapName))
        // A game that cannot be resumed is still a game: marked, never shown as free.
        showSlot(slot, UNREADABLE_SLOT, EMPTY_POSITION[slot]);
    else if (!mapName.empty())
        showSavedGame(slot, mapName);
    else if (showEmptySlots)
        // A slot whose file names no map holds nothing to resume: it can take a new game.
        showSlot(slot, EMPTY_SLOT, EMPTY_POSITION[slot]);
}

void SlotMenu::showSavedGame(unsigned slot, const std::string& mapName)
{
    const std::string icon = "data\\graphics\\map\\" + mapName + "\\mapIcon.png";
    showSlot(slot, icon, OCCUPIED_POSITION[slot]);
    if (m_slot_icon[slot].getTexture()->getSize().x > 0)
        return;
    // Without a picture the slot could be neither seen nor chosen: the game saved there
    // would look lost, and the slot could take no new game either.
    m_RManager->killTexture(icon);
    showSlot(slot, ICONLESS_SLOT, EMPTY_POSITION[slot]);
}

void SlotMenu::showSlot(unsigned slot, const std::string& picture, sf::Vector2f position)
{
    m_slot_icon[slot].setTexture(m_RManager->getTexture(picture), true);
    m_slot_icon[slot].setPosition(position);
}

void SlotMenu::play(Map* level)
{
    if (level->hasMap()) {
        m_RManager->getApplication().addGameState(level);
        return;
    }
    // The map reader has said why; the slot keeps its file and the player stays here.
    delete level;
}

SlotMenu::~SlotMenu()
{
    m_RManager->killTexture(m_background.getTexture());
    m_RManager->killTexture(m_flecheBack.getTexture());
    for (const sf::Sprite& icon : m_slot_icon)
        if (icon.getTexture())
            m_RManager->killTexture(icon.getTexture());
}

bool SlotMenu::event(const sf::Event& event)
{
    if (m_RManager->getInput().released(event, Action::MenuBack)) {
        m_RManager->getApplication().popGameState();
        return true;
    }
    press(m_focus.event(event));
    // The menu may be gone by now: answer without touching it.
    return true;
}

void SlotMenu::press(int button)
{
    if (button >= 0 && button < 3)
        chooseSlot(static_cast<unsigned>(button));
    else if (button == 3)
        m_RManager->getApplication().popGameState();
}

void SlotMenu::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_background);
    for (const sf::Sprite& icon : m_slot_icon)
        if (icon.getTexture())
            window.draw(icon);
    window.draw(m_flecheBack);
    m_focus.draw();
}
