#include "deadends.h"

#include "core/application.h"
#include "dialogue/dialogue.h"
#include "entities/mapentity.h"
#include "entities/scriptedentity.h"
#include "entities/trigger.h"
#include "menus/screen.h"
#include "minigames/consoleminigame.h"
#include "player/player.h"
#include "tracelines.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <sstream>

namespace {

constexpr float STEP = 1.f / 60.f;
// A try that has not come to rest this long after its keys are released is lost (the
// character fell out of the level).
constexpr int FALL_FRAMES = 240;

} // namespace

// One try: the walk key held from `walkFrom` to `walkUntil` (seconds), the jump key
// pressed at `jumpAt` (negative: never), gravity reversed first when `reverse` is set.
struct DeadEndSearch::Move
{
    int direction = 0; // -1 left, 1 right, 0 no walking
    float walkFrom = 0.f;
    float walkUntil = 0.f;
    float jumpAt = -1.f;
    bool reverse = false;

    float end() const
    {
        return std::max(direction ? walkUntil : 0.f, jumpAt + STEP);
    }
};

namespace {

using Move = DeadEndSearch::Move;

// Walks of several lengths, jumps from a standstill and after a run-up with the key
// released at several heights, and, where granted, gravity reversed while walking or not.
std::vector<Move> movesFor(bool canReverse)
{
    std::vector<Move> moves{{0, 0.f, 0.f, 0.f, false}};
    for (int direction : {-1, 1}) {
        for (float until : {0.25f, 0.5f, 0.9f})
            moves.push_back({direction, 0.f, until, -1.f, false});
        for (float jumpAt : {0.f, 0.2f, 0.45f})
            for (float hold : {0.1f, 0.3f, 0.55f, 1.2f})
                moves.push_back({direction, 0.f, jumpAt + hold, jumpAt, false});
        // Jumping straight up, then steering towards a ledge above.
        for (float from : {0.15f, 0.35f})
            moves.push_back({direction, from, from + 0.6f, 0.f, false});
    }
    if (canReverse) {
        moves.push_back({0, 0.f, 0.f, -1.f, true});
        for (int direction : {-1, 1})
            for (float until : {0.25f, 0.6f, 1.2f})
                moves.push_back({direction, 0.f, until, -1.f, true});
    }
    return moves;
}

const Move SETTLE{0, 0.f, 0.f, -1.f, false};

bool holdsOpen(Entity& entity)
{
    return dynamic_cast<TimerActivableTrigger*>(&entity) || dynamic_cast<TimerShootableTrigger*>(&entity);
}

} // namespace

bool DeadEndSearch::Keys::isKeyPressed(sf::Keyboard::Key key) const
{
    return down.count(key) != 0;
}

DeadEndSearch::DeadEndSearch(Application& app, Map& level, std::string mapText, Abilities entry)
    : m_app(app),
      m_level(level),
      m_mapText(std::move(mapText)),
      m_entry(entry)
{
    m_app.getRessourceManager().setKeyboard(&m_keys);
}

DeadEndSearch::~DeadEndSearch()
{
    RessourceManager& rm = m_app.getRessourceManager();
    rm.setKeyboard(nullptr);
    TraceLines quiet;
    for (const std::string& picture : m_pictures)
        rm.killTexture(picture);
}

// Every picture the level loads (its own, its dialogues', the end screens') is kept in
// the cache until the search ends: rebuilding the level never reads one from disk again.
void DeadEndSearch::keepPicture(const std::string& traceLine)
{
    static const std::string loaded = " -- Manager : Creation de l'item : ";
    if (traceLine.compare(0, loaded.size(), loaded) != 0 || traceLine.size() < loaded.size() + 4 ||
        traceLine.compare(traceLine.size() - 4, 4, ".png") != 0)
        return;
    const std::string picture = traceLine.substr(loaded.size());
    if (std::find(m_pictures.begin(), m_pictures.end(), picture) != m_pictures.end())
        return;
    m_pictures.push_back(picture);
    m_app.getRessourceManager().getTexture(picture);
}

const SearchFigures& DeadEndSearch::figures() const
{
    return m_figures;
}

std::vector<DeadEnd> DeadEndSearch::run()
{
    const std::clock_t start = std::clock();
    TraceLines trace([this](const std::string& line) { keepPicture(line); });
    settingOf({});
    const sf::FloatRect box = m_level.getPlayer()->getHitbox();
    Place entry;
    entry.x = box.left;
    entry.y = box.top;
    const Landing first = play(entry, SETTLE);
    if (first.ending == Ending::Stands) {
        m_queue.push_back(placeFor(first.place));
        for (std::size_t next = 0; next < m_queue.size(); ++next)
            visit(m_queue[next]);
    }
    m_figures.places = static_cast<int>(m_places.size());
    m_figures.settings = static_cast<int>(m_settings.size());
    for (const Setting& setting : m_settings)
        m_figures.used.push_back(setting.used);
    m_figures.seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    return deadEnds();
}

void DeadEndSearch::visit(int index)
{
    const Place from = m_places[static_cast<std::size_t>(index)];
    for (const Move& move : movesFor(m_settings[static_cast<std::size_t>(from.setting)].gravity)) {
        enter(from.setting);
        link(index, play(from, move));
    }
    enter(from.setting);
    std::vector<int> next;
    for (int id : usableFrom(from))
        next.push_back(settingAfter(from.setting, {id}));
    // A timed switch held open closes again some time: the search goes on from there too.
    enter(from.setting);
    for (int id : m_settings[static_cast<std::size_t>(from.setting)].used)
        if (holdsOpen(*m_level.getEntity(id)))
            next.push_back(settingWithout(from.setting, id));
    for (int setting : next) {
        if (setting == from.setting)
            continue;
        Place there = from;
        there.setting = setting;
        enter(setting);
        link(index, play(there, SETTLE));
    }
}

void DeadEndSearch::link(int from, const Landing& landing)
{
    ++m_figures.tries;
    if (landing.ending == Ending::Exit || landing.ending == Ending::Death) {
        m_good[static_cast<std::size_t>(from)] = true;
        return;
    }
    if (landing.ending != Ending::Stands)
        return;
    Place place = landing.place;
    if (!landing.ran.empty())
        place.setting = settingAfter(place.setting, landing.ran);
    const int to = placeFor(place);
    m_reachedFrom[static_cast<std::size_t>(to)].push_back(from);
}

int DeadEndSearch::placeFor(const Place& place)
{
    const auto key =
        std::make_tuple(place.setting, place.reversed, std::lround(place.x / GRANULARITY), std::lround(place.y));
    const auto found = m_placeByKey.find(key);
    if (found != m_placeByKey.end())
        return found->second;
    const int index = static_cast<int>(m_places.size());
    m_places.push_back(place);
    m_reachedFrom.emplace_back();
    m_good.push_back(false);
    m_placeByKey.emplace(key, index);
    m_queue.push_back(index);
    return index;
}

int DeadEndSearch::settingAfter(int setting, const std::vector<int>& ids)
{
    const auto key = std::make_pair(setting, ids);
    const auto found = m_settingAfter.find(key);
    if (found != m_settingAfter.end())
        return found->second;
    std::vector<int> used = m_settings[static_cast<std::size_t>(setting)].used;
    used.insert(used.end(), ids.begin(), ids.end());
    const int after = settingOf(used);
    m_settingAfter.emplace(key, after);
    return after;
}

int DeadEndSearch::settingWithout(int setting, int id)
{
    const auto key = std::make_pair(setting, id);
    const auto found = m_settingWithout.find(key);
    if (found != m_settingWithout.end())
        return found->second;
    std::vector<int> used = m_settings[static_cast<std::size_t>(setting)].used;
    used.erase(std::find(used.begin(), used.end(), id));
    const int without = settingOf(used);
    m_settingWithout.emplace(key, without);
    return without;
}

int DeadEndSearch::settingOf(const std::vector<int>& used)
{
    build(used);
    const std::string now = signature();
    const auto found = m_settingBySignature.find(now);
    if (found != m_settingBySignature.end())
        return m_world = found->second;
    Setting setting;
    setting.used = used;
    setting.signature = now;
    setting.scripts = scriptTypes();
    setting.shoot = m_level.getPlayer()->canShoot();
    setting.gravity = m_level.getPlayer()->canReverseGravity();
    m_settings.push_back(setting);
    m_world = static_cast<int>(m_settings.size()) - 1;
    m_settingBySignature.emplace(now, m_world);
    return m_world;
}

// Levers the character touches there, and, once it holds the gun, every target (the
// search does not check that a shot can reach it).
std::vector<int> DeadEndSearch::usableFrom(const Place& place)
{
    const sf::FloatRect size = m_level.getPlayer()->getHitbox();
    const sf::FloatRect box(place.x, place.y, size.width, size.height);
    const bool shoot = m_settings[static_cast<std::size_t>(place.setting)].shoot;
    const std::vector<int>& used = m_settings[static_cast<std::size_t>(place.setting)].used;
    std::vector<int> usable;
    for (const auto& entry : m_level.getEntities()) {
        Entity& entity = *entry.second;
        if (std::find(used.begin(), used.end(), entry.first) != used.end())
            continue;
        const auto* script = dynamic_cast<ScriptedEntity*>(&entity);
        const bool lever = entity.isActivable() && box.intersects(entity.getHitbox());
        const bool target = shoot && entity.isShootable() && (!script || script->getTypeDeclenchement() == OnShoot);
        if (lever || target)
            usable.push_back(entry.first);
    }
    return usable;
}

void DeadEndSearch::enter(int setting)
{
    if (m_world == setting)
        return;
    build(m_settings[static_cast<std::size_t>(setting)].used);
    m_world = setting;
}

// The map as it starts, with the scripts that run on their own as it starts already run
// and their dialogues read, then the entities of `used` used in turn.
void DeadEndSearch::build(const std::vector<int>& used)
{
    m_level.clear();
    std::istringstream text(m_mapText);
    m_level.read(text, m_level.getMapName());
    // Nobody listens. Paused, not stopped: a stopped stream decodes its first seconds
    // again each time the map's music is started anew.
    m_app.getRessourceManager().pauseBGM();
    Player& player = *m_level.getPlayer();
    if (!player.isGravityNormal())
        player.toggleGravity();
    player.peuxTirer(m_entry.shoot);
    player.canToggleGravity(m_entry.gravity);
    player.setVie(-1);
    std::vector<int> startUp;
    for (const auto& entry : m_level.getEntities()) {
        const auto* script = dynamic_cast<ScriptedEntity*>(entry.second);
        if (script && script->getTypeDeclenchement() == AfterWait)
            startUp.push_back(entry.first);
    }
    for (int id : startUp) {
        auto* script = dynamic_cast<ScriptedEntity*>(m_level.getEntity(id));
        if (script && script->getTypeDeclenchement() == AfterWait)
            use(id);
    }
    for (int id : used)
        use(id);
}

// A timed switch is held open: its destination is switched once, for good.
void DeadEndSearch::use(int id)
{
    Entity* entity = m_level.getEntity(id);
    if (!entity)
        return;
    auto* trigger = dynamic_cast<Trigger*>(entity);
    if (trigger && holdsOpen(*entity)) {
        if (trigger->getDestination())
            trigger->getDestination()->activate();
    } else {
        entity->activate();
    }
    settle();
}

// Plays out whatever the level pushed over itself: dialogues are read to their end and
// code puzzles solved (so that what their end activates happens); the game-over screen is
// a death, and whatever the exit opens is closed (the try has reached the exit).
DeadEndSearch::Ending DeadEndSearch::settle()
{
    Ending ending = Ending::Stands;
    for (int guard = 0; guard < 10000 && m_app.getStateCount() > 0; ++guard) {
        GameState* top = m_app.getState(m_app.getStateCount() - 1);
        if (top == &m_level)
            return ending;
        if (dynamic_cast<GameOver*>(top)) {
            ending = Ending::Death;
            m_app.removeGameState(top);
        } else if (dynamic_cast<Dialogue*>(top)) {
            send(sf::Event::KeyReleased, sf::Keyboard::Return);
        } else if (auto* console = dynamic_cast<ConsoleMinigame*>(top)) {
            solve(*console);
        } else {
            m_app.removeGameState(top);
        }
    }
    return ending;
}

void DeadEndSearch::solve(ConsoleMinigame& console)
{
    std::vector<int> digits;
    if (const auto* higherOrLower = dynamic_cast<PlusOuMoins*>(&console)) {
        for (const char digit : std::to_string(higherOrLower->getCode()))
            digits.push_back(digit - '0');
    } else if (const auto* code = dynamic_cast<MasterMind*>(&console)) {
        digits.assign(code->getCode().begin(), code->getCode().end());
    }
    const bool finished = console.isFinished();
    if (!finished)
        for (int digit : digits)
            send(sf::Event::KeyReleased, static_cast<sf::Keyboard::Key>(sf::Keyboard::Num0 + digit));
    // Return submits the code; once solved, the next key closes the terminal.
    send(sf::Event::KeyReleased, sf::Keyboard::Return);
}

void DeadEndSearch::send(sf::Event::EventType type, sf::Keyboard::Key key)
{
    sf::Event event{};
    event.type = type;
    event.key.code = key;
    m_app.handleEvent(event);
}

DeadEndSearch::Landing DeadEndSearch::play(const Place& from, const Move& move)
{
    putCharacter(from);
    Player& player = *m_level.getPlayer();
    Landing landing;
    landing.place.setting = from.setting;
    const int frames = static_cast<int>(std::ceil(move.end() / STEP)) + FALL_FRAMES;
    // Frame 0 lets the character settle where it is put; the try starts at frame 1.
    for (int frame = 0; frame <= frames && landing.ending == Ending::Lost; ++frame) {
        const float t = static_cast<float>(frame - 1) * STEP;
        m_keys.down.clear();
        if (frame > 0 && move.direction && t + STEP / 2 >= move.walkFrom && t + STEP / 2 < move.walkUntil)
            m_keys.down.insert(move.direction < 0 ? sf::Keyboard::Q : sf::Keyboard::D);
        if (frame > 0 && move.jumpAt >= 0.f && std::fabs(t - move.jumpAt) < STEP / 2)
            m_keys.down.insert(sf::Keyboard::Space);
        if (frame == 1 && move.reverse)
            send(sf::Event::KeyReleased, sf::Keyboard::LShift);
        m_level.update(STEP);
        ++m_figures.frames;
        const Ending ending = settle();
        if (ending != Ending::Stands)
            landing.ending = ending;
        else if (atExit())
            landing.ending = Ending::Exit;
        else if (frame > 0 && t + STEP / 2 >= move.end() && player.getSol())
            landing.ending = Ending::Stands;
    }
    m_keys.down.clear();
    const sf::FloatRect box = player.getHitbox();
    landing.place.x = box.left;
    landing.place.y = box.top;
    landing.place.reversed = !player.isGravityNormal();
    landing.place.entity = entityId(player.getSol());
    if (signature() != m_settings[static_cast<std::size_t>(from.setting)].signature) {
        const std::map<int, int> before = m_settings[static_cast<std::size_t>(from.setting)].scripts;
        for (const auto& script : scriptTypes())
            if (script.second == Dont && before.count(script.first) && before.at(script.first) != Dont)
                landing.ran.push_back(script.first);
        m_world = -1;
    }
    return landing;
}

void DeadEndSearch::putCharacter(const Place& place)
{
    Player& player = *m_level.getPlayer();
    m_keys.down.clear();
    player.resetMovement();
    if (player.isGravityNormal() == place.reversed)
        player.toggleGravity();
    player.setVie(-1);
    const int x = static_cast<int>(place.x);
    const int y = static_cast<int>(place.y);
    player.setPosition(x, y);
    player.move(place.x - static_cast<float>(x), place.y - static_cast<float>(y));
}

// What the character meets in the level: what blocks, what kills, which scripts may
// still run, and what the character can do. What only shows does not count.
std::string DeadEndSearch::signature()
{
    std::ostringstream out;
    for (const auto& entry : m_level.getEntities()) {
        Entity& entity = *entry.second;
        const sf::FloatRect box = entity.getHitbox();
        out << entry.first << ':' << entity.isSolid() << entity.isDeadly() << entity.isShootable()
            << entity.isActivable() << ' ' << std::lround(box.left) << ',' << std::lround(box.top) << ','
            << std::lround(box.width) << ',' << std::lround(box.height);
        if (const auto* script = dynamic_cast<ScriptedEntity*>(&entity))
            out << '/' << script->getTypeDeclenchement();
        out << ';';
    }
    Player& player = *m_level.getPlayer();
    out << player.canShoot() << player.canReverseGravity();
    return out.str();
}

std::map<int, int> DeadEndSearch::scriptTypes()
{
    std::map<int, int> types;
    for (const auto& entry : m_level.getEntities())
        if (const auto* script = dynamic_cast<ScriptedEntity*>(entry.second))
            types.emplace(entry.first, script->getTypeDeclenchement());
    return types;
}

// Touching the exit puts the character on its centre, inside it (the level pushes it out
// of anything else it overlaps), whatever screen the exit then opens: the interlude to the
// next map or the ending of the campaign.
bool DeadEndSearch::atExit()
{
    const sf::FloatRect box = m_level.getPlayer()->getHitbox();
    for (const auto& entry : m_level.getEntities())
        if (dynamic_cast<NextLevelVortex*>(entry.second) && box.intersects(entry.second->getHitbox()))
            return true;
    return false;
}

int DeadEndSearch::entityId(const void* entity)
{
    for (const auto& entry : m_level.getEntities())
        if (entry.second == entity)
            return entry.first;
    return 0;
}

std::vector<DeadEnd> DeadEndSearch::deadEnds() const
{
    // Places that reach the exit or spikes, and every place that reaches one of those.
    std::vector<bool> good = m_good;
    std::vector<int> pending;
    for (std::size_t i = 0; i < good.size(); ++i)
        if (good[i])
            pending.push_back(static_cast<int>(i));
    while (!pending.empty()) {
        const int place = pending.back();
        pending.pop_back();
        for (int from : m_reachedFrom[static_cast<std::size_t>(place)])
            if (!good[static_cast<std::size_t>(from)]) {
                good[static_cast<std::size_t>(from)] = true;
                pending.push_back(from);
            }
    }
    // One report per stretch, whatever the states of the map it is a dead end in; it
    // names the first state found (the fewest entities used).
    std::vector<Place> dead;
    for (std::size_t i = 0; i < good.size(); ++i)
        if (!good[i])
            dead.push_back(m_places[i]);
    const auto key = [](const Place& place) {
        return std::make_tuple(place.reversed, place.entity, std::lround(place.y));
    };
    std::sort(dead.begin(), dead.end(), [&key](const Place& a, const Place& b) {
        return std::make_tuple(key(a), a.x, a.setting) < std::make_tuple(key(b), b.x, b.setting);
    });
    std::vector<DeadEnd> ends;
    int firstSetting = 0;
    for (std::size_t i = 0; i < dead.size(); ++i) {
        const Place& place = dead[i];
        if (i > 0 && key(dead[i - 1]) == key(place) && place.x - dead[i - 1].x <= 2 * GRANULARITY) {
            ends.back().right = place.x;
            firstSetting = std::min(firstSetting, place.setting);
            ends.back().used = m_settings[static_cast<std::size_t>(firstSetting)].used;
            continue;
        }
        DeadEnd end;
        end.entity = place.entity;
        end.left = end.right = place.x;
        end.top = place.y;
        end.reversed = place.reversed;
        firstSetting = place.setting;
        end.used = m_settings[static_cast<std::size_t>(firstSetting)].used;
        ends.push_back(end);
    }
    return ends;
}
