#include "graphics/nineslice.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>

void drawNineSlice(sf::RenderTarget& target, const sf::Texture& texture, const sf::FloatRect& area, float corner)
{
    const sf::Vector2f size(texture.getSize());
    // The cuts, left to right and top to bottom, in the area and in the picture.
    const float xs[4] = {area.left, area.left + corner, area.left + area.width - corner, area.left + area.width};
    const float ys[4] = {area.top, area.top + corner, area.top + area.height - corner, area.top + area.height};
    const float us[4] = {0.f, corner, size.x - corner, size.x};
    const float vs[4] = {0.f, corner, size.y - corner, size.y};
    sf::VertexArray parts(sf::Quads, 36);
    std::size_t v = 0;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int corners[4][2] = {{column, row}, {column + 1, row}, {column + 1, row + 1}, {column, row + 1}};
            for (const auto& c : corners)
                parts[v++] = sf::Vertex({xs[c[0]], ys[c[1]]}, {us[c[0]], vs[c[1]]});
        }
    }
    target.draw(parts, &texture);
}
