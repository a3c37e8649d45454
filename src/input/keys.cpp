#include "input/keys.h"

#include <array>

namespace {

using Key = sf::Keyboard::Key;

struct KeyName
{
    Key key;
    const char* token;
    const char* label;
};

// Letters, digits, keypad digits and function keys are named by rule below.
const std::array<KeyName, 40> NAMED = {{
    {sf::Keyboard::Escape, "Escape", "Échap"},
    {sf::Keyboard::LControl, "LControl", "Ctrl gauche"},
    {sf::Keyboard::LShift, "LShift", "Maj gauche"},
    {sf::Keyboard::LAlt, "LAlt", "Alt"},
    {sf::Keyboard::LSystem, "LSystem", "Système gauche"},
    {sf::Keyboard::RControl, "RControl", "Ctrl droit"},
    {sf::Keyboard::RShift, "RShift", "Maj droite"},
    {sf::Keyboard::RAlt, "RAlt", "Alt Gr"},
    {sf::Keyboard::RSystem, "RSystem", "Système droit"},
    {sf::Keyboard::Menu, "Menu", "Menu"},
    {sf::Keyboard::LBracket, "LBracket", "["},
    {sf::Keyboard::RBracket, "RBracket", "]"},
    {sf::Keyboard::Semicolon, "Semicolon", ";"},
    {sf::Keyboard::Comma, "Comma", ","},
    {sf::Keyboard::Period, "Period", "."},
    {sf::Keyboard::Quote, "Quote", "'"},
    {sf::Keyboard::Slash, "Slash", "/"},
    {sf::Keyboard::Backslash, "Backslash", "\\"},
    {sf::Keyboard::Tilde, "Tilde", "~"},
    {sf::Keyboard::Equal, "Equal", "="},
    {sf::Keyboard::Hyphen, "Hyphen", "-"},
    {sf::Keyboard::Space, "Space", "Espace"},
    {sf::Keyboard::Enter, "Return", "Entrée"},
    {sf::Keyboard::Backspace, "BackSpace", "Retour arrière"},
    {sf::Keyboard::Tab, "Tab", "Tab"},
    {sf::Keyboard::PageUp, "PageUp", "Page préc."},
    {sf::Keyboard::PageDown, "PageDown", "Page suiv."},
    {sf::Keyboard::End, "End", "Fin"},
    {sf::Keyboard::Home, "Home", "Début"},
    {sf::Keyboard::Insert, "Insert", "Inser"},
    {sf::Keyboard::Delete, "Delete", "Suppr"},
    {sf::Keyboard::Add, "Add", "Pavé +"},
    {sf::Keyboard::Subtract, "Subtract", "Pavé -"},
    {sf::Keyboard::Multiply, "Multiply", "Pavé *"},
    {sf::Keyboard::Divide, "Divide", "Pavé /"},
    {sf::Keyboard::Left, "Left", "←"},
    {sf::Keyboard::Right, "Right", "→"},
    {sf::Keyboard::Up, "Up", "↑"},
    {sf::Keyboard::Down, "Down", "↓"},
    {sf::Keyboard::Pause, "Pause", "Pause"},
}};

bool inRange(Key key, Key first, Key last)
{
    return key >= first && key <= last;
}

// Letters, digits and keypad digits: a prefix and one character counted from the first key.
std::string ruledToken(Key key)
{
    if (inRange(key, sf::Keyboard::A, sf::Keyboard::Z))
        return std::string(1, static_cast<char>('A' + (key - sf::Keyboard::A)));
    if (inRange(key, sf::Keyboard::Num0, sf::Keyboard::Num9))
        return "Num" + std::string(1, static_cast<char>('0' + (key - sf::Keyboard::Num0)));
    if (inRange(key, sf::Keyboard::Numpad0, sf::Keyboard::Numpad9))
        return "Numpad" + std::string(1, static_cast<char>('0' + (key - sf::Keyboard::Numpad0)));
    return "";
}

} // namespace

std::string keyToken(Key key)
{
    for (const KeyName& name : NAMED)
        if (name.key == key)
            return name.token;
    return ruledToken(key);
}

Key keyFromToken(const std::string& token)
{
    for (int code = 0; code < sf::Keyboard::KeyCount; ++code) {
        const Key key = static_cast<Key>(code);
        if (!token.empty() && keyToken(key) == token)
            return key;
    }
    return sf::Keyboard::Unknown;
}

std::string keyLabel(Key key)
{
    for (const KeyName& name : NAMED)
        if (name.key == key)
            return name.label;
    const std::string token = ruledToken(key);
    if (inRange(key, sf::Keyboard::Numpad0, sf::Keyboard::Numpad9))
        return "Pavé " + token.substr(6);
    if (inRange(key, sf::Keyboard::Num0, sf::Keyboard::Num9))
        return token.substr(3);
    return token.empty() ? "?" : token;
}

bool canBeBound(Key key)
{
    return key != sf::Keyboard::Unknown && key != sf::Keyboard::Escape &&
           !inRange(key, sf::Keyboard::F1, sf::Keyboard::F15) && !keyToken(key).empty();
}
