#include "menus/collisions.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

bool collisionSourisSprite(const int& xSouris, const int& ySouris, const sf::Sprite& Sp)
{
    const sf::Vector2f position = Sp.getPosition();
    const sf::IntRect rect = Sp.getTextureRect();
    if (xSouris < position.x || ySouris < position.y || xSouris >= position.x + rect.width ||
        ySouris >= position.y + rect.height)
        return false;
    if (!Sp.getTexture())
        return false;

    const unsigned lx = static_cast<unsigned>(xSouris - position.x);
    const unsigned ly = static_cast<unsigned>(ySouris - position.y);
    const sf::Image image = Sp.getTexture()->copyToImage();
    // The texture rectangle may be larger than the texture (a repeating picture):
    // such points lie on no pixel.
    if (lx >= image.getSize().x || ly >= image.getSize().y)
        return false;
    return image.getPixel(lx, ly).a != 0;
}
