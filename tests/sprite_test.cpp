#include "graphics/sprite.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

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

TEST(AnimatedSpriteTest, SheetWithRowsChangingByThemselvesWalksEveryFrameInReadingOrder)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite sprite(texture, 4, 2, 0.1f, true);
    std::vector<std::pair<int, int>> seen{frameOf(sprite)};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(sprite.update(0.11f));
        seen.push_back(frameOf(sprite));
    }
    const std::vector<std::pair<int, int>> expected{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1},
                                                    {1, 1}, {2, 1}, {3, 1}, {0, 0}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(0, 0, 32, 32));
}

TEST(AnimatedSpriteTest, SheetWithoutRowChangeLoopsInItsRow)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite sprite(texture, 4, 2, 0.1f, false);
    sprite.setEtatY(1);
    for (int i = 0; i < 4; ++i)
        sprite.update(0.11f);
    EXPECT_EQ(frameOf(sprite), std::make_pair(0, 1));
    EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(0, 32, 32, 32));
}

TEST(AnimatedSpriteTest, StepsOnlyOnceMoreThanTheFrameTimeHasAccumulated)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite sprite(texture, 4, 2, 0.1f, true);
    EXPECT_TRUE(sprite.update(0.01f)) << "the first positive step moves at once";
    EXPECT_EQ(sprite.getEtatX(), 1);
    EXPECT_FALSE(sprite.update(0.05f));
    EXPECT_FALSE(sprite.update(0.05f)) << "exactly the frame time is not more than it";
    EXPECT_TRUE(sprite.update(0.001f));
    EXPECT_EQ(sprite.getEtatX(), 2);
    EXPECT_TRUE(sprite.update(0.35f)) << "a long step moves one frame, not three";
    EXPECT_EQ(sprite.getEtatX(), 3);
}

TEST(AnimatedSpriteTest, FrameTimeOfMinusOneNeverStepsButFramesCanBeChosen)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite sprite(texture, 4, 2, -1.f, true);
    EXPECT_FALSE(sprite.update(5.f));
    EXPECT_EQ(frameOf(sprite), std::make_pair(0, 0));
    sprite.setEtatX(2);
    EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(64, 0, 32, 32));
}

TEST(AnimatedSpriteTest, OutOfRangeFramesAreIgnored)
{
    const sf::Texture texture = makeTexture(128, 64);
    AnimatedSprite sprite(texture, 4, 2, 0.1f, true);
    sprite.setEtatY(1);
    sprite.setEtatY(2);
    sprite.setEtatX(-1);
    sprite.setEtatX(4);
    EXPECT_EQ(frameOf(sprite), std::make_pair(0, 1));
}

TEST(AnimatedSpriteTest, FrameSizeDropsThePixelsBeyondTheLastWholeFrame)
{
    const sf::Texture texture = makeTexture(130, 64);
    AnimatedSprite sprite(texture, 4, 2, 0.1f, true);
    sprite.setEtatX(3);
    EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(96, 0, 32, 32));
}

TEST(AnimatedSpriteTest, FrameCountBelowOneCountsAsOne)
{
    const sf::Texture texture = makeTexture(40, 20);
    AnimatedSprite sprite(texture, 0, -3, 0.1f, true);
    EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(0, 0, 40, 20));
    sprite.update(0.2f);
    EXPECT_EQ(frameOf(sprite), std::make_pair(0, 0));
}

TEST(RepeatedSpriteTest, ScrollsAtItsStatedSpeedWhateverTheFrameRate)
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
}

TEST(RepeatedSpriteTest, ShowsTheWholePartOfTheExactOffset)
{
    const sf::Texture texture = makeTexture(64, 64);
    RepeatedSprite sprite(texture, 0.f, 100.f);
    sprite.update(1.f / 60.f);
    EXPECT_EQ(sprite.getTextureRect().left, 1);
    sprite.update(1.f / 60.f);
    EXPECT_EQ(sprite.getTextureRect().left, 3);

    RepeatedSprite backwards(texture, 0.f, -100.f);
    backwards.update(0.5f);
    EXPECT_EQ(backwards.getTextureRect().left, 64 - 50) << "kept within one turn of the texture";
}

TEST(RepeatedSpriteTest, GoesOnFromARectangleSetFromOutside)
{
    const sf::Texture texture = makeTexture(64, 64);
    RepeatedSprite sprite(texture, 0.f, 100.f);
    sprite.update(1.f / 60.f);
    sprite.setTextureRect({20, 10, 64, 64});
    sprite.update(1.f / 60.f);
    EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(21, 10, 64, 64));
    sprite.update(1.f / 60.f);
    EXPECT_EQ(sprite.getTextureRect().left, 23) << "the fraction is carried on from there";
}

TEST(RepeatedSpriteTest, ScrollingForDaysStaysWithinOneTurnOfTheTexture)
{
    // Texture coordinates reach the graphics card as floats: a rectangle millions of pixels
    // away would shake, and one beyond the range of an int would not be a rectangle at all.
    const sf::Texture texture = makeTexture(64, 64);
    RepeatedSprite sprite(texture, -1.f, 100.f);
    for (int hour = 0; hour < 72; ++hour)
        sprite.update(3600.f);
    EXPECT_EQ(sprite.getTextureRect().left, 0) << "25,920,000 pixels are 405,000 turns";
    EXPECT_EQ(sprite.getTextureRect().top, 259200 % 64);
}
