#include "resources/contentfile.h"

#include "resources/path.h"

#include <SFML/System/Err.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const SAVE_FOLDER = "saves";

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The steps of a game path, whichever separator it uses.
std::vector<std::string> steps(const std::string& gamePath)
{
    std::vector<std::string> result(1);
    for (char c : gamePath) {
        if (isSeparator(c))
            result.emplace_back();
        else
            result.back() += c;
    }
    return result;
}

} // namespace

bool isConfinedGamePath(const std::string& gamePath)
{
    if (gamePath.find('\0') != std::string::npos)
        return false;
    const std::vector<std::string> all = steps(gamePath);
    if (all.size() < 2 || all.front() != "data")
        return false;
    for (const std::string& step : all)
        if (step == "..")
            return false;
    return true;
}

bool isReadableContentFile(const std::string& gamePath, std::uintmax_t maxSize)
{
    if (!isConfinedGamePath(gamePath))
        return false;
    // Links are followed: what counts is the file that would be read.
    std::error_code error;
    const fs::path host = hostPath(gamePath);
    if (!fs::is_regular_file(host, error))
        return false;
    const std::uintmax_t size = fs::file_size(host, error);
    return !error && size <= maxSize;
}

bool readContentFile(const std::string& gamePath, std::uintmax_t maxSize, std::string& bytes)
{
    bytes.clear();
    if (!isReadableContentFile(gamePath, maxSize))
        return false;
    std::ifstream file(hostPath(gamePath), std::ios::binary);
    if (!file)
        return false;
    // Read no more than the limit even if the file grew since it was measured.
    bytes.resize(static_cast<std::size_t>(maxSize) + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::size_t count = static_cast<std::size_t>(file.gcount());
    if (file.bad() || count > maxSize) {
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

bool writeContentFile(const std::string& gamePath, const std::string& content)
{
    const std::vector<std::string> all = steps(gamePath);
    if (!isConfinedGamePath(gamePath) || all.size() < 3 || all[1] != SAVE_FOLDER)
        return false;
    const std::string target = hostPath(gamePath);
    const std::string partial = target + ".tmp";
    std::ofstream file(partial, std::ios::trunc);
    file << content;
    file.close();
    if (file && std::rename(partial.c_str(), target.c_str()) == 0)
        return true;
    std::remove(partial.c_str());
    return false;
}

void reportRefusedFile(const std::string& kind, const std::string& gamePath)
{
    sf::err() << "Failed to load " << kind << " \"" << hostPath(gamePath)
              << "\". Reason: not a readable file of the game's data folder, or too large" << std::endl;
}
