#pragma once

#include "entities/entity.h"
#include "player/player.h"
#include "support/harness.h"
#include "support/menudata.h"
#include "world/map.h"

#include <memory>

// A game whose test data tree also holds a level's pictures: a 128 x 80 character
// sheet (frames of 32 x 40), the HUD, and tiles of known sizes in the map folder
// "data\graphics\map\T\" ("sol.png" 1000 x 40, "bloc.png" 40 x 40, "mur.png"
// 20 x 500, "pics.png" 40 x 40 in two rows, "porte.png" 20 x 100), 64 x 64 vortexes,
// an 8 x 8 bullet, the console, the dialogue bubbles (600 x 100) and two actors.
class LevelTest : public MenuTest
{
protected:
    static constexpr float STEP = GameHarness::STEP;

    void SetUp() override;

    void writeMap(const std::string& name, const std::string& content);
    // Starts the game and pushes a level on the map named T (written first).
    Map& startLevel(const std::string& content, Player* player = nullptr);
    // The same on new content in the same game: the earlier level is gone first, so the
    // trace and the caches start afresh, and events reach the new level.
    Map& replaceLevel(const std::string& content, Player* player = nullptr);
    void step(int frames = 1);
    void seconds(float s);
    // Steps until the character stands on something.
    void land();
    Player& player();
    sf::Vector2f position();

    Map* level = nullptr;
};

// An entity whose reactions a test can count. With a picture its hitbox is the
// picture's rectangle at the box's corner; without, the box itself.
class CountingEntity : public Entity
{
public:
    CountingEntity(RessourceManager* rm, sf::FloatRect box, EntityFlags flags, Sprite* picture = nullptr,
                   int damage = 9999);
    sf::FloatRect getHitbox() const override;
    void activate() override;
    void onCollision() override;
    int activations = 0;
    int collisions = 0;
    std::vector<std::string>* log = nullptr;
    std::string name;

private:
    sf::FloatRect m_box;
};
