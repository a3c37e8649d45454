#pragma once

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>

#include <string>

// Where the generator writes: `root` is the folder that holds `data`. Files are
// named by their game path (backslash separators), exactly as the game loads them.
class Output
{
public:
    explicit Output(std::string root);

    void save(const sf::Image& image, const std::string& gamePath);
    void save(const sf::SoundBuffer& sound, const std::string& gamePath);
    // Host path of a game path under the root, its folders created.
    std::string prepare(const std::string& gamePath);
    int failures() const;

private:
    void report(bool written, const std::string& gamePath);

    std::string m_root;
    int m_failures = 0;
};

// Every picture of the game (menus, HUD, cursors, characters, map tiles, icons).
void generatePictures(Output& out);
// Every sound effect and music loop of the game.
void generateSounds(Output& out);
