#pragma once

#include "resources/manager.h"

#include <SFML/Audio/SoundBuffer.hpp>

class Manager_SoundBuffer : public Manager<sf::SoundBuffer>
{
protected:
    void load() override;
};
