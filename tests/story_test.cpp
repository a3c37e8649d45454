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
    std::string shownText()
    {
        return game->topAs<Dialogue>()->getText().getString().toAnsiString();
    }
    ScriptedEntity* script(int id)
    {
        return dynamic_cast<ScriptedEntity*>(level->getEntity(id));
    }
    bool isOpen(int door)
    {
        return dynamic_cast<DoorEntity*>(level->getEntity(door))->isOpen();
    }
    void backToTheLevel()
    {
        while (game->top() != level)
            game->app().popGameState();
    }
    int activations(const std::string& path) const
    {
        const std::vector<std::string> all = trace();
        return static_cast<int>(std::count(all.begin(), all.end(), " -- Activation du script : " + path));
    }
};

TEST_F(StoryTest, BubblesArePlacedFollowOneAnotherAndTheLastActivatesTheEntity)
{
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n");
    Dialogue* dialogue = openDialogue(std::string(TWO_ACTORS) + "0 -1 -1 0 0 0 deux\nlignes#\n\n"
                                                                "1 -1 -1 0 0 0 x#\n");
    const Actor& korvane = dialogue->getActor(0);
    EXPECT_EQ(korvane.getBackground().getPosition(), sf::Vector2f(200, 200)) << "-1 centres the bubble";
    EXPECT_EQ(korvane.getAvatar().getPosition(), sf::Vector2f(201, 201));
    EXPECT_EQ(korvane.getName().getPosition(), sf::Vector2f(306, 201));
    EXPECT_EQ(dialogue->getText().getPosition(), sf::Vector2f(320, 208));
    EXPECT_EQ(dialogue->getWaitMarker().getPosition(), sf::Vector2f(779, 282));
    EXPECT_EQ(shownText(), " deux\nlignes") << "the blank after the colour stays";
    EXPECT_EQ(korvane.getName().getFillColor(), sf::Color(46, 230, 214));
    release(sf::Keyboard::E);
    const Actor& pilote = dialogue->getActor(1);
    EXPECT_EQ(pilote.getBackground().getPosition(), sf::Vector2f(177, 200)) << "drawn 23 pixels further left";
    EXPECT_EQ(pilote.getAvatar().getPosition(), sf::Vector2f(201, 201));
    EXPECT_EQ(dialogue->getText().getPosition(), sf::Vector2f(320, 208));
    EXPECT_EQ(pilote.getName().getFillColor(), sf::Color(0, 44, 255)) << "colour values wrap";
    release(sf::Keyboard::E);

    dialogue = openDialogue(std::string(TWO_ACTORS) + "0 10 20 255 255 255\nBonjour !#\n\n"
                                                      "1 -1 -1 0 0 0\nSalut.#\n\n"
                                                      "0 30 40 1 2 3\nOn y va ?#\n",
                            9);
    ASSERT_NE(dialogue, nullptr);
    EXPECT_EQ(dialogue->getActiveActor(), 0) << "the first bubble shows at once";
    EXPECT_EQ(shownText(), "\nBonjour !");
    release(sf::Keyboard::Return);
    EXPECT_EQ(dialogue->getActiveActor(), 1);
    release(sf::Keyboard::F);
    EXPECT_EQ(shownText(), "\nOn y va ?");
    EXPECT_FALSE(isOpen(9));
    release(sf::Keyboard::Space);
    EXPECT_EQ(game->top(), level);
    EXPECT_TRUE(isOpen(9));

    // Clicks advance only on the bubble, and Escape pauses without advancing.
    openDialogue(std::string(TWO_ACTORS) + "0 100 100 0 0 0 a#\n\n0 100 100 0 0 0 b#\n\n0 100 100 0 0 0 c#\n");
    game->send(mouseReleased(50, 50, sf::Mouse::Left));
    game->send(keyPressed(sf::Keyboard::Return));
    EXPECT_EQ(shownText(), " a");
    game->send(mouseReleased(150, 150, sf::Mouse::Right));
    EXPECT_EQ(shownText(), " b");
    release(sf::Keyboard::Escape);
    ASSERT_NE(game->topAs<PauseMenu>(), nullptr);
    release(sf::Keyboard::Escape);
    EXPECT_EQ(shownText(), " b") << "pausing does not advance";
}

TEST_F(StoryTest, DialoguesThatCannotBeReadEndCleanlyWithAnErrorAndNeverTakeAPlaceOnTheStack)
{
    startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n");
    const std::size_t states = game->stateCount();
    clearTrace();
    Dialogue::open(&game->rm(), "data\\missing.dia", 9);
    EXPECT_EQ(game->stateCount(), states);
    EXPECT_TRUE(tracedLines({" *** Echec de l'ouverture du fichier :", "    * data\\missing.dia"}));
    EXPECT_TRUE(isOpen(9)) << "its end still activates";
    openDialogue(TWO_ACTORS, 9);
    EXPECT_EQ(game->stateCount(), states) << "no bubble at all";
    EXPECT_FALSE(isOpen(9)) << "activated first";

    ASSERT_NE(openDialogue(std::string(TWO_ACTORS) + "0 1 1 0 0 0 ok#\n\n7 1 1 0 0 0 nobody#\n", 9), nullptr);
    release(sf::Keyboard::Return);
    EXPECT_EQ(game->stateCount(), states);
    EXPECT_TRUE(tracedLines({" *** ERREUR : Dialogue interrompu (acteur 7 inconnu) :", "    * data\\d.dia"}));
    for (const std::string& broken :
         {std::string(TWO_ACTORS) + "0 1 1 0 0 0 no end mark", std::string(TWO_ACTORS) + "0 1 one",
          std::string("[Actor] Korvane background 1 2\n[Dialogue]\n0 1 1 0 0 0 x#\n")}) {
        openDialogue(broken);
        EXPECT_EQ(game->stateCount(), states) << broken;
    }

    // Bubbles beyond any window.
    for (const char* entry : {"0 -2147483648 10 0 0 0 x#\n", "0 10 1000001 0 0 0 x#\n", "0 2147483648 0 0 0 0 x#\n"}) {
        clearTrace();
        openDialogue(std::string(TWO_ACTORS) + entry);
        EXPECT_EQ(game->top(), level) << entry;
        EXPECT_TRUE(traced(" *** ERREUR : Dialogue interrompu (bulle incomplete) :")) << entry;
    }
}

// Dialogues and puzzles opened together: the ending of one, a script that opens two, the
// developer keys.
TEST_F(StoryTest, ScenesOpenedTogetherStackAndShowInTurn)
{
    writeFile("data\\s\\puzzle.txt", "[PlusOuMoins] 2\n");
    writeFile("data\\s\\wait.txt", "[ShowDialogue] data\\w.dia -1\n[PlusOuMoins] 1\n");
    writeFile("data\\w.dia", std::string(TWO_ACTORS) + "0 0 0 0 0 0 ok#\n");
    writeFile("data\\one.dia", std::string(TWO_ACTORS) + "0 1 1 0 0 0 one#\n");
    writeFile("data\\two.dia", std::string(TWO_ACTORS) + "1 1 1 0 0 0 two#\n");
    writeFile("data\\s\\two.txt", "[ShowDialogue] data\\one.dia -1 [ShowDialogue] data\\two.dia -1\n");
    writeFile("data\\maps\\test\\dialogue\\test.dia", std::string(TWO_ACTORS) + "0 1 1 0 0 0 test#\n");
    startLevel("[ScriptedEntity] 4 0 400 data\\s\\puzzle.txt Sprite bloc.png\n"
               "[ScriptedEntity] 5 0 400 data\\s\\wait.txt Sprite bloc.png\n"
               "[ScriptedEntity] 6 0 400 data\\s\\two.txt Sprite bloc.png\n");
    const std::size_t states = game->stateCount();

    openDialogue(std::string(TWO_ACTORS) + "0 1 1 0 0 0 ok#\n", 4);
    release(sf::Keyboard::Return);
    ASSERT_NE(game->topAs<PlusOuMoins>(), nullptr);
    EXPECT_EQ(game->app().getState(game->stateCount() - 2), level) << "the ending dialogue alone left";
    backToTheLevel();

    level->activerEntite(6);
    ASSERT_EQ(game->stateCount(), states + 2);
    EXPECT_EQ(shownText(), " two") << "the second on top";
    release(sf::Keyboard::Return);
    EXPECT_EQ(shownText(), " one");
    backToTheLevel();

    // A dialogue waiting under a terminal shows once the terminal has closed.
    level->activerEntite(5);
    auto* puzzle = game->topAs<PlusOuMoins>();
    ASSERT_NE(puzzle, nullptr);
    // A point of the bubble at (0, 0) beside the centred terminal, clear of the HUD.
    EXPECT_EQ(game->drawnStates().getPixel(230, 50), sf::Color::Black) << "the bubble would cross the terminal";
    game->send(keyReleased(static_cast<sf::Keyboard::Key>(sf::Keyboard::Num0 + puzzle->getCode())));
    release(sf::Keyboard::Return);
    release(sf::Keyboard::Return);
    ASSERT_NE(game->topAs<Dialogue>(), nullptr);
    EXPECT_EQ(game->drawnStates().getPixel(230, 50), sf::Color::White);
    backToTheLevel();

    release(sf::Keyboard::F6);
    ASSERT_NE(game->topAs<PlusOuMoins>(), nullptr);
    EXPECT_EQ(game->topAs<PlusOuMoins>()->getTranscript(), "FREQUENCY #3\n\n>:  ");
    game->app().popGameState();
    release(sf::Keyboard::F7);
    EXPECT_NE(game->topAs<Dialogue>(), nullptr);
}

TEST_F(StoryTest, EachTriggerRunsItsScriptAtItsMoment)
{
    writeFile("data\\s\\a.txt", "[TypeDeclenchement] OnMapLoading\n[ActivateEntity] 9\n");
    writeFile("data\\s\\w.txt", "[TypeDeclenchement] AfterWait 2.5\n");
    writeFile("data\\s\\c.txt", "[TypeDeclenchement] OnCollision\n[PlayerCanShoot] 1\n");
    writeFile("data\\s\\shot.txt", "[TypeDeclenchement] OnShoot\n");
    startLevel("[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
               "[DoorEntity] 9 600 350 Sprite porte.png\n"
               "[ScriptedEntity] 4 0 0 data\\s\\a.txt AnimatedSprite pics.png 1 2 -1 0\n"
               "[ScriptedEntity] 5 900 0 data\\s\\w.txt Sprite bloc.png\n"
               "[ScriptedEntity] 6 100 420 data\\s\\c.txt Sprite bloc.png\n"
               "[ScriptedEntity] 7 300 300 data\\s\\shot.txt Sprite bloc.png\n");
    for (int i = 0; i < 4; ++i)
        script(5)->update(0.5f);
    EXPECT_EQ(activations("data\\s\\w.txt"), 0);
    script(5)->update(0.5f);
    EXPECT_EQ(activations("data\\s\\w.txt"), 1) << "the fifth update of half a second";

    EXPECT_EQ(activations("data\\s\\a.txt"), 0) << "not while the map is read";
    player().setPosition(100, 300); // falls onto the contact script
    step();
    EXPECT_EQ(activations("data\\s\\a.txt"), 1) << "in the first update";
    step(60);
    EXPECT_EQ(activations("data\\s\\a.txt"), 1) << "in the first update only";
    EXPECT_EQ(script(4)->getTypeDeclenchement(), Dont);
    EXPECT_EQ(dynamic_cast<const AnimatedSprite&>(script(4)->getSprite()).getEtatY(), 1) << "shows its second row";

    EXPECT_EQ(activations("data\\s\\c.txt"), 1) << "on the first contact";
    EXPECT_TRUE(player().canShoot());
    level->activerEntite(6);
    EXPECT_EQ(activations("data\\s\\c.txt"), 2) << "still answers activation";

    player().setPosition(10, 10);
    EXPECT_TRUE(script(7)->isShootable());
    level->addBullet(new Bullet(&game->rm(), 100, {310, 310, 1, 0}));
    level->update(0.f);
    EXPECT_EQ(activations("data\\s\\shot.txt"), 1) << "reached by a bullet";
}

TEST_F(StoryTest, HeaderAndCommandsAreReadByTheirOwnReadersAndStopAtAWrongWordOrAMissingFile)
{
    writeFile("data\\s\\h.txt", "[SetSolid] 1 [IsSolid] 0\n"
                                "| [ActivateEntity] 9\n"
                                "[ActivateEntity] 8 | [ActivateEntity] 9\n"
                                "|note [ActivateEntity] 7\n"
                                "[SetEntityVisible] 6 0 [PlayerCanToggleGravity] 1 [SetPlayerPosition] 300 200\n");
    writeFile("data\\s\\bad.txt", "[IsSolid] 2 [TypeDeclenchement] OnCollision\n"
                                  "[ActivateEntity] nine [ActivateEntity] 8\n");
    clearTrace();
    startLevel("[DoorEntity] 6 0 0 Sprite porte.png\n[DoorEntity] 7 0 0 Sprite porte.png\n"
               "[DoorEntity] 8 0 0 Sprite porte.png\n[DoorEntity] 9 0 0 Sprite porte.png\n"
               "[ScriptedEntity] 4 0 0 data\\s\\h.txt Sprite bloc.png\n"
               "[ScriptedEntity] 5 0 0 data\\s\\bad.txt Sprite bloc.png\n"
               "[ScriptedEntity] 3 0 0 data\\s\\none.txt Sprite bloc.png\n");
    EXPECT_TRUE(tracedLines({" *** ERROR : ERREUR CHARGEMENT SCRIPT", "    * data\\s\\none.txt"}));
    level->activerEntite(3);
    EXPECT_EQ(activations("data\\s\\none.txt"), 1) << "a missing script does nothing more";

    EXPECT_TRUE(script(5)->isSolid()) << "a wrong word keeps the values";
    EXPECT_EQ(script(5)->getTypeDeclenchement(), Dont);
    level->activerEntite(5);
    EXPECT_FALSE(isOpen(8)) << "nothing after a wrong word runs";

    EXPECT_FALSE(script(4)->isSolid()) << "the header reader sets the flag";
    EXPECT_EQ(script(4)->getTypeDeclenchement(), Dont);
    level->activerEntite(4);
    EXPECT_TRUE(script(4)->isSolid()) << "the command reader sets it again";
    EXPECT_TRUE(isOpen(8));
    EXPECT_FALSE(isOpen(9)) << "comments hide the rest of their line";
    EXPECT_TRUE(isOpen(7)) << "a word that merely begins with the bar is no comment";
    EXPECT_FALSE(level->getEntity(6)->isVisible());
    EXPECT_TRUE(player().canReverseGravity());
    EXPECT_EQ(player().getHitbox().left, 300.f);
}

// The bounds that keep scripts from freezing a frame: nesting, activations, bytes read and
// scenes opened per frame, and no file outside the data folder.
TEST_F(StoryTest, ScriptsStopAtTheNestingBoundAndAtEachFramesAllowanceAndReadNoFileOutsideTheData)
{
    writeFile("data\\s\\loop.txt", "[ActivateEntity] 4\n");
    // Three activations of itself per run: 3^16 runs within the nesting bound.
    writeFile("data\\s\\tree.txt", "[ActivateEntity] 5\n[ActivateEntity] 5\n[ActivateEntity] 5\n");
    startLevel("[ScriptedEntity] 4 0 0 data\\s\\loop.txt Sprite bloc.png\n"
               "[ScriptedEntity] 5 0 0 data\\s\\tree.txt Sprite bloc.png\n");
    clearTrace();
    level->activerEntite(4);
    EXPECT_EQ(activations("data\\s\\loop.txt"), ScriptedEntity::MAX_NESTING);
    EXPECT_TRUE(traced(" *** ERREUR : Scripts imbriques trop profondement, activation ignoree :"));
    const std::string dropped = " *** ERREUR : Trop de scripts dans cette image, la suite est ignoree :";
    for (const char* frame : {"first", "next"}) {
        SCOPED_TRACE(frame);
        step();
        clearTrace();
        level->activerEntite(5);
        EXPECT_EQ(activations("data\\s\\tree.txt"), ScriptedEntity::MAX_ACTIVATIONS_PER_FRAME);
        const std::vector<std::string> all = trace();
        EXPECT_EQ(std::count(all.begin(), all.end(), dropped), 1) << "said once per frame";
        EXPECT_TRUE(traced("    * data\\s\\tree.txt"));
    }

    // 60 KiB scripts: eighteen start within one frame's megabyte, the nineteenth does not.
    writeFile("data\\s\\long.txt", "[TypeDeclenchement] OnCollision\n| " + std::string(60 << 10, 'x') + "\n");
    std::string map;
    for (int id = 1; id <= 20; ++id)
        map += "[ScriptedEntity] " + std::to_string(id) + " 0 0 data\\s\\long.txt Sprite bloc.png\n";
    step();
    replaceLevel(map);
    EXPECT_EQ(script(18)->getTypeDeclenchement(), OnCollision);
    EXPECT_EQ(script(19)->getTypeDeclenchement(), Dont) << "its header was not read in this frame";
    EXPECT_TRUE(traced(dropped));
    step();
    clearTrace();
    level->activerEntite(19);
    EXPECT_EQ(activations("data\\s\\long.txt"), 1) << "the next frame reads it";

    writeFile("data\\s\\scenes.txt",
              "[ActivateEntity] 4\n[ActivateEntity] 4\n[PlusOuMoins] 3\n[MasterMindCode] 4 -1\n");
    replaceLevel("[ScriptedEntity] 4 0 0 data\\s\\scenes.txt Sprite bloc.png\n");
    step();
    const std::size_t before = game->stateCount();
    level->activerEntite(4);
    EXPECT_EQ(game->stateCount() - before, static_cast<std::size_t>(ScriptedEntity::MAX_SCENES_PER_FRAME));

    game->app().mainMenu();
    level = nullptr;
    writeFile("data\\s\\outside.txt", "[ShowDialogue] /dev/stdin -1\n[ShowDialogue] data\\..\\..\\x.dia -1\n"
                                      "[SetPlayerPosition] 1000001 0\n[PlayerCanShoot] 1\n");
    replaceLevel("[ScriptedEntity] 4 0 0 data\\s\\outside.txt Sprite bloc.png\n"
                 "[ScriptedEntity] 5 0 0 /dev/stdin Sprite bloc.png\n");
    EXPECT_TRUE(tracedLines({" *** ERROR : ERREUR CHARGEMENT SCRIPT", "    * /dev/stdin"}));
    step();
    clearTrace();
    level->activerEntite(4);
    EXPECT_EQ(game->top(), level) << "no dialogue from outside the data folder";
    EXPECT_TRUE(tracedLines({" *** Echec de l'ouverture du fichier :", "    * data\\..\\..\\x.dia"}));
    EXPECT_FALSE(player().canShoot()) << "a position out of range stops the reader";
}
