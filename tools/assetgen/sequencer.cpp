#include "sequencer.h"

#include "synth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

namespace synth {

Song::Song(double bpm, int bars, double swing)
    : m_samplesPerStep(SampleRate * 60.0 / bpm / 4.0),
      m_bars(bars),
      m_swing(swing)
{
}

int Song::bars() const
{
    return m_bars;
}

int Song::steps() const
{
    return m_bars * StepsPerBar;
}

std::size_t Song::length() const
{
    return static_cast<std::size_t>(std::lround(steps() * m_samplesPerStep));
}

long Song::sampleAt(double step) const
{
    // Swing bends time inside each beat: the first eighth stretches, the second shrinks.
    const double beat = std::floor(step / 4.0);
    const double within = step - beat * 4.0;
    const double bent =
        within <= 2.0 ? within * (2.0 + m_swing) / 2.0 : 2.0 + m_swing + (within - 2.0) * (2.0 - m_swing) / 2.0;
    return std::lround((beat * 4.0 + bent) * m_samplesPerStep);
}

std::size_t Song::stepsToSamples(double steps) const
{
    return static_cast<std::size_t>(std::lround(steps * m_samplesPerStep));
}

namespace {

int pitchClass(const std::string& s, std::size_t& i)
{
    static const std::map<char, int> letters = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    const auto found = letters.find(i < s.size() ? s[i] : '?');
    if (found == letters.end())
        throw std::invalid_argument("not a note: " + s);
    int pc = found->second;
    ++i;
    while (i < s.size() && (s[i] == '#' || s[i] == 'b')) {
        pc += s[i] == '#' ? 1 : -1;
        ++i;
    }
    return (pc + 12) % 12;
}

std::vector<std::string> tokens(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    std::string t;
    while (in >> t)
        out.push_back(t);
    return out;
}

// Velocity shaped by where the note falls: downbeats lean in, off-beats relax,
// which makes a flat grid of notes sound played rather than typed.
double groove(double step)
{
    const double inBar = std::fmod(step, 16.0);
    if (std::fmod(inBar, 8.0) == 0.0)
        return 1.0;
    if (std::fmod(inBar, 4.0) == 0.0)
        return 0.94;
    if (std::fmod(inBar, 2.0) == 0.0)
        return 0.86;
    return 0.8;
}

} // namespace

int parseNote(const std::string& name)
{
    // Accidentals may cross the octave (Cb5 is B4), so add them after the octave.
    std::size_t i = 0;
    const int natural = pitchClass(name.substr(0, 1), i);
    int accidental = 0;
    for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
        accidental += name[i] == '#' ? 1 : -1;
    return 12 * (std::stoi(name.substr(i)) + 1) + natural + accidental;
}

Chord parseChord(const std::string& name)
{
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},    {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}},  {"sus4", {0, 5, 7}},       {"sus2", {0, 2, 7}},     {"dim", {0, 3, 6}},
        {"add9", {0, 4, 7, 14}},  {"madd9", {0, 3, 7, 14}},  {"6", {0, 4, 7, 9}},     {"m6", {0, 3, 7, 9}},
        {"7sus4", {0, 5, 7, 10}}, {"m9", {0, 3, 7, 10, 14}}, {"9", {0, 4, 7, 10, 14}}};
    std::size_t i = 0;
    Chord chord;
    chord.root = pitchClass(name, i);
    const std::size_t slash = name.find('/');
    const std::string quality = name.substr(i, slash == std::string::npos ? std::string::npos : slash - i);
    const auto found = qualities.find(quality);
    if (found == qualities.end())
        throw std::invalid_argument("unknown chord: " + name);
    chord.tones = found->second;
    chord.bass = chord.root;
    if (slash != std::string::npos) {
        std::size_t j = slash + 1;
        chord.bass = pitchClass(name, j);
    }
    return chord;
}

Progression::Progression(const std::string& bars)
{
    double bar = 0.0;
    for (const std::string& token : tokens(bars)) {
        std::vector<std::string> parts;
        std::istringstream in(token);
        std::string part;
        while (std::getline(in, part, '|'))
            parts.push_back(part);
        const double length = static_cast<double>(StepsPerBar) / static_cast<double>(parts.size());
        for (std::size_t k = 0; k < parts.size(); ++k)
            m_spans.push_back({bar * StepsPerBar + static_cast<double>(k) * length, length, parseChord(parts[k])});
        bar += 1.0;
    }
}

const Chord& Progression::at(double step) const
{
    // Loops wrap: a step past the end reads from the start again.
    const double total = m_spans.back().start + m_spans.back().length;
    const double s = std::fmod(std::fmod(step, total) + total, total);
    for (auto it = m_spans.rbegin(); it != m_spans.rend(); ++it) {
        if (it->start <= s + 1e-9)
            return it->chord;
    }
    return m_spans.front().chord;
}

const std::vector<Progression::Span>& Progression::spans() const
{
    return m_spans;
}

std::vector<NoteEvent> melody(const std::string& text, double stepsPerToken, int startBar, int transpose)
{
    std::vector<NoteEvent> out;
    double step = startBar * StepsPerBar;
    bool holding = false;
    for (const std::string& t : tokens(text)) {
        if (t == "-") {
            if (holding)
                out.back().length += stepsPerToken;
        } else if (t == ".") {
            holding = false;
        } else {
            out.push_back({step, stepsPerToken, static_cast<double>(parseNote(t) + transpose), groove(step)});
            holding = true;
        }
        step += stepsPerToken;
    }
    return out;
}

namespace {

// The first note of that pitch class at or above `lowNote`: keeps every voice in
// its own register whatever the chord, so lines move by small steps.
int placeAbove(int pitchClassValue, int lowNote)
{
    return lowNote + ((pitchClassValue - lowNote) % 12 + 12) % 12;
}

int degreeOffset(const Chord& chord, char degree)
{
    switch (degree) {
    case '1':
        return 0;
    case '3':
        return chord.tones.size() > 1 ? chord.tones[1] : 0;
    case '5':
        return chord.tones.size() > 2 ? chord.tones[2] : 7;
    case '7':
        return chord.tones.size() > 3 && chord.tones[3] < 12 ? chord.tones[3] : 12;
    case '8':
        return 12;
    case '9':
        return 14;
    default:
        throw std::invalid_argument(std::string("unknown degree ") + degree);
    }
}

} // namespace

std::vector<NoteEvent> chordPattern(const Progression& chords, const std::string& pattern, int lowNote, int fromBar,
                                    int toBar, bool slashBass)
{
    const std::vector<std::string> tok = tokens(pattern);
    if (tok.empty())
        return {};
    const double stepsPerToken = tok.size() >= 16 ? 1.0 : static_cast<double>(StepsPerBar) / tok.size();
    const double span = stepsPerToken * static_cast<double>(tok.size());
    std::vector<NoteEvent> out;
    bool holding = false;
    for (double step = fromBar * StepsPerBar; step < toBar * StepsPerBar; step += span) {
        for (std::size_t k = 0; k < tok.size(); ++k) {
            const double at = step + static_cast<double>(k) * stepsPerToken;
            const std::string& t = tok[k];
            if (t == "-") {
                if (holding)
                    out.back().length += stepsPerToken;
                continue;
            }
            if (t == ".") {
                holding = false;
                continue;
            }
            const Chord& chord = chords.at(at);
            const char degree = t[0];
            int note = 0;
            if (slashBass && (degree == '1' || degree == '8'))
                note = placeAbove(chord.bass, lowNote) + (degree == '8' ? 12 : 0);
            else
                note = placeAbove(chord.root, lowNote) + degreeOffset(chord, degree);
            double velocity = 0.85 * groove(at);
            for (std::size_t c = 1; c < t.size(); ++c) {
                if (t[c] == '^')
                    note += 12;
                else if (t[c] == '_')
                    note -= 12;
                else if (t[c] == '>')
                    velocity = 1.0;
            }
            out.push_back({at, stepsPerToken, static_cast<double>(note), velocity});
            holding = true;
        }
    }
    return out;
}

std::vector<NoteEvent> pad(const Progression& chords, int lowNote, int fromBar, int toBar)
{
    std::vector<NoteEvent> out;
    for (const Progression::Span& s : chords.spans()) {
        if (s.start < fromBar * StepsPerBar || s.start >= toBar * StepsPerBar)
            continue;
        for (int tone : s.chord.tones)
            out.push_back({s.start, s.length, static_cast<double>(placeAbove(s.chord.root + tone, lowNote)), 0.8});
    }
    return out;
}

std::vector<NoteEvent> hits(const std::string& pattern, int fromBar, int toBar)
{
    std::string grid;
    for (char c : pattern) {
        if (c != ' ')
            grid += c;
    }
    if (grid.empty())
        return {};
    const double stepsPerChar = grid.size() >= 16 ? 1.0 : static_cast<double>(StepsPerBar) / grid.size();
    const double span = stepsPerChar * static_cast<double>(grid.size());
    std::vector<NoteEvent> out;
    for (double step = fromBar * StepsPerBar; step < toBar * StepsPerBar; step += span) {
        for (std::size_t k = 0; k < grid.size(); ++k) {
            const double at = step + static_cast<double>(k) * stepsPerChar;
            const char c = grid[k];
            if (c == 'x')
                out.push_back({at, stepsPerChar, 0.0, 0.8});
            else if (c == 'X')
                out.push_back({at, stepsPerChar, 0.0, 1.0});
            else if (c == 'g')
                out.push_back({at, stepsPerChar, 0.0, 0.45});
        }
    }
    return out;
}

namespace {

std::uint64_t eventSeed(const NoteEvent& e)
{
    return static_cast<std::uint64_t>(e.step * 64.0) * 131u + static_cast<std::uint64_t>(e.note * 8.0 + 1000.0);
}

} // namespace

void play(const Song& song, Channel& channel, const Patch& patch, const std::vector<NoteEvent>& events, double gate,
          double pan, const PatchVariation& vary)
{
    for (const NoteEvent& e : events) {
        Patch p = patch;
        if (vary)
            vary(p, e);
        const long start = song.sampleAt(e.step);
        const long end = song.sampleAt(e.step + e.length);
        const double seconds = static_cast<double>(end - start) / SampleRate * gate;
        channel.dry.addWrapped(renderNote(p, e.note, seconds, e.velocity, eventSeed(e)), start, 1.0, pan);
    }
}

void playDrum(const Song& song, Channel& channel, const std::vector<NoteEvent>& events, const DrumVoice& voice,
              double pan)
{
    for (const NoteEvent& e : events)
        channel.dry.addWrapped(voice(e), song.sampleAt(e.step), e.velocity, pan);
}

std::vector<long> hitTimes(const Song& song, const std::vector<NoteEvent>& events)
{
    std::vector<long> out;
    for (const NoteEvent& e : events)
        out.push_back(song.sampleAt(e.step));
    return out;
}

} // namespace synth
