#pragma once

// A small software synthesiser for the content generator: oscillators, filters,
// envelopes, a few drum voices, loop-aware effects and a mixer. Everything is
// deterministic so a rebuild writes byte-identical sounds.

#include <SFML/Audio/SoundBuffer.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;

// Our own generator so the drums sound the same on every platform and compiler.
class Rng
{
public:
    explicit Rng(std::uint64_t seed);
    std::uint64_t next();
    double uniform(); // [0, 1)
    double bipolar(); // [-1, 1)

private:
    std::uint64_t m_state;
};

double midiToHz(double note);
double dbToGain(double db);
std::size_t secondsToSamples(double seconds);

enum class Wave
{
    Sine,
    Triangle,
    Triangle4, // 16-step triangle, the gritty bass of old sound chips
    Saw,
    Pulse,
    Noise, // sample-and-hold noise: low rates give the chip "periodic" noise
};

class Oscillator
{
public:
    Oscillator(Wave wave, double duty, std::uint64_t seed, double phase = 0.0);
    // Next sample for this frequency; `phaseMod` (in cycles) is the FM input.
    double next(double hz, double phaseMod = 0.0);
    void setDuty(double duty);

private:
    Wave m_wave;
    double m_duty;
    double m_phase;
    double m_held = 0.0;
    Rng m_rng;
};

// Zero-delay-feedback state variable filter: stays stable under fast sweeps,
// which the lasers and the filter envelopes need.
class Svf
{
public:
    struct Out
    {
        double low, band, high;
    };
    void set(double cutoffHz, double q);
    Out process(double x);
    double lowpass(double x);
    double highpass(double x);
    double bandpass(double x);

private:
    double m_a1 = 0, m_a2 = 0, m_a3 = 0, m_k = 1;
    double m_ic1 = 0, m_ic2 = 0;
};

// Attack is linear (seconds); decay and release are the times to fall by 60 dB.
struct Envelope
{
    double attack = 0.005;
    double decay = 0.3;
    double sustain = 0.7;
    double release = 0.15;

    double level(double t, double gate) const;
    double length(double gate) const; // when the release has died away
};

// One instrument: what a note sounds like, independent of when it plays.
struct Patch
{
    Wave wave = Wave::Pulse;
    double duty = 0.5;
    double pwmDepth = 0.0; // duty swing of the pulse
    double pwmRate = 0.0;

    // A second oscillator, for sub octaves, fifths and fat detuned leads.
    Wave wave2 = Wave::Sine;
    double mix2 = 0.0;
    double semis2 = 0.0;
    double cents2 = 0.0;

    int unison = 1;
    double unisonCents = 0.0;
    double unisonWidth = 0.0; // stereo spread of the unison voices, 0..1

    // Two-operator FM on a sine carrier: bells, plucks, electric piano.
    double fmRatio = 0.0;
    double fmIndex = 0.0;
    double fmDecay = 0.3;
    double fmSustain = 0.0;

    Envelope amp;

    double cutoff = 18000.0;
    double resonance = 0.707;
    double filterEnv = 0.0; // octaves of opening at the note start
    double filterDecay = 0.2;
    double keyTrack = 0.0; // 1 = the cutoff follows the pitch

    double vibratoDepth = 0.0; // semitones
    double vibratoRate = 5.5;
    double vibratoDelay = 0.25;

    double pitchDrop = 0.0; // semitones above the note at the start, gliding down
    double pitchTime = 0.02;

    double gain = 1.0;
};

// Interleaving happens only at the end: effects want the channels apart.
struct Stereo
{
    explicit Stereo(std::size_t length = 0);
    std::size_t size() const;
    void addWrapped(const Stereo& voice, long start, double gain, double pan);
    void addWrapped(const std::vector<float>& voice, long start, double gain, double pan);
    void add(const Stereo& other, double gain);

    std::vector<float> left;
    std::vector<float> right;
};

Stereo renderNote(const Patch& patch, double note, double gateSeconds, double velocity, std::uint64_t seed);

// Drum voices, mono, peak about 1.
std::vector<float> kickDrum(double punch, double tone, double length);
std::vector<float> snareDrum(Rng& rng, double tone, double snappy, double length);
std::vector<float> clap(Rng& rng);
std::vector<float> hiHat(Rng& rng, double length, double brightness);
std::vector<float> crash(Rng& rng, double length);
std::vector<float> tom(double hz, double length);
std::vector<float> shaker(Rng& rng, double length);
std::vector<float> woodTick(Rng& rng, double hz, double length);

// Equal-power pan, -1 left .. 1 right.
void panGains(double pan, double& left, double& right);

// Effects with memory (echo, reverb, chorus) run twice over a loop: the first
// pass fills them with the end of the loop, so the kept pass starts exactly as
// if the loop had already been playing and the seam cannot be heard.
template <class Effect>
Stereo runLooped(const Stereo& in, Effect& effect, int warmPasses = 1)
{
    Stereo out(in.size());
    for (int pass = 0; pass <= warmPasses; ++pass) {
        for (std::size_t i = 0; i < in.size(); ++i) {
            float l = 0.f, r = 0.f;
            effect.process(in.left[i], in.right[i], l, r);
            if (pass == warmPasses) {
                out.left[i] = l;
                out.right[i] = r;
            }
        }
    }
    return out;
}

class PingPongDelay
{
public:
    PingPongDelay(std::size_t delaySamples, double feedback, double toneHz);
    void process(float inL, float inR, float& outL, float& outR);

private:
    std::vector<float> m_left, m_right;
    std::size_t m_pos = 0;
    double m_feedback;
    double m_toneCoef;
    double m_lowL = 0;
    double m_dcL = 0;
};

class Reverb
{
public:
    Reverb(double room, double damp);
    void process(float inL, float inR, float& outL, float& outR);

private:
    struct Comb
    {
        std::vector<float> buffer;
        std::size_t pos = 0;
        double store = 0;
    };
    struct Allpass
    {
        std::vector<float> buffer;
        std::size_t pos = 0;
    };
    double comb(Comb& c, double input);
    double allpass(Allpass& a, double input);

    std::vector<Comb> m_combL, m_combR;
    std::vector<Allpass> m_allL, m_allR;
    double m_feedback;
    double m_damp;
};

// Rate is nudged so a whole number of sweeps fits in the loop.
class Chorus
{
public:
    Chorus(double rateHz, double depthMs, double mix, std::size_t loopLength);
    void process(float inL, float inR, float& outL, float& outR);

private:
    double read(const std::vector<float>& line, double delay) const;

    std::vector<float> m_left, m_right;
    std::size_t m_pos = 0;
    std::size_t m_count = 0;
    double m_rate, m_depth, m_mix;
};

// One mixer strip: an instrument (or drum) plays into `dry`.
struct Channel
{
    explicit Channel(std::size_t length, double gain = 1.0);

    Stereo dry;
    double gain;
    double delaySend = 0.0;
    double reverbSend = 0.0;
    bool ducked = false; // pumps under the kick
    bool chorus = false;
};

struct MixSettings
{
    std::size_t delaySamples = 0;
    double delayFeedback = 0.4;
    double delayTone = 3500.0;
    double reverbRoom = 0.75;
    double reverbDamp = 0.4;
    double reverbReturn = 1.0;
    std::vector<long> duckAt; // sample positions of the kicks
    double duckDepth = 0.5;
    double duckRelease = 0.18;
    double loudnessDb = -16.5; // RMS the loop is brought to before limiting
    double peakDb = -3.5;      // ceiling; leaves room for the encoder's overshoot
};

Stereo mixdown(const std::vector<const Channel*>& channels, const MixSettings& settings);

// Brings the loop to an even loudness, then holds the peaks under the ceiling
// with a look-ahead limiter that wraps around the loop like the effects do.
void master(Stereo& sound, double loudnessDb, double peakDb);

// Scales so the loudest sample sits at `peakDb`.
void normalise(Stereo& sound, double peakDb);
void normalise(std::vector<float>& sound, double peakDb);

sf::SoundBuffer toSoundBuffer(const Stereo& sound);
sf::SoundBuffer toSoundBuffer(const std::vector<float>& mono);

} // namespace synth
