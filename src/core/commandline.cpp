#include "core/commandline.h"

#include "resources/trace.h"
#include "world/map.h"

namespace {

const char* const USAGE = " -- Usage : korvane [--map NOM]\n";

std::string refusal(const std::string& message, const std::string& detail)
{
    return errorMessage(message, detail) + "\n" + USAGE;
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--map") {
            line.error = refusal("Argument inconnu", arguments[i]);
            return line;
        }
        if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
            line.error = refusal("Nom de map manquant", arguments[i]);
            return line;
        }
        line.mapName = arguments[++i];
    }
    if (!line.mapName.empty() && !Map::canOpen(line.mapName))
        line.error = refusal("Echec de l'ouverture de la map", Map::mapFile(line.mapName));
    return line;
}
