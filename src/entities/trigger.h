#pragma once

#include "entities/entity.h"

class RessourceManager;
class Sprite;

// What levers and targets share: switched on, they activate their destination,
// show row 1 and click; their timer switches them off again (row 0).
class Trigger : public Entity
{
public:
    // What the timer running out does besides switching the trigger off: the timed kinds
    // click again and activate the destination a second time, undoing its effect.
    enum class Expiry
    {
        SwitchesOff,
        UndoesDestination,
    };

    void activate() override;
    void update(float t) override;
    // The entity it switches; null when the map named an id not loaded before it.
    Entity* getDestination() const;
    // The timed kinds activate their destination again when their timer runs out.
    bool undoesOnExpiry() const;
    // Seconds before the timer switches the trigger off; 0 while it is off, and
    // for a trigger whose activation never expires.
    float getTimeLeft() const;
    float getDelay() const;

protected:
    // Takes ownership of the picture, as every entity does.
    Trigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay, bool shootable,
            Expiry expiry);

    Entity* m_destination; // the level's, not owned; null: the map named an id not loaded before it

private:
    void click();
    void activateDestination();

    Expiry m_expiry;
};

// A target: solid, switched on by a bullet.
class ShootableTrigger : public Trigger
{
public:
    // Takes ownership of the picture, as every entity does.
    ShootableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay,
                     Expiry expiry = Expiry::SwitchesOff);
    void onShoot() override;
};

class TimerShootableTrigger : public ShootableTrigger
{
public:
    // Takes ownership of the picture, as every entity does.
    TimerShootableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay);
};

// A lever: switched on by the activation key or a right click.
class ActivableTrigger : public Trigger
{
public:
    // Takes ownership of the picture, as every entity does.
    ActivableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay,
                     Expiry expiry = Expiry::SwitchesOff);
};

class TimerActivableTrigger : public ActivableTrigger
{
public:
    // Takes ownership of the picture, as every entity does.
    TimerActivableTrigger(RessourceManager* rm, Sprite* sprite, Entity* destination, int x, int y, float delay);
};
