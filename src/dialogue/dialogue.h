#pragma once

#include "core/gamestate.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <istream>
#include <memory>
#include <string>
#include <vector>

class AnimatedSprite;
namespace sf {
class Color;
} // namespace sf

// One participant of a dialogue: a name, a portrait and a bubble picture.
class Actor
{
public:
    Actor(RessourceManager* rm, std::string nom, std::string background, sf::Color couleur);
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;
    ~Actor();

    void setPosition(int x, int y);
    void draw();
    const sf::Sprite& getBackground() const;
    const sf::Sprite& getAvatar() const;
    const sf::Text& getName() const;

private:
    std::string m_backgroundName;
    sf::Text m_nom;
    sf::Sprite m_avatar;
    sf::Sprite m_background;
    RessourceManager* m_RManager;
};

// Speech bubbles over the frozen level, one at a time, read from a dialogue file.
// When the last bubble is passed it activates an entity of the level (or NO_ENTITY).
class Dialogue : public GameState
{
public:
    Dialogue(RessourceManager* rm, std::string fichier, int idEntiterAActiver);
    // The same scene read from any stream, named `name` in the trace.
    Dialogue(RessourceManager* rm, std::unique_ptr<std::istream> source, std::string name, int idEntiterAActiver);
    ~Dialogue() override;

    // Builds a dialogue and shows it: pushed on the stack unless it has already ended
    // while it was built (no file, no bubble), in which case it is simply dropped.
    static void open(RessourceManager* rm, const std::string& fichier, int idEntiterAActiver);

    bool event(const sf::Event& event) override;
    void update(float t) override;
    void draw() override;
    void load();
    void chargerDialogue();

    bool hasEnded() const;
    int getActiveActor() const;
    const sf::Text& getText() const;
    const Actor& getActor(int index) const;
    const AnimatedSprite& getWaitMarker() const;

private:
    void build();
    void end();
    // A file that breaks off: the scene ends there, as if it had been read to its end.
    void endOnError(const std::string& what);
    void place(Actor& actor, int x, int y);
    bool isUnderTerminal();
    bool readColour(int& r, int& g, int& b);

    std::unique_ptr<std::istream> fichier;
    std::string m_path;
    int m_acteurActif;
    int m_idEntiterAActiver;
    sf::Text m_dialogue;
    std::vector<Actor*> m_Actors;   // owned
    AnimatedSprite* m_waitForInput; // owned
    bool m_ended;
};
