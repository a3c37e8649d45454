#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <vector>

class RessourceManager;
namespace sf {
class Event;
class Sprite;
class Texture;
} // namespace sf

// Which button of a screen the keyboard or the pad has chosen, shown with a frame.
// The arrows, the cross and the left stick walk the buttons, Return or the south
// button presses the chosen one, and pointing at a button chooses it. No button is
// chosen before the player walks or points, so that a key released on a screen
// that has just opened never presses a button by surprise.
class MenuFocus
{
public:
    static constexpr int NONE = -1;

    explicit MenuFocus(RessourceManager* rm);
    MenuFocus(const MenuFocus&) = delete;
    MenuFocus& operator=(const MenuFocus&) = delete;
    ~MenuFocus();

    // Adds a button; the buttons of one row sit side by side: up and down go from
    // row to row, left and right along a row. A button without a picture is skipped.
    void add(const sf::Sprite& button, int row);
    // The button the event presses: released on with any mouse button, or chosen
    // and confirmed; NONE for any other event (which may still move the focus).
    int event(const sf::Event& event);
    int getFocus() const;
    void setFocus(int button);
    // The frame around the chosen button, if any.
    void draw();

private:
    struct Button
    {
        const sf::Sprite* sprite;
        int row;
        sf::Image pixels; // read back once, for pointing: moving the mouse reads no texture
        const sf::Texture* pixelsOf;
        sf::FloatRect visible; // the part of the picture that shows
    };

    bool isShown(int button) const;
    void walk(int rows, int columns);
    // The rows that show a button, in order.
    std::vector<int> shownRows() const;
    // How many shown buttons come before this one in its row.
    int placeInRow(int button) const;
    // The shown button at that place in the row, or its last one when the row is shorter.
    int inRow(int row, int place) const;
    int pointedAt(int x, int y);
    // The button's picture read back, with the part that shows, once per picture.
    const sf::Image& pixels(Button& button);

    RessourceManager* m_RManager;
    std::vector<Button> m_buttons;
    int m_focus;
    const sf::Texture* m_frame; // loaded the first time a frame is shown
};
