#include "core/commandline.h"
#include "menus/slotmenu.h"
#include "support/leveldata.h"

namespace {

const char* const SLOT1 = "data\\saves\\01\\save.sv";
const char* const USAGE = " -- Usage : korvane [--map NOM]\n";

} // namespace

// What a map author uses to try a map out: the game started directly on it.
class AuthorToolsTest : public LevelTest
{
};

TEST_F(AuthorToolsTest, TheCommandLineNamesAMapOnlyWhenItsFileOpens)
{
    writeMap("02_BUS", "");
    EXPECT_EQ(readCommandLine({}).mapName, "") << "no argument: the main menu";
    EXPECT_EQ(readCommandLine({}).error, "");

    const CommandLine good = readCommandLine({"--map", "02_BUS"});
    EXPECT_EQ(good.mapName, "02_BUS");
    EXPECT_EQ(good.error, "");

    EXPECT_EQ(readCommandLine({"--map", "02_BSU"}).error,
              std::string(" *** ERREUR : Echec de l'ouverture de la map :\n    * data\\maps\\02_BSU\\02_BSU.zi\n") +
                  USAGE)
        << "a misspelt name never starts an empty level";
    EXPECT_EQ(readCommandLine({"--map"}).error,
              std::string(" *** ERREUR : Nom de map manquant :\n    * --map\n") + USAGE);
    EXPECT_EQ(readCommandLine({"--carte", "02_BUS"}).error,
              std::string(" *** ERREUR : Argument inconnu :\n    * --carte\n") + USAGE);
}

TEST_F(AuthorToolsTest, AMapStartedDirectlyHasAFreshCharacterSavedInSlotOne)
{
    writeFile(SLOT1, "[Map]\n02_BUS\n[Player]\n1 0.25 1");
    writeMap("T", "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n[CurrentLevelVortex] 2 100 396\n");
    game = std::make_unique<GameHarness>();
    game->app().startOnMap("T");

    Map* map = game->topAs<Map>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(game->stateCount(), 2u) << "over the main menu";
    EXPECT_EQ(map->getMapName(), "T");
    EXPECT_FALSE(map->getPlayer()->canShoot()) << "the slot's abilities are not restored";
    EXPECT_FALSE(map->getPlayer()->canReverseGravity());
    game->send(keyReleased(sf::Keyboard::F11));
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_EQ(readFile(SLOT1), "[Map]\nT\n[Player]\n0 0.5 0");
}
