#include "support/leveldata.h"

#include "resources/savefile.h"

void LevelTest::SetUp()
{
    MenuTest::SetUp();
    writeImage("data\\graphics\\character\\v1.png", 128, 80);
    writeImage("data\\graphics\\window\\hud\\bulle.png", 56, 56);
    writeImage("data\\graphics\\window\\hud\\barreVie.png", 152, 20);
    writeImage("data\\graphics\\window\\hud\\vie.png", 150, 18);
    writeImage("data\\graphics\\map\\T\\sol.png", 1000, 40);
    writeImage("data\\graphics\\map\\T\\bloc.png", 40, 40);
    writeImage("data\\graphics\\map\\T\\mur.png", 20, 500);
    writeImage("data\\graphics\\map\\T\\pics.png", 40, 40);
    writeImage("data\\graphics\\map\\T\\porte.png", 20, 100);
    writeImage("data\\graphics\\map\\common\\currentLevelVortex.png", 64, 64);
    writeImage("data\\graphics\\map\\common\\nextLevelVortex.png", 64, 64);
    writeImage("data\\graphics\\map\\common\\bullet.png", 8, 8);
    writeImage("data\\graphics\\window\\console\\background.png", 485, 324);
    writeImage("data\\graphics\\window\\dialogue\\background.png", 600, 100);
    writeImage("data\\graphics\\window\\dialogue\\backgroundFlecheG.png", 600, 100);
    writeImage("data\\graphics\\window\\dialogue\\wait.png", 42, 10);
    writeImage("data\\graphics\\actor\\Korvane.png", 98, 98);
    writeImage("data\\graphics\\actor\\Pilote.png", 98, 98);
    copyGameFile("data\\fonts\\dialogue.ttf");
    writeFile("data\\saves\\01\\README", "slot 1\n");
}

void LevelTest::writeMap(const std::string& name, const std::string& content)
{
    writeFile("data\\maps\\" + name + "\\" + name + ".zi", content);
}

Map& LevelTest::startLevel(const std::string& content, Player* player)
{
    writeMap("T", content);
    if (!game)
        game = std::make_unique<GameHarness>();
    level = new Map(&game->rm(), "T", slotPath(0), player);
    game->app().addGameState(level);
    return *level;
}

Map& LevelTest::replaceLevel(const std::string& content, Player* player)
{
    if (!game)
        game = std::make_unique<GameHarness>();
    if (level)
        game->app().removeGameState(level);
    clearTrace();
    return startLevel(content, player);
}

void LevelTest::step(int frames)
{
    game->step(frames);
}

void LevelTest::seconds(float s)
{
    step(static_cast<int>(s * 60.f + 0.5f));
}

void LevelTest::land()
{
    for (int i = 0; i < 300 && !player().getSol(); ++i)
        step();
    ASSERT_NE(player().getSol(), nullptr) << "the character never landed";
}

Player& LevelTest::player()
{
    return *level->getPlayer();
}

sf::Vector2f LevelTest::position()
{
    return player().getSprite().getPosition();
}

CountingEntity::CountingEntity(RessourceManager* rm, sf::FloatRect box, EntityFlags flags, Sprite* picture, int damage)
    : Entity(rm, picture, HitboxType::SpriteFilled, static_cast<int>(box.left), static_cast<int>(box.top), flags),
      m_box(box)
{
    m_damageAmount = damage;
}

sf::FloatRect CountingEntity::getHitbox() const
{
    return hasSprite() ? Entity::getHitbox() : m_box;
}

void CountingEntity::activate()
{
    ++activations;
    if (log)
        log->push_back(name);
}

void CountingEntity::onCollision()
{
    ++collisions;
}
