#pragma once

// Drawing kit of the picture generator. Shapes are signed distance functions filled
// with one pixel of anti-aliasing, so every outline stays crisp at the 1:1 scale the
// game draws its textures; paints are plain functions of the pixel position, which
// keeps gradients, dithering and per-pixel noise in one place.

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Straight (not premultiplied) colour, every channel in 0..1.
struct Rgba
{
    float r = 0.f;
    float g = 0.f;
    float b = 0.f;
    float a = 0.f;
};

Rgba hex(std::uint32_t rgb, float alpha = 1.f);
Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba withAlpha(const Rgba& c, float alpha);
Rgba scaled(const Rgba& c, float k); // k < 1 darkens, k > 1 brightens (clamped)
float clamp01(float v);
float smoothstep(float e0, float e1, float x);

// Small deterministic generator: the same seed draws the same picture on every machine.
class Rng
{
public:
    explicit Rng(std::uint32_t seed);
    std::uint32_t next();
    float uniform(); // [0, 1)
    float range(float lo, float hi);
    int below(int n); // [0, n)
    bool chance(float p);

private:
    std::uint64_t m_state;
};

// Lattice value noise in 0..1 that repeats every `period` lattice cells both ways,
// so backgrounds built from it tile.
float valueNoise(float x, float y, int period, std::uint32_t seed);
float fractalNoise(float x, float y, int period, int octaves, std::uint32_t seed);
// Ordered dither threshold (4x4 Bayer) in 0..1 for the pixel.
float bayer(int x, int y);

// Signed distances: negative inside, in pixels.
float sdCircle(float x, float y, float cx, float cy, float r);
float sdBox(float x, float y, float cx, float cy, float hw, float hh, float radius = 0.f);
float sdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth);
float sdEllipse(float x, float y, float cx, float cy, float rx, float ry);
float sdPolygon(float x, float y, const std::vector<sf::Vector2f>& points);

using Sdf = std::function<float(float, float)>;
using Paint = std::function<Rgba(float, float)>;

Paint solid(const Rgba& c);
Paint vertical(const Rgba& top, const Rgba& bottom, float y0, float y1);
Paint horizontal(const Rgba& left, const Rgba& right, float x0, float x1);

enum class Blend
{
    Over, // normal painting
    Add,  // light: adds colour, for glows on opaque pictures
    Erase // punches holes: removes alpha by the paint's alpha
};

class Canvas
{
public:
    Canvas(int width, int height, const Rgba& fill = Rgba());

    int width() const;
    int height() const;
    // Drawing past one edge comes back on the opposite edge: for seamless tiles.
    void setWrap(bool wrap);
    bool wraps() const;

    const Rgba& at(int x, int y) const;
    void set(int x, int y, const Rgba& c);
    void blend(int x, int y, const Rgba& c, Blend mode = Blend::Over);

    // Fills the shape inside the box [x0,x1) x [y0,y1) (the box may leave the canvas).
    void fill(const Sdf& shape, const Paint& paint, float x0, float y0, float x1, float y1, Blend mode = Blend::Over);
    void rect(int x, int y, int w, int h, const Rgba& c); // crisp, no anti-aliasing
    void rect(int x, int y, int w, int h, const Paint& p);
    void roundRect(float x, float y, float w, float h, float radius, const Paint& p, Blend mode = Blend::Over);
    void circle(float cx, float cy, float r, const Paint& p, Blend mode = Blend::Over);
    void ellipse(float cx, float cy, float rx, float ry, const Paint& p, Blend mode = Blend::Over);
    void line(float ax, float ay, float bx, float by, float width, const Paint& p, Blend mode = Blend::Over);
    void polygon(const std::vector<sf::Vector2f>& points, const Paint& p, Blend mode = Blend::Over);
    // A ring of the rounded box: `thickness` pixels inside its edge.
    void roundFrame(float x, float y, float w, float h, float radius, float thickness, const Paint& p);

    // Paints `src` onto this canvas with its top-left at (dx, dy).
    void draw(const Canvas& src, int dx, int dy, float opacity = 1.f, Blend mode = Blend::Over);
    // Paints `paint` where `mask` has alpha: text and silhouettes in any colour.
    void drawMask(const Canvas& mask, int dx, int dy, const Paint& paint, Blend mode = Blend::Over);

    // Blurred copy (three box passes, close to a Gaussian of the given radius).
    Canvas blurred(int radius) const;
    // Copy of the part [x, x+w) x [y, y+h).
    Canvas crop(int x, int y, int w, int h) const;
    // Alpha silhouette grown by `radius` pixels (for outlines around a finished drawing).
    Canvas dilated(int radius) const;
    // Multiplies every pixel's alpha.
    void fadeAlpha(float k);

    sf::Image image() const;

private:
    int index(int x, int y) const; // -1 when outside and not wrapping

    int m_width;
    int m_height;
    bool m_wrap = false;
    std::vector<Rgba> m_pixels;
};

// Text coverage masks drawn with the game's own fonts.
struct TextMask
{
    Canvas mask{1, 1};
    int penX = 0;     // where the pen started, in mask pixels
    int baseline = 0; // baseline row in the mask
    float inkLeft = 0.f;
    float inkWidth = 0.f; // visible width of the glyphs
};

class Typesetter
{
public:
    Typesetter();
    bool ready() const;

    // `outline` > 0 grows the glyphs by that many pixels (for outline layers).
    TextMask render(const std::string& utf8, bool mono, unsigned size, float outline = 0.f, float letterSpacing = 1.f);
    float advance(bool mono, unsigned size, std::uint32_t codePoint);
    float lineSpacing(bool mono, unsigned size);
    float capHeight(bool mono, unsigned size);

private:
    sf::Font m_bold;
    sf::Font m_mono;
    bool m_ready = false;
    std::unique_ptr<sf::RenderTexture> m_target;
};

Typesetter& typesetter();

enum class Align
{
    Left,
    Center,
    Right
};

struct TextStyle
{
    unsigned size = 24;
    bool mono = false;
    Paint fill = solid(hex(0xffffff));
    float outline = 0.f;
    Rgba outlineColor = hex(0x070a1a);
    int shadowX = 0; // drop shadow offset, drawn in the outline colour
    int shadowY = 0;
    Rgba glow = Rgba(); // a coloured halo when its alpha > 0
    int glowRadius = 6;
    float letterSpacing = 1.f;
};

// Draws the text with its baseline at `baselineY`; `x` is the left edge, centre or
// right edge of the ink according to `align`. Returns the ink width.
float drawText(Canvas& canvas, const std::string& utf8, float x, float baselineY, const TextStyle& style,
               Align align = Align::Left);
// Same, centred vertically on the capital height around `centreY`.
float drawTextCentred(Canvas& canvas, const std::string& utf8, float centreX, float centreY, const TextStyle& style);
float textWidth(const std::string& utf8, const TextStyle& style);
