#include "entities/scriptedentity.h"

#include "core/application.h"
#include "dialogue/dialogue.h"
#include "graphics/sprite.h"
#include "minigames/consoleminigame.h"
#include "player/player.h"
#include "resources/contentfile.h"
#include "resources/numbers.h"
#include "resources/ressourcemanager.h"
#include "resources/trace.h"
#include "world/map.h"

#include <iostream>
#include <sstream>

namespace {

// Script files are a few lines long; this is plenty for any staging.
const std::uintmax_t MAX_SCRIPT_FILE_SIZE = 64u << 10;

int nesting = 0;
// Scripts running because their own countdown ran out, not because the player did something.
int byItself = 0;

// What scripts have used of the current frame.
struct FrameAllowance
{
    int activations = 0;
    std::size_t text = 0;
    int scenes = 0;
    bool reported = false;
};
FrameAllowance frame;

void skipLine(std::istream& fichier)
{
    std::string comment;
    std::getline(fichier, comment);
}

} // namespace

ScriptedEntity::ScriptedEntity(RessourceManager* rm, Sprite* sprite, std::string path, int x, int y)
    : Entity(rm, sprite, HitboxType::SpriteFilled, x, y, EntityFlag::Solid),
      m_path(std::move(path)),
      m_typeDeclenchement(Dont),
      m_tempsAvantDeclenchement(0.f),
      m_seRepete(false)
{
    load();
}

void ScriptedEntity::startFrame()
{
    frame = FrameAllowance();
}

bool ScriptedEntity::withinFrame(bool allowed)
{
    if (!allowed && !frame.reported) {
        frame.reported = true;
        traceError("Trop de scripts dans cette image, la suite est ignoree", m_path);
    }
    return allowed;
}

bool ScriptedEntity::takeScene()
{
    if (!withinFrame(frame.scenes < MAX_SCENES_PER_FRAME))
        return false;
    ++frame.scenes;
    return true;
}

std::unique_ptr<std::istream> ScriptedEntity::openScript()
{
    std::string text;
    if (!readContentFile(m_path, MAX_SCRIPT_FILE_SIZE, text))
        return nullptr;
    frame.text += text.size();
    return std::make_unique<std::istringstream>(std::move(text));
}

void ScriptedEntity::load()
{
    if (!withinFrame(frame.text < MAX_TEXT_PER_FRAME))
        return;
    std::unique_ptr<std::istream> fichier = openScript();
    if (!fichier) {
        trace(" *** ERROR : ERREUR CHARGEMENT SCRIPT", m_path);
        return;
    }
    readHeader(*fichier);
}

void ScriptedEntity::readHeader(std::istream& fichier)
{
    m_activatedIds.clear();
    std::string token;
    while (fichier >> token) {
        if (token == "|") {
            skipLine(fichier);
        } else if (token == "[IsSolid]") {
            if (!readFlag(fichier, m_solid))
                return;
        } else if (token == "[ActivateEntity]") {
            noteActivatedId(fichier);
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
                if (!readDecimal(fichier, delay))
                    return;
                m_typeDeclenchement = AfterWait;
                m_tempsAvantDeclenchement = delay;
            }
        }
    }
}

void ScriptedEntity::noteActivatedId(std::istream& fichier)
{
    int id = 0;
    if (fichier >> id)
        m_activatedIds.push_back(id);
    else
        fichier.clear(); // the command reader stops at this word; the header reads on
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
        traceError("Scripts imbriques trop profondement, activation ignoree", m_path);
        return;
    }
    if (!withinFrame(frame.activations < MAX_ACTIVATIONS_PER_FRAME && frame.text < MAX_TEXT_PER_FRAME))
        return;
    ++frame.activations;
    ++nesting;
    std::unique_ptr<std::istream> fichier = openScript();
    std::cout << " -- Activation du script : " << m_path << std::endl;
    if (fichier)
        runCommands(*fichier);
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
        if (!readPosition(fichier, a) || !readPosition(fichier, b))
            return false;
        if (map)
            map->getPlayer()->setPosition(a, b);
    } else if (command == "[ShowDialogue]") {
        if (!(fichier >> path) || !readInteger(fichier, a))
            return false;
        if (takeScene())
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
        if (!readInteger(fichier, a))
            return false;
        if (takeScene())
            application.addGameState(new PlusOuMoins(m_RManager, a));
    } else if (command == "[ActivateEntity]") {
        if (!readInteger(fichier, a))
            return false;
        if (map)
            map->activerEntite(a);
    } else if (command == "[MasterMindCode]") {
        if (!readInteger(fichier, a) || !readInteger(fichier, b))
            return false;
        if (takeScene())
            application.addGameState(new MasterMind(m_RManager, a, b));
    } else if (command == "[SetEntityVisible]") {
        if (!readInteger(fichier, a) || !readFlag(fichier, flag))
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
        if (idEntiterAActiver != NO_ENTITY)
            map->activerEntite(idEntiterAActiver);
        return;
    }
    Dialogue::open(m_RManager, path, idEntiterAActiver);
}

TypeDeclenchement ScriptedEntity::getTypeDeclenchement() const
{
    return m_typeDeclenchement;
}

const std::vector<int>& ScriptedEntity::getActivatedIds() const
{
    return m_activatedIds;
}

float ScriptedEntity::getTempsAvantDeclenchement() const
{
    return m_tempsAvantDeclenchement;
}
