#include "dialogue/dialogue.h"
#include "entities/bullet.h"
#include "entities/scriptedentity.h"
#include "entities/structentity.h"
#include "graphics/sprite.h"
#include "menus/pausemenu.h"
#include "minigames/consoleminigame.h"
#include "support/leveldata.h"

#include <algorithm>

namespace {

const char* const TWO_ACTORS = "[Actor] Korvane background 46 230 214\n"
                               "[Actor] Pilote backgroundFlecheG 256 300 -1\n"
                               "[Dialogue]\n";

} // namespace

// Dialogues and scripted entities in a level.
class StoryTest : public LevelTest
{
protected:
    Dialogue* openDialogue(const std::string& content, int id = -1)
    {
        writeFile("data\\d.dia", content);
        Dialogue::open(&game->rm(), "data\\d.dia", id);
        return game->topAs<Dialogue>();
    }
    void release(sf::Keyboard::Key key)
    {
        game->send(keyReleased(key));
    }
    ScriptedEntity* script(int id)
    {
        return dynamic_cast<ScriptedEntity*>(level->getEntity(id));
    }
    int activations(const std::string& path) const
    {
        const std::vector<std::string> all = trace();
        return static_cast<int>(std::count(all.begin(), all.end(), " -- Activation du script : " + path));
    }
};

// --- dialogues ---------------------------------------------------------------------------

TEST_F(StoryTest, BubblesFollowOneAnotherAndTheLastAdvanceActivatesTheEntity)
{
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n");
    Dialogue* dialogue = openDialogue(std::string(TWO_ACTORS) + "0 10 20 255 255 255\nBonjour !#\n\n"
                                                                "1 -1 -1 0 0 0\nSalut.#\n\n"
                                                                "0 30 40 1 2 3\nOn y va ?#\n",
                                      9);
    ASSERT_NE(dialogue, nullptr);
    EXPECT_EQ(dialogue->getActiveActor(), 0) << "the first bubble shows at once";
    EXPECT_EQ(dialogue->getText().getString().toAnsiString(), "\nBonjour !");
    release(sf::Keyboard::Return);
    EXPECT_EQ(dialogue->getActiveActor(), 1);
    release(sf::Keyboard::F);
    EXPECT_EQ(dialogue->getText().getString().toAnsiString(), "\nOn y va ?");
    EXPECT_FALSE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen());
    release(sf::Keyboard::Space);
    EXPECT_EQ(game->top(), level);
    EXPECT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen());
}

TEST_F(StoryTest, BubblesArePlacedFromTheirEntryAndCentredOnMinusOne)
{
    startLevel("");
    Dialogue* dialogue = openDialogue(std::string(TWO_ACTORS) + "0 -1 -1 0 0 0 deux\nlignes#\n\n"
                                                                "1 -1 -1 0 0 0 x#\n");
    const Actor& korvane = dialogue->getActor(0);
    EXPECT_EQ(korvane.getBackground().getPosition(), sf::Vector2f(200, 200));
    EXPECT_EQ(korvane.getAvatar().getPosition(), sf::Vector2f(201, 201));
    EXPECT_EQ(korvane.getName().getPosition(), sf::Vector2f(306, 201));
    EXPECT_EQ(dialogue->getText().getPosition(), sf::Vector2f(320, 208));
    EXPECT_EQ(dialogue->getWaitMarker().getPosition(), sf::Vector2f(779, 282));
    EXPECT_EQ(dialogue->getText().getString().toAnsiString(), " deux\nlignes") << "the blank after the colour stays";
    EXPECT_EQ(korvane.getName().getFillColor(), sf::Color(46, 230, 214));

    release(sf::Keyboard::E);
    const Actor& pilote = dialogue->getActor(1);
    EXPECT_EQ(pilote.getBackground().getPosition(), sf::Vector2f(177, 200)) << "drawn 23 pixels further left";
    EXPECT_EQ(pilote.getAvatar().getPosition(), sf::Vector2f(201, 201));
    EXPECT_EQ(dialogue->getText().getPosition(), sf::Vector2f(320, 208));
    EXPECT_EQ(pilote.getName().getFillColor(), sf::Color(0, 44, 255)) << "colour values wrap";
}

TEST_F(StoryTest, ClicksAdvanceOnlyOnTheBubbleAndEscapePauses)
{
    startLevel("");
    Dialogue* dialogue =
        openDialogue(std::string(TWO_ACTORS) + "0 100 100 0 0 0 a#\n\n0 100 100 0 0 0 b#\n\n0 100 100 0 0 0 c#\n");
    game->send(mouseReleased(50, 50, sf::Mouse::Left));
    game->send(keyPressed(sf::Keyboard::Return));
    EXPECT_EQ(dialogue->getText().getString().toAnsiString(), " a");
    game->send(mouseReleased(150, 150, sf::Mouse::Right));
    EXPECT_EQ(dialogue->getText().getString().toAnsiString(), " b");
    release(sf::Keyboard::Escape);
    ASSERT_NE(game->topAs<PauseMenu>(), nullptr);
    release(sf::Keyboard::Escape);
    EXPECT_EQ(dialogue->getText().getString().toAnsiString(), " b") << "pausing does not advance";
}

TEST_F(StoryTest, DialogueThatEndsWhileBuiltNeverTakesAPlaceOnTheStack)
{
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n");
    const std::size_t states = game->stateCount();
    clearTrace();
    Dialogue::open(&game->rm(), "data\\missing.dia", 9);
    EXPECT_EQ(game->stateCount(), states);
    EXPECT_TRUE(traced(" *** Echec de l'ouverture du fichier :"));
    EXPECT_TRUE(traced("    * data\\missing.dia"));
    EXPECT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen()) << "its end still activates";

    openDialogue(TWO_ACTORS, 9);
    EXPECT_EQ(game->stateCount(), states) << "no bubble at all";
    EXPECT_FALSE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen()) << "activated first";
}

TEST_F(StoryTest, BrokenEntriesEndTheDialogueCleanlyWithAnError)
{
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n");
    const std::size_t states = game->stateCount();
    clearTrace();
    Dialogue* dialogue = openDialogue(std::string(TWO_ACTORS) + "0 1 1 0 0 0 ok#\n\n7 1 1 0 0 0 nobody#\n", 9);
    ASSERT_NE(dialogue, nullptr);
    release(sf::Keyboard::Return);
    EXPECT_EQ(game->stateCount(), states);
    EXPECT_TRUE(traced(" *** ERREUR : Dialogue interrompu (acteur 7 inconnu) :"));
    EXPECT_TRUE(traced("    * data\\d.dia"));

    openDialogue(std::string(TWO_ACTORS) + "0 1 1 0 0 0 no end mark");
    EXPECT_EQ(game->stateCount(), states);
    openDialogue(std::string(TWO_ACTORS) + "0 1 one");
    EXPECT_EQ(game->stateCount(), states);
    openDialogue("[Actor] Korvane background 1 2\n[Dialogue]\n0 1 1 0 0 0 x#\n");
    EXPECT_EQ(game->stateCount(), states);
}

TEST_F(StoryTest, EndingDialogueLeavesWhatItsActivationPushed)
{
    writeFile("data\\s\\puzzle.txt", "[PlusOuMoins] 2\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\puzzle.txt Sprite bloc.png\n");
    openDialogue(std::string(TWO_ACTORS) + "0 1 1 0 0 0 ok#\n", 4);
    release(sf::Keyboard::Return);
    ASSERT_NE(game->topAs<PlusOuMoins>(), nullptr);
    EXPECT_EQ(game->app().getState(game->stateCount() - 2), level) << "the dialogue alone left";
}

TEST_F(StoryTest, ADialogueWaitingUnderATerminalShowsOnceTheTerminalHasClosed)
{
    writeFile("data\\s\\puzzle.txt", "[ShowDialogue] data\\d.dia -1\n[PlusOuMoins] 1\n");
    writeFile("data\\d.dia", std::string(TWO_ACTORS) + "0 0 0 0 0 0 ok#\n");
    startLevel("[ScriptedEntity] 4 0 400 data\\s\\puzzle.txt Sprite bloc.png\n");
    level->activerEntite(4);
    auto* puzzle = game->topAs<PlusOuMoins>();
    ASSERT_NE(puzzle, nullptr);
    // A point of the bubble at (0, 0) beside the centred terminal, clear of the HUD.
    EXPECT_EQ(game->drawnStates().getPixel(230, 50), sf::Color::Black) << "the bubble would cross the terminal";
    game->send(keyReleased(static_cast<sf::Keyboard::Key>(sf::Keyboard::Num0 + puzzle->getCode())));
    release(sf::Keyboard::Return);
    release(sf::Keyboard::Return);
    ASSERT_NE(game->topAs<Dialogue>(), nullptr);
    EXPECT_EQ(game->drawnStates().getPixel(230, 50), sf::Color::White);
}

// --- scripted entities ---------------------------------------------------------------------

TEST_F(StoryTest, MapLoadingScriptRunsInTheFirstUpdateOnly)
{
    writeFile("data\\s\\a.txt", "[TypeDeclenchement] OnMapLoading\n[ActivateEntity] 9\n");
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n"
               "[ScriptedEntity] 4 0 0 data\\s\\a.txt AnimatedSprite pics.png 1 2 -1 0\n");
    EXPECT_EQ(activations("data\\s\\a.txt"), 0) << "not while the map is read";
    step();
    EXPECT_EQ(activations("data\\s\\a.txt"), 1);
    step(60);
    EXPECT_EQ(activations("data\\s\\a.txt"), 1);
    EXPECT_EQ(script(4)->getTypeDeclenchement(), Dont);
    EXPECT_EQ(dynamic_cast<const AnimatedSprite&>(script(4)->getSprite()).getEtatY(), 1) << "shows its second row";
}

TEST_F(StoryTest, WaitingScriptRunsWhenItsCountdownReachesZero)
{
    writeFile("data\\s\\w.txt", "[TypeDeclenchement] AfterWait 2.5\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\w.txt Sprite bloc.png\n");
    for (int i = 0; i < 4; ++i)
        script(4)->update(0.5f);
    EXPECT_EQ(activations("data\\s\\w.txt"), 0);
    script(4)->update(0.5f);
    EXPECT_EQ(activations("data\\s\\w.txt"), 1) << "the fifth update of half a second";
}

TEST_F(StoryTest, ContactScriptRunsOnTheFirstContactButStillAnswersActivation)
{
    writeFile("data\\s\\c.txt", "[TypeDeclenchement] OnCollision\n[PlayerCanShoot] 1\n");
    startLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
               "[ScriptedEntity] 4 100 420 data\\s\\c.txt Sprite bloc.png\n");
    player().setPosition(100, 300);
    step(60);
    EXPECT_EQ(activations("data\\s\\c.txt"), 1);
    EXPECT_TRUE(player().canShoot());
    level->activerEntite(4);
    EXPECT_EQ(activations("data\\s\\c.txt"), 2);
}

TEST_F(StoryTest, HeaderAndCommandsAreReadByTheirOwnReaders)
{
    writeFile("data\\s\\h.txt", "[SetSolid] 1 [IsSolid] 0\n"
                                "| [ActivateEntity] 9\n"
                                "[ActivateEntity] 8 | [ActivateEntity] 9\n"
                                "|note [ActivateEntity] 7\n"
                                "[SetEntityVisible] 6 0 [PlayerCanToggleGravity] 1 [SetPlayerPosition] 300 200\n");
    startLevel("[DoorEntity] 6 0 0 Sprite porte.png\n[DoorEntity] 7 0 0 Sprite porte.png\n"
               "[DoorEntity] 8 0 0 Sprite porte.png\n[DoorEntity] 9 0 0 Sprite porte.png\n"
               "[ScriptedEntity] 4 0 0 data\\s\\h.txt Sprite bloc.png\n");
    EXPECT_FALSE(script(4)->isSolid()) << "the header reader sets the flag";
    EXPECT_EQ(script(4)->getTypeDeclenchement(), Dont);
    level->activerEntite(4);
    EXPECT_TRUE(script(4)->isSolid()) << "the command reader sets it again";
    auto open = [&](int id) { return dynamic_cast<DoorEntity*>(level->getEntity(id))->isOpen(); };
    EXPECT_TRUE(open(8));
    EXPECT_FALSE(open(9)) << "comments hide the rest of their line";
    EXPECT_TRUE(open(7)) << "a word that merely begins with the bar is no comment";
    EXPECT_FALSE(level->getEntity(6)->isVisible());
    EXPECT_TRUE(player().canReverseGravity());
    EXPECT_EQ(player().getHitbox().left, 300.f);
}

TEST_F(StoryTest, TwoDialoguesStackTheSecondOnTop)
{
    writeFile("data\\one.dia", std::string(TWO_ACTORS) + "0 1 1 0 0 0 one#\n");
    writeFile("data\\two.dia", std::string(TWO_ACTORS) + "1 1 1 0 0 0 two#\n");
    writeFile("data\\s\\d.txt", "[ShowDialogue] data\\one.dia -1 [ShowDialogue] data\\two.dia -1\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\d.txt Sprite bloc.png\n");
    const std::size_t states = game->stateCount();
    level->activerEntite(4);
    ASSERT_EQ(game->stateCount(), states + 2);
    EXPECT_EQ(game->topAs<Dialogue>()->getText().getString().toAnsiString(), " two");
    release(sf::Keyboard::Return);
    EXPECT_EQ(game->topAs<Dialogue>()->getText().getString().toAnsiString(), " one");
}

TEST_F(StoryTest, AnArgumentOfTheWrongTypeStopsTheReader)
{
    writeFile("data\\s\\bad.txt", "[IsSolid] 2 [TypeDeclenchement] OnCollision\n"
                                  "[ActivateEntity] nine [ActivateEntity] 8\n");
    startLevel("[DoorEntity] 8 0 0 Sprite porte.png\n"
               "[ScriptedEntity] 4 0 0 data\\s\\bad.txt Sprite bloc.png\n");
    EXPECT_TRUE(script(4)->isSolid()) << "keeps its values";
    EXPECT_EQ(script(4)->getTypeDeclenchement(), Dont);
    level->activerEntite(4);
    EXPECT_FALSE(dynamic_cast<DoorEntity*>(level->getEntity(8))->isOpen());
}

TEST_F(StoryTest, MissingScriptIsReportedAndDoesNothing)
{
    clearTrace();
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\none.txt Sprite bloc.png\n");
    EXPECT_TRUE(traced(" *** ERROR : ERREUR CHARGEMENT SCRIPT"));
    EXPECT_TRUE(traced("    * data\\s\\none.txt"));
    level->activerEntite(4);
    EXPECT_EQ(activations("data\\s\\none.txt"), 1);
}

TEST_F(StoryTest, ScriptThatActivatesItselfIsCutOff)
{
    writeFile("data\\s\\loop.txt", "[ActivateEntity] 4\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\loop.txt Sprite bloc.png\n");
    clearTrace();
    level->activerEntite(4);
    EXPECT_EQ(activations("data\\s\\loop.txt"), ScriptedEntity::MAX_NESTING);
    EXPECT_TRUE(traced(" *** ERREUR : Scripts imbriques trop profondement, activation ignoree :"));
}

TEST_F(StoryTest, ScriptsThatBranchStopAtTheFramesAllowanceAndRunAgainNextFrame)
{
    // Three activations of itself per run: 3^16 runs within the nesting bound.
    writeFile("data\\s\\tree.txt", "[ActivateEntity] 4\n[ActivateEntity] 4\n[ActivateEntity] 4\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\tree.txt Sprite bloc.png\n");
    clearTrace();
    level->activerEntite(4);
    EXPECT_EQ(activations("data\\s\\tree.txt"), ScriptedEntity::MAX_ACTIVATIONS_PER_FRAME);
    const std::string dropped = " *** ERREUR : Trop de scripts dans cette image, la suite est ignoree :";
    const std::vector<std::string> all = trace();
    EXPECT_EQ(std::count(all.begin(), all.end(), dropped), 1) << "said once per frame";
    EXPECT_TRUE(traced("    * data\\s\\tree.txt"));

    step();
    clearTrace();
    level->activerEntite(4);
    EXPECT_EQ(activations("data\\s\\tree.txt"), ScriptedEntity::MAX_ACTIVATIONS_PER_FRAME) << "a new frame";
}

TEST_F(StoryTest, AFrameReadsAMegabyteOfScriptsAtMost)
{
    // 60 KiB scripts: eighteen start within one frame's megabyte, the nineteenth does not.
    writeFile("data\\s\\long.txt", "[TypeDeclenchement] OnCollision\n| " + std::string(60 << 10, 'x') + "\n");
    std::string map;
    for (int id = 1; id <= 20; ++id)
        map += "[ScriptedEntity] " + std::to_string(id) + " 0 0 data\\s\\long.txt Sprite bloc.png\n";
    clearTrace();
    startLevel(map);
    EXPECT_EQ(script(18)->getTypeDeclenchement(), OnCollision);
    EXPECT_EQ(script(19)->getTypeDeclenchement(), Dont) << "its header was not read in this frame";
    EXPECT_TRUE(traced(" *** ERREUR : Trop de scripts dans cette image, la suite est ignoree :"));
    step();
    clearTrace();
    level->activerEntite(19);
    EXPECT_EQ(activations("data\\s\\long.txt"), 1) << "the next frame reads it";
}

TEST_F(StoryTest, ScriptsOpenAFewScenesPerFrameAndNoFileOutsideTheData)
{
    writeFile("data\\s\\scenes.txt",
              "[ActivateEntity] 4\n[ActivateEntity] 4\n[PlusOuMoins] 3\n[MasterMindCode] 4 -1\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\scenes.txt Sprite bloc.png\n");
    const std::size_t before = game->stateCount();
    level->activerEntite(4);
    EXPECT_EQ(game->stateCount() - before, static_cast<std::size_t>(ScriptedEntity::MAX_SCENES_PER_FRAME));

    game->app().mainMenu();
    game = std::make_unique<GameHarness>();
    writeFile("data\\s\\outside.txt", "[ShowDialogue] /dev/stdin -1\n[ShowDialogue] data\\..\\..\\x.dia -1\n"
                                      "[SetPlayerPosition] 1000001 0\n[PlayerCanShoot] 1\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\outside.txt Sprite bloc.png\n"
               "[ScriptedEntity] 5 0 0 /dev/stdin Sprite bloc.png\n");
    EXPECT_TRUE(traced(" *** ERROR : ERREUR CHARGEMENT SCRIPT"));
    EXPECT_TRUE(traced("    * /dev/stdin"));
    clearTrace();
    level->activerEntite(4);
    EXPECT_EQ(game->top(), level) << "no dialogue from outside the data folder";
    EXPECT_TRUE(traced(" *** Echec de l'ouverture du fichier :"));
    EXPECT_TRUE(traced("    * data\\..\\..\\x.dia"));
    EXPECT_FALSE(player().canShoot()) << "a position out of range stops the reader";
}

TEST_F(StoryTest, BubblesBeyondAnyWindowEndTheDialogue)
{
    startLevel("");
    for (const char* entry : {"0 -2147483648 10 0 0 0 x#\n", "0 10 1000001 0 0 0 x#\n", "0 2147483648 0 0 0 0 x#\n"}) {
        clearTrace();
        openDialogue(std::string(TWO_ACTORS) + entry);
        EXPECT_EQ(game->top(), level) << entry;
        EXPECT_TRUE(traced(" *** ERREUR : Dialogue interrompu (bulle incomplete) :")) << entry;
    }
}

TEST_F(StoryTest, ShotScriptIsReachedByABullet)
{
    writeFile("data\\s\\shot.txt", "[TypeDeclenchement] OnShoot\n");
    startLevel("[ScriptedEntity] 4 300 300 data\\s\\shot.txt Sprite bloc.png\n");
    player().setPosition(10, 10);
    EXPECT_TRUE(script(4)->isShootable());
    level->addBullet(new Bullet(&game->rm(), 100, {310, 310, 1, 0}));
    level->update(0.f);
    EXPECT_EQ(activations("data\\s\\shot.txt"), 1);
}

TEST_F(StoryTest, DeveloperKeysOpenTheTestPuzzleAndTheTestDialogue)
{
    writeFile("data\\maps\\test\\dialogue\\test.dia", std::string(TWO_ACTORS) + "0 1 1 0 0 0 test#\n");
    startLevel("");
    release(sf::Keyboard::F6);
    ASSERT_NE(game->topAs<PlusOuMoins>(), nullptr);
    EXPECT_EQ(game->topAs<PlusOuMoins>()->getTranscript(), "FREQUENCY #3\n\n>:  ");
    game->app().popGameState();
    release(sf::Keyboard::F7);
    EXPECT_NE(game->topAs<Dialogue>(), nullptr);
}
