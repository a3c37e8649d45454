#include "menus/collisions.h"
#include "menus/mainmenu.h"
#include "menus/pausemenu.h"
#include "menus/screen.h"
#include "support/harness.h"
#include "support/menudata.h"

#include <algorithm>
#include <memory>

class MenusTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        game = std::make_unique<GameHarness>();
        clearTrace();
    }
};

// Any mouse button released on "Quitter" ends the program.
TEST_F(MenusTest, HitTestCountsOpaquePixelsInsideThePictureOnly)
{
    sf::Texture texture;
    texture.loadFromFile("data/graphics/window/mainmenu/quitter.png"); // 226 x 60, transparent 10 x 10 corner
    sf::Sprite button(texture);
    button.setPosition(387, 371);
    EXPECT_TRUE(collisionSourisSprite(400, 380, button));
    EXPECT_FALSE(collisionSourisSprite(390, 375, button)) << "transparent corner";
    EXPECT_TRUE(collisionSourisSprite(387 + 225, 371 + 59, button));
    EXPECT_FALSE(collisionSourisSprite(387 + 226, 380, button)) << "the right edge line is outside";
    EXPECT_FALSE(collisionSourisSprite(400, 371 + 60, button)) << "the bottom edge line is outside";
    EXPECT_FALSE(collisionSourisSprite(386, 400, button));

    sf::Sprite untextured;
    EXPECT_FALSE(collisionSourisSprite(0, 0, untextured));
    sf::Texture small;
    small.loadFromFile("data/graphics/window/commandes/bouton.png");
    small.setRepeated(true);
    sf::Sprite wide(small, sf::IntRect(0, 0, 400, 400));
    EXPECT_FALSE(collisionSourisSprite(300, 300, wide)) << "never read beyond the texture";

    game->send(mousePressed(400, 390, sf::Mouse::Right));
    EXPECT_EQ(game->stateCount(), 1u) << "a press does nothing";
    game->send(mouseReleased(390, 375, sf::Mouse::Right));
    EXPECT_EQ(game->stateCount(), 1u) << "the transparent corner of the button is not the button";
    game->send(mouseReleased(400, 390, sf::Mouse::Right));
    EXPECT_EQ(game->stateCount(), 0u);
    EXPECT_FALSE(game->app().getWindow().isOpen());
}

TEST_F(MenusTest, MascotPlaysItsEightFramesThenRestsOneSecondThenThree)
{
    const AnimatedSprite& mascot = game->topAs<MainMenu>()->getMascot();
    auto restLength = [&]() {
        int frames = 0;
        for (int guard = 0; !(mascot.getEtatX() == 3 && mascot.getEtatY() == 1) && guard < 1000; ++guard)
            game->step();
        while (mascot.getEtatX() == 3 && mascot.getEtatY() == 1 && frames < 1000) {
            game->step();
            ++frames;
        }
        return frames;
    };
    EXPECT_NEAR(restLength() * GameHarness::STEP, 1.0, 0.02);
    EXPECT_EQ(mascot.getEtatX(), 0);
    EXPECT_EQ(mascot.getEtatY(), 0);
    EXPECT_NEAR(restLength() * GameHarness::STEP, 3.0, 0.02);
}

// The controls page from the main menu, the pause menu over it, then over a level.
TEST_F(MenusTest, ScreensOverTheMenusCloseBackToThemKeepingMusicCursorAndTextures)
{
    game->rm().setBGMPlayingOffset(sf::seconds(1.f));
    game->send(mouseReleased(100, 470));
    ASSERT_NE(game->topAs<ScreenCommandes>(), nullptr);
    game->frame();
    game->send(mouseReleased(500, 250));
    game->send(keyPressed(sf::Keyboard::Escape));
    EXPECT_NE(game->topAs<ScreenCommandes>(), nullptr) << "clicks and presses do not close it";
    game->send(keyReleased(sf::Keyboard::Escape));
    EXPECT_NE(game->topAs<MainMenu>(), nullptr);
    EXPECT_TRUE(traced(" -*- Destruction de l'item : data\\graphics\\window\\commandes\\01.png"));
    game->frame();
    EXPECT_EQ(game->rm().getBGMStatus(), sf::SoundSource::Playing);
    EXPECT_GE(game->rm().getBGMPlayingOffset(), sf::seconds(1.f)) << "the menu music was not restarted";

    game->rm().setMousePosition({600, 100});
    game->rm().setMouseCursor("viseur");
    game->rm().setMousePosition({300, 200});
    game->app().addGameState(new PauseMenu(&game->rm()));
    EXPECT_EQ(game->rm().getBGMStatus(), sf::SoundSource::Paused);
    EXPECT_EQ(game->rm().getCursorCount(), 3u);
    game->send(mouseMoved(10, 10));
    clearTrace();

    game->send(keyReleased(sf::Keyboard::Escape));
    EXPECT_NE(game->topAs<MainMenu>(), nullptr);
    EXPECT_EQ(game->rm().getBGMStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(game->rm().getCursorCount(), 2u);
    EXPECT_EQ(game->rm().getMousePosition(), sf::Vector2i(300, 200)) << "the crosshair is back where it was";
    for (const char* picture : {"background", "jeu", "menu"})
        EXPECT_TRUE(
            traced(std::string(" -*- Destruction de l'item : data\\graphics\\window\\pausemenu\\") + picture + ".png"));
    EXPECT_TRUE(traced(" -*- Tentative de destruction de l'item : data\\graphics\\window\\commandes\\bouton.png"))
        << "the main menu still holds the shared controls button";

    game->app().addGameState(new GameState(&game->rm(), true, true));
    game->app().addGameState(new PauseMenu(&game->rm()));
    game->send(mouseReleased(100, 470));
    ASSERT_NE(game->topAs<ScreenCommandes>(), nullptr) << "controls open over the pause menu";
    game->send(keyReleased(sf::Keyboard::Space));
    ASSERT_NE(game->topAs<PauseMenu>(), nullptr) << "and close back to it";

    game->send(mouseReleased(195, 325));
    EXPECT_NE(game->topAs<PauseMenu>(), nullptr) << "transparent corner of the button";
    game->send(mouseReleased(300, 350));
    EXPECT_EQ(game->stateCount(), 2u) << "back to the game";

    game->app().addGameState(new PauseMenu(&game->rm()));
    game->send(mouseReleased(300, 440));
    EXPECT_EQ(game->stateCount(), 1u) << "back to the main menu";
    EXPECT_NE(game->topAs<MainMenu>(), nullptr);
}
