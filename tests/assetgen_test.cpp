// The content generator's building blocks: a fault in the drawing kit, the synthesiser
// or the sequencer would quietly spoil every picture or loop built on them.
#include "canvas.h"
#include "sequencer.h"
#include "synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

TEST(CanvasTest, TilesWrapColoursBlendStraightAndTheSameSeedDrawsTheSamePicture)
{
    Canvas tile(40, 20), clipped(40, 20);
    tile.setWrap(true);
    for (Canvas* c : {&tile, &clipped}) {
        c->circle(39.f, 10.f, 4.f, solid(hex(0xffffff)));
        c->line(20.f, -1.f, 20.f, 3.f, 2.f, solid(hex(0xffffff)));
    }
    EXPECT_EQ(tile.image().getPixel(1, 10).a, 255) << "the circle comes back on the left";
    EXPECT_EQ(tile.image().getPixel(20, 19).a, 255) << "the line comes back at the bottom";
    EXPECT_EQ(clipped.image().getPixel(1, 10).a, 0);
    EXPECT_EQ(clipped.image().getPixel(20, 19).a, 0);
    // Blurring a tile spreads the circle evenly on both sides of the seam.
    const sf::Image soft = tile.blurred(6).image();
    EXPECT_GT(soft.getPixel(2, 10).a, 0);
    EXPECT_NEAR(soft.getPixel(2, 10).a, soft.getPixel(35, 10).a, 2);

    Canvas c(4, 1);
    c.set(0, 0, hex(0x0000ff));
    c.blend(0, 0, hex(0xff0000, 0.5f));       // over opaque: a real mix
    c.blend(1, 0, hex(0xff0000, 0.5f));       // over nothing: still pure red, half covered
    c.set(2, 0, Rgba{1.f, 1.f, 1.f, 0.001f}); // rounds to no coverage: no colour either
    c.blend(3, 0, hex(0xffffff));
    c.blend(3, 0, hex(0, 0.25f), Blend::Erase);
    const sf::Image image = c.image();
    EXPECT_EQ(image.getPixel(0, 0), sf::Color(128, 0, 128, 255));
    EXPECT_EQ(image.getPixel(1, 0), sf::Color(255, 0, 0, 128));
    EXPECT_EQ(image.getPixel(2, 0), sf::Color(0, 0, 0, 0));
    EXPECT_EQ(image.getPixel(3, 0), sf::Color(255, 255, 255, 191));
    // A blurred white shape must not pull black in from the transparent pixels around it.
    Canvas spot(21, 21);
    spot.circle(10.5f, 10.5f, 4.f, solid(hex(0xffffff)));
    const sf::Image halo = spot.blurred(6).image();
    for (unsigned x = 0; x < 21; ++x)
        EXPECT_TRUE(halo.getPixel(x, 10).a == 0 || halo.getPixel(x, 10).r == 255) << "column " << x;

    for (float x : {0.f, 0.375f, 2.5f, 4.875f})
        for (float y : {0.f, 1.25f, 3.75f}) {
            EXPECT_FLOAT_EQ(valueNoise(x + 5.f, y, 5, 9), valueNoise(x, y, 5, 9));
            EXPECT_FLOAT_EQ(fractalNoise(x, y + 5.f, 5, 3, 9), fractalNoise(x, y, 5, 3, 9));
        }
    auto draw = [](std::uint32_t seed) {
        Canvas c(64, 32);
        Rng rng(seed);
        for (int i = 0; i < 12; ++i)
            c.line(rng.range(0, 64), rng.range(0, 32), rng.range(0, 64), rng.range(0, 32), 2.f,
                   vertical(hex(0x2ee6d6), hex(0xffd23f, 0.5f), 0, 32));
        const sf::Image image = c.blurred(3).image();
        return std::vector<sf::Uint8>(image.getPixelsPtr(), image.getPixelsPtr() + 64 * 32 * 4);
    };
    EXPECT_TRUE(draw(7) == draw(7));
    EXPECT_FALSE(draw(7) == draw(8)) << "the seed must matter";
}

TEST(SynthTest, LoopsWrapVoicesAndEffectsAndMasteringHoldsPeaksUnderTheCeiling)
{
    synth::Stereo loop(100);
    const std::vector<float> voice(10, 1.f);
    loop.addWrapped(voice, 96, 1.0, -1.0);  // hard left
    loop.addWrapped(voice, -205, 1.0, 1.0); // hard right; negative starts count back from the end
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_NEAR(loop.left[i], i >= 96 || i < 6 ? 1.f : 0.f, 1e-6) << i;
        EXPECT_NEAR(loop.right[i], i >= 95 || i < 5 ? 1.f : 0.f, 1e-6) << i;
    }
    // Echoes and room run warm, so what the loop's end sends out arrives at its start.
    synth::Stereo hit(20000);
    hit.left[19990] = hit.right[19990] = 1.f;
    synth::PingPongDelay delay(100, 0.5, 20000.0);
    EXPECT_NEAR(synth::runLooped(hit, delay).left[90], 1.0, 1e-6);
    synth::Reverb reverb(0.75, 0.4);
    const synth::Stereo wet = synth::runLooped(hit, reverb);
    double head = 0.0;
    for (std::size_t i = 0; i < 2000; ++i)
        head += std::fabs(wet.left[i]) + std::fabs(wet.right[i]);
    EXPECT_GT(head, 0.01) << "the reverb tail of the last hit is missing at the start";

    synth::Stereo mastered(44100);
    for (std::size_t i = 0; i < mastered.size(); ++i)
        mastered.left[i] = mastered.right[i] = static_cast<float>(0.2 * std::sin(0.05 * static_cast<double>(i) + 0.5));
    mastered.left[0] = 1.f; // a spike right on the seam
    const synth::Stereo dry = mastered;
    synth::master(mastered, -12.0, -3.0);
    const float ceiling = static_cast<float>(synth::dbToGain(-3.0));
    for (std::size_t i = 0; i < mastered.size(); ++i)
        ASSERT_LE(std::max(std::fabs(mastered.left[i]), std::fabs(mastered.right[i])), ceiling + 1e-6f) << i;
    // The limiter looks ahead round the seam: the end of the loop already ducks for the spike.
    auto gain = [&](std::size_t i) { return mastered.right[i] / dry.right[i]; };
    EXPECT_LT(gain(44098), 0.6f * gain(22050));
    EXPECT_LT(gain(2), 0.6f * gain(22050));
    // Beyond full scale saturates instead of wrapping round to the other sign.
    const sf::SoundBuffer loud = synth::toSoundBuffer(std::vector<float>{1.5f, -1.5f});
    ASSERT_EQ(loud.getSampleCount(), 2u);
    EXPECT_EQ(loud.getSamples()[0], 32767);
    EXPECT_EQ(loud.getSamples()[1], -32767);
}

TEST(SequencerTest, NotesChordsProgressionsAndPatternsReadTheMusicianWay)
{
    EXPECT_EQ(synth::parseNote("A4"), 69);
    EXPECT_EQ(synth::parseNote("C#5"), 73);
    EXPECT_EQ(synth::parseNote("Cb5"), 71) << "a flat may cross down an octave";
    EXPECT_EQ(synth::parseNote("B#3"), 60);
    const synth::Chord slash = synth::parseChord("G/B"), minor = synth::parseChord("Bbm7");
    EXPECT_TRUE(slash.root == 7 && slash.bass == 11 && slash.tones == std::vector<int>({0, 4, 7}));
    EXPECT_TRUE(minor.root == 10 && minor.bass == 10 && minor.tones == std::vector<int>({0, 3, 7, 10}));
    EXPECT_THROW(synth::parseChord("Cxyz"), std::invalid_argument);
    const synth::Progression chords("C F|G");
    EXPECT_EQ(chords.at(8).root, 0);
    EXPECT_EQ(chords.at(20).root, 5);
    EXPECT_EQ(chords.at(24).root, 7);
    EXPECT_EQ(chords.at(33).root, 0) << "a loop wraps";
    EXPECT_EQ(chords.at(-1).root, 7);

    const synth::Progression slashChords("C G/B");
    // Four tokens stretch over a bar: a chord note, held, its fifth an octave up, a rest.
    const std::vector<synth::NoteEvent> line = synth::chordPattern(slashChords, "1 - 5^ .", 48, 0, 2);
    ASSERT_EQ(line.size(), 4u);
    EXPECT_TRUE(line[0].note == 48 && line[0].length == 8.0);
    EXPECT_TRUE(line[1].note == 48 + 7 + 12 && line[1].step == 8.0);
    EXPECT_TRUE(line[2].note == 55 && line[2].step == 16.0) << "G is placed above the low note";
    EXPECT_EQ(synth::chordPattern(slashChords, "1", 48, 1, 2, true)[0].note, 59) << "the slash bass plays B";
    const std::vector<synth::NoteEvent> tune = synth::melody("E5 - . G5", 2.0, 1);
    ASSERT_EQ(tune.size(), 2u);
    EXPECT_TRUE(tune[0].step == 16.0 && tune[0].length == 4.0 && tune[1].step == 22.0);
    const std::vector<synth::NoteEvent> drums = synth::hits("X.g.", 0, 2);
    ASSERT_EQ(drums.size(), 4u);
    EXPECT_TRUE(drums[1].step == 8.0 && drums[3].step == 24.0 && drums[0].velocity > drums[1].velocity);
}

TEST(SequencerTest, SwingKeepsTheLoopsLengthAndARenderRingsIntoItsStartTheSameEveryTime)
{
    const synth::Song straight(120.0, 4), swung(120.0, 4, 0.5);
    EXPECT_EQ(straight.length(), 4u * 2u * synth::SampleRate); // four bars of 4/4 at 120 BPM
    EXPECT_EQ(swung.length(), straight.length());
    EXPECT_EQ(swung.sampleAt(swung.steps()), static_cast<long>(swung.length()));
    for (int beat = 0; beat < 16; ++beat)
        EXPECT_EQ(swung.sampleAt(beat * 4), straight.sampleAt(beat * 4));
    EXPECT_GT(swung.sampleAt(6), straight.sampleAt(6));
    for (double step = 0.0; step < 64.0; step += 0.5)
        EXPECT_LT(swung.sampleAt(step), swung.sampleAt(step + 0.5)) << step;

    const synth::Song song(120.0, 1);
    synth::Patch patch;
    patch.amp = {0.001, 0.5, 0.8, 0.3};
    synth::Channel first(song.length()), last(song.length());
    synth::play(song, first, patch, synth::melody("A4", 1.0, 0), 1.0);
    synth::play(song, last, patch, {{15.0, 1.0, 69.0, 1.0}}, 1.0);
    double head = 0.0;
    for (std::size_t i = 0; i < 2000; ++i)
        head += std::fabs(last.dry.left[i]);
    EXPECT_GT(head, 1.0) << "the note on the last step must ring on after the seam";

    synth::MixSettings mix;
    mix.delaySamples = song.stepsToSamples(3.0);
    const synth::Stereo a = synth::mixdown({&first, &last}, mix), b = synth::mixdown({&first, &last}, mix);
    EXPECT_TRUE(a.left == b.left && a.right == b.right);
}
