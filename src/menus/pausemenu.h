#pragma once

#include "core/gamestate.h"
#include "menus/arrowcursor.h"
#include "menus/menufocus.h"

#include <SFML/Graphics/Sprite.hpp>

// Shown over a level or a dialogue: the music pauses and the game is frozen below.
class PauseMenu : public GameState
{
public:
    explicit PauseMenu(RessourceManager* rm);
    ~PauseMenu() override;

    bool event(const sf::Event& event) override;
    void draw() override;

private:
    sf::Sprite m_background;
    sf::Sprite m_continuer;
    sf::Sprite m_retourMenuPrincipal;
    sf::Sprite m_commandes;
    sf::Sprite m_options;
    MenuFocus m_focus;
    ArrowCursor m_fleche;
};
