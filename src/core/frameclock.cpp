#include "core/frameclock.h"

float FrameClock::getElapsedSeconds() const
{
    return m_fixedStep > 0.f ? m_fixedStep : m_clock.getElapsedTime().asSeconds();
}

void FrameClock::restart()
{
    m_clock.restart();
}

void FrameClock::setFixedStep(float seconds)
{
    m_fixedStep = seconds;
}
