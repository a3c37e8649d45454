#pragma once

#include "core/gamestate.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>

#include <string>

class Map;

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
    // Takes ownership of the level: pushes it, or deletes it when no map of it could be
    // opened, so that a game is never entered on nothing.
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
    void showSavedGame(unsigned slot, const std::string& mapName);
    void showSlot(unsigned slot, const std::string& picture, sf::Vector2f position);
};
