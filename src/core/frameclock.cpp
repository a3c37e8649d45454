#include "core/frameclock.h"

float FrameClock::getElapsedSeconds() const
{
    return (m_fixedStep > 0.f ? m_fixedStep : m_clock.getElapsedTime().asSeconds()) + m_advanced;
}

void FrameClock::restart()
{
    m_clock.restart();
    m_advanced = 0.f;
}

void FrameClock::advance(float seconds)
{
    m_advanced += seconds;
}

void FrameClock::setFixedStep(float seconds)
{
    m_fixedStep = seconds;
}
