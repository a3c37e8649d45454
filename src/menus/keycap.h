#pragma once

#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>

class RessourceManager;
namespace sf {
class Texture;
} // namespace sf

// A keyboard key with its name on it, as the game shows the keys a player has chosen:
// the key picture of the controls page stretched to the name's width, as high as the
// controls page's keys.
class KeyCap
{
public:
    explicit KeyCap(RessourceManager* rm);
    KeyCap(const KeyCap&) = delete;
    KeyCap& operator=(const KeyCap&) = delete;
    ~KeyCap();

    float widthOf(sf::Keyboard::Key key);
    // Draws the key with its top-left corner at `at`; returns its width.
    float draw(sf::Keyboard::Key key, sf::Vector2f at);

private:
    RessourceManager* m_RManager;
    const sf::Texture* m_key;
    sf::Text m_name;
};
