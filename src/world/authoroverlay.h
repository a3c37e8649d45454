#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

class Map;
class RessourceManager;
namespace sf {
class Color;
} // namespace sf

// What a map author needs to see while trying a map out (F3 in a level): a 20-pixel
// grid, the pointer's coordinates, every hitbox outlined and each entity's id. It only
// draws; the level plays exactly as without it.
class AuthorOverlay
{
public:
    explicit AuthorOverlay(RessourceManager* rm);

    void draw(Map& map);

    static constexpr int GRID = 20;

private:
    void drawGrid();
    void drawHitboxes(Map& map);
    void outline(const sf::FloatRect& box, const sf::Color& colour);
    void label(const std::string& text, sf::Vector2f at, const sf::Color& colour);

    RessourceManager* m_RManager;
    sf::VertexArray m_grid;
    sf::Text m_label;
};
