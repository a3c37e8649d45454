// Reading map files: the sections of a level and the pictures they describe.
#include "entities/mapentity.h"
#include "entities/scriptedentity.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "resources/path.h"
#include "resources/ressourcemanager.h"
#include "world/map.h"

#include <fstream>
#include <iostream>

void Map::load(std::string path)
{
    std::cout << " -- Chargement de la map : " << path << std::endl;
    std::ifstream fichier(hostPath(path));
    if (!fichier) {
        std::cout << " *** ERREUR : Echec de l'ouverture de la map :\n    * " << path << std::endl;
        return;
    }
    read(fichier, path);
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
        if (fichier.fail()) {
            // A field that holds no number (or a file cut short): nothing after it can be trusted.
            std::cout << " *** ERREUR : Valeur illisible dans la map :\n    * " << path << std::endl;
            return;
        }
    }
}

void Map::readSection(const std::string& keyword, std::istream& fichier)
{
    int id = 0;
    int x = 0;
    int y = 0;
    if (keyword == "[Background]") {
        setBackground(loadSprite(fichier));
    } else if (keyword == "[BGM]") {
        std::string name;
        if (fichier >> name)
            m_RManager->playBGM(name);
    } else if (keyword == "[GroundEntity]") {
        fichier >> id >> x >> y;
        Sprite* picture = fichier ? loadSprite(fichier) : nullptr;
        std::string hitbox;
        fichier >> hitbox;
        if (!fichier)
            return discard(picture);
        addEntity(id,
                  new GroundEntity(m_RManager, picture, hitbox == "HitboxSpriteFilled" ? SpriteFilled : None, x, y));
    } else if (keyword == "[PicEntity]" || keyword == "[DoorEntity]" || keyword == "[InversedDoorEntity]" ||
               keyword == "[DecorationEntity]") {
        fichier >> id >> x >> y;
        Sprite* picture = fichier ? loadSprite(fichier) : nullptr;
        if (!fichier)
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
        fichier >> id >> x >> y >> destinationId >> delay;
        Sprite* picture = fichier ? loadSprite(fichier) : nullptr;
        if (!fichier)
            return discard(picture);
        Entity* destination = findDestination(destinationId);
        if (keyword == "[ActivableTrigger]")
            addEntity(id, new ActivableTrigger(m_RManager, picture, destination, x, y, delay));
        else if (keyword == "[TimerActivableTrigger]")
            addEntity(id, new TimerActivableTrigger(m_RManager, picture, destination, x, y, delay));
        else
            addEntity(id, new TimerShootableTrigger(m_RManager, picture, destination, x, y, delay));
    } else if (keyword == "[CurrentLevelVortex]") {
        if (fichier >> id >> x >> y)
            addEntity(id, new CurrentLevelVortex(m_RManager, x, y));
    } else if (keyword == "[ScriptedEntity]") {
        std::string script;
        fichier >> id >> x >> y >> script;
        Sprite* picture = fichier ? loadSprite(fichier) : nullptr;
        if (!fichier)
            return discard(picture);
        addEntity(id, new ScriptedEntity(m_RManager, picture, script, x, y));
    } else if (keyword == "[NextLevelVortex]") {
        std::string next;
        if (fichier >> id >> x >> y >> next)
            addEntity(id, new NextLevelVortex(m_RManager, next, x, y));
    }
}

Entity* Map::findDestination(int id)
{
    Entity* destination = getEntity(id);
    if (!destination)
        std::cout << " *** ERROR : Trigger destination dont exist !\n    * destID : " << id << std::endl;
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
        if (fichier >> file >> vBas >> vGauche)
            return new RepeatedSprite(m_RManager->getTexture(m_pathGraphics + file), vBas, vGauche);
    } else if (kind == "AnimatedSprite") {
        int nbEtatX = 0;
        int nbEtatY = 0;
        float tpsEntreImages = 0.f;
        bool changeEtatYToutSeul = false;
        if (fichier >> file >> nbEtatX >> nbEtatY >> tpsEntreImages >> changeEtatYToutSeul)
            return new AnimatedSprite(m_RManager->getTexture(m_pathGraphics + file), nbEtatX, nbEtatY, tpsEntreImages,
                                      changeEtatYToutSeul);
    } else if (fichier) {
        std::cout << " *** ERREUR : Chargement du sprite " << m_pathGraphics << std::endl;
    }
    return nullptr;
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
