#pragma once

#include "core/gamestate.h"
#include "menus/arrowcursor.h"
#include "menus/keycap.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <bitset>
#include <cstddef>
#include <string>

class Sprite;

// Between two maps: after half a second any key press enters the next map.
class MapInterlude : public GameState
{
public:
    MapInterlude(RessourceManager* rm, std::string nextLevelName);
    ~MapInterlude() override;

    bool event(const sf::Event& event) override;
    void update(float t) override;
    void draw() override;
    bool canBePassed() const;

private:
    // A press counts only when its key went down while the screen was shown: a key held
    // since before (walking into the exit) and its key repeat never pass it.
    bool isFreshPress(sf::Keyboard::Key key);

    std::string m_nextLevelName;
    float m_tempsBloque; // seconds left before the screen can be passed
    bool m_peuxEtrePasse;
    Sprite* m_background; // owned
    std::bitset<sf::Keyboard::KeyCount> m_keysDown;
    ArrowCursor m_fleche;
};

// The character is dead: restart the map, or leave for the main menu.
class GameOver : public GameState
{
public:
    explicit GameOver(RessourceManager* rm);
    ~GameOver() override;

    bool event(const sf::Event& event) override;
    void draw() override;

private:
    std::string m_levelName;
    sf::Sprite m_recommencer;
    sf::Sprite m_retourMenu;
    Sprite* m_background; // owned
    MenuFocus m_focus;
    ArrowCursor m_fleche;
};

// The controls page, with the keys the player has chosen; any key release closes it.
class ScreenCommandes : public GameState
{
public:
    explicit ScreenCommandes(RessourceManager* rm);

    bool event(const sf::Event& event) override;
    void draw() override;
    void loadScreen();

private:
    void drawKeys(std::size_t action);

    int m_idScreen; // pages shown so far
    sf::Sprite m_screen;
    KeyCap m_key;
};

// After the last map: the closing words and the credits. From here the player goes
// back to the main menu, or starts a new journey from the first map in the same slot.
class ScreenFin : public GameState
{
public:
    explicit ScreenFin(RessourceManager* rm);
    ~ScreenFin() override;

    bool event(const sf::Event& event) override;
    void draw() override;

private:
    void startAgain();

    sf::Sprite m_background;
    sf::Sprite m_retourMenu;
    sf::Sprite m_rejouer;
    MenuFocus m_focus;
    ArrowCursor m_fleche;
};
