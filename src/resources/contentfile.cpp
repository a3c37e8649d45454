#include "resources/contentfile.h"

#include "resources/path.h"

#include <SFML/System/Err.hpp>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const DATA_FOLDER = "data";
const char* const SAVE_FOLDER = "saves";

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The steps of a confined game path, its "." and ".." steps resolved; empty when the
// path does not start with the data folder or climbs out of it.
std::vector<std::string> confinedSteps(const std::string& gamePath)
{
    if (gamePath.find('\0') != std::string::npos)
        return {};
    std::vector<std::string> kept;
    std::string step;
    for (std::size_t i = 0; i <= gamePath.size(); ++i) {
        if (i < gamePath.size() && !isSeparator(gamePath[i])) {
            step += gamePath[i];
            continue;
        }
        if (kept.empty() && step != DATA_FOLDER)
            return {}; // an absolute path, a drive letter, or any folder but the data folder
        if (step == "..")
            kept.pop_back();
        else if (!step.empty() && step != ".")
            kept.push_back(step);
        if (kept.empty())
            return {}; // climbed out of the data folder
        step.clear();
    }
    return kept.size() >= 2 ? kept : std::vector<std::string>();
}

// The size of the file a confined game path names when it is a regular file (links
// followed: what counts is the file that would be read) of at most maxSize bytes.
std::optional<std::uintmax_t> readableSize(const std::string& gamePath, std::uintmax_t maxSize)
{
    const std::string host = confinedHostPath(gamePath);
    if (host.empty())
        return std::nullopt;
    std::error_code error;
    if (!fs::is_regular_file(host, error))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(host, error);
    if (error || size > maxSize)
        return std::nullopt;
    return size;
}

} // namespace

std::string confinedHostPath(const std::string& gamePath)
{
    std::string host;
    for (const std::string& step : confinedSteps(gamePath))
        host += (host.empty() ? "" : "/") + step;
    return host;
}

bool isConfinedGamePath(const std::string& gamePath)
{
    return !confinedSteps(gamePath).empty();
}

bool isReadableContentFile(const std::string& gamePath, std::uintmax_t maxSize)
{
    // Opened and closed at once: its permissions may still forbid reading it.
    return readableSize(gamePath, maxSize) && std::ifstream(confinedHostPath(gamePath)).good();
}

bool readContentFile(const std::string& gamePath, std::uintmax_t maxSize, std::string& bytes)
{
    bytes.clear();
    const std::optional<std::uintmax_t> size = readableSize(gamePath, maxSize);
    if (!size)
        return false;
    std::ifstream file(confinedHostPath(gamePath), std::ios::binary);
    if (!file)
        return false;
    // One byte more than measured tells a file that grew since: it is refused.
    bytes.resize(static_cast<std::size_t>(*size) + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::size_t count = static_cast<std::size_t>(file.gcount());
    if (file.bad() || count > *size) {
        bytes.clear();
        return false;
    }
    bytes.resize(count);
    return true;
}

std::unique_ptr<std::istream> openContentFile(const std::string& gamePath, std::uintmax_t maxSize)
{
    std::string bytes;
    if (!readContentFile(gamePath, maxSize, bytes))
        return nullptr;
    return std::make_unique<std::istringstream>(std::move(bytes));
}

bool isSaveFolderPath(const std::string& gamePath)
{
    const std::vector<std::string> steps = confinedSteps(gamePath);
    return steps.size() >= 3 && steps[1] == SAVE_FOLDER;
}

void reportRefusedFile(const std::string& kind, const std::string& gamePath)
{
    sf::err() << "Failed to load " << kind << " \"" << hostPath(gamePath)
              << "\". Reason: not a readable file of the game's data folder, or too large" << std::endl;
}
