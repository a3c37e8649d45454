#include "resources/ressourcemanager.h"

#include "resources/contentfile.h"
#include "resources/random.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace {

// Music is streamed, never held whole: the limit only keeps out what is plainly no music.
const std::uintmax_t MAX_MUSIC_FILE_SIZE = 256u << 20;
// The music's own level, under the sound effects' full 100.
const float MUSIC_LEVEL = 80.f;

// Half of a cursor's texture rectangle, in whole pixels: the cursor's hot spot.
sf::Vector2i halfSize(const sf::Sprite& cursor)
{
    const sf::IntRect rect = cursor.getTextureRect();
    return {rect.width / 2, rect.height / 2};
}

} // namespace

RessourceManager::RessourceManager()
    : m_Window(nullptr),
      m_Application(nullptr),
      m_Map(nullptr),
      m_musicVolume(100),
      m_soundVolume(100)
{
    m_BGM.setLoop(true);
    m_BGM.setVolume(MUSIC_LEVEL);
    setMouseCursor("fleche");
}

RessourceManager::~RessourceManager()
{
    for (sf::Sound* sound : m_Sound)
        delete sound;
    m_Sound.clear();
    while (!m_hud_curseur.empty()) {
        m_Textures.kill(m_hud_curseur.top()->getTexture());
        delete m_hud_curseur.top();
        m_hud_curseur.pop();
    }
    m_BGM.stop();
}

void RessourceManager::setApplication(Application* application)
{
    m_Application = application;
}

Application& RessourceManager::getApplication()
{
    return *m_Application;
}

void RessourceManager::setWindow(sf::RenderWindow* window)
{
    m_Window = window;
}

sf::RenderWindow& RessourceManager::getWindow()
{
    return *m_Window;
}

void RessourceManager::setMap(Map* map)
{
    m_Map = map;
}

Map* RessourceManager::getMap()
{
    return m_Map;
}

const sf::Texture& RessourceManager::getTexture(const std::string& path)
{
    return m_Textures.get(path);
}

void RessourceManager::killTexture(const std::string& path)
{
    m_Textures.kill(path);
}

void RessourceManager::killTexture(const sf::Texture* texture)
{
    m_Textures.kill(texture);
}

const sf::Font& RessourceManager::getFont(const std::string& path)
{
    return m_Fonts.get(path);
}

void RessourceManager::playSound(std::string path)
{
    if (path == "shoot")
        path = "data\\sounds\\shoot" + std::to_string(random(0, 6)) + ".ogg";

    // Each file has one voice: a second play restarts it instead of overlapping it.
    for (sf::Sound* sound : m_Sound) {
        if (&m_SoundBuffer.get(path) == sound->getBuffer()) {
            sound->play();
            return;
        }
    }
    sf::Sound* sound = new sf::Sound(m_SoundBuffer.get(path));
    sound->setVolume(static_cast<float>(m_soundVolume));
    m_Sound.push_back(sound);
    sound->play();
}

void RessourceManager::playBGM(std::string name)
{
    const std::string path = "data\\sounds\\" + name;
    if (path != m_pathBGM) {
        if (!isReadableContentFile(path, MAX_MUSIC_FILE_SIZE)) {
            // As with a file the library cannot open: the previous music ends.
            reportRefusedFile("music", path);
            m_BGM.stop();
            m_pathBGM.clear();
            return;
        }
        m_pathBGM = path;
        m_BGM.openFromFile(confinedHostPath(path));
    }
    m_BGM.play();
}

void RessourceManager::pauseBGM()
{
    if (m_BGM.getStatus() == sf::SoundSource::Playing)
        m_BGM.pause();
}

void RessourceManager::resumeBGM()
{
    if (m_BGM.getStatus() == sf::SoundSource::Paused)
        m_BGM.play();
}

void RessourceManager::stopBGM()
{
    if (m_BGM.getStatus() == sf::SoundSource::Playing)
        m_BGM.stop();
}

sf::SoundSource::Status RessourceManager::getBGMStatus() const
{
    return m_BGM.getStatus();
}

const std::string& RessourceManager::getBGMPath() const
{
    return m_pathBGM;
}

sf::Time RessourceManager::getBGMPlayingOffset() const
{
    return m_BGM.getPlayingOffset();
}

void RessourceManager::setBGMPlayingOffset(sf::Time offset)
{
    m_BGM.setPlayingOffset(offset);
}

void RessourceManager::setMusicVolume(int percent)
{
    m_musicVolume = percent;
    m_BGM.setVolume(MUSIC_LEVEL * static_cast<float>(percent) / 100.f);
}

int RessourceManager::getMusicVolume() const
{
    return m_musicVolume;
}

void RessourceManager::setSoundVolume(int percent)
{
    m_soundVolume = percent;
    for (sf::Sound* sound : m_Sound)
        sound->setVolume(static_cast<float>(percent));
}

int RessourceManager::getSoundVolume() const
{
    return m_soundVolume;
}

float RessourceManager::getBGMVolume() const
{
    return m_BGM.getVolume();
}

const std::vector<sf::Sound*>& RessourceManager::getSounds() const
{
    return m_Sound;
}

void RessourceManager::drawCursor()
{
    m_Window->draw(*m_hud_curseur.top());
}

void RessourceManager::setMousePosition(const sf::Vector2i& position)
{
    sf::Sprite& cursor = *m_hud_curseur.top();
    const sf::Vector2i half = halfSize(cursor);
    cursor.setPosition(static_cast<float>(position.x - half.x), static_cast<float>(position.y - half.y));
}

sf::Vector2i RessourceManager::getMousePosition()
{
    const sf::Sprite& cursor = *m_hud_curseur.top();
    const sf::Vector2i half = halfSize(cursor);
    return {static_cast<int>(cursor.getPosition().x + half.x), static_cast<int>(cursor.getPosition().y + half.y)};
}

void RessourceManager::setMouseCursor(const std::string& name)
{
    const sf::Vector2i centre = m_hud_curseur.empty() ? sf::Vector2i(0, 0) : getMousePosition();
    m_hud_curseur.push(new sf::Sprite(getTexture("data\\graphics\\window\\hud\\" + name + ".png")));
    setMousePosition(centre);
}

void RessourceManager::deleteMouseCursor()
{
    if (m_hud_curseur.size() < 2)
        return;
    killTexture(m_hud_curseur.top()->getTexture());
    delete m_hud_curseur.top();
    m_hud_curseur.pop();
}

std::size_t RessourceManager::getCursorCount() const
{
    return m_hud_curseur.size();
}

Input& RessourceManager::getInput()
{
    return m_input;
}

bool RessourceManager::isKeyPressed(sf::Keyboard::Key key) const
{
    return m_input.isKeyPressed(key);
}

void RessourceManager::setWindowFocus(bool focused)
{
    m_input.setWindowFocus(focused);
}

void RessourceManager::setKeyboard(const KeyboardState* keyboard)
{
    m_input.setKeyboard(keyboard);
}
