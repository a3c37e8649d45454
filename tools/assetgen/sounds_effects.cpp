// Sound effects: the seven shots (one is picked at random per shot, so they
// share a register and a loudness but differ in sweep and colour), the switch
// and the game-over jingle.

#include "assetgen.h"
#include "sequencer.h"
#include "sounds.h"
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace synth;

namespace {

using Mono = std::vector<float>;

// Shots are heard hundreds of times: keep them a little under the music's peaks.
constexpr double ShotPeakDb = -3.5;
// How loud a shot feels is mostly its first few tens of milliseconds.
constexpr double ShotPunchSeconds = 0.08;

template <class Voice>
Mono render(double seconds, Voice&& voice)
{
    Mono out(secondsToSamples(seconds));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(voice(static_cast<double>(i) / SampleRate));
    return out;
}

// Exponential glide from `from` to `to`: most of the drop happens early, which
// is what makes a laser sound fast.
double glide(double t, double from, double to, double time)
{
    return to * std::pow(from / to, std::exp(-t / time));
}

double attackDecay(double t, double attack, double decay)
{
    return std::min(1.0, t / attack) * std::exp(-6.9 * t / decay);
}

// Ends every effect on silence and leaves no dead air at the start.
Mono finish(Mono sound, double peakDb)
{
    const std::size_t fade = std::min<std::size_t>(secondsToSamples(0.01), sound.size());
    for (std::size_t i = 0; i < fade; ++i)
        sound[sound.size() - 1 - i] *= static_cast<float>(static_cast<double>(i) / static_cast<double>(fade));
    normalise(sound, peakDb);
    return sound;
}

// A short slap off the walls gives the dry shots a little space without a tail
// that would be cut off when the next shot restarts the sound.
Mono slap(Mono sound, double delaySeconds, double level)
{
    const std::size_t d = secondsToSamples(delaySeconds);
    sound.resize(sound.size() + d, 0.f);
    for (std::size_t i = sound.size(); i-- > d;)
        sound[i] += static_cast<float>(level * sound[i - d]);
    return sound;
}

// The classic: a square that narrows as it falls.
Mono shotPew()
{
    Oscillator osc(Wave::Pulse, 0.5, 1);
    Svf tone;
    return render(0.18, [&](double t) {
        const double hz = glide(t, 1500.0, 230.0, 0.05);
        osc.setDuty(0.5 - 0.3 * std::min(1.0, t / 0.12));
        tone.set(hz * 6.0, 0.8);
        return tone.lowpass(osc.next(hz)) * attackDecay(t, 0.001, 0.18);
    });
}

// A saw through a resonant filter sweeping with it: "zeeow".
Mono shotZap()
{
    Oscillator osc(Wave::Saw, 0.5, 2);
    Svf filter;
    return slap(render(0.2,
                       [&](double t) {
                           const double hz = glide(t, 2200.0, 280.0, 0.045);
                           filter.set(glide(t, 7000.0, 700.0, 0.06), 3.5);
                           return filter.lowpass(osc.next(hz)) * attackDecay(t, 0.001, 0.2);
                       }),
                0.035, 0.25);
}

// FM blaster: the modulation index dies away so the metallic buzz turns into a tone.
Mono shotBlaster()
{
    Oscillator carrier(Wave::Sine, 0.5, 3);
    Oscillator modulator(Wave::Sine, 0.5, 4);
    return render(0.22, [&](double t) {
        const double hz = glide(t, 900.0, 170.0, 0.07);
        const double index = 5.0 * std::exp(-t / 0.06) + 0.4;
        const double mod = index * modulator.next(hz * 1.41) / TwoPi;
        return carrier.next(hz, mod) * attackDecay(t, 0.001, 0.22);
    });
}

// A puff of noise for the muzzle, then a short square falling fast.
Mono shotBurst()
{
    Oscillator osc(Wave::Pulse, 0.5, 5);
    Rng rng(6);
    Svf hiss;
    hiss.set(3000.0, 0.7);
    return slap(render(0.12,
                       [&](double t) {
                           const double hz = glide(t, 1100.0, 420.0, 0.03);
                           const double noise = hiss.highpass(rng.bipolar()) * std::exp(-t / 0.008);
                           return 0.7 * noise + 0.8 * osc.next(hz) * attackDecay(t, 0.001, 0.12);
                       }),
                0.028, 0.3);
}

// Up then down: the bolt charges for a blink before it flies.
Mono shotChirp()
{
    Oscillator tri(Wave::Triangle, 0.5, 7);
    Oscillator pulse(Wave::Pulse, 0.125, 8);
    Svf tone;
    tone.set(4000.0, 0.7);
    return render(0.24, [&](double t) {
        const double rise = 600.0 * std::pow(2.0, std::min(t, 0.025) / 0.025 * 1.1);
        const double hz = t < 0.025 ? rise : glide(t - 0.025, 1286.0, 330.0, 0.06);
        const double s = 0.8 * tri.next(hz) + 0.35 * pulse.next(hz);
        return tone.lowpass(s) * attackDecay(t, 0.002, 0.24);
    });
}

// Two pulses falling at slightly different speeds: they beat against each other.
Mono shotTwin()
{
    Oscillator a(Wave::Pulse, 0.3, 9);
    Oscillator b(Wave::Pulse, 0.3, 10);
    Svf tone;
    return render(0.26, [&](double t) {
        const double ha = glide(t, 1800.0, 260.0, 0.06);
        const double hb = glide(t, 1900.0, 235.0, 0.075);
        tone.set(ha * 4.0, 0.9);
        return tone.lowpass(0.6 * a.next(ha) + 0.6 * b.next(hb)) * attackDecay(t, 0.001, 0.26);
    });
}

// Small and high, crushed to a few bits like an old sampler.
Mono shotTiny()
{
    Oscillator osc(Wave::Saw, 0.5, 11);
    double held = 0.0;
    std::size_t i = 0;
    return render(0.11, [&](double t) {
        const double s = osc.next(glide(t, 3200.0, 900.0, 0.03));
        if (i++ % 4 == 0)
            held = std::round(s * 6.0) / 6.0;
        return held * attackDecay(t, 0.001, 0.11);
    });
}

// A lever or target flipping over: the click of the catch, the clunk of the
// body landing, a short metal ring, and a two-note chirp from the circuit it
// just switched.
Mono trigger()
{
    Rng rng(12);
    Svf clickFilter, thudFilter;
    clickFilter.set(5000.0, 0.8);
    thudFilter.set(900.0, 1.2);
    double thudPhase = 0.0;
    Oscillator chirp(Wave::Pulse, 0.25, 13);
    return render(0.22, [&](double t) {
        double s = 0.0;
        // Catch.
        s += 0.8 * clickFilter.highpass(rng.bipolar()) * std::exp(-t / 0.0025);
        s += 0.35 * std::sin(TwoPi * 4200.0 * t) * std::exp(-t / 0.006);
        // Body landing a moment later.
        const double u = t - 0.04;
        const double noise = rng.bipolar();
        if (u >= 0.0) {
            thudPhase += glide(u, 160.0, 85.0, 0.02) / SampleRate;
            s += 0.9 * std::sin(TwoPi * thudPhase) * attackDecay(u, 0.001, 0.09);
            s += 0.5 * thudFilter.bandpass(noise) * std::exp(-u / 0.012);
            s += 0.12 * (std::sin(TwoPi * 1230.0 * u) + std::sin(TwoPi * 1874.0 * u)) * std::exp(-u / 0.03);
        }
        // The circuit answers.
        const double v = t - 0.1;
        if (v >= 0.0) {
            const double hz = v < 0.035 ? 1320.0 : 1760.0;
            const double w = v < 0.035 ? v : v - 0.035;
            s += 0.22 * chirp.next(hz) * attackDecay(w, 0.001, 0.045);
        }
        return s;
    });
}

// "The program has stopped responding": a falling minor arpeggio, the last note
// stuck and stuttering, then the whole machine winding down into silence.
Stereo gameOver()
{
    const double beat = 0.16;
    Stereo song(secondsToSamples(3.0));

    Patch lead;
    lead.wave = Wave::Pulse;
    lead.duty = 0.25;
    lead.amp = {0.004, 0.4, 0.6, 0.1};
    lead.cutoff = 4000.0;
    const char* const notes[] = {"C6", "G5", "Eb5", "C5"};
    for (int k = 0; k < 4; ++k) {
        song.addWrapped(renderNote(lead, parseNote(notes[k]), beat * 0.85, 1.0, 20 + static_cast<std::uint64_t>(k)),
                        static_cast<long>(secondsToSamples(k * beat)), 0.5, k % 2 == 0 ? -0.2 : 0.2);
    }
    // A falling bass under it, one semitone per note.
    Patch bass;
    bass.wave = Wave::Triangle4;
    bass.amp = {0.004, 0.3, 0.8, 0.08};
    for (int k = 0; k < 4; ++k)
        song.addWrapped(renderNote(bass, 48 - k, beat * 0.9, 1.0, 30 + static_cast<std::uint64_t>(k)),
                        static_cast<long>(secondsToSamples(k * beat)), 0.6, 0.0);

    // The stuck note: the same fragment repeated, each time more crushed.
    Patch stuck = lead;
    stuck.amp = {0.002, 0.1, 1.0, 0.01};
    const Stereo fragment = renderNote(stuck, 72, 0.045, 1.0, 40);
    for (int k = 0; k < 4; ++k) {
        Stereo crushed = fragment;
        const double levels = 8.0 / (k + 1);
        for (std::size_t i = 0; i < crushed.size(); ++i) {
            crushed.left[i] = static_cast<float>(std::round(crushed.left[i] * levels) / levels);
            crushed.right[i] = crushed.left[i];
        }
        song.addWrapped(crushed, static_cast<long>(secondsToSamples(4 * beat + 0.06 * k)), 0.5, k % 2 ? 0.4 : -0.4);
    }

    // Power-down: pitch and filter sink together, like a fan and a drive spinning down.
    Oscillator saw(Wave::Saw, 0.5, 50);
    Oscillator square(Wave::Pulse, 0.5, 51, 0.25);
    Svf filter;
    const std::size_t start = secondsToSamples(4 * beat + 0.26);
    const double windDown = 1.3;
    const Mono down = render(windDown, [&](double t) {
        const double hz = 262.0 * std::pow(2.0, -2.5 * std::pow(t / windDown, 0.8));
        filter.set(glide(t, 3000.0, 120.0, 0.4), 1.4);
        const double s = 0.6 * saw.next(hz) + 0.5 * square.next(hz * 0.5);
        return filter.lowpass(s) * std::min(1.0, t / 0.01) * (1.0 - t / windDown);
    });
    song.addWrapped(down, static_cast<long>(start), 0.9, 0.0);

    // A last dull thump as everything stops.
    const Mono thump = kickDrum(1.5, 45.0, 0.4);
    song.addWrapped(thump, static_cast<long>(start + secondsToSamples(windDown - 0.15)), 0.5, 0.0);

    // Echoes on everything; the buffer is long enough that nothing wraps.
    PingPongDelay echo(secondsToSamples(beat * 1.5), 0.3, 2500.0);
    Stereo wet(song.size());
    for (std::size_t i = 0; i < song.size(); ++i)
        echo.process(song.left[i], song.right[i], wet.left[i], wet.right[i]);
    song.add(wet, 0.3);

    // Trim what is left after the sound has died away.
    normalise(song, 0.0);
    std::size_t end = song.size();
    while (end > 0 && std::max(std::fabs(song.left[end - 1]), std::fabs(song.right[end - 1])) < 2e-3f)
        --end;
    song.left.resize(end);
    song.right.resize(end);
    const std::size_t fade = std::min<std::size_t>(secondsToSamples(0.05), end);
    for (std::size_t i = 0; i < fade; ++i) {
        const float g = static_cast<float>(static_cast<double>(i) / static_cast<double>(fade));
        song.left[end - 1 - i] *= g;
        song.right[end - 1 - i] *= g;
    }
    normalise(song, -3.5);
    return song;
}

} // namespace

void generateEffects(Output& out)
{
    // One is picked at random per shot, so they are matched on punch rather than
    // on peak: the loudest-peaking one sets the level, the others follow it.
    std::vector<Mono> shots = {shotPew(), shotZap(), shotBlaster(), shotBurst(), shotChirp(), shotTwin(), shotTiny()};
    std::vector<double> punch;
    double level = 1e9;
    for (Mono& shot : shots) {
        // A little saturation rounds off the sweep peaks, so the shots can sit
        // louder without their first milliseconds spiking.
        shot = finish(shot, 0.0);
        for (float& s : shot)
            s = static_cast<float>(std::tanh(2.0 * s) / std::tanh(2.0));
        const std::size_t head = std::min(shot.size(), secondsToSamples(ShotPunchSeconds));
        double energy = 0.0;
        for (std::size_t i = 0; i < head; ++i)
            energy += shot[i] * shot[i];
        punch.push_back(std::sqrt(energy / static_cast<double>(std::max<std::size_t>(1, head))));
        level = std::min(level, dbToGain(ShotPeakDb) * punch.back());
    }
    for (std::size_t i = 0; i < shots.size(); ++i) {
        for (float& s : shots[i])
            s = static_cast<float>(s * level / punch[i]);
        out.save(toSoundBuffer(shots[i]), "data\\sounds\\shoot" + std::to_string(i) + ".ogg");
    }
    out.save(toSoundBuffer(finish(trigger(), -4.0)), "data\\sounds\\trigger.ogg");
    out.save(toSoundBuffer(gameOver()), "data\\sounds\\gameOver.ogg");
}
