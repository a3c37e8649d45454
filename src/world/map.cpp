#include "world/map.h"

#include "core/application.h"
#include "core/gamesize.h"
#include "dialogue/dialogue.h"
#include "entities/bullet.h"
#include "entities/scriptedentity.h"
#include "graphics/sprite.h"
#include "menus/collisions.h"
#include "menus/pausemenu.h"
#include "menus/screen.h"
#include "minigames/consoleminigame.h"
#include "player/player.h"
#include "resources/atomicfile.h"
#include "resources/contentfile.h"
#include "resources/ressourcemanager.h"
#include "resources/savefile.h"
#include "resources/trace.h"
#include "world/authoroverlay.h"
#include "world/campaign.h"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <iostream>
#include <sstream>

Map::Map(RessourceManager* rm, std::string mapName, std::string pathSave, Player* player)
    : GameState(rm, true, true),
      m_pathSave(std::move(pathSave)),
      m_background(nullptr),
      m_player(player),
      m_cues(rm)
{
    m_RManager->setMap(this);
    if (!m_player)
        m_player = new Player(m_RManager);
    changeMap(std::move(mapName));
}

Map::~Map()
{
    save();
    clear();
    delete m_player;
    m_RManager->stopBGM();
    m_RManager->setMap(nullptr);
}

void Map::clear()
{
    discard(m_background);
    m_background = nullptr;
    for (Bullet* bullet : m_Bullet)
        delete bullet;
    m_Bullet.clear();
    for (auto& entry : m_Entity)
        delete entry.second;
    m_Entity.clear();
}

void Map::changeMap(std::string mapName)
{
    const std::string path = mapFile(mapName);
    std::unique_ptr<std::istream> fichier = openContentFile(path);
    if (!fichier) {
        // Said as the reader says it, and nothing else happens: the player stays on the
        // map being played, and the save never names a map that cannot be opened.
        return load(path, nullptr);
    }
    Application& application = m_RManager->getApplication();
    application.pauseTime();
    const bool restart = mapName == m_mapName;
    if (!restart)
        save();
    m_mapName = mapName;
    m_pathGraphics = "data\\graphics\\map\\" + mapName + "\\";
    clear();
    m_player->setSol(nullptr);
    m_player->resetMovement();
    if (restart) {
        m_player->restoreEntry();
    } else {
        // A new visit: the character as it is now is what a restart will bring back,
        // and nothing of this map has been read yet.
        m_player->markEntry();
        m_dialoguesLus.clear();
    }
    load(path, std::move(fichier));
    application.resumeTime();
}

bool Map::hasMap() const
{
    return !m_mapName.empty();
}

void Map::update(float t)
{
    // Whoever steps the level (the frame loop, the level checker) starts a frame for its scripts.
    ScriptedEntity::startFrame();
    t = std::min(t, MAX_STEP);
    if (m_background)
        m_background->update(t);
    for (auto& entry : m_Entity)
        entry.second->update(t);
    for (Bullet* bullet : m_Bullet)
        bullet->update(t);
    m_player->update(t);
    m_cues.update(t);
    for (auto& entry : m_Entity) {
        collide(*entry.second);
        if (entry.second->isSolid() || entry.second->isShootable())
            routeBullets(*entry.second);
    }
    dropLostBullets();
    leaveThroughExit();
}

void Map::requestExit(const std::string& nextLevelName)
{
    if (m_sortie.empty())
        m_sortie = nextLevelName;
}

void Map::leaveThroughExit()
{
    const std::string next = std::move(m_sortie);
    m_sortie.clear();
    // Death in the same update wins: a dead character goes through no exit.
    if (next.empty() || m_player->getVie() <= 0)
        return;
    Application& application = m_RManager->getApplication();
    if (next == CAMPAIGN_END)
        application.addGameState(new ScreenFin(m_RManager));
    else
        application.addGameState(new MapInterlude(m_RManager, next));
}

void Map::routeBullets(Entity& entity)
{
    const sf::FloatRect box = entity.getHitbox();
    for (auto bullet = m_Bullet.begin(); bullet != m_Bullet.end();) {
        if (!box.contains((*bullet)->getPosition())) {
            ++bullet;
            continue;
        }
        if (entity.isShootable())
            entity.onShoot();
        delete *bullet;
        bullet = m_Bullet.erase(bullet);
    }
}

void Map::dropLostBullets()
{
    // Bullets fly straight: once outside everything that could stop them, and
    // flying away from it, they are gone for good.
    sf::FloatRect area(0, 0, GAME_WIDTH, GAME_HEIGHT);
    for (auto& entry : m_Entity) {
        const sf::FloatRect box = entry.second->getHitbox();
        const float right = std::max(area.left + area.width, box.left + box.width);
        const float bottom = std::max(area.top + area.height, box.top + box.height);
        area.left = std::min(area.left, box.left);
        area.top = std::min(area.top, box.top);
        area.width = right - area.left;
        area.height = bottom - area.top;
    }
    const auto lost = std::remove_if(m_Bullet.begin(), m_Bullet.end(), [&area](Bullet* bullet) {
        if (!bullet->hasLeft(area))
            return false;
        delete bullet;
        return true;
    });
    m_Bullet.erase(lost, m_Bullet.end());
}

void Map::collide(Entity& entity)
{
    const sf::FloatRect player = m_player->getHitbox();
    sf::FloatRect overlap;
    if (!player.intersects(entity.getHitbox(), overlap)) {
        // Standing on spikes touches them without overlapping them.
        if (m_player->getSol() == &entity && entity.isDeadly())
            m_player->takeDamage(entity.getDamage());
        return;
    }
    if (!entity.isSolid())
        return;

    if (overlap.width > overlap.height) {
        if (overlap.top == player.top) {
            m_player->move(0, overlap.height);
            m_player->setAccelV(0);
            if (!m_player->isGravityNormal())
                m_player->setSol(&entity);
        } else {
            m_player->move(0, -overlap.height);
            if (m_player->isGravityNormal())
                m_player->setSol(&entity);
        }
    } else if (overlap.height > overlap.width) {
        m_player->move(overlap.left == player.left ? overlap.width : -overlap.width, 0);
        m_player->setAccel(0);
    }
    if (entity.isDeadly())
        m_player->takeDamage(entity.getDamage());
    entity.onCollision();
}

bool Map::event(const sf::Event& event)
{
    const Input& input = m_RManager->getInput();
    if (event.type == sf::Event::KeyReleased)
        developerKey(event.key.code);
    if (input.released(event, Action::Pause)) {
        m_RManager->getApplication().addGameState(new PauseMenu(m_RManager));
    } else if (input.pressed(event, Action::Activate)) {
        activateTouched(event);
    } else if (event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Right) {
        activateTouched(event);
    }
    m_player->event(event);
    return m_modal;
}

void Map::developerKey(sf::Keyboard::Key key)
{
    if (key == sf::Keyboard::F5)
        changeMap(m_mapName);
    else if (key == sf::Keyboard::F6)
        m_RManager->getApplication().addGameState(new PlusOuMoins(m_RManager, 3));
    else if (key == sf::Keyboard::F7)
        Dialogue::open(m_RManager, "data\\maps\\test\\dialogue\\test.dia", NO_ENTITY);
    else if (key == sf::Keyboard::F3)
        toggleAuthorOverlay();
}

void Map::activateTouched(const sf::Event& event)
{
    const bool byPointer = event.type == sf::Event::MouseButtonReleased;
    for (auto& entry : m_Entity) {
        Entity& entity = *entry.second;
        if (!isTouchedActivable(entity))
            continue;
        if (byPointer && (!entity.hasSprite() ||
                          !collisionSourisSprite(event.mouseButton.x, event.mouseButton.y, entity.getSprite())))
            continue;
        entity.activate();
    }
}

bool Map::isTouchedActivable(const Entity& entity) const
{
    return entity.isActivable() && m_player->getHitbox().intersects(entity.getHitbox());
}

std::vector<Entity*> Map::touchedActivables() const
{
    std::vector<Entity*> touched;
    for (const auto& entry : m_Entity)
        if (isTouchedActivable(*entry.second))
            touched.push_back(entry.second);
    return touched;
}

bool Map::takesInput() const
{
    const Application& application = m_RManager->getApplication();
    return application.getState(application.getStateCount() - 1) == this;
}

void Map::draw()
{
    if (m_background)
        m_RManager->getWindow().draw(*m_background);
    for (auto& entry : m_Entity)
        entry.second->draw();
    for (Bullet* bullet : m_Bullet)
        bullet->draw();
    m_cues.draw(*this, takesInput());
    m_player->draw();
    if (m_showAuthorOverlay)
        m_authorOverlay->draw(*this);
}

void Map::toggleAuthorOverlay()
{
    if (!m_authorOverlay)
        m_authorOverlay = std::make_unique<AuthorOverlay>(m_RManager);
    m_showAuthorOverlay = !m_showAuthorOverlay;
}

Player* Map::getPlayer() const
{
    return m_player;
}

std::string Map::getMapName() const
{
    return m_mapName;
}

const std::string& Map::getPathSave() const
{
    return m_pathSave;
}

void Map::activerEntite(int id)
{
    const auto found = m_Entity.find(id);
    if (found == m_Entity.end()) {
        trace(" -*- ERROR : Activation de l'entite impossible", "Entite : " + std::to_string(id) + " n'existe pas");
        return;
    }
    found->second->activate();
}

bool Map::hasRead(const std::string& dialogue) const
{
    return m_dialoguesLus.count(dialogue) != 0;
}

void Map::markRead(const std::string& dialogue)
{
    m_dialoguesLus.insert(dialogue);
}

void Map::setEntityVisible(int id, bool visible)
{
    const auto found = m_Entity.find(id);
    if (found != m_Entity.end())
        found->second->setVisible(visible);
}

void Map::addBullet(Bullet* bullet)
{
    m_Bullet.push_back(bullet);
}

void Map::save()
{
    // The first map of a game is not named yet: a save now could not be read back.
    if (m_mapName.empty())
        return;
    const bool written = writeAtomically(m_pathSave, [this](std::ostream& file) {
        writeMapSection(file, m_mapName);
        m_player->save(file);
    });
    if (!written)
        traceError("Echec de l'ecriture de la sauvegarde", m_pathSave);
}

Entity* Map::getEntity(int id) const
{
    const auto found = m_Entity.find(id);
    return found == m_Entity.end() ? nullptr : found->second;
}

const std::map<int, Entity*>& Map::getEntities() const
{
    return m_Entity;
}

Sprite* Map::getBackground()
{
    return m_background;
}

const std::vector<Bullet*>& Map::getBullets() const
{
    return m_Bullet;
}
