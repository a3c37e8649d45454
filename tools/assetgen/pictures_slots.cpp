// The save slot menus, their empty slot, the back arrow and each world's slot icon.
#include "art.h"

#include <cmath>

namespace {

// Where the game puts the slot pictures (the empty one sits one pixel up-left).
const int SLOT_Y[3] = {211, 302, 395};

void slotMenu(Output& out, const std::string& title, const std::string& gamePath, std::uint32_t seed)
{
    Canvas c(1000, 500);
    menuBackdrop(c, seed, 0.7f);
    TextStyle t;
    t.size = 42;
    t.outline = 3.f;
    t.fill = vertical(pal::white, pal::cyanLight, 50, 90);
    t.glow = withAlpha(pal::cyan, 0.5f);
    t.shadowY = 3;
    drawTextCentred(c, title, 500, 78, t);
    TextStyle sub;
    sub.size = 16;
    sub.fill = solid(pal::mist);
    drawTextCentred(c, "Choisissez un emplacement de sauvegarde", 500, 128, sub);
    c.line(300, 152, 500, 152, 2.f, horizontal(withAlpha(pal::cyan, 0.f), withAlpha(pal::cyan, 0.7f), 300, 500));
    c.line(500, 152, 700, 152, 2.f, horizontal(withAlpha(pal::cyan, 0.7f), withAlpha(pal::cyan, 0.f), 500, 700));

    PanelStyle ps;
    ps.top = withAlpha(hex(0x1a2252), 0.95f);
    ps.bottom = withAlpha(hex(0x0f1438), 0.95f);
    drawPanel(c, 140, 186, 720, 302, ps);

    for (int i = 0; i < 3; ++i) {
        const float y = static_cast<float>(SLOT_Y[i]);
        // The socket the slot picture plugs into: a recess with a lit rim.
        c.roundRect(339, y - 5, 322, 92, 8, solid(pal::ink));
        c.roundRect(341, y - 3, 318, 88, 7, vertical(hex(0x070a18), hex(0x10163a), y, y + 90));
        c.roundFrame(341, y - 3, 318, 88, 7, 1.5f, solid(withAlpha(pal::cyan, 0.55f)));
        // Contacts on both sides of the socket, like a memory slot.
        for (int k = 0; k < 6; ++k) {
            const int py = static_cast<int>(y) + 6 + k * 12;
            c.rect(333, py, 6, 6, hex(0xc8a64a));
            c.rect(661, py, 6, 6, hex(0xc8a64a));
            c.rect(333, py, 6, 1, withAlpha(pal::white, 0.5f));
            c.rect(661, py, 6, 1, withAlpha(pal::white, 0.5f));
        }
        TextStyle label;
        label.size = 18;
        label.fill = solid(pal::white);
        label.outline = 2.f;
        drawText(c, "Emplacement", 318, y + 36, label, Align::Right);
        TextStyle number = label;
        number.size = 30;
        number.fill = vertical(pal::yellow, pal::amber, y + 44, y + 70);
        drawText(c, std::to_string(i + 1), 318, y + 72, number, Align::Right);
        // A status light on the other side balances the label.
        Canvas glow(1000, 500);
        glow.circle(700, y + 41, 6, solid(pal::cyan));
        c.draw(glow.blurred(6), 0, 0, 0.8f, Blend::Add);
        c.circle(700, y + 41, 6, solid(pal::ink));
        c.circle(700, y + 41, 4.5f, solid(pal::cyan));
        c.circle(698.5f, y + 39.5f, 1.5f, solid(pal::white));
        c.line(708, y + 41, 760, y + 41, 2, solid(withAlpha(pal::cyan, 0.5f)));
        c.circle(762, y + 41, 3, solid(withAlpha(pal::cyan, 0.7f)));
    }
    saveTo(out, c, gamePath);
}

// A slot without a map's icon: a dashed border, a socket on the left and a label.
// `mark` draws the socket's sign in it.
template <typename Mark>
void plainSlot(Output& out, const std::string& label, Rgba border, Mark mark, const std::string& gamePath)
{
    Canvas c(306, 82);
    c.roundRect(0, 0, 306, 82, 6, vertical(hex(0x161d46), hex(0x0d1232), 0, 82));
    for (int x = 8; x < 298; x += 12) {
        c.rect(x, 4, 7, 2, withAlpha(border, 0.8f));
        c.rect(x, 76, 7, 2, withAlpha(border, 0.8f));
    }
    for (int y = 10; y < 72; y += 12) {
        c.rect(4, y, 2, 7, withAlpha(border, 0.8f));
        c.rect(300, y, 2, 7, withAlpha(border, 0.8f));
    }
    c.roundFrame(0, 0, 306, 82, 6, 1.f, solid(pal::ink));
    c.roundFrame(24, 23, 36, 36, 6, 2.f, solid(withAlpha(border, 0.9f)));
    mark(c);
    TextStyle t;
    t.size = 19;
    t.fill = solid(pal::mist);
    drawTextCentred(c, label, 174, 41, t);
    saveTo(out, c, gamePath);
}

void emptySlot(Output& out)
{
    // A plus in the socket: nothing is saved here yet.
    plainSlot(
        out, "Emplacement vide", pal::haze,
        [](Canvas& c) {
            c.line(42, 32, 42, 50, 3, solid(withAlpha(pal::cyan, 0.8f)));
            c.line(33, 41, 51, 41, 3, solid(withAlpha(pal::cyan, 0.8f)));
        },
        "data\\graphics\\window\\newGameMenu\\slot.png");
}

void unreadableSlot(Output& out)
{
    // A red exclamation mark: a game is saved here, but its map cannot be opened.
    plainSlot(
        out, "Sauvegarde illisible", pal::red,
        [](Canvas& c) {
            c.line(42, 30, 42, 45, 4, solid(pal::red));
            c.rect(40, 50, 4, 4, solid(pal::red));
        },
        "data\\graphics\\window\\newGameMenu\\slotIllisible.png");
}

void iconlessSlot(Output& out)
{
    // A saved game whose map has no icon of its own: a plain disk in the socket.
    plainSlot(
        out, "Partie sauvegardée", pal::cyan,
        [](Canvas& c) {
            c.roundRect(33, 32, 18, 18, 3, solid(withAlpha(pal::cyan, 0.8f)));
            c.rect(37, 32, 10, 6, solid(hex(0x0d1232)));
        },
        "data\\graphics\\window\\newGameMenu\\slotSansIcone.png");
}

void backArrow(Output& out)
{
    Canvas c(64, 48);
    c.roundRect(1, 3, 62, 44, 10, solid(withAlpha(pal::ink, 0.8f)));
    c.roundRect(0, 0, 62, 44, 10, vertical(hex(0x223066), hex(0x121840), 0, 44));
    c.roundFrame(0, 0, 62, 44, 10, 2, vertical(mix(pal::cyan, pal::white, 0.3f), scaled(pal::cyan, 0.7f), 0, 44));
    Canvas arrow(64, 48);
    arrow.polygon({{14, 22}, {29, 9}, {29, 17}, {48, 17}, {48, 27}, {29, 27}, {29, 35}},
                  vertical(pal::white, pal::cyanLight, 9, 35));
    c.draw(outlined(arrow, 1, pal::ink), 0, 0);
    saveTo(out, c, "data\\graphics\\window\\flecheBack.png");
}

void mapIcon(Output& out, const World& w, int number)
{
    const int W = 304;
    const int H = 80;
    Canvas c(W, H);
    c.rect(0, 0, W, H, vertical(scaled(w.deep, 1.3f), w.deep, 0, H));
    Rng rng(static_cast<std::uint32_t>(number * 31));
    TraceStyle ts;
    ts.track = w.track;
    ts.pad = mix(w.track, w.accent, 0.2f);
    ts.hole = w.deep;
    ts.grid = 10;
    ts.width = 2.f;
    ts.bundles = 40;
    ts.pulses = 3;
    ts.pulse = w.accent;
    drawTraces(c, rng, ts);
    // A glimpse of the world: its floor, two platforms and its sign.
    const Rgba body = w.mid;
    const Rgba rim = mix(w.accent, pal::white, 0.3f);
    c.rect(0, H - 12, W, 12, vertical(scaled(body, 1.2f), scaled(body, 0.6f), H - 12, H));
    c.rect(0, H - 12, W, 2, rim);
    for (int x = 0; x < W; x += 20)
        c.rect(x, H - 9, 1, 9, withAlpha(pal::ink, 0.5f));
    c.rect(150, 44, 44, 6, solid(body));
    c.rect(150, 44, 44, 1, rim);
    c.rect(196, 28, 30, 6, solid(body));
    c.rect(196, 28, 30, 1, rim);
    drawEmblem(c, w, 262, 36, 50);
    // Text side darkened for legibility.
    c.rect(0, 0, 200, H, horizontal(withAlpha(pal::ink, 0.85f), withAlpha(pal::ink, 0.f), 0, 200));
    TextStyle small;
    small.size = 11;
    small.letterSpacing = 1.6f;
    small.fill = solid(w.accent);
    drawText(c, "MONDE " + std::to_string(number), 14, 25, small);
    TextStyle name;
    name.size = 22;
    name.outline = 2.f;
    name.fill = vertical(pal::white, mix(pal::white, w.accent, 0.35f), 34, 54);
    drawText(c, w.title, 14, 54, name);
    // Little progress pips: how deep into the machine this world is.
    for (int i = 0; i < 9; ++i) {
        const Rgba pip = i < number ? w.accent : withAlpha(pal::haze, 0.5f);
        c.rect(14 + i * 8, 62, 6, 3, pip);
    }
    c.roundFrame(0, 0, W, H, 4, 1.f, solid(pal::ink));
    c.roundFrame(1, 1, W - 2, H - 2, 3, 1.f, solid(withAlpha(w.accent, 0.55f)));
    // Square corners stay opaque: the slot picture is a solid card.
    for (int k = 0; k < 2; ++k) {
        c.set(k == 0 ? 0 : W - 1, 0, pal::ink);
        c.set(k == 0 ? 0 : W - 1, H - 1, pal::ink);
    }
    saveTo(out, c, std::string("data\\graphics\\map\\") + w.folder + "\\mapIcon.png");
}

} // namespace

void generateSlotMenus(Output& out)
{
    slotMenu(out, "Nouvelle partie", "data\\graphics\\window\\newGameMenu\\background.png", 41);
    slotMenu(out, "Charger une partie", "data\\graphics\\window\\loadingMenu\\background.png", 43);
    emptySlot(out);
    unreadableSlot(out);
    iconlessSlot(out);
    backArrow(out);
    int number = 0;
    for (const World& w : worlds())
        mapIcon(out, w, ++number);
}
