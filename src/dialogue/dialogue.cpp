#include "dialogue/dialogue.h"

#include "core/application.h"
#include "core/gamesize.h"
#include "entities/entity.h"
#include "graphics/sprite.h"
#include "menus/collisions.h"
#include "menus/pausemenu.h"
#include "minigames/consoleminigame.h"
#include "player/player.h"
#include "resources/contentfile.h"
#include "resources/numbers.h"
#include "resources/ressourcemanager.h"
#include "resources/text.h"
#include "resources/trace.h"
#include "world/map.h"

#include <SFML/Window/Event.hpp>

#include <iostream>

namespace {

// A bubble's position word that puts it in the middle of the game's picture.
const int CENTRED = -1;
// The speaker before the first bubble, and after the last.
const int NO_ACTOR = -1;

// Colour values keep their low eight bits: 256 is 0, 300 is 44.
sf::Color colour(int r, int g, int b)
{
    return sf::Color(static_cast<sf::Uint8>(r & 0xFF), static_cast<sf::Uint8>(g & 0xFF),
                     static_cast<sf::Uint8>(b & 0xFF), 255);
}

} // namespace

Actor::Actor(RessourceManager* rm, std::string nom, std::string background, sf::Color couleur)
    : m_backgroundName(std::move(background)),
      m_RManager(rm)
{
    m_nom.setFont(m_RManager->getFont("data\\fonts\\korvane.ttf"));
    m_nom.setCharacterSize(18);
    m_nom.setString(toDisplayString(nom));
    m_nom.setFillColor(couleur);
    m_avatar.setTexture(m_RManager->getTexture("data\\graphics\\actor\\" + nom + ".png"));
    m_background.setTexture(m_RManager->getTexture("data\\graphics\\window\\dialogue\\" + m_backgroundName + ".png"));
}

Actor::~Actor()
{
    m_RManager->killTexture(m_avatar.getTexture());
    m_RManager->killTexture(m_background.getTexture());
}

void Actor::setPosition(int x, int y)
{
    // The bubble with an arrow on its left starts further left, its arrow outside the bubble.
    const int shift = m_backgroundName == "backgroundFlecheG" ? 23 : 0;
    m_background.setPosition(static_cast<float>(x - shift), static_cast<float>(y));
    m_avatar.setPosition(static_cast<float>(x + 1), static_cast<float>(y + 1));
    m_nom.setPosition(static_cast<float>(x + 106), static_cast<float>(y + 1));
}

void Actor::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_background);
    window.draw(m_avatar);
    window.draw(m_nom);
}

const sf::Sprite& Actor::getBackground() const
{
    return m_background;
}

const sf::Sprite& Actor::getAvatar() const
{
    return m_avatar;
}

const sf::Text& Actor::getName() const
{
    return m_nom;
}

Dialogue::Dialogue(RessourceManager* rm, std::string path, int idEntiterAActiver)
    : Dialogue(rm, openContentFile(path), path, idEntiterAActiver)
{
}

Dialogue::Dialogue(RessourceManager* rm, std::unique_ptr<std::istream> source, std::string name, int idEntiterAActiver)
    : GameState(rm, true, false),
      fichier(std::move(source)),
      m_path(std::move(name)),
      m_acteurActif(NO_ACTOR),
      m_idEntiterAActiver(idEntiterAActiver),
      m_waitForInput(nullptr),
      m_ended(false)
{
    build();
}

void Dialogue::build()
{
    if (Map* map = m_RManager->getMap())
        map->getPlayer()->resetMovement();
    m_dialogue.setFont(m_RManager->getFont("data\\fonts\\dialogue.ttf"));
    m_dialogue.setCharacterSize(12);
    m_waitForInput =
        new AnimatedSprite(m_RManager->getTexture("data\\graphics\\window\\dialogue\\wait.png"), 3, 1, 0.1f, true);
    if (fichier && *fichier) {
        load();
    } else {
        trace(" *** Echec de l'ouverture du fichier :", m_path);
        end();
    }
}

Dialogue::~Dialogue()
{
    for (Actor* actor : m_Actors)
        delete actor;
    delete m_waitForInput;
}

void Dialogue::open(RessourceManager* rm, const std::string& fichier, int idEntiterAActiver)
{
    auto* dialogue = new Dialogue(rm, fichier, idEntiterAActiver);
    if (dialogue->hasEnded()) {
        delete dialogue;
        return;
    }
    rm->getApplication().addGameState(dialogue);
}

void Dialogue::load()
{
    std::string token;
    while (*fichier >> token && token != "[Dialogue]") {
        if (token != "[Actor]")
            continue;
        std::string nom;
        std::string background;
        int r = 0;
        int g = 0;
        int b = 0;
        if (!(*fichier >> nom >> background) || !readColour(r, g, b))
            return endOnError("acteur incomplet");
        m_Actors.push_back(new Actor(m_RManager, nom, background, colour(r, g, b)));
    }
    chargerDialogue();
}

void Dialogue::chargerDialogue()
{
    fichier->get();
    // Only white space left: the scene is over.
    *fichier >> std::ws;
    if (fichier->eof())
        return end();

    int actor = NO_ACTOR;
    int x = 0;
    int y = 0;
    int r = 0;
    int g = 0;
    int b = 0;
    if (!readInteger(*fichier, actor) || !readPosition(*fichier, x) || !readPosition(*fichier, y) ||
        !readColour(r, g, b))
        return endOnError("bulle incomplete");
    if (actor < 0 || actor >= static_cast<int>(m_Actors.size()))
        return endOnError("acteur " + std::to_string(actor) + " inconnu");
    std::string texte;
    std::getline(*fichier, texte, '#');
    if (fichier->eof())
        return endOnError("texte sans # final");

    m_acteurActif = actor;
    place(*m_Actors[actor], x, y);
    m_dialogue.setString(toDisplayString(texte));
    m_dialogue.setFillColor(colour(r, g, b));
    fichier->get();
}

bool Dialogue::readColour(int& r, int& g, int& b)
{
    return readInteger(*fichier, r) && readInteger(*fichier, g) && readInteger(*fichier, b);
}

void Dialogue::place(Actor& actor, int x, int y)
{
    // Centred in the game's picture, whatever size the window has been given.
    const sf::IntRect bubble = actor.getBackground().getTextureRect();
    if (x == CENTRED)
        x = GAME_WIDTH / 2 - bubble.width / 2;
    if (y == CENTRED)
        y = GAME_HEIGHT / 2 - bubble.height / 2;
    actor.setPosition(x, y);
    m_dialogue.setPosition(static_cast<float>(x + 120), static_cast<float>(y + 8));
    m_waitForInput->setPosition(static_cast<float>(x + 579), static_cast<float>(y + 82));
}

void Dialogue::endOnError(const std::string& what)
{
    traceError("Dialogue interrompu (" + what + ")", m_path);
    end();
}

void Dialogue::end()
{
    m_ended = true;
    Map* map = m_RManager->getMap();
    if (map && m_acteurActif != NO_ACTOR)
        map->markRead(m_path);
    if (map && m_idEntiterAActiver != NO_ENTITY)
        map->activerEntite(m_idEntiterAActiver);
    // Whatever the activation pushed stays: only this dialogue leaves the stack (if it
    // is on it yet: one that ends while it is built is dropped by whoever built it).
    m_RManager->getApplication().removeGameState(this);
}

bool Dialogue::event(const sf::Event& event)
{
    const Input& input = m_RManager->getInput();
    if (input.released(event, Action::Pause)) {
        m_RManager->getApplication().addGameState(new PauseMenu(m_RManager));
    } else if (m_acteurActif != NO_ACTOR && input.released(event, Action::NextLine)) {
        chargerDialogue(); // may end the dialogue: nothing of it is touched after
    } else if (event.type == sf::Event::MouseButtonReleased && m_acteurActif != NO_ACTOR &&
               collisionSourisSprite(event.mouseButton.x, event.mouseButton.y,
                                     m_Actors[m_acteurActif]->getBackground())) {
        chargerDialogue();
    }
    return true;
}

void Dialogue::update(float t)
{
    m_waitForInput->update(t);
}

void Dialogue::draw()
{
    if (m_acteurActif == NO_ACTOR || isUnderTerminal())
        return;
    m_Actors[m_acteurActif]->draw();
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_dialogue);
    window.draw(*m_waitForInput);
}

bool Dialogue::isUnderTerminal()
{
    // A dialogue that waits for a puzzle to be solved sits under its terminal, which the
    // bubble would cross: it shows once the terminal has closed.
    Application& application = m_RManager->getApplication();
    for (std::size_t i = application.getStateCount(); i-- > 0 && application.getState(i) != this;)
        if (dynamic_cast<ConsoleMinigame*>(application.getState(i)))
            return true;
    return false;
}

bool Dialogue::hasEnded() const
{
    return m_ended;
}

int Dialogue::getActiveActor() const
{
    return m_acteurActif;
}

const sf::Text& Dialogue::getText() const
{
    return m_dialogue;
}

const Actor& Dialogue::getActor(int index) const
{
    return *m_Actors.at(static_cast<std::size_t>(index));
}

const AnimatedSprite& Dialogue::getWaitMarker() const
{
    return *m_waitForInput;
}
