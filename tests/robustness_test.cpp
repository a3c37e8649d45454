#include "dialogue/dialogue.h"
#include "menus/loadingmenu.h"
#include "menus/slotmenu.h"
#include "minigames/consoleminigame.h"
#include "resources/savefile.h"
#include "support/leveldata.h"

#include <random>

namespace {

// Every prefix of a file (a file cut short anywhere) and seeded mutations of it
// (bytes flipped, dropped, doubled, garbage spliced in).
std::vector<std::string> damagedCopies(const std::string& good, int mutations)
{
    std::vector<std::string> copies;
    for (std::size_t length = 0; length < good.size(); length += 3)
        copies.push_back(good.substr(0, length));
    std::mt19937 rng(7);
    const std::string garbage = "[]|#-1 0 99999999999 \n\r\t\xE0\xFF\x00x";
    for (int i = 0; i < mutations; ++i) {
        std::string copy = good;
        for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0 && !copy.empty(); --edits) {
            const std::size_t at = rng() % copy.size();
            switch (rng() % 4) {
            case 0:
                copy[at] = garbage[rng() % garbage.size()];
                break;
            case 1:
                copy.erase(at, 1 + rng() % 6);
                break;
            case 2:
                copy.insert(at, copy.substr(at, 1 + rng() % 12));
                break;
            default:
                copy.insert(at, 1, garbage[rng() % garbage.size()]);
            }
        }
        copies.push_back(copy);
    }
    return copies;
}

const char* const MAP = "| a room\n[Background] RepeatedSprite sol.png 0 20\n"
                        "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                        "[CurrentLevelVortex] 2 40 396\n[NextLevelVortex] 3 900 396 T\n"
                        "[DoorEntity] 4 600 360 Sprite porte.png\n[InversedDoorEntity] 5 650 360 Sprite porte.png\n"
                        "[TimerActivableTrigger] 6 40 420 4 2 AnimatedSprite pics.png 1 2 -1 0\n"
                        "[TimerShootableTrigger] 7 300 300 5 0.5 AnimatedSprite bloc.png 1 2 0.1 1\n"
                        "[PicEntity] 8 500 440 AnimatedSprite pics.png 1 2 -1 0\n"
                        "[ScriptedEntity] 9 200 300 data\\s.txt Sprite bloc.png\n"
                        "[DecorationEntity] 10 0 0 Sprite mur.png\n";

const char* const SCRIPT = "[TypeDeclenchement] AfterWait 0.1 | soon\n[IsSolid] 0\n"
                           "[ShowDialogue] data\\d.dia 4\n[SetPlayerPosition] 100 100\n[PlayerCanShoot] 1\n"
                           "[MasterMindCode] 3 5\n[PlusOuMoins] 2\n[SetEntityVisible] 10 0\n[ActivateEntity] 8\n"
                           "[PlayerCanToggleGravity] 1\n[SetSolid] 1\n";

const char* const DIALOGUE = "[Actor] Korvane background 1 2 3\n[Actor] Pilote backgroundFlecheG 4 5 6\n"
                             "[Dialogue]\n0 -1 -1 255 255 255\nun#\n\n1 10 20 0 0 0\ndeux\ntrois#\n\n"
                             "0 -1 5 300 256 -1\nfin#\n";

} // namespace

// Damaged content never crashes, hangs or leaves the stack broken: each case is
// loaded, played for a few frames, answered with keys, and then left.
class RobustnessTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeFile("data\\s.txt", SCRIPT);
        writeFile("data\\d.dia", DIALOGUE);
        game = std::make_unique<GameHarness>();
    }
    // Plays a few frames with the keys that advance dialogues and puzzles, then
    // unwinds to the main menu as a player leaving the game would.
    void playAndLeave()
    {
        for (int i = 0; i < 20; ++i) {
            game->step();
            game->send(keyReleased(i % 2 ? sf::Keyboard::Return : sf::Keyboard::Num7));
            game->send(keyPressed(sf::Keyboard::E));
        }
        game->frame();
        ASSERT_GE(game->stateCount(), 2u);
        game->app().mainMenu();
        ASSERT_EQ(game->stateCount(), 1u);
    }
};

TEST_F(RobustnessTest, DamagedMapFiles)
{
    for (const std::string& copy : damagedCopies(MAP, 150)) {
        startLevel(copy);
        playAndLeave();
        if (HasFatalFailure())
            FAIL() << "map:\n" << copy;
    }
}

TEST_F(RobustnessTest, DamagedScripts)
{
    for (const std::string& copy : damagedCopies(SCRIPT, 150)) {
        writeFile("data\\s.txt", copy);
        startLevel(MAP);
        playAndLeave();
        if (HasFatalFailure())
            FAIL() << "script:\n" << copy;
    }
}

TEST_F(RobustnessTest, DamagedDialogues)
{
    startLevel(MAP);
    for (const std::string& copy : damagedCopies(DIALOGUE, 150)) {
        writeFile("data\\d.dia", copy);
        const std::size_t states = game->stateCount();
        Dialogue::open(&game->rm(), "data\\d.dia", 4);
        for (int i = 0; i < 10 && game->stateCount() > states; ++i) {
            game->frame();
            game->send(keyReleased(sf::Keyboard::Return));
        }
        // The end may have opened the door's neighbours, never removed the level.
        while (game->stateCount() > states)
            game->app().popGameState();
        ASSERT_EQ(game->top(), level) << "dialogue:\n" << copy;
    }
}

TEST_F(RobustnessTest, DamagedSaveFilesLoadPlayAndSaveAgain)
{
    writeMap("T", MAP);
    for (const std::string& copy : damagedCopies("[Map]\nT\n[Player]\n1 0.25 1", 100)) {
        writeFile("data\\saves\\01\\save.sv", copy);
        auto* menu = new LoadingMenu(&game->rm());
        game->app().addGameState(menu);
        menu->loadSlot(0);
        if (game->stateCount() == 3) {
            playAndLeave();
            std::istringstream written(readFile("data\\saves\\01\\save.sv"));
            EXPECT_FALSE(readSavedGame(written).mapName.empty()) << "a save that can be read back";
        }
        game->app().mainMenu();
    }
}
