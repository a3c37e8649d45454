// Content generator: draws and synthesises every picture and sound of the game
// into the `data` folder of the given root. Deterministic: the same build writes
// the same files. Needs the fonts copied into data/fonts first (the build does it).
#include "assetgen.h"
#include "resources/path.h"

#include <filesystem>
#include <iostream>

Output::Output(std::string root) : m_root(std::move(root))
{
}

std::string Output::prepare(const std::string& gamePath)
{
    const std::filesystem::path host = std::filesystem::path(m_root) / hostPath(gamePath);
    std::filesystem::create_directories(host.parent_path());
    return host.string();
}

void Output::save(const sf::Image& image, const std::string& gamePath)
{
    report(image.saveToFile(prepare(gamePath)), gamePath);
}

void Output::save(const sf::SoundBuffer& sound, const std::string& gamePath)
{
    report(sound.saveToFile(prepare(gamePath)), gamePath);
}

void Output::report(bool written, const std::string& gamePath)
{
    if (!written) {
        std::cerr << "assetgen: could not write " << gamePath << std::endl;
        ++m_failures;
    }
}

int Output::failures() const
{
    return m_failures;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: assetgen <folder holding data>" << std::endl;
        return 2;
    }
    Output out(argv[1]);
    generatePictures(out);
    generateSounds(out);
    return out.failures() == 0 ? 0 : 1;
}
