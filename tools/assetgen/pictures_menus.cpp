// Main menu, pause menu, cursors and the window icon.
#include "art.h"

#include <cmath>

namespace {

const char* const MENU = "data\\graphics\\window\\mainmenu\\";

void mainBackground(Output& out)
{
    Canvas c(1000, 500);
    menuBackdrop(c, 11);
    // Light behind the title and the little program, and the disc it stands on
    // (its feet are at y = 201 in the window).
    Canvas light(1000, 500);
    light.ellipse(500, 120, 330, 95, solid(withAlpha(hex(0x1d5fc0), 0.35f)));
    light.ellipse(500, 190, 110, 40, solid(withAlpha(pal::cyan, 0.22f)));
    c.draw(light.blurred(40), 0, 0, 1.f, Blend::Add);
    c.ellipse(500, 201, 64, 9, solid(withAlpha(pal::cyanDeep, 0.9f)));
    c.fill(
        [](float x, float y) {
            const float d = sdEllipse(x, y, 500, 201, 64, 9);
            return std::max(d, -d - 2.f);
        },
        solid(withAlpha(pal::cyan, 0.9f)), 430, 190, 570, 212);
    c.ellipse(500, 200, 46, 5, solid(withAlpha(pal::cyanLight, 0.18f)));

    TextStyle tag;
    tag.size = 13;
    tag.fill = solid(withAlpha(pal::mist, 0.75f));
    drawText(c, "Un tout petit programme. Un très grand ordinateur.", 985, 488, tag, Align::Right);
    TextStyle version = tag;
    version.fill = solid(withAlpha(pal::haze, 0.8f));
    drawText(c, "v1.0", 985, 470, version, Align::Right);
    saveTo(out, c, std::string(MENU) + "background.png");
}

void title(Output& out)
{
    const int w = 882;
    const int h = 80;
    Canvas c(w, h);
    const float cx = w / 2.f;
    const float cy = 32.f;
    const unsigned size = 68;
    const float cap = typesetter().capHeight(false, size);
    const float base = cy + cap / 2.f;

    // Circuit tracks run out of the word towards both edges of the menu.
    TextStyle probe;
    probe.size = size;
    probe.letterSpacing = 1.5f;
    const float half = textWidth("KORVANE", probe) / 2.f;
    for (float side : {-1.f, 1.f}) {
        const float x0 = cx + side * (half + 22.f);
        const float x1 = cx + side * (cx - 14.f);
        for (int k = -1; k <= 1; ++k) {
            const float y = cy + static_cast<float>(k) * 12.f;
            const float bend = x0 + side * (60.f + 40.f * static_cast<float>(k + 1));
            const float end = x1 - side * static_cast<float>(std::abs(k)) * 70.f;
            const Rgba col = k == 0 ? withAlpha(pal::cyan, 0.9f) : withAlpha(hex(0x3f7fd8), 0.8f);
            c.line(x0, cy, bend, cy, 3.f, solid(col));
            if (k != 0) {
                c.line(bend, cy, bend + side * 12.f, y, 3.f, solid(col));
                c.line(bend + side * 12.f, y, end, y, 3.f, solid(col));
            } else {
                c.line(bend, cy, end, cy, 3.f, solid(col));
            }
            c.circle(end, y, 5.f, solid(col));
            c.circle(end, y, 2.f, solid(pal::night));
        }
        c.circle(x0, cy, 5.f, solid(pal::cyanLight));
    }
    Canvas glowLayer(w, h);
    glowLayer.draw(c, 0, 0);
    c.draw(glowLayer.blurred(8), 0, 0, 0.9f, Blend::Add);

    // The word: a deep extrusion, a dark outline, then a bright face.
    TextStyle t;
    t.size = size;
    t.letterSpacing = 1.5f;
    t.outline = 4.f;
    t.outlineColor = pal::ink;
    t.glow = withAlpha(pal::cyan, 0.55f);
    t.glowRadius = 10;
    for (int d = 6; d >= 1; --d) {
        TextStyle e = t;
        e.glow = Rgba();
        e.fill = solid(d > 3 ? pal::cyanDeep : hex(0x12808a));
        e.outlineColor = pal::ink;
        drawText(c, "KORVANE", cx, base + static_cast<float>(d), e, Align::Center);
    }
    t.fill = [=](float x, float y) {
        const float f = (y - (base - cap)) / cap;
        Rgba col = mix(pal::white, pal::cyanLight, smoothstep(0.f, 0.45f, f));
        col = mix(col, pal::cyan, smoothstep(0.45f, 1.f, f));
        // A horizontal scan line crossing the letters.
        if (std::fabs(f - 0.52f) < 0.03f)
            col = mix(col, pal::white, 0.6f);
        (void)x;
        return col;
    };
    t.shadowY = 0;
    drawText(c, "KORVANE", cx, base, t, Align::Center);
    saveTo(out, c, std::string(MENU) + "titre.png");
}

void mascotSheet(Output& out)
{
    const int fw = 102;
    const int fh = 128;
    Canvas sheet(fw * 4, fh * 2);
    const float s = 1.1f;
    // Rest, crouch, spring up, wave, wave, fall, land with a blink, rest.
    MascotPose poses[8];
    poses[0].armLeft = 12.f;
    poses[0].armRight = 12.f;
    poses[1] = poses[0];
    poses[1].squash = 0.14f;
    poses[1].eyes = MascotPose::Happy;
    poses[1].armLeft = 40.f;
    poses[1].armRight = 40.f;
    poses[2].lift = 12.f;
    poses[2].squash = -0.1f;
    poses[2].eyes = MascotPose::Happy;
    poses[2].armLeft = 130.f;
    poses[2].armRight = 130.f;
    poses[2].antennaTilt = -3.f;
    poses[3].lift = 17.f;
    poses[3].squash = -0.03f;
    poses[3].eyes = MascotPose::Happy;
    poses[3].armLeft = 35.f;
    poses[3].armRight = 165.f;
    poses[3].antennaTilt = 4.f;
    poses[4] = poses[3];
    poses[4].lift = 15.f;
    poses[4].armRight = 120.f;
    poses[4].antennaTilt = -4.f;
    poses[4].eyes = MascotPose::Open;
    poses[5].lift = 7.f;
    poses[5].squash = -0.06f;
    poses[5].armLeft = 60.f;
    poses[5].armRight = 155.f;
    poses[5].antennaTilt = 3.f;
    poses[6].squash = 0.1f;
    poses[6].eyes = MascotPose::Closed;
    poses[6].armLeft = 30.f;
    poses[6].armRight = 30.f;
    poses[6].antennaTilt = -2.f;
    poses[7] = poses[0];
    for (int i = 0; i < 8; ++i) {
        Canvas frame(fw, fh);
        drawMascot(frame, fw / 2.f, fh - 4.f, s, poses[i]);
        sheet.draw(frame, (i % 4) * fw, (i / 4) * fh);
    }
    saveTo(out, sheet, std::string(MENU) + "virus.png");
}

void menuButtons(Output& out)
{
    saveTo(out, makeButton(440, 66, 384, 58, "Nouvelle partie", Accent::Primary, 26),
           std::string(MENU) + "commencer.png");
    saveTo(out, makeButton(544, 66, 384, 58, "Charger", Accent::Normal, 26), std::string(MENU) + "charger.png");
    saveTo(out, makeButton(226, 60, 222, 54, "Quitter", Accent::Danger, 24), std::string(MENU) + "quitter.png");
    saveTo(out, makeButton(170, 40, 168, 38, "Commandes", Accent::Normal, 16),
           "data\\graphics\\window\\commandes\\bouton.png");
}

// --- pause ------------------------------------------------------------------------------

void pauseMenu(Output& out)
{
    Canvas c(1000, 500, withAlpha(hex(0x03050f), 0.62f));
    // Scan lines over the frozen level: the world is on hold, not gone.
    for (int y = 0; y < 500; y += 3)
        c.rect(0, y, 1000, 1, withAlpha(hex(0x000000), 0.18f));
    PanelStyle ps;
    ps.top = withAlpha(hex(0x1b2454), 0.97f);
    ps.bottom = withAlpha(hex(0x0e1334), 0.97f);
    ps.radius = 16.f;
    drawPanel(c, 200, 34, 600, 452, ps);

    TextStyle t;
    t.size = 60;
    t.outline = 4.f;
    t.letterSpacing = 1.4f;
    t.fill = vertical(pal::white, pal::cyan, 70, 120);
    t.glow = withAlpha(pal::cyan, 0.5f);
    t.glowRadius = 10;
    t.shadowY = 4;
    drawTextCentred(c, "Pause", 500, 98, t);
    // Two bars of a pause symbol on both sides of the word.
    for (float side : {-1.f, 1.f}) {
        const float bx = 500 + side * 150;
        c.roundRect(bx - 14, 80, 10, 36, 3, solid(pal::cyan));
        c.roundRect(bx + 4, 80, 10, 36, 3, solid(pal::cyan));
    }
    TextStyle sub;
    sub.size = 16;
    sub.fill = solid(pal::mist);
    drawTextCentred(c, "Le programme attend vos instructions", 500, 154, sub);
    c.line(280, 178, 500, 178, 2.f, horizontal(withAlpha(pal::cyan, 0.f), withAlpha(pal::cyan, 0.7f), 280, 500));
    c.line(500, 178, 720, 178, 2.f, horizontal(withAlpha(pal::cyan, 0.7f), withAlpha(pal::cyan, 0.f), 500, 720));

    // The little program dozes while the game waits.
    Canvas nap(1000, 500);
    MascotPose pose;
    pose.eyes = MascotPose::Closed;
    pose.squash = 0.08f;
    pose.armLeft = 8.f;
    pose.armRight = 8.f;
    pose.antennaTilt = -6.f;
    pose.smile = false;
    drawMascot(nap, 500, 300, 0.85f, pose);
    c.draw(nap, 0, 0);
    TextStyle z;
    z.fill = solid(withAlpha(pal::cyanLight, 0.9f));
    z.outline = 2.f;
    z.size = 16;
    drawText(c, "z", 534, 254, z);
    z.size = 20;
    drawText(c, "z", 548, 236, z);
    z.size = 26;
    drawText(c, "Z", 566, 216, z);
    saveTo(out, c, "data\\graphics\\window\\pausemenu\\background.png");

    saveTo(out, makeButton(620, 70, 440, 60, "Reprendre", Accent::Primary, 26),
           "data\\graphics\\window\\pausemenu\\jeu.png");
    saveTo(out, makeButton(620, 70, 440, 60, "Menu principal", Accent::Normal, 26),
           "data\\graphics\\window\\pausemenu\\menu.png");
}

// --- cursors and icon -----------------------------------------------------------------

void cursors(Output& out)
{
    // The game centres cursor pictures on the mouse: the arrow's tip is the centre pixel.
    Canvas arrow(40, 40);
    // The body starts one pixel in, so that its outline's corner is the tip.
    const float tx = 21.f;
    const float ty = 21.f;
    const std::vector<sf::Vector2f> shape = {{tx, ty},
                                             {tx, ty + 16.f},
                                             {tx + 4.f, ty + 12.5f},
                                             {tx + 7.f, ty + 19.f},
                                             {tx + 10.f, ty + 17.5f},
                                             {tx + 7.2f, ty + 11.f},
                                             {tx + 12.f, ty + 11.f}};
    Canvas body(40, 40);
    body.polygon(shape, vertical(pal::white, pal::cyanLight, ty, ty + 19));
    Canvas edged = outlined(body, 1, pal::ink);
    // Shadow offset down-right only, so the tip stays where the click lands.
    Canvas shadow(40, 40);
    shadow.drawMask(edged, 2, 2, solid(withAlpha(pal::ink, 0.45f)));
    arrow.draw(shadow, 0, 0);
    arrow.draw(edged, 0, 0);
    // The tip pixel itself is bright: it is the point that clicks.
    arrow.set(20, 20, pal::white);
    saveTo(out, arrow, "data\\graphics\\window\\hud\\fleche.png");

    Canvas sight(33, 33);
    const float c = 16.5f;
    Canvas ring(33, 33);
    ring.fill([=](float x, float y) { return std::fabs(sdCircle(x, y, c, c, 10.5f)) - 1.2f; }, solid(pal::cyanLight), 0,
              0, 33, 33);
    for (int i = 0; i < 4; ++i) {
        const float dx = i == 0 ? 1.f : (i == 1 ? -1.f : 0.f);
        const float dy = i == 2 ? 1.f : (i == 3 ? -1.f : 0.f);
        ring.line(c + dx * 6.f, c + dy * 6.f, c + dx * 15.f, c + dy * 15.f, 2.f, solid(pal::white));
    }
    // Gaps in the ring where the ticks cross it keep the centre uncluttered.
    sight.draw(outlined(ring, 1, withAlpha(pal::ink, 0.9f)), 0, 0);
    sight.rect(16, 16, 1, 1, pal::yellow);
    sight.rect(15, 16, 3, 1, withAlpha(pal::yellow, 0.9f));
    sight.rect(16, 15, 1, 3, withAlpha(pal::yellow, 0.9f));
    saveTo(out, sight, "data\\graphics\\window\\hud\\viseur.png");
}

void windowIcon(Output& out)
{
    const int n = 170;
    Canvas tile(n, n);
    const float r = 34.f;
    tile.roundRect(0, 0, n, n, r, vertical(hex(0x23306a), pal::night, 0, n));
    Canvas traces(n, n);
    Rng rng(5);
    TraceStyle ts;
    ts.track = hex(0x2b3a7c);
    ts.pad = hex(0x3a4c98);
    ts.hole = hex(0x141a3a);
    ts.grid = 14;
    ts.bundles = 20;
    drawTraces(traces, rng, ts);
    Canvas glow(n, n);
    glow.circle(85, 78, 60, solid(withAlpha(pal::cyan, 0.35f)));
    traces.draw(glow.blurred(30), 0, 0, 1.f, Blend::Add);
    MascotPose pose;
    pose.shadow = false;
    pose.armLeft = 20.f;
    pose.armRight = 20.f;
    drawMascot(traces, 85, 186, 1.9f, pose);
    // Keep only what lies on the tile.
    tile.draw(traces, 0, 0);
    Canvas clipped(n, n);
    clipped.roundRect(0, 0, n, n, r, solid(pal::white));
    Canvas result(n, n);
    result.drawMask(clipped, 0, 0,
                    [&tile](float x, float y) { return tile.at(static_cast<int>(x), static_cast<int>(y)); });
    result.roundFrame(0, 0, n, n, r, 4.f, solid(pal::ink));
    result.roundFrame(4, 4, n - 8, n - 8, r - 4, 2.f, solid(withAlpha(pal::cyan, 0.8f)));
    saveTo(out, result, "data\\graphics\\window\\iconeFenetre.png");
}

} // namespace

void generateMenus(Output& out)
{
    mainBackground(out);
    title(out);
    mascotSheet(out);
    menuButtons(out);
    pauseMenu(out);
    cursors(out);
    windowIcon(out);
}
