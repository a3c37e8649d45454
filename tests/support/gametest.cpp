#include "support/gametest.h"

#include "resources/path.h"

#include <SFML/Audio/SoundBuffer.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

#ifndef KORVANE_SOURCE_DIR
#error "KORVANE_SOURCE_DIR must name the repository, where the generated data lives"
#endif
#ifndef KORVANE_TEST_FILES
#error "KORVANE_TEST_FILES must name the folder where encoded test pictures and sounds are kept"
#endif

namespace {

// The software OpenGL driver that runs the tests is unloaded at exit, before the leak
// check, which leaves its own allocations with no name to suppress them by. Keeping it
// loaded lets the suppressions recognise them.
void* const keepSoftwareGlLoaded =
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE | RTLD_GLOBAL);

} // namespace

void GameTest::SetUp()
{
    m_previousFolder = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
    fs::current_path(m_folder);
    fs::create_directories("data");
    m_previousBuffer = std::cout.rdbuf(m_trace.rdbuf());
}

void GameTest::TearDown()
{
    std::cout.rdbuf(m_previousBuffer);
    fs::current_path(m_previousFolder);
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

static std::string prepare(const std::string& gamePath)
{
    const fs::path host = hostPath(gamePath);
    if (host.has_parent_path())
        fs::create_directories(host.parent_path());
    return host.string();
}

namespace {

std::uint64_t fnv1a(const void* data, std::size_t size, std::uint64_t hash = 14695981039346656037ull)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

// Encoding pictures and sounds is most of what a test of the menus or of a level would
// spend setting up, and the same few dozen files serve every test. Each is encoded once,
// named after its content, into a folder of the build; a test's data tree gets a copy.
// `encode` writes the file at the path it is given and says whether it could.
template <typename Encode>
bool copyEncoded(std::uint64_t content, const std::string& gamePath, Encode encode)
{
    // The encoder follows the extension, so the kept file carries the one asked for.
    const std::string extension = fs::path(hostPath(gamePath)).extension().string();
    const fs::path folder(KORVANE_TEST_FILES);
    const fs::path kept = folder / (std::to_string(content) + extension);
    if (!fs::exists(kept)) {
        fs::create_directories(folder);
        // Beside the kept file, then renamed over it: tests running at once never see half a file.
        const fs::path writing = folder / (std::to_string(content) + "." + std::to_string(getpid()) + extension);
        if (!encode(writing.string()))
            return false;
        fs::rename(writing, kept);
    }
    fs::copy_file(kept, prepare(gamePath), fs::copy_options::overwrite_existing);
    return true;
}

} // namespace

void GameTest::writeFile(const std::string& gamePath, const std::string& content)
{
    std::ofstream file(prepare(gamePath), std::ios::binary);
    file << content;
}

void GameTest::writeImage(const std::string& gamePath, const sf::Image& image)
{
    const sf::Vector2u size = image.getSize();
    const std::uint64_t content =
        fnv1a(image.getPixelsPtr(), std::size_t(size.x) * size.y * 4, fnv1a(&size, sizeof size));
    ASSERT_TRUE(copyEncoded(content, gamePath, [&](const std::string& file) { return image.saveToFile(file); }));
}

void GameTest::writeImage(const std::string& gamePath, unsigned width, unsigned height, const sf::Color& color)
{
    sf::Image image;
    image.create(width, height, color);
    writeImage(gamePath, image);
}

void GameTest::writeSound(const std::string& gamePath, float seconds)
{
    const unsigned rate = 22050;
    std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<sf::Int16>(8000 * std::sin(i * 0.05));
    const std::uint64_t content = fnv1a(samples.data(), samples.size() * sizeof(sf::Int16));
    ASSERT_TRUE(copyEncoded(content, gamePath, [&](const std::string& file) {
        sf::SoundBuffer buffer;
        return buffer.loadFromSamples(samples.data(), samples.size(), 1, rate) && buffer.saveToFile(file);
    }));
}

std::string GameTest::readFile(const std::string& gamePath) const
{
    std::ifstream file(hostPath(gamePath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool GameTest::fileExists(const std::string& gamePath) const
{
    return fs::exists(hostPath(gamePath));
}

void GameTest::copyGameFile(const std::string& gamePath)
{
    const fs::path source = fs::path(KORVANE_SOURCE_DIR) / hostPath(gamePath);
    ASSERT_TRUE(fs::exists(source)) << source << " is generated by the build";
    fs::copy_file(source, prepare(gamePath), fs::copy_options::overwrite_existing);
}

void GameTest::linkGameData()
{
    for (const char* folder : {"maps", "graphics", "sounds", "fonts"}) {
        const fs::path source = fs::path(KORVANE_SOURCE_DIR) / "data" / folder;
        ASSERT_TRUE(fs::exists(source)) << source;
        fs::create_directory_symlink(source, fs::path("data") / folder);
    }
    for (const char* slot : {"01", "02", "03"})
        fs::create_directories(fs::path("data") / "saves" / slot);
}

std::vector<std::string> GameTest::trace() const
{
    return lines(m_trace.str());
}

std::string GameTest::traceText() const
{
    return m_trace.str();
}

bool GameTest::traced(const std::string& line) const
{
    const std::vector<std::string> all = trace();
    return std::find(all.begin(), all.end(), line) != all.end();
}

bool GameTest::tracedLines(const std::vector<std::string>& consecutive) const
{
    const std::vector<std::string> all = trace();
    return std::search(all.begin(), all.end(), consecutive.begin(), consecutive.end()) != all.end();
}

void GameTest::clearTrace()
{
    m_trace.str("");
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}
