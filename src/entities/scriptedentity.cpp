#include "entities/scriptedentity.h"

#include "core/application.h"
#include "dialogue/dialogue.h"
#include "minigames/consoleminigame.h"
#include "resources/path.h"
#include "resources/ressourcemanager.h"
#include "world/map.h"

#include <fstream>
#include <iostream>

namespace {

int nesting = 0;
// Scripts running because their own countdown ran out, not because the player did something.
int byItself = 0;

// A flag is written 0 or 1; anything else stops the reader.
bool readFlag(std::istream& fichier, bool& flag)
{
    int value = -1;
    if (!(fichier >> value) || (value != 0 && value != 1)) {
        fichier.setstate(std::ios::failbit);
        return false;
    }
    flag = value == 1;
    return true;
}

void skipLine(std::istream& fichier)
{
    std::string comment;
    std::getline(fichier, comment);
}

} // namespace

ScriptedEntity::ScriptedEntity(RessourceManager* rm, Sprite* sprite, std::string path, int x, int y)
    : Entity(rm, sprite, SpriteFilled, x, y, true, false, false, false, 0.f),
      m_path(std::move(path)),
      m_typeDeclenchement(Dont),
      m_tempsAvantDeclenchement(0.f),
      m_seRepete(false)
{
    load();
}

void ScriptedEntity::load()
{
    std::ifstream fichier(hostPath(m_path));
    if (!fichier) {
        std::cout << " *** ERROR : ERREUR CHARGEMENT SCRIPT\n    * " << m_path << std::endl;
        return;
    }
    readHeader(fichier);
}

void ScriptedEntity::readHeader(std::istream& fichier)
{
    std::string token;
    while (fichier >> token) {
        if (token == "|") {
            skipLine(fichier);
        } else if (token == "[IsSolid]") {
            if (!readFlag(fichier, m_solid))
                return;
        } else if (token == "[TypeDeclenchement]") {
            std::string type;
            if (!(fichier >> type))
                return;
            if (type == "OnMapLoading") {
                m_typeDeclenchement = AfterWait;
                m_tempsAvantDeclenchement = 0.f;
            } else if (type == "OnCollision") {
                m_typeDeclenchement = OnCollision;
            } else if (type == "OnShoot") {
                m_typeDeclenchement = OnShoot;
                // Bullets only reach shootable entities: without this, the header would never fire.
                m_shootable = true;
            } else if (type == "AfterWait") {
                float delay = 0.f;
                if (!(fichier >> delay))
                    return;
                m_typeDeclenchement = AfterWait;
                m_tempsAvantDeclenchement = delay;
            }
        }
    }
}

void ScriptedEntity::update(float t)
{
    Entity::update(t);
    if (m_typeDeclenchement != AfterWait)
        return;
    m_tempsAvantDeclenchement -= t;
    if (m_tempsAvantDeclenchement <= 0.f) {
        ++byItself;
        activate();
        --byItself;
    }
}

void ScriptedEntity::onCollision()
{
    if (m_typeDeclenchement == OnCollision)
        activate();
}

void ScriptedEntity::onShoot()
{
    if (m_typeDeclenchement == OnShoot)
        activate();
}

void ScriptedEntity::activate()
{
    if (nesting >= MAX_NESTING) {
        std::cout << " *** ERREUR : Scripts imbriques trop profondement, activation ignoree :\n    * " << m_path
                  << std::endl;
        return;
    }
    ++nesting;
    std::ifstream fichier(hostPath(m_path));
    std::cout << " -- Activation du script : " << m_path << std::endl;
    runCommands(fichier);
    if (m_seRepete)
        load();
    else
        m_typeDeclenchement = Dont;
    if (m_sprite)
        m_sprite->setEtatY(1);
    --nesting;
}

void ScriptedEntity::runCommands(std::istream& fichier)
{
    std::string token;
    while (fichier >> token) {
        if (token == "|")
            skipLine(fichier);
        else if (!runCommand(token, fichier))
            return; // an argument that is not of its type: nothing after it is trusted
    }
}

bool ScriptedEntity::runCommand(const std::string& command, std::istream& fichier)
{
    Map* map = m_RManager->getMap();
    Application& application = m_RManager->getApplication();
    int a = 0;
    int b = 0;
    bool flag = false;
    std::string path;
    if (command == "[SetPlayerPosition]") {
        if (!(fichier >> a >> b))
            return false;
        if (map)
            map->getPlayer()->setPosition(a, b);
    } else if (command == "[ShowDialogue]") {
        if (!(fichier >> path >> a))
            return false;
        showDialogue(path, a);
    } else if (command == "[SetSolid]") {
        if (!readFlag(fichier, m_solid))
            return false;
    } else if (command == "[PlayerCanShoot]") {
        if (!readFlag(fichier, flag))
            return false;
        if (map)
            map->getPlayer()->peuxTirer(flag);
    } else if (command == "[PlusOuMoins]") {
        if (!(fichier >> a))
            return false;
        application.addGameState(new PlusOuMoins(m_RManager, a));
    } else if (command == "[ActivateEntity]") {
        if (!(fichier >> a))
            return false;
        if (map)
            map->activerEntite(a);
    } else if (command == "[MasterMindCode]") {
        if (!(fichier >> a >> b))
            return false;
        application.addGameState(new MasterMind(m_RManager, a, b));
    } else if (command == "[SetEntityVisible]") {
        if (!(fichier >> a) || !readFlag(fichier, flag))
            return false;
        if (map)
            map->setEntityVisible(a, flag);
    } else if (command == "[PlayerCanToggleGravity]") {
        if (!readFlag(fichier, flag))
            return false;
        if (map)
            map->getPlayer()->canToggleGravity(flag);
    }
    return true;
}

void ScriptedEntity::showDialogue(const std::string& path, int idEntiterAActiver)
{
    Map* map = m_RManager->getMap();
    // After a restart, what the level shows by itself and the player has already read is not
    // shown again; what its end activates still happens, at the moment it would have.
    if (byItself > 0 && map && map->hasRead(path)) {
        if (idEntiterAActiver != -1)
            map->activerEntite(idEntiterAActiver);
        return;
    }
    Dialogue::open(m_RManager, path, idEntiterAActiver);
}

TypeDeclenchement ScriptedEntity::getTypeDeclenchement() const
{
    return m_typeDeclenchement;
}

float ScriptedEntity::getTempsAvantDeclenchement() const
{
    return m_tempsAvantDeclenchement;
}
