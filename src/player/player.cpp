#include "player/player.h"

#include "core/application.h"
#include "entities/bullet.h"
#include "graphics/sprite.h"
#include "menus/screen.h"
#include "resources/ressourcemanager.h"
#include "resources/savefile.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const CHARACTER = "data\\graphics\\character\\v1.png";
const char* const HUD_BUBBLE = "data\\graphics\\window\\hud\\bulle.png";
const char* const HUD_BAR_FRAME = "data\\graphics\\window\\hud\\barreVie.png";
const char* const HUD_BAR = "data\\graphics\\window\\hud\\vie.png";
const sf::Uint8 HUD_SEE_THROUGH = 80;
// How far from the character's centre the pad's crosshair stands.
const float PAD_AIM_DISTANCE = 150.f;

} // namespace

Player::Player(RessourceManager* rm) : m_RManager(rm), m_sprite(nullptr), m_sol(nullptr)
{
    init();
}

Player::~Player()
{
    m_RManager->killTexture(m_sprite->getTexture());
    m_RManager->killTexture(m_hud_Bulle.getTexture());
    m_RManager->killTexture(m_hud_barreVie.getTexture());
    m_RManager->killTexture(m_hud_vie.getTexture());
    m_RManager->deleteMouseCursor();
    delete m_sprite;
}

void Player::init()
{
    haut = false;
    bas = true;
    droite = false;
    gauche = false;
    vitesse = 300.f;
    accel = 0.f;
    pas = 2.f;
    accelMax = 1.f;
    accelV = 0.f;
    m_vieMax = 100;
    m_vie = 100;
    m_peuxTirer = false;
    m_clicGaucheEnfonce = false;
    m_degatArme = 15;
    m_intervalleTir = 0.5f;
    m_delaiJusqueProchainTir = 0.f;
    m_peuxChangerGravite = false;
    m_sol = nullptr;

    m_sprite = new AnimatedSprite(m_RManager->getTexture(CHARACTER), 4, 2, 0.1f, false);
    m_sprite->setPosition(10, 10);

    m_hud_Bulle.setTexture(m_RManager->getTexture(HUD_BUBBLE));
    m_hud_Bulle.setPosition(5, 5);
    m_hud_barreVie.setTexture(m_RManager->getTexture(HUD_BAR_FRAME));
    m_hud_barreVie.setPosition(48, 20);
    m_hud_vie.setTexture(m_RManager->getTexture(HUD_BAR));
    m_hud_vie.setPosition(49, 21);
    markEntry();
}

void Player::event(const sf::Event& event)
{
    const Input& input = m_RManager->getInput();
    if (input.released(event, Action::ReverseGravity)) {
        if (m_peuxChangerGravite && m_sol)
            toggleGravity();
    } else if (input.pressed(event, Action::Fire)) {
        m_clicGaucheEnfonce = true;
    } else if (input.released(event, Action::Fire)) {
        m_clicGaucheEnfonce = false;
    }
}

void Player::readWalkKey(Action action, bool& held, int row)
{
    const bool down = m_RManager->getInput().isHeld(action);
    if (down && !held) {
        held = true;
        m_sprite->setEtatY(row);
    } else if (!down && held) {
        held = false;
        m_sprite->setEtatX(0);
    }
}

void Player::update(float t)
{
    readWalkKey(Action::WalkLeft, gauche, 0);
    readWalkKey(Action::WalkRight, droite, 1);

    if (m_RManager->getInput().isHeld(Action::Jump) && m_sol) {
        accelV = -accelMax;
        m_sol = nullptr;
    }

    calculerAcceleration(t);

    if (gauche)
        m_sprite->move(-t * vitesse * accel, 0);
    if (droite)
        m_sprite->move(t * vitesse * accel, 0);

    if (!m_sol) {
        if (haut)
            m_sprite->move(0, -t * vitesse * accelV);
        if (bas)
            m_sprite->move(0, t * vitesse * accelV);
    }

    if (m_sol) {
        const sf::FloatRect ground = m_sol->getHitbox();
        const float x = m_sprite->getPosition().x;
        const float w = static_cast<float>(m_sprite->getTextureRect().width);
        if (x > ground.left + ground.width || ground.left > x + w) {
            m_sol = nullptr;
            accelV = 0.f;
        }
    }

    // A release seen by a screen over the level (pause, dialogue, terminal) stops the gun too.
    if (!m_RManager->getInput().isFireDown())
        m_clicGaucheEnfonce = false;
    followPadAim();
    m_delaiJusqueProchainTir = m_delaiJusqueProchainTir - t > 0.f ? m_delaiJusqueProchainTir - t : 0.f;
    if (m_clicGaucheEnfonce && m_peuxTirer && m_delaiJusqueProchainTir == 0.f)
        shoot();
}

void Player::followPadAim()
{
    sf::Vector2f direction;
    if (!m_peuxTirer || !m_RManager->getInput().padAim(direction))
        return;
    // The crosshair goes along with the character, always in the direction last aimed.
    const sf::FloatRect box = getHitbox();
    const sf::Vector2f aimed =
        sf::Vector2f(box.left + box.width / 2.f, box.top + box.height / 2.f) + direction * PAD_AIM_DISTANCE;
    m_RManager->setMousePosition({static_cast<int>(std::lround(aimed.x)), static_cast<int>(std::lround(aimed.y))});
}

void Player::shoot()
{
    const sf::Vector2i mouse = m_RManager->getMousePosition();
    const sf::Vector2f from = m_sprite->getPosition();
    const sf::FloatRect shot(from.x, from.y, mouse.x - from.x, mouse.y - from.y);
    // With the pointer exactly on the start point there is no direction to fly in.
    if (shot.width == 0.f && shot.height == 0.f)
        return;
    m_RManager->getMap()->addBullet(new Bullet(m_RManager, 100, shot));
    m_RManager->playSound("shoot");
    m_delaiJusqueProchainTir = m_intervalleTir;
}

void Player::calculerAcceleration(float t)
{
    if (gauche || droite) {
        accel = accel + pas * t < accelMax ? accel + pas * t : accelMax;
        m_sprite->update(t);
    } else {
        accel = accel - pas * t > 0.f ? accel - pas * t : 0.f;
    }
    if (!m_sol)
        accelV = accelV + pas * t < accelMax ? accelV + pas * t : accelMax;
}

void Player::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(*m_sprite);
    // The HUD's corner is part of the level: the character walking behind it shows through.
    const sf::Color tint(255, 255, 255, hudBounds().intersects(m_sprite->getGlobalBounds()) ? HUD_SEE_THROUGH : 255);
    for (sf::Sprite* part : {&m_hud_barreVie, &m_hud_vie, &m_hud_Bulle}) {
        part->setColor(tint);
        window.draw(*part);
    }
}

sf::FloatRect Player::hudBounds() const
{
    const sf::FloatRect bubble = m_hud_Bulle.getGlobalBounds();
    const sf::FloatRect bar = m_hud_barreVie.getGlobalBounds();
    const float left = std::min(bubble.left, bar.left);
    const float top = std::min(bubble.top, bar.top);
    return {left, top, std::max(bubble.left + bubble.width, bar.left + bar.width) - left,
            std::max(bubble.top + bubble.height, bar.top + bar.height) - top};
}

sf::FloatRect Player::getHitbox() const
{
    const sf::IntRect frame = m_sprite->getTextureRect();
    return {m_sprite->getPosition().x, m_sprite->getPosition().y, static_cast<float>(frame.width),
            static_cast<float>(frame.height)};
}

void Player::setPosition(int x, int y)
{
    m_sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    droite = false;
    gauche = false;
    m_sol = nullptr;
}

void Player::move(float x, float y)
{
    m_sprite->move(x, y);
}

void Player::setSol(Entity* sol)
{
    m_sol = sol;
    accelV = 0.f;
}

Entity* Player::getSol() const
{
    return m_sol;
}

void Player::setAccelV(float aV)
{
    accelV = aV;
}

void Player::setAccel(float a)
{
    accel = a;
}

void Player::resetMovement()
{
    droite = false;
    gauche = false;
    m_clicGaucheEnfonce = false;
    accel = 0.f;
    accelV = 0.f;
    m_sprite->setEtatX(0);
}

void Player::toggleGravity()
{
    if (!bas) {
        bas = true;
        haut = false;
        m_sprite->setOrigin(0, 0);
        m_sprite->setScale(1, 1);
    } else {
        haut = true;
        bas = false;
        m_sprite->setOrigin(0, static_cast<float>(m_sprite->getTextureRect().height));
        m_sprite->setScale(-1, 1);
    }
    m_sol = nullptr;
    // With the mirrored scale, a half turn shows the character upside down in place.
    m_sprite->rotate(180);
}

bool Player::isGravityNormal()
{
    return bas;
}

void Player::canToggleGravity(bool can)
{
    m_peuxChangerGravite = can;
}

void Player::takeDamage(int amount)
{
    if (m_vie == 0)
        return;
    m_vie -= amount;
    if (m_vie <= 0) {
        m_vie = 0;
        m_RManager->getApplication().addGameState(new GameOver(m_RManager));
    }
    refreshHealthBar();
}

void Player::setVie(int vie)
{
    if (vie == REFILL)
        m_vie = m_vieMax;
    refreshHealthBar();
}

void Player::refreshHealthBar()
{
    const sf::Vector2u size = m_hud_vie.getTexture()->getSize();
    const int width = static_cast<int>(static_cast<float>(size.x) * m_vie / m_vieMax);
    m_hud_vie.setTextureRect({0, 0, width, static_cast<int>(size.y)});
}

void Player::peuxTirer(bool peux)
{
    if (peux && !m_peuxTirer) {
        m_peuxTirer = true;
        m_RManager->setMouseCursor("viseur");
    } else if (!peux && m_peuxTirer) {
        m_peuxTirer = false;
        m_RManager->deleteMouseCursor();
    }
}

void Player::setShootDelay(float delay)
{
    m_intervalleTir = delay;
}

void Player::save(std::ostream& file)
{
    writePlayerSection(file, m_peuxTirer, m_intervalleTir, m_peuxChangerGravite);
}

void Player::markEntry()
{
    m_entree = {m_vie, m_peuxTirer, m_intervalleTir, m_peuxChangerGravite, bas, m_sprite->getEtatY()};
}

void Player::restoreEntry()
{
    m_vie = m_entree.vie;
    refreshHealthBar();
    peuxTirer(m_entree.peuxTirer);
    m_intervalleTir = m_entree.intervalleTir;
    m_delaiJusqueProchainTir = 0.f;
    m_peuxChangerGravite = m_entree.peuxChangerGravite;
    if (bas != m_entree.gravityNormal)
        toggleGravity();
    m_sprite->setEtatY(m_entree.facing);
}

const AnimatedSprite& Player::getSprite() const
{
    return *m_sprite;
}

float Player::getAccel() const
{
    return accel;
}

float Player::getAccelV() const
{
    return accelV;
}

int Player::getVie() const
{
    return m_vie;
}

bool Player::canShoot() const
{
    return m_peuxTirer;
}

bool Player::canReverseGravity() const
{
    return m_peuxChangerGravite;
}

float Player::getShootDelay() const
{
    return m_intervalleTir;
}

const sf::Sprite& Player::getHealthBar() const
{
    return m_hud_vie;
}
