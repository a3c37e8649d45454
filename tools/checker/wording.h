#pragma once

#include "core/gamesize.h"

#include <SFML/Graphics/Rect.hpp>

#include <map>
#include <string>
#include <vector>

struct Problem;

// What the content files say, read word by word the way the game's readers read them,
// for the mistakes those readers pass over in silence (a misspelt keyword, a duplicate
// id, a missing picture, a bubble without its "#").

// What the player sees of the level, whatever size the window has been given.
const sf::FloatRect GAME_VIEW(0.f, 0.f, GAME_WIDTH, GAME_HEIGHT);

struct Mention
{
    std::string name; // a game path or a map name
    int line = 0;
};

struct IdMention
{
    int id = 0;
    int line = 0;
    std::string keyword;
};

struct MapWording
{
    std::map<int, int> idLines; // id -> the line of the first section that stores it
    std::vector<Mention> scripts;
    std::vector<Mention> nextMaps;
    std::map<int, std::string> unknownKinds; // line -> a picture kind word the game does not know
    int entries = 0;
};

struct ScriptWording
{
    std::vector<IdMention> ids; // entities the script names (-1 excepted)
    std::vector<Mention> dialogues;
    bool grantsShooting = false;
    bool grantsGravity = false;
};

MapWording readMapWording(const std::string& mapName, const std::string& path, const std::string& text,
                          std::vector<Problem>& problems);
ScriptWording readScriptWording(const std::string& path, const std::string& text, std::vector<Problem>& problems);
// The lines of the bubbles, in the order the game shows them.
std::vector<int> readDialogueWording(const std::string& path, const std::string& text, std::vector<Problem>& problems);

// True when a file named by its game path exists.
bool gameFileExists(const std::string& gamePath);
// "data\maps\N\N.zi", where the game reads the map called N.
std::string mapPath(const std::string& mapName);
