#pragma once

#include "deadends.h"
#include "problem.h"
#include "wording.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class Application;
class CountedText;
class Dialogue;

// Checks maps the way the game reads and plays them: the game's own readers run over
// each file (their error lines are given the line they were reading), the checker adds
// what those readers pass over in silence, and the dead-end search plays the level.
class LevelChecker
{
public:
    // The application must be initialised (a window: pictures need one) and hold no level.
    // Levels save into `savePath` when they are dropped: give it a scratch file.
    LevelChecker(Application& app, std::string savePath);

    // Checks the named maps, or every map of data\maps when none is named.
    std::vector<Problem> check(std::vector<std::string> names);
    // Every folder of data\maps that holds its map file, by name.
    static std::vector<std::string> allMaps();

    struct Figures
    {
        std::string map;
        SearchFigures search;
        std::vector<DeadEnd> deadEnds;
    };
    const std::vector<Figures>& figures() const;

private:
    void checkMap(const std::string& name);
    void checkScripts(const std::string& name, const MapWording& wording);
    void checkDialogue(const std::string& path);
    void checkBubble(const Dialogue& dialogue, const std::string& path, int line);
    void nameUnknownKinds(const std::string& path, const MapWording& wording);
    void searchDeadEnds(const std::string& name, const std::string& text, const MapWording& wording);
    // Runs one of the game's readers over `in`; each error it prints becomes a problem
    // at the line `in` had reached.
    void listen(const std::string& path, const CountedText& in, const std::function<void()>& read);
    void report(const std::string& file, int line, const std::string& message);
    Abilities abilitiesOnEntering(const std::string& name);
    const ScriptWording& scriptWording(const std::string& path);

    Application& m_app;
    std::string m_savePath;
    std::vector<Problem> m_problems;
    std::map<std::string, ScriptWording> m_scripts;
    std::map<std::string, bool> m_dialoguesChecked;
    std::vector<Figures> m_figures;
};
