// Dialogue bubbles, speaker portraits and the console window.
#include "art.h"

#include <cmath>

namespace {

// Portrait backdrop shared by every speaker: their colour, a few traces, a frame.
Canvas portraitBase(const Rgba& top, const Rgba& bottom, const Rgba& track, std::uint32_t seed)
{
    Canvas c(98, 98);
    c.rect(0, 0, 98, 98, vertical(top, bottom, 0, 98));
    Rng rng(seed);
    TraceStyle ts;
    ts.track = track;
    ts.pad = mix(track, pal::white, 0.1f);
    ts.hole = bottom;
    ts.grid = 10;
    ts.width = 2.f;
    ts.bundles = 14;
    drawTraces(c, rng, ts);
    return c;
}

void framePortrait(Canvas& c, const Rgba& rim)
{
    for (int k = 0; k < 98; ++k) {
        c.set(k, 0, pal::ink);
        c.set(k, 97, pal::ink);
        c.set(0, k, pal::ink);
        c.set(97, k, pal::ink);
        c.blend(k, 1, withAlpha(rim, 0.8f));
        c.blend(1, k, withAlpha(rim, 0.8f));
        c.blend(k, 96, withAlpha(rim, 0.5f));
        c.blend(96, k, withAlpha(rim, 0.5f));
    }
}

Canvas portraitKorvane()
{
    Canvas c = portraitBase(hex(0x1d5a78), hex(0x0b1a3a), hex(0x1c4466), 3);
    Canvas glow(98, 98);
    glow.circle(49, 52, 34, solid(withAlpha(pal::cyan, 0.4f)));
    c.draw(glow.blurred(18), 0, 0, 1.f, Blend::Add);
    drawMascotFace(c, 49, 58, 1.25f, MascotPose::Open);
    framePortrait(c, pal::cyan);
    return c;
}

// The driver: an old hand of the machine, in a pilot's cap with a headset.
Canvas portraitPilote()
{
    Canvas c = portraitBase(hex(0x3a3a7a), hex(0x151538), hex(0x2c2c62), 4);
    Canvas glow(98, 98);
    glow.circle(49, 55, 34, solid(withAlpha(hex(0x9aa6ff), 0.35f)));
    c.draw(glow.blurred(18), 0, 0, 1.f, Blend::Add);

    Canvas p(98, 98);
    const Rgba body = hex(0x8e9bff);
    const Rgba dark = hex(0x5a62c8);
    // Shoulders with a collar
    p.roundRect(14, 80, 70, 30, 14, vertical(hex(0x3b4a8a), hex(0x262f60), 80, 98));
    p.polygon({{40, 80}, {49, 92}, {58, 80}}, solid(pal::white));
    // Head, lit from the upper left
    p.fill([](float x, float y) { return sdBox(x, y, 49, 56, 28, 25, 16); },
           [=](float x, float y) {
               const bool lit = sdBox(x + 4, y + 4, 49, 56, 28, 25, 16) < 0.f;
               return lit ? mix(hex(0xb8c1ff), body, clamp01((y - 31) / 20)) : dark;
           },
           20, 30, 78, 82);
    // Headset ear cups
    p.roundRect(15, 50, 9, 18, 4, solid(hex(0x2a2e44)));
    p.roundRect(74, 50, 9, 18, 4, solid(hex(0x2a2e44)));
    // Cap: a crown and a brim, a gold badge in front
    p.fill([](float x, float y) { return std::max(sdEllipse(x, y, 49, 38, 31, 20), y - 38); },
           vertical(hex(0x3a4478), hex(0x232a52), 18, 38), 16, 16, 82, 40);
    p.roundRect(16, 35, 66, 7, 3, solid(hex(0x151a36)));
    p.roundRect(22, 36, 54, 2, 1, solid(withAlpha(pal::white, 0.18f)));
    Canvas done = outlined(p, 2, pal::ink);
    done.circle(49, 28, 5.5f, solid(pal::ink));
    done.circle(49, 28, 4.5f, vertical(hex(0xfff0a8), hex(0xe0a020), 24, 33));
    done.line(36, 27, 43, 29, 2.5f, solid(hex(0xf2c14a)));
    done.line(62, 27, 55, 29, 2.5f, solid(hex(0xf2c14a)));
    // Face screen with kind, half-closed eyes and a neat moustache
    done.roundRect(29, 45, 40, 26, 8, solid(hex(0x3f4690)));
    done.roundRect(31, 47, 36, 22, 7, vertical(hex(0x101838), hex(0x070b1c), 47, 69));
    const Rgba eye = hex(0xffd98a);
    Canvas lights(98, 98);
    for (float side : {-1.f, 1.f}) {
        const float ex = 49 + side * 9;
        lights.fill([=](float x, float y) { return std::max(sdEllipse(x, y, ex, 56, 5, 4.5f), 55.f - y); }, solid(eye),
                    ex - 6, 50, ex + 6, 62);
    }
    lights.fill(
        [](float x, float y) {
            const float l = sdEllipse(x, y, 44.5f, 64.5f, 5.5f, 2.6f);
            const float r = sdEllipse(x, y, 53.5f, 64.5f, 5.5f, 2.6f);
            return std::max(std::min(l, r), 63.f - y);
        },
        solid(eye), 38, 60, 60, 68);
    done.draw(lights.blurred(3), 0, 0, 0.8f, Blend::Add);
    done.draw(lights, 0, 0);
    // Microphone arm reaching to the mouth
    done.line(79, 64, 70, 74, 2.5f, solid(pal::ink));
    done.line(79, 64, 70, 74, 1.2f, solid(hex(0x6a7088)));
    done.circle(69, 74, 3, solid(pal::ink));
    done.circle(69, 74, 2, solid(pal::yellow));
    c.draw(done, 0, 0);
    framePortrait(c, hex(0x9aa6ff));
    return c;
}

// The firewall's guardian: angular armour, a flaming crest, a stern slit of a visor.
Canvas portraitGardien()
{
    Canvas c = portraitBase(hex(0x5a1a14), hex(0x1c0608), hex(0x4a1612), 8);
    Canvas glow(98, 98);
    glow.circle(49, 40, 36, solid(withAlpha(pal::amber, 0.5f)));
    c.draw(glow.blurred(20), 0, 0, 1.f, Blend::Add);

    Canvas p(98, 98);
    // Crest of flames rising from the helmet
    p.polygon({{34, 30}, {38, 8}, {44, 22}, {49, 2}, {54, 22}, {60, 8}, {64, 30}},
              vertical(hex(0xfff0a0), pal::amber, 4, 30));
    p.polygon({{40, 30}, {44, 16}, {49, 24}, {54, 16}, {58, 30}}, solid(pal::red));
    // Pauldrons
    p.polygon({{4, 98}, {10, 78}, {30, 72}, {38, 98}}, vertical(hex(0xa8343a), hex(0x5a1420), 72, 98));
    p.polygon({{94, 98}, {88, 78}, {68, 72}, {60, 98}}, vertical(hex(0xa8343a), hex(0x5a1420), 72, 98));
    // Helmet: a pointed shield shape
    const std::vector<sf::Vector2f> helm = {{22, 34}, {49, 24}, {76, 34}, {74, 66}, {49, 88}, {24, 66}};
    p.polygon(helm, [](float x, float y) {
        const Rgba lit = hex(0xc2454a);
        const Rgba shade = hex(0x7a1d2a);
        return (x < 49 ? mix(lit, hex(0xa33a40), (y - 24) / 64) : mix(shade, hex(0x5a1420), (y - 24) / 64));
    });
    // Rivets and a ridge down the middle
    p.line(49, 26, 49, 44, 2, solid(hex(0xe06a5a)));
    Canvas done = outlined(p, 2, pal::ink);
    for (float x : {30.f, 68.f})
        done.circle(x, 40, 2, solid(hex(0xffb08a)));
    // The visor: a dark slit with two angry eyes
    done.polygon({{28, 50}, {70, 50}, {66, 62}, {32, 62}}, solid(pal::ink));
    Canvas eyes(98, 98);
    eyes.polygon({{34, 52}, {46, 56}, {45, 60}, {35, 58}}, solid(hex(0xffc04a)));
    eyes.polygon({{64, 52}, {52, 56}, {53, 60}, {63, 58}}, solid(hex(0xffc04a)));
    done.draw(eyes.blurred(4), 0, 0, 1.f, Blend::Add);
    done.draw(eyes, 0, 0);
    // Grille over the mouth
    for (int k = 0; k < 4; ++k)
        done.line(41.f + 5.f * static_cast<float>(k), 68, 41.f + 5.f * static_cast<float>(k), 78, 2,
                  solid(hex(0x3a0c14)));
    c.draw(done, 0, 0);
    framePortrait(c, pal::amber);
    return c;
}

// A speech bubble, 600 x 100. With a pointer, the game draws the picture 23 pixels left
// of the bubble's place: the pointer takes those first columns, and the body after them
// is as wide as a bubble without one, so that the wait marker the game draws at
// (579, 82) of the bubble's place sits in its notch.
Canvas bubble(bool pointer)
{
    const int ox = pointer ? 23 : 0;
    const float x = static_cast<float>(ox);
    const float w = 600.f;
    Canvas c(600 + ox, 100);
    // Outline layer first (body and pointer together), then the fills.
    c.roundRect(x, 0, w, 100, 12, solid(pal::ink));
    if (pointer)
        c.polygon({{0, 62}, {x + 4, 44}, {x + 4, 80}}, solid(pal::ink));
    c.roundRect(x + 2, 2, w - 4, 96, 10,
                vertical(withAlpha(hex(0x1f2a5c), 0.97f), withAlpha(hex(0x111638), 0.97f), 0, 100));
    if (pointer)
        c.polygon({{4, 62}, {x + 6, 47}, {x + 6, 77}}, vertical(hex(0x1a2350), hex(0x141b44), 47, 77));
    c.roundFrame(x + 2, 2, w - 4, 96, 10, 1.5f, solid(withAlpha(pal::cyan, 0.7f)));
    if (pointer) {
        c.line(4, 62, x + 2, 47.5f, 1.5f, solid(withAlpha(pal::cyan, 0.7f)));
        c.line(4, 62, x + 2, 76.5f, 1.5f, solid(withAlpha(pal::cyan, 0.7f)));
    }
    // The portrait's socket: the picture covers it, its rim shows around.
    c.roundRect(x, 0, 100, 100, 10, solid(pal::ink));
    c.rect(ox + 1, 1, 98, 98, hex(0x0a0f26));
    // A soft sheen on the upper half of the text area, and a notch for the wait marker.
    c.roundRect(x + 104, 4, w - 112, 2, 1, solid(withAlpha(pal::white, 0.12f)));
    c.roundRect(x + w - 28, 78, 24, 18, 6, solid(withAlpha(pal::ink, 0.35f)));
    return c;
}

Canvas waitMarker()
{
    Canvas c(42, 10);
    for (int f = 0; f < 3; ++f) {
        const float ox = static_cast<float>(f * 14);
        const float dy = static_cast<float>(f); // bobs down, and brightens as it does
        Canvas t(42, 10);
        t.polygon({{ox + 2.5f, 1.5f + dy}, {ox + 11.5f, 1.5f + dy}, {ox + 7, 7.5f + dy}},
                  solid(mix(pal::amber, pal::yellow, 0.5f * static_cast<float>(f))));
        c.draw(outlined(t, 1, pal::ink), 0, 0);
    }
    return c;
}

Canvas console()
{
    // Sized from the font: 65 columns, 21 lines, 15 px of margin all round.
    Typesetter& ts = typesetter();
    const float advance = ts.advance(true, 12, 'M');
    const float line = ts.lineSpacing(true, 12);
    const int w = static_cast<int>(std::ceil(30.f + 65.f * advance));
    const int h = static_cast<int>(std::ceil(30.f + 21.f * line));
    Canvas c(w, h);
    const Rgba green = pal::terminal;
    c.roundRect(0, 0, static_cast<float>(w), static_cast<float>(h), 6, solid(pal::ink));
    c.roundRect(1, 1, static_cast<float>(w - 2), static_cast<float>(h - 2), 5, solid(hex(0x030a04)));
    // Faint CRT rows and a glow that fades towards the corners.
    for (int y = 14; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            const float dx = (static_cast<float>(x) / static_cast<float>(w) - 0.5f) * 2.f;
            const float dy = (static_cast<float>(y) / static_cast<float>(h) - 0.5f) * 2.f;
            const float v = 1.f - clamp01(std::sqrt(dx * dx + dy * dy) / 1.4f);
            c.blend(x, y, withAlpha(green, 0.07f * v + (y % 2 == 0 ? 0.015f : 0.f)));
        }
    // Title bar inside the top margin
    c.rect(2, 2, w - 4, 11, vertical(hex(0x0f3a14), hex(0x082a0c), 2, 13));
    c.rect(2, 13, w - 4, 1, withAlpha(green, 0.8f));
    TextStyle t;
    t.size = 9;
    t.mono = true;
    t.fill = solid(mix(green, pal::white, 0.35f));
    drawText(c, "terminal - korvane", 8, 11, t);
    for (int k = 0; k < 3; ++k) {
        const float cx = static_cast<float>(w) - 10.f - 10.f * static_cast<float>(k);
        c.circle(cx, 7.5f, 3, solid(k == 0 ? hex(0xd84a3a) : (k == 1 ? hex(0xd8b43a) : hex(0x3ad84a))));
    }
    c.roundFrame(0, 0, static_cast<float>(w), static_cast<float>(h), 6, 1.5f, solid(withAlpha(green, 0.9f)));
    // A blinking-cursor block at the bottom-right corner of the margin reads "ready".
    c.rect(w - 12, h - 10, 6, 3, withAlpha(green, 0.7f));
    return c;
}

} // namespace

void generateDialogue(Output& out)
{
    saveTo(out, portraitKorvane(), "data\\graphics\\actor\\Korvane.png");
    saveTo(out, portraitPilote(), "data\\graphics\\actor\\Pilote.png");
    saveTo(out, portraitGardien(), "data\\graphics\\actor\\Gardien.png");
    saveTo(out, bubble(false), "data\\graphics\\window\\dialogue\\background.png");
    saveTo(out, bubble(true), "data\\graphics\\window\\dialogue\\backgroundFlecheG.png");
    saveTo(out, waitMarker(), "data\\graphics\\window\\dialogue\\wait.png");
    saveTo(out, console(), "data\\graphics\\window\\console\\background.png");
}
