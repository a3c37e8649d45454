#pragma once

#include "input/input.h"
#include "resources/manager_font.h"
#include "resources/manager_soundbuffer.h"
#include "resources/manager_texture.h"

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/SoundSource.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstddef>
#include <stack>
#include <string>
#include <vector>

class Application;
class Map;
class KeyboardState;
namespace sf {
class Font;
class RenderWindow;
class Sound;
class Sprite;
class Texture;
} // namespace sf

// The one service object: resource caches, sound effects, the background music,
// the software cursor and the links to the application, its window and the level.
class RessourceManager
{
public:
    RessourceManager();
    RessourceManager(const RessourceManager&) = delete;
    RessourceManager& operator=(const RessourceManager&) = delete;
    ~RessourceManager();

    void setApplication(Application* application);
    Application& getApplication();
    void setWindow(sf::RenderWindow* window);
    sf::RenderWindow& getWindow();
    void setMap(Map* map);
    Map* getMap();

    const sf::Texture& getTexture(const std::string& path);
    void killTexture(const std::string& path);
    void killTexture(const sf::Texture* texture);
    const sf::Font& getFont(const std::string& path);

    void playSound(std::string path);
    void playBGM(std::string name);
    void pauseBGM();
    void resumeBGM();
    void stopBGM();
    sf::SoundSource::Status getBGMStatus() const;
    const std::string& getBGMPath() const;
    sf::Time getBGMPlayingOffset() const;
    // Moves the music on, as if it had played until then.
    void setBGMPlayingOffset(sf::Time offset);
    // The player's volumes, in percent of each sound's own level.
    void setMusicVolume(int percent);
    int getMusicVolume() const;
    void setSoundVolume(int percent);
    int getSoundVolume() const;
    float getBGMVolume() const;
    // Every sound effect played so far, one per file.
    const std::vector<sf::Sound*>& getSounds() const;

    void drawCursor();
    void setMousePosition(const sf::Vector2i& position);
    sf::Vector2i getMousePosition();
    void setMouseCursor(const std::string& name);
    void deleteMouseCursor();
    std::size_t getCursorCount() const;

    // Keys, buttons and sticks as the game's actions (the input layer's own seams).
    Input& getInput();
    // Real-time key state, read only while the game window has the focus, so that
    // keys typed into another window never move the character.
    bool isKeyPressed(sf::Keyboard::Key key) const;
    void setKeyboard(const KeyboardState* keyboard);
    // Kept up to date from the window's focus events, so no key read has to ask the system.
    void setWindowFocus(bool focused);

private:
    std::string m_pathBGM;
    sf::RenderWindow* m_Window;
    std::vector<sf::Sound*> m_Sound;
    sf::Music m_BGM;
    std::stack<sf::Sprite*> m_hud_curseur;
    Application* m_Application;
    Map* m_Map;
    Manager_Texture m_Textures;
    Manager_Font m_Fonts;
    Manager_SoundBuffer m_SoundBuffer;
    Input m_input;
    int m_musicVolume;
    int m_soundVolume;
};
