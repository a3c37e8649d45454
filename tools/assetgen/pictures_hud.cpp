// In-game overlays and screens: the health display, the game over screen, the transfer
// interlude between two maps and the ending.
#include "art.h"

#include <cmath>

namespace {

void healthBar(Output& out)
{
    // The frame shows only its 1 px edge while the bar is full; the inside is what the
    // player sees draining, so it carries the empty-gauge look.
    Canvas frame(152, 20);
    frame.rect(0, 0, 152, 20, pal::ink);
    frame.rect(1, 1, 150, 18, vertical(hex(0x1a0d1c), hex(0x2a1024), 1, 19));
    for (int x = 16; x < 151; x += 15)
        frame.rect(x, 2, 1, 16, withAlpha(pal::red, 0.25f));
    frame.rect(1, 1, 150, 1, withAlpha(pal::ink, 0.8f));
    frame.set(0, 0, Rgba());
    frame.set(151, 0, Rgba());
    frame.set(0, 19, Rgba());
    frame.set(151, 19, Rgba());
    saveTo(out, frame, "data\\graphics\\window\\hud\\barreVie.png");

    Canvas fill(150, 18);
    fill.rect(0, 0, 150, 18, horizontal(hex(0x1ccfb0), pal::cyan, 0, 150));
    for (int y = 0; y < 18; ++y) {
        const float f = static_cast<float>(y) / 17.f;
        // Rounded tube: light near the top, dark at the bottom.
        const float k = f < 0.3f ? 1.25f - f : (f > 0.7f ? 1.f - (f - 0.7f) * 1.4f : 1.f);
        for (int x = 0; x < 150; ++x)
            fill.set(x, y, scaled(fill.at(x, y), k));
    }
    fill.rect(2, 2, 146, 2, withAlpha(pal::white, 0.55f));
    // Cells every 15 px, one per tenth of the program's integrity.
    for (int x = 14; x < 150; x += 15) {
        fill.rect(x, 0, 1, 18, withAlpha(hex(0x0b5f68), 0.9f));
        fill.rect(x + 1, 0, 1, 18, withAlpha(pal::white, 0.25f));
    }
    saveTo(out, fill, "data\\graphics\\window\\hud\\vie.png");

    Canvas bubble(56, 56);
    bubble.circle(28, 29, 27.5f, solid(withAlpha(pal::ink, 0.6f)));
    bubble.circle(28, 28, 27, solid(pal::ink));
    bubble.circle(28, 28, 25, vertical(hex(0x2a3a7a), pal::night, 4, 52));
    Canvas face(56, 56);
    drawMascotFace(face, 28, 30, 0.7f, MascotPose::Open);
    // Keep the face inside the round window.
    Canvas disc(56, 56);
    disc.circle(28, 28, 23, solid(pal::white));
    Canvas clipped(56, 56);
    clipped.drawMask(disc, 0, 0,
                     [&face](float x, float y) { return face.at(static_cast<int>(x), static_cast<int>(y)); });
    bubble.draw(clipped, 0, 0);
    bubble.fill([](float x, float y) { return std::fabs(sdCircle(x, y, 28, 28, 24.5f)) - 1.5f; },
                vertical(mix(pal::cyan, pal::white, 0.4f), pal::cyanDark, 4, 52), 0, 0, 56, 56);
    // A glint on the glass.
    bubble.fill(
        [](float x, float y) {
            return std::max(std::fabs(sdCircle(x, y, 28, 28, 20.f)) - 1.2f, (x - 28) + (y - 28) + 18);
        },
        solid(withAlpha(pal::white, 0.5f)), 0, 0, 56, 56);
    saveTo(out, bubble, "data\\graphics\\window\\hud\\bulle.png");
}

void gameOver(Output& out)
{
    Canvas c(1000, 500);
    // A red-tinged veil, heavier at the edges, with the scan lines of a failing screen.
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 1000; ++x) {
            const float dx = (static_cast<float>(x) / 1000.f - 0.5f) * 2.f;
            const float dy = (static_cast<float>(y) / 500.f - 0.5f) * 2.f;
            const float v = smoothstep(0.2f, 1.4f, std::sqrt(dx * dx * 0.7f + dy * dy));
            Rgba col = mix(hex(0x12040c), hex(0x3a0612), v * 0.8f);
            col.a = 0.72f + 0.2f * v;
            if (y % 3 == 0)
                col = mix(col, hex(0x000000), 0.35f);
            c.set(x, y, col);
        }
    // Torn lines of a corrupted picture.
    Rng rng(66);
    for (int i = 0; i < 18; ++i) {
        const int y = rng.below(500);
        const int x = rng.below(900);
        const int w = 40 + rng.below(260);
        c.rect(x, y, w, 1 + rng.below(3), withAlpha(rng.chance(0.5f) ? pal::red : pal::cyan, rng.range(0.08f, 0.25f)));
    }

    TextStyle t;
    t.size = 72;
    t.letterSpacing = 1.3f;
    t.outline = 4.f;
    // The title splits into colour channels, like a signal losing its sync.
    TextStyle ghost = t;
    ghost.outline = 0.f;
    ghost.fill = solid(withAlpha(pal::cyan, 0.55f));
    drawTextCentred(c, "Fin de partie", 496, 140, ghost);
    ghost.fill = solid(withAlpha(pal::red, 0.7f));
    drawTextCentred(c, "Fin de partie", 505, 142, ghost);
    t.fill = vertical(pal::white, hex(0xffb3bd), 110, 170);
    t.glow = withAlpha(pal::red, 0.6f);
    t.glowRadius = 12;
    t.shadowY = 4;
    drawTextCentred(c, "Fin de partie", 500, 140, t);
    // Cut through by a slice shifted sideways.
    Canvas slice = c.crop(250, 150, 500, 4);
    c.draw(slice, 260, 150);

    TextStyle sub;
    sub.size = 20;
    sub.letterSpacing = 1.2f;
    sub.fill = solid(hex(0xffd6dc));
    sub.outline = 2.f;
    drawTextCentred(c, "Programme interrompu", 500, 212, sub);
    TextStyle code;
    code.size = 13;
    code.mono = true;
    code.fill = solid(withAlpha(pal::red, 0.9f));
    drawTextCentred(c, "> erreur fatale : intégrité du programme à 0 %", 500, 246, code);
    c.line(320, 268, 500, 268, 2, horizontal(withAlpha(pal::red, 0.f), withAlpha(pal::red, 0.8f), 320, 500));
    c.line(500, 268, 680, 268, 2, horizontal(withAlpha(pal::red, 0.8f), withAlpha(pal::red, 0.f), 500, 680));
    saveTo(out, c, "data\\graphics\\window\\gameOver\\gameOver.png");

    saveTo(out, makeButton(500, 70, 400, 60, "Recommencer", Accent::Primary, 26),
           "data\\graphics\\window\\gameOver\\recommencer.png");
    saveTo(out, makeButton(500, 70, 400, 60, "Menu principal", Accent::Normal, 26),
           "data\\graphics\\window\\gameOver\\menuPrincipal.png");
}

// The big outlined, glowing title of a full-screen page.
TextStyle screenTitle(unsigned size, const Paint& fill, const Rgba& glow)
{
    TextStyle t;
    t.size = size;
    t.outline = 3.f;
    t.fill = fill;
    t.glow = withAlpha(glow, 0.5f);
    t.shadowY = 3;
    return t;
}

void interlude(Output& out)
{
    Canvas c(1000, 500);
    menuBackdrop(c, 77, 0.8f);
    // Lightly see-through, so the frozen level still shows at the very edges.
    c.fadeAlpha(0.96f);

    // The bar below is drawn full: the title says the transfer is done, not under way.
    drawTextCentred(c, "Transfert terminé", 500, 100,
                    screenTitle(44, vertical(pal::white, pal::cyanLight, 80, 120), pal::cyan));

    // Two chips and the link between them, packets on their way.
    PanelStyle ps;
    ps.top = hex(0x1a2252);
    ps.bottom = hex(0x0f1438);
    drawPanel(c, 180, 150, 640, 220, ps);
    for (float x : {250.f, 750.f}) {
        for (int k = 0; k < 5; ++k) {
            const float p = -24.f + 12.f * static_cast<float>(k);
            c.line(x + p, 196, x + p, 264, 3, solid(hex(0x9aa3b8)));
            c.line(x - 34, 230 + p, x + 34, 230 + p, 3, solid(hex(0x9aa3b8)));
        }
        c.roundRect(x - 28, 202, 56, 56, 5, vertical(hex(0x2a2d3c), hex(0x15161f), 202, 258));
        c.roundFrame(x - 28, 202, 56, 56, 5, 1.5f, solid(pal::ink));
        c.circle(x, 230, 9, solid(withAlpha(pal::cyan, 0.9f)));
        c.circle(x, 230, 4, solid(pal::white));
    }
    for (int k = 0; k < 3; ++k) {
        const float y = 218.f + 12.f * static_cast<float>(k);
        c.line(290, y, 710, y, 2, solid(withAlpha(pal::cyanDeep, 0.9f)));
    }
    Canvas packets(1000, 500);
    Rng rng(12);
    for (int i = 0; i < 9; ++i) {
        const float x = 320.f + 42.f * static_cast<float>(i) + rng.range(-8, 8);
        const float y = 218.f + 12.f * static_cast<float>(rng.below(3));
        packets.roundRect(x, y - 3, 14, 6, 2, solid(i % 3 == 0 ? pal::yellow : pal::cyan));
    }
    c.draw(packets.blurred(6), 0, 0, 1.f, Blend::Add);
    c.draw(packets, 0, 0);

    // The progress bar, striped and full.
    const float bx = 230;
    const float by = 300;
    const float bw = 540;
    const float bh = 26;
    c.roundRect(bx - 3, by - 3, bw + 6, bh + 6, 8, solid(pal::ink));
    c.roundRect(bx, by, bw, bh, 6, solid(hex(0x0a0f26)));
    c.fill([=](float x, float y) { return sdBox(x, y, bx + bw / 2, by + bh / 2, bw / 2 - 3, bh / 2 - 3, 4); },
           [=](float x, float y) {
               const bool stripe = static_cast<int>(std::floor((x + (y - by)) / 12.f)) % 2 == 0;
               const Rgba base = mix(hex(0x1ccfb0), pal::cyan, (x - bx) / bw);
               return stripe ? base : scaled(base, 0.8f);
           },
           bx, by, bx + bw, by + bh);
    c.rect(static_cast<int>(bx + 6), static_cast<int>(by + 5), static_cast<int>(bw - 12), 2,
           withAlpha(pal::white, 0.45f));
    TextStyle pct;
    pct.size = 16;
    pct.outline = 2.f;
    drawTextCentred(c, "100 %", 500, by + bh / 2 + 1, pct);
    TextStyle info;
    info.size = 13;
    info.mono = true;
    info.fill = solid(pal::mist);
    drawTextCentred(c, "paquets reçus : 1024 / 1024  -  zone suivante prête", 500, 346, info);

    TextStyle foot;
    foot.size = 18;
    foot.fill = solid(pal::yellow);
    foot.outline = 2.f;
    drawTextCentred(c, "Appuyez sur une touche pour continuer", 500, 430, foot);
    const float fw = textWidth("Appuyez sur une touche pour continuer", foot) / 2.f + 18.f;
    for (float side : {-1.f, 1.f}) {
        const float ax = 500 + side * fw;
        c.polygon({{ax, 423}, {ax, 437}, {ax - side * 9, 430}}, solid(pal::yellow));
    }
    saveTo(out, c, "data\\graphics\\window\\mapInterlude.png");
}

// After the last map: the closing words, the credits, and the two ways on.
void ending(Output& out)
{
    Canvas c(1000, 500);
    menuBackdrop(c, 909, 0.7f);

    MascotPose pose;
    pose.eyes = MascotPose::Happy;
    pose.armLeft = 40.f;
    pose.armRight = 150.f;
    drawMascot(c, 130, 150, 1.2f, pose);

    drawTextCentred(c, "Le voyage de Korvane", 560, 52,
                    screenTitle(46, vertical(pal::white, pal::yellow, 30, 80), pal::amber));

    TextStyle words;
    words.size = 17;
    words.outline = 2.f;
    words.fill = solid(pal::white);
    const char* const closing[] = {"Parti d'une clé USB, un tout petit programme a traversé le bus,",
                                   "la mémoire, le processeur et le pare-feu jusqu'au noyau.",
                                   "Il rentre raconter son voyage : un nouveau cycle commence."};
    for (int i = 0; i < 3; ++i)
        drawText(c, closing[i], 560, 104.f + 24.f * static_cast<float>(i), words, Align::Center);

    PanelStyle ps;
    ps.rimAlpha = 0.6f;
    drawPanel(c, 90, 186, 820, 196, ps);
    TextStyle head;
    head.size = 16;
    head.fill = solid(pal::yellow);
    head.outline = 1.5f;
    TextStyle line;
    line.size = 14;
    line.fill = solid(pal::mist);
    const char* const credits[][2] = {{"Programmation", "l'équipe de Korvane, en C++17 avec la bibliothèque SFML"},
                                      {"Images, musiques et sons", "dessinés et composés par le générateur du jeu"},
                                      {"Polices", "DejaVu Sans et DejaVu Sans Mono (Debian : fonts-dejavu-core),"},
                                      {"", "licence Bitstream Vera, ajouts DejaVu dans le domaine public ;"},
                                      {"", "texte complet dans data/fonts/LICENCE-DejaVu.txt"}};
    // The labels end left of this column and the lines start on it, both inside the panel.
    const float CREDITS_COLUMN = 370.f;
    float y = 222.f;
    for (const auto& [label, text] : credits) {
        if (*label) {
            y += 12.f;
            drawText(c, label, CREDITS_COLUMN - 20, y, head, Align::Right);
        }
        drawText(c, text, CREDITS_COLUMN, y, line);
        y += 22.f;
    }
    saveTo(out, c, "data\\graphics\\window\\fin\\fin.png");
    saveTo(out, makeButton(400, 70, 360, 58, "Menu principal", Accent::Normal, 24),
           "data\\graphics\\window\\fin\\menuPrincipal.png");
    saveTo(out, makeButton(400, 70, 360, 58, "Rejouer depuis la clé USB", Accent::Primary, 18),
           "data\\graphics\\window\\fin\\rejouer.png");
}

} // namespace

void generateHud(Output& out)
{
    healthBar(out);
    gameOver(out);
    interlude(out);
    ending(out);
}
