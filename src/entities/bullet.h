#pragma once

#include "entities/entity.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

class RessourceManager;

// A shot of the player: flies straight at a constant speed until the level stops it.
class Bullet : public Entity
{
public:
    // `shot` holds the start point in its left and top, the direction in its width and height.
    Bullet(RessourceManager* rm, int damage, sf::FloatRect shot);

    void update(float t) override;
    sf::Vector2f getPosition() const;
    // True when the bullet lies outside `area` and flies away from it: it can never reach it again.
    bool hasLeft(const sf::FloatRect& area) const;

private:
    float m_vitesse;
    float m_ratioX;
    float m_ratioY;
};
