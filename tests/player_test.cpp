#include "entities/structentity.h"
#include "support/leveldata.h"

#include <algorithm>

namespace {

const char* const FLOOR = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n";

} // namespace

class PlayerTest : public LevelTest
{
protected:
    // A new level on the floor (and more), the character landed at x, no key held.
    void standAt(float x, const std::string& more = "")
    {
        for (sf::Keyboard::Key key : {sf::Keyboard::Q, sf::Keyboard::D, sf::Keyboard::Space})
            release(key);
        replaceLevel(FLOOR + more);
        player().setPosition(x, 419);
        land();
    }
    void hold(sf::Keyboard::Key key)
    {
        game->keyboard().hold(key);
    }
    void release(sf::Keyboard::Key key)
    {
        if (game)
            game->keyboard().release(key);
    }
    // One jump from the floor; the highest point reached within `frames`.
    float jumpTop(int frames)
    {
        hold(sf::Keyboard::Space);
        step();
        release(sf::Keyboard::Space);
        float top = position().y;
        for (int i = 0; i < frames && !player().getSol(); ++i) {
            step();
            top = std::min(top, position().y);
        }
        return top;
    }
};

TEST_F(PlayerTest, WalkReachesFullSpeedInHalfASecondAndStopsAtOnceOnRelease)
{
    replaceLevel(FLOOR);
    player().setPosition(100, 300);
    land();
    EXPECT_EQ(player().getSol(), level->getEntity(1));
    EXPECT_FLOAT_EQ(position().y, 420.f);
    EXPECT_FLOAT_EQ(player().getAccelV(), 0.f);
    step(30);
    EXPECT_FLOAT_EQ(position().y, 420.f) << "landed, it stands still";

    standAt(100);
    hold(sf::Keyboard::D);
    step(30);
    EXPECT_NEAR(player().getAccel(), 1.f, 1e-4);
    const float before = position().x;
    step();
    EXPECT_NEAR(position().x - before, 300.f / 60.f, 1e-3) << "300 pixels per second";
    EXPECT_EQ(player().getSprite().getEtatY(), 1) << "facing right";
    release(sf::Keyboard::D);
    const float stopped = position().x;
    step();
    EXPECT_FLOAT_EQ(position().x, stopped);
    EXPECT_EQ(player().getSprite().getEtatX(), 0);
    step(14);
    hold(sf::Keyboard::Q);
    step();
    EXPECT_NEAR(player().getAccel(), 0.5f + 1.f / 30.f, 1e-4) << "the remaining factor is kept";
    EXPECT_EQ(player().getSprite().getEtatY(), 0) << "facing left";

    // Both walk keys cancel but animate, facing the last one seen.
    standAt(100);
    hold(sf::Keyboard::Q);
    hold(sf::Keyboard::D);
    const float x = position().x;
    step(10);
    EXPECT_FLOAT_EQ(position().x, x);
    EXPECT_EQ(player().getSprite().getEtatY(), 1);
    EXPECT_NE(player().getSprite().getEtatX(), 0) << "the walk animation runs";

    // Setting the position releases the walk until the key is seen again.
    standAt(100);
    hold(sf::Keyboard::Q);
    step(5);
    player().setPosition(300, 300);
    EXPECT_EQ(player().getSol(), nullptr);
    step();
    EXPECT_LT(position().x, 300.f) << "the held key walks again at once";
    EXPECT_EQ(player().getSprite().getEtatY(), 0);
}

TEST_F(PlayerTest, JumpRisesSeventyTwoAndAHalfPixelsAtSixtyFramesPerSecond)
{
    standAt(100);
    const float ground = position().y;
    EXPECT_NEAR(ground - jumpTop(120), 72.5f, 0.01f);
    EXPECT_FLOAT_EQ(position().y, ground) << "back on the floor";

    // Space held jumps again on each landing, never in the air.
    hold(sf::Keyboard::Space);
    int jumps = 0;
    bool wasStanding = true;
    for (int i = 0; i < 180; ++i) {
        step();
        const bool standing = player().getSol() != nullptr;
        jumps += wasStanding && !standing;
        wasStanding = standing;
    }
    EXPECT_GE(jumps, 3);
    EXPECT_LE(jumps, 4) << "each jump lasts about a second";

    standAt(100, "[GroundEntity] 2 90 350 Sprite bloc.png HitboxSpriteFilled\n");
    const float top = jumpTop(60);
    EXPECT_GE(top, 390.f - 0.01f) << "the head never enters the block";
    EXPECT_LT(top, 395.f);
}

TEST_F(PlayerTest, FallSpeedLedgesAndWalls)
{
    replaceLevel("");
    player().setPosition(100, -2000);
    step(30);
    EXPECT_NEAR(player().getAccelV(), 1.f, 1e-4) << "terminal speed after half a second";
    for (int i = 0; i < 60; ++i) {
        const float y = position().y;
        step();
        EXPECT_LE(position().y - y, 300.f / 60.f + 1e-3) << "and never more";
    }

    // Walking off a ledge happens one pixel past the edge, on either side.
    replaceLevel("[GroundEntity] 1 200 420 Sprite bloc.png HitboxSpriteFilled\n");
    for (const float standingEdge : {240.f, 200.f - 32.f}) {
        SCOPED_TRACE(standingEdge);
        player().setPosition(210, 370);
        land();
        player().move(standingEdge - position().x, 0);
        step();
        EXPECT_NE(player().getSol(), nullptr) << "touching edges still stand";
        player().move(standingEdge > 200.f ? 1 : -1, 0);
        step();
        EXPECT_EQ(player().getSol(), nullptr);
    }

    standAt(400, "[GroundEntity] 2 500 0 Sprite mur.png HitboxSpriteFilled\n");
    hold(sf::Keyboard::D);
    step(60);
    EXPECT_FLOAT_EQ(position().x, 500.f - 32.f) << "walls push back and stop the walk";
    EXPECT_FLOAT_EQ(player().getAccel(), 0.f);
    EXPECT_EQ(player().getSol(), level->getEntity(1)) << "the wall is not a floor";
}

TEST_F(PlayerTest, ReversedGravityFallsUpOntoTheCeiling)
{
    replaceLevel(FLOOR);
    player().toggleGravity();
    player().toggleGravity();
    EXPECT_TRUE(player().isGravityNormal());
    EXPECT_EQ(player().getSprite().getScale(), sf::Vector2f(1, 1)) << "two reversals restore the upright picture";
    EXPECT_EQ(player().getSprite().getOrigin(), sf::Vector2f(0, 0));
    EXPECT_FLOAT_EQ(player().getSprite().getRotation(), 0.f);

    standAt(100, "[GroundEntity] 2 0 0 Sprite sol.png HitboxSpriteFilled\n");
    game->send(keyReleased(sf::Keyboard::LShift));
    EXPECT_TRUE(player().isGravityNormal()) << "not granted yet";
    player().canToggleGravity(true);
    game->send(keyReleased(sf::Keyboard::LShift));
    EXPECT_FALSE(player().isGravityNormal());
    for (int i = 0; i < 300 && player().getSol() != level->getEntity(2); ++i)
        step();
    EXPECT_EQ(player().getSol(), level->getEntity(2));
    EXPECT_FLOAT_EQ(position().y, 40.f);
    EXPECT_FLOAT_EQ(player().getAccelV(), 0.f);
    EXPECT_EQ(player().getSprite().getScale(), sf::Vector2f(-1, 1));
    EXPECT_FLOAT_EQ(player().getSprite().getRotation(), 180.f);
    EXPECT_EQ(player().getSprite().getGlobalBounds(), player().getHitbox()) << "drawn upside down over its hitbox";

    // Jumping away from the ceiling onto a block below keeps the speed: it is not a landing.
    level->addEntity(3, new GroundEntity(&game->rm(),
                                         new Sprite(game->rm().getTexture("data\\graphics\\map\\T\\bloc.png")),
                                         HitboxType::SpriteFilled, 90, 100));
    hold(sf::Keyboard::Space);
    step();
    release(sf::Keyboard::Space);
    for (int i = 0; i < 30 && position().y + 40.f < 100.f - 1e-3f; ++i)
        step();
    EXPECT_FLOAT_EQ(position().y + 40.f, 100.f) << "pushed back out of the block below";
    EXPECT_EQ(player().getSol(), nullptr);
    EXPECT_LT(player().getAccelV(), 0.f) << "still moving away from the ceiling";
    game->send(keyReleased(sf::Keyboard::LShift));
    EXPECT_FALSE(player().isGravityNormal()) << "no reversal in the air";
}
