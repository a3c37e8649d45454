#include "dialogue/dialogue.h"
#include "entities/mapentity.h"
#include "menus/screen.h"
#include "support/leveldata.h"
#include "world/campaign.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const FRESH_SAVE_ON_T = "[Map]\nT\n[Player]\n0 0.5 0";

} // namespace

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
        writeImage("data\\graphics\\window\\fin\\fin.png", 1000, 500);
        writeButton("data\\graphics\\window\\fin\\menuPrincipal.png", 400, 70);
        writeButton("data\\graphics\\window\\fin\\rejouer.png", 400, 70);
        writeMap("01_USB", "[CurrentLevelVortex] 1 500 100\n");
    }
    // Walks into an exit that ends the campaign, with the gun in hand.
    void reachTheEnd()
    {
        startLevel(std::string("[NextLevelVortex] 5 300 300 ") + CAMPAIGN_END + "\n");
        player().peuxTirer(true);
        player().setPosition(300, 300);
        step();
    }
    int barWidth()
    {
        return player().getHealthBar().getTextureRect().width;
    }
};

TEST_F(ScreensTest, HealthBarShowsWhatIsLeftAndDeathOpensTheGameOverScreenOnce)
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
    player().takeDamage(20);
    EXPECT_EQ(game->topAs<GameOver>(), nullptr);
    player().takeDamage(10);
    EXPECT_EQ(player().getVie(), 0);
    EXPECT_EQ(barWidth(), 0);
    ASSERT_NE(game->topAs<GameOver>(), nullptr);
    const std::size_t states = game->stateCount();
    player().takeDamage(10);
    EXPECT_EQ(game->stateCount(), states) << "a dead character takes no more damage";

    game->send(mouseReleased(400, 430)); // "Menu principal" stores the current map
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), FRESH_SAVE_ON_T);
}

TEST_F(ScreensTest, TheHudLetsTheCharacterShowThroughWhileItIsBehindIt)
{
    writeImage("data\\graphics\\character\\v1.png", 128, 80, sf::Color::Red);
    writeImage("data\\graphics\\window\\hud\\bulle.png", 56, 56, sf::Color::Blue);
    startLevel("[GroundEntity] 1 0 0 Sprite sol.png HitboxSpriteFilled\n");
    player().canToggleGravity(true);
    player().toggleGravity();
    player().setPosition(20, 40); // on the ceiling, under the bubble at (5, 5)
    step(30);
    const sf::Color covered = game->drawnStates().getPixel(30, 50);
    EXPECT_GT(covered.r, 100) << "the character is hidden by the bubble";
    EXPECT_GT(covered.b, 40) << "the bubble is gone";

    player().setPosition(400, 40);
    step(30);
    EXPECT_EQ(game->drawnStates().getPixel(30, 50), sf::Color::Blue) << "solid again once the character has left";
}

TEST_F(ScreensTest, RestartAndAnExitToTheSameMapReloadItWithoutSaving)
{
    startLevel("[CurrentLevelVortex] 1 100 300\n[PicEntity] 2 100 440 AnimatedSprite pics.png 1 2 -1 0\n"
               "[NextLevelVortex] 5 300 300 T\n");
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

    player().setPosition(300, 300);
    step(40);
    game->send(keyPressed(sf::Keyboard::Space));
    EXPECT_EQ(game->top(), level) << "through the exit to T";
    EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv"));
}

TEST_F(ScreensTest, VortexCentresTheCharacterWithWholeNumberHalves)
{
    writeImage("data\\graphics\\character\\v1.png", 80, 60); // frames of 20 x 30
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

// The interlude after an exit: shown once, passed only by a fresh press after half a second,
// and, like every screen with buttons, showing the arrow over the gun's crosshair.
TEST_F(ScreensTest, ExitOpensTheInterludeThatOnlyAFreshPressPasses)
{
    startLevel("[NextLevelVortex] 5 300 300 Next\n");
    player().peuxTirer(true);
    player().peuxTirer(true);
    EXPECT_EQ(game->rm().getCursorCount(), 2u) << "the gun granted twice pushes one crosshair";
    EXPECT_EQ(level->getEntity(5)->getHitbox(), sf::FloatRect(300, 300, 64, 64));

    game->keyboard().hold(sf::Keyboard::D); // walking into the exit
    player().setPosition(270, 310);         // touching from the left
    step();
    ASSERT_NE(game->topAs<MapInterlude>(), nullptr);
    EXPECT_EQ(player().getHitbox().left, 316.f);
    EXPECT_EQ(player().getHitbox().top, 312.f);
    EXPECT_EQ(game->rm().getCursorCount(), 3u) << "the arrow over the crosshair";
    const std::size_t states = game->stateCount();
    step(9);
    EXPECT_EQ(game->stateCount(), states) << "the frozen level opens nothing more";
    game->send(keyPressed(sf::Keyboard::Space)); // pressed too early, then held
    step(20);
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "blocked for half a second";
    step();
    game->send(keyReleased(sf::Keyboard::A));
    game->send(mouseReleased(10, 10));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "releases and clicks do nothing";
    game->send(keyPressed(sf::Keyboard::Space));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "the repeat of a key pressed too early";
    game->send(keyPressed(sf::Keyboard::D));
    game->send(keyPressed(sf::Keyboard::D));
    EXPECT_NE(game->topAs<MapInterlude>(), nullptr) << "the repeat of the walk key held since before";
    game->keyboard().release(sf::Keyboard::D);
    game->send(keyReleased(sf::Keyboard::D));
    game->send(keyPressed(sf::Keyboard::D));
    EXPECT_EQ(game->top(), level) << "a new press passes it";
    EXPECT_EQ(level->getMapName(), "Next");
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n[Player]\n1 0.5 0") << "the save names the map left";
    EXPECT_EQ(player().getHitbox().left, 516.f) << "placed by the next map's entry";
    EXPECT_EQ(game->rm().getCursorCount(), 2u) << "the crosshair is back";
    player().peuxTirer(false);
    player().peuxTirer(false);
    EXPECT_EQ(game->rm().getCursorCount(), 1u);

    auto* interlude = new MapInterlude(&game->rm(), "Next");
    game->app().addGameState(interlude);
    game->app().getFrameClock().setFixedStep(0.6f);
    step();
    EXPECT_TRUE(interlude->canBePassed()) << "a long first frame makes it passable";
}

TEST_F(ScreensTest, TheEndOfTheCampaignLeadsToTheEndingThenTheMainMenuOrTheFirstMapInTheSameSlot)
{
    reachTheEnd();
    ASSERT_NE(game->topAs<ScreenFin>(), nullptr);
    EXPECT_EQ(game->rm().getCursorCount(), 3u) << "the arrow over the gun's crosshair, for the buttons";
    game->send(keyPressed(sf::Keyboard::A));
    game->send(mouseReleased(10, 10));
    step(60);
    EXPECT_NE(game->topAs<ScreenFin>(), nullptr) << "only its buttons lead on";
    EXPECT_FALSE(traced(" -- Chargement de la map : " + Map::mapFile(CAMPAIGN_END)));

    game->send(mouseReleased(700, 445)); // "Rejouer"
    Map* journey = game->topAs<Map>();
    ASSERT_NE(journey, nullptr);
    EXPECT_EQ(journey->getMapName(), FIRST_MAP);
    EXPECT_EQ(game->stateCount(), 2u) << "over the main menu, nothing else left";
    EXPECT_FALSE(journey->getPlayer()->canShoot()) << "a fresh character";
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n[Player]\n1 0.5 0") << "the end reached, saved";
    game->app().mainMenu();
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\n01_USB\n[Player]\n0 0.5 0") << "in the same slot";

    reachTheEnd();
    game->send(mouseReleased(290, 445)); // "Menu principal"
    EXPECT_EQ(game->stateCount(), 1u);
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
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), FRESH_SAVE_ON_T);
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
        EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), FRESH_SAVE_ON_T);
        std::remove("data/saves/01/save.sv");
    }
}
