#include "resources/ressourcemanager.h"
#include "support/gametest.h"

#include <algorithm>
#include <memory>
#include <set>

class RessourceManagerTest : public GameTest
{
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeImage("data\\graphics\\window\\hud\\fleche.png", 20, 30);
        writeImage("data\\graphics\\window\\hud\\viseur.png", 33, 17);
    }
};

TEST_F(RessourceManagerTest, CursorsKeepThePointerWhereItWasAndKeysCountOnlyInTheFocusedWindow)
{
    struct AlwaysQ : KeyboardState
    {
        bool isKeyPressed(sf::Keyboard::Key key) const override
        {
            return key == sf::Keyboard::Q;
        }
    } keyboard;
    {
        RessourceManager rm;
        const std::vector<std::string> expected{
            " -- Manager : Creation de l'item : data\\graphics\\window\\hud\\fleche.png",
            " -- Chargement de l'image : data\\graphics\\window\\hud\\fleche.png",
        };
        EXPECT_EQ(trace(), expected) << "the arrow is loaded at construction";
        EXPECT_EQ(rm.getMousePosition(), sf::Vector2i(0, 0));
        rm.setMousePosition({101, 57});
        EXPECT_EQ(rm.getMousePosition(), sf::Vector2i(101, 57));
        rm.setMouseCursor("viseur"); // 33 x 17: odd sizes
        EXPECT_EQ(rm.getMousePosition(), sf::Vector2i(101, 57)) << "the crosshair appears where the arrow was";
        rm.setMousePosition({7, 3});
        EXPECT_EQ(rm.getMousePosition(), sf::Vector2i(7, 3));
    }
    {
        RessourceManager rm;
        rm.setMousePosition({40, 40});
        rm.setMouseCursor("viseur");
        rm.setMousePosition({300, 200});
        clearTrace();
        rm.deleteMouseCursor();
        EXPECT_EQ(rm.getMousePosition(), sf::Vector2i(40, 40)) << "removing the crosshair shows the arrow where it was";
        const std::vector<std::string> lines = trace();
        EXPECT_EQ(std::count(lines.begin(), lines.end(),
                             " -*- Destruction de l'item : data\\graphics\\window\\hud\\viseur.png"),
                  1);
        EXPECT_EQ(rm.getCursorCount(), 1u);
    }
    RessourceManager rm;
    rm.setMousePosition({12, 13});
    rm.deleteMouseCursor();
    rm.deleteMouseCursor();
    EXPECT_EQ(rm.getCursorCount(), 1u) << "the last cursor is never removed";
    EXPECT_EQ(rm.getMousePosition(), sf::Vector2i(12, 13));

    EXPECT_FALSE(rm.isKeyPressed(sf::Keyboard::Q)) << "without a focused window no key counts";
    rm.setWindowFocus(true);
    rm.setWindowFocus(false);
    EXPECT_FALSE(rm.isKeyPressed(sf::Keyboard::Q)) << "focus lost: keys typed elsewhere do not count";
    rm.setKeyboard(&keyboard);
    EXPECT_TRUE(rm.isKeyPressed(sf::Keyboard::Q));
    EXPECT_FALSE(rm.isKeyPressed(sf::Keyboard::D));
}

TEST_F(RessourceManagerTest, SoundsKeepOneVoicePerFileAndMusicResumesWhereItWasPaused)
{
    writeSound("data\\sounds\\trigger.ogg");
    writeSound("data\\sounds\\mainMenu.ogg", 2.f);
    std::srand(1);
    RessourceManager rm;
    clearTrace();
    rm.playSound("data\\sounds\\trigger.ogg");
    rm.playSound("data\\sounds\\trigger.ogg");
    const std::vector<std::string> expected{
        " -- Manager : Creation de l'item : data\\sounds\\trigger.ogg",
        " -- Chargement du SoundBuffer : data\\sounds\\trigger.ogg",
        // the second play compares the one existing voice's buffer with the file's
        " -- Manager : Demande de l'item : data\\sounds\\trigger.ogg",
        "    * Count = 2",
    };
    EXPECT_EQ(trace(), expected);

    clearTrace();
    for (int i = 0; i < 200; ++i)
        rm.playSound("shoot");
    std::set<std::string> created;
    const std::string creation = " -- Manager : Creation de l'item : ";
    for (const std::string& line : trace())
        if (line.rfind(creation, 0) == 0)
            created.insert(line.substr(creation.size()));
    std::set<std::string> shots;
    for (int i = 0; i <= 6; ++i)
        shots.insert("data\\sounds\\shoot" + std::to_string(i) + ".ogg");
    EXPECT_EQ(created, shots) << "shots only ever play the seven shot files";

    rm.playBGM("mainMenu.ogg");
    EXPECT_EQ(rm.getBGMPath(), "data\\sounds\\mainMenu.ogg");
    EXPECT_EQ(rm.getBGMStatus(), sf::SoundSource::Playing);
    rm.pauseBGM();
    EXPECT_EQ(rm.getBGMStatus(), sf::SoundSource::Paused);
    rm.stopBGM();
    EXPECT_EQ(rm.getBGMStatus(), sf::SoundSource::Paused) << "stopping leaves a paused track paused";
    rm.playBGM("mainMenu.ogg");
    EXPECT_EQ(rm.getBGMStatus(), sf::SoundSource::Playing);
    rm.stopBGM();
    rm.resumeBGM();
    EXPECT_EQ(rm.getBGMStatus(), sf::SoundSource::Stopped) << "resuming does not restart a stopped track";
    rm.playBGM("mainMenu.ogg");
    EXPECT_EQ(rm.getBGMStatus(), sf::SoundSource::Playing) << "the same file plays again without reopening";
}

TEST_F(RessourceManagerTest, EndOfRunReleasesCursorsThenListsSoundsFontsAndTextures)
{
    writeSound("data\\sounds\\trigger.ogg");
    auto rm = std::make_unique<RessourceManager>();
    rm->setMouseCursor("viseur");
    rm->getFont("data\\fonts\\korvane.ttf");
    rm->getTexture("data\\kept.png");
    rm->playSound("data\\sounds\\trigger.ogg");
    clearTrace();
    rm.reset();
    const std::vector<std::string> expected{
        " -*- Destruction de l'item : data\\graphics\\window\\hud\\viseur.png",
        " -*- Destruction de l'item : data\\graphics\\window\\hud\\fleche.png",
        " -*- ~Manager : Destruction de l'item",
        "    * data\\sounds\\trigger.ogg",
        " -*- ~Manager : Destruction de l'item",
        "    * data\\fonts\\korvane.ttf",
        " -*- ~Manager : Destruction de l'item",
        "    * data\\kept.png",
    };
    EXPECT_EQ(trace(), expected);
}
