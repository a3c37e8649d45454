#pragma once

#include "input/action.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <ostream>

class Entity;
class RessourceManager;
class AnimatedSprite;
namespace sf {
class Event;
} // namespace sf

// The character the player steers. Owned by the level, it survives map changes.
class Player
{
public:
    explicit Player(RessourceManager* rm);
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;
    ~Player();

    void init();
    void event(const sf::Event& event);
    void update(float t);
    void calculerAcceleration(float t);
    void draw();

    sf::FloatRect getHitbox() const;
    void setPosition(int x, int y);
    void move(float x, float y);
    void setSol(Entity* sol);
    Entity* getSol() const;
    void setAccelV(float aV);
    void setAccel(float a);
    void resetMovement();
    void toggleGravity();
    bool isGravityNormal();
    void canToggleGravity(bool can);

    void takeDamage(int amount);
    // The health that fills the bar again, whatever is left of it.
    static constexpr int REFILL = -1;
    // Only REFILL changes the health; any other value just redraws the bar.
    void setVie(int vie);
    void peuxTirer(bool peux);
    void setShootDelay(float delay);
    void save(std::ostream& file);
    // A restart brings the character back as it entered the current map: what the save
    // of that moment holds, plus health, gravity direction and facing.
    void markEntry();
    void restoreEntry();

    // Read-only views for the level, the screens and the tests.
    const AnimatedSprite& getSprite() const;
    float getAccel() const;
    float getAccelV() const;
    int getVie() const;
    bool canShoot() const;
    bool canReverseGravity() const;
    float getShootDelay() const;
    const sf::Sprite& getHealthBar() const;

private:
    struct Entry
    {
        int vie;
        bool peuxTirer;
        float intervalleTir;
        bool peuxChangerGravite;
        bool gravityNormal;
        int facing;
    };

    void readWalkKey(Action action, bool& held, int row);
    // While the pad aims, its crosshair stands at a fixed distance from the character.
    void followPadAim();
    void shoot();
    void refreshHealthBar();
    // The corner the HUD covers: its bubble and its bar.
    sf::FloatRect hudBounds() const;

    bool haut; // gravity points up
    bool bas;  // gravity points down
    bool droite;
    bool gauche;
    float vitesse;
    float accel;
    float pas;
    float accelMax;
    float accelV;
    int m_vieMax;
    int m_vie;
    bool m_peuxTirer;
    bool m_clicGaucheEnfonce;
    int m_degatArme;
    float m_intervalleTir;
    float m_delaiJusqueProchainTir;
    bool m_peuxChangerGravite;
    sf::Sprite m_hud_Bulle;
    sf::Sprite m_hud_barreVie;
    sf::Sprite m_hud_vie;
    RessourceManager* m_RManager;
    AnimatedSprite* m_sprite; // owned
    Entity* m_sol;            // the level's, not owned
    Entry m_entree;
};
