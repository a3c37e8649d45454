#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>

// True when the window point lies on a non-transparent pixel of the sprite's picture.
bool collisionSourisSprite(const int& xSouris, const int& ySouris, const sf::Sprite& Sp);
// The same test on the sprite's picture already read back into `pixels`.
bool collisionSourisPixels(const int& xSouris, const int& ySouris, const sf::Sprite& Sp, const sf::Image& pixels);
