#include "entities/bullet.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "support/leveldata.h"

#include <algorithm>

namespace {

const char* const FLOOR = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n";
const char* const TARGET = "[TimerShootableTrigger] 2 300 300 1 -1 AnimatedSprite cible.png 1 2 -1 0\n";

} // namespace

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
    void shoot(sf::FloatRect shot)
    {
        level->addBullet(new Bullet(&game->rm(), 100, shot));
    }
    // The character at (x, y), given the gun, holds the fire button with the pointer at `aim`.
    void fireFrom(float x, float y, sf::Vector2i aim)
    {
        player().setPosition(x, y);
        player().peuxTirer(true);
        game->send(mouseMoved(aim.x, aim.y));
        game->send(mousePressed(aim.x, aim.y));
    }
};

TEST_F(BulletTest, SharesOfTheDirectionSetTheVelocityAndBulletsShareOneTexture)
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

    auto* first = new Bullet(&game->rm(), 100, {10, 10, 1, 0});
    auto* second = new Bullet(&game->rm(), 100, {20, 10, 1, 0});
    EXPECT_EQ(first->getSprite().getTexture(), second->getSprite().getTexture());
    clearTrace();
    delete first;
    EXPECT_EQ(trace().front(), " -*- Tentative de destruction de l'item : data\\graphics\\map\\common\\bullet.png");
    EXPECT_EQ(second->getSprite().getTexture()->getSize(), sf::Vector2u(8, 8));
    delete second;
}

TEST_F(BulletTest, WhatABulletHits)
{
    // Each bullet shoots once and stops at the edges its hitbox contains.
    replaceLevel(TARGET);
    player().setPosition(10, 10);
    shoot({300, 300, 0, 1});  // top-left corner: inside
    shoot({332, 310, 0, 1});  // right edge: outside
    shoot({310, 332, 0, -1}); // bottom edge: outside
    level->update(0.f);
    EXPECT_EQ(bullets(), 2u);
    EXPECT_TRUE(level->getEntity(2)->isActive());

    replaceLevel(std::string("[DoorEntity] 1 300 300 Sprite porte.png\n") + TARGET);
    player().setPosition(10, 10);
    shoot({305, 305, 0, 1});
    level->update(0.f);
    EXPECT_EQ(bullets(), 0u);
    EXPECT_FALSE(level->getEntity(2)->isActive()) << "a door with a lower id stops the bullet first";

    replaceLevel("[TimerShootableTrigger] 2 100 100 1 -1 AnimatedSprite cible.png 1 2 -1 0\n");
    fireFrom(110, 110, {900, 110});
    level->update(0.f);
    EXPECT_TRUE(level->getEntity(2)->isActive()) << "a bullet fired in an update is tested at its start point";
    EXPECT_EQ(bullets(), 0u);

    replaceLevel("");
    fireFrom(200, 200, {200, 200});
    level->update(0.f);
    EXPECT_EQ(bullets(), 0u) << "the pointer on the start point fires nothing";
}

TEST_F(BulletTest, ShotLeavesFromTheCharacterTowardsThePointerEveryIntervalWhileHeld)
{
    startLevel(FLOOR);
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

    // Releasing the fire button over another screen stops the gun.
    replaceLevel(FLOOR);
    fireFrom(100, 420, {900, 420});
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

TEST_F(BulletTest, BulletsThatCanNeverHitAnythingAreDropped)
{
    startLevel(std::string(FLOOR) + "[GroundEntity] 2 1200 0 Sprite bloc.png HitboxSpriteFilled\n");
    fireFrom(500, 420, {500, 0});
    for (int minute = 0; minute < 2; ++minute)
        step(3600);
    EXPECT_LE(bullets(), 2u) << "an hour's worth of firing into the void does not pile up";

    shoot({1100, 10, 1, 0});
    step(6);
    EXPECT_GE(bullets(), 1u) << "outside the window but on its way to a block: kept";
    step(30);
    shoot({-50, 250, 1, 0});
    step();
    const auto& all = level->getBullets();
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](Bullet* b) { return b->getPosition().x < 0; }))
        << "outside but flying back in: kept";
}
