#pragma once

#include "core/gamestate.h"
#include "menus/layout.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

// The button that opens the options, in the main menu and in the pause menu.
extern const char* const OPTIONS_BUTTON;

// The pages the main menu and the pause menu both offer: opens the controls page or the
// options when `button` is the menu's button for one of them, and says whether it did.
bool openSharedPage(RessourceManager* rm, int button, int controlsButton, int optionsButton);

// The volumes, full screen, the FPS counter and the way to the keyboard page. Every
// change applies at once and is kept in the options file.
class OptionsMenu : public GameState
{
public:
    explicit OptionsMenu(RessourceManager* rm);
    ~OptionsMenu() override;

    bool event(const sf::Event& event) override;
    void draw() override;

private:
    // -1 or 1 when the event moves the chosen row's value with an arrow, else 0.
    int arrowStep(const sf::Event& event) const;
    // Moves the row's value one step: a volume by ten points, between 0 and 100, a
    // switch to its other side.
    void change(int row, int step);
    // What a button pressed on a row does (a click on the left of a value lowers it).
    void press(int row, const sf::Event& event);

    sf::Sprite m_background;
    sf::Sprite m_rows[optionsLayout::ROW_COUNT];
    sf::Sprite m_flecheBack;
    sf::Text m_value;
    MenuFocus m_focus; // the rows, then the back arrow
};
