#pragma once

#include <SFML/Graphics/Sprite.hpp>

namespace sf {
class Texture;
} // namespace sf

// A still picture showing its whole texture; base of the scrolling and animated kinds,
// so that their owners step and draw any of them through the same operations.
class Sprite : public sf::Sprite
{
public:
    explicit Sprite(const sf::Texture& texture);
    virtual ~Sprite() = default;

    // Advances the picture by t seconds; true when it moved to another frame of its sheet.
    virtual bool update(float t);
    virtual void setEtatY(int y);
    virtual void setEtatX(int x);
};

// A picture whose texture rectangle slides through its repeating texture.
class RepeatedSprite : public Sprite
{
public:
    RepeatedSprite(const sf::Texture& texture, float vBas, float vGauche);

    bool update(float t) override;

private:
    double m_vBas;    // pixels per second; positive moves the content down
    double m_vGauche; // pixels per second; positive moves the content left
    // The exact offset of the texture rectangle. Only its whole part is shown, but the
    // fraction is kept, so that slow speeds and short frames still scroll at their rate.
    double m_left;
    double m_top;
};

// A sheet of equal frames in columns and rows, stepped at a fixed frame time.
class AnimatedSprite : public Sprite
{
public:
    // The frame time of a sheet whose frames are only chosen by hand (setEtatX, setEtatY).
    static constexpr float HAND_PICKED = -1.f;

    AnimatedSprite(const sf::Texture& texture, int nbEtatX, int nbEtatY, float tpsEntreImages,
                   bool changeEtatYToutSeul);

    bool update(float t) override;
    void setEtatY(int y) override;
    void setEtatX(int x) override;
    int getEtatX() const;
    int getEtatY() const;

private:
    void showFrame();

    int m_nbEtatX;
    int m_nbEtatY;
    int m_etatX;
    int m_etatY;
    int m_largeurSprite;
    int m_hauteurSprite;
    bool m_changeEtatYToutSeul;
    float m_tpsEntreImages; // HAND_PICKED, or the seconds each frame shows
    float m_tpsDepuisImage;
};
