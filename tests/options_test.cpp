#include "core/options.h"
#include "support/harness.h"
#include "support/menudata.h"

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

// One message, with the file as its detail.
const std::vector<std::string> DAMAGED{" *** ERREUR : Options illisibles, options par defaut :",
                                       "    * data\\saves\\options.cfg"};

Options changed()
{
    Options options;
    options.musicVolume = 50;
    options.soundVolume = 0;
    options.fullscreen = true;
    options.showFPS = false;
    options.bindings.rebind(Action::Jump, 0, sf::Keyboard::W);
    options.bindings.rebind(Action::WalkLeft, 2, sf::Keyboard::Numpad4);
    return options;
}

} // namespace

// The options file in the saves folder: kept, read back, and never trusted.
class OptionsTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        std::filesystem::create_directories("data/saves");
    }
    // Loads a file of this content the way the game does at start-up.
    Options load(const std::string& content)
    {
        writeFile(OPTIONS_PATH, content);
        clearTrace();
        return loadOptions(OPTIONS_PATH);
    }
};

// A file written by hand is read like the game's other files; a missing or damaged one gives
// the defaults with one trace line.
TEST_F(OptionsTest, SavedOptionsAreReadBackAndAnythingElseGivesTheDefaults)
{
    clearTrace();
    EXPECT_TRUE(loadOptions(OPTIONS_PATH) == Options());
    EXPECT_EQ(trace(),
              std::vector<std::string>{" -*- Options absentes, options par defaut : data\\saves\\options.cfg"});

    ASSERT_TRUE(saveOptions(OPTIONS_PATH, changed()));
    EXPECT_FALSE(fileExists("data\\saves\\options.cfg.tmp"));
    clearTrace();
    EXPECT_TRUE(loadOptions(OPTIONS_PATH) == changed());
    EXPECT_EQ(trace(), std::vector<std::string>{" -- Chargement des options : data\\saves\\options.cfg"});

    const Options read = load("| my settings\n[VolumeSons]\n\n  70 [ToucheSaut] W   | W jumps\n Up\n"
                              "[CompteurFPS] 0\n");
    EXPECT_EQ(read.soundVolume, 70);
    EXPECT_FALSE(read.showFPS);
    EXPECT_EQ(read.bindings.keys(Action::Jump), (std::vector<sf::Keyboard::Key>{sf::Keyboard::W, sf::Keyboard::Up}));
    EXPECT_EQ(read.musicVolume, 100) << "what the file leaves out keeps its default";
    EXPECT_EQ(read.bindings.keys(Action::Activate), std::vector<sf::Keyboard::Key>{sf::Keyboard::E});

    for (const char* damaged : {
             "[VolumeMusique] 150",                    // out of range
             "[VolumeMusique] -10",                    // out of range
             "[VolumeSons] beaucoup",                  // not a number
             "[VolumeSons] 50.5",                      // not a whole number
             "[VolumeSons]",                           // no value
             "[PleinEcran] 2",                         // not a flag
             "[ToucheSaut] Banane",                    // no such key
             "[ToucheSaut] Escape",                    // Escape cancels, it is never bound
             "[ToucheSaut] F3",                        // the application's keys
             "[ToucheSaut] [ToucheGauche] Q",          // no key at all
             "[ToucheActiver] A B C D E",              // more keys than any action has room for
             "[ToucheSaut] E",                         // E already activates
             "[VolumeMusique] 40\n[ToucheGauche] D\n", // D already walks right
             "[Vitesse] 3",                            // no such option
             "0",                                      // a value out of any section
         }) {
        EXPECT_TRUE(load(std::string("[CompteurFPS] 0\n") + damaged) == Options()) << damaged;
        EXPECT_EQ(trace(), DAMAGED) << damaged;
    }
    EXPECT_TRUE(load(std::string("\0\xff\xfe[\x01", 5)) == Options());
    EXPECT_EQ(trace(), DAMAGED);
}

// Volumes reach the music and every sound; the game applies its options file and keeps every
// change in it, or goes on with the change when the file cannot be written.
TEST_F(OptionsTest, TheGameAppliesItsOptionsAndKeepsEveryChange)
{
    writeSound("data\\sounds\\a.ogg");
    writeSound("data\\sounds\\b.ogg");
    {
        RessourceManager rm;
        rm.playBGM("mainMenu.ogg");
        EXPECT_FLOAT_EQ(rm.getBGMVolume(), 80.f) << "the music's own level at 100 %";
        rm.playSound("data\\sounds\\a.ogg");
        rm.setMusicVolume(50);
        rm.setSoundVolume(30);
        rm.playSound("data\\sounds\\b.ogg");
        EXPECT_FLOAT_EQ(rm.getBGMVolume(), 40.f);
        ASSERT_EQ(rm.getSounds().size(), 2u);
        EXPECT_FLOAT_EQ(rm.getSounds()[0]->getVolume(), 30.f) << "a sound already played";
        EXPECT_FLOAT_EQ(rm.getSounds()[1]->getVolume(), 30.f) << "a sound played afterwards";
    }

    ASSERT_TRUE(saveOptions(OPTIONS_PATH, changed()));
    game = std::make_unique<GameHarness>();
    game->app().loadOptions();
    EXPECT_FLOAT_EQ(game->rm().getBGMVolume(), 40.f);
    EXPECT_FALSE(game->app().isFPSShown());
    EXPECT_TRUE(game->rm().getInput().getBindings() == changed().bindings);

    game->send(keyReleased(sf::Keyboard::F1));
    Options expected = changed();
    expected.showFPS = true;
    EXPECT_TRUE(loadOptions(OPTIONS_PATH) == expected) << "F1 is kept too";

    std::filesystem::remove_all("data/saves");
    clearTrace();
    Options louder = game->app().getOptions();
    louder.musicVolume = 60;
    game->app().setOptions(louder);
    EXPECT_EQ(game->rm().getMusicVolume(), 60) << "the change still holds for this run";
    EXPECT_EQ(trace(), (std::vector<std::string>{" *** ERREUR : Echec de l'ecriture des options :",
                                                 "    * data\\saves\\options.cfg"}));
}
