#pragma once

#include <SFML/Graphics/Rect.hpp>

namespace sf {
class RenderTarget;
class Texture;
} // namespace sf

// Draws a picture stretched over `area` without stretching its corners: the picture
// is cut `corner` pixels from each edge into nine parts; the corners keep their
// size, the edges stretch along themselves and the middle both ways. Frames and
// keys of any size come from one small picture this way.
void drawNineSlice(sf::RenderTarget& target, const sf::Texture& texture, const sf::FloatRect& area, float corner);
