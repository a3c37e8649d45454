#include "fuzzworld.h"

#include "dialogue/dialogue.h"
#include "entities/scriptedentity.h"
#include "menus/loadingmenu.h"
#include "menus/newgamemenu.h"
#include "menus/slotmenu.h"
#include "resources/savefile.h"
#include "world/map.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const MAP_NAME = "FUZZ";
const char* const DIALOGUE = "data\\fuzz\\dialogue.dia";
const int FRAMES = 300;

// The level the scripts and dialogues under test are played in: the character starts
// beside scripted entity 9 and walks into it; 10 carries the same script; a lever opens
// door 52; a target lowers spikes 50; 11 starts open.
const char* const ARENA = "[Background] RepeatedSprite background.png 0 20\n"
                          "[BGM] memoire.ogg\n"
                          "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                          "[GroundEntity] 2 0 0 Sprite plafond.png HitboxSpriteFilled\n"
                          "[CurrentLevelVortex] 5 40 396\n"
                          "[NextLevelVortex] 6 896 396 FUZZ\n"
                          "[DoorEntity] 52 300 360 Sprite porte.png\n"
                          "[PicEntity] 50 600 440 AnimatedSprite pics.png 1 2 -1 0\n"
                          "[ActivableTrigger] 53 100 420 52 2 AnimatedSprite ..\\common\\levier.png 1 2 -1 0\n"
                          "[TimerShootableTrigger] 54 500 200 50 1 AnimatedSprite ..\\common\\cible.png 1 2 -1 0\n"
                          "[ScriptedEntity] 9 120 400 data\\fuzz\\script.txt Sprite bloc.png\n"
                          "[ScriptedEntity] 10 700 400 data\\fuzz\\script.txt Sprite bloc.png\n"
                          "[InversedDoorEntity] 11 800 360 Sprite porte.png\n"
                          "[DecorationEntity] 100 400 100 Sprite decoLed.png\n";

// A broken promise of the game: the fuzzer must see it as a crash.
[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "korvane fuzz world: %s\n", what);
    std::abort();
}

std::string gamePath(const fs::path& host)
{
    std::string path = host.generic_string();
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void write(const fs::path& host, const std::string& content)
{
    std::ofstream file(host, std::ios::binary | std::ios::trunc);
    file << content;
}

std::string read(const fs::path& host)
{
    std::ifstream file(host, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Links every entry of `from` into the folder `to`, except those named in `skip`.
void linkEntries(const fs::path& from, const fs::path& to, const std::vector<std::string>& skip = {})
{
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (std::find(skip.begin(), skip.end(), name) == skip.end() && !fs::exists(to / name))
            fs::create_symlink(fs::absolute(entry.path()), to / name);
    }
}

} // namespace

FuzzWorld::FuzzWorld(const std::string& sourceFolder)
{
    buildDataTree(sourceFolder);
    m_game = std::make_unique<GameHarness>();
    holdPictures();
}

FuzzWorld::~FuzzWorld()
{
    for (const std::string& picture : m_heldPictures)
        m_game->rm().killTexture(picture);
}

void FuzzWorld::buildDataTree(const std::string& sourceFolder)
{
    const fs::path source = fs::path(sourceFolder) / "data";
    linkEntries(source, "data", {"graphics", "maps", "saves"});
    linkEntries(source / "graphics", "data/graphics", {"map"});
    linkEntries(source / "graphics" / "map", "data/graphics/map");
    for (const fs::directory_entry& map : fs::directory_iterator(source / "graphics" / "map"))
        if (map.path().filename() != "common")
            linkEntries(map.path(), fs::path("data/graphics/map") / MAP_NAME);
    linkEntries(source / "maps", "data/maps");
    fs::create_directories(fs::path("data/maps") / MAP_NAME);
    fs::create_directories("data/fuzz");
    for (const char* slot : {"01", "02", "03"})
        fs::create_directories(fs::path("data/saves") / slot);
}

// Every picture stays in the texture cache for the whole run, so that an input pays for
// what it does, not for decoding the same pictures again.
void FuzzWorld::holdPictures()
{
    for (const fs::directory_entry& entry :
         fs::recursive_directory_iterator("data/graphics", fs::directory_options::follow_directory_symlink)) {
        if (entry.path().extension() != ".png")
            continue;
        m_heldPictures.push_back(gamePath(entry.path()));
        m_game->rm().getTexture(m_heldPictures.back());
    }
}

void FuzzWorld::startLevel(const std::string& mapName)
{
    ScriptedEntity::startFrame();
    m_game->app().addGameState(new Map(&m_game->rm(), mapName, slotPath(0), nullptr));
}

void FuzzWorld::playMap(const std::string& content)
{
    write(fs::path("data/maps") / MAP_NAME / (std::string(MAP_NAME) + ".zi"), content);
    startLevel(MAP_NAME);
    play(FRAMES);
    leave();
}

void FuzzWorld::playScript(const std::string& content)
{
    write("data/fuzz/script.txt", content);
    write(fs::path("data/maps") / MAP_NAME / (std::string(MAP_NAME) + ".zi"), ARENA);
    startLevel(MAP_NAME);
    // Whatever its header says, a script also runs when something activates it.
    m_game->rm().getMap()->activerEntite(9);
    play(FRAMES / 2);
    if (Map* level = m_game->rm().getMap())
        level->activerEntite(10);
    play(FRAMES / 2);
    leave();
}

void FuzzWorld::playDialogue(const std::string& content)
{
    write("data/fuzz/dialogue.dia", content);
    write(fs::path("data/maps") / MAP_NAME / (std::string(MAP_NAME) + ".zi"), ARENA);
    startLevel(MAP_NAME);
    Dialogue::open(&m_game->rm(), DIALOGUE, 52);
    play(FRAMES);
    leave();
}

void FuzzWorld::playSave(const std::string& content)
{
    const fs::path save = "data/saves/01/save.sv";
    write(save, content);
    Application& app = m_game->app();
    app.addGameState(new NewGameMenu(&m_game->rm()));
    app.popGameState();
    auto* menu = new LoadingMenu(&m_game->rm());
    app.addGameState(menu);
    ScriptedEntity::startFrame();
    m_game->send(mouseReleased(500, 250)); // on slot 1, whatever it shows
    if (m_game->top() == menu)
        menu->loadSlot(0);
    play(FRAMES);
    leave();
    const std::string written = read(save);
    if (written == content)
        return;
    std::istringstream file(written);
    const SavedGame saved = readSavedGame(file);
    if (saved.mapName.empty() || !Map::canOpen(saved.mapName))
        fault("the game wrote a save that names no map it can open");
}

void FuzzWorld::play(int frames)
{
    // Back on the main menu, the input has been played out (and the menu's own buttons
    // would end the run).
    for (int frame = 0; frame < frames && m_game->stateCount() > 1; ++frame)
        playFrame(frame);
}

// One frame of a player who tries everything: walks right then left, jumps now and then,
// presses E, right-clicks, shoots, types digits, passes screens, pauses and restarts.
void FuzzWorld::playFrame(int frame)
{
    FakeKeyboard& keys = m_game->keyboard();
    frame >= 10 && frame < 120 ? keys.hold(sf::Keyboard::D) : keys.release(sf::Keyboard::D);
    frame >= 150 && frame < 200 ? keys.hold(sf::Keyboard::Q) : keys.release(sf::Keyboard::Q);
    frame % 40 < 5 ? keys.hold(sf::Keyboard::Space) : keys.release(sf::Keyboard::Space);

    if (frame % 9 == 3)
        m_game->send(keyPressed(sf::Keyboard::E));
    if (frame % 12 == 5)
        m_game->send(keyReleased(sf::Keyboard::Return));
    if (frame % 16 == 2)
        m_game->send(keyReleased(sf::Keyboard::Num4));
    if (frame % 20 == 0)
        m_game->send(mouseMoved(100 + frame * 3, 150 + frame % 200));
    if (frame % 25 == 7)
        m_game->send(mouseReleased(540, 420, sf::Mouse::Right));
    if (frame % 30 == 11)
        m_game->send(mousePressed(800, 200));
    if (frame % 30 == 14)
        m_game->send(mouseReleased(800, 200));
    if (frame % 33 == 1)
        m_game->send(keyPressed(sf::Keyboard::Space));
    if (frame % 45 == 20)
        m_game->send(keyReleased(sf::Keyboard::LShift));
    if (frame == 150 || frame == 152)
        m_game->send(keyReleased(sf::Keyboard::Escape));
    if (frame == 200)
        m_game->send(keyReleased(sf::Keyboard::F5));

    // Drawing costs a software renderer far more than the rest: one frame in a hundred.
    if (frame % 100 == 99)
        m_game->frame();
    else
        m_game->step();
}

void FuzzWorld::leave()
{
    Application& app = m_game->app();
    app.mainMenu();
    FakeKeyboard& keys = m_game->keyboard();
    for (sf::Keyboard::Key key : {sf::Keyboard::D, sf::Keyboard::Q, sf::Keyboard::Space})
        keys.release(key);
    if (app.getStateCount() != 1 || m_game->rm().getMap() != nullptr)
        fault("the game did not go back to its main menu");
}
