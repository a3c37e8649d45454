#pragma once

#include "input/keyboard.h"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

class Application;
class ConsoleMinigame;
class Map;

// What the character can do on entering a map: what the maps before it granted.
struct Abilities
{
    bool shoot = false;
    bool gravity = false;
};

// Standing places, side by side on one entity, from which the character can reach
// neither the exit nor spikes (which restart the map): only F5 gets it out.
struct DeadEnd
{
    int entity = 0;    // the entity it stands on
    float left = 0.f;  // the character's top-left corner, from the leftmost place...
    float right = 0.f; // ...to the rightmost
    float top = 0.f;
    bool reversed = false; // standing on a ceiling
    std::vector<int> used; // entities used before (levers, targets, scripts that ran)
};

struct SearchFigures
{
    int places = 0;   // standing places reached, counted once per state of the map
    int settings = 0; // states of the map (doors, spikes, scripts, abilities) met
    long tries = 0;
    long frames = 0;
    double seconds = 0.0;               // processor time
    std::vector<std::vector<int>> used; // for each state of the map: the entities used to reach it
};

// Finds dead ends by moving the character with the game's own code: from every place it
// can stand, it walks, jumps and (where granted) reverses gravity, with the keys held for
// various lengths of time, and records where each try ends. A place from which no chain
// of tries reaches the exit or spikes is a dead end.
//
// The level is the one the application holds; the search rebuilds it from `mapText`
// whenever a state of the map must be set up again.
class DeadEndSearch
{
public:
    // Where a standing place's x is rounded to, in pixels: places closer than this are one.
    static constexpr float GRANULARITY = 8.f;

    DeadEndSearch(Application& app, Map& level, std::string mapText, Abilities entry);
    ~DeadEndSearch();
    DeadEndSearch(const DeadEndSearch&) = delete;
    DeadEndSearch& operator=(const DeadEndSearch&) = delete;

    std::vector<DeadEnd> run();
    const SearchFigures& figures() const;

    struct Move;

private:
    enum class Ending
    {
        Stands,
        Exit,
        Death,
        Lost,
    };
    struct Setting
    {
        std::vector<int> used;
        std::string signature;
        std::map<int, int> scripts; // id -> trigger type, to tell which ones ran
        bool shoot = false;
        bool gravity = false;
    };
    struct Place
    {
        int setting = 0;
        bool reversed = false;
        float x = 0.f;
        float y = 0.f;
        int entity = 0;
    };
    struct Landing
    {
        Ending ending = Ending::Lost;
        Place place;
        std::vector<int> ran; // scripts that ran during the try
    };
    class Keys : public KeyboardState
    {
    public:
        bool isKeyPressed(sf::Keyboard::Key key) const override;
        std::set<sf::Keyboard::Key> down;
    };

    void visit(int place);
    void link(int from, const Landing& landing);
    int placeFor(const Place& place);
    int settingAfter(int setting, const std::vector<int>& ids);
    int settingWithout(int setting, int id);
    int settingOf(const std::vector<int>& used);
    std::vector<int> usableFrom(const Place& place);

    void enter(int setting);
    void build(const std::vector<int>& used);
    void use(int id);
    Ending settle();
    void solve(ConsoleMinigame& console);
    void send(sf::Event::EventType type, sf::Keyboard::Key key);
    Landing play(const Place& from, const Move& move);
    void putCharacter(const Place& place);
    std::string signature();
    std::map<int, int> scriptTypes();
    bool atExit();
    int entityId(const void* entity);
    void keepPicture(const std::string& traceLine);

    std::vector<DeadEnd> deadEnds() const;

    Application& m_app;
    Map& m_level;
    std::string m_mapText;
    Abilities m_entry;
    Keys m_keys;
    std::vector<std::string> m_pictures;
    int m_world = -1; // the setting the level holds now; -1 once a try has changed it
    std::vector<Setting> m_settings;
    std::map<std::string, int> m_settingBySignature;
    std::map<std::pair<int, std::vector<int>>, int> m_settingAfter;
    std::map<std::pair<int, int>, int> m_settingWithout;
    std::vector<Place> m_places;
    std::map<std::tuple<int, bool, long, long>, int> m_placeByKey;
    std::vector<std::vector<int>> m_reachedFrom;
    std::vector<bool> m_good;
    std::vector<int> m_queue;
    SearchFigures m_figures;
};
