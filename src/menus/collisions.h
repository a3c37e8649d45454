#pragma once

#include <SFML/Graphics/Sprite.hpp>

// True when the window point lies on a non-transparent pixel of the sprite's picture.
bool collisionSourisSprite(const int& xSouris, const int& ySouris, const sf::Sprite& Sp);
