#pragma once

// A tiny step sequencer: songs are written as short text patterns (note names,
// chord symbols, drum grids) and played into mixer channels at sample-exact
// positions, so a loop of N bars is exactly N bars long and can wrap.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace synth {
struct Channel;
struct Patch;

constexpr int StepsPerBar = 16; // sixteenth notes in a bar of 4/4

class Song
{
public:
    // `swing` delays every second eighth note by that many sixteenths (0..0.67).
    Song(double bpm, int bars, double swing = 0.0);

    int bars() const;
    int steps() const;
    std::size_t length() const;
    long sampleAt(double step) const;
    std::size_t stepsToSamples(double steps) const; // straight time, for echo lengths

private:
    double m_samplesPerStep;
    int m_bars;
    double m_swing;
};

struct Chord
{
    int root = 0;           // pitch class
    int bass = 0;           // pitch class of the lowest note (differs for slash chords)
    std::vector<int> tones; // semitones above the root, starting with 0
};

Chord parseChord(const std::string& name);
int parseNote(const std::string& name); // "C#5" -> MIDI note number

// The chords of a loop, one token per bar; "F|G" splits a bar into halves.
class Progression
{
public:
    struct Span
    {
        double start; // in steps
        double length;
        Chord chord;
    };

    explicit Progression(const std::string& bars);
    const Chord& at(double step) const;
    const std::vector<Span>& spans() const;

private:
    std::vector<Span> m_spans;
};

struct NoteEvent
{
    double step;
    double length; // in steps
    double note;
    double velocity;
};

// Note names ("E5"), '-' to hold, '.' for a rest; each token lasts `stepsPerToken`.
std::vector<NoteEvent> melody(const std::string& tokens, double stepsPerToken, int startBar, int transpose = 0);

// Chord-relative patterns repeated from bar to bar: 1 3 5 7 8 9 are chord
// degrees, '^' and '_' move a degree by an octave, a trailing '>' accents it,
// '-' holds and '.' rests. Fewer than 16 tokens stretch to fill one bar.
// With `slashBass`, 1 and 8 play the bass note of a slash chord.
std::vector<NoteEvent> chordPattern(const Progression& chords, const std::string& pattern, int lowNote, int fromBar,
                                    int toBar, bool slashBass = false);

// Every chord held for its whole span, voiced inside one octave from `lowNote`.
std::vector<NoteEvent> pad(const Progression& chords, int lowNote, int fromBar, int toBar);

// Drum grid: 'x' hit, 'X' accent, 'g' ghost, anything else is silence.
std::vector<NoteEvent> hits(const std::string& pattern, int fromBar, int toBar);

using PatchVariation = std::function<void(Patch&, const NoteEvent&)>;

void play(const Song& song, Channel& channel, const Patch& patch, const std::vector<NoteEvent>& events,
          double gate = 1.0, double pan = 0.0, const PatchVariation& vary = nullptr);

using DrumVoice = std::function<std::vector<float>(const NoteEvent&)>;

void playDrum(const Song& song, Channel& channel, const std::vector<NoteEvent>& events, const DrumVoice& voice,
              double pan = 0.0);

// Sample positions of the hits, for the kick-driven pumping of the pads.
std::vector<long> hitTimes(const Song& song, const std::vector<NoteEvent>& events);

} // namespace synth
