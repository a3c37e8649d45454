#include "world/authoroverlay.h"

#include "entities/bullet.h"
#include "graphics/sprite.h"
#include "player/player.h"
#include "resources/ressourcemanager.h"
#include "world/map.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <string>

namespace {

const sf::Color GRID_LINE(255, 255, 255, 35);
const sf::Color GRID_HUNDRED(255, 255, 255, 80);
const sf::Color SOLID(255, 70, 70);
const sf::Color DEADLY(255, 0, 255);
const sf::Color ACTIVABLE(255, 220, 40);
const sf::Color PASSING(60, 220, 255); // collides with nothing that stops the character
const sf::Color CHARACTER(80, 255, 120);

sf::Color colourOf(Entity& entity)
{
    if (entity.isDeadly())
        return DEADLY;
    if (entity.isActivable())
        return ACTIVABLE;
    return entity.isSolid() ? SOLID : PASSING;
}

void addLine(sf::VertexArray& lines, sf::Vector2f from, sf::Vector2f to, const sf::Color& colour)
{
    lines.append(sf::Vertex(from, colour));
    lines.append(sf::Vertex(to, colour));
}

} // namespace

AuthorOverlay::AuthorOverlay(RessourceManager* rm) : m_RManager(rm), m_grid(sf::Lines)
{
    const sf::Vector2f size = m_RManager->getWindow().getView().getSize();
    for (int x = GRID; x < size.x; x += GRID)
        addLine(m_grid, {x + 0.5f, 0.f}, {x + 0.5f, size.y}, x % 100 == 0 ? GRID_HUNDRED : GRID_LINE);
    for (int y = GRID; y < size.y; y += GRID)
        addLine(m_grid, {0.f, y + 0.5f}, {size.x, y + 0.5f}, y % 100 == 0 ? GRID_HUNDRED : GRID_LINE);
    m_label.setFont(m_RManager->getFont("data\\fonts\\dialogue.ttf"));
    m_label.setCharacterSize(11);
    m_label.setOutlineColor(sf::Color::Black);
    m_label.setOutlineThickness(1.f);
}

void AuthorOverlay::draw(Map& map)
{
    m_RManager->getWindow().draw(m_grid);
    drawHitboxes(map);
    const sf::Vector2i pointer = m_RManager->getMousePosition();
    const sf::Vector2f size = m_RManager->getWindow().getView().getSize();
    // Beside the pointer, kept inside the window near its edges.
    const sf::Vector2f at(std::min(static_cast<float>(pointer.x) + 14.f, size.x - 90.f),
                          std::min(static_cast<float>(pointer.y) + 14.f, size.y - 16.f));
    label(std::to_string(pointer.x) + ", " + std::to_string(pointer.y), at, sf::Color::White);
}

void AuthorOverlay::drawHitboxes(Map& map)
{
    for (auto& entry : map.getEntities()) {
        Entity& entity = *entry.second;
        const sf::FloatRect box = entity.getHitbox();
        const bool hasBox = box.width > 0.f && box.height > 0.f;
        if (hasBox)
            outline(box, colourOf(entity));
        // An entity without a box (an open door, the entry) is named where its picture is.
        if (hasBox || entity.hasSprite())
            label(std::to_string(entry.first),
                  hasBox ? sf::Vector2f(box.left, box.top) : entity.getSprite().getPosition(), colourOf(entity));
    }
    for (Bullet* bullet : map.getBullets())
        outline(bullet->getHitbox(), SOLID);
    outline(map.getPlayer()->getHitbox(), CHARACTER);
}

void AuthorOverlay::outline(const sf::FloatRect& box, const sf::Color& colour)
{
    sf::RectangleShape shape({box.width - 2.f, box.height - 2.f});
    shape.setPosition(box.left + 1.f, box.top + 1.f);
    shape.setFillColor(sf::Color::Transparent);
    shape.setOutlineColor(colour);
    shape.setOutlineThickness(1.f);
    m_RManager->getWindow().draw(shape);
}

void AuthorOverlay::label(const std::string& text, sf::Vector2f at, const sf::Color& colour)
{
    m_label.setString(text);
    m_label.setFillColor(colour);
    m_label.setPosition(at.x + 2.f, at.y + 1.f);
    m_RManager->getWindow().draw(m_label);
}
