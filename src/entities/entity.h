#pragma once

#include "graphics/sprite.h"

#include <SFML/Graphics/Rect.hpp>

class RessourceManager;

enum HitboxType
{
    None = 0,
    SpriteFilled = 1,
};

// Every object placed in a level besides the player: a picture, a hitbox derived
// from it, behaviour flags and an activation timer.
class Entity
{
public:
    Entity(RessourceManager* rm, Sprite* sprite, HitboxType type, int x, int y, bool solid, bool deadly, bool shootable,
           bool activable, float delay);
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;
    virtual ~Entity();

    virtual void draw();
    virtual void update(float t);
    virtual void activate();
    virtual void onShoot();
    virtual void onCollision();
    virtual bool isSolid();
    virtual bool isDeadly();
    virtual int getDamage();
    virtual bool isShootable();
    virtual bool isActivable();
    virtual sf::FloatRect getHitbox();
    // Callers test hasSprite() first: an entity may have been built without picture.
    virtual const Sprite& getSprite();
    virtual void setVisible(bool visible);
    virtual void refreshHitbox();

    bool hasSprite() const;
    bool isVisible() const;
    bool isActive() const;

protected:
    // Advances the activation timer; true when it has just run out.
    bool runTimer(float t);
    // Steps the picture, recomputing the hitbox when it shows another frame.
    void updateSprite(float t);

    bool m_solid;
    bool m_deadly;
    bool m_shootable;
    bool m_activable;
    bool m_visible;
    int m_damageAmount;
    bool m_active;
    float m_tpsDepuisActivation;
    float m_delay; // exactly -1: an activation never expires
    sf::FloatRect m_hitbox;
    RessourceManager* m_RManager;
    Sprite* m_sprite;
    HitboxType m_typeHitbox;
};
