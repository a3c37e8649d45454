#pragma once

#include "resources/manager.h"

#include <SFML/Graphics/Texture.hpp>

class Manager_Texture : public Manager<sf::Texture>
{
protected:
    void load() override;
};
