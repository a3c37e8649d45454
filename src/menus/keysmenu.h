#pragma once

#include "core/gamestate.h"
#include "input/action.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstddef>
#include <vector>

class Bindings;

// The keyboard page of the options: each action's keys, one cell per key. Choosing a
// cell waits for the next key released, which takes the cell's place; Escape cancels.
// A key another action of the same screen had goes back to it in exchange.
class KeysMenu : public GameState
{
public:
    explicit KeysMenu(RessourceManager* rm);
    ~KeysMenu() override;

    bool event(const sf::Event& event) override;
    void draw() override;
    // The cell waiting for its new key, or MenuFocus::NONE.
    int getWaitingCell() const;

private:
    struct Cell
    {
        Action action;
        std::size_t slot;
    };

    bool waitForKey(const sf::Event& event);
    void changeBindings(const Bindings& bindings);

    sf::Sprite m_background;
    std::vector<sf::Sprite> m_cells;
    std::vector<Cell> m_cellKeys;
    sf::Sprite m_defaults;
    sf::Sprite m_flecheBack;
    sf::Sprite m_waiting;
    sf::Text m_keyName;
    MenuFocus m_focus; // the cells row by row, then the defaults button and the back arrow
    int m_waitingCell;
};
