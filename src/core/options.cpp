#include "core/options.h"

#include "input/keys.h"
#include "resources/atomicfile.h"
#include "resources/path.h"
#include "resources/trace.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

const char* const OPTIONS_PATH = "data\\saves\\options.cfg";

namespace {

// The keyword of each action a player can rebind, in the order of the actions.
const char* const KEY_SECTIONS[REBINDABLE_COUNT] = {"[ToucheGauche]",  "[ToucheDroite]",  "[ToucheSaut]",
                                                    "[ToucheGravite]", "[ToucheActiver]", "[ToucheSuivant]"};

// The words of a file, without what "|" comments out.
std::vector<std::string> words(std::istream& file)
{
    std::vector<std::string> result;
    for (std::string line; std::getline(file, line);) {
        std::istringstream in(line.substr(0, line.find('|')));
        for (std::string word; in >> word;)
            result.push_back(word);
    }
    return result;
}

bool isKeyword(const std::string& word)
{
    return !word.empty() && word.front() == '[';
}

bool readVolume(const std::string& word, int& volume)
{
    std::istringstream in(word);
    int value = -1;
    if (!(in >> value) || !in.eof() || value < 0 || value > 100)
        return false;
    volume = value;
    return true;
}

bool readFlag(const std::string& word, bool& flag)
{
    if (word != "0" && word != "1")
        return false;
    flag = word == "1";
    return true;
}

// Reads the section of `keyword` from `next` on, moving `next` past its values.
bool readSection(const std::vector<std::string>& all, std::size_t& next, const std::string& keyword, Options& options)
{
    for (std::size_t action = 0; action < REBINDABLE_COUNT; ++action) {
        if (keyword != KEY_SECTIONS[action])
            continue;
        std::vector<sf::Keyboard::Key> keys;
        for (; next < all.size() && !isKeyword(all[next]); ++next)
            keys.push_back(keyFromToken(all[next]));
        return options.bindings.setKeys(static_cast<Action>(action), keys);
    }
    static const std::map<std::string, std::function<bool(const std::string&, Options&)>> VALUES = {
        {"[VolumeMusique]", [](const std::string& w, Options& o) { return readVolume(w, o.musicVolume); }},
        {"[VolumeSons]", [](const std::string& w, Options& o) { return readVolume(w, o.soundVolume); }},
        {"[PleinEcran]", [](const std::string& w, Options& o) { return readFlag(w, o.fullscreen); }},
        {"[CompteurFPS]", [](const std::string& w, Options& o) { return readFlag(w, o.showFPS); }},
    };
    const auto found = VALUES.find(keyword);
    return found != VALUES.end() && next < all.size() && found->second(all[next++], options);
}

} // namespace

bool Options::operator==(const Options& other) const
{
    return musicVolume == other.musicVolume && soundVolume == other.soundVolume && fullscreen == other.fullscreen &&
           showFPS == other.showFPS && bindings == other.bindings;
}

bool readOptions(std::istream& file, Options& options)
{
    Options read = options;
    const std::vector<std::string> all = words(file);
    for (std::size_t next = 0; next < all.size();) {
        // The file is the game's own: a word that is not an option means it was damaged.
        const std::string& word = all[next++];
        if (!readSection(all, next, word, read))
            return false;
    }
    if (!read.bindings.isConsistent())
        return false;
    options = read;
    return true;
}

void writeOptions(std::ostream& file, const Options& options)
{
    file << "[VolumeMusique] " << options.musicVolume << "\n"
         << "[VolumeSons] " << options.soundVolume << "\n"
         << "[PleinEcran] " << (options.fullscreen ? 1 : 0) << "\n"
         << "[CompteurFPS] " << (options.showFPS ? 1 : 0) << "\n";
    for (std::size_t action = 0; action < REBINDABLE_COUNT; ++action) {
        file << KEY_SECTIONS[action];
        for (sf::Keyboard::Key key : options.bindings.keys(static_cast<Action>(action)))
            file << " " << keyToken(key);
        file << "\n";
    }
}

Options loadOptions(const std::string& gamePath)
{
    Options options;
    std::ifstream file(hostPath(gamePath));
    if (!file)
        std::cout << " -*- Options absentes, options par defaut : " << gamePath << std::endl;
    else if (!readOptions(file, options))
        traceError("Options illisibles, options par defaut", gamePath);
    else
        std::cout << " -- Chargement des options : " << gamePath << std::endl;
    return options;
}

bool saveOptions(const std::string& gamePath, const Options& options)
{
    if (writeAtomically(gamePath, [&options](std::ostream& file) { writeOptions(file, options); }))
        return true;
    traceError("Echec de l'ecriture des options", gamePath);
    return false;
}
