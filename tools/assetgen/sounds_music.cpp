// The soundtrack: one seamless loop per world. Each song is written as text
// patterns over a chord progression and mixed with a shared echo and room.

#include "assetgen.h"
#include "sequencer.h"
#include "sounds.h"
#include "synth.h"

#include <string>

using namespace synth;

namespace {

// --- Instruments shared by the songs -------------------------------------------

// The little program's voice: a bright pulse, slightly doubled, singing with vibrato.
Patch pulseLead()
{
    Patch p;
    p.wave = Wave::Pulse;
    p.duty = 0.25;
    p.unison = 2;
    p.unisonCents = 7.0;
    p.unisonWidth = 0.35;
    p.amp = {0.006, 0.5, 0.65, 0.16};
    p.cutoff = 4200.0;
    p.filterEnv = 1.2;
    p.filterDecay = 0.35;
    p.keyTrack = 0.5;
    p.vibratoDepth = 0.18;
    p.vibratoRate = 5.6;
    p.vibratoDelay = 0.22;
    return p;
}

// Short plucked square for arpeggios.
Patch pluck(double duty = 0.125)
{
    Patch p;
    p.wave = Wave::Pulse;
    p.duty = duty;
    p.amp = {0.002, 0.28, 0.0, 0.09};
    p.cutoff = 1800.0;
    p.filterEnv = 2.2;
    p.filterDecay = 0.16;
    p.keyTrack = 0.6;
    return p;
}

// Stepped triangle with a touch of square: the round bass of old consoles that
// still reads on laptop speakers.
Patch chipBass()
{
    Patch p;
    p.wave = Wave::Triangle4;
    p.wave2 = Wave::Pulse;
    p.duty = 0.5;
    p.mix2 = 0.22;
    p.amp = {0.003, 0.35, 0.75, 0.05};
    p.cutoff = 1400.0;
    p.filterEnv = 1.0;
    p.filterDecay = 0.1;
    return p;
}

// Wide detuned saws, swelling in and out behind everything.
Patch warmPad()
{
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 5;
    p.unisonCents = 16.0;
    p.unisonWidth = 0.9;
    p.amp = {0.35, 1.2, 0.85, 0.7};
    p.cutoff = 1500.0;
    p.resonance = 0.8;
    p.filterEnv = 0.6;
    p.filterDecay = 1.2;
    return p;
}

// Two-operator FM bell for sparkle on top.
Patch bell()
{
    Patch p;
    p.wave = Wave::Sine;
    p.fmRatio = 3.5;
    p.fmIndex = 2.2;
    p.fmDecay = 0.18;
    p.amp = {0.002, 1.4, 0.0, 0.6};
    return p;
}

// --- Drum kit -------------------------------------------------------------------

struct Kit
{
    explicit Kit(std::uint64_t seed) : rng(seed)
    {
    }

    DrumVoice kick(double punch = 3.0, double tone = 52.0, double length = 0.42)
    {
        const std::vector<float> sample = kickDrum(punch, tone, length);
        return [sample](const NoteEvent&) { return sample; };
    }
    DrumVoice snare(double tone = 190.0, double snappy = 0.9, double length = 0.22)
    {
        return [this, tone, snappy, length](const NoteEvent&) { return snareDrum(rng, tone, snappy, length); };
    }
    DrumVoice clap()
    {
        return [this](const NoteEvent&) { return synth::clap(rng); };
    }
    DrumVoice hat(double length = 0.05, double brightness = 1.0)
    {
        return [this, length, brightness](const NoteEvent&) { return hiHat(rng, length, brightness); };
    }
    DrumVoice crash(double length = 1.8)
    {
        return [this, length](const NoteEvent&) { return synth::crash(rng, length); };
    }
    DrumVoice tom(double hz, double length = 0.3)
    {
        const std::vector<float> sample = synth::tom(hz, length);
        return [sample](const NoteEvent&) { return sample; };
    }
    DrumVoice shaker(double length = 0.07)
    {
        return [this, length](const NoteEvent&) { return synth::shaker(rng, length); };
    }
    DrumVoice tick(double hz, double length = 0.05)
    {
        return [this, hz, length](const NoteEvent&) { return woodTick(rng, hz, length); };
    }

    Rng rng;
};

void save(Output& out, const std::vector<const Channel*>& channels, const MixSettings& mix, const char* path)
{
    out.save(toSoundBuffer(mixdown(channels, mix)), path);
}

// --- Main menu: C major, 112 BPM, 16 bars --------------------------------------
// A warm, welcoming tune over a falling bass line (C B A F), then a lifting
// second half that walks back up through the dominant into the top of the loop.
void mainMenu(Output& out)
{
    const Song song(112.0, 16);
    const std::size_t n = song.length();
    const Progression chords("C G/B Am F  C G/B F G  F G Em Am  Dm7 G Fmaj7 Gsus4|G");

    // First phrase, stated and answered.
    const std::string phraseA =
        "E5 G5 - C6 - B5 - G5   - - D5 - G5 - A5 B5   C6 - B5 A5 - - E5 -   F5 - A5 - C6 - A5 - "
        "E5 G5 - C6 - B5 - G5   - - D5 - G5 - A5 B5   C6 - - A5 C6 - D6 -   D6 - B5 - G5 - - . ";
    // Second phrase: longer notes, climbing a step each time.
    const std::string phraseB =
        "A5 - - G5 A5 - C6 -    B5 - - A5 G5 - D5 -   E5 - - G5 B5 - A5 G5  A5 - - - E5 - . . "
        "F5 - - E5 F5 - A5 -    G5 - - F5 G5 - B5 -   C6 - - A5 C6 - E6 -   D6 - - C6 B5 - G5 - ";

    Channel lead(n, 0.37);
    lead.delaySend = 0.3;
    lead.reverbSend = 0.25;
    play(song, lead, pulseLead(), melody(phraseA + phraseB, 2.0, 0), 0.92);

    // A soft bell doubles the tune an octave up in the second half, for lift.
    Channel sparkle(n, 0.22);
    sparkle.delaySend = 0.5;
    sparkle.reverbSend = 0.4;
    play(song, sparkle, bell(), melody(phraseB, 2.0, 8, 12), 1.0, 0.25);

    Channel arp(n, 0.45);
    arp.delaySend = 0.35;
    arp.reverbSend = 0.2;
    play(song, arp, pluck(), chordPattern(chords, "1 5 8 5 3^ 5 8 5", 60, 0, 8), 1.0, -0.35);
    play(song, arp, pluck(), chordPattern(chords, "1 5 8 5 3^ 5 8 5 1 5 8 5 3^ 8 5 3", 60, 8, 16), 1.0, -0.35);

    Channel bass(n, 0.51);
    play(song, bass, chipBass(), chordPattern(chords, "1 - . 1 . 1 5 8", 40, 0, 8, true), 0.8);
    play(song, bass, chipBass(), chordPattern(chords, "1 - 1 5 8 - 5 1", 40, 8, 16, true), 0.8);

    Channel pads(n, 0.16);
    pads.chorus = true;
    pads.reverbSend = 0.5;
    pads.ducked = true;
    play(song, pads, warmPad(), pad(chords, 55, 4, 16), 1.0);

    Kit kit(112);
    Channel drums(n, 0.84);
    drums.reverbSend = 0.08;
    const auto kicks = hits("X.......X.x.....", 0, 16);
    playDrum(song, drums, kicks, kit.kick());
    playDrum(song, drums, hits("....X.......X..g", 0, 7), kit.snare());
    playDrum(song, drums, hits("....X.......X..g", 8, 15), kit.snare());
    // Fills lead into each half.
    playDrum(song, drums, hits("....X.....g.XgXX", 7, 8), kit.snare());
    playDrum(song, drums, hits("....X...X.X.XXXX", 15, 16), kit.snare());
    playDrum(song, drums, hits("X...............", 0, 1), kit.crash(), 0.3);
    playDrum(song, drums, hits("X...............", 8, 9), kit.crash(), 0.3);

    Channel hats(n, 0.6);
    hats.reverbSend = 0.05;
    playDrum(song, hats, hits("xgxgxgxgxgxgxgxg", 0, 8), kit.hat(), 0.2);
    playDrum(song, hats, hits("xgxgxgxgxgxgxgXg", 8, 16), kit.hat(), 0.2);
    playDrum(song, hats, hits("..............x.", 8, 16), kit.hat(0.22), 0.2);

    MixSettings mix;
    mix.delaySamples = song.stepsToSamples(3.0);
    mix.delayFeedback = 0.38;
    mix.duckAt = hitTimes(song, kicks);
    mix.duckDepth = 0.35;
    save(out, {&lead, &sparkle, &arp, &bass, &pads, &drums, &hats}, mix, "data\\sounds\\mainMenu.ogg");
}

} // namespace

void generateMusic(Output& out)
{
    mainMenu(out);
}
