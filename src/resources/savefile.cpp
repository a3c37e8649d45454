#include "resources/savefile.h"

#include "resources/numbers.h"

namespace {

const char* const MAP_SECTION = "[Map]";
const char* const PLAYER_SECTION = "[Player]";

// Reads one value into `value`; false (and the value left empty) when it cannot be read.
template <typename T>
bool readValue(std::istream& file, std::optional<T>& value, bool (*reader)(std::istream&, T&))
{
    T read{};
    if (!reader(file, read))
        return false;
    value = read;
    return true;
}

const char* flag(bool value)
{
    return value ? "1" : "0";
}

} // namespace

std::string slotPath(unsigned slot)
{
    return "data\\saves\\0" + std::to_string(slot + 1) + "\\save.sv";
}

void writeMapSection(std::ostream& file, const std::string& mapName)
{
    file << MAP_SECTION << "\n" << mapName << "\n";
}

void writePlayerSection(std::ostream& file, bool canShoot, float shootDelay, bool canToggleGravity)
{
    file << PLAYER_SECTION << "\n" << flag(canShoot) << " " << shootDelay << " " << flag(canToggleGravity);
}

SavedGame readSavedGame(std::istream& file)
{
    SavedGame game;
    std::string op;
    while (file >> op) {
        if (op == PLAYER_SECTION) {
            if (!readValue(file, game.canShoot, readFlag) || !readValue(file, game.shootDelay, readDecimal) ||
                !readValue(file, game.canToggleGravity, readFlag))
                break;
        } else if (op == MAP_SECTION) {
            if (!(file >> game.mapName))
                break;
        }
    }
    return game;
}

std::string readSlotMapName(std::istream& file)
{
    std::string mapName;
    std::string token;
    while (file >> token)
        if (token == MAP_SECTION)
            file >> mapName;
    return mapName;
}
