#include "entities/structentity.h"
#include "graphics/sprite.h"
#include "resources/ressourcemanager.h"
#include "support/gametest.h"

#include <memory>

namespace {

// An entity that switches its own timer on, as triggers do.
class Timed : public Entity
{
public:
    Timed(RessourceManager* rm, float delay) : Entity(rm, nullptr, HitboxType::None, 0, 0, EntityFlags(), delay)
    {
    }
    void activate() override
    {
        m_active = true;
    }
};

} // namespace

class EntityTest : public GameTest
{
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeImage("data\\a.png", 32, 16);
        writeImage("data\\spikes.png", 40, 40);
        rm = std::make_unique<RessourceManager>();
    }
    void TearDown() override
    {
        rm.reset();
        GameTest::TearDown();
    }
    Sprite* picture(const char* path = "data\\a.png")
    {
        return new Sprite(rm->getTexture(path));
    }
    std::unique_ptr<RessourceManager> rm;
};

TEST_F(EntityTest, HitboxIsThePictureRectangleOrNothing)
{
    GroundEntity filled(rm.get(), picture(), HitboxType::SpriteFilled, 100, 200);
    GroundEntity none(rm.get(), picture(), HitboxType::None, 100, 200);
    GroundEntity bare(rm.get(), nullptr, HitboxType::SpriteFilled, 100, 200);
    EXPECT_EQ(filled.getHitbox(), sf::FloatRect(100, 200, 32, 16));
    EXPECT_EQ(none.getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_EQ(bare.getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_TRUE(filled.isSolid());
    EXPECT_EQ(filled.getDamage(), 9999);
    bare.update(1.f);
    bare.draw();
}

TEST_F(EntityTest, ActivationLastsItsDelayThenEndsWithTheTimerReset)
{
    Timed timed(rm.get(), 2.f);
    timed.activate();
    for (int i = 0; i < 19; ++i)
        timed.update(0.1f);
    EXPECT_TRUE(timed.isActive()) << "1.9 s";
    timed.update(0.15f);
    EXPECT_FALSE(timed.isActive()) << "2 s or more";

    Timed zero(rm.get(), 0.f);
    zero.activate();
    zero.update(0.001f);
    EXPECT_FALSE(zero.isActive()) << "a delay of 0 ends at the next update";

    Timed forever(rm.get(), Entity::NEVER_EXPIRES);
    forever.activate();
    forever.update(1e6f);
    EXPECT_TRUE(forever.isActive());
}

TEST_F(EntityTest, DoorTogglesBetweenBlockingAndGone)
{
    DoorEntity door(rm.get(), picture(), 10, 20);
    EXPECT_FALSE(door.isOpen());
    door.activate();
    EXPECT_TRUE(door.isOpen());
    EXPECT_FALSE(door.isVisible());
    EXPECT_EQ(door.getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_TRUE(door.isSolid()) << "an open door is out of the way by its hitbox alone";
    door.activate();
    EXPECT_TRUE(door.isVisible());
    EXPECT_EQ(door.getHitbox(), sf::FloatRect(10, 20, 32, 16));
}

TEST_F(EntityTest, SpikesRetractAndRiseShowingTheirRow)
{
    auto* sheet = new AnimatedSprite(rm->getTexture("data\\spikes.png"), 1, 2, AnimatedSprite::HAND_PICKED, false);
    PicEntity spikes(rm.get(), sheet, 0, 0);
    EXPECT_TRUE(spikes.isDeadly());
    spikes.activate();
    EXPECT_FALSE(spikes.isDeadly());
    EXPECT_TRUE(spikes.isSolid());
    EXPECT_EQ(sheet->getEtatY(), 1);
    spikes.activate();
    EXPECT_TRUE(spikes.isDeadly());
    EXPECT_EQ(sheet->getEtatY(), 0);

    PicEntity bare(rm.get(), nullptr, 0, 0);
    bare.activate();
    EXPECT_FALSE(bare.isDeadly()) << "spikes without picture still toggle";
}

// Raised, the sheet draws all but its top 2 rows; retracted, only its bottom 6 (a plate).
TEST_F(EntityTest, SpikesBlockOnlyAsHighAsTheirPictureDraws)
{
    sf::Image image;
    image.create(40, 40, sf::Color::Transparent);
    for (unsigned y = 0; y < 40; ++y)
        for (unsigned x = 0; x < 40; ++x)
            if ((y >= 2 && y < 20) || y >= 34)
                image.setPixel(x, y, sf::Color::Red);
    writeImage("data\\plate.png", image);
    auto* sheet = new AnimatedSprite(rm->getTexture("data\\plate.png"), 1, 2, AnimatedSprite::HAND_PICKED, false);
    PicEntity spikes(rm.get(), sheet, 100, 440);
    EXPECT_EQ(spikes.getHitbox(), sf::FloatRect(100, 442, 40, 18));
    spikes.activate();
    EXPECT_EQ(spikes.getHitbox(), sf::FloatRect(100, 454, 40, 6)) << "retracted: the plate alone";
    spikes.activate();
    EXPECT_EQ(spikes.getHitbox(), sf::FloatRect(100, 442, 40, 18));

    PicEntity full(rm.get(), picture("data\\spikes.png"), 0, 0);
    full.activate();
    EXPECT_EQ(full.getHitbox(), sf::FloatRect(0, 0, 40, 40)) << "a plain picture draws the same raised or not";
}

TEST_F(EntityTest, NewFrameOfAnAnimatedPictureRefreshesTheHitbox)
{
    writeImage("data\\grow.png", 64, 16);
    auto* sheet = new AnimatedSprite(rm->getTexture("data\\grow.png"), 2, 1, 0.1f, false);
    DecorationEntity deco(rm.get(), sheet, 0, 0);
    sheet->move(50, 0);
    EXPECT_EQ(deco.getHitbox().left, 0.f) << "moving a picture alone does not refresh";
    deco.update(0.2f);
    EXPECT_EQ(deco.getHitbox(), sf::FloatRect(50, 0, 32, 16));
}

TEST_F(EntityTest, DestroyingAnEntityGivesItsPictureBack)
{
    auto door = std::make_unique<DoorEntity>(rm.get(), picture(), 0, 0);
    clearTrace();
    door.reset();
    EXPECT_EQ(trace(), std::vector<std::string>{" -*- Destruction de l'item : data\\a.png"});
}
