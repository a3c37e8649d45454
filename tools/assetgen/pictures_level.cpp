// Everything a level is built from: the player's sheet, and per world the scrolling
// backdrop, the ground pieces, hazards, doors and decorations; plus the props that
// every world shares (vortexes, bullet, lever, target).
//
// Files written in data\graphics\map\<world>\ for every world (sizes in pixels):
//   background.png        1000x500  tiles both ways (the level may scroll it)
//   sol.png               1000x40   floor, lit top edge, tiles horizontally
//   plafond.png           1000x20   ceiling, lit bottom edge, tiles horizontally
//   mur.png               20x500    wall, tiles vertically
//   bloc.png              40x40     block
//   plateforme.png        160x20    platform
//   plateformeCourte.png  80x20     short platform
//   pilier.png            40x120    pillar
//   pilierLarge.png       80x120    wide pillar, a landing that forgives a late jump
//   porte.png             20x100    door: an energy barrier in a frame
//   pics.png              40x40     spikes, 2 rows of 40x20: raised, retracted
//   picsLarges.png        80x40     a wide spike stone, the same 2 rows at 80x20
//   decoPuce.png          64x40     a chip
//   decoLed.png           24x12     LED, 2 columns of 12x12: lit, dark
//   decoCable.png         120x40    a hanging cable
//   decoCondensateur.png  24x40     a capacitor
//   decoVentilateur.png   48x48     a fan grille
//   decoEmbleme.png       80x80     the world's sign
//   mapIcon.png           304x80    (drawn with the slot menus)
// and in data\graphics\map\common\:
//   currentLevelVortex.png, nextLevelVortex.png  64x64, tile horizontally
//   bullet.png 8x8, levier.png 32x80 (2 rows of 32x40), cible.png 32x64 (2 rows of 32x32)
#include "art.h"

#include <cmath>

namespace {

const float PI = 3.14159265f;

std::string mapPath(const World& w, const std::string& file)
{
    return std::string("data\\graphics\\map\\") + w.folder + "\\" + file;
}

// --- backdrops ------------------------------------------------------------------------

void motif(Canvas& c, const World& w, Rng& rng)
{
    const Rgba faint = mix(w.track, w.deep, 0.45f);
    const Rgba line = withAlpha(mix(w.track, w.accent, 0.12f), 0.8f);
    switch (w.motif) {
    case 1: // big flash memory chips lying on the board
        for (int i = 0; i < 3; ++i) {
            const float x = 80.f + 330.f * static_cast<float>(i) + rng.range(-30, 30);
            const float y = rng.range(40, 380);
            const float cw = rng.range(120, 170);
            const float ch = rng.range(70, 100);
            for (float px = x + 8; px < x + cw - 6; px += 10) {
                c.rect(static_cast<int>(px), static_cast<int>(y - 8), 5, 10, line);
                c.rect(static_cast<int>(px), static_cast<int>(y + ch - 2), 5, 10, line);
            }
            c.roundRect(x, y, cw, ch, 4, solid(faint));
            c.roundFrame(x, y, cw, ch, 4, 2, solid(line));
            c.circle(x + 14, y + 14, 5, solid(line));
        }
        break;
    case 2: // two wide buses crossing the whole board
        for (float by : {110.f, 350.f}) {
            for (int k = 0; k < 8; ++k) {
                const float y = by + static_cast<float>(k) * 8.f;
                c.line(-10, y, 1010, y, 3.f, solid(line));
            }
        }
        break;
    case 3: // banks of memory cells
        for (int b = 0; b < 4; ++b) {
            const int bx = 40 + b * 250 + rng.below(40);
            const int by = 60 + rng.below(300);
            for (int j = 0; j < 6; ++j)
                for (int i = 0; i < 10; ++i)
                    c.rect(bx + i * 14, by + j * 14, 10, 10, rng.chance(0.3f) ? line : faint);
        }
        break;
    case 4: // stacked diamonds, lines of the cache
        for (int j = 0; j < 10; ++j) {
            for (int i = 0; i < 20; ++i) {
                if (!rng.chance(0.35f))
                    continue;
                const float x = static_cast<float>(i) * 50.f + (j % 2 ? 25.f : 0.f);
                const float y = static_cast<float>(j) * 50.f;
                c.polygon({{x, y - 14}, {x + 20, y}, {x, y + 14}, {x - 20, y}}, solid(rng.chance(0.3f) ? line : faint));
            }
        }
        break;
    case 5: // the die: a regular grid of logic blocks
        for (int j = 0; j < 5; ++j)
            for (int i = 0; i < 10; ++i)
                if (rng.chance(0.55f))
                    c.roundFrame(static_cast<float>(i * 100 + 10), static_cast<float>(j * 100 + 10), 80, 80, 3, 2,
                                 solid(rng.chance(0.3f) ? line : faint));
        break;
    case 6: // the clock signal, square waves across the board
        for (float by : {90.f, 300.f}) {
            for (int k = 0; k < 20; ++k) {
                const float x = static_cast<float>(k) * 50.f;
                const float hi = by;
                const float lo = by + 30.f;
                c.line(x, lo, x + 25, lo, 3, solid(line));
                c.line(x + 25, lo, x + 25, hi, 3, solid(line));
                c.line(x + 25, hi, x + 50, hi, 3, solid(line));
                c.line(x + 50, hi, x + 50, lo, 3, solid(line));
            }
        }
        break;
    case 7: { // a mesh of network nodes
        std::vector<sf::Vector2f> nodes;
        for (int i = 0; i < 22; ++i)
            nodes.push_back({rng.range(0, 1000), rng.range(0, 500)});
        for (std::size_t i = 0; i < nodes.size(); ++i)
            for (std::size_t j = i + 1; j < nodes.size(); ++j) {
                float dx = nodes[j].x - nodes[i].x;
                float dy = nodes[j].y - nodes[i].y;
                // Nearest copy across the seams, so links wrap like the board does.
                dx -= 1000.f * std::round(dx / 1000.f);
                dy -= 500.f * std::round(dy / 500.f);
                if (dx * dx + dy * dy < 190.f * 190.f)
                    c.line(nodes[i].x, nodes[i].y, nodes[i].x + dx, nodes[i].y + dy, 2, solid(faint));
            }
        for (const sf::Vector2f& n : nodes) {
            c.circle(n.x, n.y, 9, solid(faint));
            c.fill([&n](float x, float y) { return std::fabs(sdCircle(x, y, n.x, n.y, 9)) - 1.f; }, solid(line),
                   n.x - 11, n.y - 11, n.x + 11, n.y + 11);
        }
        break;
    }
    case 8: // a wall of bricks far behind
        for (int j = 0; j < 20; ++j)
            for (int i = 0; i < 20; ++i) {
                const float x = static_cast<float>(i) * 50.f + (j % 2 ? 25.f : 0.f);
                const float y = static_cast<float>(j) * 25.f;
                c.roundRect(x + 2, y + 2, 46, 21, 2, solid(rng.chance(0.15f) ? line : faint));
            }
        break;
    default: // rings around the heart of the system
        for (int i = 0; i < 4; ++i) {
            const float x = 125.f + 250.f * static_cast<float>(i);
            const float y = i % 2 ? 125.f : 375.f;
            for (float r = 30; r < 120; r += 22)
                c.fill([=](float px, float py) { return std::fabs(sdCircle(px, py, x, y, r)) - 1.f; },
                       solid(r < 60 ? line : faint), x - r - 2, y - r - 2, x + r + 2, y + r + 2);
            c.circle(x, y, 10, solid(line));
        }
        break;
    }
}

void backdrop(Output& out, const World& w, std::uint32_t seed)
{
    Canvas c(1000, 500);
    c.setWrap(true);
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 1000; ++x) {
            const float n = fractalNoise(static_cast<float>(x) / 200.f, static_cast<float>(y) / 100.f, 5, 3, seed);
            c.set(x, y, mix(scaled(w.deep, 0.85f), w.track, n * 0.6f));
        }
    Rng rng(seed);
    motif(c, w, rng);
    TraceStyle ts;
    // Kept dim: the backdrop must never compete with what the player can stand on.
    ts.track = mix(w.deep, w.track, 0.75f);
    ts.pad = mix(w.deep, mix(w.track, w.accent, 0.15f), 0.8f);
    ts.hole = scaled(w.deep, 0.85f);
    ts.grid = 20;
    ts.width = 3.f;
    ts.bundles = 90;
    ts.maxBundle = 4;
    ts.glow = withAlpha(w.accent, 0.05f);
    ts.pulses = 8;
    ts.pulse = withAlpha(w.accent, 0.7f);
    drawTraces(c, rng, ts);
    // Dust of faint lights, far away.
    for (int i = 0; i < 60; ++i) {
        const int x = rng.below(1000);
        const int y = rng.below(500);
        c.blend(x, y, withAlpha(w.accent, rng.range(0.15f, 0.45f)));
    }
    saveTo(out, c, mapPath(w, "background.png"));
}

// --- ground pieces ----------------------------------------------------------------------

enum Edge
{
    TOP = 1,
    BOTTOM = 2,
    LEFT = 4,
    RIGHT = 8
};

// A solid piece of the world. `lit` edges get the world's bright rim; `closed` edges
// get a dark outline (edges meant to tile against themselves get neither).
Canvas groundPiece(const World& w, int width, int height, int lit, int closed, std::uint32_t seed)
{
    Canvas c(width, height);
    const bool tall = height > width;
    // Grain repeats with the piece, so floors, ceilings and walls tile without a seam.
    const int period = std::max(1, (tall ? height : width) / 4);
    const Rgba hi = scaled(mix(w.mid, w.accent, 0.1f), 1.4f);
    const Rgba lo = scaled(w.mid, 0.62f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float f = tall ? static_cast<float>(x) / static_cast<float>(width)
                                 : static_cast<float>(y) / static_cast<float>(height);
            Rgba col = mix(hi, lo, tall ? std::fabs(f - 0.4f) * 1.2f : f);
            // Brushed-metal grain, kept on a 2 px grid so it reads as pixel art.
            const float n =
                valueNoise(static_cast<float>(x / 2) * 0.5f, static_cast<float>(y / 2) * 0.5f, period, seed);
            col = scaled(col, 0.94f + 0.1f * n);
            c.set(x, y, col);
        }
    // Panel seams every 40 px along the long side, with a screw on each.
    const int length = tall ? height : width;
    const int across = tall ? width : height;
    if (length >= 80) {
        for (int s = 40; s < length + 40; s += 40) {
            const int p = s % length;
            for (int k = 0; k < across; ++k) {
                if (tall) {
                    c.set(k, p, scaled(lo, 0.7f));
                    c.set(k, (p + 1) % length, scaled(hi, 1.05f));
                } else {
                    c.set(p, k, scaled(lo, 0.7f));
                    c.set((p + 1) % length, k, scaled(hi, 1.05f));
                }
            }
        }
    }
    Rng rng(seed);
    if (across >= 20 && length >= 40) {
        // A few thin traces and vias etched into the metal.
        const Rgba etch = mix(w.mid, w.accent, 0.25f);
        for (int s = 0; s < length; s += 40) {
            const float a = static_cast<float>(s) + 8.f + static_cast<float>(rng.below(8));
            const float b = a + 14.f + static_cast<float>(rng.below(10));
            const float mid = static_cast<float>(across) * 0.55f + (across >= 40 ? 6.f : 1.f);
            if (tall) {
                c.line(mid, a, mid, b, 1.5f, solid(etch));
                c.circle(mid, b, 2.f, solid(etch));
            } else {
                c.line(a, mid, b, mid, 1.5f, solid(etch));
                c.circle(b, mid, 2.f, solid(etch));
            }
            const float screw = static_cast<float>(s) + 5.f;
            const float sa = static_cast<float>(across) * (across >= 40 ? 0.72f : 0.6f);
            const float sx = tall ? sa : screw;
            const float sy = tall ? screw : sa;
            c.circle(sx, sy, 2.f, solid(scaled(lo, 0.6f)));
            c.circle(sx - 0.5f, sy - 0.5f, 1.2f, solid(hi));
        }
    }
    // Lit rims: a bright line on the edge, a softer one under it, then a shadow.
    const Rgba bright = mix(w.accent, pal::white, 0.35f);
    auto rim = [&](int edge) {
        for (int k = 0; k < (tall ? height : width) || k < (tall ? width : height); ++k) {
            for (int d = 0; d < 4; ++d) {
                Rgba col =
                    d == 0 ? bright
                           : (d == 1 ? w.accent : (d == 2 ? withAlpha(w.accent, 0.35f) : withAlpha(pal::ink, 0.35f)));
                if (edge == TOP && k < width)
                    c.blend(k, d, col);
                if (edge == BOTTOM && k < width)
                    c.blend(k, height - 1 - d, col);
                if (edge == LEFT && k < height)
                    c.blend(d, k, col);
                if (edge == RIGHT && k < height)
                    c.blend(width - 1 - d, k, col);
            }
        }
    };
    for (int e : {TOP, BOTTOM, LEFT, RIGHT})
        if (lit & e)
            rim(e);
    for (int x = 0; x < width; ++x) {
        if (closed & TOP)
            c.set(x, 0, pal::ink);
        if (closed & BOTTOM)
            c.set(x, height - 1, pal::ink);
    }
    for (int y = 0; y < height; ++y) {
        if (closed & LEFT)
            c.set(0, y, pal::ink);
        if (closed & RIGHT)
            c.set(width - 1, y, pal::ink);
    }
    return c;
}

Canvas block(const World& w, std::uint32_t seed)
{
    Canvas c = groundPiece(w, 40, 40, TOP | LEFT, TOP | BOTTOM | LEFT | RIGHT, seed);
    // A chip-like inset so stacked blocks stay readable one by one.
    c.roundRect(9, 9, 22, 22, 3, solid(scaled(w.mid, 0.55f)));
    c.roundFrame(9, 9, 22, 22, 3, 1.5f, solid(mix(w.mid, w.accent, 0.45f)));
    c.rect(14, 14, 12, 12, mix(scaled(w.mid, 0.8f), w.accent, 0.25f));
    c.rect(18, 18, 4, 4, withAlpha(w.accent, 0.9f));
    // Shadow on the right and bottom edges for a bevel.
    for (int k = 1; k < 39; ++k) {
        c.blend(38, k, withAlpha(pal::ink, 0.45f));
        c.blend(k, 38, withAlpha(pal::ink, 0.45f));
    }
    return c;
}

Canvas platform(const World& w, int width, std::uint32_t seed)
{
    Canvas c = groundPiece(w, width, 20, TOP, TOP | BOTTOM | LEFT | RIGHT, seed);
    // Rounded ends with a warning notch so the edges of a jump are easy to judge.
    for (int side = 0; side < 2; ++side) {
        const int x0 = side == 0 ? 1 : width - 9;
        for (int k = 0; k < 3; ++k)
            c.line(static_cast<float>(x0 + k * 3), 17.f, static_cast<float>(x0 + k * 3 + 3), 7.f, 1.5f,
                   solid(withAlpha(w.accent, 0.35f)));
    }
    for (int x = 1; x < width - 1; ++x)
        c.blend(x, 18, withAlpha(pal::ink, 0.5f));
    c.set(0, 0, Rgba());
    c.set(width - 1, 0, Rgba());
    c.set(0, 19, Rgba());
    c.set(width - 1, 19, Rgba());
    return c;
}

Canvas pillar(const World& w, int width, std::uint32_t seed)
{
    Canvas c = groundPiece(w, width, 120, LEFT, LEFT | RIGHT, seed);
    // Capitals at both ends.
    for (int y0 : {0, 110}) {
        Canvas cap = groundPiece(w, width, 10, y0 == 0 ? TOP : 0, TOP | BOTTOM | LEFT | RIGHT, seed + 7);
        c.draw(cap, 0, y0);
    }
    for (int x = 1; x < width - 1; ++x)
        c.blend(x, 10, withAlpha(pal::ink, 0.4f));
    return c;
}

Canvas door(const World& w)
{
    (void)w;
    Canvas c(20, 100);
    // The field: warm, bright, striped and humming, nothing like the solid walls.
    for (int y = 8; y < 92; ++y)
        for (int x = 3; x < 17; ++x) {
            const float cx = std::fabs(static_cast<float>(x) - 9.5f) / 7.f;
            const float band = 0.5f + 0.5f * std::sin(static_cast<float>(y) * 0.9f);
            Rgba col = mix(pal::yellow, pal::amber, cx);
            col = mix(col, pal::white, (1.f - cx) * 0.55f * band);
            col.a = 0.55f + 0.4f * (1.f - cx) + 0.05f * band;
            if (y % 6 == 0)
                col = mix(col, pal::white, 0.5f);
            c.set(x, y, col);
        }
    // Rails on both sides, with emitter studs.
    for (int y = 4; y < 96; ++y) {
        for (int x : {0, 1, 2, 17, 18, 19}) {
            const bool edge = x == 0 || x == 19;
            c.set(x, y, edge ? pal::ink : (x == 1 || x == 18 ? hex(0x5a5f78) : hex(0x2a2e44)));
        }
        if (y % 12 == 6) {
            c.set(2, y, pal::yellow);
            c.set(17, y, pal::yellow);
        }
    }
    // Heavy caps top and bottom, striped like a barrier.
    for (int y0 : {0, 90}) {
        c.rect(0, y0, 20, 10, pal::ink);
        for (int y = y0 + 1; y < y0 + 9; ++y)
            for (int x = 1; x < 19; ++x) {
                const bool stripe = ((x + y) / 4) % 2 == 0;
                c.set(x, y, stripe ? pal::yellow : hex(0x1b1d2a));
            }
        c.rect(1, y0 + 1, 18, 1, withAlpha(pal::white, 0.35f));
    }
    return c;
}

Canvas spikes(int width)
{
    Canvas c(width, 40);
    for (int row = 0; row < 2; ++row) {
        const float oy = static_cast<float>(row * 20);
        Canvas f(width, 20);
        const bool raised = row == 0;
        if (raised) {
            for (int i = 0; i < width / 10; ++i) {
                const float x = static_cast<float>(i) * 10.f;
                // Two faces per spike: lit left, shaded right.
                f.polygon({{x + 1, 16}, {x + 5, 1}, {x + 5, 16}}, solid(hex(0xff6b7a)));
                f.polygon({{x + 5, 1}, {x + 9, 16}, {x + 5, 16}}, solid(hex(0xc8243f)));
                f.line(x + 5, 1.5f, x + 5, 4, 1.2f, solid(hex(0xffd9de)));
            }
        }
        // The base stays: a dark plate with a red warning stripe. Retracted, the spikes
        // are only their plate (its outline included, the bottom 6 rows of the frame) with
        // the slits they hide in: maps sink floor spikes by that much, so that retracted
        // ones lie flush with the floor.
        f.rect(0, 15, width, 5, hex(0x2a1620));
        f.rect(0, 16, width, 1, raised ? pal::red : scaled(pal::red, 0.55f));
        if (!raised)
            for (int i = 0; i < width / 10; ++i)
                f.rect(i * 10 + 3, 18, 4, 1, pal::redDark);
        Canvas done = outlined(f, 1, pal::ink);
        c.draw(done, 0, static_cast<int>(oy));
    }
    return c;
}

// --- decorations -------------------------------------------------------------------------

Canvas decoChip(const World& w)
{
    Canvas c(64, 40);
    for (int i = 0; i < 7; ++i) {
        const int x = 6 + i * 8;
        c.rect(x, 1, 4, 7, hex(0x9aa3b8));
        c.rect(x, 32, 4, 7, hex(0x9aa3b8));
        c.rect(x, 1, 1, 7, hex(0xdde3f0));
        c.rect(x, 32, 1, 7, hex(0xdde3f0));
    }
    c.roundRect(2, 6, 60, 28, 3, vertical(hex(0x2a2d3c), hex(0x15161f), 6, 34));
    c.roundFrame(2, 6, 60, 28, 3, 1, solid(pal::ink));
    c.circle(9, 13, 2.2f, solid(hex(0x0c0d14)));
    // Markings: a logo dot in the world's colour and two lines of print.
    c.circle(20, 20, 3.5f, solid(w.accent));
    c.rect(28, 15, 26, 2, withAlpha(pal::mist, 0.6f));
    c.rect(28, 20, 20, 2, withAlpha(pal::mist, 0.45f));
    c.rect(28, 25, 23, 2, withAlpha(pal::mist, 0.35f));
    c.rect(4, 8, 56, 1, withAlpha(pal::white, 0.12f));
    return c;
}

Canvas decoLed(const World& w)
{
    Canvas c(24, 12);
    for (int f = 0; f < 2; ++f) {
        const float cx = 6.f + 12.f * static_cast<float>(f);
        const bool on = f == 0;
        if (on) {
            Canvas glow(24, 12);
            glow.circle(cx, 6, 4.f, solid(w.accent));
            c.draw(glow.blurred(3), 0, 0, 0.9f, Blend::Add);
        }
        c.circle(cx, 6, 4.f, solid(pal::ink));
        c.circle(cx, 6, 3.f, solid(on ? mix(w.accent, pal::white, 0.3f) : scaled(w.accent, 0.3f)));
        c.circle(cx - 1, 5, 1.f, solid(withAlpha(pal::white, on ? 0.9f : 0.35f)));
    }
    return c;
}

Canvas decoCable(const World& w)
{
    Canvas c(120, 40);
    std::vector<sf::Vector2f> pts;
    for (int i = 0; i <= 30; ++i) {
        const float t = static_cast<float>(i) / 30.f;
        const float x = 8.f + t * 104.f;
        const float y = 6.f + 26.f * (1.f - (2.f * t - 1.f) * (2.f * t - 1.f));
        pts.push_back({x, y});
    }
    Canvas cable(120, 40);
    for (std::size_t i = 1; i < pts.size(); ++i)
        cable.line(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, 5.f, solid(scaled(w.mid, 0.8f)));
    for (std::size_t i = 1; i < pts.size(); ++i)
        cable.line(pts[i - 1].x, pts[i - 1].y - 1.f, pts[i].x, pts[i].y - 1.f, 1.5f,
                   solid(withAlpha(mix(w.mid, pal::white, 0.4f), 0.8f)));
    // Plugs on both ends, the connector in the world's colour.
    for (float x : {3.f, 109.f}) {
        cable.roundRect(x, 1, 8, 10, 2, solid(hex(0x3a3f55)));
        cable.rect(static_cast<int>(x) + 2, 3, 4, 2, w.accent);
    }
    c.draw(outlined(cable, 1, pal::ink), 0, 0);
    return c;
}

Canvas decoCapacitor(const World& w)
{
    Canvas c(24, 40);
    Canvas p(24, 40);
    p.rect(8, 30, 2, 10, hex(0x9aa3b8));
    p.rect(14, 30, 2, 10, hex(0x9aa3b8));
    p.roundRect(3, 2, 18, 30, 4, horizontal(mix(w.mid, pal::white, 0.25f), scaled(w.mid, 0.6f), 3, 21));
    p.rect(15, 4, 4, 26, withAlpha(mix(w.accent, pal::white, 0.3f), 0.8f));
    p.rect(3, 6, 18, 1, withAlpha(pal::ink, 0.5f));
    p.roundRect(3, 2, 18, 4, 2, solid(hex(0xb8c0d4)));
    p.line(8, 4, 16, 4, 1, solid(hex(0x6a7088)));
    p.line(12, 2.5f, 12, 5.5f, 1, solid(hex(0x6a7088)));
    c.draw(outlined(p, 1, pal::ink), 0, 0);
    return c;
}

Canvas decoFan(const World& w)
{
    Canvas c(48, 48);
    c.roundRect(1, 1, 46, 46, 5, solid(pal::ink));
    c.roundRect(2, 2, 44, 44, 4, vertical(hex(0x3a3f55), hex(0x1c1f2c), 2, 46));
    c.circle(24, 24, 19, solid(hex(0x0c0e16)));
    for (int i = 0; i < 5; ++i) {
        const float a = static_cast<float>(i) * 2.f * PI / 5.f;
        const float ca = std::cos(a);
        const float sa = std::sin(a);
        c.polygon({{24 + ca * 5, 24 + sa * 5},
                   {24 + std::cos(a + 0.5f) * 17, 24 + std::sin(a + 0.5f) * 17},
                   {24 + std::cos(a + 0.95f) * 15, 24 + std::sin(a + 0.95f) * 15}},
                  solid(mix(hex(0x4a5068), w.accent, 0.2f)));
    }
    c.circle(24, 24, 6, solid(hex(0x2a2e40)));
    c.circle(24, 24, 3, solid(w.accent));
    // The grille over it.
    for (float r = 8; r < 19; r += 5)
        c.fill([=](float x, float y) { return std::fabs(sdCircle(x, y, 24, 24, r)) - 0.6f; },
               solid(withAlpha(hex(0x8a90a8), 0.7f)), 4, 4, 44, 44);
    for (float cx : {6.f, 42.f})
        for (float cy : {6.f, 42.f})
            c.circle(cx, cy, 1.8f, solid(hex(0x9aa3b8)));
    return c;
}

Canvas decoSign(const World& w)
{
    Canvas c(80, 80);
    c.roundRect(4, 4, 72, 72, 12, solid(withAlpha(pal::ink, 0.9f)));
    c.roundRect(6, 6, 68, 68, 10, vertical(scaled(w.mid, 0.7f), scaled(w.deep, 1.1f), 6, 74));
    c.roundFrame(6, 6, 68, 68, 10, 2, solid(withAlpha(w.accent, 0.7f)));
    drawEmblem(c, w, 40, 40, 46);
    return c;
}

// --- the player -----------------------------------------------------------------------------

// The program at play size: 28x40, as wide as its frame, feet on the bottom row, antenna
// bulb on the top one.
void drawHero(Canvas& sheet, int ox, int oy, bool left, int phase)
{
    Canvas f(28, 40);
    const float dir = left ? -1.f : 1.f;
    // Walk: 0 standing, 1 and 3 stepping, 2 passing with a small bob.
    const float bob = (phase == 1 || phase == 3) ? 1.f : 0.f;
    const float cx = 14.f;
    const float bodyTop = 7.f + bob;
    const float bodyBottom = 32.f + bob * 0.5f;
    const Rgba dark = hex(0x149ea0);
    const Rgba deep = hex(0x0d6f7a);

    // Legs
    float legA = 0.f;
    float legB = 0.f;
    if (phase == 1) {
        legA = 2.f;
        legB = -2.f;
    } else if (phase == 3) {
        legA = -2.f;
        legB = 2.f;
    } else if (phase == 2) {
        legA = 1.f;
        legB = -1.f;
    }
    // The feet stand wide, under the edges of the body, so that the character stands on a
    // ledge exactly as far as its box does.
    const float back = cx - 7.f * dir;
    const float front = cx + 7.f * dir;
    const float lift = phase == 2 ? 1.f : 0.f;
    f.line(back, bodyBottom - 2, back + legB * dir, 37.f - lift, 4.f, solid(deep));
    f.line(front, bodyBottom - 2, front + legA * dir, 37.f, 4.f, solid(dark));
    f.roundRect(back + legB * dir - 3.5f, 36.f - lift, 7.f, 4.f, 1.5f, solid(deep));
    f.roundRect(front + legA * dir - 3.5f, 36.f, 7.f, 4.f, 1.5f, solid(dark));

    // Antenna, leaning back a little as it walks
    const float tipX = cx - dir * (phase == 0 ? 0.f : 1.5f);
    f.line(cx, bodyTop + 1, tipX, 2.5f, 1.6f, solid(deep));

    // Back arm swings opposite the front leg
    const float swing = phase == 1 ? -3.f : (phase == 3 ? 3.f : 0.f);
    f.line(cx - 9.f * dir, bodyTop + 12, cx - 9.f * dir - swing * dir * 0.7f, bodyTop + 18, 3.5f, solid(deep));

    // Body
    // As wide as the frame, outline included: the picture is the character's box.
    const float hw = 12.5f;
    const float hh = (bodyBottom - bodyTop) / 2.f;
    const float bcy = bodyTop + hh;
    f.fill([=](float x, float y) { return sdBox(x, y, cx, bcy, hw, hh, 8.f); },
           [=](float x, float y) {
               const float lit = sdBox(x + 2.5f * dir * -1.f + 0.f, y + 2.5f, cx, bcy, hw, hh, 8.f);
               (void)x;
               Rgba col = mix(hex(0x6af4e6), pal::cyan, clamp01((y - bodyTop) / 10.f));
               return lit > 0.f ? dark : col;
           },
           cx - hw - 1, bodyTop - 1, cx + hw + 1, bodyBottom + 1);
    Canvas out = outlined(f, 1, pal::ink);
    // The front arm has its own outline, so it reads against the body it swings over.
    Canvas arm(28, 40);
    const float hx = cx + 8.f * dir + swing * dir * 0.8f;
    const float hy = bodyTop + 19.f;
    arm.line(cx + 7.f * dir, bodyTop + 12.f, hx, hy - 1.f, 3.f, solid(dark));
    arm.circle(hx, hy, 2.f, solid(pal::cyan));
    out.draw(outlined(arm, 1, pal::ink), 0, 0);
    // Face screen turned towards where it walks.
    const float vx = cx + 2.f * dir;
    const float vy = bodyTop + 9.f;
    out.roundRect(vx - 7.5f, vy - 5.f, 15.f, 10.f, 3.f, solid(deep));
    out.roundRect(vx - 6.5f, vy - 4.f, 13.f, 8.f, 2.5f, vertical(hex(0x111a3c), hex(0x070b1c), vy - 4, vy + 4));
    const Rgba eye = hex(0x8ffcf1);
    for (float e : {-2.5f, 2.5f}) {
        const float ex = vx + e + dir * 1.f;
        out.rect(static_cast<int>(std::floor(ex)), static_cast<int>(vy - 2.f), 2, 3, eye);
    }
    out.set(static_cast<int>(vx - 0.5f + dir * 1.f), static_cast<int>(vy + 2.f), withAlpha(eye, 0.8f));
    out.set(static_cast<int>(vx + 0.5f + dir * 1.f), static_cast<int>(vy + 2.f), withAlpha(eye, 0.8f));
    // Cheek on the visible side and the gloss
    out.set(static_cast<int>(vx + 8.f * dir), static_cast<int>(vy + 3.f), withAlpha(pal::pink, 0.8f));
    out.set(static_cast<int>(cx - 6.f * dir), static_cast<int>(bodyTop + 3.f), withAlpha(pal::white, 0.8f));
    // Bulb
    out.circle(tipX, 2.5f, 2.5f, solid(pal::ink));
    out.circle(tipX, 2.5f, 1.6f, solid(pal::yellow));
    sheet.draw(out, ox, oy);
}

Canvas heroSheet()
{
    Canvas sheet(112, 80);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            drawHero(sheet, col * 28, row * 40, row == 0, col);
    return sheet;
}

// --- shared props ----------------------------------------------------------------------------

// A whirl of energy. The game scrolls this picture sideways forever, so everything
// that depends on x repeats across the width: the whirl fades into turbulence that
// is itself periodic near the left and right edges, and so does the opacity.
Canvas vortex(const Rgba& dark, const Rgba& mid, const Rgba& bright, std::uint32_t seed)
{
    const int n = 64;
    Canvas c(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float fx = px / static_cast<float>(n);
            const float fy = py / static_cast<float>(n);
            const float warp = fractalNoise(fx * 4.f, fy * 4.f, 4, 3, seed);
            const float dx = px - 32.f;
            const float dy = py - 32.f;
            const float r = std::hypot(dx, dy);
            const float theta = std::atan2(dy, dx);
            const float spiral = std::sin(3.f * theta + r * 0.32f + 3.f * warp);
            const float turbulence = std::sin(2.f * PI * 2.f * fx + 5.f * dy / 32.f * dy / 32.f + 7.f * warp);
            const float w = smoothstep(31.f, 18.f, std::fabs(dx)) * smoothstep(31.f, 18.f, std::fabs(dy));
            float v = 0.5f + 0.5f * (turbulence + (spiral - turbulence) * w);
            v = v * 0.8f + 0.6f * w * std::exp(-r * r / 90.f); // the bright eye of the whirl
            v = clamp01(v);
            Rgba col = v < 0.5f ? mix(dark, mid, v * 2.f) : mix(mid, bright, (v - 0.5f) * 2.f);
            const float edge = std::min(py, static_cast<float>(n) - py);
            col.a = smoothstep(0.f, 16.f, edge) * (0.7f + 0.3f * w) * (0.75f + 0.25f * v);
            c.set(x, y, col);
        }
    // Sparks riding the flow; each wraps across the seam.
    Rng rng(seed);
    c.setWrap(true);
    for (int i = 0; i < 6; ++i) {
        const float x = rng.range(0, 64);
        const float y = rng.range(16, 48);
        c.line(x - 3, y, x + 1, y, 1.2f, solid(withAlpha(pal::white, 0.7f)));
        c.set(static_cast<int>(x + 1), static_cast<int>(y), pal::white);
    }
    return c;
}

Canvas bullet()
{
    Canvas c(8, 8);
    c.circle(4, 4, 4, solid(withAlpha(pal::cyan, 0.35f)));
    c.circle(4, 4, 3, solid(withAlpha(pal::cyan, 0.9f)));
    c.circle(4, 4, 1.8f, solid(pal::white));
    return c;
}

Canvas lever()
{
    Canvas sheet(32, 80);
    for (int row = 0; row < 2; ++row) {
        const bool on = row == 1;
        Canvas f(32, 40);
        // Handle first, so the housing hides its foot.
        const float ang = (on ? 35.f : -35.f) * PI / 180.f;
        const float px = 16.f;
        const float py = 28.f;
        const float tx = px + std::sin(ang) * 22.f;
        const float ty = py - std::cos(ang) * 22.f;
        f.line(px, py, tx, ty, 3.5f, solid(hex(0x9aa3b8)));
        f.line(px - 0.8f, py, tx - 0.8f, ty, 1.2f, solid(hex(0xdde3f0)));
        f.circle(tx, ty, 4.5f, vertical(hex(0xfff0a8), pal::yellow, ty - 4, ty + 4));
        f.circle(tx - 1.3f, ty - 1.3f, 1.3f, solid(pal::white));
        // Housing
        f.roundRect(3, 26, 26, 14, 3, vertical(hex(0x4a5068), hex(0x232738), 26, 40));
        f.rect(6, 28, 20, 2, hex(0x151824));
        f.rect(4, 27, 24, 1, withAlpha(pal::white, 0.25f));
        Canvas done = outlined(f, 1, pal::ink);
        // State light: red while off, green once pulled.
        const Rgba light = on ? pal::lime : pal::red;
        Canvas glow(32, 40);
        glow.circle(16, 34, 3.5f, solid(light));
        done.draw(glow.blurred(3), 0, 0, on ? 0.9f : 0.6f, Blend::Add);
        done.circle(16, 34, 3.f, solid(pal::ink));
        done.circle(16, 34, 2.f, solid(mix(light, pal::white, on ? 0.35f : 0.1f)));
        sheet.draw(done, 0, row * 40);
    }
    return sheet;
}

Canvas target()
{
    Canvas sheet(32, 64);
    for (int row = 0; row < 2; ++row) {
        const bool lit = row == 1;
        Canvas f(32, 32);
        const Rgba ringA = lit ? pal::yellow : hex(0x7a6a3a);
        const Rgba ringB = lit ? hex(0xff6b3d) : hex(0x3a3350);
        f.circle(16, 16, 14.5f, solid(pal::ink));
        f.circle(16, 16, 13, solid(ringA));
        f.circle(16, 16, 10, solid(ringB));
        f.circle(16, 16, 7, solid(ringA));
        f.circle(16, 16, 4, solid(ringB));
        f.circle(16, 16, 2, solid(lit ? pal::white : ringA));
        if (lit) {
            Canvas glow(32, 32);
            glow.circle(16, 16, 11, solid(pal::yellow));
            f.draw(glow.blurred(5), 0, 0, 0.6f, Blend::Add);
        }
        // Highlight on the upper left rim.
        f.fill(
            [](float x, float y) {
                return std::max(std::fabs(sdCircle(x, y, 16, 16, 11.5f)) - 0.8f, (x - 16) + (y - 16) + 6);
            },
            solid(withAlpha(pal::white, lit ? 0.7f : 0.3f)), 0, 0, 32, 32);
        sheet.draw(f, 0, row * 32);
    }
    return sheet;
}

} // namespace

void generateLevels(Output& out)
{
    saveTo(out, heroSheet(), "data\\graphics\\character\\v1.png");

    std::uint32_t seed = 100;
    for (const World& w : worlds()) {
        seed += 17;
        backdrop(out, w, seed);
        saveTo(out, groundPiece(w, 1000, 40, TOP, 0, seed + 1), mapPath(w, "sol.png"));
        saveTo(out, groundPiece(w, 1000, 20, BOTTOM, 0, seed + 2), mapPath(w, "plafond.png"));
        saveTo(out, groundPiece(w, 20, 500, LEFT | RIGHT, 0, seed + 3), mapPath(w, "mur.png"));
        saveTo(out, block(w, seed + 4), mapPath(w, "bloc.png"));
        saveTo(out, platform(w, 160, seed + 5), mapPath(w, "plateforme.png"));
        saveTo(out, platform(w, 80, seed + 6), mapPath(w, "plateformeCourte.png"));
        saveTo(out, pillar(w, 40, seed + 7), mapPath(w, "pilier.png"));
        saveTo(out, pillar(w, 80, seed + 7), mapPath(w, "pilierLarge.png"));
        saveTo(out, door(w), mapPath(w, "porte.png"));
        saveTo(out, spikes(40), mapPath(w, "pics.png"));
        saveTo(out, spikes(80), mapPath(w, "picsLarges.png"));
        saveTo(out, decoChip(w), mapPath(w, "decoPuce.png"));
        saveTo(out, decoLed(w), mapPath(w, "decoLed.png"));
        saveTo(out, decoCable(w), mapPath(w, "decoCable.png"));
        saveTo(out, decoCapacitor(w), mapPath(w, "decoCondensateur.png"));
        saveTo(out, decoFan(w), mapPath(w, "decoVentilateur.png"));
        saveTo(out, decoSign(w), mapPath(w, "decoEmbleme.png"));
    }

    const char* const common = "data\\graphics\\map\\common\\";
    saveTo(out, vortex(hex(0x0a1450), hex(0x2a6fe0), hex(0xa8f4ff), 3), std::string(common) + "currentLevelVortex.png");
    saveTo(out, vortex(hex(0x4a2a05), hex(0xf0a020), hex(0xfff6c0), 9), std::string(common) + "nextLevelVortex.png");
    saveTo(out, bullet(), std::string(common) + "bullet.png");
    saveTo(out, lever(), std::string(common) + "levier.png");
    saveTo(out, target(), std::string(common) + "cible.png");
}
