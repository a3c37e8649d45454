#include "entities/trigger.h"

#include "resources/ressourcemanager.h"

namespace {

const char* const CLICK = "data\\sounds\\trigger.ogg";

} // namespace

Trigger::Trigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay, bool shootable)
    : Entity(rm, sprite, HitboxType::SpriteFilled, x, y,
             shootable ? EntityFlag::Solid | EntityFlag::Shootable : EntityFlags(EntityFlag::Activable), delay),
      m_destination(destination)
{
}

void Trigger::activate()
{
    if (m_active)
        return;
    activateDestination();
    m_active = true;
    if (m_sprite)
        m_sprite->setEtatY(1);
    click();
}

void Trigger::update(float t)
{
    if (runTimer(t) && m_sprite)
        m_sprite->setEtatY(0);
    updateSprite(t);
}

Entity* Trigger::getDestination() const
{
    return m_destination;
}

void Trigger::updateUndoingOnExpiry(float t)
{
    const bool wasOn = m_active;
    Trigger::update(t);
    if (wasOn != m_active) {
        click();
        activateDestination();
    }
}

bool Trigger::undoesOnExpiry() const
{
    return false;
}

float Trigger::getTimeLeft() const
{
    if (!m_active || m_delay == NEVER_EXPIRES)
        return 0.f;
    return m_delay - m_tpsDepuisActivation;
}

float Trigger::getDelay() const
{
    return m_delay;
}

void Trigger::click()
{
    m_RManager->playSound(CLICK);
}

void Trigger::activateDestination()
{
    if (m_destination)
        m_destination->activate();
}

ShootableTrigger::ShootableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay)
    : Trigger(rm, sprite, destination, x, y, delay, true)
{
}

void ShootableTrigger::onShoot()
{
    activate();
}

TimerShootableTrigger::TimerShootableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y,
                                             float delay)
    : ShootableTrigger(rm, sprite, destination, x, y, delay)
{
}

void TimerShootableTrigger::update(float t)
{
    updateUndoingOnExpiry(t);
}

bool TimerShootableTrigger::undoesOnExpiry() const
{
    return true;
}

ActivableTrigger::ActivableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay)
    : Trigger(rm, sprite, destination, x, y, delay, false)
{
}

TimerActivableTrigger::TimerActivableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y,
                                             float delay)
    : ActivableTrigger(rm, sprite, destination, x, y, delay)
{
}

void TimerActivableTrigger::update(float t)
{
    updateUndoingOnExpiry(t);
}

bool TimerActivableTrigger::undoesOnExpiry() const
{
    return true;
}
