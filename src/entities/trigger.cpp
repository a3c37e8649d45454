#include "entities/trigger.h"

#include "graphics/sprite.h"
#include "resources/ressourcemanager.h"

namespace {

const char* const CLICK = "data\\sounds\\trigger.ogg";

} // namespace

Trigger::Trigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay, bool shootable,
                 Expiry expiry)
    : Entity(rm, sprite, HitboxType::SpriteFilled, x, y,
             shootable ? EntityFlag::Solid | EntityFlag::Shootable : EntityFlags(EntityFlag::Activable), delay),
      m_destination(destination),
      m_expiry(expiry)
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
    const bool expired = runTimer(t);
    if (expired && m_sprite)
        m_sprite->setEtatY(0);
    updateSprite(t);
    if (expired && undoesOnExpiry()) {
        click();
        activateDestination();
    }
}

Entity* Trigger::getDestination() const
{
    return m_destination;
}

bool Trigger::undoesOnExpiry() const
{
    return m_expiry == Expiry::UndoesDestination;
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

ShootableTrigger::ShootableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay,
                                   Expiry expiry)
    : Trigger(rm, sprite, destination, x, y, delay, true, expiry)
{
}

void ShootableTrigger::onShoot()
{
    activate();
}

TimerShootableTrigger::TimerShootableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y,
                                             float delay)
    : ShootableTrigger(rm, sprite, destination, x, y, delay, Expiry::UndoesDestination)
{
}

ActivableTrigger::ActivableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay,
                                   Expiry expiry)
    : Trigger(rm, sprite, destination, x, y, delay, false, expiry)
{
}

TimerActivableTrigger::TimerActivableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y,
                                             float delay)
    : ActivableTrigger(rm, sprite, destination, x, y, delay, Expiry::UndoesDestination)
{
}
