#include "entities/structentity.h"
#include "graphics/sprite.h"
#include "menus/pausemenu.h"
#include "support/leveldata.h"

#include <algorithm>

namespace {

const char* const FLOOR = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n";
const char* const UNREADABLE = " *** ERREUR : Valeur illisible dans la map :";
const char* const NO_PICTURE = " *** ERREUR : Chargement du sprite data\\graphics\\map\\T\\";

} // namespace

class MapTest : public LevelTest
{
protected:
    // With `pictured`, the block's picture at the box's corner is its hitbox.
    CountingEntity* add(int id, sf::FloatRect box, EntityFlags flags, int damage = 9999, bool pictured = false)
    {
        Sprite* picture = pictured ? new Sprite(game->rm().getTexture("data\\graphics\\map\\T\\bloc.png")) : nullptr;
        auto* entity = new CountingEntity(&game->rm(), box, flags, picture, damage);
        level->addEntity(id, entity);
        return entity;
    }
    // Collisions only: the character does not move by itself in a zero-length update.
    void collide()
    {
        level->update(0.f);
    }
    void emptyRoom()
    {
        replaceLevel("");
        player().setPosition(100, 100);
    }
};

TEST_F(MapTest, AMapThatCannotBeOpenedIsNeverEntered)
{
    startLevel(FLOOR);
    player().setPosition(200, 100);
    for (const std::string name : {"Missing", "..\\..\\..\\tmp", "/dev/zero"}) {
        clearTrace();
        level->changeMap(name);
        const std::string path = "data\\maps\\" + name + "\\" + name + ".zi";
        const std::vector<std::string> expected{" -- Chargement de la map : " + path,
                                                " *** ERREUR : Echec de l'ouverture de la map :", "    * " + path};
        EXPECT_EQ(trace(), expected);
        EXPECT_EQ(level->getMapName(), "T") << "the player stays on the map being played";
        EXPECT_NE(level->getEntity(1), nullptr);
        EXPECT_EQ(position(), sf::Vector2f(200, 100));
    }
    EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv")) << "nothing was left, nothing saved";
}

TEST_F(MapTest, SectionsCommentsHitboxWordsAndRepeatedIds)
{
    replaceLevel("");
    EXPECT_TRUE(level->getEntities().empty());
    std::vector<std::string> loading;
    for (const std::string& line : trace())
        if (line.find("map") != std::string::npos)
            loading.push_back(line);
    EXPECT_EQ(loading, std::vector<std::string>{" -- Chargement de la map : data\\maps\\T\\T.zi"})
        << "an empty map prints only its loading line";

    replaceLevel("[DoorEntity] 3 10 10 Sprite porte.png\n\n");
    EXPECT_EQ(level->getEntities().size(), 1u);
    const std::vector<std::string> built = trace();
    EXPECT_EQ(
        std::count(built.begin(), built.end(), " -- Manager : Creation de l'item : data\\graphics\\map\\T\\porte.png"),
        1)
        << "the last section before a final line break is built once";

    replaceLevel("| [GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                 "[GroundEntity] 2 0 460 Sprite sol.png HitboxSpriteFilled | 3 is not read\n"
                 "|note [GroundEntity] 4 0 0 Sprite bloc.png HitboxSpriteFilled\n");
    EXPECT_EQ(level->getEntity(1), nullptr);
    EXPECT_NE(level->getEntity(2), nullptr);
    EXPECT_NE(level->getEntity(4), nullptr) << "a word that merely begins with the bar is no comment";
    EXPECT_EQ(level->getEntities().size(), 2u);

    // A missing hitbox word swallows the next keyword.
    replaceLevel("[GroundEntity] 1 100 200 Sprite bloc.png HitboxSpriteFilled\n"
                 "[GroundEntity] 2 100 200 Sprite bloc.png HitboxNone\n"
                 "[GroundEntity] 3 0 0 Sprite bloc.png\n"
                 "[GroundEntity] 4 0 0 Sprite bloc.png HitboxSpriteFilled\n");
    EXPECT_EQ(level->getEntity(1)->getHitbox(), sf::FloatRect(100, 200, 40, 40));
    EXPECT_EQ(level->getEntity(2)->getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_EQ(level->getEntity(3)->getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_EQ(level->getEntity(4), nullptr);

    // The first entity read under an id keeps it; an inversed door opens what holds its id.
    replaceLevel("[DoorEntity] 7 10 10 Sprite porte.png\n"
                 "[GroundEntity] 7 0 460 Sprite sol.png HitboxSpriteFilled\n"
                 "[InversedDoorEntity] 7 50 50 Sprite porte.png\n"
                 "[InversedDoorEntity] 8 50 50 Sprite porte.png\n");
    auto* door = dynamic_cast<DoorEntity*>(level->getEntity(7));
    ASSERT_NE(door, nullptr);
    EXPECT_TRUE(door->isOpen());
    EXPECT_EQ(door->getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(8))->isOpen());
    EXPECT_TRUE(traced(" -*- Tentative de destruction de l'item : data\\graphics\\map\\T\\porte.png"))
        << "the dropped door gave its picture back";

    writeImage("data\\graphics\\map\\T\\a.png", 10, 10);
    writeImage("data\\graphics\\map\\T\\b.png", 20, 20);
    replaceLevel("[Background] Sprite a.png\n[Background] RepeatedSprite b.png 0 20\n");
    ASSERT_NE(level->getBackground(), nullptr);
    EXPECT_EQ(level->getBackground()->getTexture()->getSize(), sf::Vector2u(20, 20)) << "the later one replaces";
    EXPECT_TRUE(traced(" -*- Destruction de l'item : data\\graphics\\map\\T\\a.png"));
}

TEST_F(MapTest, CutOrMisspeltPictureBuildsTheEntityWithoutPicture)
{
    replaceLevel("[GroundEntity] 1 0 460 Sprit sol.png HitboxSpriteFilled\n"
                 "[PicEntity] 2 0 0 Sprite pics.png\n");
    EXPECT_TRUE(traced(NO_PICTURE));
    Entity* ground = level->getEntity(1);
    ASSERT_NE(ground, nullptr);
    EXPECT_FALSE(ground->hasSprite());
    EXPECT_EQ(ground->getHitbox(), sf::FloatRect(0, 0, 0, 0));
    EXPECT_NE(level->getEntity(2), nullptr) << "reading goes on";
    level->draw();
    step();

    replaceLevel("[GroundEntity] 1 0 460 Sprite sol.png");
    ASSERT_NE(level->getEntity(1), nullptr) << "a file ending inside a section still builds it";
    EXPECT_EQ(level->getEntity(1)->getHitbox(), sf::FloatRect(0, 0, 0, 0)) << "no hitbox word: None";
    EXPECT_FALSE(traced(UNREADABLE));
    for (const char* cut :
         {"[DoorEntity] 2 10 10", "[DoorEntity] 2 10 10 Sprite", "[DoorEntity] 2 10 10 AnimatedSprite porte.png 1"}) {
        SCOPED_TRACE(cut);
        replaceLevel(cut);
        ASSERT_NE(level->getEntity(2), nullptr);
        EXPECT_FALSE(level->getEntity(2)->hasSprite());
        EXPECT_TRUE(traced(NO_PICTURE));
        EXPECT_FALSE(traced(UNREADABLE));
    }
    replaceLevel("[DoorEntity] 2 10");
    EXPECT_TRUE(level->getEntities().empty()) << "without its place an entity is not built";
}

TEST_F(MapTest, UnreadableNumbersStopReadingTheFile)
{
    replaceLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                 "[PicEntity] a 0 0 Sprite pics.png\n"
                 "[GroundEntity] 3 0 0 Sprite bloc.png HitboxSpriteFilled\n");
    EXPECT_TRUE(tracedLines({UNREADABLE, "    * data\\maps\\T\\T.zi"}));
    EXPECT_EQ(level->getEntities().size(), 1u);
    EXPECT_FALSE(traced(" -- Manager : Creation de l'item : data\\graphics\\map\\T\\pics.png"));

    replaceLevel("[PicEntity] 1 0 0 AnimatedSprite pics.png 1 two 0.1 0\n");
    EXPECT_TRUE(level->getEntities().empty()) << "a picture cut short gives back what it took";
    EXPECT_TRUE(traced(UNREADABLE));

    // Numbers beyond their use.
    for (const char* section :
         {"[CurrentLevelVortex] 1 2147483647 0", "[GroundEntity] 1 -2147483648 0 Sprite sol.png x",
          "[DoorEntity] 1 1000001 0 Sprite porte.png", "[DoorEntity] 1 99999999999 0 Sprite porte.png",
          "[Background] RepeatedSprite sol.png 3e38 0", "[Background] RepeatedSprite sol.png 0 nan",
          "[ActivableTrigger] 1 0 0 -1 inf Sprite bloc.png", "[PicEntity] 1 0 0 AnimatedSprite pics.png 41 2 -1 0",
          "[PicEntity] 1 0 0 AnimatedSprite pics.png 1 2 nan 0"}) {
        SCOPED_TRACE(section);
        replaceLevel(std::string(section) + "\n[DecorationEntity] 9 0 0 Sprite bloc.png\n");
        EXPECT_TRUE(traced(UNREADABLE));
        EXPECT_EQ(level->getEntity(1), nullptr);
        EXPECT_EQ(level->getBackground(), nullptr);
        EXPECT_EQ(level->getEntity(9), nullptr) << "reading stops there";
    }
    replaceLevel(
        "[DoorEntity] 1 -1000000 1000000 Sprite porte.png\n[PicEntity] 2 0 0 AnimatedSprite pics.png 40 40 -1 0\n");
    EXPECT_FALSE(traced(UNREADABLE)) << "the bounds themselves are fine";
    EXPECT_EQ(level->getEntities().size(), 2u);
}

TEST_F(MapTest, SolidEntitiesPushHurtAndReportInIdOrder)
{
    emptyRoom();
    CountingEntity* corner = add(1, {129, 137, 10, 10}, EntityFlag::Solid | EntityFlag::Deadly, 10);
    collide();
    EXPECT_EQ(position(), sf::Vector2f(100, 100)) << "an equal-sided overlap does not move the character";
    EXPECT_EQ(corner->collisions, 1);
    EXPECT_EQ(player().getVie(), 90);

    emptyRoom();
    CountingEntity* ghost = add(1, {100, 100, 32, 40}, EntityFlag::Deadly, 10);
    collide();
    EXPECT_EQ(position(), sf::Vector2f(100, 100)) << "non-solid: neither blocks nor hurts nor reports";
    EXPECT_EQ(player().getVie(), 100);
    EXPECT_EQ(ghost->collisions, 0);

    emptyRoom();
    add(1, {90, 130, 60, 40}, EntityFlag::Solid); // floor overlapping the feet by 10
    CountingEntity* second = add(2, {90, 132, 60, 5}, EntityFlag::Solid);
    collide();
    EXPECT_FLOAT_EQ(position().y, 90.f);
    EXPECT_EQ(second->collisions, 0) << "the first push moved the character off it";

    emptyRoom();
    CountingEntity* hot = add(1, {0, 460, 1000, 40}, EntityFlag::Solid | EntityFlag::Deadly, 10);
    player().setPosition(100, 425);
    step();
    EXPECT_EQ(player().getSol(), hot);
    EXPECT_EQ(player().getVie(), 90) << "landing overlaps once";
    step();
    EXPECT_EQ(player().getVie(), 80) << "then touching the ground it stands on hurts every frame";
    EXPECT_EQ(hot->collisions, 1);

    // A stall is played as a short frame, so that the floor holds.
    replaceLevel(FLOOR);
    player().setPosition(100, 380);
    game->app().getFrameClock().setFixedStep(2.f);
    step(10);
    EXPECT_EQ(player().getSol(), level->getEntity(1));
    EXPECT_FLOAT_EQ(position().y, 420.f);
}

TEST_F(MapTest, ActivationReachesTouchedActivableEntitiesInIdOrder)
{
    emptyRoom();
    std::vector<std::string> log;
    CountingEntity* high = add(5, {110, 110, 10, 10}, EntityFlag::Activable);
    CountingEntity* low = add(3, {100, 130, 50, 50}, EntityFlag::Activable);
    CountingEntity* far = add(4, {500, 500, 10, 10}, EntityFlag::Activable);
    CountingEntity* inert = add(6, {100, 100, 10, 10}, EntityFlags());
    for (CountingEntity* entity : {high, low, far})
        entity->log = &log;
    high->name = "5";
    low->name = "3";
    game->send(keyReleased(sf::Keyboard::E));
    EXPECT_TRUE(log.empty()) << "the key acts when pressed";
    game->send(keyPressed(sf::Keyboard::E));
    game->send(keyPressed(sf::Keyboard::E)); // key repeat activates again
    EXPECT_EQ(log, (std::vector<std::string>{"3", "5", "3", "5"}));
    EXPECT_EQ(far->activations, 0);
    EXPECT_EQ(inert->activations, 0);

    // A right click activates a touched entity only with the pointer on its picture.
    emptyRoom();
    CountingEntity* lever = add(1, {110, 110, 0, 0}, EntityFlag::Activable, 9999, true);
    CountingEntity* blind = add(2, {100, 100, 40, 40}, EntityFlag::Activable); // no picture: never under the pointer
    CountingEntity* away = add(3, {600, 300, 0, 0}, EntityFlag::Activable, 9999, true);
    game->send(mouseReleased(120, 120, sf::Mouse::Left));
    game->send(mouseReleased(300, 300, sf::Mouse::Right));
    EXPECT_EQ(lever->activations, 0);
    game->send(mouseReleased(120, 120, sf::Mouse::Right));
    EXPECT_EQ(lever->activations, 1);
    game->send(mouseReleased(610, 310, sf::Mouse::Right));
    EXPECT_EQ(away->activations, 0) << "pointer on it but the character does not touch it";
    EXPECT_EQ(blind->activations, 0);

    clearTrace();
    level->activerEntite(99);
    level->setEntityVisible(99, false);
    const std::vector<std::string> expected{" -*- ERROR : Activation de l'entite impossible",
                                            "    * Entite : 99 n'existe pas"};
    EXPECT_EQ(trace(), expected) << "activating a missing entity is reported";
}

TEST_F(MapTest, EscapePausesTheFrozenLevelAndF5ReloadsItWithoutSaving)
{
    startLevel(std::string(FLOOR) + "[DoorEntity] 2 600 350 Sprite porte.png\n");
    player().setPosition(100, 200);
    game->send(keyReleased(sf::Keyboard::Escape));
    ASSERT_NE(game->topAs<PauseMenu>(), nullptr);
    const sf::Vector2f frozen = position();
    step(30);
    EXPECT_EQ(position(), frozen);
    game->frame(); // the level is drawn under the menu
    game->send(keyReleased(sf::Keyboard::Escape));
    EXPECT_EQ(game->top(), level);

    level->activerEntite(2);
    player().takeDamage(30);
    clearTrace();
    game->send(keyReleased(sf::Keyboard::F5));
    EXPECT_FALSE(dynamic_cast<DoorEntity*>(level->getEntity(2))->isOpen());
    EXPECT_EQ(player().getVie(), 100) << "the health it was entered with";
    EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv"));
    EXPECT_TRUE(traced(" -- Chargement de la map : data\\maps\\T\\T.zi"));
}

// Floor spikes sunk into the floor by their plate: retracted, they lie flush with it.
TEST_F(MapTest, RetractedSpikesFlushWithTheFloorAreWalkedOverAndRaisedOnesKill)
{
    sf::Image image;
    image.create(40, 40, sf::Color::Red);
    for (unsigned y = 20; y < 34; ++y)
        for (unsigned x = 0; x < 40; ++x)
            image.setPixel(x, y, sf::Color::Transparent);
    writeImage("data\\graphics\\map\\T\\plaque.png", image);
    startLevel(std::string(FLOOR) + "[PicEntity] 2 300 446 AnimatedSprite plaque.png 1 2 -1 0\n"
                                    "[PicEntity] 3 340 446 AnimatedSprite plaque.png 1 2 -1 0\n");
    level->activerEntite(2);
    level->activerEntite(3);
    player().setPosition(200, 420);
    game->keyboard().hold(sf::Keyboard::D);
    step(90);
    EXPECT_GT(position().x, 400.f) << "the character walked over the retracted spikes";
    EXPECT_EQ(player().getVie(), 100);

    level->activerEntite(3);
    game->keyboard().release(sf::Keyboard::D);
    game->keyboard().hold(sf::Keyboard::Q);
    step(90);
    EXPECT_EQ(player().getVie(), 0) << "raised again, they kill";
}
