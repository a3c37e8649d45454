#include "dialogue/dialogue.h"
#include "input/keys.h"
#include "menus/pausemenu.h"
#include "minigames/consoleminigame.h"
#include "support/leveldata.h"

#include <functional>

namespace {

const char* const FLOOR = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n";

// The pad's buttons as an XInput-style pad numbers them under Linux.
const unsigned A = 0, B = 1, X = 2, Y = 3, RB = 5, START = 7;

// One way to give an action: what the hand does to press it and to let it go, both
// the real-time state the game polls and the event the window sends.
struct Source
{
    std::string name;
    std::function<void(GameHarness&, bool pressed)> hand;
    void down(GameHarness& game) const
    {
        hand(game, true);
    }
    void up(GameHarness& game) const
    {
        hand(game, false);
    }
};

Source key(sf::Keyboard::Key code)
{
    return {"key " + keyToken(code), [code](GameHarness& game, bool pressed) {
                pressed ? game.keyboard().hold(code) : game.keyboard().release(code);
                game.send(pressed ? keyPressed(code) : keyReleased(code));
            }};
}

Source padButton(unsigned button)
{
    return {"pad button " + std::to_string(button), [button](GameHarness& game, bool pressed) {
                pressed ? game.pad().hold(button) : game.pad().release(button);
                game.send(pressed ? padPressed(button) : padReleased(button));
            }};
}

Source padAxis(sf::Joystick::Axis axis, float position, float rest = 0.f)
{
    return {"pad axis " + std::to_string(axis) + " at " + std::to_string(position),
            [axis, position, rest](GameHarness& game, bool pressed) {
                game.pad().setAxis(axis, pressed ? position : rest);
                game.send(padMoved(axis, pressed ? position : rest));
            }};
}

} // namespace

// Every action of the game from each of its keys, buttons and sticks, with the
// character standing on a floor.
class ControlsTest : public LevelTest
{
protected:
    void standOnTheFloor()
    {
        if (!level)
            startLevel(FLOOR);
        player().setPosition(400, 419);
        land();
    }
    // Holds the source for half a second and returns how far the character went.
    float walked(const Source& source)
    {
        standOnTheFloor();
        const float from = position().x;
        source.down(*game);
        step(30);
        source.up(*game);
        const float to = position().x;
        step(10);
        EXPECT_FLOAT_EQ(position().x, to) << source.name << ": the walk stops with the source";
        return to - from;
    }
};

TEST_F(ControlsTest, EveryWayToWalkWalksButNotAStickAtRestOrAnUnpluggedPad)
{
    for (const Source& left : {key(sf::Keyboard::Q), key(sf::Keyboard::A), key(sf::Keyboard::Left),
                               padAxis(sf::Joystick::X, -60), padAxis(sf::Joystick::PovX, -100)}) {
        EXPECT_LT(walked(left), -50.f) << left.name;
        EXPECT_EQ(player().getSprite().getEtatY(), 0) << left.name << " faces left";
    }
    for (const Source& right : {key(sf::Keyboard::D), key(sf::Keyboard::Right), padAxis(sf::Joystick::X, 60),
                                padAxis(sf::Joystick::PovX, 100)}) {
        EXPECT_GT(walked(right), 50.f) << right.name;
        EXPECT_EQ(player().getSprite().getEtatY(), 1) << right.name << " faces right";
    }
    EXPECT_FLOAT_EQ(walked(padAxis(sf::Joystick::X, 20)), 0.f) << "a worn stick rests off centre";
    game->pad().unplug();
    EXPECT_FLOAT_EQ(walked(padAxis(sf::Joystick::X, 100)), 0.f);
}

// Jumping, reversing gravity, activating and pausing, then reading on in a dialogue and typing
// in a terminal with the pad.
TEST_F(ControlsTest, EveryWayToGiveAnActionGivesIt)
{
    for (const Source& jump : {key(sf::Keyboard::Space), key(sf::Keyboard::Up), padButton(A)}) {
        standOnTheFloor();
        const float ground = position().y;
        jump.down(*game);
        step(10);
        jump.up(*game);
        EXPECT_LT(position().y, ground - 20.f) << jump.name;
    }

    player().canToggleGravity(true);
    for (const Source& reverse : {key(sf::Keyboard::LShift), key(sf::Keyboard::Down), padButton(Y)}) {
        standOnTheFloor();
        reverse.down(*game);
        EXPECT_TRUE(player().isGravityNormal()) << reverse.name << ": pressing does nothing";
        reverse.up(*game);
        EXPECT_FALSE(player().isGravityNormal()) << reverse.name << ": it acts on its release";
        player().toggleGravity();
    }

    standOnTheFloor();
    auto* lever = new CountingEntity(&game->rm(), {390, 400, 60, 60}, EntityFlag::Activable);
    level->addEntity(7, lever);
    int expected = 0;
    for (const Source& activate : {key(sf::Keyboard::E), padButton(X)}) {
        activate.down(*game);
        activate.up(*game);
        EXPECT_EQ(lever->activations, ++expected) << activate.name << " acts on its press";
    }

    for (const Source& pause : {key(sf::Keyboard::Escape), padButton(START)}) {
        pause.down(*game);
        EXPECT_EQ(game->top(), level) << pause.name;
        pause.up(*game);
        ASSERT_NE(game->topAs<PauseMenu>(), nullptr) << pause.name << " pauses on its release";
        game->app().popGameState();
    }

    writeFile("data\\d.dia", "[Actor] Korvane background 46 230 214\n[Dialogue]\n"
                             "0 -1 -1 0 0 0 un#\n\n0 -1 -1 0 0 0 deux#\n\n0 -1 -1 0 0 0 trois#\n\n"
                             "0 -1 -1 0 0 0 quatre#\n\n0 -1 -1 0 0 0 cinq#\n\n0 -1 -1 0 0 0 six#\n");
    Dialogue::open(&game->rm(), "data\\d.dia", -1);
    Dialogue* dialogue = game->topAs<Dialogue>();
    ASSERT_NE(dialogue, nullptr);
    for (const Source& next : {key(sf::Keyboard::Return), key(sf::Keyboard::E), key(sf::Keyboard::F),
                               key(sf::Keyboard::Space), padButton(A)}) {
        const std::string shown = dialogue->getText().getString();
        next.down(*game);
        EXPECT_EQ(dialogue->getText().getString(), shown) << next.name << ": a press does not read on";
        next.up(*game);
        EXPECT_NE(dialogue->getText().getString(), shown) << next.name;
    }
    game->app().popGameState();

    auto* puzzle = new PlusOuMoins(&game->rm(), 3);
    puzzle->setCode(42);
    game->app().addGameState(puzzle);
    auto choose = [this](sf::Joystick::Axis axis, float position, int times) {
        for (int i = 0; i < times; ++i) {
            game->send(padMoved(axis, position));
            game->send(padMoved(axis, 0));
        }
    };
    choose(sf::Joystick::PovY, -100, 1); // up: 0 blinks at the cursor
    EXPECT_EQ(puzzle->getTranscript().back(), '0');
    choose(sf::Joystick::Y, -100, 4);
    padButton(A).up(*game);
    choose(sf::Joystick::PovY, 100, 3); // down from 4: 3, 2, 1
    padButton(A).up(*game);
    padButton(B).up(*game);             // erases the 1
    choose(sf::Joystick::PovY, 100, 9); // down again, past 0 to 2
    padButton(A).up(*game);
    EXPECT_NE(puzzle->getTranscript().find(">: 42"), std::string::npos) << puzzle->getTranscript();
    padButton(START).up(*game);
    ASSERT_TRUE(puzzle->isFinished());
    padButton(B).up(*game);
    EXPECT_EQ(game->top(), level) << "any pad button closes the solved terminal";
}

TEST_F(ControlsTest, PadAimsAHundredAndFiftyPixelsFromTheCharacterAndEveryWayToFireFiresUntilLetGo)
{
    for (int i = 0; i < 7; ++i)
        writeSound("data\\sounds\\shoot" + std::to_string(i) + ".ogg", 0.05f);
    standOnTheFloor();
    player().peuxTirer(true);
    const sf::FloatRect box = player().getHitbox();
    const sf::Vector2i centre(static_cast<int>(box.left + box.width / 2), static_cast<int>(box.top + box.height / 2));
    step();
    EXPECT_NE(game->rm().getMousePosition(), centre + sf::Vector2i(150, 0)) << "the stick has not moved yet";

    game->pad().setAxis(sf::Joystick::U, 100);
    step();
    EXPECT_EQ(game->rm().getMousePosition(), centre + sf::Vector2i(150, 0));
    game->pad().setAxis(sf::Joystick::U, -60);
    game->pad().setAxis(sf::Joystick::V, -80); // up and to the left: 3-4-5
    step();
    EXPECT_EQ(game->rm().getMousePosition(), centre + sf::Vector2i(-90, -120));

    game->pad().setAxis(sf::Joystick::U, 10);
    game->pad().setAxis(sf::Joystick::V, 0);
    step();
    EXPECT_EQ(game->rm().getMousePosition(), centre + sf::Vector2i(-90, -120)) << "a stick at rest keeps the aim";

    game->send(mouseMoved(900, 100));
    step(5);
    EXPECT_EQ(game->rm().getMousePosition(), sf::Vector2i(900, 100)) << "the mouse aims again";

    const Source mouse{"left mouse button", [](GameHarness& game, bool pressed) {
                           game.send(pressed ? mousePressed(900, 100) : mouseReleased(900, 100));
                       }};
    for (const Source& fire : {mouse, padButton(RB), padAxis(sf::Joystick::R, 100, -100)}) {
        const std::size_t before = level->getBullets().size();
        fire.down(*game);
        step();
        EXPECT_EQ(level->getBullets().size(), before + 1) << fire.name;
        fire.up(*game);
        step(40); // longer than the time between two shots, shorter than a bullet's flight
        EXPECT_EQ(level->getBullets().size(), before + 1) << fire.name << ": no shot once let go";
        step(120);
    }
}

TEST_F(ControlsTest, SonyPadsAreReadByWhereTheirButtonsSit)
{
    game = std::make_unique<GameHarness>();
    game->pad().setVendor(0x054C);
    standOnTheFloor();
    player().canToggleGravity(true);
    padButton(3).up(*game); // the square, on the left: it activates
    EXPECT_TRUE(player().isGravityNormal());
    padButton(2).up(*game); // the triangle, at the top
    EXPECT_FALSE(player().isGravityNormal());
    padButton(7).up(*game); // R2 on these pads
    EXPECT_EQ(game->top(), level);
    padButton(9).up(*game); // the options button pauses
    EXPECT_NE(game->topAs<PauseMenu>(), nullptr);
}

TEST(Bindings, DefaultsAddTheArrowsAndANewKeySwapsWithTheActionOfTheSameScreenThatHadIt)
{
    using K = sf::Keyboard;
    Bindings keys;
    EXPECT_EQ(keys.keys(Action::WalkLeft), (std::vector<K::Key>{K::Q, K::A, K::Left}));
    EXPECT_EQ(keys.keys(Action::WalkRight), (std::vector<K::Key>{K::D, K::Right}));
    EXPECT_EQ(keys.keys(Action::Jump), (std::vector<K::Key>{K::Space, K::Up}));
    EXPECT_EQ(keys.keys(Action::ReverseGravity), (std::vector<K::Key>{K::LShift, K::Down}));
    EXPECT_EQ(keys.keys(Action::Activate), (std::vector<K::Key>{K::E}));
    EXPECT_EQ(keys.keys(Action::NextLine), (std::vector<K::Key>{K::Return, K::E, K::F, K::Space}));
    EXPECT_TRUE(keys.isConsistent());

    const Bindings defaults = keys;
    EXPECT_FALSE(keys.rebind(Action::Jump, 0, K::Escape));
    EXPECT_FALSE(keys.rebind(Action::Jump, 0, K::F3));
    EXPECT_FALSE(keys.rebind(Action::Jump, 0, K::Unknown));
    EXPECT_FALSE(keys.rebind(Action::Jump, 2, K::W)) << "jump has two keys";
    EXPECT_FALSE(keys.rebind(Action::Pause, 0, K::P));
    EXPECT_FALSE(keys.rebind(Action::MenuConfirm, 0, K::P));
    EXPECT_TRUE(keys == defaults) << "Escape, the function keys and the fixed actions are never rebound";

    ASSERT_TRUE(keys.rebind(Action::Jump, 0, K::W));
    EXPECT_EQ(keys.keys(Action::Jump), (std::vector<K::Key>{K::W, K::Up}));
    ASSERT_TRUE(keys.rebind(Action::Jump, 0, K::E));
    EXPECT_EQ(keys.keys(Action::Jump), (std::vector<K::Key>{K::E, K::Up}));
    EXPECT_EQ(keys.keys(Action::Activate), (std::vector<K::Key>{K::W})) << "activate takes the key jump gave up";
    EXPECT_TRUE(keys.isBound(Action::NextLine, K::E)) << "a dialogue is another screen: E still reads on";
    ASSERT_TRUE(keys.rebind(Action::NextLine, 0, K::Space));
    EXPECT_EQ(keys.keys(Action::NextLine), (std::vector<K::Key>{K::Space, K::E, K::F, K::Return}))
        << "a key of the same action moves within it";
    EXPECT_TRUE(keys.isConsistent());
}

TEST(Bindings, EveryKeyAPlayerCanChooseIsWrittenAndReadBackByName)
{
    int bindable = 0;
    for (int code = 0; code < sf::Keyboard::KeyCount; ++code) {
        const auto key = static_cast<sf::Keyboard::Key>(code);
        if (!canBeBound(key))
            continue;
        ++bindable;
        EXPECT_EQ(keyFromToken(keyToken(key)), key) << keyToken(key);
        EXPECT_NE(keyLabel(key), "?") << keyToken(key);
    }
    EXPECT_GE(bindable, 80) << "letters, digits, the keypad, arrows and punctuation";
    EXPECT_EQ(keyFromToken("Banana"), sf::Keyboard::Unknown);
    EXPECT_EQ(keyFromToken(""), sf::Keyboard::Unknown);
}
