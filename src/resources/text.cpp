#include "resources/text.h"

#include <SFML/Graphics/Text.hpp>

#include <cmath>

namespace {

// Length of the UTF-8 sequence starting at `lead`, or 0 when `lead` cannot start one.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Decodes `bytes` as UTF-8 into `out`; false when they are not valid UTF-8
// (bad lead byte, truncated or over-long sequence, surrogate, beyond U+10FFFF).
bool decodeUtf8(const std::string& bytes, std::u32string& out)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || i + length > bytes.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if (!isContinuation(c))
                return false;
            code = (code << 6) | (c & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        out.push_back(code);
        i += length;
    }
    return true;
}

} // namespace

sf::String toDisplayString(const std::string& bytes)
{
    std::u32string decoded;
    if (!decodeUtf8(bytes, decoded)) {
        decoded.clear();
        for (char c : bytes)
            decoded.push_back(static_cast<unsigned char>(c));
    }
    return sf::String::fromUtf32(decoded.begin(), decoded.end());
}

void centreText(sf::Text& text, const sf::FloatRect& box)
{
    // Across, the letters' ink; up and down, the height of a capital, so that names with
    // and without descenders ("Espace", "E") stand on the same line.
    const sf::FloatRect ink = text.getLocalBounds();
    const unsigned size = text.getCharacterSize();
    const sf::FloatRect capital = text.getFont() ? text.getFont()->getGlyph('X', size, false).bounds : ink;
    const float capitalTop = static_cast<float>(size) + capital.top;
    text.setPosition(std::round(box.left + (box.width - ink.width) / 2 - ink.left),
                     std::round(box.top + (box.height - capital.height) / 2 - capitalTop));
}

void fitTextWidth(sf::Text& text, float width, unsigned largest, unsigned smallest)
{
    unsigned size = largest;
    text.setCharacterSize(size);
    while (size > smallest && text.getLocalBounds().width > width)
        text.setCharacterSize(--size);
}
