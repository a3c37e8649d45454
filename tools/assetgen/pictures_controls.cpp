// The controls page, the options screens, their keycaps and the focus frame that
// shows which button the keyboard or the pad has chosen.
#include "art.h"
#include "input/pad.h"
#include "menus/layout.h"

#include <SFML/Graphics/Rect.hpp>

#include <cmath>

namespace {

const std::string OPTIONS = "data\\graphics\\window\\options\\";

const Rgba KEY_FACE_TOP = hex(0xf2f5ff);
const Rgba KEY_FACE_BOTTOM = hex(0xbcc6ea);
const Rgba KEY_SIDE = hex(0x6f7bb0);
const Rgba KEY_INK = hex(0x141a3a);

// The body of a keyboard key seen from slightly above, filling w x h.
void keyPlate(Canvas& c, float x, float y, float w, float h)
{
    const float face = h - 4.f;
    c.roundRect(x, y, w, h, 6, solid(pal::ink));
    c.roundRect(x + 1, y + 1, w - 2, h - 2, 5, solid(KEY_SIDE));
    c.roundRect(x + 1, y + 1, w - 2, face - 2, 5, vertical(KEY_FACE_TOP, KEY_FACE_BOTTOM, y, y + face));
    c.roundRect(x + 4, y + 3, w - 8, 2, 1, solid(withAlpha(pal::white, 0.8f)));
}

// A key with its label, at least `minWidth` wide and 24 high; returns its width.
float keycap(Canvas& c, float x, float y, const std::string& label, float minWidth = 24.f)
{
    TextStyle t;
    t.size = 13;
    t.fill = solid(KEY_INK);
    const float w = std::max(minWidth, std::round(textWidth(label, t)) + 14.f);
    keyPlate(c, x, y, w, controlsLayout::KEY_HEIGHT);
    drawTextCentred(c, label, x + w / 2.f, y + (controlsLayout::KEY_HEIGHT - 4.f) / 2.f, t);
    return w;
}

TextStyle bodyText(unsigned size = 15, const Rgba& colour = pal::white)
{
    TextStyle t;
    t.size = size;
    t.fill = solid(colour);
    return t;
}

// The four face buttons of a pad as a diamond, the one meant lit: pads print
// different letters on them, but every pad has them in the same places.
void faceButtons(Canvas& c, float x, float y, PadButton lit)
{
    const float cx = x + 12.f;
    const float cy = y + 12.f;
    const struct
    {
        PadButton button;
        float dx;
        float dy;
    } places[4] = {
        {PadButton::North, 0, -8}, {PadButton::West, -8, 0}, {PadButton::East, 8, 0}, {PadButton::South, 0, 8}};
    for (const auto& place : places) {
        const bool on = place.button == lit;
        c.circle(cx + place.dx, cy + place.dy, on ? 5.f : 4.f, solid(pal::ink));
        c.circle(cx + place.dx, cy + place.dy, on ? 4.f : 3.f, solid(on ? pal::yellow : withAlpha(pal::mist, 0.6f)));
    }
}

// A stick seen from above, an arrow on its cap; `dx` -1 or 1 points left or right, 0 shows it at rest.
void stick(Canvas& c, float x, float y, float dx)
{
    c.circle(x + 12, y + 12, 11, solid(pal::ink));
    c.circle(x + 12, y + 12, 10, solid(hex(0x39437c)));
    c.circle(x + 12 + dx * 2, y + 12, 7, vertical(hex(0x6f7bb0), hex(0x2e3a78), y + 5, y + 19));
    if (dx != 0.f) {
        const float tip = x + 12 + dx * 6;
        c.polygon({{tip, y + 12}, {tip - dx * 5, y + 8}, {tip - dx * 5, y + 16}}, solid(pal::yellow));
    }
}

// The cross (d-pad), the arm of `dx` (-1 left, 1 right) lit, or none for 0.
void cross(Canvas& c, float x, float y, float dx)
{
    c.roundRect(x + 8, y + 1, 8, 22, 2, solid(pal::ink));
    c.roundRect(x + 1, y + 8, 22, 8, 2, solid(pal::ink));
    c.roundRect(x + 9, y + 2, 6, 20, 1, solid(hex(0x6f7bb0)));
    c.roundRect(x + 2, y + 9, 20, 6, 1, solid(hex(0x6f7bb0)));
    if (dx != 0.f)
        c.roundRect(dx < 0 ? x + 2 : x + 15, y + 9, 7, 6, 1, solid(pal::yellow));
}

// A rounded label on the pad (shoulders, triggers, Start); returns its width.
float pill(Canvas& c, float x, float y, const std::string& label)
{
    TextStyle t = bodyText(12, pal::white);
    const float w = std::round(textWidth(label, t)) + 16.f;
    c.roundRect(x, y + 2, w, 20, 10, solid(pal::ink));
    c.roundRect(x + 1, y + 3, w - 2, 18, 9, vertical(hex(0x4a5590), hex(0x2a3368), y + 3, y + 21));
    drawTextCentred(c, label, x + w / 2.f, y + 12, t);
    return w;
}

// A full page of the menus: the backdrop, the title centred at `titleY` and one panel.
Canvas page(std::uint32_t seed, const std::string& title, float titleY, const sf::FloatRect& panel)
{
    Canvas c(1000, 500);
    menuBackdrop(c, seed, 0.6f);
    TextStyle t;
    t.size = 38;
    t.outline = 3.f;
    t.fill = vertical(pal::white, pal::cyanLight, titleY - 22, titleY + 14);
    t.glow = withAlpha(pal::cyan, 0.5f);
    t.shadowY = 3;
    drawTextCentred(c, title, 500, titleY, t);
    PanelStyle ps;
    ps.top = withAlpha(hex(0x1a2252), 0.95f);
    ps.bottom = withAlpha(hex(0x0f1438), 0.95f);
    drawPanel(c, panel.left, panel.top, panel.width, panel.height, ps);
    return c;
}

float word(Canvas& c, float x, float y, const std::string& text)
{
    return drawText(c, text, x, y + 17, bodyText(13, pal::mist)) + 6.f;
}

void controlsPage(Output& out)
{
    using namespace controlsLayout;
    Canvas c = page(23, "Commandes", 34, {20, 62, 960, 388});

    const float columns[4] = {44, KEYS_LEFT, 560, 730};
    const char* headings[4] = {"ACTION", "CLAVIER", "SOURIS", "MANETTE"};
    TextStyle head = bodyText(13, pal::cyan);
    head.letterSpacing = 1.3f;
    for (int i = 0; i < 4; ++i)
        drawText(c, headings[i], columns[i], 94, head);

    const char* actions[11] = {"Marcher à gauche",
                               "Marcher à droite",
                               "Sauter",
                               "Inverser la gravité",
                               "Activer un levier",
                               "Tirer",
                               "Viser",
                               "Pause",
                               "Dialogue : suite",
                               "Menus",
                               "Console"};
    for (int row = 0; row < 11; ++row) {
        if (row % 2 == 0)
            c.roundRect(32, ROWS.at(row) - 2, 936, ROWS.step, 4, solid(withAlpha(pal::white, 0.04f)));
        drawText(c, actions[row], columns[0], ROWS.at(row) + 17, bodyText());
    }

    // The keyboard column: the game writes the keys of the actions a player may change.
    keycap(c, columns[1], ROWS.at(7), "Échap");
    float k = columns[1];
    for (const char* key : {"↑", "↓", "←", "→", "Entrée", "Échap"})
        k += keycap(c, k, ROWS.at(9), key) + 4;
    k = columns[1];
    for (const char* key : {"0 - 9", "Entrée", "Retour arrière"})
        k += keycap(c, k, ROWS.at(10), key) + 4;
    word(c, columns[1], ROWS.at(5), "—");
    word(c, columns[1], ROWS.at(6), "—");

    // The mouse column, and a word on the gravity that no picture can say.
    word(c, columns[2], ROWS.at(3), "agit au relâchement");
    word(c, columns[2], ROWS.at(4), "clic droit");
    word(c, columns[2], ROWS.at(5), "clic gauche maintenu");
    word(c, columns[2], ROWS.at(6), "le pointeur");
    word(c, columns[2], ROWS.at(8), "clic sur la bulle");
    word(c, columns[2], ROWS.at(9), "clic");

    // The pad column, by where things sit on any pad.
    const float pad = columns[3];
    for (int side = 0; side < 2; ++side) {
        const float dx = side == 0 ? -1.f : 1.f;
        stick(c, pad, ROWS.at(side), dx);
        cross(c, pad + word(c, pad + 28, ROWS.at(side), "ou") + 28, ROWS.at(side), dx);
    }
    faceButtons(c, pad, ROWS.at(2), PadButton::South);
    faceButtons(c, pad, ROWS.at(3), PadButton::North);
    faceButtons(c, pad, ROWS.at(4), PadButton::West);
    k = pad + pill(c, pad, ROWS.at(5), "gâchette droite") + 6;
    pill(c, k + word(c, k, ROWS.at(5), "ou"), ROWS.at(5), "RB");
    stick(c, pad, ROWS.at(6), 0.f);
    word(c, pad + 28, ROWS.at(6), "stick droit");
    pill(c, pad, ROWS.at(7), "Start");
    faceButtons(c, pad, ROWS.at(8), PadButton::South);
    k = pad + 28;
    cross(c, pad, ROWS.at(9), 0.f);
    faceButtons(c, k, ROWS.at(9), PadButton::South);
    word(c, k + 28, ROWS.at(9), "valider,");
    faceButtons(c, k + 94, ROWS.at(9), PadButton::East);
    word(c, k + 122, ROWS.at(9), "retour");
    // The terminal: up and down choose a digit, south types it, east erases, Start submits.
    cross(c, pad, ROWS.at(10), 0.f);
    k = pad + 28 + word(c, pad + 28, ROWS.at(10), "0-9");
    faceButtons(c, k, ROWS.at(10), PadButton::South);
    k += 30;
    faceButtons(c, k, ROWS.at(10), PadButton::East);
    k += 28 + word(c, k + 28, ROWS.at(10), "effacer");
    pill(c, k, ROWS.at(10), "Start");

    const TextStyle keys = bodyText(13, pal::mist);
    drawTextCentred(c, "F1 FPS     F5 recommencer     F11 menu principal     F12 quitter     Alt + Entrée plein écran",
                    500, 464, keys);
    TextStyle foot = bodyText(15, pal::yellow);
    foot.outline = 2.f;
    drawTextCentred(c, "Appuyez sur une touche pour revenir", 500, 487, foot);
    saveTo(out, c, "data\\graphics\\window\\commandes\\01.png");

    // The key the game draws, stretched to each label's width: corners of 9 pixels.
    Canvas key(30, static_cast<int>(KEY_HEIGHT));
    keyPlate(key, 0, 0, 30, KEY_HEIGHT);
    saveTo(out, key, "data\\graphics\\window\\commandes\\touche.png");
}

// --- options -----------------------------------------------------------------------

void hint(Canvas& c, const std::string& text)
{
    drawTextCentred(c, text, 500, 472, bodyText(14, pal::mist));
}

// One option as a plate: its label on the left and, for a value, a recess with
// arrows where the game writes the value; for a page, an arrow that leads to it.
void optionRow(Output& out, const std::string& label, const std::string& file, bool hasValue)
{
    using namespace optionsLayout;
    const int w = static_cast<int>(ROW.width);
    const int h = static_cast<int>(ROW.height);
    Canvas c(w, h);
    c.roundRect(1, 3, ROW.width - 1, ROW.height - 3, 12, solid(withAlpha(pal::ink, 0.8f)));
    c.roundRect(0, 0, ROW.width - 1, ROW.height - 4, 12, vertical(hex(0x223066), hex(0x121840), 0, ROW.height));
    c.roundFrame(0, 0, ROW.width - 1, ROW.height - 4, 12, 2.f, solid(withAlpha(pal::cyan, 0.85f)));
    TextStyle t = bodyText(19);
    t.outline = 2.f;
    t.shadowY = 2;
    drawTextCentred(c, label, 24.f + textWidth(label, t) / 2.f, (ROW.height - 4.f) / 2.f, t);
    const float mid = (ROW.height - 4.f) / 2.f;
    if (hasValue) {
        c.roundRect(VALUE_LEFT, 8, VALUE_WIDTH, ROW.height - 20, 8, solid(hex(0x070a18)));
        c.roundFrame(VALUE_LEFT, 8, VALUE_WIDTH, ROW.height - 20, 8, 1.5f, solid(withAlpha(pal::cyan, 0.5f)));
        for (float side : {-1.f, 1.f}) {
            const float tip = side < 0 ? VALUE_LEFT + 10 : VALUE_LEFT + VALUE_WIDTH - 10;
            c.polygon({{tip, mid}, {tip - side * 9, mid - 7}, {tip - side * 9, mid + 7}}, solid(pal::yellow));
        }
    } else {
        for (float x : {ROW.width - 40.f, ROW.width - 31.f}) {
            c.line(x, mid - 8, x + 7, mid, 2.5f, solid(pal::yellow));
            c.line(x + 7, mid, x, mid + 8, 2.5f, solid(pal::yellow));
        }
    }
    saveTo(out, c, OPTIONS + file);
}

void optionsScreen(Output& out)
{
    using namespace optionsLayout;
    Canvas c = page(31, "Options", 44, {ROW_LEFT - 24, ROWS.first - 18, ROW.width + 48, ROWS.step * ROW_COUNT + 26});
    hint(c, "↑ ↓ choisir      ← → régler      Entrée valider      Échap retour");
    saveTo(out, c, OPTIONS + "background.png");

    optionRow(out, "Volume de la musique", "musique.png", true);
    optionRow(out, "Volume des sons", "sons.png", true);
    optionRow(out, "Plein écran", "pleinEcran.png", true);
    optionRow(out, "Compteur d'images (FPS)", "fps.png", true);
    optionRow(out, "Touches du clavier", "touches.png", false);
    saveTo(out, makeButton(170, 40, 168, 38, "Options", Accent::Normal, 16), OPTIONS + "bouton.png");
}

void keysScreen(Output& out)
{
    using namespace keysLayout;
    Canvas c = page(37, "Touches du clavier", 44, {40, ROWS.first - 20, 920, ROWS.step * REBINDABLE_COUNT + 26});
    const char* labels[REBINDABLE_COUNT] = {"Marcher à gauche",    "Marcher à droite", "Sauter",
                                            "Inverser la gravité", "Activer",          "Dialogue : suite"};
    for (std::size_t row = 0; row < REBINDABLE_COUNT; ++row) {
        const float y = ROWS.at(row);
        if (row % 2 == 0)
            c.roundRect(52, y - 6, 896, ROWS.step, 6, solid(withAlpha(pal::white, 0.04f)));
        TextStyle t = bodyText(18);
        t.outline = 2.f;
        drawTextCentred(c, labels[row], 70.f + textWidth(labels[row], t) / 2.f, y + CELL.height / 2.f - 2.f, t);
    }
    hint(c, "Entrée ou clic : changer une touche      Échap : retour");
    saveTo(out, c, OPTIONS + "clavier.png");

    Canvas cell(static_cast<int>(CELL.width), static_cast<int>(CELL.height));
    keyPlate(cell, 0, 0, CELL.width, CELL.height);
    saveTo(out, cell, OPTIONS + "touche.png");
    saveTo(out, makeButton(224, 48, 220, 44, "Par défaut", Accent::Normal, 18), OPTIONS + "defaut.png");

    // Over the hint at the bottom, up to the defaults button.
    Canvas waiting(680, 84);
    PanelStyle banner;
    banner.rim = pal::yellow;
    drawPanel(waiting, 4, 4, 672, 76, banner);
    TextStyle t = bodyText(22, pal::white);
    t.outline = 2.f;
    drawTextCentred(waiting, "Appuyez sur la nouvelle touche", 340, 32, t);
    drawTextCentred(waiting, "Échap : annuler", 340, 62, bodyText(14, pal::mist));
    saveTo(out, waiting, OPTIONS + "attente.png");
}

// A bright rim with a soft glow, cut in nine by the game: 16-pixel corners stay as
// they are, the edges stretch around the chosen button.
void focusFrame(Output& out)
{
    const int n = 48;
    Canvas rim(n, n);
    rim.roundFrame(6, 6, n - 12, n - 12, 10, 3, solid(pal::yellow));
    Canvas c(n, n);
    c.draw(rim.blurred(3), 0, 0);
    c.roundFrame(6, 6, n - 12, n - 12, 10, 3, vertical(mix(pal::yellow, pal::white, 0.5f), pal::amber, 6, n - 6));
    saveTo(out, c, "data\\graphics\\window\\focus.png");
}

} // namespace

void generateControls(Output& out)
{
    controlsPage(out);
    optionsScreen(out);
    keysScreen(out);
    focusFrame(out);
}
