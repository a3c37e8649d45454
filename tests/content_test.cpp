// Checks on the generated content in data/: what the game's code takes for granted
// about its pictures, sounds and fonts. A generator change that breaks one fails here.
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const sf::Vector2i WINDOW(1000, 500);
const char* const WORLDS[] = {"01_USB",     "02_BUS",    "03_RAM",     "04_CACHE", "05_CPU",
                              "06_HORLOGE", "07_RESEAU", "08_PAREFEU", "09_NOYAU"};
// The spike pictures of every world: the floor's and the wide stones'.
const char* const SPIKES[] = {"pics.png", "picsLarges.png"};

std::string dataFile(const std::string& path)
{
    return std::string(KORVANE_SOURCE_DIR) + "/data/" + path;
}

sf::Image picture(const std::string& path)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(dataFile("graphics/" + path))) << path;
    return image;
}

sf::Vector2i sizeOf(const sf::Image& image)
{
    return sf::Vector2i(image.getSize());
}

sf::Color at(const sf::Image& image, int x, int y)
{
    return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
}

int opaqueIn(const sf::Image& image, const sf::IntRect& r)
{
    int n = 0;
    for (int y = r.top; y < r.top + r.height; ++y)
        for (int x = r.left; x < r.left + r.width; ++x)
            n += at(image, x, y).a != 0;
    return n;
}

// Mean RGBA distance between two columns (or rows) of the picture.
double lineDistance(const sf::Image& image, bool columns, int a, int b)
{
    const sf::Vector2i s = sizeOf(image);
    const int length = columns ? s.y : s.x, along = columns ? 4 * s.x : 4, across = columns ? 4 : 4 * s.x;
    const sf::Uint8* pixels = image.getPixelsPtr();
    double sum = 0.0;
    for (int i = 0; i < length; ++i) {
        const sf::Uint8* p = pixels + i * along + a * across;
        const sf::Uint8* q = pixels + i * along + b * across;
        double d = 0.0;
        for (int k = 0; k < 4; ++k)
            d += (p[k] - q[k]) * (p[k] - q[k]);
        sum += std::sqrt(d);
    }
    return sum / length;
}

// Where a scrolling picture meets itself, it may change no more than it ordinarily
// does from one pixel to the next (the median step between neighbouring lines).
void expectTiles(const std::string& path, bool columns)
{
    const sf::Image image = picture(path);
    const int lines = columns ? sizeOf(image).x : sizeOf(image).y;
    std::vector<double> steps;
    for (int k = 0; k + 1 < lines; ++k)
        steps.push_back(lineDistance(image, columns, k, k + 1));
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    EXPECT_LE(lineDistance(image, columns, 0, lines - 1), 2.0 * steps[steps.size() / 2] + 1.0)
        << path << (columns ? ": the left and right edges" : ": the top and bottom edges") << " do not meet";
}

} // namespace

TEST(ContentPictures, WindowIconAndCursorsPutTheirPointWhereTheGameClicks)
{
    const sf::Vector2i icon = sizeOf(picture("window/iconeFenetre.png"));
    EXPECT_TRUE(icon.x >= 170 && icon.y >= 170) << icon.x << "x" << icon.y;
    // The game centres a cursor picture on the mouse (integer halves): the arrow's tip
    // is that pixel, and the arrow extends down-right from it.
    const sf::Image arrow = picture("window/hud/fleche.png");
    const sf::Vector2i tip = sizeOf(arrow) / 2;
    EXPECT_NE(at(arrow, tip.x, tip.y).a, 0) << "the tip is not on the hot spot";
    std::string aboveLeft;
    for (int y = 0; y <= tip.y; ++y)
        for (int x = 0; x <= tip.x; ++x)
            if ((x != tip.x || y != tip.y) && at(arrow, x, y).a != 0)
                aboveLeft += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    EXPECT_EQ(aboveLeft, "") << "shows above-left of the tip: the arrow does not point where the click lands";
    EXPECT_GT(opaqueIn(arrow, {tip, sizeOf(arrow) - tip}), 60);

    const sf::Image sight = picture("window/hud/viseur.png");
    EXPECT_GT(opaqueIn(sight, {sizeOf(sight) / 2 - sf::Vector2i(1, 1), {3, 3}}), 0) << "the crosshair has no centre";
}

TEST(ContentPictures, ButtonsAreShapedPlatesInsideTheWindowAndMainMenuOnesNeverOverlap)
{
    // Each picture and where the game draws it.
    const std::tuple<const char*, int, int> buttons[] = {{"window/mainmenu/commencer.png", 280, 213},
                                                         {"window/mainmenu/charger.png", 228, 289},
                                                         {"window/mainmenu/quitter.png", 387, 371},
                                                         {"window/commandes/bouton.png", 10, 450},
                                                         {"window/pausemenu/jeu.png", 190, 320},
                                                         {"window/pausemenu/menu.png", 190, 410},
                                                         {"window/gameOver/recommencer.png", 250, 300},
                                                         {"window/gameOver/menuPrincipal.png", 250, 400},
                                                         {"window/flecheBack.png", 5, 5},
                                                         {"window/fin/menuPrincipal.png", 90, 410},
                                                         {"window/fin/rejouer.png", 510, 410}};
    std::vector<int> owner(static_cast<std::size_t>(WINDOW.x * WINDOW.y), -1);
    for (int i = 0; i < static_cast<int>(std::size(buttons)); ++i) {
        const auto& [path, left, top] = buttons[i];
        const sf::Vector2i position(left, top);
        SCOPED_TRACE(path);
        const sf::Image image = picture(path);
        const sf::Vector2i s = sizeOf(image), end = position + s;
        ASSERT_TRUE(s.x > 4 && s.y > 4 && position.x >= 0 && position.y >= 0 && end.x <= WINDOW.x && end.y <= WINDOW.y)
            << "a " << s.x << "x" << s.y << " picture drawn at " << position.x << "," << position.y;
        // The game hit-tests non-transparent pixels: a shaped plate, solid in the middle.
        EXPECT_EQ(opaqueIn(image, {0, 0, 1, 1}) + opaqueIn(image, {s.x - 1, 0, 1, 1}) +
                      opaqueIn(image, {0, s.y - 1, 1, 1}) + opaqueIn(image, {s.x - 1, s.y - 1, 1, 1}),
                  0);
        EXPECT_EQ(opaqueIn(image, {s / 2 - sf::Vector2i(2, 2), {5, 5}}), 25);
        for (int y = 0; y < s.y && i < 3; ++y) // the main menu's three
            for (int x = 0; x < s.x; ++x) {
                int& o = owner[static_cast<std::size_t>((position.y + y) * WINDOW.x + position.x + x)];
                if (at(image, x, y).a == 0)
                    continue;
                ASSERT_EQ(o, -1) << "a click at " << position.x + x << "," << position.y + y << " hits two buttons";
                o = i;
            }
    }
}

TEST(ContentPictures, FullScreenPicturesFillTheWindowAndOnlyOverlaysLetTheLevelThrough)
{
    const std::pair<const char*, bool> screens[] = {{"window/mainmenu/background.png", false},
                                                    {"window/commandes/01.png", false},
                                                    {"window/newGameMenu/background.png", false},
                                                    {"window/loadingMenu/background.png", false},
                                                    {"window/pausemenu/background.png", true},
                                                    {"window/gameOver/gameOver.png", true},
                                                    {"window/fin/fin.png", false}};
    for (const auto& [path, overlay] : screens) {
        const sf::Image image = picture(path);
        ASSERT_EQ(sizeOf(image), WINDOW) << path;
        int seeThrough = 0;
        for (int y = 0; y < WINDOW.y; ++y)
            for (int x = 0; x < WINDOW.x; ++x)
                seeThrough += at(image, x, y).a != 255;
        if (overlay)
            EXPECT_GT(seeThrough, WINDOW.x * WINDOW.y / 4) << path << " hides the frozen level";
        else
            EXPECT_EQ(seeThrough, 0) << path << " must be fully opaque";
    }
    EXPECT_EQ(sizeOf(picture("window/mapInterlude.png")), WINDOW);
}

TEST(ContentPictures, SpriteSheetsSplitIntoFramesThatAreFilledAndAnimate)
{
    // Each sheet with its columns and rows of frames.
    std::vector<std::tuple<std::string, int, int>> sheets = {{"window/mainmenu/virus.png", 4, 2},
                                                             {"character/v1.png", 4, 2},
                                                             {"window/dialogue/wait.png", 3, 1},
                                                             {"map/common/levier.png", 1, 2},
                                                             {"map/common/cible.png", 1, 2}};
    for (const char* world : WORLDS)
        for (const char* spikes : SPIKES)
            sheets.emplace_back(std::string("map/") + world + "/" + spikes, 1, 2);
    for (const auto& [path, columns, rows] : sheets) {
        SCOPED_TRACE(path);
        const sf::Image image = picture(path);
        ASSERT_TRUE(sizeOf(image).x % columns == 0 && sizeOf(image).y % rows == 0);
        const sf::Vector2i f(sizeOf(image).x / columns, sizeOf(image).y / rows);
        std::vector<std::vector<sf::Color>> frames;
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < columns; ++col) {
                EXPECT_GT(opaqueIn(image, {{col * f.x, row * f.y}, f}), f.x * f.y / 20) << "empty frame " << col;
                frames.emplace_back();
                for (int y = 0; y < f.y; ++y)
                    for (int x = 0; x < f.x; ++x)
                        frames.back().push_back(at(image, col * f.x + x, row * f.y + y));
            }
        // An animation that does not move is a fault: every frame differs from the one
        // before it and from the one above it (rows are other directions or states).
        for (std::size_t i = 1, above = static_cast<std::size_t>(columns); i < frames.size(); ++i)
            EXPECT_TRUE(frames[i] != frames[i - 1] && (i < above || frames[i] != frames[i - above]))
                << "frame " << i << " repeats another";
    }
    const sf::Image heroSheet = picture("character/v1.png");
    const sf::Vector2i hero = sizeOf(heroSheet);
    EXPECT_TRUE(hero.x >= 4 * 24 && hero.x <= 4 * 32 && hero.y >= 2 * 32 && hero.y <= 2 * 48);
    // The figure is as wide as its frame (its box), feet included: the character stands on
    // a ledge exactly as far as it looks to.
    const sf::Vector2i frame(hero.x / 4, hero.y / 2);
    for (int i = 0; i < 8; ++i) {
        const int left = i % 4 * frame.x, top = i / 4 * frame.y;
        EXPECT_GT(opaqueIn(heroSheet, {left, top, 1, frame.y}), 0) << "frame " << i << " left column";
        EXPECT_GT(opaqueIn(heroSheet, {left + frame.x - 1, top, 1, frame.y}), 0) << "frame " << i << " right column";
        EXPECT_GT(opaqueIn(heroSheet, {left, top + frame.y - 1, frame.x / 4, 1}), 0) << "frame " << i << " left foot";
        EXPECT_GT(opaqueIn(heroSheet, {left + frame.x * 3 / 4, top + frame.y - 1, frame.x / 4, 1}), 0)
            << "frame " << i << " right foot";
    }

    // Spikes: raised (row 0) stand taller and fuller than retracted (row 1).
    for (const char* world : WORLDS)
        for (const char* file : SPIKES) {
            SCOPED_TRACE(std::string(world) + "/" + file);
            const sf::Image spikes = picture(std::string("map/") + world + "/" + file);
            const int w = sizeOf(spikes).x, h = sizeOf(spikes).y / 2;
            EXPECT_GT(opaqueIn(spikes, {0, 0, w, h}), opaqueIn(spikes, {0, h, w, h}));
            EXPECT_GT(opaqueIn(spikes, {0, 0, w, h / 2}), opaqueIn(spikes, {0, h, w, h / 2}));
            // Raised, they are spikes from end to end: a stone has no harmless-looking edge.
            EXPECT_GT(opaqueIn(spikes, {w - 10, 0, 10, h / 2}), 0);
            // Retracted, only the plate the maps sink into the floor: the bottom 6 rows.
            EXPECT_EQ(opaqueIn(spikes, {0, h, w, h - 6}), 0);
        }
}

TEST(ContentPictures, ScrollingTexturesTileWithoutASeam)
{
    expectTiles("map/common/currentLevelVortex.png", true);
    expectTiles("map/common/nextLevelVortex.png", true);
    for (const char* world : WORLDS) {
        expectTiles(std::string("map/") + world + "/background.png", true);
        expectTiles(std::string("map/") + world + "/background.png", false);
    }
}

TEST(ContentPictures, EveryWorldHasItsTileSetAtTheSizesLevelsAreBuiltWith)
{
    // The tile set as tools/assetgen/pictures_level.cpp documents it.
    const std::string tiles = "background.png 1000x500  sol.png 1000x40  plafond.png 1000x20  mur.png 20x500  "
                              "bloc.png 40x40  plateforme.png 160x20  plateformeCourte.png 80x20  pilier.png 40x120  "
                              "pilierLarge.png 80x120  porte.png 20x100  pics.png 40x40  picsLarges.png 80x40  "
                              "decoPuce.png 64x40  decoLed.png 24x12  "
                              "decoCable.png 120x40  decoCondensateur.png 24x40  decoVentilateur.png 48x48  "
                              "decoEmbleme.png 80x80  mapIcon.png 304x80";
    for (const char* world : WORLDS) {
        std::istringstream list(tiles);
        std::string file;
        sf::Vector2i size;
        for (char by = 'x'; list >> file >> size.x >> by >> size.y;)
            EXPECT_EQ(sizeOf(picture(std::string("map/") + world + "/" + file)), size) << world << "/" << file;
    }
}

TEST(ContentPictures, HudDialogueAndConsoleFitWhereTheGameDrawsThem)
{
    // The filling, drawn at (49,21), sits just inside the frame drawn at (48,20).
    EXPECT_EQ(sizeOf(picture("window/hud/barreVie.png")) - sf::Vector2i(2, 2), sizeOf(picture("window/hud/vie.png")));
    EXPECT_EQ(sizeOf(picture("window/dialogue/background.png")), sf::Vector2i(600, 100));
    // The bubble with a pointer is drawn 23 pixels further left: the pointer takes those
    // columns, and its body is as wide as the plain bubble, so that the wait marker the game
    // draws at (579, 82) of the bubble's place sits on the body, not beside it.
    EXPECT_EQ(sizeOf(picture("window/dialogue/backgroundFlecheG.png")), sf::Vector2i(623, 100));
    for (const char* who : {"Korvane", "Pilote", "Gardien"}) {
        const sf::Vector2i s = sizeOf(picture(std::string("actor/") + who + ".png"));
        EXPECT_TRUE(std::abs(s.x - 98) <= 2 && std::abs(s.y - 98) <= 2) << who << " is " << s.x << "x" << s.y;
    }
    // 21 lines of 65 characters of the dialogue font at size 12, 15 px of margin all round.
    sf::Font mono;
    ASSERT_TRUE(mono.loadFromFile(dataFile("fonts/dialogue.ttf")));
    const sf::Vector2i console = sizeOf(picture("window/console/background.png"));
    EXPECT_GE(static_cast<float>(console.x), 65.f * mono.getGlyph('0', 12, false).advance + 30.f);
    EXPECT_GE(static_cast<float>(console.y), 21.f * mono.getLineSpacing(12) + 30.f);
    EXPECT_TRUE(console.x <= WINDOW.x && console.y <= WINDOW.y) << console.x << "x" << console.y;
}

TEST(ContentFonts, BothFontsDrawFrenchAccents)
{
    for (const char* file : {"fonts/korvane.ttf", "fonts/dialogue.ttf"}) {
        sf::Font font;
        ASSERT_TRUE(font.loadFromFile(dataFile(file))) << file;
        for (sf::Uint32 c : {0xe9u, 0xe8u, 0xe0u, 0xe7u, 0xc9u}) { // é è à ç É
            const sf::Glyph& glyph = font.getGlyph(c, 18, false);
            EXPECT_TRUE(glyph.advance > 0.f && glyph.textureRect.width > 0 && glyph.textureRect.height > 0)
                << file << " has no glyph U+" << std::hex << c;
        }
    }
}

namespace {

sf::SoundBuffer sound(const std::string& name)
{
    sf::SoundBuffer buffer;
    EXPECT_TRUE(buffer.loadFromFile(dataFile("sounds/" + name + ".ogg")) && buffer.getSampleCount() > 0) << name;
    return buffer;
}

int peak(const sf::SoundBuffer& s, std::size_t count = SIZE_MAX)
{
    int p = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(count, s.getSampleCount()); ++i)
        p = std::max(p, std::abs(static_cast<int>(s.getSamples()[i])));
    return p;
}

} // namespace

TEST(ContentMusic, EveryTuneLoopsSeamlesslyForLongEnoughWithoutClipping)
{
    for (const char* name : {"mainMenu", "usb", "memoire", "processeur", "reseau", "noyau"}) {
        SCOPED_TRACE(name);
        const sf::SoundBuffer music = sound(name);
        const sf::Int16* s = music.getSamples();
        const std::size_t n = music.getSampleCount(), c = music.getChannelCount();
        ASSERT_GT(n, 2 * c);
        EXPECT_GE(music.getDuration().asSeconds(), 20.f);
        EXPECT_GT(peak(music), 3000) << "silent";
        EXPECT_LT(peak(music), 32767) << "clipping";
        // Going from the last frame back to the first must be an ordinary step.
        std::vector<int> steps;
        for (std::size_t i = 0; i + c < n; ++i)
            steps.push_back(std::abs(s[i + c] - s[i]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const int ordinary = steps[steps.size() * 99 / 100];
        for (std::size_t k = 0; k < c; ++k)
            EXPECT_LE(std::abs(s[k] - s[n - c + k]), ordinary)
                << "channel " << k << " clicks at the loop point (99% of steps are within " << ordinary << ")";
    }
}

TEST(ContentSounds, EffectsAreShortDistinctAndStartAtOnce)
{
    std::vector<std::tuple<std::string, float, float>> effects = {{"trigger", 0.01f, 0.5f}, {"gameOver", 1.f, 4.f}};
    for (int i = 0; i < 7; ++i)
        effects.emplace_back("shoot" + std::to_string(i), 0.05f, 0.5f);
    std::vector<sf::SoundBuffer> shots;
    for (const auto& [name, shortest, longest] : effects) {
        const sf::SoundBuffer s = sound(name);
        const float seconds = s.getDuration().asSeconds();
        EXPECT_TRUE(seconds >= shortest && seconds <= longest) << name << " lasts " << seconds << " s";
        EXPECT_GT(peak(s, s.getChannelCount() * s.getSampleRate() / 200), 1000)
            << name << " starts with 5 ms of silence";
        EXPECT_LT(peak(s), 32767) << name << " clips";
        if (name.rfind("shoot", 0) == 0)
            shots.push_back(s);
    }
    // One shot is picked at random each time: seven copies of one sound would defeat that.
    for (std::size_t a = 0; a < shots.size(); ++a)
        for (std::size_t b = a + 1; b < shots.size(); ++b) {
            double diff = 0.0, level = 0.0;
            for (std::size_t i = 0; i < std::min(shots[a].getSampleCount(), shots[b].getSampleCount()); ++i) {
                diff += std::abs(shots[a].getSamples()[i] - shots[b].getSamples()[i]);
                level += std::abs(shots[a].getSamples()[i]);
            }
            EXPECT_GT(diff, 0.2 * level) << "shoot" << a << " and shoot" << b << " sound alike";
        }
}
