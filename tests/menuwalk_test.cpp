#include "menus/keysmenu.h"
#include "menus/loadingmenu.h"
#include "menus/mainmenu.h"
#include "menus/newgamemenu.h"
#include "menus/optionsmenu.h"
#include "menus/pausemenu.h"
#include "menus/screen.h"
#include "support/leveldata.h"

#include <SFML/Graphics/Texture.hpp>

#include <filesystem>

namespace {

using Key = sf::Keyboard;
const unsigned SOUTH = 0, EAST = 1, START = 7; // the pad's buttons
const char* const FLOOR = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n";

} // namespace

// Every screen with buttons, walked with the keyboard or the pad alone.
class MenuWalkTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeSlotMenus();
        writeButton("data\\graphics\\map\\01_USB\\mapIcon.png", 304, 80);
        writeMap("01_USB", FLOOR);
        writeImage("data\\graphics\\map\\01_USB\\sol.png", 1000, 40);
        writeImage("data\\graphics\\window\\gameOver\\gameOver.png", 1000, 500);
        writeButton("data\\graphics\\window\\gameOver\\recommencer.png", 500, 70);
        writeButton("data\\graphics\\window\\gameOver\\menuPrincipal.png", 500, 70);
        writeSound("data\\sounds\\gameOver.ogg", 0.05f);
        writeSound("data\\sounds\\trigger.ogg", 0.05f);
        const std::string options = "data\\graphics\\window\\options\\";
        writeImage(options + "background.png", 1000, 500);
        for (const char* row : {"musique.png", "sons.png", "pleinEcran.png", "fps.png", "touches.png"})
            writeButton(options + row, 640, 54);
        writeImage(options + "clavier.png", 1000, 500);
        writeImage(options + "touche.png", 128, 40);
        writeButton(options + "defaut.png", 224, 48);
        writeImage(options + "attente.png", 680, 84);
        std::filesystem::create_directories("data/saves/02");
        std::filesystem::create_directories("data/saves/03");
        game = std::make_unique<GameHarness>();
        game->app().loadOptions();
    }
    // Keys pressed and let go, one after the other.
    void tap(std::initializer_list<sf::Keyboard::Key> keys)
    {
        for (sf::Keyboard::Key key : keys) {
            game->send(keyPressed(key));
            game->send(keyReleased(key));
        }
    }
    void tapPad(unsigned button)
    {
        game->send(padPressed(button));
        game->send(padReleased(button));
    }
    // The left stick pushed down and back to rest: one step.
    void stickDown()
    {
        game->send(padMoved(sf::Joystick::Y, 100));
        game->send(padMoved(sf::Joystick::Y, 0));
    }
    Options saved()
    {
        return loadOptions(OPTIONS_PATH);
    }
    static sf::Event altReturn()
    {
        sf::Event event = keyPressed(sf::Keyboard::Return);
        event.key.alt = true;
        return event;
    }
    // The jump row of the controls page, in the keyboard column.
    std::vector<sf::Uint8> controlsPageJumpRow()
    {
        game->app().addGameState(new ScreenCommandes(&game->rm()));
        game->frame(2);
        sf::Texture texture;
        texture.create(1000, 500);
        texture.update(game->app().getWindow());
        tap({Key::Space});
        sf::Image row;
        row.create(200, 29);
        row.copy(texture.copyToImage(), 0, 0, sf::IntRect(292, 104 + 2 * 29, 200, 29));
        return std::vector<sf::Uint8>(row.getPixelsPtr(), row.getPixelsPtr() + 200 * 29 * 4);
    }
};

// Back from a game or a slot menu nothing is chosen either: the first step chooses the first
// button again. Full screen keeps the picture whole and the mouse on it.
TEST_F(MenuWalkTest, MainMenuWalksFromTheFirstButtonAndReturnOnlyActsOnAChosenOne)
{
    tap({Key::Return});
    EXPECT_NE(game->topAs<MainMenu>(), nullptr) << "nothing is chosen before the player walks";
    game->frame(); // the options button's picture comes with the first drawing
    tap({Key::Down, Key::Return});
    ASSERT_NE(game->topAs<NewGameMenu>(), nullptr) << "the first Down chooses the first button";
    tap({Key::Down, Key::Return}); // an empty slot: the game starts
    ASSERT_NE(game->topAs<Map>(), nullptr);
    game->frame();
    game->send(keyReleased(sf::Keyboard::F11));
    game->frame();
    tap({Key::Up, Key::Return}); // from the first button, Up would reach the bottom row
    ASSERT_NE(game->topAs<NewGameMenu>(), nullptr) << "back from a game, Up chose the first button";
    tap({Key::Escape});
    ASSERT_NE(game->topAs<MainMenu>(), nullptr);

    // Back from a slot menu, the first Up chooses the first button, the next goes round to the bottom row.
    tap({Key::Up, Key::Up, Key::Right, Key::Return});
    ASSERT_NE(game->topAs<OptionsMenu>(), nullptr) << "Options sits right of Commandes";
    tapPad(EAST);
    ASSERT_NE(game->topAs<MainMenu>(), nullptr) << "the pad's back button leaves the options";

    tap({Key::Left});
    tapPad(SOUTH);
    ASSERT_NE(game->topAs<ScreenCommandes>(), nullptr);
    tapPad(SOUTH);
    EXPECT_NE(game->topAs<MainMenu>(), nullptr) << "the controls page closes on a pad button too";

    // Commandes is chosen: Return would press it.
    const sf::Vector2u screen(sf::VideoMode::getDesktopMode().width, sf::VideoMode::getDesktopMode().height);
    game->send(altReturn());
    game->send(altReturn()); // the key repeats while held: one toggle only, on its release
    EXPECT_FALSE(saved().fullscreen);
    game->send(keyReleased(sf::Keyboard::Return));
    EXPECT_NE(game->topAs<MainMenu>(), nullptr) << "Alt + Return means nothing to the menu";
    EXPECT_TRUE(saved().fullscreen);
    sf::RenderWindow& window = game->app().getWindow();
    ASSERT_EQ(window.getSize(), screen);
    const sf::IntRect picture = window.getViewport(window.getView());
    EXPECT_EQ(picture.width, 2 * picture.height) << "2:1, between bands";
    EXPECT_TRUE(picture.width == static_cast<int>(screen.x) || picture.height == static_cast<int>(screen.y));
    game->send(mouseMoved(picture.left + picture.width / 2, picture.top + picture.height / 2));
    EXPECT_EQ(game->rm().getMousePosition(), sf::Vector2i(500, 250));

    game->send(altReturn());
    game->send(keyReleased(sf::Keyboard::Return));
    EXPECT_FALSE(saved().fullscreen);
    EXPECT_EQ(window.getSize(), sf::Vector2u(1000, 500));

    game->send(mouseMoved(500, 400)); // pointing at "Quitter" chooses it
    game->frame();
    tap({Key::Return});
    EXPECT_EQ(game->stateCount(), 0u);
}

TEST_F(MenuWalkTest, SlotMenusWalkTheKeyboardAndPadAndAnOccupiedSlotAsksFirst)
{
    const std::string kept = "[Map]\n01_USB\n[Player]\n1 0.25 1";
    writeFile("data\\saves\\02\\save.sv", kept);
    tap({Key::Down, Key::Return});
    auto* menu = game->topAs<NewGameMenu>();
    ASSERT_NE(menu, nullptr);
    tap({Key::Down, Key::Down, Key::Return});
    EXPECT_EQ(menu->getSlotToConfirm(), 1) << "slot 2 holds a save";
    tap({Key::Escape});
    EXPECT_EQ(game->top(), menu) << "Escape cancels the question only";
    EXPECT_EQ(menu->getSlotToConfirm(), -1);
    tap({Key::Return, Key::Up});
    EXPECT_EQ(menu->getSlotToConfirm(), -1) << "walking away cancels";
    tap({Key::Down, Key::Return});
    tapPad(SOUTH);
    ASSERT_NE(game->topAs<Map>(), nullptr) << "confirmed with the pad";
    EXPECT_EQ(game->rm().getMap()->getMapName(), "01_USB");
    EXPECT_EQ(readFile("data\\saves\\02\\save.sv"), kept) << "untouched until the game saves";

    game->send(keyReleased(sf::Keyboard::F11)); // slot 2 is the only one saved
    game->frame();
    tap({Key::Down, Key::Down, Key::Return});
    ASSERT_NE(game->topAs<LoadingMenu>(), nullptr);
    stickDown();
    stickDown(); // slot 2, the only saved one, then the arrow
    tapPad(SOUTH);
    EXPECT_NE(game->topAs<MainMenu>(), nullptr);
    tap({Key::Return});
    EXPECT_NE(game->topAs<MainMenu>(), nullptr) << "back from the slots, no button is chosen";
    tap({Key::Down, Key::Down, Key::Return});
    stickDown();
    tap({Key::Return});
    ASSERT_NE(game->topAs<Map>(), nullptr) << "the pad's stick took the first saved slot";
}

TEST_F(MenuWalkTest, PauseAndGameOverMenusWalkToTheirButtons)
{
    startLevel(FLOOR);
    tapPad(START);
    ASSERT_NE(game->topAs<PauseMenu>(), nullptr);
    tapPad(START);
    EXPECT_EQ(game->top(), level) << "Start again resumes";
    tap({Key::Escape});
    tapPad(EAST);
    EXPECT_EQ(game->top(), level);

    tap({Key::Escape, Key::Down, Key::Down, Key::Down, Key::Right, Key::Return});
    ASSERT_NE(game->topAs<OptionsMenu>(), nullptr);
    tap({Key::Escape});
    ASSERT_NE(game->topAs<PauseMenu>(), nullptr) << "back to the pause menu, still paused";
    tap({Key::Up, Key::Return});
    EXPECT_EQ(game->stateCount(), 1u) << "the chosen button was Menu principal";

    startLevel(FLOOR);
    player().takeDamage(100);
    ASSERT_NE(game->topAs<GameOver>(), nullptr);
    tap({Key::Escape});
    tapPad(SOUTH);
    EXPECT_NE(game->topAs<GameOver>(), nullptr) << "no button chosen yet";
    stickDown();
    tapPad(SOUTH);
    EXPECT_EQ(game->top(), level);
    EXPECT_EQ(player().getVie(), 100);

    player().takeDamage(100);
    tap({Key::Down, Key::Down, Key::Return});
    EXPECT_EQ(game->stateCount(), 1u);
}

TEST_F(MenuWalkTest, OptionsChangeWithTheArrowsOrTheMouseAndAreKeptAtOnce)
{
    game->app().addGameState(new OptionsMenu(&game->rm()));
    tap({Key::Down}); // the music
    for (int i = 0; i < 5; ++i)
        tap({Key::Left});
    EXPECT_EQ(saved().musicVolume, 50);
    EXPECT_FLOAT_EQ(game->rm().getBGMVolume(), 40.f);
    for (int i = 0; i < 9; ++i)
        tap({Key::Right});
    EXPECT_EQ(saved().musicVolume, 100) << "stops at the top";
    tap({Key::Return});
    game->send(mouseReleased(180 + 600, 104 + 27));
    EXPECT_EQ(saved().musicVolume, 100) << "one press too many never mutes the game";

    tap({Key::Down, Key::Left}); // the sounds
    EXPECT_EQ(saved().soundVolume, 90);
    ASSERT_FALSE(game->rm().getSounds().empty()) << "a sound to hear the new volume";
    EXPECT_FLOAT_EQ(game->rm().getSounds().back()->getVolume(), 90.f);
    const int soundsRow = 104 + 62 + 27;
    game->send(mouseReleased(180 + 600, soundsRow, sf::Mouse::Right));
    EXPECT_EQ(saved().soundVolume, 100) << "the right of the value raises it";
    game->send(mouseReleased(180 + 420, soundsRow));
    EXPECT_EQ(saved().soundVolume, 90) << "the left of the value lowers it";

    tap({Key::Down, Key::Down}); // the FPS counter
    for (int repeat = 0; repeat < 4; ++repeat)
        game->send(keyPressed(sf::Keyboard::Right)); // held down: the key repeats
    EXPECT_TRUE(saved().showFPS) << "a switch flips when the arrow is let go";
    game->send(keyReleased(sf::Keyboard::Right));
    EXPECT_FALSE(saved().showFPS);
    EXPECT_FALSE(game->app().isFPSShown());
    game->send(keyReleased(sf::Keyboard::F1));
    EXPECT_TRUE(saved().showFPS) << "F1 still toggles it";

    tap({Key::Down, Key::Return});
    ASSERT_NE(game->topAs<KeysMenu>(), nullptr);
    tap({Key::Escape});
    ASSERT_NE(game->topAs<OptionsMenu>(), nullptr);
    game->send(mouseReleased(5 + 40, 5 + 30));
    EXPECT_NE(game->topAs<MainMenu>(), nullptr) << "the back arrow";
}

// Then the controls page shows the keys in use.
TEST_F(MenuWalkTest, KeysAreReboundSwappedOrLeftAsTheyWere)
{
    game->app().addGameState(new KeysMenu(&game->rm()));
    auto* page = game->topAs<KeysMenu>();
    tap({Key::Down, Key::Down, Key::Right, Key::Return}); // walk left, walk right, its second key
    ASSERT_NE(page->getWaitingCell(), MenuFocus::NONE);
    tap({Key::F5, Key::Escape});
    EXPECT_EQ(game->top(), page) << "Escape cancels the wait, not the page";
    EXPECT_EQ(page->getWaitingCell(), MenuFocus::NONE);
    EXPECT_TRUE(saved().bindings == Bindings()) << "function keys are not taken, and nothing changed";

    tap({Key::Return, Key::L});
    EXPECT_EQ(saved().bindings.keys(Action::WalkRight), (std::vector<Key::Key>{Key::D, Key::L}));
    EXPECT_EQ(game->rm().getInput().getBindings().keys(Action::WalkRight), (std::vector<Key::Key>{Key::D, Key::L}));

    tap({Key::Up, Key::Return, Key::D}); // walk left's second key: Q, A, Left
    EXPECT_EQ(saved().bindings.keys(Action::WalkLeft), (std::vector<Key::Key>{Key::Q, Key::D, Key::Left}));
    EXPECT_EQ(saved().bindings.keys(Action::WalkRight), (std::vector<Key::Key>{Key::A, Key::L})) << "swapped";

    tap({Key::Return});
    for (bool fullscreen : {true, false}) {
        game->send(keyPressed(sf::Keyboard::LAlt));
        game->send(altReturn());
        game->send(keyReleased(sf::Keyboard::Return));
        sf::Event focus;
        for (sf::Event::EventType change : {sf::Event::LostFocus, sf::Event::GainedFocus}) {
            focus.type = change; // the window full screen replaces goes, the new one comes
            game->send(focus);
        }
        game->send(keyReleased(sf::Keyboard::LAlt));
        EXPECT_EQ(saved().fullscreen, fullscreen);
        EXPECT_NE(page->getWaitingCell(), MenuFocus::NONE) << "Alt + Return is full screen, not a new key";
        EXPECT_EQ(saved().bindings.keys(Action::WalkLeft), (std::vector<Key::Key>{Key::Q, Key::D, Key::Left}));
    }
    tap({Key::Escape});

    game->send(mouseReleased(736 + 112, 430 + 24)); // "Par défaut"
    EXPECT_TRUE(saved().bindings == Bindings());
    tap({Key::Escape});
    EXPECT_NE(game->topAs<MainMenu>(), nullptr);

    const std::vector<sf::Uint8> before = controlsPageJumpRow();
    Options options = game->app().getOptions();
    options.bindings.rebind(Action::Jump, 0, sf::Keyboard::W);
    game->app().setOptions(options);
    EXPECT_NE(before, controlsPageJumpRow());
    game->app().setOptions(Options());
    EXPECT_EQ(before, controlsPageJumpRow());
}
