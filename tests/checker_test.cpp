#include "levelchecker.h"
#include "support/leveldata.h"
#include "world/campaign.h"

#include <regex>

// The floor and the walls at either side of the window.
static const char* const ROOM = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                                "[GroundEntity] 2 0 0 Sprite mur.png HitboxSpriteFilled\n"
                                "[GroundEntity] 3 980 0 Sprite mur.png HitboxSpriteFilled\n";

// A one-screen level for the checker: a raised ground to the left and to the right of a
// pit 80 pixels wide and 80 deep (more than a jump), the entry on the left ground and
// the exit on the right one. Standing in the pit, the character (32 x 40 here) can
// reach neither the exit nor spikes.
class CheckerTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeImage("data\\graphics\\map\\T\\gauche.png", 400, 80);
        writeImage("data\\graphics\\map\\T\\droite.png", 500, 80);
        game = std::make_unique<GameHarness>();
    }

    static std::string pitLevel(const std::string& more = "")
    {
        return std::string(ROOM) +
               "[GroundEntity] 4 20 380 Sprite gauche.png HitboxSpriteFilled\n"
               "[GroundEntity] 5 480 380 Sprite droite.png HitboxSpriteFilled\n"
               "[CurrentLevelVortex] 6 40 300\n"
               "[NextLevelVortex] 7 880 300 T\n" +
               more;
    }

    // The pit with a step out of it: no dead end, whatever else a test adds.
    std::string steppedPit(const std::string& more = "")
    {
        writeImage("data\\graphics\\map\\T\\marche.png", 30, 40);
        return pitLevel("[GroundEntity] 8 450 420 Sprite marche.png HitboxSpriteFilled\n" + more);
    }

    // A script that no play of the level sets off: its trigger is a shot, and the
    // character has no gun.
    std::vector<Problem> checkScript(const std::string& commands)
    {
        writeFile("data\\maps\\T\\s.txt", "[TypeDeclenchement] OnShoot\n" + commands);
        return check(steppedPit("[ScriptedEntity] 9 600 100 data\\maps\\T\\s.txt Sprite bloc.png\n"));
    }

    std::vector<Problem> check(const std::string& map)
    {
        writeMap("T", map);
        LevelChecker checker(game->app(), "save.sv");
        return checker.check({"T"});
    }

    static std::string text(const std::vector<Problem>& problems)
    {
        std::string all;
        for (const Problem& problem : problems)
            all += problem.file + ":" + std::to_string(problem.line) + ": " + problem.message + "\n";
        return all;
    }
};

// A step out of the pit, spikes in it (they restart the map) or an exit to the end of the
// campaign each leave no dead end.
TEST_F(CheckerTest, APitWithNoWayOutIsReportedWithTheCoordinatesOfItsFloorAndAStepSpikesOrTheEndingClearIt)
{
    const std::vector<Problem> problems = check(pitLevel());
    ASSERT_EQ(problems.size(), 1u) << text(problems);
    EXPECT_EQ(problems[0].file, "data\\maps\\T\\T.zi");
    EXPECT_EQ(problems[0].line, 1) << "the line of the floor it stands on";
    std::smatch at;
    const std::regex stretch("dead end: standing on entity 1 from \\((\\d+), 420\\) to \\((\\d+), 420\\)");
    ASSERT_TRUE(std::regex_search(problems[0].message, at, stretch)) << problems[0].message;
    EXPECT_GE(std::stoi(at[1]), 420) << "no further left than the pit's left side";
    EXPECT_LE(std::stoi(at[2]), 448) << "no further right than its right side, less the character's width";

    EXPECT_EQ(text(check(steppedPit())), "");
    EXPECT_EQ(text(check(pitLevel("[PicEntity] 8 420 440 Sprite pics.png\n"))), "");
    std::string map = steppedPit();
    map.replace(map.find(" 880 300 T"), 10, std::string(" 880 300 ") + CAMPAIGN_END);
    EXPECT_EQ(text(check(map)), "") << "the ending is no missing map, and reaching it finishes the map";
}

// A door between the entry and the exit, too high to jump over, and its lever before it.
TEST_F(CheckerTest, ALeverThatOpensTheWayLeavesNoDeadEndAndATimedDoorCanShutTheCharacterIn)
{
    writeImage("data\\graphics\\map\\T\\levier.png", 20, 80);
    const std::string room = std::string(ROOM) + "[DoorEntity] 4 600 360 Sprite porte.png\n"
                                                 "[CurrentLevelVortex] 5 200 396\n";
    const std::string lever = "AnimatedSprite levier.png 1 2 -1 0\n";
    EXPECT_EQ(text(check(room + "[NextLevelVortex] 6 900 396 T\n[ActivableTrigger] 7 400 420 4 -1 " + lever)), "");

    // The exit is now behind the entry: past the door is a closed room, which the door
    // shuts when its timed lever runs out.
    const std::vector<Problem> problems =
        check(room + "[NextLevelVortex] 6 20 396 T\n[TimerActivableTrigger] 7 400 420 4 3 " + lever);
    ASSERT_EQ(problems.size(), 1u) << text(problems);
    std::smatch at;
    ASSERT_TRUE(std::regex_search(problems[0].message, at, std::regex("from \\((\\d+), 420\\) to \\((\\d+), 420\\)")))
        << problems[0].message;
    EXPECT_GE(std::stoi(at[1]), 620);
    EXPECT_GE(std::stoi(at[2]), 900);
}

TEST_F(CheckerTest, ReadersErrorsAndMistakesTheGameSkipsInSilenceComeWithTheirLines)
{
    const std::vector<Problem> readers = check("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                                               "[ActivableTrigger] 2 100 420 9 -1 Sprite bloc.png\n"
                                               "[DoorEntity] 9 600 100 Sprite porte.png\n"
                                               "| pictures whose kind word is misspelt\n"
                                               "[DecorationEntity] 3 10 10 Image\n"
                                               "[CurrentLevelVortex] 4 40 396\n"
                                               "[NextLevelVortex] 5 900 396 Nowhere\n"
                                               "[GroundEntity] 6 800 100 Sprit bloc.png HitboxSpriteFilled\n");
    // An exit to a map that is not there is a block in the game: the level has no way out.
    EXPECT_EQ(
        text(readers),
        "data\\maps\\T\\T.zi:1: dead end: standing on entity 1 from (-30, 420) to (868, 420), the character reaches "
        "neither the exit nor spikes\n"
        "data\\maps\\T\\T.zi:1: dead end: standing on entity 1 from (964, 420) to (996, 420), the character reaches "
        "neither the exit nor spikes\n"
        "data\\maps\\T\\T.zi:2: ERROR : Trigger destination dont exist ! destID : 9\n"
        "data\\maps\\T\\T.zi:5: ERREUR : Chargement du sprite data\\graphics\\map\\T\\: the picture kind \"Image\" is "
        "unknown\n"
        "data\\maps\\T\\T.zi:7: dead end: standing on entity 5 from (875, 356) to (962, 356), the character reaches "
        "neither the exit nor spikes\n"
        "data\\maps\\T\\T.zi:7: the next map \"Nowhere\" does not exist\n"
        "data\\maps\\T\\T.zi:8: ERREUR : Chargement du sprite data\\graphics\\map\\T\\: the picture kind \"Sprit\" is "
        "unknown\n");

    writeFile("data\\maps\\T\\script.txt", "[TypeDeclenchement] OnMapLoading\n"
                                           "[SetEntityVisible] 42 0\n"
                                           "[ShowDialogue] data\\maps\\T\\d.dia -1\n"
                                           "[ActivateEntty] 3\n");
    writeFile("data\\maps\\T\\d.dia", "[Actor] Korvane background 255 255 255\n"
                                      "[Dialogue]\n"
                                      "0 -1 -1 255 255 255\n"
                                      "Un texte sans sa fin\n"
                                      "\n"
                                      "0 -1 -1 255 255 255\n"
                                      "La suite#\n");
    const std::vector<Problem> silent = check("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                                              "[GroundEntiy] 2 0 0 Sprite mur.png HitboxSpriteFilled\n"
                                              "[GroundEntity] 1 980 0 Sprite mur.png HitboxSpriteFilled\n"
                                              "[DecorationEntity] 3 10 10 Sprite absent.png\n"
                                              "[ScriptedEntity] 4 100 100 data\\maps\\T\\script.txt Sprite bloc.png\n"
                                              "[NextLevelVortex] 5 900 396 T\n");
    EXPECT_EQ(text(silent),
              "data\\maps\\T\\T.zi:1: no entry: the map has no [CurrentLevelVortex]\n"
              "data\\maps\\T\\T.zi:2: unknown keyword \"[GroundEntiy]\": skipped\n"
              "data\\maps\\T\\T.zi:3: id 1 is already used on line 1: this entity is not stored\n"
              "data\\maps\\T\\T.zi:4: missing picture data\\graphics\\map\\T\\absent.png\n"
              "data\\maps\\T\\d.dia:6: a bubble starts inside the text of the one before: its \"#\" is missing\n"
              "data\\maps\\T\\script.txt:2: entity 42 named by [SetEntityVisible] is not in map T\n"
              "data\\maps\\T\\script.txt:4: unknown keyword \"[ActivateEntty]\": skipped\n");

    writeFile("data\\sounds\\abime.ogg", "not a sound");
    const std::string music = text(check("[BGM] absent.ogg\n[BGM] abime.ogg\n" + steppedPit()));
    EXPECT_NE(music.find("data\\maps\\T\\T.zi:1: Failed to load music \"data/sounds/absent.ogg\""), std::string::npos)
        << music;
    EXPECT_NE(music.find("data\\maps\\T\\T.zi:2: Failed to open sound file \"data/sounds/abime.ogg\""),
              std::string::npos)
        << music;
}

// The words the game took for a number it then skipped or changed, and bubbles (600 x 100;
// the one with an arrow on its left starts 23 pixels left of its x) leaving the window.
TEST_F(CheckerTest, ScriptValuesAndBubblesTheGameSkipsOrChangesAreReportedEachWithItsLine)
{
    const std::vector<Problem> problems = checkScript("[SetPlayerPosition] 500 300\n"
                                                      "[SetPlayerPosition] 5000 300\n"
                                                      "[SetPlayerPosition] 99999999999 -3e38\n"
                                                      "[PlusOuMoins] 99999999999\n"
                                                      "[PlusOuMoins] 12\n"
                                                      "[MasterMindCode] 12a4 9\n"
                                                      "[MasterMindCode] 4 9\n"
                                                      "[PlayerCanShoot] 2\n"
                                                      "[SetPlayerPosition] 10 -1\n");
    const std::string outside = ", outside the 1000 x 500 window: it falls off screen\n";
    const std::string stops = "\": the script stops here, nothing after it runs\n";
    const std::string expected = "data\\maps\\T\\s.txt:3: the character is put at (5000, 300)" + outside +
                                 "data\\maps\\T\\s.txt:4: unreadable value \"99999999999" + stops +
                                 "data\\maps\\T\\s.txt:5: unreadable value \"99999999999" + stops +
                                 "data\\maps\\T\\s.txt:6: Nombre de chiffres hors limites : 12 ramene a 9\n"
                                 "data\\maps\\T\\s.txt:7: unreadable value \"12a4" +
                                 stops +
                                 "data\\maps\\T\\s.txt:9: a flag is 0 or 1: the reader stops here\n"
                                 "data\\maps\\T\\s.txt:10: the character is put at (10, -1)" +
                                 outside;
    EXPECT_EQ(text(problems), expected);

    writeFile("data\\maps\\T\\d.dia", "[Actor] Korvane background 999 -5 80\n"
                                      "[Actor] Pilote backgroundFlecheG 255 255 255\n"
                                      "[Dialogue]\n"
                                      "0 -1 -1 255 255 255\n"
                                      "Au centre.#\n\n"
                                      "0 400 400 255 255 255\n"
                                      "Tout juste dedans.#\n\n"
                                      "0 401 400 300 0 0\n"
                                      "Deborde a droite et en bas.#\n\n"
                                      "1 23 0 255 255 255\n"
                                      "Juste dedans.#\n\n"
                                      "1 10 0 255 255 255\n"
                                      "La fleche sort a gauche.#\n\n"
                                      "0 5000 5000 255 255 255\n"
                                      "Hors ecran.#\n");
    const std::vector<Problem> bubbles = checkScript("[ShowDialogue] data\\maps\\T\\d.dia -1\n");
    const std::string colour = " is outside 0..255: the game keeps only its low eight bits\n";
    const std::string unseen = " goes outside the 1000 x 500 window: the player does not see all of it\n";
    EXPECT_EQ(text(bubbles), "data\\maps\\T\\d.dia:1: name colour 999 -5 80" + colour +
                                 "data\\maps\\T\\d.dia:10: text colour 300 0 0" + colour +
                                 "data\\maps\\T\\d.dia:10: the bubble from (401, 400) to (1001, 500)" + unseen +
                                 "data\\maps\\T\\d.dia:16: the bubble from (-13, 0) to (587, 100)" + unseen +
                                 "data\\maps\\T\\d.dia:19: the bubble from (5000, 5000) to (5600, 5100)" + unseen);
}
