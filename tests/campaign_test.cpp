#include "dialogue/dialogue.h"
#include "menus/screen.h"
#include "minigames/consoleminigame.h"
#include "player/player.h"
#include "resources/savefile.h"
#include "support/gametest.h"
#include "support/harness.h"
#include "support/replay.h"
#include "world/map.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> tapeNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(KORVANE_SOURCE_DIR) / "tests" / "tapes"))
        if (entry.path().extension() == ".tape")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct GalleryShot
{
    float time;
    std::string file;
};

// KORVANE_GALLERY=<folder> saves what the game shows at the moments docs/maps/shots.txt
// names ("<map> <seconds> <picture>"), for the gallery of docs/maps.md.
std::vector<GalleryShot> galleryShots(const std::string& map)
{
    std::vector<GalleryShot> shots;
    const char* folder = std::getenv("KORVANE_GALLERY");
    if (!folder)
        return shots;
    std::ifstream list(fs::path(KORVANE_SOURCE_DIR) / "docs" / "maps" / "shots.txt");
    std::string name;
    GalleryShot shot;
    std::string picture;
    while (list >> name >> shot.time >> picture)
        if (name == map)
            shots.push_back({shot.time, (fs::path(folder) / (picture + ".png")).string()});
    return shots;
}

} // namespace

// Every map of the campaign has a recorded solution: replayed on the real content,
// it must reach the map that follows. A change that makes a level unbeatable fails here.
class CampaignTest : public GameTest
{
protected:
    static Tape tapeOf(const std::string& name)
    {
        const fs::path path = fs::path(KORVANE_SOURCE_DIR) / "tests" / "tapes" / (name + ".tape");
        std::ifstream file(path);
        Tape tape;
        std::string error;
        EXPECT_TRUE(tape.read(file, error)) << path << ": " << error;
        return tape;
    }

    // `shots`: pictures of the game to save on the way, for the gallery.
    void expectReachesTheNextMap(const Tape& tape, std::vector<GalleryShot> shots = {})
    {
        ASSERT_EQ(tape.setting("start").size(), 1u) << "a tape names its start map";
        ASSERT_EQ(tape.setting("expect").size(), 1u) << "a tape names the map it reaches";

        linkGameData();
        std::srand(2026); // the code puzzles draw their secrets from it
        auto game = std::make_unique<GameHarness>();
        auto* player = new Player(&game->rm());
        for (const std::string& ability : tape.setting("grant")) {
            if (ability == "shoot")
                player->peuxTirer(true);
            else if (ability == "gravity")
                player->canToggleGravity(true);
            else
                FAIL() << "unknown ability " << ability;
        }
        game->app().addGameState(new Map(&game->rm(), tape.setting("start").front(), slotPath(0), player));
        // KORVANE_TAPE_TRACE=1 shows where the character is as the tape plays, for tape authors.
        const bool show = std::getenv("KORVANE_TAPE_TRACE") != nullptr;
        int frame = 0;
        tape.play(*game, [&](float now) {
            Map* current = game->rm().getMap();
            if (show && current && ++frame % 6 == 0) {
                const sf::FloatRect at = current->getPlayer()->getHitbox();
                std::cerr << now << "s " << current->getMapName() << " (" << at.left << ", " << at.top << ")"
                          << (current->getPlayer()->getSol() ? " standing" : "") << std::endl;
            }
            if (!shots.empty() && now + GameHarness::STEP / 2 >= shots.front().time) {
                game->drawnStates().saveToFile(shots.front().file);
                shots.erase(shots.begin());
            }
        });

        Map* map = game->rm().getMap();
        ASSERT_NE(map, nullptr);
        const sf::FloatRect at = map->getPlayer()->getHitbox();
        EXPECT_EQ(map->getMapName(), tape.setting("expect").front())
            << "the character ended at (" << at.left << ", " << at.top << ")";
        EXPECT_FALSE(map->getEntities().empty()) << "the map reached has content";
        EXPECT_EQ(game->topAs<GameOver>(), nullptr) << "the character died on the way";
        EXPECT_GT(map->getPlayer()->getVie(), 0);
        game.reset();
    }
};

class RecordedSolution : public CampaignTest, public ::testing::WithParamInterface<std::string>
{
};

TEST_P(RecordedSolution, ReachesTheNextMap)
{
    expectReachesTheNextMap(tapeOf(GetParam()), galleryShots(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Maps, RecordedSolution, ::testing::ValuesIn(tapeNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// Where touching a terminal also brings words, the words come first, alone over the level:
// Return advances them, and the terminal opens only when they end. The reply to a solved
// puzzle then waits under the terminal.
class CampaignTerminals : public GameTest, public ::testing::WithParamInterface<std::string>
{
};

TEST_P(CampaignTerminals, TheHintIsReadBeforeTheTerminalOpens)
{
    linkGameData();
    auto game = std::make_unique<GameHarness>();
    auto* map = new Map(&game->rm(), GetParam(), slotPath(0), nullptr);
    game->app().addGameState(map);
    map->activerEntite(54); // the terminal, as touching it runs it
    const auto consoles = [&game] {
        int count = 0;
        for (std::size_t i = 0; i < game->stateCount(); ++i)
            count += dynamic_cast<ConsoleMinigame*>(game->app().getState(i)) != nullptr;
        return count;
    };
    int advances = 0;
    for (; game->topAs<Dialogue>() && consoles() == 0 && advances < 10; ++advances) {
        game->send(keyPressed(sf::Keyboard::Return));
        game->send(keyReleased(sf::Keyboard::Return));
    }
    ASSERT_NE(game->topAs<ConsoleMinigame>(), nullptr) << "no terminal after the words";
    EXPECT_GE(advances, 1) << "the terminal opened before anything was read";
    EXPECT_EQ(game->stateCount(), 4u) << "main menu, level, the waiting reply, the terminal";
    EXPECT_NE(dynamic_cast<Dialogue*>(game->app().getState(2)), nullptr);
    game.reset();
}

INSTANTIATE_TEST_SUITE_P(Maps, CampaignTerminals, ::testing::Values("06_HORLOGE", "08_PAREFEU"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// Real hands are not a tape: every input of a solution shifted by up to 60 ms either way
// must still reach the next map. A map that fails this has a window too narrow to play.
class JitteredSolution : public CampaignTest, public ::testing::WithParamInterface<std::tuple<std::string, unsigned>>
{
};

TEST_P(JitteredSolution, StillReachesTheNextMap)
{
    const auto& [name, seed] = GetParam();
    expectReachesTheNextMap(tapeOf(name).jittered(seed, 0.06f));
}

INSTANTIATE_TEST_SUITE_P(Maps, JitteredSolution,
                         ::testing::Combine(::testing::ValuesIn(tapeNames()), ::testing::Range(1u, 11u)),
                         [](const ::testing::TestParamInfo<std::tuple<std::string, unsigned>>& info) {
                             return std::get<0>(info.param) + "_seed" + std::to_string(std::get<1>(info.param));
                         });
