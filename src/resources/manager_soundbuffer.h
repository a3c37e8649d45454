#pragma once

#include "resources/manager.h"

#include <SFML/Audio.hpp>

class Manager_SoundBuffer : public Manager<sf::SoundBuffer>
{
protected:
    void load() override;
};
