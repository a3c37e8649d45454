#include "entities/entity.h"

#include "graphics/sprite.h"
#include "resources/ressourcemanager.h"

#include <SFML/Graphics/RenderWindow.hpp>

Entity::Entity(RessourceManager* rm, Sprite* sprite, HitboxType type, int x, int y, EntityFlags flags, float delay)
    : m_solid(flags.has(EntityFlag::Solid)),
      m_deadly(flags.has(EntityFlag::Deadly)),
      m_shootable(flags.has(EntityFlag::Shootable)),
      m_activable(flags.has(EntityFlag::Activable)),
      m_visible(true),
      m_damageAmount(9999),
      m_active(false),
      m_tpsDepuisActivation(0.f),
      m_delay(delay),
      m_hitbox(0, 0, 0, 0),
      m_RManager(rm),
      m_sprite(sprite),
      m_typeHitbox(type)
{
    if (m_sprite) {
        m_sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
        Entity::refreshHitbox();
    }
}

Entity::~Entity()
{
    if (m_sprite) {
        m_RManager->killTexture(m_sprite->getTexture());
        delete m_sprite;
    }
}

void Entity::draw()
{
    if (m_sprite && m_visible)
        m_RManager->getWindow().draw(*m_sprite);
}

void Entity::update(float t)
{
    runTimer(t);
    updateSprite(t);
}

bool Entity::runTimer(float t)
{
    if (!m_active || m_delay == NEVER_EXPIRES)
        return false;
    m_tpsDepuisActivation += t;
    if (m_tpsDepuisActivation < m_delay)
        return false;
    m_active = false;
    m_tpsDepuisActivation = 0.f;
    return true;
}

void Entity::updateSprite(float t)
{
    if (m_sprite && m_sprite->update(t))
        refreshHitbox();
}

void Entity::activate()
{
}

void Entity::onShoot()
{
}

void Entity::onCollision()
{
}

bool Entity::isSolid() const
{
    return m_solid;
}

bool Entity::isDeadly() const
{
    return m_deadly;
}

int Entity::getDamage() const
{
    return m_damageAmount;
}

bool Entity::isShootable() const
{
    return m_shootable;
}

bool Entity::isActivable() const
{
    return m_activable;
}

sf::FloatRect Entity::getHitbox() const
{
    return m_hitbox;
}

const Sprite& Entity::getSprite() const
{
    return *m_sprite;
}

void Entity::setVisible(bool visible)
{
    m_visible = visible;
}

void Entity::refreshHitbox()
{
    if (!m_sprite || m_typeHitbox == HitboxType::None) {
        m_hitbox = sf::FloatRect(0, 0, 0, 0);
        return;
    }
    const sf::IntRect rect = m_sprite->getTextureRect();
    m_hitbox = sf::FloatRect(m_sprite->getPosition().x, m_sprite->getPosition().y, static_cast<float>(rect.width),
                             static_cast<float>(rect.height));
}

bool Entity::hasSprite() const
{
    return m_sprite != nullptr;
}

bool Entity::isVisible() const
{
    return m_visible;
}

bool Entity::isActive() const
{
    return m_active;
}
