#include "menus/loadingmenu.h"
#include "menus/slotmenu.h"
#include "resources/path.h"
#include "resources/savefile.h"
#include "support/leveldata.h"

#include <SFML/System/Err.hpp>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const SLOT1 = "data\\saves\\01\\save.sv";
const char* const PREVIOUS_SAVE = "[Map]\nT\n[Player]\n1 0.5 0";

// The level every fault is met in: music, pictures, a script that opens a dialogue as the
// level starts, and a lever under the character whose click is a sound.
const char* const LEVEL = "[BGM] m.ogg\n"
                          "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                          "[CurrentLevelVortex] 2 40 396\n"
                          "[ActivableTrigger] 3 40 420 4 -1 AnimatedSprite pics.png 1 2 -1 0\n"
                          "[DoorEntity] 4 600 360 Sprite porte.png\n"
                          "[ScriptedEntity] 5 300 300 data\\s.txt Sprite bloc.png\n";

enum class Fault
{
    Missing,
    Unreadable,
    Empty,
    Truncated,
    Garbage,
    TooLarge,
};

// In the order of Fault.
const char* const FAULT_NAMES[] = {"missing", "unreadable", "empty", "truncated", "garbage", "too large"};

// The faults that keep the file from being opened at all, as opposed to damaging what it holds.
bool cannotOpen(Fault fault)
{
    return fault == Fault::Missing || fault == Fault::Unreadable || fault == Fault::TooLarge;
}

std::string garbage()
{
    std::mt19937 rng(11);
    std::string bytes(4096, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng());
    return bytes;
}

// While it lives, files are opened as a user without privileges, so that a file whose
// permissions forbid reading cannot be read even when the tests run as root.
class WithoutPrivileges
{
public:
    WithoutPrivileges() : m_switched(geteuid() == 0)
    {
        EXPECT_TRUE(!m_switched || seteuid(65534) == 0);
    }
    ~WithoutPrivileges()
    {
        EXPECT_TRUE(!m_switched || seteuid(0) == 0);
    }

private:
    bool m_switched;
};

// The writes of this process fail past `bytes`, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
    }

private:
    rlimit m_previous;
};

} // namespace

// Every kind of file the game opens, missing, unreadable, empty, truncated, garbage or too
// large: the game goes on, says what it could not read where it says it for a missing file,
// and the player's earlier save survives.
class FaultTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeSound("data\\sounds\\trigger.ogg");
        writeSound("data\\sounds\\m.ogg", 1.f);
        writeMap("T", LEVEL);
        writeMap("U", "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n");
        writeFile("data\\s.txt", "[TypeDeclenchement] OnMapLoading\n[ShowDialogue] data\\d.dia -1\n");
        writeFile("data\\d.dia", "[Actor] Korvane background 1 2 3\n[Dialogue]\n0 -1 -1 0 0 0\nbonjour#\n");
        // Reachable, and the save writable, by the user without privileges.
        fs::permissions(".", fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        fs::permissions("data/saves/01", fs::perms::all);
        m_previousErr = sf::err().rdbuf(m_err.rdbuf());
    }
    void TearDown() override
    {
        sf::err().rdbuf(m_previousErr);
        LevelTest::TearDown();
    }

    void damage(const std::string& gamePath, Fault fault)
    {
        const std::string good = readFile(gamePath);
        const fs::path host = hostPath(gamePath);
        switch (fault) {
        case Fault::Missing:
            fs::remove(host);
            break;
        case Fault::Unreadable:
            fs::permissions(host, fs::perms::none);
            break;
        case Fault::Empty:
            writeFile(gamePath, "");
            break;
        case Fault::Truncated:
            writeFile(gamePath, good.substr(0, good.size() / 2));
            break;
        case Fault::Garbage:
            writeFile(gamePath, garbage());
            break;
        case Fault::TooLarge:
            // Sparse: larger than any limit without filling the disk.
            fs::resize_file(host, 300u << 20);
            break;
        }
    }

    // A player loads slot 1, reads the dialogue, pulls the lever, moves on to map U and
    // leaves for the main menu.
    void play()
    {
        game = std::make_unique<GameHarness>();
        WithoutPrivileges player; // once the game holds its display
        auto* menu = new LoadingMenu(&game->rm());
        game->app().addGameState(menu);
        menu->loadSlot(0);
        level = game->rm().getMap();
        if (level) {
            step(2);
            for (int i = 0; i < 3; ++i)
                game->send(keyReleased(sf::Keyboard::Return));
            game->send(keyPressed(sf::Keyboard::E));
            step(10);
            game->frame();
            level->changeMap("U");
            step(10);
        }
        game->app().mainMenu();
        EXPECT_EQ(game->stateCount(), 1u) << "back on the main menu";
        game.reset();
    }

    // For each fault in turn: fresh files and a fresh game (fonts and sounds stay cached
    // for the whole run of a game), the fault in each of the files, a game played through it.
    template <typename Check>
    void throughEveryFault(const std::vector<std::string>& gamePaths, Check check)
    {
        std::vector<std::string> good;
        for (const std::string& gamePath : gamePaths)
            good.push_back(readFile(gamePath));
        for (int f = 0; f < static_cast<int>(std::size(FAULT_NAMES)); ++f) {
            SCOPED_TRACE(FAULT_NAMES[f]);
            const Fault fault = static_cast<Fault>(f);
            writeFile(SLOT1, PREVIOUS_SAVE);
            for (std::size_t i = 0; i < gamePaths.size(); ++i) {
                writeFile(gamePaths[i], good[i]);
                fs::permissions(hostPath(gamePaths[i]), fs::perms::owner_read | fs::perms::owner_write);
                damage(gamePaths[i], fault);
            }
            clearTrace();
            m_err.str("");
            play();
            check(fault);
            if (gamePaths.front() != SLOT1)
                expectASaveThatResumes();
        }
        for (std::size_t i = 0; i < gamePaths.size(); ++i) { // whole and readable again, for the next test
            fs::remove(hostPath(gamePaths[i]));
            writeFile(gamePaths[i], good[i]);
        }
    }

    // The slot still names a map the game can open, with the player's gun.
    void expectASaveThatResumes()
    {
        std::istringstream written(readFile(SLOT1));
        const SavedGame saved = readSavedGame(written);
        EXPECT_TRUE(saved.mapName == "T" || saved.mapName == "U") << readFile(SLOT1);
        EXPECT_EQ(saved.canShoot, true);
    }

    void expectRefused(Fault fault, const std::string& kind, const std::string& hostPath)
    {
        const std::string line = "Failed to load " + kind + " \"" + hostPath + "\"";
        if (cannotOpen(fault)) {
            EXPECT_NE(m_err.str().find(line), std::string::npos) << line << " is not in:\n" << m_err.str();
        }
    }

    void expectLines(Fault fault, const std::vector<std::string>& expected)
    {
        if (!cannotOpen(fault))
            return;
        EXPECT_TRUE(tracedLines(expected)) << traceText();
    }

    std::ostringstream m_err;
    std::streambuf* m_previousErr = nullptr;
};

// Pictures, fonts, sounds and music are reported where the multimedia library reports the
// files it cannot load. One game meets the four broken files and the broken map U at once,
// each on its own way through the level.
TEST_F(FaultTest, PicturesFontsSoundsMusicAndMaps)
{
    const struct
    {
        const char* gamePath;
        const char* kind;
        const char* hostPath;
    } files[] = {{"data\\graphics\\map\\T\\bloc.png", "image", "data/graphics/map/T/bloc.png"},
                 {"data\\fonts\\dialogue.ttf", "font", "data/fonts/dialogue.ttf"},
                 {"data\\sounds\\trigger.ogg", "sound", "data/sounds/trigger.ogg"},
                 {"data\\sounds\\m.ogg", "music", "data/sounds/m.ogg"}};
    std::vector<std::string> gamePaths{"data\\maps\\U\\U.zi"};
    for (const auto& file : files)
        gamePaths.push_back(file.gamePath);
    throughEveryFault(gamePaths, [&](Fault fault) {
        for (const auto& file : files) {
            expectRefused(fault, file.kind, file.hostPath);
            EXPECT_NE(m_err.str().find('"' + std::string(file.hostPath) + '"'), std::string::npos)
                << file.hostPath << " was never met: another broken file hid it";
        }
        expectLines(fault, {" -- Chargement de la map : data\\maps\\U\\U.zi",
                            " *** ERREUR : Echec de l'ouverture de la map :", "    * data\\maps\\U\\U.zi"});
        if (cannotOpen(fault)) {
            EXPECT_EQ(readFile(SLOT1), PREVIOUS_SAVE) << "the player stayed on T, and the save names T";
        }
    });
}

// The script opens the dialogue: each is damaged in games of its own.
TEST_F(FaultTest, ScriptsAndDialogues)
{
    const std::pair<const char*, const char*> files[] = {{"data\\s.txt", " *** ERROR : ERREUR CHARGEMENT SCRIPT"},
                                                         {"data\\d.dia", " *** Echec de l'ouverture du fichier :"}};
    for (const auto& file : files)
        throughEveryFault({file.first}, [&](Fault fault) {
            expectLines(fault, {file.second, std::string("    * ") + file.first});
        });
}

TEST_F(FaultTest, SavesAreNeverLoadedDamagedNorOverwrittenByLoading)
{
    throughEveryFault({SLOT1}, [this](Fault fault) {
        expectLines(fault, {" -*- Loading Menu : Slot 1 non present"});
        if (!cannotOpen(fault)) {
            EXPECT_TRUE(traced(" *** ERREUR : Sauvegarde illisible, aucune map :"));
        }
        EXPECT_EQ(level, nullptr) << "no level is entered from a damaged save";
    });
}

TEST_F(FaultTest, ASaveThatFailsHalfwayLeavesTheEarlierOneWhole)
{
    writeFile(SLOT1, PREVIOUS_SAVE);
    game = std::make_unique<GameHarness>();
    auto* menu = new LoadingMenu(&game->rm());
    game->app().addGameState(menu);
    menu->loadSlot(0);
    ASSERT_NE(game->rm().getMap(), nullptr);
    clearTrace();
    {
        FileSizeLimit fullDisk(10);
        game->rm().getMap()->changeMap("U");
    }
    EXPECT_EQ(readFile(SLOT1), PREVIOUS_SAVE);
    EXPECT_FALSE(fileExists("data\\saves\\01\\save.sv.tmp"));
    EXPECT_TRUE(
        tracedLines({" *** ERREUR : Echec de l'ecriture de la sauvegarde :", "    * data\\saves\\01\\save.sv"}));

    fs::permissions("data/saves/01", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    clearTrace();
    {
        WithoutPrivileges player;
        game->app().mainMenu();
    }
    EXPECT_EQ(readFile(SLOT1), PREVIOUS_SAVE) << "a slot folder that cannot be written keeps its save";
    EXPECT_TRUE(traced(" *** ERREUR : Echec de l'ecriture de la sauvegarde :"));

    auto* inSlot3 = new Map(&game->rm(), "U", slotPath(2), nullptr);
    game->app().addGameState(inSlot3);
    clearTrace();
    inSlot3->save();
    EXPECT_TRUE(traced("    * data\\saves\\03\\save.sv")) << "a missing slot folder is reported too";
}

TEST_F(FaultTest, PicturesAndSoundsAreMeasuredBeforeAnythingIsDecoded)
{
    auto bigEndian = [](std::uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
    auto littleEndian = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    // A few bytes that claim a picture of 20000 x 20000 (1.6 GB once decoded)...
    writeFile("data\\graphics\\huge.png", "\x89PNG\r\n\x1a\n" + bigEndian(13) + "IHDR" + bigEndian(20000) +
                                              bigEndian(20000) + std::string("\x08\x06\0\0\0", 5));
    // ... and a sound whose header promises a billion samples.
    writeFile("data\\sounds\\huge.wav", "RIFF" + littleEndian(36) + "WAVEfmt " + littleEndian(16) +
                                            std::string("\x01\0\x01\0", 4) + littleEndian(44100) + littleEndian(88200) +
                                            std::string("\x02\0\x10\0", 4) + "data" + littleEndian(0x7FFFFFF0));
    game = std::make_unique<GameHarness>();
    EXPECT_EQ(game->rm().getTexture("data\\graphics\\huge.png").getSize(), sf::Vector2u(0, 0));
    game->rm().playSound("data\\sounds\\huge.wav");
    EXPECT_NE(m_err.str().find("Failed to load image \"data/graphics/huge.png\""), std::string::npos);
    EXPECT_NE(m_err.str().find("Failed to load sound \"data/sounds/huge.wav\""), std::string::npos);
    game->rm().killTexture("data\\graphics\\huge.png");
}
