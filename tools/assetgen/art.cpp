#include "art.h"

#include "assetgen.h"

#include <algorithm>
#include <cmath>

namespace {

const float PI = 3.14159265f;

const int DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
const int DY[8] = {0, 1, 1, 1, 0, -1, -1, -1};

} // namespace

void saveTo(Output& out, const Canvas& c, const std::string& gamePath)
{
    out.save(c.image(), gamePath);
}

void drawTraces(Canvas& c, Rng& rng, const TraceStyle& s, int x0, int y0, int x1, int y1)
{
    if (x1 < 0)
        x1 = c.width();
    if (y1 < 0)
        y1 = c.height();
    const int cols = (x1 - x0) / s.grid;
    const int rows = (y1 - y0) / s.grid;
    // On a wrapping canvas the grid must wrap too, or tracks would overlap at the seam.
    const bool wrap = x0 == 0 && y0 == 0 && x1 == c.width() && y1 == c.height() && c.wraps() &&
                      (c.width() % s.grid == 0) && (c.height() % s.grid == 0);
    std::vector<char> used(static_cast<std::size_t>(cols * rows), 0);
    auto cell = [&](int gx, int gy) -> char* {
        if (wrap) {
            gx = ((gx % cols) + cols) % cols;
            gy = ((gy % rows) + rows) % rows;
        } else if (gx < 1 || gy < 1 || gx >= cols - 1 || gy >= rows - 1) {
            return nullptr;
        }
        return &used[static_cast<std::size_t>(gy * cols + gx)];
    };

    Canvas light(c.width(), c.height());
    struct Track
    {
        std::vector<sf::Vector2f> points;
    };
    std::vector<Track> tracks;

    for (int b = 0; b < s.bundles; ++b) {
        const int gx = 1 + rng.below(std::max(1, cols - 2));
        const int gy = 1 + rng.below(std::max(1, rows - 2));
        int dir = rng.below(4) * 2; // bundles start straight
        const int count = 1 + rng.below(s.maxBundle);
        const int side = (dir + 2) % 8;
        const int length = s.minLength + rng.below(std::max(1, s.maxLength - s.minLength + 1));
        // Every track of the bundle makes the same moves, one grid step apart.
        std::vector<int> moves;
        for (int i = 0; i < length; ++i) {
            if (i > 1 && rng.chance(s.turnChance))
                dir = (dir + (rng.chance(0.5f) ? 1 : 7)) % 8;
            moves.push_back(dir);
        }
        std::vector<std::vector<sf::Vector2i>> paths(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k)
            paths[static_cast<std::size_t>(k)].push_back({gx + DX[side] * k, gy + DY[side] * k});
        bool blocked = false;
        for (int k = 0; k < count && !blocked; ++k) {
            char* c0 = cell(paths[static_cast<std::size_t>(k)][0].x, paths[static_cast<std::size_t>(k)][0].y);
            blocked = !c0 || *c0;
        }
        if (blocked)
            continue;
        for (int m : moves) {
            bool free = true;
            for (int k = 0; k < count && free; ++k) {
                const sf::Vector2i p = paths[static_cast<std::size_t>(k)].back();
                char* n = cell(p.x + DX[m], p.y + DY[m]);
                free = n && !*n;
            }
            if (!free)
                break;
            for (int k = 0; k < count; ++k) {
                std::vector<sf::Vector2i>& path = paths[static_cast<std::size_t>(k)];
                const sf::Vector2i p = path.back();
                *cell(p.x, p.y) = 1;
                path.push_back({p.x + DX[m], p.y + DY[m]});
            }
        }
        for (auto& path : paths) {
            *cell(path.back().x, path.back().y) = 1;
            if (path.size() < 3)
                continue;
            Track t;
            for (const sf::Vector2i& p : path)
                t.points.push_back({static_cast<float>(x0 + p.x * s.grid) + 0.5f * s.grid,
                                    static_cast<float>(y0 + p.y * s.grid) + 0.5f * s.grid});
            tracks.push_back(t);
        }
    }

    const float hw = s.width / 2.f;
    const float padR = s.width * 1.5f + 1.f;
    for (const Track& t : tracks) {
        for (std::size_t i = 1; i < t.points.size(); ++i) {
            const sf::Vector2f a = t.points[i - 1];
            const sf::Vector2f b = t.points[i];
            c.line(a.x, a.y, b.x, b.y, s.width, solid(s.track));
            if (s.glow.a > 0.f)
                light.line(a.x, a.y, b.x, b.y, s.width + 2.f, solid(s.glow));
        }
        for (const sf::Vector2f& end : {t.points.front(), t.points.back()}) {
            c.circle(end.x, end.y, padR, solid(s.pad));
            c.circle(end.x, end.y, std::max(1.f, hw), solid(s.hole));
        }
    }
    if (s.glow.a > 0.f) {
        if (wrap)
            light.setWrap(true);
        c.draw(light.blurred(6), 0, 0, 1.f, Blend::Add);
    }
    for (int p = 0; p < s.pulses && !tracks.empty(); ++p) {
        const Track& t = tracks[static_cast<std::size_t>(rng.below(static_cast<int>(tracks.size())))];
        const std::size_t i = 1 + static_cast<std::size_t>(rng.below(static_cast<int>(t.points.size()) - 1));
        const sf::Vector2f a = t.points[i - 1];
        const sf::Vector2f b = t.points[i];
        const float f = rng.range(0.2f, 0.8f);
        const float px = a.x + (b.x - a.x) * f;
        const float py = a.y + (b.y - a.y) * f;
        // A packet: a short bright streak with a halo, heading along its track.
        const float len = 7.f;
        const float nx = (b.x - a.x) / s.grid;
        const float ny = (b.y - a.y) / s.grid;
        Canvas halo(48, 48);
        halo.line(24 - nx * len, 24 - ny * len, 24 + nx * 2, 24 + ny * 2, s.width + 4, solid(s.pulse));
        c.draw(halo.blurred(8), static_cast<int>(px) - 24, static_cast<int>(py) - 24, 0.9f, Blend::Add);
        c.line(px - nx * len, py - ny * len, px + nx * 2, py + ny * 2, s.width, solid(mix(s.pulse, pal::white, 0.5f)));
    }
}

void menuBackdrop(Canvas& c, std::uint32_t seed, float density)
{
    const int w = c.width();
    const int h = c.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float fx = static_cast<float>(x) / static_cast<float>(w);
            const float fy = static_cast<float>(y) / static_cast<float>(h);
            Rgba base = mix(pal::night, pal::navy, fy);
            // Faint fog so the large dark areas are not flat.
            const float n = fractalNoise(fx * 6.f, fy * 3.f, 64, 3, seed);
            base = mix(base, pal::indigo, 0.25f * n);
            c.set(x, y, base);
        }
    }
    Rng rng(seed);
    TraceStyle fine;
    fine.track = hex(0x1a2250);
    fine.pad = hex(0x232d63);
    fine.hole = pal::night;
    fine.grid = 16;
    fine.width = 2.f;
    fine.bundles = static_cast<int>(140 * density);
    fine.maxBundle = 5;
    drawTraces(c, rng, fine);
    TraceStyle bright = fine;
    bright.track = hex(0x25336e);
    bright.pad = hex(0x34468c);
    bright.glow = withAlpha(hex(0x2a6fd0), 0.35f);
    bright.grid = 16;
    bright.width = 2.f;
    bright.bundles = static_cast<int>(30 * density);
    bright.pulses = static_cast<int>(14 * density);
    bright.pulse = pal::cyan;
    drawTraces(c, rng, bright);
    // Vignette: the edges sink into the dark so the centre holds the eye.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float dx = (static_cast<float>(x) / static_cast<float>(w) - 0.5f) * 2.f;
            const float dy = (static_cast<float>(y) / static_cast<float>(h) - 0.5f) * 2.f;
            const float v = smoothstep(0.4f, 1.5f, std::sqrt(dx * dx * 0.8f + dy * dy));
            c.blend(x, y, withAlpha(hex(0x03050f), 0.75f * v));
        }
    }
}

void drawPanel(Canvas& c, float x, float y, float w, float h, const PanelStyle& s)
{
    // Shadow first, then the body, the rim and a soft top sheen.
    c.roundRect(x + 3, y + 5, w, h, s.radius, solid(withAlpha(pal::ink, 0.55f)));
    c.roundRect(x, y, w, h, s.radius, vertical(s.top, s.bottom, y, y + h));
    c.roundFrame(x, y, w, h, s.radius, 2.f, solid(withAlpha(s.rim, s.rimAlpha)));
    c.roundFrame(x + 2, y + 2, w - 4, h - 4, std::max(1.f, s.radius - 2.f), 1.f, solid(withAlpha(pal::ink, 0.6f)));
    c.roundRect(x + 6, y + 4, w - 12, 2, 1.f, solid(withAlpha(pal::white, 0.10f)));
    if (!s.brackets)
        return;
    const Rgba b = mix(s.rim, pal::white, 0.35f);
    const float L = std::min(22.f, std::min(w, h) / 4.f);
    const float o = -4.f;
    // Corner brackets hug the panel from outside, like a targeting frame.
    const float xs[2] = {x + o, x + w - o};
    const float ys[2] = {y + o, y + h - o};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            const float cx = xs[i];
            const float cy = ys[j];
            const float sx = i == 0 ? 1.f : -1.f;
            const float sy = j == 0 ? 1.f : -1.f;
            c.line(cx, cy, cx + sx * L, cy, 2.f, solid(b));
            c.line(cx, cy, cx, cy + sy * L, 2.f, solid(b));
        }
    }
}

Canvas outlined(const Canvas& src, int radius, const Rgba& color)
{
    Canvas result(src.width(), src.height());
    const Canvas grown = src.dilated(radius);
    result.drawMask(grown, 0, 0, solid(color));
    result.draw(src, 0, 0);
    return result;
}

Canvas makeButton(int w, int h, int plateW, int plateH, const std::string& label, Accent accent, unsigned fontSize)
{
    Canvas c(w, h);
    Rgba rim = pal::cyan;
    Rgba top = hex(0x223066);
    Rgba bottom = hex(0x121840);
    Rgba text = pal::white;
    if (accent == Accent::Primary) {
        rim = pal::yellow;
        top = hex(0x3a3362);
        bottom = hex(0x1b1a44);
        text = hex(0xfff4cf);
    } else if (accent == Accent::Danger) {
        rim = hex(0xff6072);
        top = hex(0x3a2150);
        bottom = hex(0x1c1236);
        text = hex(0xffe6ea);
    }
    const float x = std::floor((static_cast<float>(w) - static_cast<float>(plateW)) / 2.f);
    const float y = std::floor((static_cast<float>(h) - static_cast<float>(plateH)) / 2.f) - 1.f;
    const float pw = static_cast<float>(plateW);
    const float ph = static_cast<float>(plateH);
    const float r = std::min(14.f, ph / 3.f);
    // A hard drop shadow (no halo): the game clicks on every non-transparent pixel.
    c.roundRect(x + 1, y + 3, pw - 1, ph - 1, r, solid(withAlpha(pal::ink, 0.8f)));
    c.roundRect(x, y, pw - 1, ph - 2, r, vertical(top, bottom, y, y + ph));
    // Lower band a shade darker: the plate reads as a raised key.
    c.fill(
        [=](float px, float py) {
            return std::max(sdBox(px, py, x + pw / 2, y + ph / 2 - 1, pw / 2 - 0.5f, ph / 2 - 1, r),
                            y + ph * 0.55f - py);
        },
        solid(withAlpha(pal::ink, 0.18f)), x, y, x + pw, y + ph);
    c.roundFrame(x, y, pw - 1, ph - 2, r, 2.f, vertical(mix(rim, pal::white, 0.3f), scaled(rim, 0.7f), y, y + ph));
    c.roundFrame(x + 2, y + 2, pw - 5, ph - 6, r - 2, 1.f, solid(withAlpha(pal::ink, 0.5f)));
    c.roundRect(x + r, y + 4, pw - 2 * r, 2, 1, solid(withAlpha(pal::white, 0.16f)));
    // Chevrons at both ends point at the label.
    const float cy = y + (ph - 2) / 2.f;
    const float ch = std::min(9.f, ph / 6.f);
    TextStyle ts;
    ts.size = fontSize;
    ts.letterSpacing = 1.1f;
    const bool roomy = textWidth(label, ts) + 80.f < pw;
    for (int side = 0; side < 2 && roomy; ++side) {
        const float sx = side == 0 ? x + 12.f : x + pw - 13.f;
        const float d = side == 0 ? 1.f : -1.f;
        for (int k = 0; k < 2; ++k) {
            const float ox = sx + d * static_cast<float>(k) * 7.f;
            const Rgba col = withAlpha(rim, k == 0 ? 0.45f : 0.9f);
            c.line(ox, cy - ch, ox + d * ch * 0.8f, cy, 2.5f, solid(col));
            c.line(ox + d * ch * 0.8f, cy, ox, cy + ch, 2.5f, solid(col));
        }
    }
    ts.fill = vertical(pal::white, text, y + ph * 0.3f, y + ph * 0.7f);
    ts.outline = 2.f;
    ts.outlineColor = pal::ink;
    ts.shadowY = 2;
    drawTextCentred(c, label, static_cast<float>(w) / 2.f, cy, ts);
    return c;
}

namespace {

struct Arm
{
    float sx, sy, hx, hy;
};

Arm armAt(float cx, float shoulderY, float side, float halfWidth, float degrees, float length)
{
    const float a = degrees * PI / 180.f;
    const float sx = cx + side * (halfWidth - 3.f);
    return {sx, shoulderY, sx + side * std::sin(a) * length, shoulderY + std::cos(a) * length};
}

} // namespace

void drawMascot(Canvas& c, float cx, float groundY, float s, const MascotPose& pose)
{
    // Drawn in its own layer, so that one outline surrounds every part at once.
    Canvas layer(c.width(), c.height());
    const float ground = groundY - pose.lift;
    const float hw = 30.f * s * (1.f + pose.squash);
    const float hh = 27.f * s * (1.f - pose.squash);
    const float feetH = 6.f * s;
    const float bodyCy = ground - feetH - hh;
    const float top = bodyCy - hh;

    const Rgba body = pal::cyan;
    const Rgba dark = hex(0x149ea0);
    const Rgba deep = hex(0x0d6f7a);

    if (pose.shadow) {
        const float k = 1.f / (1.f + pose.lift / (18.f * s));
        c.ellipse(cx, groundY - 1.f, 26.f * s * k, 4.f * s * std::max(0.6f, k), solid(withAlpha(pal::ink, 0.45f * k)));
    }

    // Feet
    for (float side : {-1.f, 1.f}) {
        const float fx = cx + side * 13.f * s;
        layer.roundRect(fx - 7.f * s, ground - feetH - 3.f * s, 14.f * s, feetH + 3.f * s, 3.f * s,
                        vertical(dark, deep, ground - feetH, ground));
    }
    // Antenna stalk and bulb (the bulb is drawn after the outline so it can glow)
    const float tipX = cx + pose.antennaTilt * s;
    const float tipY = top - 13.f * s;
    layer.line(cx, top + 2.f * s, tipX, tipY, 3.f * s, solid(deep));

    // Arms, behind the body edge
    const float shoulderY = bodyCy + 2.f * s;
    const Arm arms[2] = {armAt(cx, shoulderY, -1.f, hw, pose.armLeft, 15.f * s),
                         armAt(cx, shoulderY, 1.f, hw, pose.armRight, 15.f * s)};
    for (const Arm& a : arms) {
        layer.line(a.sx, a.sy, a.hx, a.hy, 7.f * s, solid(dark));
        layer.circle(a.hx, a.hy, 4.5f * s, solid(body));
    }

    // Body: lit from the top left, a darker crescent on the lower right.
    const float r = std::min(hw, hh) * 0.78f;
    auto shape = [=](float px, float py) { return sdBox(px, py, cx, bodyCy, hw, hh, r); };
    layer.fill(
        shape,
        [=](float px, float py) {
            const float lit = sdBox(px + 5.f * s, py + 5.f * s, cx, bodyCy, hw, hh, r);
            Rgba col = mix(hex(0x5cf2e4), body, clamp01((py - top) / (hh * 0.9f)));
            if (lit > 0.f)
                col = dark;
            return col;
        },
        cx - hw - 1, top - 1, cx + hw + 1, bodyCy + hh + 1);
    // Gloss on the upper left
    layer.ellipse(cx - hw * 0.55f, top + hh * 0.3f, 5.f * s, 3.f * s, solid(withAlpha(pal::white, 0.55f)));

    Canvas finished = outlined(layer, std::max(1, static_cast<int>(std::lround(2.f * s))), pal::ink);

    // Face screen
    const float visorCy = bodyCy - 3.f * s;
    const float vw = 19.f * s * (1.f + pose.squash * 0.6f);
    const float vh = 13.f * s * (1.f - pose.squash * 0.6f);
    finished.roundRect(cx - vw - 1.5f * s, visorCy - vh - 1.5f * s, 2 * vw + 3.f * s, 2 * vh + 3.f * s, 7.f * s,
                       solid(deep));
    finished.roundRect(cx - vw, visorCy - vh, 2 * vw, 2 * vh, 6.f * s,
                       vertical(hex(0x0f1838), hex(0x070b1c), visorCy - vh, visorCy + vh));
    // Screen glare: one diagonal band.
    finished.fill(
        [=](float px, float py) {
            const float band = std::fabs((px - cx) + (py - visorCy) * 0.9f + vw * 0.35f) - 2.5f * s;
            return std::max(band, sdBox(px, py, cx, visorCy, vw - 2.f * s, vh - 2.f * s, 5.f * s));
        },
        solid(withAlpha(pal::white, 0.08f)), cx - vw, visorCy - vh, cx + vw, visorCy + vh);

    const Rgba eye = hex(0x8ffcf1);
    const float ex = 8.5f * s;
    const float ey = visorCy - 1.5f * s;
    const float look = pose.eyes == MascotPose::Look ? 3.f * s : 0.f;
    Canvas glow(c.width(), c.height());
    for (float side : {-1.f, 1.f}) {
        const float x = cx + side * ex + look;
        switch (pose.eyes) {
        case MascotPose::Open:
        case MascotPose::Look:
            glow.roundRect(x - 3.5f * s, ey - 5.5f * s, 7.f * s, 11.f * s, 3.f * s, solid(eye));
            break;
        case MascotPose::Closed:
            glow.roundRect(x - 4.f * s, ey + 0.5f * s, 8.f * s, 2.5f * s, 1.2f * s, solid(eye));
            break;
        case MascotPose::Happy:
            glow.line(x - 4.f * s, ey + 2.f * s, x, ey - 2.5f * s, 2.6f * s, solid(eye));
            glow.line(x, ey - 2.5f * s, x + 4.f * s, ey + 2.f * s, 2.6f * s, solid(eye));
            break;
        }
    }
    if (pose.smile) {
        // A tiny smile under the eyes, on the screen.
        const float my = visorCy + 6.f * s;
        glow.fill(
            [=](float px, float py) {
                const float ring = std::fabs(sdCircle(px, py, cx + look * 0.5f, my - 2.5f * s, 3.2f * s)) - 0.9f * s;
                return std::max(ring, my - 2.f * s - py);
            },
            solid(eye), cx - 6 * s, my - 4 * s, cx + 6 * s, my + 3 * s);
    }
    finished.draw(glow.blurred(std::max(2, static_cast<int>(3 * s))), 0, 0, 0.8f, Blend::Add);
    finished.draw(glow, 0, 0);
    // Eye shine
    if (pose.eyes == MascotPose::Open || pose.eyes == MascotPose::Look) {
        for (float side : {-1.f, 1.f}) {
            const float x = cx + side * ex + look;
            finished.roundRect(x - 2.f * s, ey - 4.f * s, 2.f * s, 2.5f * s, 0.8f * s, solid(pal::white));
        }
    }
    // Cheeks on the body, beside the screen
    for (float side : {-1.f, 1.f})
        finished.ellipse(cx + side * (vw + 6.5f * s), visorCy + 6.f * s, 3.5f * s, 2.f * s,
                         solid(withAlpha(pal::pink, 0.7f)));

    // Antenna bulb with its own glow
    Canvas bulb(c.width(), c.height());
    bulb.circle(tipX, tipY, 6.f * s, solid(withAlpha(pal::yellow, 0.9f)));
    finished.draw(bulb.blurred(std::max(2, static_cast<int>(5 * s))), 0, 0, 0.7f, Blend::Add);
    finished.circle(tipX, tipY, 4.5f * s, solid(pal::ink));
    finished.circle(tipX, tipY, 3.2f * s, vertical(hex(0xfff6c8), pal::yellow, tipY - 3 * s, tipY + 2 * s));
    finished.circle(tipX - 1.f * s, tipY - 1.f * s, 1.f * s, solid(pal::white));

    c.draw(finished, 0, 0);
}

void drawMascotFace(Canvas& c, float cx, float cy, float s, MascotPose::Eyes eyes)
{
    // The standing figure at a scale where its face fills the box, feet cut off below.
    MascotPose pose;
    pose.eyes = eyes;
    pose.shadow = false;
    pose.armLeft = 10.f;
    pose.armRight = 10.f;
    drawMascot(c, cx, cy + 33.f * s, s, pose);
}

const std::vector<World>& worlds()
{
    // From the stick where the program wakes up, inwards to the core: each world
    // shifts the hue so the player feels the journey.
    static const std::vector<World> list = {
        {"01_USB", "Clé USB", hex(0x0b1026), hex(0x26336e), hex(0x1d2a5e), hex(0x2ee6d6), 1},
        {"02_BUS", "Bus de données", hex(0x140f2e), hex(0x3a2f6a), hex(0x2a2152), hex(0xffb23f), 2},
        {"03_RAM", "Mémoire vive", hex(0x061c1c), hex(0x1d4c45), hex(0x12352f), hex(0xe9c45a), 3},
        {"04_CACHE", "Cache", hex(0x1a0d30), hex(0x47286e), hex(0x2e1a4d), hex(0xff6bd6), 4},
        {"05_CPU", "Processeur", hex(0x0d121e), hex(0x34405a), hex(0x1e2638), hex(0x8fb6ff), 5},
        {"06_HORLOGE", "Horloge", hex(0x0f1733), hex(0x2c3c74), hex(0x1e2a57), hex(0xffd23f), 6},
        {"07_RESEAU", "Réseau", hex(0x041c20), hex(0x17484c), hex(0x0f3236), hex(0x4dffa0), 7},
        {"08_PAREFEU", "Pare-feu", hex(0x220910), hex(0x5a1d28), hex(0x3a1219), hex(0xff7a2f), 8},
        {"09_NOYAU", "Noyau", hex(0x0c0618), hex(0x352458), hex(0x21163a), hex(0xc9a2ff), 9},
    };
    return list;
}

void drawEmblem(Canvas& c, const World& world, float cx, float cy, float size)
{
    Canvas layer(c.width(), c.height());
    const float u = size / 64.f; // designed on a 64 px grid
    const Rgba a = world.accent;
    const Rgba light = mix(a, pal::white, 0.45f);
    const Paint fillA = vertical(light, a, cy - 30 * u, cy + 30 * u);
    auto L = [&](float x0, float y0, float x1, float y1, float w) {
        layer.line(cx + x0 * u, cy + y0 * u, cx + x1 * u, cy + y1 * u, w * u, fillA);
    };
    switch (world.motif) {
    case 1: // the trident of the plug
        L(0, 26, 0, -22, 5);
        layer.polygon({{cx, cy - 30 * u}, {cx - 8 * u, cy - 18 * u}, {cx + 8 * u, cy - 18 * u}}, fillA);
        L(0, 12, -15, 0, 5);
        L(-15, 0, -15, -8, 5);
        layer.circle(cx - 15 * u, cy - 11 * u, 5.5f * u, fillA);
        L(0, 6, 15, -4, 5);
        L(15, -4, 15, -10, 5);
        layer.rect(static_cast<int>(cx + 10 * u), static_cast<int>(cy - 20 * u), static_cast<int>(10 * u),
                   static_cast<int>(10 * u), fillA);
        layer.circle(cx, cy + 24 * u, 7 * u, fillA);
        break;
    case 2: // lanes of the bus, data flowing right
        for (int i = -1; i <= 1; ++i) {
            const float y = static_cast<float>(i) * 17.f;
            const float off = i == 0 ? 6.f : 0.f;
            L(-26 + off, y, 14 + off, y, 6);
            layer.polygon({{cx + (26 + off) * u, cy + y * u},
                           {cx + (12 + off) * u, cy + (y - 9) * u},
                           {cx + (12 + off) * u, cy + (y + 9) * u}},
                          fillA);
        }
        break;
    case 3: // a memory stick
        layer.roundRect(cx - 29 * u, cy - 16 * u, 58 * u, 28 * u, 3 * u, fillA);
        for (int i = 0; i < 4; ++i)
            layer.rect(static_cast<int>(cx + (-25 + 13 * i) * u), static_cast<int>(cy - 11 * u),
                       static_cast<int>(10 * u), static_cast<int>(13 * u), solid(scaled(world.deep, 1.2f)));
        for (int i = 0; i < 12; ++i)
            layer.rect(static_cast<int>(cx + (-27 + 4.6f * static_cast<float>(i)) * u), static_cast<int>(cy + 13 * u),
                       std::max(1, static_cast<int>(3 * u)), static_cast<int>(7 * u), solid(light));
        layer.rect(static_cast<int>(cx + 4 * u), static_cast<int>(cy + 11 * u), static_cast<int>(4 * u),
                   static_cast<int>(10 * u), solid(Rgba()));
        break;
    case 4: // three stacked levels
        for (int i = 2; i >= 0; --i) {
            const float y = static_cast<float>(i) * 12.f - 12.f;
            layer.polygon({{cx, cy + (y - 13) * u},
                           {cx + 28 * u, cy + y * u},
                           {cx, cy + (y + 13) * u},
                           {cx - 28 * u, cy + y * u}},
                          solid(i == 0 ? light : mix(a, world.deep, 0.25f * static_cast<float>(i))));
        }
        break;
    case 5: // the processor, pins on every side
        for (int i = 0; i < 5; ++i) {
            const float p = -16.f + 8.f * static_cast<float>(i);
            L(p, -28, p, 28, 3);
            L(-28, p, 28, p, 3);
        }
        layer.roundRect(cx - 20 * u, cy - 20 * u, 40 * u, 40 * u, 4 * u, fillA);
        layer.roundRect(cx - 11 * u, cy - 11 * u, 22 * u, 22 * u, 3 * u, solid(scaled(world.deep, 1.4f)));
        layer.roundRect(cx - 7 * u, cy - 7 * u, 14 * u, 14 * u, 2 * u, solid(light));
        break;
    case 6: // a clock face
        layer.fill([=](float x, float y) { return std::fabs(sdCircle(x, y, cx, cy, 24 * u)) - 3.5f * u; }, fillA,
                   cx - 30 * u, cy - 30 * u, cx + 30 * u, cy + 30 * u);
        for (int i = 0; i < 12; ++i) {
            const float ang = static_cast<float>(i) * PI / 6.f;
            const float r0 = i % 3 == 0 ? 13.f : 16.f;
            L(std::sin(ang) * r0, -std::cos(ang) * r0, std::sin(ang) * 18.f, -std::cos(ang) * 18.f, 2.5f);
        }
        L(0, 0, 0, -14, 4);
        L(0, 0, 10, 5, 4);
        layer.circle(cx, cy, 3.5f * u, solid(light));
        break;
    case 7: // a little network of nodes
    {
        const float nx[5] = {0, -22, 22, -14, 16};
        const float ny[5] = {0, -16, -18, 20, 18};
        for (int i = 1; i < 5; ++i)
            L(nx[0], ny[0], nx[i], ny[i], 3.5f);
        L(nx[1], ny[1], nx[3], ny[3], 2.5f);
        L(nx[2], ny[2], nx[4], ny[4], 2.5f);
        layer.circle(cx, cy, 9 * u, fillA);
        for (int i = 1; i < 5; ++i)
            layer.circle(cx + nx[i] * u, cy + ny[i] * u, 6 * u, fillA);
        break;
    }
    case 8: // a shield with a flame
    {
        layer.polygon({{cx - 24 * u, cy - 24 * u},
                       {cx + 24 * u, cy - 24 * u},
                       {cx + 24 * u, cy},
                       {cx, cy + 28 * u},
                       {cx - 24 * u, cy}},
                      fillA);
        layer.polygon({{cx, cy - 16 * u},
                       {cx + 9 * u, cy + 2 * u},
                       {cx + 4 * u, cy + 14 * u},
                       {cx - 4 * u, cy + 14 * u},
                       {cx - 9 * u, cy + 2 * u},
                       {cx - 3 * u, cy - 4 * u}},
                      solid(scaled(world.deep, 1.3f)));
        layer.circle(cx, cy + 8 * u, 4.5f * u, solid(pal::yellow));
        break;
    }
    default: // the core: a bright heart inside orbits
        for (int i = 0; i < 3; ++i) {
            const float ang = static_cast<float>(i) * PI / 3.f;
            const float ca = std::cos(ang);
            const float sa = std::sin(ang);
            layer.fill(
                [=](float x, float y) {
                    const float dx = x - cx;
                    const float dy = y - cy;
                    const float rx = dx * ca + dy * sa;
                    const float ry = -dx * sa + dy * ca;
                    return std::fabs(sdEllipse(rx, ry, 0, 0, 28 * u, 10 * u)) - 1.8f * u;
                },
                fillA, cx - 30 * u, cy - 30 * u, cx + 30 * u, cy + 30 * u);
        }
        layer.circle(cx, cy, 8 * u, solid(pal::white));
        break;
    }
    Canvas halo(c.width(), c.height());
    halo.draw(layer, 0, 0);
    c.draw(halo.blurred(std::max(3, static_cast<int>(6 * u))), 0, 0, 0.8f, Blend::Add);
    c.draw(outlined(layer, std::max(1, static_cast<int>(2 * u)), pal::ink), 0, 0);
}
