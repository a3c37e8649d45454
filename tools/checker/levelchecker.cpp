#include "levelchecker.h"

#include "core/application.h"
#include "dialogue/dialogue.h"
#include "entities/scriptedentity.h"
#include "player/player.h"
#include "resources/path.h"
#include "tracelines.h"
#include "world/campaign.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>

namespace {

std::string point(float x, float y)
{
    return "(" + std::to_string(std::lround(x)) + ", " + std::to_string(std::lround(y)) + ")";
}

std::string describe(const DeadEnd& end)
{
    std::string message = "dead end: standing on entity " + std::to_string(end.entity);
    message += end.left == end.right ? " at " + point(end.left, end.top)
                                     : " from " + point(end.left, end.top) + " to " + point(end.right, end.top);
    if (end.reversed)
        message += " (gravity reversed)";
    message += ", the character reaches neither the exit nor spikes";
    if (!end.used.empty()) {
        message += " (once ";
        for (std::size_t i = 0; i < end.used.size(); ++i)
            message += (i ? ", " : "") + std::to_string(end.used[i]);
        message += end.used.size() > 1 ? " have been used)" : " has been used)";
    }
    return message;
}

} // namespace

LevelChecker::LevelChecker(Application& app, std::string savePath) : m_app(app), m_savePath(std::move(savePath))
{
}

std::vector<std::string> LevelChecker::allMaps()
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(hostPath("data\\maps"), error)) {
        const std::string name = entry.path().filename().string();
        if (gameFileExists(mapPath(name)))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<Problem> LevelChecker::check(std::vector<std::string> names)
{
    if (names.empty())
        names = allMaps();
    for (const std::string& name : names)
        checkMap(name);
    std::sort(m_problems.begin(), m_problems.end());
    m_problems.erase(std::unique(m_problems.begin(), m_problems.end()), m_problems.end());
    return m_problems;
}

const std::vector<LevelChecker::Figures>& LevelChecker::figures() const
{
    return m_figures;
}

void LevelChecker::checkMap(const std::string& name)
{
    const std::string path = mapPath(name);
    std::string text;
    if (!readWholeFile(hostPath(path), text))
        return report(path, 1, "no such map");
    const MapWording wording = readMapWording(name, path, text, m_problems);
    if (wording.entries == 0)
        report(path, 1, "no entry: the map has no [CurrentLevelVortex]");
    if (wording.nextMaps.empty())
        report(path, 1, "no exit: the map has no [NextLevelVortex]");
    // The end of the campaign is an exit too: it leads to the ending, not to a map.
    for (const Mention& next : wording.nextMaps)
        if (next.name != CAMPAIGN_END && !gameFileExists(mapPath(next.name)))
            report(path, next.line, "the next map \"" + next.name + "\" does not exist");
    checkScripts(name, wording);
    searchDeadEnds(name, text, wording);
}

void LevelChecker::checkScripts(const std::string& name, const MapWording& wording)
{
    for (const Mention& mention : wording.scripts) {
        if (!gameFileExists(mention.name))
            continue; // the game's reader says so, at the map's line
        const ScriptWording& script = scriptWording(mention.name);
        for (const IdMention& id : script.ids)
            if (!wording.idLines.count(id.id))
                report(mention.name, id.line,
                       "entity " + std::to_string(id.id) + " named by " + id.keyword + " is not in map " + name);
        for (const Mention& dialogue : script.dialogues)
            if (gameFileExists(dialogue.name))
                checkDialogue(dialogue.name);
    }
}

const ScriptWording& LevelChecker::scriptWording(const std::string& path)
{
    const auto found = m_scripts.find(path);
    if (found != m_scripts.end())
        return found->second;
    std::string text;
    readWholeFile(hostPath(path), text);
    ScriptWording& wording = m_scripts[path] = readScriptWording(path, text, m_problems);
    RessourceManager& rm = m_app.getRessourceManager();
    std::unique_ptr<ScriptedEntity> probe;
    {
        TraceLines quiet;
        probe = std::make_unique<ScriptedEntity>(&rm, nullptr, path, 0, 0);
    }
    CountedText in(text);
    listen(path, in, [&] { probe->readHeader(in); });
    return wording;
}

void LevelChecker::checkDialogue(const std::string& path)
{
    if (m_dialoguesChecked[path])
        return;
    m_dialoguesChecked[path] = true;
    std::string text;
    readWholeFile(hostPath(path), text);
    const std::vector<int> bubbles = readDialogueWording(path, text, m_problems);
    auto in = std::make_unique<CountedText>(text);
    const CountedText& counted = *in;
    listen(path, counted, [&] {
        Dialogue dialogue(&m_app.getRessourceManager(), std::move(in), path, -1);
        for (std::size_t shown = 0; !dialogue.hasEnded(); ++shown) {
            if (shown < bubbles.size())
                checkBubble(dialogue, path, bubbles[shown]);
            dialogue.chargerDialogue();
        }
    });
}

// The bubble is placed by the game itself, which knows its picture and where a
// bubble with an arrow starts.
void LevelChecker::checkBubble(const Dialogue& dialogue, const std::string& path, int line)
{
    const sf::FloatRect bubble = dialogue.getActor(dialogue.getActiveActor()).getBackground().getGlobalBounds();
    const float right = bubble.left + bubble.width;
    const float bottom = bubble.top + bubble.height;
    if (bubble.left < GAME_VIEW.left || bubble.top < GAME_VIEW.top || right > GAME_VIEW.left + GAME_VIEW.width ||
        bottom > GAME_VIEW.top + GAME_VIEW.height)
        report(path, line,
               "the bubble from " + point(bubble.left, bubble.top) + " to " + point(right, bottom) +
                   " goes outside the 1000 x 500 window: the player does not see all of it");
}

void LevelChecker::searchDeadEnds(const std::string& name, const std::string& text, const MapWording& wording)
{
    const std::string path = mapPath(name);
    RessourceManager& rm = m_app.getRessourceManager();
    TraceLines quiet;
    Map* level = new Map(&rm, name, m_savePath, new Player(&rm));
    m_app.addGameState(level);
    {
        CountedText in(text);
        listen(path, in, [&] {
            level->clear();
            level->read(in, path);
        });
    }
    nameUnknownKinds(path, wording);
    DeadEndSearch search(m_app, *level, text, abilitiesOnEntering(name));
    const std::vector<DeadEnd> ends = search.run();
    for (const DeadEnd& end : ends) {
        const auto line = wording.idLines.find(end.entity);
        report(path, line == wording.idLines.end() ? 1 : line->second, describe(end));
    }
    m_figures.push_back({name, search.figures(), ends});
    m_app.removeGameState(level);
}

// The game's line does not say which word it could not take for a picture kind.
void LevelChecker::nameUnknownKinds(const std::string& path, const MapWording& wording)
{
    for (Problem& problem : m_problems) {
        const auto kind = wording.unknownKinds.find(problem.line);
        if (problem.file == path && kind != wording.unknownKinds.end() &&
            startsWith(problem.message, "ERREUR : Chargement du sprite"))
            problem.message += ": the picture kind \"" + kind->second + "\" is unknown";
    }
}

void LevelChecker::listen(const std::string& path, const CountedText& in, const std::function<void()>& read)
{
    ErrorLines errors(
        path, [&] { return in.line(); }, m_problems);
    read();
}

void LevelChecker::report(const std::string& file, int line, const std::string& message)
{
    m_problems.push_back({file, line, message});
}

// What the maps before this one in the campaign granted, following each map's exit
// from the first map; nothing for a map the campaign does not lead to.
Abilities LevelChecker::abilitiesOnEntering(const std::string& name)
{
    Abilities granted;
    std::set<std::string> seen;
    for (std::string at = FIRST_MAP; at != name;) {
        std::string text;
        if (!seen.insert(at).second || !readWholeFile(hostPath(mapPath(at)), text))
            return {};
        std::vector<Problem> ignored;
        const MapWording wording = readMapWording(at, mapPath(at), text, ignored);
        for (const Mention& mention : wording.scripts) {
            std::string script;
            readWholeFile(hostPath(mention.name), script);
            const ScriptWording grants = readScriptWording(mention.name, script, ignored);
            granted.shoot = granted.shoot || grants.grantsShooting;
            granted.gravity = granted.gravity || grants.grantsGravity;
        }
        if (wording.nextMaps.empty())
            return {};
        at = wording.nextMaps.front().name;
    }
    return granted;
}
