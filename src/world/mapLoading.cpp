// Reading map files: the sections of a level and the pictures they describe.
#include "entities/mapentity.h"
#include "entities/scriptedentity.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "graphics/sprite.h"
#include "resources/contentfile.h"
#include "resources/numbers.h"
#include "resources/ressourcemanager.h"
#include "resources/trace.h"
#include "world/map.h"

#include <iostream>

namespace {

// The three fields every placed entity starts with.
bool readPlace(std::istream& fichier, int& id, int& x, int& y)
{
    return readInteger(fichier, id) && readPosition(fichier, x) && readPosition(fichier, y);
}

} // namespace

std::string Map::mapFile(const std::string& mapName)
{
    return "data\\maps\\" + mapName + "\\" + mapName + ".zi";
}

bool Map::canOpen(const std::string& mapName)
{
    return isReadableContentFile(mapFile(mapName), MAX_TEXT_FILE_SIZE);
}

void Map::traceUnopened(const std::string& path)
{
    traceError("Echec de l'ouverture de la map", path);
}

void Map::load(std::string path)
{
    load(path, openContentFile(path));
}

void Map::load(const std::string& path, std::unique_ptr<std::istream> fichier)
{
    std::cout << " -- Chargement de la map : " << path << std::endl;
    if (!fichier)
        return traceUnopened(path);
    read(*fichier, path);
}

void Map::read(std::istream& fichier, const std::string& path)
{
    std::string word;
    while (fichier >> word) {
        if (word == "|") {
            std::string comment;
            std::getline(fichier, comment);
            continue;
        }
        readSection(word, fichier);
        if (isUnreadable(fichier)) {
            // A field that holds no number, or none that fits: nothing after it can be trusted.
            traceError("Valeur illisible dans la map", path);
            return;
        }
    }
}

// A file that ends inside a section still builds what the section has said so far: a
// missing picture is reported and the entity has none, a missing hitbox word is `None`.
// Only an entity whose id or place is missing is not built.
void Map::readSection(const std::string& keyword, std::istream& fichier)
{
    int id = 0;
    int x = 0;
    int y = 0;
    if (keyword == "[Background]") {
        Sprite* picture = loadSprite(fichier);
        if (isUnreadable(fichier))
            return discard(picture);
        setBackground(picture);
    } else if (keyword == "[BGM]") {
        std::string name;
        if (fichier >> name)
            m_RManager->playBGM(name);
    } else if (keyword == "[GroundEntity]") {
        if (!readPlace(fichier, id, x, y))
            return;
        Sprite* picture = loadSprite(fichier);
        if (isUnreadable(fichier))
            return discard(picture);
        std::string hitbox;
        fichier >> hitbox;
        addEntity(id,
                  new GroundEntity(m_RManager, picture,
                                   hitbox == "HitboxSpriteFilled" ? HitboxType::SpriteFilled : HitboxType::None, x, y));
    } else if (keyword == "[PicEntity]" || keyword == "[DoorEntity]" || keyword == "[InversedDoorEntity]" ||
               keyword == "[DecorationEntity]") {
        if (!readPlace(fichier, id, x, y))
            return;
        Sprite* picture = loadSprite(fichier);
        if (isUnreadable(fichier))
            return discard(picture);
        if (keyword == "[PicEntity]")
            addEntity(id, new PicEntity(m_RManager, picture, x, y));
        else if (keyword == "[DecorationEntity]")
            addEntity(id, new DecorationEntity(m_RManager, picture, x, y));
        else
            addEntity(id, new DoorEntity(m_RManager, picture, x, y));
        if (keyword == "[InversedDoorEntity]")
            m_Entity[id]->activate(); // whichever entity holds the id: an inversed door starts open
    } else if (keyword == "[ActivableTrigger]" || keyword == "[TimerActivableTrigger]" ||
               keyword == "[TimerShootableTrigger]") {
        int destinationId = 0;
        float delay = 0.f;
        if (!readPlace(fichier, id, x, y) || !readInteger(fichier, destinationId) || !readDecimal(fichier, delay))
            return;
        Sprite* picture = loadSprite(fichier);
        if (isUnreadable(fichier))
            return discard(picture);
        Entity* destination = findDestination(destinationId);
        if (keyword == "[ActivableTrigger]")
            addEntity(id, new ActivableTrigger(m_RManager, picture, destination, x, y, delay));
        else if (keyword == "[TimerActivableTrigger]")
            addEntity(id, new TimerActivableTrigger(m_RManager, picture, destination, x, y, delay));
        else
            addEntity(id, new TimerShootableTrigger(m_RManager, picture, destination, x, y, delay));
    } else if (keyword == "[CurrentLevelVortex]") {
        if (readPlace(fichier, id, x, y))
            addEntity(id, new CurrentLevelVortex(m_RManager, x, y));
    } else if (keyword == "[ScriptedEntity]") {
        std::string script;
        if (!readPlace(fichier, id, x, y) || !(fichier >> script))
            return;
        Sprite* picture = loadSprite(fichier);
        if (isUnreadable(fichier))
            return discard(picture);
        addEntity(id, new ScriptedEntity(m_RManager, picture, script, x, y));
    } else if (keyword == "[NextLevelVortex]") {
        std::string next;
        if (readPlace(fichier, id, x, y) && fichier >> next)
            addEntity(id, new NextLevelVortex(m_RManager, next, x, y));
    }
}

Entity* Map::findDestination(int id)
{
    Entity* destination = getEntity(id);
    if (!destination)
        trace(" *** ERROR : Trigger destination dont exist !", "destID : " + std::to_string(id));
    return destination;
}

Sprite* Map::loadSprite(std::istream& fichier)
{
    std::string kind;
    std::string file;
    fichier >> kind;
    if (kind == "Sprite") {
        if (fichier >> file)
            return new Sprite(m_RManager->getTexture(m_pathGraphics + file));
    } else if (kind == "RepeatedSprite") {
        float vBas = 0.f;
        float vGauche = 0.f;
        if (fichier >> file && readDecimal(fichier, vBas) && readDecimal(fichier, vGauche))
            return new RepeatedSprite(m_RManager->getTexture(m_pathGraphics + file), vBas, vGauche);
    } else if (kind == "AnimatedSprite") {
        int nbEtatX = 0;
        int nbEtatY = 0;
        float tpsEntreImages = 0.f;
        bool changeEtatYToutSeul = false;
        if (fichier >> file && readInteger(fichier, nbEtatX) && readInteger(fichier, nbEtatY) &&
            readDecimal(fichier, tpsEntreImages) && readFlag(fichier, changeEtatYToutSeul))
            return loadSheet(m_pathGraphics + file, nbEtatX, nbEtatY, tpsEntreImages, changeEtatYToutSeul, fichier);
    }
    // An unknown kind, or a picture cut short by the end of the file; a value that is no
    // number is the reader's to report.
    if (!isUnreadable(fichier))
        std::cout << " *** ERREUR : Chargement du sprite " << m_pathGraphics << std::endl;
    return nullptr;
}

Sprite* Map::loadSheet(const std::string& path, int nbEtatX, int nbEtatY, float tpsEntreImages,
                       bool changeEtatYToutSeul, std::istream& fichier)
{
    const sf::Texture& texture = m_RManager->getTexture(path);
    // More frames than pixels cannot be a sheet of this picture (a missing picture has no
    // size to compare with: it shows nothing whatever the count).
    const sf::Vector2u size = texture.getSize();
    if ((size.x > 0 && nbEtatX > static_cast<int>(size.x)) || (size.y > 0 && nbEtatY > static_cast<int>(size.y))) {
        m_RManager->killTexture(&texture);
        markUnreadable(fichier);
        return nullptr;
    }
    return new AnimatedSprite(texture, nbEtatX, nbEtatY, tpsEntreImages, changeEtatYToutSeul);
}

void Map::setBackground(Sprite* background)
{
    discard(m_background);
    m_background = background;
}

void Map::discard(Sprite* sprite)
{
    if (!sprite)
        return;
    m_RManager->killTexture(sprite->getTexture());
    delete sprite;
}

void Map::addEntity(int id, Entity* entity)
{
    if (!m_Entity.emplace(id, entity).second)
        delete entity;
}
