#pragma once

// The look shared by every picture of the game: palette, circuit-board backdrops,
// panels, buttons, and the little program that the player steers.

#include "canvas.h"

#include <cstdint>
#include <string>
#include <vector>

class Output;

namespace pal {

inline const Rgba night = hex(0x0b1026); // deepest background
inline const Rgba navy = hex(0x141a3a);
inline const Rgba indigo = hex(0x1f2858);
inline const Rgba slate = hex(0x2e3a78);
inline const Rgba haze = hex(0x5866a8);
inline const Rgba ink = hex(0x060914);  // outlines
inline const Rgba cyan = hex(0x2ee6d6); // the program
inline const Rgba cyanDark = hex(0x17a29f);
inline const Rgba cyanDeep = hex(0x0b5f68);
inline const Rgba cyanLight = hex(0xb4fff5);
inline const Rgba yellow = hex(0xffd23f); // anything the player can use
inline const Rgba amber = hex(0xff9f1c);
inline const Rgba red = hex(0xff3b4f); // anything that hurts
inline const Rgba redDark = hex(0x9c1631);
inline const Rgba terminal = hex(0x11c820);
inline const Rgba lime = hex(0x8dff7a);
inline const Rgba white = hex(0xeef3ff);
inline const Rgba mist = hex(0xa9b4dc);
inline const Rgba pink = hex(0xff7fb6);
inline const Rgba violet = hex(0x8a5cff);

} // namespace pal

// Printed-circuit traces: bundles of parallel tracks on a grid, bending by 45 degrees,
// ending on pads. Drawn where the canvas wraps when it wraps.
struct TraceStyle
{
    Rgba track = pal::indigo;
    Rgba pad = pal::slate;
    Rgba hole = pal::night;
    Rgba glow = Rgba(); // light along the tracks when alpha > 0
    int grid = 20;
    float width = 3.f;
    int bundles = 30;
    int minLength = 4;
    int maxLength = 14;
    int maxBundle = 4;
    float turnChance = 0.18f;
    int pulses = 0; // bright data packets sitting on some tracks
    Rgba pulse = pal::cyan;
};
void drawTraces(Canvas& c, Rng& rng, const TraceStyle& style, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1);

// Deep blue vignette backdrop with traces, for menus and full-screen pages.
void menuBackdrop(Canvas& c, std::uint32_t seed, float traceDensity = 1.f);

// Rounded panel with a bright rim and corner brackets.
struct PanelStyle
{
    Rgba top = hex(0x1d2656);
    Rgba bottom = hex(0x10153a);
    Rgba rim = pal::cyan;
    float rimAlpha = 0.85f;
    float radius = 10.f;
    bool brackets = true;
};
void drawPanel(Canvas& c, float x, float y, float w, float h, const PanelStyle& style);

enum class Accent
{
    Primary, // warm yellow: the main thing to do
    Normal,  // the program's cyan
    Danger   // red: leaving, quitting
};
// A clickable plate of plateW x plateH centred in a transparent w x h picture.
Canvas makeButton(int w, int h, int plateW, int plateH, const std::string& label, Accent accent, unsigned fontSize);

// A solid dark outline of `radius` pixels around whatever the canvas holds.
Canvas outlined(const Canvas& src, int radius, const Rgba& color);

// The little program, standing with its feet at (cx, groundY), `scale` 1 = 80 px tall.
struct MascotPose
{
    float lift = 0.f;    // pixels above the ground
    float squash = 0.f;  // > 0 flattens, < 0 stretches
    float armLeft = 0.f; // degrees from hanging down, positive raises the arm outwards
    float armRight = 0.f;
    float antennaTilt = 0.f;
    enum Eyes
    {
        Open,
        Closed,
        Happy,
        Look // open, glancing to the side
    } eyes = Open;
    bool shadow = true;
    bool smile = true;
};
void drawMascot(Canvas& c, float cx, float groundY, float scale, const MascotPose& pose);
// Just the head-on face screen of the program (for icons and portraits), in a box.
void drawMascotFace(Canvas& c, float cx, float cy, float scale, MascotPose::Eyes eyes);

// Game paths
void saveTo(Output& out, const Canvas& c, const std::string& gamePath);

// Picture groups, one per file.
void generateMenus(Output& out);
void generateSlotMenus(Output& out);
void generateLevels(Output& out);
void generateHud(Output& out);
void generateDialogue(Output& out);
void generateControls(Output& out);

// One world of the game: a map folder, its title, and the colours its pictures use.
struct World
{
    const char* folder; // under data\graphics\map
    const char* title;
    Rgba deep;   // background darkness
    Rgba mid;    // ground bodies
    Rgba track;  // circuit traces
    Rgba accent; // rims, lights, the world's own colour
    int motif;   // 1..9, which emblem and backdrop pattern
};
const std::vector<World>& worlds();
// The world's symbol (USB trident, bus lanes, memory stick...) in a square of `size`.
void drawEmblem(Canvas& c, const World& world, float cx, float cy, float size);
