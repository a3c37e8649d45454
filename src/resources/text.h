#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/String.hpp>

#include <string>

namespace sf {
class Text;
} // namespace sf

// Texts of the data files are 8-bit. Older files are ISO 8859-1 (the byte 0xE0 is "à");
// a text editor today writes UTF-8. A text that is valid UTF-8 is read as UTF-8,
// anything else as ISO 8859-1, so both show the same letters.
sf::String toDisplayString(const std::string& bytes);

// Places one line of text in the middle of the box, on whole pixels.
void centreText(sf::Text& text, const sf::FloatRect& box);

// Gives the text the largest character size up to `largest` (and down to `smallest`)
// at which its one line fits in `width`.
void fitTextWidth(sf::Text& text, float width, unsigned largest, unsigned smallest);
