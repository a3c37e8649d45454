#include "dialogue/dialogue.h"
#include "entities/structentity.h"
#include "menus/screen.h"
#include "support/leveldata.h"

// A restart (F5, or "Recommencer" after a death) brings back the level and the character as
// they were when the character entered the map, and does not make the player read again
// what the level told them by itself.
class RestartTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeImage("data\\graphics\\window\\gameOver\\gameOver.png", 1000, 500);
        writeButton("data\\graphics\\window\\gameOver\\recommencer.png", 500, 70);
        writeButton("data\\graphics\\window\\gameOver\\menuPrincipal.png", 500, 70);
        // Walking into the module hands over the gun, a faster trigger and gravity reversal.
        writeFile("data\\s\\module.txt",
                  "[TypeDeclenchement] OnCollision\n[PlayerCanShoot] 1\n[PlayerCanToggleGravity] 1\n");
        writeFile("data\\d\\hello.dia", "[Actor] Korvane background 46 230 214\n[Dialogue]\n"
                                        "0 -1 -1 255 255 255 Bonjour#\n\n");
        writeFile("data\\s\\hello.txt", "[TypeDeclenchement] OnMapLoading\n[ShowDialogue] data\\d\\hello.dia 9\n");
        writeFile("data\\s\\sign.txt", "[TypeDeclenchement] OnCollision\n[ShowDialogue] data\\d\\hello.dia -1\n");
    }
    // Floor, ceiling, the entry on the left and the module on the floor to its right.
    Map& startRoom(Player* entering = nullptr)
    {
        return replaceLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                            "[GroundEntity] 2 0 0 Sprite sol.png HitboxSpriteFilled\n"
                            "[CurrentLevelVortex] 3 100 396\n"
                            "[ScriptedEntity] 4 300 420 data\\s\\module.txt Sprite bloc.png\n",
                            entering);
    }
    // Walks right into the module, then turns upside down onto the ceiling.
    void takeTheModuleAndTurnOver()
    {
        land();
        game->keyboard().hold(sf::Keyboard::D);
        for (int i = 0; i < 120 && !player().canShoot(); ++i)
            step();
        game->keyboard().release(sf::Keyboard::D);
        ASSERT_TRUE(player().canShoot());
        player().setShootDelay(0.1f);
        land();
        game->send(keyReleased(sf::Keyboard::LShift));
        land();
        ASSERT_FALSE(player().isGravityNormal());
        ASSERT_EQ(player().getSol(), level->getEntity(2)) << "standing on the ceiling";
    }
    void expectAsEntered(const char* how)
    {
        SCOPED_TRACE(how);
        EXPECT_FALSE(player().canShoot()) << "the module must be taken again";
        EXPECT_EQ(game->rm().getCursorCount(), 1u) << "no crosshair without the gun";
        EXPECT_FALSE(player().canReverseGravity());
        EXPECT_FLOAT_EQ(player().getShootDelay(), 0.5f);
        EXPECT_TRUE(player().isGravityNormal());
        EXPECT_EQ(player().getSprite().getEtatY(), 0) << "facing as it entered";
        land();
        EXPECT_EQ(player().getSol(), level->getEntity(1)) << "back on its feet on the floor";
        EXPECT_FLOAT_EQ(player().getHitbox().top, 420.f);
    }
    void die()
    {
        player().takeDamage(9999);
        ASSERT_NE(game->topAs<GameOver>(), nullptr);
    }
    void clickRestart()
    {
        game->send(mouseReleased(400, 330));
        ASSERT_EQ(game->top(), level);
    }
};

TEST_F(RestartTest, F5AndRestartAfterDeathBringTheCharacterBackAsItEnteredTheMap)
{
    startRoom();
    takeTheModuleAndTurnOver();
    game->send(keyReleased(sf::Keyboard::F5));
    expectAsEntered("F5");

    takeTheModuleAndTurnOver();
    die();
    EXPECT_EQ(game->rm().getCursorCount(), 3u) << "the arrow over the crosshair";
    clickRestart();
    expectAsEntered("restart after death");
    EXPECT_EQ(player().getVie(), 100);

    // What the character brought into the map stays with it.
    auto* entering = new Player(&game->rm());
    entering->peuxTirer(true);
    entering->setShootDelay(0.25f);
    startRoom(entering);
    player().peuxTirer(false); // a script takes the gun away
    die();
    clickRestart();
    EXPECT_TRUE(player().canShoot());
    EXPECT_FLOAT_EQ(player().getShootDelay(), 0.25f);
    EXPECT_EQ(game->rm().getCursorCount(), 2u) << "the crosshair is back, and the screen's arrow gone";
}

TEST_F(RestartTest, OnlyTheDialoguesTheLevelAlreadyShowedAreNotShownAgain)
{
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n"
               "[ScriptedEntity] 4 0 0 data\\s\\hello.txt Sprite bloc.png\n");
    step();
    ASSERT_NE(game->topAs<Dialogue>(), nullptr) << "the level greets the player";
    game->send(keyReleased(sf::Keyboard::Return));
    ASSERT_EQ(game->top(), level);
    EXPECT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen());

    game->send(keyReleased(sf::Keyboard::F5));
    EXPECT_FALSE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen());
    step();
    EXPECT_EQ(game->top(), level) << "read already: not shown again";
    EXPECT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen()) << "opened in the same update";

    die();
    clickRestart();
    step();
    EXPECT_EQ(game->top(), level);

    writeMap("Other", "");
    level->changeMap("Other");
    level->changeMap("T");
    step();
    EXPECT_NE(game->topAs<Dialogue>(), nullptr) << "leaving the map forgets what was read";
    game->send(keyReleased(sf::Keyboard::Return));

    // A dialogue not read yet is shown.
    writeFile("data\\s\\later.txt", "[TypeDeclenchement] AfterWait 2\n[ShowDialogue] data\\d\\hello.dia -1\n");
    replaceLevel("[ScriptedEntity] 4 0 0 data\\s\\later.txt Sprite bloc.png\n");
    step(60);
    die(); // before the level had anything to say
    clickRestart();
    step(121);
    EXPECT_NE(game->topAs<Dialogue>(), nullptr);
    game->send(keyReleased(sf::Keyboard::Return));

    // A dialogue the player opens still shows.
    replaceLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                 "[CurrentLevelVortex] 3 100 396\n"
                 "[ScriptedEntity] 4 300 420 data\\s\\sign.txt Sprite bloc.png\n");
    for (int attempt = 0; attempt < 2; ++attempt) {
        land();
        game->keyboard().hold(sf::Keyboard::D);
        for (int i = 0; i < 60 && game->top() == level; ++i)
            step();
        game->keyboard().release(sf::Keyboard::D);
        ASSERT_NE(game->topAs<Dialogue>(), nullptr) << "walking into the sign, attempt " << attempt + 1;
        game->send(keyReleased(sf::Keyboard::Return));
        game->send(keyReleased(sf::Keyboard::F5));
    }
}
