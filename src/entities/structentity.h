#pragma once

#include "entities/entity.h"

class RessourceManager;
class Sprite;

namespace sf {
class Image;
}

// Blocks, floors, walls and ceilings.
class GroundEntity : public Entity
{
public:
    // Takes ownership of the picture, as every entity does.
    GroundEntity(RessourceManager* rm, Sprite* sprite, HitboxType type, int x, int y);
};

// Spikes: deadly while raised (row 0), harmless while retracted (row 1). They block only
// as high as their picture draws: retracted spikes that show a low plate are that low.
class PicEntity : public Entity
{
public:
    // Takes ownership of the picture, as every entity does.
    PicEntity(RessourceManager* rm, Sprite* sprite, int x, int y);

    void activate() override;
    void onCollision() override;
    void refreshHitbox() override;

private:
    // The rows of a frame that hold a visible pixel, from the frame's top.
    struct Rows
    {
        int top = 0;
        int height = 0;
    };
    Rows drawnRows(const sf::Image& sheet) const;

    Rows m_raised;
    Rows m_retracted;
};

// A door: closed it is drawn and blocks; open it disappears and collides with nothing.
class DoorEntity : public Entity
{
public:
    // Takes ownership of the picture, as every entity does.
    DoorEntity(RessourceManager* rm, Sprite* sprite, int x, int y);

    void activate() override;
    virtual void open();
    virtual void close();
    bool isOpen() const;

private:
    bool m_isOpen;
};

// Scenery: drawn, never in the way.
class DecorationEntity : public Entity
{
public:
    // Takes ownership of the picture, as every entity does.
    DecorationEntity(RessourceManager* rm, Sprite* sprite, int x, int y);
};
