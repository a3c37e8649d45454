#include "entities/structentity.h"
#include "resources/ressourcemanager.h"
#include "support/gametest.h"

#include <memory>

// How an entity's hitbox follows its picture. Grounds, delays and spikes that turn deadly
// are played through in levels (map, trigger and cue tests).
class EntityTest : public GameTest
{
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeImage("data\\a.png", 32, 16);
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

TEST_F(EntityTest, DoorTogglesBetweenBlockingAndGoneAndGivesItsPictureBack)
{
    auto alone = std::make_unique<DoorEntity>(rm.get(), picture(), 0, 0);
    clearTrace();
    alone.reset();
    EXPECT_EQ(trace(), std::vector<std::string>{" -*- Destruction de l'item : data\\a.png"});

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

TEST_F(EntityTest, SpikesBlockOnlyAsHighAsTheirPictureDrawsAndFramesRefreshTheHitbox)
{
    // Raised, this sheet draws all but its top 2 rows; retracted, only its bottom 6 (a plate).
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
    EXPECT_EQ(sheet->getEtatY(), 1);
    EXPECT_TRUE(spikes.isSolid()) << "retracted spikes are still stood on";
    spikes.activate();
    EXPECT_EQ(spikes.getHitbox(), sf::FloatRect(100, 442, 40, 18));

    writeImage("data\\spikes.png", 40, 40);
    PicEntity full(rm.get(), picture("data\\spikes.png"), 0, 0);
    full.activate();
    EXPECT_EQ(full.getHitbox(), sf::FloatRect(0, 0, 40, 40)) << "a plain picture draws the same raised or not";
    PicEntity bare(rm.get(), nullptr, 0, 0);
    bare.activate();
    EXPECT_FALSE(bare.isDeadly()) << "spikes without picture still toggle";

    writeImage("data\\grow.png", 64, 16);
    auto* growing = new AnimatedSprite(rm->getTexture("data\\grow.png"), 2, 1, 0.1f, false);
    DecorationEntity deco(rm.get(), growing, 0, 0);
    growing->move(50, 0);
    EXPECT_EQ(deco.getHitbox().left, 0.f) << "moving a picture alone does not refresh";
    deco.update(0.2f);
    EXPECT_EQ(deco.getHitbox(), sf::FloatRect(50, 0, 32, 16)) << "a new frame of an animated picture refreshes it";
}
