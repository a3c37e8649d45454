#include "entities/structentity.h"

GroundEntity::GroundEntity(RessourceManager* rm, Sprite* sprite, HitboxType type, int x, int y)
    : Entity(rm, sprite, type, x, y, true, false, false, false, 0.f)
{
}

PicEntity::PicEntity(RessourceManager* rm, Sprite* sprite, int x, int y)
    : Entity(rm, sprite, SpriteFilled, x, y, true, true, false, false, 0.f)
{
}

void PicEntity::activate()
{
    m_deadly = !m_deadly;
    if (m_sprite)
        m_sprite->setEtatY(m_deadly ? 0 : 1);
}

void PicEntity::onCollision()
{
}

DoorEntity::DoorEntity(RessourceManager* rm, Sprite* sprite, int x, int y)
    : Entity(rm, sprite, SpriteFilled, x, y, true, false, false, false, 0.f),
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
    m_typeHitbox = None;
    refreshHitbox();
}

void DoorEntity::close()
{
    m_isOpen = false;
    m_visible = true;
    m_typeHitbox = SpriteFilled;
    refreshHitbox();
}

bool DoorEntity::isOpen() const
{
    return m_isOpen;
}

DecorationEntity::DecorationEntity(RessourceManager* rm, Sprite* sprite, int x, int y)
    : Entity(rm, sprite, SpriteFilled, x, y, false, false, false, false, 0.f)
{
}
