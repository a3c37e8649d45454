#pragma once

#include "core/gamestate.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>

#include <istream>
#include <optional>
#include <string>

class Map;

// The save file of slot 0, 1 or 2: "data\saves\01\save.sv" to "data\saves\03\save.sv".
std::string slotPath(unsigned slot);

// What a save file holds. A value it does not provide stays empty.
struct SavedGame
{
    std::string mapName;
    std::optional<bool> canShoot;
    std::optional<float> shootDelay;
    std::optional<bool> canToggleGravity;
};

// Reads a save file as the loading menu restores it: reading stops at the first
// value that cannot be read.
SavedGame readSavedGame(std::istream& file);
// The map a save file names, for the slot menus' icons: the last "[Map]" wins.
std::string readSlotMapName(std::istream& file);

// What the new-game and loading menus share: their background, the back arrow
// and one picture per slot, built from the slots as they are on disk.
class SlotMenu : public GameState
{
public:
    ~SlotMenu() override;

    bool event(const sf::Event& event) override;
    void draw() override;

protected:
    // Empty slots get the empty-slot picture when `showEmptySlots` is set.
    SlotMenu(RessourceManager* rm, const std::string& background, bool showEmptySlots);
    // A released click on the picture of slot 0 to 2.
    virtual void chooseSlot(unsigned slot) = 0;
    // Pushes the level, or drops it when no map of it could be opened: a game is
    // never entered on nothing.
    void play(Map* level);
    // What pressing a button does: a slot (0 to 2), the back arrow (3) or none.
    void press(int button);

    bool m_slot_existe[3];
    std::string m_slot_map[3]; // the map each slot's save names; empty when it names none
    sf::Sprite m_background;
    sf::Sprite m_flecheBack;
    sf::Sprite m_slot_icon[3];
    MenuFocus m_focus; // the three slots, then the back arrow

private:
    void scanSlot(unsigned slot, bool showEmptySlots);
};
