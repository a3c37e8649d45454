#pragma once

#include "core/gamestate.h"
#include "world/cues.h"

#include <SFML/Window/Keyboard.hpp>

#include <istream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class AuthorOverlay;
class Bullet;
class Entity;
class Player;
class Sprite;

// The level being played: its entities by id, the bullets in flight and the player.
class Map : public GameState
{
public:
    // Takes ownership of the player (null: a fresh one), who stays with the level across map changes.
    Map(RessourceManager* rm, std::string mapName, std::string pathSave, Player* player);
    ~Map() override;

    bool event(const sf::Event& event) override;
    void update(float t) override;
    void draw() override;

    void changeMap(std::string mapName);
    Player* getPlayer() const;
    std::string getMapName() const;
    const std::string& getPathSave() const;
    void activerEntite(int id);
    void setEntityVisible(int id, bool visible);
    // The level owns the bullet from now on.
    void addBullet(Bullet* bullet);
    void save();
    // The exit touched in this update; the level leaves through it once the update is
    // over, unless the character died in it.
    void requestExit(const std::string& nextLevelName);
    // Dialogues read to their end during this visit of the map (a restart keeps them).
    bool hasRead(const std::string& dialogue) const;
    void markRead(const std::string& dialogue);

    // Reads the map file at a game path; then the level holds what it describes.
    void load(std::string path);
    // The game path of the file of the map called `mapName`.
    static std::string mapFile(const std::string& mapName);
    // True when that map's file would be read (nothing is said either way).
    static bool canOpen(const std::string& mapName);
    // What the reader says of a map file it cannot open.
    static void traceUnopened(const std::string& path);
    // False until a map file could be opened: a level that never had a map is not played.
    bool hasMap() const;
    // Reads one picture description; null when its kind word is unknown. The caller owns it.
    Sprite* loadSprite(std::istream& fichier);
    // Reads a map from any stream into the level, as load() reads its file; `path` names
    // it in the trace. The level checker reads through a stream that counts lines.
    void read(std::istream& fichier, const std::string& path);
    // Empties the level: background, bullets and entities.
    void clear();

    // Takes ownership: stores the entity under its id, or deletes it when the id is taken
    // (the first one stored under an id keeps it).
    void addEntity(int id, Entity* entity);
    Entity* getEntity(int id) const;
    const std::map<int, Entity*>& getEntities() const;
    Sprite* getBackground();
    // The activable entities the character touches, by ascending id: what E activates.
    std::vector<Entity*> touchedActivables() const;
    // True while the level is the top state, the one that receives the keys.
    bool takesInput() const;
    const std::vector<Bullet*>& getBullets() const;

    // A frame longer than this is played as this long, so that a stall never lets
    // the character pass through a floor.
    static constexpr float MAX_STEP = 0.05f;

private:
    // Reads an opened map file (null: it could not be opened).
    void load(const std::string& path, std::unique_ptr<std::istream> fichier);
    void readSection(const std::string& keyword, std::istream& fichier);
    Sprite* loadSheet(const std::string& path, int nbEtatX, int nbEtatY, float tpsEntreImages, bool changeEtatYToutSeul,
                      std::istream& fichier);
    // Takes ownership, releasing the background shown until now.
    void setBackground(Sprite* background);
    void discard(Sprite* sprite);
    void collide(Entity& entity);
    void routeBullets(Entity& entity);
    void dropLostBullets();
    Entity* findDestination(int id);
    // F5 restarts the map, F6 and F7 open the test puzzle and dialogue.
    void developerKey(sf::Keyboard::Key key);
    void activateTouched(const sf::Event& event);
    bool isTouchedActivable(const Entity& entity) const;
    void toggleAuthorOverlay();
    void leaveThroughExit();

    std::string m_pathGraphics;
    std::string m_mapName;
    std::string m_pathSave;
    Sprite* m_background;            // owned
    Player* m_player;                // owned
    std::map<int, Entity*> m_Entity; // owned
    std::vector<Bullet*> m_Bullet;   // owned
    LevelCues m_cues;
    // F3: built the first time an author asks for it, drawn over everything while shown.
    std::unique_ptr<AuthorOverlay> m_authorOverlay;
    bool m_showAuthorOverlay = false;
    std::string m_sortie;
    std::set<std::string> m_dialoguesLus;
};
