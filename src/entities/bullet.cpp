#include "entities/bullet.h"

#include "graphics/sprite.h"
#include "resources/ressourcemanager.h"

#include <cmath>

namespace {

Sprite* bulletPicture(RessourceManager* rm)
{
    return new Sprite(rm->getTexture("data\\graphics\\map\\common\\bullet.png"));
}

} // namespace

Bullet::Bullet(RessourceManager* rm, int damage, sf::FloatRect shot)
    : Entity(rm, bulletPicture(rm), HitboxType::SpriteFilled, 0, 0, EntityFlag::Solid),
      m_vitesse(500.f),
      m_ratioX(0.f),
      m_ratioY(0.f)
{
    m_sprite->setPosition(shot.left, shot.top);
    refreshHitbox();
    m_damageAmount = damage;
    // Shares of the direction by the sum of its absolute components, not its length.
    const float sum = std::fabs(shot.width) + std::fabs(shot.height);
    if (sum > 0.f) {
        m_ratioX = shot.width / sum;
        m_ratioY = shot.height / sum;
    }
}

void Bullet::update(float t)
{
    m_sprite->move(m_vitesse * m_ratioX * t, m_vitesse * m_ratioY * t);
}

sf::Vector2f Bullet::getPosition() const
{
    return m_sprite->getPosition();
}

bool Bullet::hasLeft(const sf::FloatRect& area) const
{
    const sf::Vector2f p = getPosition();
    return (p.x < area.left && m_ratioX <= 0.f) || (p.x >= area.left + area.width && m_ratioX >= 0.f) ||
           (p.y < area.top && m_ratioY <= 0.f) || (p.y >= area.top + area.height && m_ratioY >= 0.f);
}
