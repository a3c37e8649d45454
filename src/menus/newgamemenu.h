#pragma once

#include "menus/slotmenu.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class RessourceManager;
namespace sf {
class Event;
} // namespace sf

// Starts a new game at the first map in the chosen slot. A slot that holds a save asks
// first: a second click on it overwrites it, anything else leaves it alone.
class NewGameMenu : public SlotMenu
{
public:
    explicit NewGameMenu(RessourceManager* rm);

    bool event(const sf::Event& event) override;
    void draw() override;
    // The slot waiting for confirmation, or -1.
    int getSlotToConfirm() const;

protected:
    void chooseSlot(unsigned slot) override;

private:
    void askConfirmation(unsigned slot);
    void startGame(unsigned slot);

    int m_aConfirmer;
    sf::RectangleShape m_cadre;
    sf::Text m_question;
};
