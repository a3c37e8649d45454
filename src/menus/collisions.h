#pragma once

namespace sf {
class Image;
class Sprite;
} // namespace sf

// True when the window point lies on a non-transparent pixel of the sprite's picture.
bool collisionSourisSprite(const int& xSouris, const int& ySouris, const sf::Sprite& Sp);
// The same test on the sprite's picture already read back into `pixels`.
bool collisionSourisPixels(const int& xSouris, const int& ySouris, const sf::Sprite& Sp, const sf::Image& pixels);
