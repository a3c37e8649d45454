#include "entities/bullet.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "graphics/sprite.h"
#include "support/leveldata.h"

#include <algorithm>

class BulletTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeImage("data\\graphics\\map\\T\\cible.png", 32, 64);
        for (int i = 0; i < 7; ++i)
            writeSound("data\\sounds\\shoot" + std::to_string(i) + ".ogg", 0.05f);
        writeSound("data\\sounds\\trigger.ogg", 0.05f);
    }
    std::size_t bullets()
    {
        return level->getBullets().size();
    }
};

TEST_F(BulletTest, SharesOfTheDirectionSetTheVelocity)
{
    startLevel("");
    auto moved = [&](sf::FloatRect shot, float seconds) {
        Bullet bullet(&game->rm(), 100, shot);
        bullet.update(seconds);
        return bullet.getPosition() - sf::Vector2f(shot.left, shot.top);
    };
    EXPECT_EQ(moved({0, 0, 30, 0}, 1.f), sf::Vector2f(500, 0));
    EXPECT_EQ(moved({0, 0, -4, 0}, 1.f), sf::Vector2f(-500, 0));
    EXPECT_EQ(moved({0, 0, 10, 10}, 1.f), sf::Vector2f(250, 250));
    EXPECT_EQ(moved({0, 0, 3, -1}, 1.f), sf::Vector2f(375, -125));
    const sf::Vector2f shortShot = moved({0, 0, 1, 2}, 0.3f);
    const sf::Vector2f longShot = moved({0, 0, 100, 200}, 0.3f);
    EXPECT_NEAR(shortShot.x, longShot.x, 1e-4);
    EXPECT_NEAR(shortShot.y, longShot.y, 1e-4);
}

TEST_F(BulletTest, BulletsShareOneTexture)
{
    startLevel("");
    auto* first = new Bullet(&game->rm(), 100, {10, 10, 1, 0});
    auto* second = new Bullet(&game->rm(), 100, {20, 10, 1, 0});
    EXPECT_EQ(first->getSprite().getTexture(), second->getSprite().getTexture());
    clearTrace();
    delete first;
    EXPECT_EQ(trace().front(), " -*- Tentative de destruction de l'item : data\\graphics\\map\\common\\bullet.png");
    EXPECT_EQ(second->getSprite().getTexture()->getSize(), sf::Vector2u(8, 8));
    delete second;
}

TEST_F(BulletTest, ADoorWithALowerIdStopsTheBulletBeforeTheTargetBehindIt)
{
    startLevel("[DoorEntity] 1 300 300 Sprite porte.png\n"
               "[TimerShootableTrigger] 2 300 300 1 5 AnimatedSprite cible.png 1 2 -1 0\n");
    player().setPosition(10, 10);
    level->addBullet(new Bullet(&game->rm(), 100, {305, 305, 0, 1}));
    level->update(0.f);
    EXPECT_EQ(bullets(), 0u);
    EXPECT_FALSE(level->getEntity(2)->isActive());
}

TEST_F(BulletTest, EachBulletShootsOnceAndStopsAtTheEdgesItsHitboxContains)
{
    startLevel("[TimerShootableTrigger] 2 300 300 1 -1 AnimatedSprite cible.png 1 2 -1 0\n");
    player().setPosition(10, 10);
    level->addBullet(new Bullet(&game->rm(), 100, {300, 300, 0, 1}));  // top-left corner: inside
    level->addBullet(new Bullet(&game->rm(), 100, {332, 310, 0, 1}));  // right edge: outside
    level->addBullet(new Bullet(&game->rm(), 100, {310, 332, 0, -1})); // bottom edge: outside
    level->update(0.f);
    EXPECT_EQ(bullets(), 2u);
    EXPECT_TRUE(level->getEntity(2)->isActive());
}

TEST_F(BulletTest, ShotLeavesFromTheCharacterTowardsThePointerEveryIntervalWhileHeld)
{
    startLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n");
    player().setPosition(100, 420);
    game->send(mouseMoved(900, 420));
    game->send(mousePressed(900, 420));
    step();
    EXPECT_EQ(bullets(), 0u) << "no gun yet";
    player().peuxTirer(true);
    step();
    ASSERT_EQ(bullets(), 1u) << "granting the gun with the button held fires at once";
    EXPECT_EQ(level->getBullets()[0]->getPosition().y, 420.f);
    step(29);
    EXPECT_EQ(bullets(), 1u);
    step();
    EXPECT_EQ(bullets(), 2u) << "half a second later";
    game->send(mouseReleased(900, 420));
    step(25);
    EXPECT_EQ(bullets(), 2u);
    game->send(mousePressed(900, 420, sf::Mouse::Right));
    game->send(mousePressed(900, 420, sf::Mouse::Middle));
    step(25);
    EXPECT_EQ(bullets(), 2u) << "only the left button fires";
}

TEST_F(BulletTest, ReleasingTheFireButtonOverAnotherScreenStopsTheGun)
{
    startLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n");
    player().setPosition(100, 420);
    player().peuxTirer(true);
    game->send(mouseMoved(900, 420));
    game->send(mousePressed(900, 420));
    step();
    ASSERT_EQ(bullets(), 1u);
    game->send(keyReleased(sf::Keyboard::Escape));
    game->send(mouseReleased(5, 5)); // let go over the pause menu, on none of its buttons
    game->send(keyReleased(sf::Keyboard::Escape));
    ASSERT_EQ(game->top(), level);
    step(60);
    EXPECT_EQ(bullets(), 1u) << "the gun waits for a new press";
    game->send(mousePressed(900, 420));
    step();
    EXPECT_EQ(bullets(), 2u);
}

TEST_F(BulletTest, ABulletFiredInAnUpdateIsTestedAtItsStartPointInThatUpdate)
{
    startLevel("[TimerShootableTrigger] 2 100 100 1 -1 AnimatedSprite cible.png 1 2 -1 0\n");
    player().setPosition(110, 110);
    player().peuxTirer(true);
    game->send(mouseMoved(900, 110));
    game->send(mousePressed(900, 110));
    level->update(0.f);
    EXPECT_TRUE(level->getEntity(2)->isActive());
    EXPECT_EQ(bullets(), 0u);
}

TEST_F(BulletTest, PointerOnTheStartPointFiresNothing)
{
    startLevel("");
    player().setPosition(200, 200);
    player().peuxTirer(true);
    game->send(mouseMoved(200, 200));
    game->send(mousePressed(200, 200));
    level->update(0.f);
    EXPECT_EQ(bullets(), 0u);
}

TEST_F(BulletTest, BulletsThatCanNeverHitAnythingAreDropped)
{
    startLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
               "[GroundEntity] 2 1200 0 Sprite bloc.png HitboxSpriteFilled\n");
    player().setPosition(500, 420);
    player().peuxTirer(true);
    game->send(mouseMoved(500, 0));
    game->send(mousePressed(500, 0));
    for (int minute = 0; minute < 2; ++minute)
        step(3600);
    EXPECT_LE(bullets(), 2u) << "an hour's worth of firing into the void does not pile up";

    level->addBullet(new Bullet(&game->rm(), 100, {1100, 10, 1, 0}));
    step(6);
    EXPECT_GE(bullets(), 1u) << "outside the window but on its way to a block: kept";
    step(30);
    level->addBullet(new Bullet(&game->rm(), 100, {-50, 250, 1, 0}));
    step();
    const auto& all = level->getBullets();
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](Bullet* b) { return b->getPosition().x < 0; }))
        << "outside but flying back in: kept";
}
