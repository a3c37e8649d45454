// The soundtrack: one seamless loop per world. Each song is written as text
// patterns over a chord progression and mixed with a shared echo and room.

#include "assetgen.h"
#include "sequencer.h"
#include "sounds.h"
#include "synth.h"

#include <cmath>
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

// Wooden mallet: FM with a fast-fading fourth partial, like a toy marimba.
Patch marimba()
{
    Patch p;
    p.wave = Wave::Sine;
    p.fmRatio = 4.0;
    p.fmIndex = 1.4;
    p.fmDecay = 0.035;
    p.amp = {0.001, 0.75, 0.0, 0.25};
    return p;
}

// Saw with a sub square and a snappy filter: the synthwave bass.
Patch synthBass()
{
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Pulse;
    p.mix2 = 0.5;
    p.semis2 = -12.0;
    p.amp = {0.003, 0.3, 0.8, 0.05};
    p.cutoff = 330.0;
    p.resonance = 1.1;
    p.filterEnv = 2.6;
    p.filterDecay = 0.18;
    p.keyTrack = 0.3;
    return p;
}

// Detuned saws through a soft filter: a lead with more body than the pulse.
Patch sawLead()
{
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 3;
    p.unisonCents = 9.0;
    p.unisonWidth = 0.4;
    p.amp = {0.01, 0.6, 0.75, 0.2};
    p.cutoff = 2400.0;
    p.filterEnv = 1.0;
    p.filterDecay = 0.4;
    p.keyTrack = 0.5;
    p.vibratoDepth = 0.2;
    p.vibratoRate = 5.2;
    p.vibratoDelay = 0.3;
    return p;
}

// Slow-opening saws that swell like a brass section.
Patch brass()
{
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 3;
    p.unisonCents = 6.0;
    p.unisonWidth = 0.5;
    p.amp = {0.035, 0.8, 0.8, 0.25};
    p.cutoff = 850.0;
    p.filterEnv = 2.0;
    p.filterDecay = 0.6;
    p.keyTrack = 0.7;
    p.vibratoDepth = 0.16;
    p.vibratoRate = 5.0;
    p.vibratoDelay = 0.35;
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

// --- USB stick: F major, 120 BPM swung, 16 bars -------------------------------
// Waking up: plinky staccato steps over a tonic pedal, the bright G major
// chord above F giving the wide-eyed lydian colour, then a rounder second half.
void usb(Output& out)
{
    const Song song(120.0, 16, 0.45);
    const std::size_t n = song.length();
    const Progression chords("F G/F F G/F  Dm Bb Gm7 C  Bb C Am Dm  Bb C Gm7 C7");

    const std::string phraseA =
        "C5 . F5 . A5 G5 F5 .   B5 . A5 . G5 . D5 .   C5 . F5 . A5 G5 A5 C6   D6 - B5 - G5 - . . "
        "F5 . A5 . D6 . C6 A5   Bb5 . F5 . D5 . F5 .  G5 . Bb5 . A5 . G5 F5   E5 - - . G5 . C5 . ";
    const std::string phraseB =
        "D5 - F5 - Bb5 - A5 -   G5 - - - E5 - C5 -    C6 - A5 - E5 - A5 -    F5 - - - D5 - . . "
        "D5 . F5 . Bb5 . D6 .   C6 . Bb5 . G5 . E5 .  F5 . G5 . Bb5 . A5 G5  E5 . G5 . Bb5 A5 G5 E5 ";

    Patch plink = pulseLead();
    plink.duty = 0.5;
    plink.unison = 1;
    plink.amp = {0.003, 0.22, 0.3, 0.07};
    plink.vibratoDepth = 0.0;
    Channel lead(n, 0.53);
    lead.delaySend = 0.25;
    lead.reverbSend = 0.2;
    play(song, lead, plink, melody(phraseA, 2.0, 0), 0.6);
    play(song, lead, plink, melody(phraseB, 2.0, 8), 0.8);

    Channel mallet(n, 0.5);
    mallet.delaySend = 0.2;
    mallet.reverbSend = 0.3;
    play(song, mallet, marimba(), melody(phraseB, 2.0, 8), 1.0, 0.2);
    play(song, mallet, marimba(), chordPattern(chords, ". 5 . 8 . 3^ . 5", 60, 0, 8), 1.0, 0.35);

    Channel glock(n, 0.22);
    glock.delaySend = 0.5;
    glock.reverbSend = 0.4;
    play(song, glock, bell(), chordPattern(chords, "8 . . 5 . . 3 .", 72, 8, 16), 1.0, -0.4);

    Channel bass(n, 0.78);
    Patch bouncy = chipBass();
    bouncy.amp = {0.003, 0.25, 0.5, 0.04};
    play(song, bass, bouncy, chordPattern(chords, "1 . 8 . 5 . 8 .", 41, 0, 8, true), 0.6);
    play(song, bass, bouncy, chordPattern(chords, "1 . 1 5 . 5 8 .", 41, 8, 16, true), 0.6);

    Kit kit(1);
    Channel drums(n, 0.9);
    drums.reverbSend = 0.1;
    const auto kicks = hits("X.......X.....x.", 0, 16);
    playDrum(song, drums, kicks, kit.kick(2.5, 58.0, 0.3));
    playDrum(song, drums, hits("....x.......x...", 0, 16), kit.tick(1700.0, 0.06), 0.1);
    playDrum(song, drums, hits("............x...", 8, 16), kit.clap(), 0.0);
    playDrum(song, drums, hits("........x.x.X.XX", 7, 8), kit.tom(260.0, 0.2), -0.3);
    playDrum(song, drums, hits("........X.x.x.xx", 15, 16), kit.tom(190.0, 0.25), 0.3);

    Channel shake(n, 0.5);
    shake.reverbSend = 0.1;
    playDrum(song, shake, hits("xgXgxgXgxgXgxgXg", 0, 16), kit.shaker(), 0.3);

    MixSettings mix;
    mix.delaySamples = song.stepsToSamples(3.0);
    mix.delayFeedback = 0.35;
    mix.reverbRoom = 0.6;
    save(out, {&lead, &mallet, &glock, &bass, &drums, &shake}, mix, "data\\sounds\\usb.ogg");
}

// --- Memory: D minor, 128 BPM, 16 bars -----------------------------------------
// Data racing along the bus: non-stop sixteenth arpeggios whose filter breathes
// every four bars, an octave-pumping bass and a four-on-the-floor kick.
void memoire(Output& out)
{
    const Song song(128.0, 16);
    const std::size_t n = song.length();
    const Progression chords("Dm Bb F C  Dm Bb F A  Gm Bb Dm C  Gm Bb Asus4|A A7");

    const std::string phraseA =
        "D5 . E5 F5 - . A5 -   G5 - F5 - D5 - - .     C5 . D5 F5 - . A5 -   G5 - E5 - C5 - - . "
        "D5 . E5 F5 - . A5 -   Bb5 - A5 - F5 - D5 -   C6 - - A5 - - F5 -    E5 - - - C#5 - - - ";
    const std::string phraseB =
        "D6 - - - Bb5 - G5 -   F5 - Bb5 - D6 - C6 Bb5 A5 - - - F5 - D5 -   E5 - G5 - C6 - - - "
        "Bb5 - - A5 G5 - D5 -  F5 - - D5 F5 - Bb5 -   A5 - D6 - C#6 - - -   E5 - A5 - G5 - E5 - ";

    Channel lead(n, 0.45);
    lead.delaySend = 0.3;
    lead.reverbSend = 0.25;
    play(song, lead, sawLead(), melody(phraseA + phraseB, 2.0, 0), 0.9);

    // The filter sweep follows the song position, one slow breath per four bars.
    const PatchVariation breathe = [](Patch& p, const NoteEvent& e) {
        p.cutoff = 650.0 * std::pow(2.0, 2.2 * (0.5 - 0.5 * std::cos(TwoPi * e.step / 64.0)));
        p.resonance = 1.6;
    };
    Channel arp(n, 0.35);
    arp.delaySend = 0.3;
    arp.reverbSend = 0.15;
    Patch arpPatch = pluck(0.25);
    arpPatch.filterEnv = 1.2;
    play(song, arp, arpPatch, chordPattern(chords, "1 5 8 3^ 1 5 8 3^ 1 5 8 3^ 1 5 8 5", 57, 0, 8), 1.0, -0.25,
         breathe);
    play(song, arp, arpPatch, chordPattern(chords, "1 3 5 8 3^ 5^ 8^ 5^ 3^ 8 5 3 1 3 5 8", 57, 8, 16), 1.0, -0.25,
         breathe);

    Channel bass(n, 0.4);
    play(song, bass, synthBass(), chordPattern(chords, "1 8 1 8 1 8 1 8", 38, 0, 8), 0.7);
    play(song, bass, synthBass(), chordPattern(chords, "1 - 1 8 1 - 1 8 1 - 1 8 1 - 8 5", 38, 8, 16), 0.8);

    Channel pads(n, 0.18);
    pads.chorus = true;
    pads.ducked = true;
    pads.reverbSend = 0.5;
    play(song, pads, warmPad(), pad(chords, 57, 8, 16), 1.0);

    Kit kit(2);
    Channel drums(n, 0.8);
    drums.reverbSend = 0.08;
    const auto kicks = hits("X...X...X...X...", 0, 16);
    playDrum(song, drums, kicks, kit.kick(3.5, 50.0, 0.38));
    playDrum(song, drums, hits("....x.......x...", 0, 15), kit.clap());
    playDrum(song, drums, hits("....x...x.x.xxXX", 15, 16), kit.snare(210.0));
    playDrum(song, drums, hits("X...............", 0, 1), kit.crash(), -0.3);
    playDrum(song, drums, hits("X...............", 8, 9), kit.crash(), 0.3);

    Channel hats(n, 0.7);
    playDrum(song, hats, hits("xgxgxgxgxgxgxgxg", 0, 16), kit.hat(0.04), 0.25);
    playDrum(song, hats, hits("..x...x...x...x.", 8, 16), kit.hat(0.2, 0.9), -0.2);

    MixSettings mix;
    mix.delaySamples = song.stepsToSamples(3.0);
    mix.delayFeedback = 0.4;
    mix.duckAt = hitTimes(song, kicks);
    mix.duckDepth = 0.55;
    save(out, {&lead, &arp, &bass, &pads, &drums, &hats}, mix, "data\\sounds\\memoire.ogg");
}

// --- Processor: E minor, 120 BPM, 16 bars --------------------------------------
// The clock: tick on the beat, tock between, and everything locked to a
// 3-3-2 grid. The second half lets a legato line float above the machine.
void processeur(Output& out)
{
    const Song song(120.0, 16);
    const std::size_t n = song.length();
    const Progression chords("Em Em C D  Em Em C B7  Am Bm C D  Am Bm Cmaj7 B7");

    // Sixteenth tokens: the tune hits the same 3-3-2 accents as the bass.
    const std::string machine =
        "E5 . . E5 . . G5 . B5 . . G5 . . E5 .     E5 . . E5 . . G5 . B5 . A5 . G5 . F#5 . "
        "E5 . . E5 . . G5 . C6 . . G5 . . E5 .     F#5 . . F#5 . . A5 . D6 . . A5 . C6 . A5 . "
        "E5 . . E5 . . G5 . B5 . . G5 . . E5 .     E6 . . E6 . . D6 . B5 . . G5 . . E5 . "
        "E5 . . G5 . . C6 . E6 . . C6 . G5 . E5 .  D#6 . . D#6 . . B5 . A5 . . F#5 . D#5 . B4 . ";
    const std::string floating = "C6 - - - B5 - A5 -   D6 - - - B5 - F#5 -   E6 - - - C6 - G5 -   D6 - - - A5 - F#5 - "
                                 "C6 - - - E6 - - -    D6 - - - B5 - - -     B5 - - - G5 - E5 -   F#5 - - - D#5 - - . ";

    Patch staccato = pulseLead();
    staccato.duty = 0.5;
    staccato.unison = 1;
    staccato.amp = {0.002, 0.15, 0.4, 0.05};
    staccato.vibratoDepth = 0.0;
    Channel lead(n, 0.75);
    lead.delaySend = 0.2;
    lead.reverbSend = 0.15;
    play(song, lead, staccato, melody(machine, 1.0, 0), 0.7);

    Channel line(n, 0.55);
    line.delaySend = 0.35;
    line.reverbSend = 0.35;
    play(song, line, sawLead(), melody(floating, 2.0, 8), 0.95);

    // Instruction fetches: quick quiet arpeggios under the second half.
    Channel fetch(n, 0.36);
    fetch.delaySend = 0.4;
    play(song, fetch, pluck(0.25), chordPattern(chords, "1 5 8 5 3^ 8 5 8 1 5 8 5 3^ 8 5^ 8", 64, 8, 16), 1.0, 0.4);

    Patch tight = chipBass();
    tight.wave = Wave::Pulse;
    tight.mix2 = 0.0;
    tight.cutoff = 700.0;
    tight.filterEnv = 1.8;
    tight.amp = {0.002, 0.12, 0.4, 0.03};
    Channel bass(n, 0.7);
    play(song, bass, tight, chordPattern(chords, "1 . . 1 . . 1 . 1 . . 1 . 5 8 .", 40, 0, 16), 0.8);

    Kit kit(3);
    Channel clock(n, 1.15);
    clock.reverbSend = 0.15;
    playDrum(song, clock, hits("X...X...X...X...", 0, 16), kit.tick(2500.0, 0.04), -0.35);
    playDrum(song, clock, hits("..x...x...x...x.", 0, 16), kit.tick(1250.0, 0.05), 0.35);

    Channel drums(n, 0.8);
    drums.reverbSend = 0.06;
    const auto kicks = hits("X..x..x.X.......", 0, 16);
    playDrum(song, drums, kicks, kit.kick(3.0, 55.0, 0.28));
    playDrum(song, drums, hits("....X.......X...", 4, 16), kit.snare(220.0, 0.8, 0.14));
    playDrum(song, drums, hits("....X.......X.XX", 7, 8), kit.snare(220.0, 0.8, 0.14));
    playDrum(song, drums, hits("X...............", 8, 9), kit.crash(1.2), 0.2);

    Channel hats(n, 0.85);
    playDrum(song, hats, hits("xgggxgggxgggxggg", 0, 8), kit.hat(0.025, 1.1), 0.15);
    playDrum(song, hats, hits("xgxgxgxgxgxgxgxg", 8, 16), kit.hat(0.025, 1.1), 0.15);

    MixSettings mix;
    mix.delaySamples = song.stepsToSamples(2.0);
    mix.delayFeedback = 0.3;
    mix.reverbRoom = 0.5;
    save(out, {&lead, &line, &fetch, &bass, &clock, &drums, &hats}, mix, "data\\sounds\\processeur.ogg");
}

// --- Network and firewall: C minor, 136 BPM, 16 bars ---------------------------
// Something is watching: a throbbing sixteenth bass, a half-time beat that only
// opens up in the second half, the semitone sigh of G to A flat, and packets of
// data chattering from side to side.
void reseau(Output& out)
{
    const Song song(136.0, 16);
    const std::size_t n = song.length();
    const Progression chords("Cm Cm Ab G  Cm Cm Db G  Fm Ab Fm G  Ab Fm Db Gsus4|G");

    const std::string phraseA =
        "G5 - - - Ab5 - G5 -   Eb5 - - - D5 - C5 -   C5 - Eb5 - Ab5 - - -   G5 - - - D5 - B4 - "
        "G5 - - - Ab5 - G5 -   C6 - - - Bb5 - G5 -   Ab5 - - - F5 - Db5 -   D5 - - - F5 - B4 - ";
    // The second half starts with short stabs, then stretches out again.
    const std::string stabs = "C6 . Ab5 . F5 . Ab5 .  Eb6 . C6 . Ab5 . C6 .  C6 . Ab5 . F5 . G5 Ab5 ";
    const std::string phraseB =
        "B5 - - - G5 - D5 -   C6 - - - Eb6 - C6 -   Ab5 - - - C6 - Ab5 -   F5 - - - Ab5 - Db6 - "
        "C6 - - - B5 - - . ";

    Channel lead(n, 0.48);
    lead.delaySend = 0.35;
    lead.reverbSend = 0.3;
    Patch cold = sawLead();
    cold.cutoff = 1900.0;
    cold.vibratoDepth = 0.25;
    play(song, lead, cold, melody(phraseA, 2.0, 0), 0.95);
    Patch stab = cold;
    stab.amp = {0.004, 0.25, 0.5, 0.1};
    play(song, lead, stab, melody(stabs, 2.0, 8), 0.7);
    play(song, lead, cold, melody(phraseB, 2.0, 11), 0.95);

    // Accents every three sixteenths against the four-square beat keep it restless.
    Channel bass(n, 0.4);
    play(song, bass, synthBass(), chordPattern(chords, "1> 1 1 1> 1 1 1> 1 1 1> 1 1 1> 1 1> 1", 36, 0, 16), 0.55);

    // Packets: random chord tones, here and there, left and right.
    Rng packets(4242);
    std::vector<NoteEvent> leftPackets, rightPackets;
    for (int step = 0; step < song.steps(); ++step) {
        if (packets.uniform() < 0.55)
            continue;
        const Chord& c = chords.at(step);
        const int tone = c.tones[packets.next() % c.tones.size()];
        const double note = 79.0 + (c.root + tone + 5) % 12 + (packets.uniform() < 0.3 ? 12.0 : 0.0);
        const NoteEvent e{static_cast<double>(step), 1.0, note, 0.6 + 0.4 * packets.uniform()};
        (packets.uniform() < 0.5 ? leftPackets : rightPackets).push_back(e);
    }
    Patch blip = pluck(0.125);
    blip.amp = {0.002, 0.08, 0.0, 0.03};
    blip.cutoff = 3500.0;
    Channel chatter(n, 0.5);
    chatter.delaySend = 0.5;
    play(song, chatter, blip, leftPackets, 1.0, -0.7);
    play(song, chatter, blip, rightPackets, 1.0, 0.7);

    Patch dark = warmPad();
    dark.cutoff = 800.0;
    Channel pads(n, 0.146);
    pads.chorus = true;
    pads.ducked = true;
    pads.reverbSend = 0.5;
    play(song, pads, dark, pad(chords, 55, 0, 16), 1.0);

    Kit kit(5);
    Channel drums(n, 0.8);
    drums.reverbSend = 0.12;
    auto kicks = hits("X.........X.....", 0, 8);
    const auto four = hits("X...X...X...X...", 8, 16);
    kicks.insert(kicks.end(), four.begin(), four.end());
    playDrum(song, drums, kicks, kit.kick(3.0, 48.0, 0.4));
    playDrum(song, drums, hits("........X.......", 0, 7), kit.snare(180.0, 1.0, 0.25));
    playDrum(song, drums, hits("X.x.X.x.X.x.XxXx", 7, 8), kit.tom(140.0, 0.25), -0.2);
    playDrum(song, drums, hits("....X.......X...", 8, 15), kit.snare(180.0, 1.0, 0.25));
    playDrum(song, drums, hits("....X...X.X.XXXX", 15, 16), kit.snare(180.0, 1.0, 0.25));
    playDrum(song, drums, hits("X...............", 8, 9), kit.crash(), 0.3);

    Channel hats(n, 0.63);
    playDrum(song, hats, hits("xgxgxgxgxgxgxgxg", 0, 16), kit.hat(0.035), 0.3);
    playDrum(song, hats, hits("..x...x...x...x.", 8, 16), kit.hat(0.18, 0.9), -0.3);

    MixSettings mix;
    mix.delaySamples = song.stepsToSamples(3.0);
    mix.delayFeedback = 0.42;
    mix.delayTone = 2800.0;
    mix.reverbRoom = 0.8;
    mix.duckAt = hitTimes(song, kicks);
    mix.duckDepth = 0.5;
    save(out, {&lead, &bass, &chatter, &pads, &drums, &hats}, mix, "data\\sounds\\reseau.ogg");
}

// --- The core: D major, 108 BPM, 16 bars ---------------------------------------
// The finale: brass over a wall of saws, the bold flat-six flat-seven climb
// (B flat, C, D), and a snare roll that crashes back into the top of the loop
// as if it were the last chord every time.
void noyau(Output& out)
{
    const Song song(108.0, 16);
    const std::size_t n = song.length();
    const Progression chords("D A/C# Bm G  D A/C# G A  Bb C D D  G Bb C Asus4|A");

    const std::string phraseA =
        "D5 - - A4 D5 - F#5 -   E5 - - - C#5 - A4 -   D5 - - B4 D5 - F#5 -   G5 - - - B5 - A5 G5 "
        "F#5 - - D5 F#5 - A5 -  A5 - - - G5 - E5 -    D6 - - - B5 - G5 -     A5 - - - - - - - ";
    const std::string phraseB =
        "F5 - Bb5 - D6 - - -    E6 - - - C6 - G5 -    F#5 - A5 - D6 - - -    D6 - - - - - . . "
        "B5 - - - D6 - B5 -     D6 - - - Bb5 - F5 -   E6 - - - G5 - C6 -     D6 - - - C#6 - - - ";

    Channel horns(n, 0.42);
    horns.delaySend = 0.2;
    horns.reverbSend = 0.35;
    play(song, horns, brass(), melody(phraseA, 2.0, 0), 0.95);
    play(song, horns, brass(), melody(phraseB, 2.0, 8, -12), 0.95, -0.2);

    Channel lead(n, 0.37);
    lead.delaySend = 0.3;
    lead.reverbSend = 0.3;
    play(song, lead, pulseLead(), melody(phraseB, 2.0, 8), 0.95, 0.15);

    Channel sparkle(n, 0.21);
    sparkle.delaySend = 0.5;
    sparkle.reverbSend = 0.4;
    play(song, sparkle, bell(), melody(phraseA, 2.0, 0, 12), 1.0, 0.3);

    Channel arp(n, 0.3);
    arp.delaySend = 0.3;
    play(song, arp, pluck(0.25), chordPattern(chords, "1 5 8 5 3^ 5 8 5 1 5 8 5 3^ 5 8 5", 62, 0, 8), 1.0, -0.35);
    play(song, arp, pluck(0.25), chordPattern(chords, "1 3 5 8 3^ 5^ 8^ 5^ 3^ 8 5 3 1 3 5 8", 62, 8, 16), 1.0, -0.35);

    Patch wall = warmPad();
    wall.unison = 7;
    wall.unisonCents = 20.0;
    wall.cutoff = 2200.0;
    Channel pads(n, 0.18);
    pads.chorus = true;
    pads.ducked = true;
    pads.reverbSend = 0.45;
    play(song, pads, wall, pad(chords, 54, 0, 16), 1.0);

    Channel bass(n, 0.4);
    play(song, bass, synthBass(), chordPattern(chords, "1 1 1 1 1 1 5 8", 38, 0, 16, true), 0.75);

    Kit kit(6);
    Channel drums(n, 0.85);
    drums.reverbSend = 0.18;
    const auto kicks = hits("X.......X.x.....", 0, 16);
    playDrum(song, drums, kicks, kit.kick(3.5, 47.0, 0.5));
    playDrum(song, drums, hits("....X.......X...", 0, 14), kit.snare(175.0, 1.0, 0.3));
    playDrum(song, drums, hits("x.x.x.x.x.x.x.x.", 14, 15), kit.snare(175.0, 1.0, 0.3));
    playDrum(song, drums, hits("xxxxxxxxXXXXXXXX", 15, 16), kit.snare(175.0, 1.0, 0.3));
    playDrum(song, drums, hits("X.......X.......", 8, 14), kit.tom(95.0, 0.5), -0.25);
    playDrum(song, drums, hits("X...............", 0, 1), kit.crash(2.2), -0.3);
    playDrum(song, drums, hits("X...............", 8, 9), kit.crash(2.2), 0.3);
    playDrum(song, drums, hits("X...............", 12, 13), kit.crash(2.2), -0.3);

    Channel hats(n, 0.7);
    playDrum(song, hats, hits("x.x.x.x.x.x.x.x.", 0, 8), kit.hat(0.05), 0.25);
    playDrum(song, hats, hits("xgxgxgxgxgxgxgxg", 8, 16), kit.hat(0.05), 0.25);

    MixSettings mix;
    mix.delaySamples = song.stepsToSamples(3.0);
    mix.delayFeedback = 0.35;
    mix.reverbRoom = 0.85;
    mix.duckAt = hitTimes(song, kicks);
    mix.duckDepth = 0.4;
    mix.loudnessDb = -16.0;
    save(out, {&horns, &lead, &sparkle, &arp, &pads, &bass, &drums, &hats}, mix, "data\\sounds\\noyau.ogg");
}

} // namespace

void generateMusic(Output& out)
{
    mainMenu(out);
    usb(out);
    memoire(out);
    processeur(out);
    reseau(out);
    noyau(out);
}
