#pragma once

#include "core/gamestate.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>

class AnimatedSprite;

// The first and lowest state: title, animated mascot and the four buttons.
class MainMenu : public GameState
{
public:
    explicit MainMenu(RessourceManager* rm);
    ~MainMenu() override;

    bool event(const sf::Event& event) override;
    void update(float t) override;
    void draw() override;
    const AnimatedSprite& getMascot() const;

private:
    // The menu's music stops for the slot menus and starts again when the menu shows.
    void leaveForTheSlots();

    bool m_playingBGM;
    float m_tpsAvantClignement; // rest left before the mascot plays again
    sf::Sprite m_background;
    sf::Sprite m_commencer;
    sf::Sprite m_charger;
    sf::Sprite m_quitter;
    sf::Sprite m_titre;
    sf::Sprite m_commandes;
    AnimatedSprite* m_virus; // owned
    sf::Sprite m_options;    // its picture comes with the first drawing, after start-up
    MenuFocus m_focus;
};
