#include "entities/structentity.h"

#include "graphics/sprite.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>

GroundEntity::GroundEntity(RessourceManager* rm, Sprite* sprite, HitboxType type, int x, int y)
    : Entity(rm, sprite, type, x, y, EntityFlag::Solid)
{
}

PicEntity::PicEntity(RessourceManager* rm, Sprite* sprite, int x, int y)
    : Entity(rm, sprite, HitboxType::SpriteFilled, x, y, EntityFlag::Solid | EntityFlag::Deadly)
{
    if (!m_sprite)
        return;
    const sf::Image sheet = m_sprite->getTexture()->copyToImage();
    m_raised = drawnRows(sheet);
    m_sprite->setEtatY(1);
    m_retracted = drawnRows(sheet);
    m_sprite->setEtatY(0);
    refreshHitbox();
}

void PicEntity::activate()
{
    m_deadly = !m_deadly;
    if (m_sprite)
        m_sprite->setEtatY(m_deadly ? 0 : 1);
    refreshHitbox();
}

void PicEntity::refreshHitbox()
{
    Entity::refreshHitbox();
    const Rows& rows = m_deadly ? m_raised : m_retracted;
    m_hitbox.top += static_cast<float>(rows.top);
    m_hitbox.height = std::min(m_hitbox.height, static_cast<float>(rows.height));
}

PicEntity::Rows PicEntity::drawnRows(const sf::Image& sheet) const
{
    const sf::IntRect frame = m_sprite->getTextureRect();
    const int right = std::min(frame.left + frame.width, static_cast<int>(sheet.getSize().x));
    const int bottom = std::min(frame.top + frame.height, static_cast<int>(sheet.getSize().y));
    // A picture that could not be read blocks as its whole frame, as any other entity.
    if (right <= frame.left || bottom <= frame.top)
        return {0, frame.height};
    int first = bottom;
    int last = frame.top - 1;
    for (int y = frame.top; y < bottom; ++y)
        for (int x = frame.left; x < right; ++x)
            if (sheet.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a > 0) {
                first = std::min(first, y);
                last = y;
                break;
            }
    return {first - frame.top, std::max(0, last - first + 1)};
}

void PicEntity::onCollision()
{
}

DoorEntity::DoorEntity(RessourceManager* rm, Sprite* sprite, int x, int y)
    : Entity(rm, sprite, HitboxType::SpriteFilled, x, y, EntityFlag::Solid),
      m_isOpen(false)
{
}

void DoorEntity::activate()
{
    if (!m_isOpen)
        open();
    else
        close();
}

void DoorEntity::open()
{
    m_isOpen = true;
    m_visible = false;
    m_typeHitbox = HitboxType::None;
    refreshHitbox();
}

void DoorEntity::close()
{
    m_isOpen = false;
    m_visible = true;
    m_typeHitbox = HitboxType::SpriteFilled;
    refreshHitbox();
}

bool DoorEntity::isOpen() const
{
    return m_isOpen;
}

DecorationEntity::DecorationEntity(RessourceManager* rm, Sprite* sprite, int x, int y)
    : Entity(rm, sprite, HitboxType::SpriteFilled, x, y, EntityFlags())
{
}
