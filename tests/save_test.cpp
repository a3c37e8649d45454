#include "menus/loadingmenu.h"
#include "menus/newgamemenu.h"
#include "resources/savefile.h"
#include "support/leveldata.h"

#include <sstream>

namespace {

const char* const SLOT1 = "data\\saves\\01\\save.sv";
const char* const FRESH_SAVE = "[Map]\n01_USB\n[Player]\n0 0.5 0";
const char* const BUS_SAVE = "[Map]\n02_BUS\n[Player]\n1 0.25 1";

} // namespace

class SaveTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeSlotMenus();
        writeImage("data\\graphics\\window\\newGameMenu\\slotIllisible.png", 306, 82, sf::Color::Red);
        for (const char* map : {"01_USB", "02_BUS", "T"})
            writeButton(std::string("data\\graphics\\map\\") + map + "\\mapIcon.png", 304, 80);
        writeMap("01_USB", "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n");
        writeMap("02_BUS", "");
        writeFile("data\\saves\\02\\README", "slot 2\n");
        writeFile("data\\saves\\03\\README", "slot 3\n");
        game = std::make_unique<GameHarness>();
    }
    // Releases a click in the middle of slot 1, 2 or 3 of a slot menu.
    void clickSlot(int slot)
    {
        game->send(mouseReleased(500, 250 + 91 * (slot - 1)));
    }
    Map* currentLevel()
    {
        return game->rm().getMap();
    }
};

TEST_F(SaveTest, EmptySlotsStartANewGameThatSavesTheMapsItLeavesButNotAReload)
{
    game->send(mouseReleased(500, 320)); // "Charger"
    for (int slot = 1; slot <= 3; ++slot)
        clickSlot(slot);
    EXPECT_NE(game->topAs<LoadingMenu>(), nullptr) << "no saved slot to load";
    game->send(keyPressed(sf::Keyboard::Escape));
    EXPECT_NE(game->topAs<LoadingMenu>(), nullptr) << "Escape acts on its release";
    game->send(mouseReleased(30, 30)); // the back arrow
    EXPECT_EQ(game->stateCount(), 1u);

    clearTrace();
    game->send(mouseReleased(500, 240)); // "Nouvelle partie"
    ASSERT_NE(game->topAs<NewGameMenu>(), nullptr);
    for (const char* line : {" -*- Loading Menu : Slot 1 non present", " -*- Loading Menu : Slot 2 non present",
                             " -*- Loading Menu : Slot 3 non present"})
        EXPECT_TRUE(traced(line)) << line;
    clickSlot(1);
    ASSERT_NE(game->topAs<Map>(), nullptr);
    EXPECT_EQ(currentLevel()->getMapName(), "01_USB");
    EXPECT_FALSE(fileExists(SLOT1)) << "nothing is saved before the game has a map";
    currentLevel()->changeMap("01_USB");
    EXPECT_FALSE(fileExists(SLOT1)) << "reloading the map saves nothing";
    step(10);
    game->app().mainMenu();
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_EQ(readFile(SLOT1), FRESH_SAVE);
    EXPECT_EQ(game->rm().getMap(), nullptr);

    game->send(mouseReleased(500, 240)); // "Nouvelle partie"
    clickSlot(2);
    currentLevel()->getPlayer()->setShootDelay(0.25f);
    currentLevel()->changeMap("02_BUS");
    EXPECT_EQ(readFile("data\\saves\\02\\save.sv"), "[Map]\n01_USB\n[Player]\n0 0.25 0") << "the map being left";
}

TEST_F(SaveTest, AnOccupiedSlotAsksBeforeANewGameTakesItAndKeepsItsFileUntilTheFirstSave)
{
    writeFile(SLOT1, BUS_SAVE);
    game->send(mouseReleased(500, 240)); // "Nouvelle partie"
    auto* menu = game->topAs<NewGameMenu>();
    ASSERT_NE(menu, nullptr);
    clickSlot(1);
    EXPECT_EQ(menu->getSlotToConfirm(), 0) << "asks first";
    game->frame(); // the question is drawn
    game->send(keyReleased(sf::Keyboard::Escape));
    EXPECT_EQ(game->top(), menu) << "Escape cancels the question, not the menu";
    EXPECT_EQ(menu->getSlotToConfirm(), -1);
    clickSlot(1);
    game->send(mouseReleased(100, 250)); // anywhere else
    EXPECT_EQ(menu->getSlotToConfirm(), -1);
    writeFile("data\\saves\\03\\save.sv", BUS_SAVE);
    game->app().popGameState();
    game->send(mouseReleased(500, 240)); // the menu again, with slot 3 taken too
    menu = game->topAs<NewGameMenu>();
    clickSlot(1);
    clickSlot(3);
    EXPECT_EQ(menu->getSlotToConfirm(), 2) << "another slot is asked about in its turn";
    EXPECT_EQ(currentLevel(), nullptr);
    EXPECT_EQ(readFile(SLOT1), BUS_SAVE);
    game->send(mouseReleased(30, 30)); // the back arrow: cancels and goes back
    EXPECT_EQ(game->stateCount(), 1u);
    game->send(mouseReleased(500, 240)); // "Nouvelle partie"

    clickSlot(1);
    clickSlot(1);
    ASSERT_NE(currentLevel(), nullptr);
    EXPECT_EQ(currentLevel()->getMapName(), "01_USB");
    EXPECT_FALSE(currentLevel()->getPlayer()->canShoot()) << "a fresh player";
    EXPECT_EQ(readFile(SLOT1), BUS_SAVE);
    game->app().mainMenu();
    EXPECT_EQ(readFile(SLOT1), FRESH_SAVE);
}

TEST_F(SaveTest, LoadingRestoresTheMapAndTheAbilitiesExactlyFromTokensInAnyOrder)
{
    writeFile(SLOT1, BUS_SAVE);
    game->send(mouseReleased(500, 320)); // "Charger"
    ASSERT_NE(game->topAs<LoadingMenu>(), nullptr);
    clickSlot(1);
    ASSERT_NE(currentLevel(), nullptr);
    EXPECT_EQ(currentLevel()->getMapName(), "02_BUS");
    Player& restored = *currentLevel()->getPlayer();
    EXPECT_TRUE(restored.canShoot());
    EXPECT_FLOAT_EQ(restored.getShootDelay(), 0.25f);
    EXPECT_TRUE(restored.canReverseGravity());
    EXPECT_EQ(restored.getVie(), 100);
    EXPECT_EQ(game->rm().getCursorCount(), 2u) << "the crosshair of the gun";
    game->app().mainMenu();
    EXPECT_EQ(readFile(SLOT1), BUS_SAVE);
    EXPECT_EQ(game->rm().getCursorCount(), 1u);

    std::istringstream crlf("[Map]\r\n02_BUS\r\n[Player]\r\n1 0.25 0");
    const SavedGame game1 = readSavedGame(crlf);
    EXPECT_EQ(game1.mapName, "02_BUS");
    EXPECT_EQ(game1.canShoot, true);
    EXPECT_EQ(game1.shootDelay, 0.25f);
    EXPECT_EQ(game1.canToggleGravity, false);
    std::istringstream reversed("  [Player] 0\n\n 0.5   1 junk [Map]   01_USB ");
    const SavedGame game2 = readSavedGame(reversed);
    EXPECT_EQ(game2.mapName, "01_USB");
    EXPECT_EQ(game2.canToggleGravity, true);
    std::istringstream partial("[Map] 02_BUS [Player] 1 oops 1");
    const SavedGame game3 = readSavedGame(partial);
    EXPECT_EQ(game3.canShoot, true);
    EXPECT_FALSE(game3.shootDelay.has_value()) << "reading stops at the first unreadable value";
    EXPECT_FALSE(game3.canToggleGravity.has_value());
    std::istringstream icons("[Map] 01_USB [Map] 02_BUS");
    EXPECT_EQ(readSlotMapName(icons), "02_BUS") << "the last map named gives the icon";
}

// A save naming a map that cannot be opened, or no map at all, is kept as it is.
TEST_F(SaveTest, ASaveNamingAMapThatCannotBeOpenedIsMarkedAndNotLoaded)
{
    const std::string save = "[Map]\n01_USb\n[Player]\n1 0.25 1";
    writeFile(SLOT1, save);
    writeFile("data\\saves\\02\\save.sv", "[Map]\n..\\..\\..\\etc\n[Player]\n0 0.5 0");
    game->send(mouseReleased(500, 320)); // "Charger"
    auto* menu = game->topAs<LoadingMenu>();
    ASSERT_NE(menu, nullptr);
    // Shown with the unreadable-slot picture, where an empty slot shows nothing.
    const sf::Image screen = game->drawnStates();
    EXPECT_EQ(screen.getPixel(500, 250), sf::Color::Red) << "slot 1 is marked";
    EXPECT_EQ(screen.getPixel(500, 250 + 91), sf::Color::Red) << "slot 2 is marked";
    EXPECT_NE(screen.getPixel(500, 250 + 182), sf::Color::Red) << "slot 3 is empty";
    clearTrace();
    clickSlot(1);
    EXPECT_EQ(game->top(), menu) << "the player stays in the menu";
    EXPECT_TRUE(tracedLines({" *** ERREUR : Echec de l'ouverture de la map :", "    * data\\maps\\01_USb\\01_USb.zi"}));
    clickSlot(2);
    EXPECT_EQ(game->top(), menu);
    EXPECT_EQ(game->rm().getMap(), nullptr);
    EXPECT_EQ(readFile(SLOT1), save) << "the save is kept as it was";

    const std::string noMap = "[Player]\nx 0.5 0\n[Map]\n02_BUS";
    writeFile("data\\saves\\03\\save.sv", noMap);
    game->send(mouseReleased(30, 30));   // the back arrow
    game->send(mouseReleased(500, 320)); // "Charger"
    clickSlot(3);
    EXPECT_NE(game->topAs<LoadingMenu>(), nullptr);
    EXPECT_TRUE(tracedLines({" *** ERREUR : Sauvegarde illisible, aucune map :", "    * data\\saves\\03\\save.sv"}));
    EXPECT_EQ(readFile("data\\saves\\03\\save.sv"), noMap);
    writeFile("data\\saves\\03\\save.sv", "garbage");
    game->send(mouseReleased(30, 30));   // the back arrow
    game->send(mouseReleased(500, 240)); // "Nouvelle partie"
    ASSERT_NE(game->topAs<NewGameMenu>(), nullptr);
    clickSlot(3);
    EXPECT_NE(game->topAs<Map>(), nullptr) << "a file without a map holds nothing to lose";
}

TEST_F(SaveTest, ASaveOnAMapWithoutAnIconStillShowsAndLoads)
{
    // An author's map may come without its slot icon: the game saved there must not look lost.
    writeImage("data\\graphics\\window\\newGameMenu\\slotSansIcone.png", 306, 82, sf::Color::Blue);
    writeMap("ATELIER", "");
    writeFile(SLOT1, "[Map]\nATELIER\n[Player]\n0 0.5 0");
    game->send(mouseReleased(500, 240)); // "Nouvelle partie"
    ASSERT_NE(game->topAs<NewGameMenu>(), nullptr);
    EXPECT_EQ(game->drawnStates().getPixel(500, 250), sf::Color::Blue);
    clickSlot(1);
    EXPECT_NE(game->topAs<NewGameMenu>(), nullptr) << "an occupied slot asks before it is overwritten";
    game->send(mouseReleased(30, 30));   // the back arrow
    game->send(mouseReleased(500, 320)); // "Charger"
    ASSERT_NE(game->topAs<LoadingMenu>(), nullptr);
    EXPECT_EQ(game->drawnStates().getPixel(500, 250), sf::Color::Blue);
    clickSlot(1);
    ASSERT_NE(currentLevel(), nullptr);
    EXPECT_EQ(currentLevel()->getMapName(), "ATELIER");
}
