#include "graphics/sprite.h"

#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cmath>

Sprite::Sprite(const sf::Texture& texture) : sf::Sprite(texture)
{
}

bool Sprite::update(float)
{
    return false;
}

void Sprite::setEtatY(int)
{
}

void Sprite::setEtatX(int)
{
}

RepeatedSprite::RepeatedSprite(const sf::Texture& texture, float vBas, float vGauche)
    : Sprite(texture),
      m_vBas(vBas),
      m_vGauche(vGauche),
      m_left(0.0),
      m_top(0.0)
{
}

namespace {

// The exact offset goes on from the rectangle shown, unless that rectangle was set from
// outside since the last step: then it goes on from there.
double follow(double exact, int shown)
{
    return static_cast<int>(std::floor(exact)) == shown ? exact : shown;
}

// Keeps an offset within one period of the repeating texture: it shows the same picture,
// and stays small enough to stay exact however long the game runs.
double wrap(double offset, unsigned period)
{
    if (period == 0)
        return offset;
    const double wrapped = std::fmod(offset, static_cast<double>(period));
    return wrapped < 0.0 ? wrapped + period : wrapped;
}

} // namespace

bool RepeatedSprite::update(float t)
{
    sf::IntRect rect = getTextureRect();
    const sf::Vector2u size = getTexture() ? getTexture()->getSize() : sf::Vector2u();
    m_left = wrap(follow(m_left, rect.left) + m_vGauche * t, size.x);
    m_top = wrap(follow(m_top, rect.top) - m_vBas * t, size.y);
    rect.left = static_cast<int>(std::floor(m_left));
    rect.top = static_cast<int>(std::floor(m_top));
    setTextureRect(rect);
    return false;
}

AnimatedSprite::AnimatedSprite(const sf::Texture& texture, int nbEtatX, int nbEtatY, float tpsEntreImages,
                               bool changeEtatYToutSeul)
    : Sprite(texture),
      // A sheet has at least one frame each way, whatever a map file says.
      m_nbEtatX(std::max(nbEtatX, 1)),
      m_nbEtatY(std::max(nbEtatY, 1)),
      m_etatX(0),
      m_etatY(0),
      m_largeurSprite(static_cast<int>(texture.getSize().x) / m_nbEtatX),
      m_hauteurSprite(static_cast<int>(texture.getSize().y) / m_nbEtatY),
      m_changeEtatYToutSeul(changeEtatYToutSeul),
      m_tpsEntreImages(tpsEntreImages),
      m_tpsDepuisImage(tpsEntreImages)
{
    showFrame();
}

bool AnimatedSprite::update(float t)
{
    if (m_tpsEntreImages == HAND_PICKED)
        return false;
    m_tpsDepuisImage += t;
    if (!(m_tpsDepuisImage > m_tpsEntreImages))
        return false;

    if (m_etatX < m_nbEtatX - 1) {
        ++m_etatX;
    } else {
        m_etatX = 0;
        if (m_changeEtatYToutSeul)
            m_etatY = m_etatY < m_nbEtatY - 1 ? m_etatY + 1 : 0;
    }
    showFrame();
    // Time beyond the frame duration is dropped: a long step advances one frame only.
    m_tpsDepuisImage = 0.f;
    return true;
}

void AnimatedSprite::setEtatY(int y)
{
    if (y < 0 || y >= m_nbEtatY)
        return;
    m_etatY = y;
    showFrame();
}

void AnimatedSprite::setEtatX(int x)
{
    if (x < 0 || x >= m_nbEtatX)
        return;
    m_etatX = x;
    showFrame();
}

int AnimatedSprite::getEtatX() const
{
    return m_etatX;
}

int AnimatedSprite::getEtatY() const
{
    return m_etatY;
}

void AnimatedSprite::showFrame()
{
    setTextureRect({m_largeurSprite * m_etatX, m_hauteurSprite * m_etatY, m_largeurSprite, m_hauteurSprite});
}
