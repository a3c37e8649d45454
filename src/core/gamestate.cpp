#include "core/gamestate.h"

GameState::GameState(RessourceManager* rm, bool modal, bool opaque) : m_RManager(rm), m_modal(modal), m_opaque(opaque)
{
}

bool GameState::event(const sf::Event&)
{
    return m_modal;
}

void GameState::update(float)
{
}

void GameState::draw()
{
}

bool GameState::isModal() const
{
    return m_modal;
}

bool GameState::isOpaque() const
{
    return m_opaque;
}
