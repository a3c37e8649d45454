#pragma once

#include "menus/keycap.h"

#include <vector>

class Entity;
class Map;
class PicEntity;
class RessourceManager;
class Trigger;

// What the level draws over its entities to tell the player what can be used and
// what is about to change: the activation key (E unless the player has chosen another)
// over what the character can activate, a
// draining bar under a timed switch that is on, and spikes that blink during their
// last second retracted. All of it is read from the entities' own timers and flags;
// none of it changes what activates what.
class LevelCues
{
public:
    explicit LevelCues(RessourceManager* rm);

    void update(float t);
    // `takesInput`: the level is the top state (no dialogue, terminal or menu over it),
    // the only time the E key reaches it.
    void draw(Map& map, bool takesInput);

    // The spikes a timed switch will raise again when it runs out: retracted spikes
    // its destination reaches, directly or through the scripts it runs.
    static std::vector<PicEntity*> spikesRaisedAtExpiry(Map& map, const Trigger& trigger);

    // Spikes blink during their last second retracted, this many times per second.
    static constexpr float BLINKS_PER_SECOND = 4.f;
    static constexpr float WARNING_SECONDS = 1.f;

private:
    void drawKey(Entity& entity);
    void drawTimeLeft(Entity& trigger, float fraction, bool lastSecond);
    void drawRising(Entity& spikes);

    RessourceManager* m_RManager;
    KeyCap m_key;
    float m_temps; // seconds since the level began, for the key's gentle bob
};
