#include "canvas.h"

#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>

float clamp01(float v)
{
    return v < 0.f ? 0.f : (v > 1.f ? 1.f : v);
}

float smoothstep(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.f - 2.f * t);
}

Rgba hex(std::uint32_t rgb, float alpha)
{
    return {static_cast<float>((rgb >> 16) & 0xff) / 255.f, static_cast<float>((rgb >> 8) & 0xff) / 255.f,
            static_cast<float>(rgb & 0xff) / 255.f, alpha};
}

Rgba mix(const Rgba& a, const Rgba& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba withAlpha(const Rgba& c, float alpha)
{
    return {c.r, c.g, c.b, alpha};
}

Rgba scaled(const Rgba& c, float k)
{
    return {clamp01(c.r * k), clamp01(c.g * k), clamp01(c.b * k), c.a};
}

// --- randomness -------------------------------------------------------------------

Rng::Rng(std::uint32_t seed) : m_state(0x9e3779b97f4a7c15ull ^ seed)
{
}

std::uint32_t Rng::next()
{
    // splitmix64: tiny, and good enough that neighbouring seeds look unrelated.
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

float Rng::uniform()
{
    return static_cast<float>(next() >> 8) / 16777216.f;
}

float Rng::range(float lo, float hi)
{
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n)
{
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint32_t>(n));
}

bool Rng::chance(float p)
{
    return uniform() < p;
}

namespace {

float lattice(int x, int y, std::uint32_t seed)
{
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777215.f;
}

int wrapIndex(int v, int n)
{
    const int m = v % n;
    return m < 0 ? m + n : m;
}

} // namespace

float valueNoise(float x, float y, int period, std::uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    float tx = x - fx;
    float ty = y - fy;
    tx = tx * tx * (3.f - 2.f * tx);
    ty = ty * ty * (3.f - 2.f * ty);
    const int x0 = wrapIndex(ix, period);
    const int x1 = wrapIndex(ix + 1, period);
    const int y0 = wrapIndex(iy, period);
    const int y1 = wrapIndex(iy + 1, period);
    const float a = lattice(x0, y0, seed);
    const float b = lattice(x1, y0, seed);
    const float c = lattice(x0, y1, seed);
    const float d = lattice(x1, y1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fractalNoise(float x, float y, int period, int octaves, std::uint32_t seed)
{
    float sum = 0.f;
    float norm = 0.f;
    float amp = 1.f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoise(x, y, period, seed + static_cast<std::uint32_t>(o) * 101u);
        norm += amp;
        amp *= 0.5f;
        x *= 2.f;
        y *= 2.f;
        period *= 2;
    }
    return sum / norm;
}

float bayer(int x, int y)
{
    static const int table[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    return (static_cast<float>(table[(y & 3) * 4 + (x & 3)]) + 0.5f) / 16.f;
}

// --- distances ----------------------------------------------------------------------

float sdCircle(float x, float y, float cx, float cy, float r)
{
    return std::hypot(x - cx, y - cy) - r;
}

float sdBox(float x, float y, float cx, float cy, float hw, float hh, float radius)
{
    const float qx = std::fabs(x - cx) - hw + radius;
    const float qy = std::fabs(y - cy) - hh + radius;
    const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    return outside + std::min(std::max(qx, qy), 0.f) - radius;
}

float sdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth)
{
    const float px = x - ax;
    const float py = y - ay;
    const float dx = bx - ax;
    const float dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float h = len2 > 0.f ? clamp01((px * dx + py * dy) / len2) : 0.f;
    return std::hypot(px - dx * h, py - dy * h) - halfWidth;
}

float sdEllipse(float x, float y, float cx, float cy, float rx, float ry)
{
    // Not exact, but exact enough near the edge, which is all the anti-aliasing reads.
    const float nx = (x - cx) / rx;
    const float ny = (y - cy) / ry;
    const float k0 = std::hypot(nx, ny);
    const float k1 = std::hypot(nx / rx, ny / ry);
    if (k1 == 0.f)
        return -std::min(rx, ry);
    return k0 * (k0 - 1.f) / k1;
}

float sdPolygon(float x, float y, const std::vector<sf::Vector2f>& v)
{
    const std::size_t n = v.size();
    float d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y);
    float s = 1.f;
    for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const float ex = v[j].x - v[i].x;
        const float ey = v[j].y - v[i].y;
        const float wx = x - v[i].x;
        const float wy = y - v[i].y;
        const float h = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
        const float bx = wx - ex * h;
        const float by = wy - ey * h;
        d = std::min(d, bx * bx + by * by);
        const bool c1 = y >= v[i].y;
        const bool c2 = y < v[j].y;
        const bool c3 = ex * wy > ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            s = -s;
    }
    return s * std::sqrt(d);
}

Paint solid(const Rgba& c)
{
    return [c](float, float) { return c; };
}

Paint vertical(const Rgba& top, const Rgba& bottom, float y0, float y1)
{
    return [=](float, float y) { return mix(top, bottom, clamp01((y - y0) / (y1 - y0))); };
}

Paint horizontal(const Rgba& left, const Rgba& right, float x0, float x1)
{
    return [=](float x, float) { return mix(left, right, clamp01((x - x0) / (x1 - x0))); };
}

// --- canvas -------------------------------------------------------------------------

Canvas::Canvas(int width, int height, const Rgba& fill)
    : m_width(width),
      m_height(height),
      m_pixels(static_cast<std::size_t>(width * height), fill)
{
}

int Canvas::width() const
{
    return m_width;
}

int Canvas::height() const
{
    return m_height;
}

void Canvas::setWrap(bool wrap)
{
    m_wrap = wrap;
}

bool Canvas::wraps() const
{
    return m_wrap;
}

int Canvas::index(int x, int y) const
{
    if (m_wrap) {
        x = wrapIndex(x, m_width);
        y = wrapIndex(y, m_height);
    } else if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return -1;
    }
    return y * m_width + x;
}

const Rgba& Canvas::at(int x, int y) const
{
    static const Rgba none;
    const int i = index(x, y);
    return i < 0 ? none : m_pixels[static_cast<std::size_t>(i)];
}

void Canvas::set(int x, int y, const Rgba& c)
{
    const int i = index(x, y);
    if (i >= 0)
        m_pixels[static_cast<std::size_t>(i)] = c;
}

void Canvas::blend(int x, int y, const Rgba& c, Blend mode)
{
    const int i = index(x, y);
    if (i < 0 || c.a <= 0.f)
        return;
    Rgba& d = m_pixels[static_cast<std::size_t>(i)];
    switch (mode) {
    case Blend::Over: {
        const float a = c.a + d.a * (1.f - c.a);
        if (a <= 0.f) {
            d = Rgba();
            return;
        }
        const float kd = d.a * (1.f - c.a);
        d.r = (c.r * c.a + d.r * kd) / a;
        d.g = (c.g * c.a + d.g * kd) / a;
        d.b = (c.b * c.a + d.b * kd) / a;
        d.a = a;
        break;
    }
    case Blend::Add: {
        // Premultiplied sum: on opaque pixels it is plain additive light, and on
        // transparent ones the light also becomes coverage, so halos show on sprites.
        const float a = c.a + d.a * (1.f - c.a);
        d.r = clamp01((d.r * d.a + c.r * c.a) / a);
        d.g = clamp01((d.g * d.a + c.g * c.a) / a);
        d.b = clamp01((d.b * d.a + c.b * c.a) / a);
        d.a = a;
        break;
    }
    case Blend::Erase:
        d.a *= (1.f - c.a);
        break;
    }
}

void Canvas::fill(const Sdf& shape, const Paint& paint, float x0, float y0, float x1, float y1, Blend mode)
{
    const int ix0 = static_cast<int>(std::floor(x0));
    const int iy0 = static_cast<int>(std::floor(y0));
    const int ix1 = static_cast<int>(std::ceil(x1));
    const int iy1 = static_cast<int>(std::ceil(y1));
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            if (index(x, y) < 0)
                continue;
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float coverage = clamp01(0.5f - shape(px, py));
            if (coverage <= 0.f)
                continue;
            Rgba c = paint(px, py);
            c.a *= coverage;
            blend(x, y, c, mode);
        }
    }
}

void Canvas::rect(int x, int y, int w, int h, const Rgba& c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            blend(i, j, c);
}

void Canvas::rect(int x, int y, int w, int h, const Paint& p)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            blend(i, j, p(static_cast<float>(i) + 0.5f, static_cast<float>(j) + 0.5f));
}

void Canvas::roundRect(float x, float y, float w, float h, float radius, const Paint& p, Blend mode)
{
    const float cx = x + w / 2.f;
    const float cy = y + h / 2.f;
    fill([=](float px, float py) { return sdBox(px, py, cx, cy, w / 2.f, h / 2.f, radius); }, p, x - 1, y - 1,
         x + w + 1, y + h + 1, mode);
}

void Canvas::circle(float cx, float cy, float r, const Paint& p, Blend mode)
{
    fill([=](float px, float py) { return sdCircle(px, py, cx, cy, r); }, p, cx - r - 1, cy - r - 1, cx + r + 1,
         cy + r + 1, mode);
}

void Canvas::ellipse(float cx, float cy, float rx, float ry, const Paint& p, Blend mode)
{
    fill([=](float px, float py) { return sdEllipse(px, py, cx, cy, rx, ry); }, p, cx - rx - 1, cy - ry - 1,
         cx + rx + 1, cy + ry + 1, mode);
}

void Canvas::line(float ax, float ay, float bx, float by, float width, const Paint& p, Blend mode)
{
    const float hw = width / 2.f;
    fill([=](float px, float py) { return sdSegment(px, py, ax, ay, bx, by, hw); }, p, std::min(ax, bx) - hw - 1,
         std::min(ay, by) - hw - 1, std::max(ax, bx) + hw + 1, std::max(ay, by) + hw + 1, mode);
}

void Canvas::polygon(const std::vector<sf::Vector2f>& points, const Paint& p, Blend mode)
{
    float x0 = points[0].x;
    float y0 = points[0].y;
    float x1 = x0;
    float y1 = y0;
    for (const sf::Vector2f& v : points) {
        x0 = std::min(x0, v.x);
        y0 = std::min(y0, v.y);
        x1 = std::max(x1, v.x);
        y1 = std::max(y1, v.y);
    }
    fill([&points](float px, float py) { return sdPolygon(px, py, points); }, p, x0 - 1, y0 - 1, x1 + 1, y1 + 1, mode);
}

void Canvas::roundFrame(float x, float y, float w, float h, float radius, float thickness, const Paint& p)
{
    const float cx = x + w / 2.f;
    const float cy = y + h / 2.f;
    fill(
        [=](float px, float py) {
            const float d = sdBox(px, py, cx, cy, w / 2.f, h / 2.f, radius);
            return std::max(d, -d - thickness);
        },
        p, x - 1, y - 1, x + w + 1, y + h + 1);
}

void Canvas::draw(const Canvas& src, int dx, int dy, float opacity, Blend mode)
{
    for (int y = 0; y < src.m_height; ++y) {
        for (int x = 0; x < src.m_width; ++x) {
            Rgba c = src.m_pixels[static_cast<std::size_t>(y * src.m_width + x)];
            c.a *= opacity;
            blend(x + dx, y + dy, c, mode);
        }
    }
}

void Canvas::drawMask(const Canvas& mask, int dx, int dy, const Paint& paint, Blend mode)
{
    for (int y = 0; y < mask.m_height; ++y) {
        for (int x = 0; x < mask.m_width; ++x) {
            const float a = mask.m_pixels[static_cast<std::size_t>(y * mask.m_width + x)].a;
            if (a <= 0.f)
                continue;
            Rgba c = paint(static_cast<float>(x + dx) + 0.5f, static_cast<float>(y + dy) + 0.5f);
            c.a *= a;
            blend(x + dx, y + dy, c, mode);
        }
    }
}

Canvas Canvas::blurred(int radius) const
{
    // Premultiplied so that transparent pixels do not darken the colours they blur into.
    const int w = m_width;
    const int h = m_height;
    std::vector<Rgba> buf(m_pixels.size());
    for (std::size_t i = 0; i < buf.size(); ++i) {
        const Rgba& p = m_pixels[i];
        buf[i] = {p.r * p.a, p.g * p.a, p.b * p.a, p.a};
    }
    std::vector<Rgba> tmp(buf.size());
    const int r = std::max(1, radius / 2);
    const float norm = 1.f / static_cast<float>(2 * r + 1);
    auto sample = [&](const std::vector<Rgba>& v, int x, int y) -> Rgba {
        if (m_wrap)
            return v[static_cast<std::size_t>(wrapIndex(y, h) * w + wrapIndex(x, w))];
        if (x < 0 || y < 0 || x >= w || y >= h)
            return Rgba();
        return v[static_cast<std::size_t>(y * w + x)];
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            Rgba acc;
            for (int k = -r; k <= r; ++k) {
                const Rgba s = sample(buf, k, y);
                acc = {acc.r + s.r, acc.g + s.g, acc.b + s.b, acc.a + s.a};
            }
            for (int x = 0; x < w; ++x) {
                tmp[static_cast<std::size_t>(y * w + x)] = {acc.r * norm, acc.g * norm, acc.b * norm, acc.a * norm};
                const Rgba in = sample(buf, x + r + 1, y);
                const Rgba out = sample(buf, x - r, y);
                acc = {acc.r + in.r - out.r, acc.g + in.g - out.g, acc.b + in.b - out.b, acc.a + in.a - out.a};
            }
        }
        for (int x = 0; x < w; ++x) {
            Rgba acc;
            for (int k = -r; k <= r; ++k) {
                const Rgba s = sample(tmp, x, k);
                acc = {acc.r + s.r, acc.g + s.g, acc.b + s.b, acc.a + s.a};
            }
            for (int y = 0; y < h; ++y) {
                buf[static_cast<std::size_t>(y * w + x)] = {acc.r * norm, acc.g * norm, acc.b * norm, acc.a * norm};
                const Rgba in = sample(tmp, x, y + r + 1);
                const Rgba out = sample(tmp, x, y - r);
                acc = {acc.r + in.r - out.r, acc.g + in.g - out.g, acc.b + in.b - out.b, acc.a + in.a - out.a};
            }
        }
    }
    Canvas result(w, h);
    result.m_wrap = m_wrap;
    for (std::size_t i = 0; i < buf.size(); ++i) {
        const Rgba& p = buf[i];
        result.m_pixels[i] =
            p.a > 1e-5f ? Rgba{clamp01(p.r / p.a), clamp01(p.g / p.a), clamp01(p.b / p.a), clamp01(p.a)} : Rgba();
    }
    return result;
}

Canvas Canvas::crop(int x, int y, int w, int h) const
{
    Canvas result(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            result.m_pixels[static_cast<std::size_t>(j * w + i)] = at(x + i, y + j);
    return result;
}

Canvas Canvas::dilated(int radius) const
{
    Canvas result(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            float best = 0.f;
            for (int j = -radius; j <= radius && best < 1.f; ++j) {
                for (int i = -radius; i <= radius; ++i) {
                    if (i * i + j * j > radius * radius + radius)
                        continue;
                    best = std::max(best, at(x + i, y + j).a);
                }
            }
            result.m_pixels[static_cast<std::size_t>(y * m_width + x)] = {1.f, 1.f, 1.f, best};
        }
    }
    return result;
}

void Canvas::fadeAlpha(float k)
{
    for (Rgba& p : m_pixels)
        p.a *= k;
}

sf::Image Canvas::image() const
{
    sf::Image img;
    img.create(static_cast<unsigned>(m_width), static_cast<unsigned>(m_height));
    auto byte = [](float v) { return static_cast<sf::Uint8>(std::lround(clamp01(v) * 255.f)); };
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const Rgba& p = m_pixels[static_cast<std::size_t>(y * m_width + x)];
            const sf::Uint8 a = byte(p.a);
            // Fully transparent pixels carry no colour, so that the files stay small and
            // smoothing by a future scale never bleeds stray colours.
            img.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                         a == 0 ? sf::Color(0, 0, 0, 0) : sf::Color(byte(p.r), byte(p.g), byte(p.b), a));
        }
    }
    return img;
}

// --- text ---------------------------------------------------------------------------

Typesetter::Typesetter()
{
    m_ready = m_bold.loadFromFile("data/fonts/korvane.ttf") && m_mono.loadFromFile("data/fonts/dialogue.ttf");
    if (!m_ready)
        std::cerr << "assetgen: the fonts are missing from data/fonts" << std::endl;
    m_target = std::make_unique<sf::RenderTexture>();
    m_target->create(1400, 360);
}

bool Typesetter::ready() const
{
    return m_ready;
}

TextMask Typesetter::render(const std::string& utf8, bool mono, unsigned size, float outline, float letterSpacing)
{
    TextMask result;
    if (!m_ready)
        return result;
    sf::Text text(sf::String::fromUtf8(utf8.begin(), utf8.end()), mono ? m_mono : m_bold, size);
    text.setLetterSpacing(letterSpacing);
    text.setFillColor(sf::Color::White);
    if (outline > 0.f) {
        text.setOutlineThickness(outline);
        text.setOutlineColor(sf::Color::White);
    }
    const int pad = static_cast<int>(std::ceil(outline)) + 4;
    text.setPosition(static_cast<float>(pad), static_cast<float>(pad));
    m_target->clear(sf::Color::Transparent);
    m_target->draw(text);
    m_target->display();
    const sf::Image img = m_target->getTexture().copyToImage();

    const sf::FloatRect ink = text.getLocalBounds();
    const sf::FloatRect bounds = text.getGlobalBounds();
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.left)) - 2);
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.top)) - 2);
    const int x1 =
        std::min(static_cast<int>(img.getSize().x), static_cast<int>(std::ceil(bounds.left + bounds.width)) + 2);
    const int y1 =
        std::min(static_cast<int>(img.getSize().y), static_cast<int>(std::ceil(bounds.top + bounds.height)) + 2);
    result.mask = Canvas(std::max(1, x1 - x0), std::max(1, y1 - y0));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            result.mask.set(
                x - x0, y - y0,
                {1.f, 1.f, 1.f,
                 static_cast<float>(img.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a) / 255.f});
    result.penX = pad - x0;
    result.baseline = pad + static_cast<int>(size) - y0;
    result.inkLeft = ink.left + (outline > 0.f ? outline : 0.f);
    result.inkWidth = ink.width - 2.f * (outline > 0.f ? outline : 0.f);
    return result;
}

float Typesetter::advance(bool mono, unsigned size, std::uint32_t codePoint)
{
    return (mono ? m_mono : m_bold).getGlyph(codePoint, size, false).advance;
}

float Typesetter::lineSpacing(bool mono, unsigned size)
{
    return (mono ? m_mono : m_bold).getLineSpacing(size);
}

float Typesetter::capHeight(bool mono, unsigned size)
{
    return -(mono ? m_mono : m_bold).getGlyph('H', size, false).bounds.top;
}

Typesetter& typesetter()
{
    static Typesetter instance;
    return instance;
}

float textWidth(const std::string& utf8, const TextStyle& style)
{
    return typesetter().render(utf8, style.mono, style.size, 0.f, style.letterSpacing).inkWidth;
}

float drawText(Canvas& canvas, const std::string& utf8, float x, float baselineY, const TextStyle& style, Align align)
{
    Typesetter& ts = typesetter();
    const TextMask body = ts.render(utf8, style.mono, style.size, 0.f, style.letterSpacing);
    float inkX = x;
    if (align == Align::Center)
        inkX = x - body.inkWidth / 2.f;
    else if (align == Align::Right)
        inkX = x - body.inkWidth;
    // Whole pixels: glyphs were rasterised on the pixel grid and must stay on it.
    const int penX = static_cast<int>(std::lround(inkX - body.inkLeft));
    const int base = static_cast<int>(std::lround(baselineY));

    TextMask ring;
    if (style.outline > 0.f || style.glow.a > 0.f)
        ring = ts.render(utf8, style.mono, style.size, std::max(style.outline, 1.f), style.letterSpacing);
    if (style.glow.a > 0.f) {
        Canvas halo(ring.mask.width() + style.glowRadius * 4, ring.mask.height() + style.glowRadius * 4);
        halo.drawMask(ring.mask, style.glowRadius * 2, style.glowRadius * 2, solid(style.glow));
        const Canvas soft = halo.blurred(style.glowRadius);
        canvas.draw(soft, penX - ring.penX - style.glowRadius * 2, base - ring.baseline - style.glowRadius * 2);
    }
    if (style.shadowX != 0 || style.shadowY != 0) {
        const TextMask& s = style.outline > 0.f ? ring : body;
        canvas.drawMask(s.mask, penX - s.penX + style.shadowX, base - s.baseline + style.shadowY,
                        solid(style.outlineColor));
    }
    if (style.outline > 0.f)
        canvas.drawMask(ring.mask, penX - ring.penX, base - ring.baseline, solid(style.outlineColor));
    canvas.drawMask(body.mask, penX - body.penX, base - body.baseline, style.fill);
    return body.inkWidth;
}

float drawTextCentred(Canvas& canvas, const std::string& utf8, float centreX, float centreY, const TextStyle& style)
{
    const float cap = typesetter().capHeight(style.mono, style.size);
    return drawText(canvas, utf8, centreX, centreY + cap / 2.f, style, Align::Center);
}
