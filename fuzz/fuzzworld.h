#pragma once

#include "support/harness.h"

#include <memory>
#include <string>
#include <vector>

// The game with the shipped data, into which one hostile file at a time is loaded and
// then played: a few hundred frames of walking, jumping, E, clicks, shots, Return,
// digits, the pause menu and a restart, because what loads fine can still fail later.
// Every input leaves the game back on its main menu, as a player leaving would.
//
// The data tree is built in the working folder: the shipped maps, pictures, sounds and
// fonts linked from the source tree, empty save slots, and a map "FUZZ" whose graphics
// folder holds every map's pictures, so that any shipped map file can be read as FUZZ.
class FuzzWorld
{
public:
    explicit FuzzWorld(const std::string& sourceFolder);
    ~FuzzWorld();

    // The file under test becomes the map FUZZ, which is played.
    void playMap(const std::string& content);
    // The file under test is the script of a scripted entity of a small level, which is
    // played and whose script is also run from outside.
    void playScript(const std::string& content);
    // The file under test is a dialogue opened over a small level.
    void playDialogue(const std::string& content);
    // The file under test is slot 1's save: both slot menus read it, it is loaded and
    // played, and what the game writes back must name a map that can be opened.
    void playSave(const std::string& content);

private:
    void buildDataTree(const std::string& sourceFolder);
    void holdPictures();
    void startLevel(const std::string& mapName);
    void play(int frames);
    void playFrame(int frame);
    void leave();

    std::unique_ptr<GameHarness> m_game;
    std::vector<std::string> m_heldPictures;
};
