#pragma once

#include <SFML/System/Clock.hpp>

// Measures the time between two update passes. The game runs on real time; scenario
// tests fix the step so that every frame lasts exactly the same.
class FrameClock
{
public:
    float getElapsedSeconds() const;
    void restart();
    // A positive step replaces the measured time; 0 returns to real time.
    void setFixedStep(float seconds);

private:
    sf::Clock m_clock;
    float m_fixedStep = 0.f;
};
