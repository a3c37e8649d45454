#pragma once

#include <SFML/Window/Keyboard.hpp>

#include <string>

// How a keyboard key is written in the options file ("Q", "Space", "LShift"): empty
// for a key the game cannot name.
std::string keyToken(sf::Keyboard::Key key);
// The key a token names; Unknown when it names none.
sf::Keyboard::Key keyFromToken(const std::string& token);
// How a key is shown to the player, in French and in UTF-8 ("Espace", "Maj gauche").
std::string keyLabel(sf::Keyboard::Key key);
// Whether a player may give the key to an action: Escape cancels the choice, and
// the function keys belong to the application.
bool canBeBound(sf::Keyboard::Key key);
