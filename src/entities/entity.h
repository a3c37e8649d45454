#pragma once

#include <SFML/Graphics/Rect.hpp>

class RessourceManager;
class Sprite;

// The id of no entity: what a dialogue or a script activates when it activates none.
constexpr int NO_ENTITY = -1;

// Scoped: the X11 headers define `None`.
enum class HitboxType
{
    None = 0,
    SpriteFilled = 1,
};

// What an entity is to the character and to bullets. Solid blocks the character and
// stops bullets, deadly hurts the character, shootable reacts to bullets, activable to
// the activation key. Combined with |; an entity built with none is only seen.
enum class EntityFlag : unsigned
{
    Solid = 1u << 0,
    Deadly = 1u << 1,
    Shootable = 1u << 2,
    Activable = 1u << 3,
};

class EntityFlags
{
public:
    constexpr EntityFlags() = default;
    constexpr EntityFlags(EntityFlag flag) : m_bits(static_cast<unsigned>(flag))
    {
    }
    constexpr EntityFlags operator|(EntityFlags other) const
    {
        EntityFlags both;
        both.m_bits = m_bits | other.m_bits;
        return both;
    }
    constexpr bool has(EntityFlag flag) const
    {
        return (m_bits & static_cast<unsigned>(flag)) != 0;
    }

private:
    unsigned m_bits = 0;
};

constexpr EntityFlags operator|(EntityFlag a, EntityFlag b)
{
    return EntityFlags(a) | b;
}

// Every object placed in a level besides the player: a picture, a hitbox derived
// from it, behaviour flags and an activation timer.
class Entity
{
public:
    // Takes ownership of the picture (null: none): deleted, its texture released, with the entity.
    Entity(RessourceManager* rm, Sprite* sprite, HitboxType type, int x, int y, EntityFlags flags, float delay = 0.f);
    // The delay of an activation that lasts until the next one.
    static constexpr float NEVER_EXPIRES = -1.f;

    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;
    virtual ~Entity();

    virtual void draw();
    virtual void update(float t);
    virtual void activate();
    virtual void onShoot();
    virtual void onCollision();
    virtual bool isSolid() const;
    virtual bool isDeadly() const;
    virtual int getDamage() const;
    virtual bool isShootable() const;
    virtual bool isActivable() const;
    virtual sf::FloatRect getHitbox() const;
    // Callers test hasSprite() first: an entity may have been built without picture.
    virtual const Sprite& getSprite() const;
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
    float m_delay; // NEVER_EXPIRES, or the seconds an activation lasts
    sf::FloatRect m_hitbox;
    RessourceManager* m_RManager;
    Sprite* m_sprite; // owned; null: no picture
    HitboxType m_typeHitbox;
};
