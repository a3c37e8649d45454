#include "core/commandline.h"
#include "resources/savefile.h"
#include "support/leveldata.h"

#include <fstream>
#include <iterator>

namespace {

const char* const SLOT1 = "data\\saves\\01\\save.sv";
const char* const USAGE = " -- Usage : korvane [--map NOM]\n";

} // namespace

// What a map author uses to try a map out: the game started directly on it.
class AuthorToolsTest : public LevelTest
{
};

TEST_F(AuthorToolsTest, TheCommandLineNamesAMapOnlyWhenItsFileOpensAndItStartsWithAFreshCharacter)
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

// The author overlay, F3 in a level, on a black screen.
class AuthorOverlayTest : public AuthorToolsTest
{
protected:
    void toggle()
    {
        game->send(keyReleased(sf::Keyboard::F3));
    }
    // Bright pixels in an area: the overlay's white pointer label, not its faint grid.
    int whiteIn(const sf::Image& shown, const sf::IntRect& area)
    {
        int n = 0;
        for (int y = area.top; y < area.top + area.height; ++y)
            for (int x = area.left; x < area.left + area.width; ++x)
                n += shown.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).g > 200;
        return n;
    }
};

TEST_F(AuthorOverlayTest, OffByDefaultF3ShowsGridPointerAndHitboxesThenHidesThem)
{
    startLevel("[GroundEntity] 7 410 330 Sprite bloc.png HitboxSpriteFilled\n");
    level->setEntityVisible(7, false); // still solid: what an author has to see
    player().setPosition(600, 100);
    game->send(mouseMoved(300, 200));
    const sf::IntRect label(310, 210, 80, 20);
    // A column of the grid, and a point of the hidden block's left edge off the grid's lines.
    const auto shows = [this](const sf::Image& shown) {
        return std::make_pair(shown.getPixel(40, 250), shown.getPixel(410, 345));
    };
    EXPECT_EQ(shows(game->drawnStates()), std::make_pair(sf::Color::Black, sf::Color::Black));
    EXPECT_EQ(whiteIn(game->drawnStates(), label), 0);

    toggle();
    const sf::Image shown = game->drawnStates();
    EXPECT_NE(shown.getPixel(40, 250), sf::Color::Black) << "a line every 20 pixels";
    EXPECT_EQ(shown.getPixel(50, 250), sf::Color::Black) << "and nothing between";
    EXPECT_EQ(shown.getPixel(410, 345), sf::Color(255, 70, 70)) << "the solid block outlined in red";
    EXPECT_GT(whiteIn(shown, label), 20) << "the pointer's coordinates beside it";

    toggle();
    EXPECT_EQ(shows(game->drawnStates()), std::make_pair(sf::Color::Black, sf::Color::Black));
}

// The authors' guide quotes its examples from the files of the tree, each block under the
// path of its file (```data/maps/exemple/exemple.zi): a quote that no longer matches its
// file teaches something the game does not do.
TEST(AuthorsGuide, QuotesItsExamplesAsTheirFilesSayThem)
{
    const std::string root = KORVANE_SOURCE_DIR;
    std::ifstream guide(root + "/docs/authoring.md");
    ASSERT_TRUE(guide) << "docs/authoring.md";
    int quotes = 0;
    std::string line;
    while (std::getline(guide, line)) {
        if (line.rfind("```", 0) != 0 || line.size() == 3)
            continue;
        const std::string path = line.substr(3);
        std::string quote;
        while (std::getline(guide, line) && line != "```")
            quote += line + "\n";
        std::ifstream file(root + "/" + path);
        ASSERT_TRUE(file) << path << " is quoted but is not in the tree";
        const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_NE(content.find(quote), std::string::npos) << path << " no longer says:\n" << quote;
        ++quotes;
    }
    EXPECT_GE(quotes, 5);
}
