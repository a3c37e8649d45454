#include "graphics/sprite.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

sf::Texture makeTexture(unsigned width, unsigned height)
{
    sf::Image image;
    image.create(width, height, sf::Color::White);
    sf::Texture texture;
    texture.loadFromImage(image);
    texture.setRepeated(true);
    return texture;
}

std::pair<int, int> frameOf(const AnimatedSprite& sprite)
{
    return {sprite.getEtatX(), sprite.getEtatY()};
}

} // namespace

TEST(AnimatedSpriteTest, FramesStepInReadingOrderOnceTheFrameTimeIsPast)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite walking(texture, 4, 2, 0.1f, true);
    std::vector<std::pair<int, int>> seen{frameOf(walking)};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(walking.update(0.11f));
        seen.push_back(frameOf(walking));
    }
    const std::vector<std::pair<int, int>> expected{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1},
                                                    {1, 1}, {2, 1}, {3, 1}, {0, 0}};
    EXPECT_EQ(seen, expected) << "rows that change by themselves";
    EXPECT_EQ(walking.getTextureRect(), sf::IntRect(0, 0, 32, 32));

    AnimatedSprite looping(texture, 4, 2, 0.1f, false);
    looping.setEtatY(1);
    for (int i = 0; i < 4; ++i)
        looping.update(0.11f);
    EXPECT_EQ(frameOf(looping), std::make_pair(0, 1)) << "without row change it loops in its row";
    EXPECT_EQ(looping.getTextureRect(), sf::IntRect(0, 32, 32, 32));

    AnimatedSprite sprite(texture, 4, 2, 0.1f, true);
    EXPECT_TRUE(sprite.update(0.01f)) << "the first positive step moves at once";
    EXPECT_EQ(sprite.getEtatX(), 1);
    EXPECT_FALSE(sprite.update(0.05f));
    EXPECT_FALSE(sprite.update(0.05f)) << "exactly the frame time is not more than it";
    EXPECT_TRUE(sprite.update(0.001f));
    EXPECT_EQ(sprite.getEtatX(), 2);
    EXPECT_TRUE(sprite.update(0.35f)) << "a long step moves one frame, not three";
    EXPECT_EQ(sprite.getEtatX(), 3);

    AnimatedSprite still(texture, 4, 2, -1.f, true);
    EXPECT_FALSE(still.update(5.f)) << "a frame time of -1 never steps";
    EXPECT_EQ(frameOf(still), std::make_pair(0, 0));
    still.setEtatX(2);
    EXPECT_EQ(still.getTextureRect(), sf::IntRect(64, 0, 32, 32)) << "but frames can be chosen";
}

TEST(AnimatedSpriteTest, FramesStayOnTheSheet)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite sprite(texture, 4, 2, 0.1f, true);
    sprite.setEtatY(1);
    sprite.setEtatY(2);
    sprite.setEtatX(-1);
    sprite.setEtatX(4);
    EXPECT_EQ(frameOf(sprite), std::make_pair(0, 1)) << "out-of-range frames are ignored";

    const sf::Texture wider = makeTexture(130, 64);
    AnimatedSprite cut(wider, 4, 2, 0.1f, true);
    cut.setEtatX(3);
    EXPECT_EQ(cut.getTextureRect(), sf::IntRect(96, 0, 32, 32)) << "pixels beyond the last whole frame are dropped";

    const sf::Texture small = makeTexture(40, 20);
    AnimatedSprite single(small, 0, -3, 0.1f, true);
    EXPECT_EQ(single.getTextureRect(), sf::IntRect(0, 0, 40, 20)) << "a frame count below one counts as one";
    single.update(0.2f);
    EXPECT_EQ(frameOf(single), std::make_pair(0, 0));
}

TEST(RepeatedSpriteTest, ScrollsAtItsStatedSpeedByWholePixelsWhateverTheFrameRate)
{
    const sf::Texture texture = makeTexture(64, 64);
    RepeatedSprite slow(texture, 20.f, 0.f);
    for (int i = 0; i < 60; ++i)
        EXPECT_FALSE(slow.update(1.f / 60.f));
    EXPECT_NEAR(slow.getTextureRect().top, 64 - 20, 1) << "20 pixels per second, under one pixel per frame";

    RepeatedSprite vortex(texture, 0.f, 100.f);
    for (int i = 0; i < 144; ++i)
        vortex.update(1.f / 144.f);
    EXPECT_NEAR(vortex.getTextureRect().left, 100 - 64, 1);
    EXPECT_EQ(vortex.getTextureRect().width, 64);

    RepeatedSprite sprite(texture, 0.f, 100.f);
    sprite.update(1.f / 60.f);
    EXPECT_EQ(sprite.getTextureRect().left, 1) << "the whole part of the exact offset";
    sprite.update(1.f / 60.f);
    EXPECT_EQ(sprite.getTextureRect().left, 3);

    RepeatedSprite moved(texture, 0.f, 100.f);
    moved.update(1.f / 60.f);
    moved.setTextureRect({20, 10, 64, 64});
    moved.update(1.f / 60.f);
    EXPECT_EQ(moved.getTextureRect(), sf::IntRect(21, 10, 64, 64)) << "it goes on from a rectangle set from outside";
    moved.update(1.f / 60.f);
    EXPECT_EQ(moved.getTextureRect().left, 23) << "the fraction is carried on from there";

    RepeatedSprite backwards(texture, 0.f, -100.f);
    backwards.update(0.5f);
    EXPECT_EQ(backwards.getTextureRect().left, 64 - 50) << "kept within one turn of the texture";

    // Texture coordinates reach the graphics card as floats: a rectangle millions of pixels
    // away would shake, and one beyond the range of an int would not be a rectangle at all.
    RepeatedSprite forDays(texture, -1.f, 100.f);
    for (int hour = 0; hour < 72; ++hour)
        forDays.update(3600.f);
    EXPECT_EQ(forDays.getTextureRect().left, 0) << "25,920,000 pixels are 405,000 turns";
    EXPECT_EQ(forDays.getTextureRect().top, 259200 % 64);
}
