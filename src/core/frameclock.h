#pragma once

#include <SFML/System/Clock.hpp>

// Measures the time since it was last restarted: between two update passes, or over the
// FPS counter's second. The game runs on real time; tests fix the step so that every
// frame lasts exactly the same, or move the clock on instead of waiting.
class FrameClock
{
public:
    float getElapsedSeconds() const;
    void restart();
    // A positive step replaces the measured time; 0 returns to real time.
    void setFixedStep(float seconds);
    // Counts that much more time until the next restart.
    void advance(float seconds);

private:
    sf::Clock m_clock;
    float m_fixedStep = 0.f;
    float m_advanced = 0.f;
};
