#pragma once

#include "resources/manager.h"

#include <SFML/Graphics/Font.hpp>

class Manager_Font : public Manager<sf::Font>
{
protected:
    void load() override;
};
