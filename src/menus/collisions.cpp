#include "menus/collisions.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

namespace {

bool insidePicture(int x, int y, const sf::Sprite& sprite)
{
    const sf::Vector2f position = sprite.getPosition();
    const sf::IntRect rect = sprite.getTextureRect();
    return x >= position.x && y >= position.y && x < position.x + rect.width && y < position.y + rect.height;
}

} // namespace

bool collisionSourisSprite(const int& xSouris, const int& ySouris, const sf::Sprite& Sp)
{
    if (!insidePicture(xSouris, ySouris, Sp) || !Sp.getTexture())
        return false;
    return collisionSourisPixels(xSouris, ySouris, Sp, Sp.getTexture()->copyToImage());
}

bool collisionSourisPixels(const int& xSouris, const int& ySouris, const sf::Sprite& Sp, const sf::Image& pixels)
{
    if (!insidePicture(xSouris, ySouris, Sp))
        return false;
    const unsigned lx = static_cast<unsigned>(xSouris - Sp.getPosition().x);
    const unsigned ly = static_cast<unsigned>(ySouris - Sp.getPosition().y);
    // The texture rectangle may be larger than the texture (a repeating picture):
    // such points lie on no pixel.
    if (lx >= pixels.getSize().x || ly >= pixels.getSize().y)
        return false;
    return pixels.getPixel(lx, ly).a != 0;
}
