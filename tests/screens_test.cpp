#include "dialogue/dialogue.h"
#include "entities/mapentity.h"
#include "menus/screen.h"
#include "support/leveldata.h"

#include <algorithm>
#include <cstdio>

// Health, the exits of a level and the two screens they lead to.
class ScreensTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeImage("data\\graphics\\window\\mapInterlude.png", 1000, 500);
        writeImage("data\\graphics\\window\\gameOver\\gameOver.png", 1000, 500, sf::Color(0, 0, 0, 100));
        writeButton("data\\graphics\\window\\gameOver\\recommencer.png", 500, 70);
        writeButton("data\\graphics\\window\\gameOver\\menuPrincipal.png", 500, 70);
        writeSound("data\\sounds\\gameOver.ogg", 0.05f);
        writeMap("Next", "[CurrentLevelVortex] 1 500 100\n");
    }
    int barWidth()
    {
        return player().getHealthBar().getTextureRect().width;
    }
};

TEST_F(ScreensTest, HealthBarShowsTheShareOfHealthLeft)
{
    startLevel("");
    player().takeDamage(50);
    EXPECT_EQ(barWidth(), 75);
    player().setVie(-1);
    EXPECT_EQ(barWidth(), 150);

    writeImage("data\\graphics\\window\\hud\\vie.png", 98, 18);
    game->rm().killTexture("data\\graphics\\window\\hud\\vie.png"); // the next player loads the new file
    startLevel("");
    player().takeDamage(75);
    EXPECT_EQ(barWidth(), 24) << "24.5 pixels are shown as 24";
}

TEST_F(ScreensTest, DeathOpensTheGameOverScreenOnceAndLeavesHealthAtZero)
{
    startLevel("");
    player().takeDamage(60);
    EXPECT_EQ(game->topAs<GameOver>(), nullptr);
    player().takeDamage(60);
    EXPECT_EQ(player().getVie(), 0);
    EXPECT_EQ(barWidth(), 0);
    ASSERT_NE(game->topAs<GameOver>(), nullptr);
    const std::size_t states = game->stateCount();
    player().takeDamage(10);
    EXPECT_EQ(game->stateCount(), states) << "a dead character takes no more damage";
}

TEST_F(ScreensTest, RestartReloadsTheMapAtFullHealthWithoutSaving)
{
    startLevel("[CurrentLevelVortex] 1 100 300\n[PicEntity] 2 100 440 AnimatedSprite pics.png 1 2 -1 0\n");
    for (int i = 0; i < 120 && !game->topAs<GameOver>(); ++i)
        step();
    ASSERT_NE(game->topAs<GameOver>(), nullptr) << "the spikes under the entry kill";
    game->send(mouseReleased(100, 100));
    game->send(keyReleased(sf::Keyboard::Return));
    EXPECT_NE(game->topAs<GameOver>(), nullptr) << "only its buttons act";
    clearTrace();
    game->send(mouseReleased(400, 330, sf::Mouse::Right));
    EXPECT_EQ(game->top(), level);
    EXPECT_EQ(player().getVie(), 100);
    EXPECT_TRUE(traced(" -- Chargement de la map : data\\maps\\T\\T.zi"));
    EXPECT_EQ(player().getHitbox().left, 116.f) << "back on the entry";
    EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv"));
}

TEST_F(ScreensTest, MainMenuFromGameOverStoresTheCurrentMap)
{
    startLevel("");
    player().takeDamage(100);
    game->send(mouseReleased(400, 430));
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n[Player]\n0 0.5 0");
}

TEST_F(ScreensTest, VortexCentresTheCharacterWithWholeNumberHalves)
{
    writeImage("data\\graphics\\character\\v1.png", 80, 60); // frames of 20 x 30
    game = std::make_unique<GameHarness>();
    startLevel("[CurrentLevelVortex] 1 100 300\n");
    EXPECT_EQ(player().getHitbox(), sf::FloatRect(122, 317, 20, 30));
    Entity& entry = *level->getEntity(1);
    EXPECT_EQ(entry.getHitbox(), sf::FloatRect(0, 0, 0, 0)) << "never in the way";
    EXPECT_FALSE(entry.isSolid());

    writeImage("data\\graphics\\map\\common\\currentLevelVortex.png", 65, 64);
    writeImage("data\\graphics\\character\\v1.png", 84, 60); // frames of 21 x 30
    game = std::make_unique<GameHarness>();
    startLevel("[CurrentLevelVortex] 1 100 300\n");
    EXPECT_EQ(player().getHitbox().left, 121.f) << "132 - 10.5, whole part";
}

TEST_F(ScreensTest, ExitCentresTheCharacterAndOpensTheInterludeOnce)
{
    startLevel("[NextLevelVortex] 5 300 300 Next\n");
    EXPECT_EQ(level->getEntity(5)->getHitbox(), sf::FloatRect(300, 300, 64, 64));
    player().setPosition(270, 310); // touching from the left
    step();
    ASSERT_NE(game->topAs<MapInterlude>(), nullptr);
    EXPECT_EQ(player().getHitbox().left, 316.f);
    EXPECT_EQ(player().getHitbox().top, 312.f);
    const std::size_t states = game->stateCount();
    step(5);
    EXPECT_EQ(game->stateCount(), states) << "the frozen level opens nothing more";
}

TEST_F(ScreensTest, InterludeWaitsHalfASecondThenAnyKeyPressEntersTheNextMap)
{
    startLevel("[NextLevelVortex] 5 300 300 Next\n");
    player().setPosition(300, 300);
    step();
    ASSERT_NE(game->topAs<MapInterlude>(), nullptr);
    step(29);
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "blocked for half a second";
    step();
    game->send(keyReleased(sf::Keyboard::A));
    game->send(mouseReleased(10, 10));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "releases and clicks do nothing";
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_EQ(game->top(), level);
    EXPECT_EQ(level->getMapName(), "Next");
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n[Player]\n0 0.5 0") << "the save names the map left";
    EXPECT_EQ(player().getHitbox().left, 516.f) << "placed by the next map's entry";
}

TEST_F(ScreensTest, ALongFirstFrameMakesTheInterludePassable)
{
    startLevel("");
    auto* interlude = new MapInterlude(&game->rm(), "Next");
    game->app().addGameState(interlude);
    game->app().getFrameClock().setFixedStep(0.6f);
    step();
    EXPECT_TRUE(interlude->canBePassed());
}

TEST_F(ScreensTest, ExitToTheSameMapReloadsItWithoutSaving)
{
    startLevel("[NextLevelVortex] 5 300 300 T\n");
    player().setPosition(300, 300);
    step(40);
    game->send(keyPressed(sf::Keyboard::Space));
    EXPECT_EQ(game->top(), level);
    EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv"));
}

TEST_F(ScreensTest, GunGrantedOncePushesOneCrosshair)
{
    startLevel("");
    player().peuxTirer(false);
    EXPECT_EQ(game->rm().getCursorCount(), 1u);
    player().peuxTirer(true);
    player().peuxTirer(true);
    EXPECT_EQ(game->rm().getCursorCount(), 2u);
    player().peuxTirer(false);
    EXPECT_EQ(game->rm().getCursorCount(), 1u);
}

// A map whose loading opens a dialogue: an inversed door under the id of a scripted
// entity runs its script while the map is read.
TEST_F(ScreensTest, ScreensThatChangeTheMapRemoveThemselvesNotWhatTheMapOpened)
{
    writeFile("data\\s.txt", "[ShowDialogue] data\\d.dia -1\n");
    writeFile("data\\d.dia", "[Actor] Korvane background 1 2 3\n[Dialogue]\n0 -1 -1 0 0 0 bienvenue#\n");
    writeMap("Next", "[CurrentLevelVortex] 1 500 100\n[ScriptedEntity] 7 0 0 data\\s.txt Sprite bloc.png\n"
                     "[InversedDoorEntity] 7 0 0 Sprite porte.png\n");
    startLevel("[NextLevelVortex] 5 300 300 Next\n");
    player().setPosition(300, 300);
    step(40);
    ASSERT_NE(game->topAs<MapInterlude>(), nullptr);
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_EQ(level->getMapName(), "Next");
    ASSERT_NE(game->topAs<Dialogue>(), nullptr) << "the dialogue stays, the interlude is gone";
    EXPECT_EQ(game->stateCount(), 3u);
    game->send(keyReleased(sf::Keyboard::Return));
    EXPECT_EQ(game->top(), level) << "nothing is left stuck over the level";

    player().takeDamage(9999);
    ASSERT_NE(game->topAs<GameOver>(), nullptr);
    game->send(mouseReleased(500, 335)); // "Recommencer"
    ASSERT_NE(game->topAs<Dialogue>(), nullptr) << "the restarted map's dialogue, not the game-over screen";
    EXPECT_EQ(game->stateCount(), 3u);
    EXPECT_EQ(player().getVie(), 100);
}

TEST_F(ScreensTest, AnExitToAMapThatCannotBeOpenedKeepsThePlayerOnThisMap)
{
    startLevel("[NextLevelVortex] 5 300 300 01_USb\n[GroundEntity] 6 0 460 Sprite sol.png HitboxSpriteFilled\n");
    player().setPosition(300, 300);
    clearTrace();
    step(40);
    EXPECT_EQ(game->top(), level) << "no interlude to a map that is not there";
    const std::vector<std::string> all = trace();
    EXPECT_EQ(std::count(all.begin(), all.end(), "    * data\\maps\\01_USb\\01_USb.zi"), 1) << "said once";
    EXPECT_TRUE(traced(" *** ERREUR : Echec de l'ouverture de la map :"));
    game->keyboard().hold(sf::Keyboard::Q);
    step(60);
    EXPECT_LT(position().x, 270.f) << "the player walks on";
    EXPECT_EQ(game->top(), level);
    game->send(keyReleased(sf::Keyboard::F11));
    EXPECT_FALSE(readFile("data\\saves\\01\\save.sv").find("01_USb") != std::string::npos);
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n[Player]\n0 0.5 0");
}

// Spikes inside an exit: death and the exit in the same update, whichever comes first by id.
TEST_F(ScreensTest, DeathInTheSameUpdateAsTheExitWins)
{
    for (int spikesId : {4, 6}) {
        game = std::make_unique<GameHarness>();
        startLevel("[NextLevelVortex] 5 300 300 Next\n[PicEntity] " + std::to_string(spikesId) +
                   " 310 320 Sprite pics.png\n");
        player().setPosition(300, 340);
        step();
        EXPECT_NE(game->topAs<GameOver>(), nullptr) << "spikes " << spikesId;
        EXPECT_EQ(game->app().getState(game->stateCount() - 2), level) << "no interlude under the game over";
        EXPECT_EQ(level->getMapName(), "T");
        EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv")) << "no save names a map not reached";
        game->send(mouseReleased(400, 430)); // back to the main menu: the save names this map
        EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n[Player]\n0 0.5 0");
        std::remove("data/saves/01/save.sv");
    }
}

TEST_F(ScreensTest, AKeyHeldIntoTheExitDoesNotPassTheInterlude)
{
    startLevel("[NextLevelVortex] 5 300 300 Next\n");
    game->keyboard().hold(sf::Keyboard::D);
    player().setPosition(300, 300);
    step();
    ASSERT_NE(game->topAs<MapInterlude>(), nullptr);
    step(60);
    game->send(keyPressed(sf::Keyboard::D)); // the key repeat of the held key
    game->send(keyPressed(sf::Keyboard::D));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "still shown: the walk key was held since before";
    game->keyboard().release(sf::Keyboard::D);
    game->send(keyReleased(sf::Keyboard::D));
    game->send(keyPressed(sf::Keyboard::D));
    EXPECT_EQ(level->getMapName(), "Next") << "a new press passes it";
}

TEST_F(ScreensTest, AKeyPressedTooEarlyAndHeldDoesNotPassTheInterludeByItsRepeat)
{
    startLevel("[NextLevelVortex] 5 300 300 Next\n");
    player().setPosition(300, 300);
    step(10);
    game->send(keyPressed(sf::Keyboard::Space)); // blocked for half a second
    step(40);
    game->send(keyPressed(sf::Keyboard::Space));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr);
    game->send(keyPressed(sf::Keyboard::Return));
    EXPECT_EQ(level->getMapName(), "Next");
}

TEST_F(ScreensTest, ScreensWithButtonsShowTheArrowAndGiveTheCrosshairBack)
{
    auto* armed = new Player(&(game = std::make_unique<GameHarness>())->rm());
    armed->peuxTirer(true);
    startLevel("[NextLevelVortex] 5 300 300 Next\n", armed);
    EXPECT_EQ(game->rm().getCursorCount(), 2u);
    player().setPosition(300, 300);
    step();
    ASSERT_NE(game->topAs<MapInterlude>(), nullptr);
    EXPECT_EQ(game->rm().getCursorCount(), 3u) << "the arrow over the crosshair";
    step(31);
    game->send(keyPressed(sf::Keyboard::Space));
    EXPECT_EQ(game->rm().getCursorCount(), 2u) << "the crosshair is back";

    player().takeDamage(9999);
    EXPECT_EQ(game->rm().getCursorCount(), 3u);
    game->send(mouseReleased(400, 330));
    EXPECT_EQ(game->rm().getCursorCount(), 2u);
    EXPECT_TRUE(player().canShoot());
}
