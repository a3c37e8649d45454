#pragma once

#include "core/gamestate.h"

#include <SFML/Graphics/Sprite.hpp>

// The controls page; any key release closes it.
class ScreenCommandes : public GameState
{
public:
    explicit ScreenCommandes(RessourceManager* rm);
    ~ScreenCommandes() override = default;

    bool event(const sf::Event& event) override;
    void draw() override;
    void loadScreen();

private:
    int m_idScreen; // pages shown so far
    sf::Sprite m_screen;
};
