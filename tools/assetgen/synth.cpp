#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace synth {

Rng::Rng(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
{
}

std::uint64_t Rng::next()
{
    // splitmix64: tiny, fast and good enough for noise.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::bipolar()
{
    return uniform() * 2.0 - 1.0;
}

double midiToHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

double dbToGain(double db)
{
    return std::pow(10.0, db / 20.0);
}

std::size_t secondsToSamples(double seconds)
{
    return static_cast<std::size_t>(std::max(0.0, std::ceil(seconds * SampleRate)));
}

namespace {

double fract(double x)
{
    return x - std::floor(x);
}

// Band-limited step correction: keeps the saw and pulse edges from aliasing
// into a whistle on high notes.
double polyBlep(double t, double dt)
{
    if (dt <= 0.0)
        return 0.0;
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Softens the last few milliseconds so nothing ends on a click.
void fadeTail(std::vector<float>& v, std::size_t samples)
{
    const std::size_t n = std::min(samples, v.size());
    for (std::size_t i = 0; i < n; ++i)
        v[v.size() - 1 - i] *= static_cast<float>(static_cast<double>(i) / static_cast<double>(n));
}

} // namespace

Oscillator::Oscillator(Wave wave, double duty, std::uint64_t seed, double phase)
    : m_wave(wave),
      m_duty(duty),
      m_phase(fract(phase)),
      m_rng(seed)
{
}

void Oscillator::setDuty(double duty)
{
    m_duty = std::clamp(duty, 0.02, 0.98);
}

double Oscillator::next(double hz, double phaseMod)
{
    const double dt = std::max(0.0, hz) / SampleRate;
    const double t = fract(m_phase + phaseMod);
    double v = 0.0;
    switch (m_wave) {
    case Wave::Sine:
        v = std::sin(TwoPi * t);
        break;
    case Wave::Triangle:
        v = 1.0 - 4.0 * std::fabs(t - 0.5);
        break;
    case Wave::Triangle4: {
        const double tri = 1.0 - 4.0 * std::fabs(t - 0.5);
        const double step = std::clamp(std::floor((tri + 1.0) * 8.0), 0.0, 15.0);
        v = (step - 7.5) / 7.5;
        break;
    }
    case Wave::Saw:
        v = 2.0 * t - 1.0 - polyBlep(t, dt);
        break;
    case Wave::Pulse:
        v = (t < m_duty ? 1.0 : -1.0) + polyBlep(t, dt) - polyBlep(fract(t + 1.0 - m_duty), dt);
        v -= 2.0 * m_duty - 1.0; // a narrow pulse carries DC that would eat headroom
        break;
    case Wave::Noise:
        if (m_phase + dt >= 1.0 || dt >= 1.0)
            m_held = m_rng.bipolar();
        v = m_held;
        break;
    }
    m_phase = fract(m_phase + dt);
    return v;
}

void Svf::set(double cutoffHz, double q)
{
    const double fc = std::clamp(cutoffHz, 10.0, SampleRate * 0.45);
    const double g = std::tan(Pi * fc / SampleRate);
    m_k = 1.0 / std::max(0.05, q);
    m_a1 = 1.0 / (1.0 + g * (g + m_k));
    m_a2 = g * m_a1;
    m_a3 = g * m_a2;
}

Svf::Out Svf::process(double x)
{
    const double v3 = x - m_ic2;
    const double v1 = m_a1 * m_ic1 + m_a2 * v3;
    const double v2 = m_ic2 + m_a2 * m_ic1 + m_a3 * v3;
    m_ic1 = 2.0 * v1 - m_ic1;
    m_ic2 = 2.0 * v2 - m_ic2;
    return {v2, v1, x - m_k * v1 - v2};
}

double Svf::lowpass(double x)
{
    return process(x).low;
}

double Svf::highpass(double x)
{
    return process(x).high;
}

double Svf::bandpass(double x)
{
    return process(x).band;
}

double Envelope::level(double t, double gate) const
{
    const double a = std::max(attack, 0.0005);
    auto held = [&](double time) {
        if (time < a)
            return time / a;
        return sustain + (1.0 - sustain) * std::exp(-6.9 * (time - a) / std::max(decay, 0.001));
    };
    if (t < gate)
        return held(t);
    return held(gate) * std::exp(-6.9 * (t - gate) / std::max(release, 0.001));
}

double Envelope::length(double gate) const
{
    return gate + std::max(release, 0.001);
}

Stereo::Stereo(std::size_t length) : left(length, 0.f), right(length, 0.f)
{
}

std::size_t Stereo::size() const
{
    return left.size();
}

void panGains(double pan, double& left, double& right)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
    left = std::cos(angle);
    right = std::sin(angle);
}

void Stereo::addWrapped(const Stereo& voice, long start, double gain, double pan)
{
    if (size() == 0)
        return;
    double gl = 0, gr = 0;
    panGains(pan, gl, gr);
    // Pan gains are relative to the centre so a centred stereo voice keeps its level.
    gl *= gain * std::sqrt(2.0);
    gr *= gain * std::sqrt(2.0);
    const long n = static_cast<long>(size());
    long pos = ((start % n) + n) % n;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        left[static_cast<std::size_t>(pos)] += static_cast<float>(voice.left[i] * gl);
        right[static_cast<std::size_t>(pos)] += static_cast<float>(voice.right[i] * gr);
        if (++pos == n)
            pos = 0;
    }
}

void Stereo::addWrapped(const std::vector<float>& voice, long start, double gain, double pan)
{
    if (size() == 0)
        return;
    double gl = 0, gr = 0;
    panGains(pan, gl, gr);
    gl *= gain;
    gr *= gain;
    const long n = static_cast<long>(size());
    long pos = ((start % n) + n) % n;
    for (float s : voice) {
        left[static_cast<std::size_t>(pos)] += static_cast<float>(s * gl);
        right[static_cast<std::size_t>(pos)] += static_cast<float>(s * gr);
        if (++pos == n)
            pos = 0;
    }
}

void Stereo::add(const Stereo& other, double gain)
{
    const std::size_t n = std::min(size(), other.size());
    for (std::size_t i = 0; i < n; ++i) {
        left[i] += static_cast<float>(other.left[i] * gain);
        right[i] += static_cast<float>(other.right[i] * gain);
    }
}

Stereo renderNote(const Patch& p, double note, double gateSeconds, double velocity, std::uint64_t seed)
{
    const double gate = std::max(gateSeconds, 0.001);
    const std::size_t n = secondsToSamples(p.amp.length(gate)) + 1;
    Stereo out(n);

    const int voices = std::max(1, p.unison);
    Rng rng(seed);
    std::vector<Oscillator> osc1, osc2;
    std::vector<double> ratio, gainL, gainR;
    for (int u = 0; u < voices; ++u) {
        const double spread = voices == 1 ? 0.0 : 2.0 * u / (voices - 1) - 1.0;
        // Free-running phases for a unison stack, like real detuned oscillators;
        // a single voice starts at zero so every hit of it is identical.
        const double phase = voices == 1 ? 0.0 : rng.uniform();
        osc1.emplace_back(p.wave, p.duty, seed * 7 + static_cast<std::uint64_t>(u), phase);
        osc2.emplace_back(p.wave2, p.duty, seed * 13 + static_cast<std::uint64_t>(u),
                          voices == 1 ? 0.0 : rng.uniform());
        ratio.push_back(std::pow(2.0, spread * p.unisonCents / 1200.0));
        double l = 0, r = 0;
        panGains(spread * p.unisonWidth, l, r);
        const double norm = std::sqrt(2.0 / voices);
        gainL.push_back(l * norm);
        gainR.push_back(r * norm);
    }
    Oscillator modulator(Wave::Sine, 0.5, seed);
    Svf filterL, filterR;
    const bool filtered = p.cutoff < 17000.0 || p.filterEnv > 0.0;
    const double baseCutoff = p.cutoff * std::pow(2.0, p.keyTrack * (note - 60.0) / 12.0);
    const double ratio2 = std::pow(2.0, (p.semis2 + p.cents2 / 100.0) / 12.0);
    const bool bending = p.pitchDrop != 0.0 || p.vibratoDepth > 0.0;
    double hz = midiToHz(note);

    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        if (filtered && i % 16 == 0) {
            const double open = p.filterEnv * velocity * std::exp(-5.0 * t / std::max(p.filterDecay, 0.001));
            const double cutoff = baseCutoff * std::pow(2.0, open);
            filterL.set(cutoff, p.resonance);
            filterR.set(cutoff, p.resonance);
        }
        if (bending) {
            double pitch = note + p.pitchDrop * std::exp(-t / std::max(p.pitchTime, 0.0005));
            if (p.vibratoDepth > 0.0) {
                const double fadeIn = std::clamp((t - p.vibratoDelay) / 0.3, 0.0, 1.0);
                pitch += p.vibratoDepth * fadeIn * std::sin(TwoPi * p.vibratoRate * t);
            }
            hz = midiToHz(pitch);
        }
        double phaseMod = 0.0;
        if (p.fmIndex > 0.0) {
            const double index = p.fmIndex * (p.fmSustain + (1.0 - p.fmSustain) * std::exp(-t / p.fmDecay));
            phaseMod = index * modulator.next(hz * p.fmRatio) / TwoPi;
        }
        const double duty = p.pwmDepth > 0.0 ? p.duty + p.pwmDepth * std::sin(TwoPi * p.pwmRate * t) : p.duty;
        double l = 0.0, r = 0.0;
        for (int u = 0; u < voices; ++u) {
            const double f = hz * ratio[static_cast<std::size_t>(u)];
            Oscillator& a = osc1[static_cast<std::size_t>(u)];
            if (p.pwmDepth > 0.0)
                a.setDuty(duty);
            double s = a.next(f, phaseMod);
            if (p.mix2 > 0.0)
                s += p.mix2 * osc2[static_cast<std::size_t>(u)].next(f * ratio2);
            l += s * gainL[static_cast<std::size_t>(u)];
            r += s * gainR[static_cast<std::size_t>(u)];
        }
        if (filtered) {
            l = filterL.lowpass(l);
            r = filterR.lowpass(r);
        }
        const double amp = p.amp.level(t, gate) * velocity * p.gain;
        out.left[i] = static_cast<float>(l * amp);
        out.right[i] = static_cast<float>(r * amp);
    }
    fadeTail(out.left, 96);
    fadeTail(out.right, 96);
    return out;
}

std::vector<float> kickDrum(double punch, double tone, double length)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    double phase = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double hz = tone * (1.0 + punch * std::exp(-t / 0.025));
        phase += hz / SampleRate;
        const double body = std::sin(TwoPi * phase) * std::exp(-t / (length * 0.3));
        const double click = std::sin(TwoPi * 1800.0 * t) * std::exp(-t / 0.0012);
        const double x = body + 0.25 * click;
        out[i] = static_cast<float>(std::tanh(1.6 * x) / std::tanh(1.6));
    }
    fadeTail(out, 256);
    return out;
}

std::vector<float> snareDrum(Rng& rng, double tone, double snappy, double length)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    Svf hp, bp;
    hp.set(1800.0, 0.7);
    bp.set(5200.0, 0.9);
    double p1 = 0.0, p2 = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        p1 += tone * (1.0 + 0.5 * std::exp(-t / 0.01)) / SampleRate;
        p2 += tone * 1.78 / SampleRate;
        const double body = (std::sin(TwoPi * p1) + 0.5 * std::sin(TwoPi * p2)) * std::exp(-t / 0.045);
        const double noise = rng.bipolar();
        const double wires = (hp.highpass(noise) * 0.7 + bp.bandpass(noise) * 0.8) * std::exp(-t / (length * 0.28));
        out[i] = static_cast<float>(std::tanh(0.7 * body + snappy * wires));
    }
    normalise(out, 0.0);
    fadeTail(out, 256);
    return out;
}

std::vector<float> clap(Rng& rng)
{
    const std::size_t n = secondsToSamples(0.3);
    std::vector<float> out(n);
    Svf bp;
    bp.set(1200.0, 1.4);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double env = 0.0;
        // Several hands slightly apart, then the room.
        for (double at : {0.0, 0.011, 0.021}) {
            if (t >= at)
                env = std::max(env, std::exp(-(t - at) / 0.004));
        }
        if (t >= 0.028)
            env = std::max(env, 0.8 * std::exp(-(t - 0.028) / 0.07));
        out[i] = static_cast<float>(bp.bandpass(rng.bipolar()) * env * 2.2);
    }
    normalise(out, 0.0);
    fadeTail(out, 256);
    return out;
}

namespace {

// Six detuned square waves: the metallic clang that noise alone lacks.
double metal(double t, double scale)
{
    static const double freqs[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    double s = 0.0;
    for (double f : freqs)
        s += fract(f * scale * t) < 0.5 ? 1.0 : -1.0;
    return s / 6.0;
}

} // namespace

std::vector<float> hiHat(Rng& rng, double length, double brightness)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    Svf hp, bp;
    hp.set(6500.0 * brightness, 0.8);
    bp.set(9500.0 * brightness, 0.9);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double src = 0.7 * metal(t, 1.7) + 0.5 * rng.bipolar();
        const double x = bp.bandpass(hp.highpass(src));
        const double env = std::min(1.0, t / 0.0006) * std::exp(-6.9 * t / length);
        out[i] = static_cast<float>(x * env * 2.5);
    }
    normalise(out, 0.0);
    fadeTail(out, 128);
    return out;
}

std::vector<float> crash(Rng& rng, double length)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    Svf hp, hp2;
    hp.set(4200.0, 0.6);
    hp2.set(3000.0, 0.5);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double src = 0.5 * metal(t, 2.3) + 0.8 * rng.bipolar();
        const double env = std::min(1.0, t / 0.002) * (0.6 * std::exp(-t / 0.08) + 0.4 * std::exp(-6.9 * t / length));
        out[i] = static_cast<float>(hp2.highpass(hp.highpass(src)) * env * 1.6);
    }
    normalise(out, 0.0);
    fadeTail(out, 512);
    return out;
}

std::vector<float> tom(double hz, double length)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    double phase = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        phase += hz * (1.0 + 0.6 * std::exp(-t / 0.04)) / SampleRate;
        const double body = std::sin(TwoPi * phase) + 0.2 * std::sin(2.0 * TwoPi * phase);
        const double x = body * std::exp(-6.9 * t / length);
        out[i] = static_cast<float>(std::tanh(1.3 * x));
    }
    fadeTail(out, 256);
    return out;
}

std::vector<float> shaker(Rng& rng, double length)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    Svf hp;
    hp.set(7000.0, 0.7);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double env = std::min(1.0, t / 0.008) * std::exp(-6.9 * std::max(0.0, t - 0.008) / length);
        out[i] = static_cast<float>(hp.highpass(rng.bipolar()) * env * 1.4);
    }
    normalise(out, 0.0);
    fadeTail(out, 128);
    return out;
}

std::vector<float> woodTick(Rng& rng, double hz, double length)
{
    const std::size_t n = secondsToSamples(length);
    std::vector<float> out(n);
    Svf hp;
    hp.set(3000.0, 0.7);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double ring = std::sin(TwoPi * hz * t) * std::exp(-t / (length * 0.22)) +
                            0.45 * std::sin(TwoPi * hz * 2.76 * t) * std::exp(-t / (length * 0.1));
        const double click = hp.highpass(rng.bipolar()) * std::exp(-t / 0.0015);
        out[i] = static_cast<float>(0.8 * ring + 0.6 * click);
    }
    normalise(out, 0.0);
    fadeTail(out, 96);
    return out;
}

PingPongDelay::PingPongDelay(std::size_t delaySamples, double feedback, double toneHz)
    : m_left(std::max<std::size_t>(1, delaySamples), 0.f),
      m_right(std::max<std::size_t>(1, delaySamples), 0.f),
      m_feedback(feedback),
      m_toneCoef(1.0 - std::exp(-TwoPi * toneHz / SampleRate))
{
}

void PingPongDelay::process(float inL, float inR, float& outL, float& outR)
{
    const double dl = m_left[m_pos];
    const double dr = m_right[m_pos];
    // Each echo a little darker and thinner, like tape, so repeats sit behind the dry sound.
    m_lowL += (dr - m_lowL) * m_toneCoef;
    m_dcL += (m_lowL - m_dcL) * 0.02;
    const double back = m_lowL - m_dcL;
    m_left[m_pos] = static_cast<float>(0.5 * (inL + inR) + m_feedback * back);
    m_right[m_pos] = static_cast<float>(dl * m_feedback);
    outL = static_cast<float>(dl);
    outR = static_cast<float>(dr);
    if (++m_pos == m_left.size())
        m_pos = 0;
}

Reverb::Reverb(double room, double damp) : m_feedback(0.7 + 0.28 * room), m_damp(0.4 * damp)
{
    static const std::size_t combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const std::size_t alls[] = {556, 441, 341, 225};
    const std::size_t spread = 23;
    for (std::size_t c : combs) {
        m_combL.push_back({std::vector<float>(c, 0.f), 0, 0.0});
        m_combR.push_back({std::vector<float>(c + spread, 0.f), 0, 0.0});
    }
    for (std::size_t a : alls) {
        m_allL.push_back({std::vector<float>(a, 0.f), 0});
        m_allR.push_back({std::vector<float>(a + spread, 0.f), 0});
    }
}

double Reverb::comb(Comb& c, double input)
{
    const double out = c.buffer[c.pos];
    c.store = out * (1.0 - m_damp) + c.store * m_damp;
    c.buffer[c.pos] = static_cast<float>(input + c.store * m_feedback);
    if (++c.pos == c.buffer.size())
        c.pos = 0;
    return out;
}

double Reverb::allpass(Allpass& a, double input)
{
    const double buffered = a.buffer[a.pos];
    a.buffer[a.pos] = static_cast<float>(input + buffered * 0.5);
    if (++a.pos == a.buffer.size())
        a.pos = 0;
    return buffered - input;
}

void Reverb::process(float inL, float inR, float& outL, float& outR)
{
    const double input = (inL + inR) * 0.015;
    double l = 0.0, r = 0.0;
    for (std::size_t i = 0; i < m_combL.size(); ++i) {
        l += comb(m_combL[i], input);
        r += comb(m_combR[i], input);
    }
    for (std::size_t i = 0; i < m_allL.size(); ++i) {
        l = allpass(m_allL[i], l);
        r = allpass(m_allR[i], r);
    }
    outL = static_cast<float>(l);
    outR = static_cast<float>(r);
}

Chorus::Chorus(double rateHz, double depthMs, double mix, std::size_t loopLength)
    : m_left(secondsToSamples(0.05), 0.f),
      m_right(secondsToSamples(0.05), 0.f),
      m_depth(depthMs / 1000.0 * SampleRate),
      m_mix(mix)
{
    const double loopSeconds = static_cast<double>(std::max<std::size_t>(1, loopLength)) / SampleRate;
    const double cycles = std::max(1.0, std::round(rateHz * loopSeconds));
    m_rate = cycles / loopSeconds;
}

double Chorus::read(const std::vector<float>& line, double delay) const
{
    const double n = static_cast<double>(line.size());
    double at = static_cast<double>(m_pos) - delay;
    while (at < 0.0)
        at += n;
    const std::size_t i0 = static_cast<std::size_t>(at) % line.size();
    const std::size_t i1 = (i0 + 1) % line.size();
    const double frac = at - std::floor(at);
    return line[i0] * (1.0 - frac) + line[i1] * frac;
}

void Chorus::process(float inL, float inR, float& outL, float& outR)
{
    m_left[m_pos] = inL;
    m_right[m_pos] = inR;
    const double phase = TwoPi * m_rate * static_cast<double>(m_count) / SampleRate;
    const double base = 0.012 * SampleRate;
    const double wetL = read(m_left, base + m_depth * (1.0 + std::sin(phase)) * 0.5);
    const double wetR = read(m_right, base + m_depth * (1.0 + std::sin(phase + Pi * 0.5)) * 0.5);
    const double norm = 1.0 / (1.0 + 0.5 * m_mix);
    outL = static_cast<float>((inL + m_mix * wetL) * norm);
    outR = static_cast<float>((inR + m_mix * wetR) * norm);
    if (++m_pos == m_left.size())
        m_pos = 0;
    ++m_count;
}

Channel::Channel(std::size_t length, double channelGain) : dry(length), gain(channelGain)
{
}

namespace {

std::vector<float> duckEnvelope(std::size_t n, const MixSettings& s)
{
    std::vector<float> env(n, 1.f);
    const std::size_t attack = secondsToSamples(0.004);
    const std::size_t release = secondsToSamples(s.duckRelease);
    for (long at : s.duckAt) {
        const long len = static_cast<long>(n);
        std::size_t pos = static_cast<std::size_t>(((at % len) + len) % len);
        for (std::size_t j = 0; j < attack + release; ++j) {
            const double amount = j < attack
                                      ? static_cast<double>(j) / static_cast<double>(attack)
                                      : std::exp(-5.0 * static_cast<double>(j - attack) / static_cast<double>(release));
            env[pos] = std::min(env[pos], static_cast<float>(1.0 - s.duckDepth * amount));
            if (++pos == n)
                pos = 0;
        }
    }
    return env;
}

void reportLevel(int index, const Stereo& sig, double gain)
{
    double energy = 0.0, peak = 0.0;
    for (std::size_t i = 0; i < sig.size(); ++i) {
        energy += sig.left[i] * sig.left[i] + sig.right[i] * sig.right[i];
        peak =
            std::max({peak, static_cast<double>(std::fabs(sig.left[i])), static_cast<double>(std::fabs(sig.right[i]))});
    }
    const double rms = std::sqrt(energy / (2.0 * static_cast<double>(std::max<std::size_t>(1, sig.size())))) * gain;
    std::fprintf(stderr, "  channel %d: rms %6.1f dB, peak %6.1f dB\n", index, 20.0 * std::log10(rms + 1e-12),
                 20.0 * std::log10(peak * gain + 1e-12));
}

} // namespace

Stereo mixdown(const std::vector<const Channel*>& channels, const MixSettings& s)
{
    const std::size_t n = channels.empty() ? 0 : channels.front()->dry.size();
    Stereo bus(n), delaySend(n), reverbSend(n);
    std::vector<float> duck;
    if (!s.duckAt.empty())
        duck = duckEnvelope(n, s);

    // Set KORVANE_MIX_LEVELS to see each channel's level while balancing a song.
    const bool report = std::getenv("KORVANE_MIX_LEVELS") != nullptr;
    int channelIndex = 0;
    for (const Channel* ch : channels) {
        // Only channels with an insert effect need a processed copy.
        Stereo processed;
        if (ch->chorus) {
            Chorus chorus(0.45, 3.5, 0.7, n);
            processed = runLooped(ch->dry, chorus);
        } else if (ch->ducked && !duck.empty()) {
            processed = ch->dry;
        }
        if (ch->ducked && !duck.empty()) {
            for (std::size_t i = 0; i < n; ++i) {
                processed.left[i] *= duck[i];
                processed.right[i] *= duck[i];
            }
        }
        const Stereo& sig = processed.size() > 0 ? processed : ch->dry;
        bus.add(sig, ch->gain);
        if (report)
            reportLevel(channelIndex, sig, ch->gain);
        ++channelIndex;
        if (ch->delaySend > 0.0)
            delaySend.add(sig, ch->gain * ch->delaySend);
        if (ch->reverbSend > 0.0)
            reverbSend.add(sig, ch->gain * ch->reverbSend);
    }
    if (s.delaySamples > 0) {
        PingPongDelay delay(s.delaySamples, s.delayFeedback, s.delayTone);
        const Stereo echoes = runLooped(delaySend, delay, 2);
        bus.add(echoes, 1.0);
        reverbSend.add(echoes, 0.3);
    }
    Reverb reverb(s.reverbRoom, s.reverbDamp);
    bus.add(runLooped(reverbSend, reverb), s.reverbReturn);
    master(bus, s.loudnessDb, s.peakDb);
    return bus;
}

void master(Stereo& sound, double loudnessDb, double peakDb)
{
    const std::size_t n = sound.size();
    if (n == 0)
        return;
    double energy = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        energy += sound.left[i] * sound.left[i] + sound.right[i] * sound.right[i];
    const double rms = std::sqrt(energy / (2.0 * static_cast<double>(n)));
    if (rms <= 0.0)
        return;
    const double level = dbToGain(loudnessDb) / rms;
    const double ceiling = dbToGain(peakDb);

    // Gain each sample needs, spread over a short window so no peak is reached by
    // a jump, then averaged over the same window: the average of window minima
    // never exceeds what any sample inside needed.
    const long len = static_cast<long>(n);
    const long window = static_cast<long>(secondsToSamples(0.0015));
    std::vector<double> needed(n, 1.0);
    for (long i = 0; i < len; ++i) {
        const double peak = level * std::max(std::fabs(sound.left[static_cast<std::size_t>(i)]),
                                             std::fabs(sound.right[static_cast<std::size_t>(i)]));
        if (peak <= ceiling)
            continue;
        const double g = ceiling / peak;
        for (long j = i - window; j <= i + window; ++j) {
            double& slot = needed[static_cast<std::size_t>((j % len + len) % len)];
            slot = std::min(slot, g);
        }
    }
    std::vector<double> gain(n);
    auto at = [&](long i) { return needed[static_cast<std::size_t>((i % len + len) % len)]; };
    double run = 0.0;
    for (long j = -window; j <= window; ++j)
        run += at(j);
    for (long i = 0; i < len; ++i) {
        gain[static_cast<std::size_t>(i)] = run / static_cast<double>(2 * window + 1);
        run += at(i + window + 1) - at(i - window);
    }
    // Let go slowly; twice round so the start of the loop knows how the end left it.
    const double recover = 1.0 - std::exp(-1.0 / (0.12 * SampleRate));
    double g = 1.0;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < n; ++i) {
            g = std::min(gain[i], g + (1.0 - g) * recover);
            if (pass == 1)
                gain[i] = g;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        sound.left[i] = static_cast<float>(sound.left[i] * level * gain[i]);
        sound.right[i] = static_cast<float>(sound.right[i] * level * gain[i]);
    }
    float peak = 0.f;
    for (std::size_t i = 0; i < n; ++i)
        peak = std::max({peak, std::fabs(sound.left[i]), std::fabs(sound.right[i])});
    if (peak > ceiling)
        normalise(sound, peakDb);
}

void normalise(Stereo& sound, double peakDb)
{
    float peak = 0.f;
    for (std::size_t i = 0; i < sound.size(); ++i)
        peak = std::max({peak, std::fabs(sound.left[i]), std::fabs(sound.right[i])});
    if (peak <= 0.f)
        return;
    const float scale = static_cast<float>(dbToGain(peakDb) / peak);
    for (std::size_t i = 0; i < sound.size(); ++i) {
        sound.left[i] *= scale;
        sound.right[i] *= scale;
    }
}

void normalise(std::vector<float>& sound, double peakDb)
{
    float peak = 0.f;
    for (float s : sound)
        peak = std::max(peak, std::fabs(s));
    if (peak <= 0.f)
        return;
    const float scale = static_cast<float>(dbToGain(peakDb) / peak);
    for (float& s : sound)
        s *= scale;
}

namespace {

sf::Int16 toInt16(float s)
{
    return static_cast<sf::Int16>(std::lround(std::clamp(s, -1.f, 1.f) * 32767.f));
}

} // namespace

sf::SoundBuffer toSoundBuffer(const Stereo& sound)
{
    std::vector<sf::Int16> samples(sound.size() * 2);
    for (std::size_t i = 0; i < sound.size(); ++i) {
        samples[2 * i] = toInt16(sound.left[i]);
        samples[2 * i + 1] = toInt16(sound.right[i]);
    }
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(samples.data(), samples.size(), 2, SampleRate);
    return buffer;
}

sf::SoundBuffer toSoundBuffer(const std::vector<float>& mono)
{
    std::vector<sf::Int16> samples(mono.size());
    for (std::size_t i = 0; i < mono.size(); ++i)
        samples[i] = toInt16(mono[i]);
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(samples.data(), samples.size(), 1, SampleRate);
    return buffer;
}

} // namespace synth
