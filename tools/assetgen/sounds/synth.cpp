#include "synth.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace snd {

namespace {

constexpr int kTable = 4096;

const std::array<float, kTable + 1> &sineTable() {
    static const std::array<float, kTable + 1> table = [] {
        std::array<float, kTable + 1> t{};
        for (int i = 0; i <= kTable; ++i) t[size_t(i)] = float(std::sin(2.0 * kPi * i / kTable));
        return t;
    }();
    return table;
}

size_t at(double seconds) { return size_t(std::max(0.0, seconds) * kRate + 0.5); }

// Attack-decay-sustain-release envelope for a note held for len seconds.
float adsr(double t, double len, double a, double d, double s, double r) {
    if (t < 0) return 0;
    double v;
    if (t < a)
        v = t / a;
    else if (t < a + d)
        v = 1.0 - (1.0 - s) * (t - a) / d;
    else
        v = s;
    if (t > len) {
        const double rel = (t - len) / r;
        if (rel >= 1) return 0;
        // Release from the level reached at the note's end.
        double atEnd = len < a ? len / a : (len < a + d ? 1.0 - (1.0 - s) * (len - a) / d : s);
        v = atEnd * (1.0 - rel) * (1.0 - rel);
    }
    return float(v);
}

}  // namespace

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

int noteNumber(const std::string &name) {
    static const int base[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::runtime_error("bad note " + name);
    int n = base[name[0] - 'A'];
    size_t i = 1;
    while (i < name.size() && (name[i] == '#' || name[i] == 'b')) n += name[i++] == '#' ? 1 : -1;
    const int octave = std::stoi(name.substr(i));
    return n + 12 * (octave + 1);
}

float sine(double phase) {
    const auto &t = sineTable();
    double p = phase - std::floor(phase);
    const double x = p * kTable;
    const int i = int(x);
    const float f = float(x - i);
    return t[size_t(i)] + (t[size_t(i) + 1] - t[size_t(i)]) * f;
}

void pluck(Track &t, double start, double freq, double len, float gain, float pan, uint64_t seed) {
    // Plucked string: bright harmonics that die away faster than the fundamental.
    Noise nz(seed);
    const int n = std::max(1, std::min(14, int(kRate * 0.45 / freq)));
    std::vector<double> amp(static_cast<size_t>(n)), decay(static_cast<size_t>(n)), detune(static_cast<size_t>(n));
    for (int k = 1; k <= n; ++k) {
        amp[size_t(k - 1)] = std::pow(double(k), -1.1) * (k == 2 ? 0.9 : 1.0) * (0.85 + 0.3 * nz.uni());
        decay[size_t(k - 1)] = 2.2 + 0.9 * std::pow(double(k), 1.3);
        detune[size_t(k - 1)] = 1.0 + 0.0006 * k * k;  // slight stiffness
    }
    const double total = len + 0.08;
    const size_t s0 = at(start), count = at(total);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        double v = 0;
        for (int k = 1; k <= n; ++k)
            v += amp[size_t(k - 1)] * std::exp(-tt * decay[size_t(k - 1)]) * sine(freq * k * detune[size_t(k - 1)] * tt);
        const double attack = std::min(1.0, tt / 0.002);
        const double release = tt > len ? std::max(0.0, 1.0 - (tt - len) / 0.08) : 1.0;
        t.add(s0 + i, float(v * attack * release * gain * 0.5), pan);
    }
}

void flute(Track &t, double start, double freq, double len, float gain, float pan) {
    Noise nz(uint64_t(freq * 1000) + at(start));
    Svf breath;
    breath.set(freq * 2.0, 0.4);
    const size_t s0 = at(start), count = at(len + 0.12);
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const double vib = 1.0 + 0.004 * std::min(1.0, std::max(0.0, tt - 0.15) / 0.3) * std::sin(2 * kPi * 5.2 * tt);
        phase += freq * vib / kRate;
        breath.step(nz.next());
        const float env = adsr(tt, len, 0.05, 0.1, 0.85, 0.1);
        const double v = sine(phase) + 0.22 * sine(2 * phase) + 0.06 * sine(3 * phase) + 0.5 * breath.band;
        t.add(s0 + i, float(v * env * gain * 0.6), pan);
    }
}

void epiano(Track &t, double start, double freq, double len, float gain, float pan) {
    const size_t s0 = at(start), count = at(len + 0.25);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const double index = 0.3 + 2.2 * std::exp(-tt * 9.0);
        const double mod = index * sine(freq * tt);
        const double tine = 0.12 * std::exp(-tt * 40.0) * sine(freq * 14.0 * tt);
        const double v = sine(freq * tt + mod / (2 * kPi)) + tine;
        const float env = adsr(tt, len, 0.003, 0.6, 0.35, 0.25) * float(std::exp(-tt * 1.2));
        t.add(s0 + i, float(v * env * gain * 0.5), pan);
    }
}

void bass(Track &t, double start, double freq, double len, float gain, float pan) {
    const size_t s0 = at(start), count = at(len + 0.06);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        double v = sine(freq * tt) + 0.35 * sine(2 * freq * tt) + 0.12 * sine(3 * freq * tt) * std::exp(-tt * 8.0);
        v = std::tanh(v * 1.2) / std::tanh(1.2);
        const float env = adsr(tt, len, 0.004, 0.25, 0.65, 0.06);
        t.add(s0 + i, float(v * env * gain * 0.6), pan);
    }
}

void brass(Track &t, double start, double freq, double len, float gain, float pan) {
    const int n = std::max(1, std::min(24, int(kRate * 0.45 / freq)));
    const size_t s0 = at(start), count = at(len + 0.15);
    for (int voice = 0; voice < 2; ++voice) {
        const double f = freq * (voice ? 1.0023 : 0.9977);
        for (size_t i = 0; i < count; ++i) {
            const double tt = double(i) / kRate;
            // Brightness swells at the attack, like a lip buzz opening up.
            const double bright = std::min(1.0, tt / 0.07) * (0.75 + 0.25 * std::exp(-tt * 6.0));
            const double vib = 1.0 + 0.003 * std::min(1.0, std::max(0.0, tt - 0.25) / 0.3) * std::sin(2 * kPi * 5.5 * tt);
            double v = 0;
            for (int k = 1; k <= n; ++k) {
                const double a = std::exp(-(k - 1) * (1.15 - bright) * 0.55) / k;
                v += a * sine(f * k * vib * tt + 0.13 * k * voice);
            }
            const float env = adsr(tt, len, 0.035, 0.15, 0.8, 0.15);
            t.add(s0 + i, float(v * env * gain * 0.35), pan + (voice ? 0.08f : -0.08f));
        }
    }
}

void strings(Track &t, double start, double freq, double len, float gain, float pan) {
    const int n = std::max(1, std::min(16, int(kRate * 0.4 / freq)));
    const size_t s0 = at(start), count = at(len + 0.5);
    const double det[] = {0.996, 1.0, 1.0042};
    for (int voice = 0; voice < 3; ++voice) {
        const double f = freq * det[voice];
        for (size_t i = 0; i < count; ++i) {
            const double tt = double(i) / kRate;
            const double vib = 1.0 + 0.0035 * std::sin(2 * kPi * (4.8 + 0.4 * voice) * tt + voice);
            double v = 0;
            for (int k = 1; k <= n; ++k) v += std::exp(-k * 0.22) / k * sine(f * k * vib * tt + 0.31 * k * voice);
            const float env = adsr(tt, len, 0.28, 0.2, 0.9, 0.5);
            t.add(s0 + i, float(v * env * gain * 0.22), pan + 0.35f * (voice - 1));
        }
    }
}

void bell(Track &t, double start, double freq, double len, float gain, float pan) {
    const double ratio[] = {1.0, 2.76, 5.40, 8.93};
    const double amp[] = {1.0, 0.45, 0.22, 0.1};
    const double dec[] = {1.6, 3.5, 7.0, 12.0};
    const size_t s0 = at(start), count = at(len + 1.2);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        double v = 0;
        for (int k = 0; k < 4; ++k)
            if (freq * ratio[k] < kRate * 0.45) v += amp[k] * std::exp(-tt * dec[k]) * sine(freq * ratio[k] * tt);
        const double attack = std::min(1.0, tt / 0.001);
        const double release = tt > len + 1.0 ? std::max(0.0, 1.0 - (tt - len - 1.0) / 0.2) : 1.0;
        t.add(s0 + i, float(v * attack * release * gain * 0.45), pan);
    }
}

void kick(Track &t, double start, float gain) {
    const size_t s0 = at(start), count = at(0.4);
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const double f = 48.0 + 110.0 * std::exp(-tt * 28.0);
        phase += f / kRate;
        const double v = sine(phase) * std::exp(-tt * 7.5) + 0.25 * std::exp(-tt * 300.0) * sine(1800 * tt);
        t.add(s0 + i, float(v * gain), 0.0f);
    }
}

void snare(Track &t, double start, float gain, float pan, uint64_t seed, float tail) {
    Noise nz(seed);
    Svf hp;
    hp.set(1800.0, 0.9);
    Svf bp;
    bp.set(5200.0, 1.2);
    Svf lp, lp2;  // tame the hiss above the wires' sizzle
    lp.set(6500.0, 1.1);
    lp2.set(6500.0, 1.1);
    const size_t s0 = at(start), count = at(0.35 * tail + 0.05);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const float w = nz.next();
        hp.step(w);
        bp.step(w);
        const double body = (sine(185.0 * tt) * 0.8 + sine(330.0 * tt) * 0.35) * std::exp(-tt * 38.0);
        lp.step(hp.high * 0.8f + bp.band * 0.5f);
        lp2.step(lp.low);
        const double rattle = lp2.low * 1.3 * std::exp(-tt * 22.0 / tail);
        const double attack = std::min(1.0, tt / 0.0008);
        t.add(s0 + i, float((body * 0.55 + rattle * 0.75) * attack * gain), pan);
    }
}

void hat(Track &t, double start, float gain, float pan, uint64_t seed, bool open) {
    Noise nz(seed);
    Svf hp;
    hp.set(7500.0, 0.7);
    const double decay = open ? 9.0 : 55.0;
    const size_t s0 = at(start), count = at(open ? 0.5 : 0.09);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        hp.step(nz.next());
        const double metal = 0.25 * (sine(3150 * tt) * sine(4520 * tt));
        t.add(s0 + i, float((hp.high + metal) * std::exp(-tt * decay) * gain * 0.5), pan);
    }
}

void woodblock(Track &t, double start, float gain, float pan) {
    const size_t s0 = at(start), count = at(0.12);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const double v = sine(1150 * tt) * std::exp(-tt * 45.0) + 0.4 * sine(2630 * tt) * std::exp(-tt * 80.0);
        t.add(s0 + i, float(v * gain * 0.6), pan);
    }
}

void crash(Track &t, double start, float gain, float pan, uint64_t seed, double len) {
    Noise nz(seed);
    Svf hp;
    hp.set(3800.0, 0.8);
    Svf shimmer;
    shimmer.set(9000.0, 1.4);
    const double partials[] = {1.0, 1.342, 1.783, 2.317, 3.104, 3.892};
    const size_t s0 = at(start), count = at(len);
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const float w = nz.next();
        hp.step(w);
        shimmer.step(w);
        double metal = 0;
        for (int k = 0; k < 6; ++k) metal += (sine(427.0 * partials[k] * tt) > 0 ? 1.0 : -1.0);
        metal *= sine(2900.0 * tt) / 6.0;  // ring modulation makes it clangorous
        const double env = std::exp(-tt * 3.2 / len * 2.0) * std::min(1.0, tt / 0.002);
        const double end = tt > len - 0.3 ? std::max(0.0, (len - tt) / 0.3) : 1.0;
        const double v = (hp.high * 0.7 + shimmer.band * 0.35 + metal * 0.18 * std::exp(-tt * 4.0)) * env * end;
        const double spread = 0.5 * std::sin(tt * 3.0);
        t.add(s0 + i, float(v * gain), std::clamp(pan + float(spread) * 0.3f, -1.0f, 1.0f));
    }
}

void timpani(Track &t, double start, double freq, float gain, float pan, uint64_t seed) {
    Noise nz(seed);
    Svf lp;
    lp.set(400.0, 1.0);
    const size_t s0 = at(start), count = at(1.6);
    double p1 = 0, p2 = 0, p3 = 0;
    for (size_t i = 0; i < count; ++i) {
        const double tt = double(i) / kRate;
        const double bend = 1.0 + 0.04 * std::exp(-tt * 20.0);
        p1 += freq * bend / kRate;
        p2 += freq * 1.504 * bend / kRate;
        p3 += freq * 1.742 * bend / kRate;
        lp.step(nz.next());
        const double v = sine(p1) * std::exp(-tt * 2.4) + 0.5 * sine(p2) * std::exp(-tt * 3.5) +
                         0.3 * sine(p3) * std::exp(-tt * 5.0) + 1.2 * lp.low * std::exp(-tt * 30.0);
        t.add(s0 + i, float(v * gain * 0.6 * std::min(1.0, tt / 0.002)), pan);
    }
}

namespace {

struct Comb {
    std::vector<float> buf;
    size_t idx = 0;
    float store = 0;
    explicit Comb(size_t n) : buf(n, 0.0f) {}
    float process(float in, float feedback, float damp) {
        const float out = buf[idx];
        store = out * (1 - damp) + store * damp;
        buf[idx] = in + store * feedback;
        if (++idx >= buf.size()) idx = 0;
        return out;
    }
};

struct Allpass {
    std::vector<float> buf;
    size_t idx = 0;
    explicit Allpass(size_t n) : buf(n, 0.0f) {}
    float process(float in) {
        const float b = buf[idx];
        const float out = -in + b;
        buf[idx] = in + b * 0.5f;
        if (++idx >= buf.size()) idx = 0;
        return out;
    }
};

}  // namespace

void reverb(Track &t, float wet, float roomSize, float damping) {
    // Schroeder-Moorer network with the classic tunings, one set per side.
    const size_t combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const size_t passes[] = {556, 441, 341, 225};
    const size_t spread = 23;
    std::vector<Comb> cl, cr;
    std::vector<Allpass> al, ar;
    for (size_t c : combs) {
        cl.emplace_back(c);
        cr.emplace_back(c + spread);
    }
    for (size_t a : passes) {
        al.emplace_back(a);
        ar.emplace_back(a + spread);
    }
    const float feedback = 0.7f + 0.28f * roomSize;
    for (size_t i = 0; i < t.size(); ++i) {
        const float in = (t.l[i] + t.r[i]) * 0.015f;
        float ol = 0, orr = 0;
        for (size_t k = 0; k < cl.size(); ++k) {
            ol += cl[k].process(in, feedback, damping);
            orr += cr[k].process(in, feedback, damping);
        }
        for (size_t k = 0; k < al.size(); ++k) {
            ol = al[k].process(ol);
            orr = ar[k].process(orr);
        }
        t.l[i] += ol * wet;
        t.r[i] += orr * wet;
    }
}

void fade(Track &t, double from, double to) {
    for (size_t i = at(from); i < t.size(); ++i) {
        const double x = (double(i) / kRate - from) / (to - from);
        const float g = x >= 1 ? 0.0f : float(0.5 + 0.5 * std::cos(kPi * x));
        t.l[i] *= g;
        t.r[i] *= g;
    }
}

float peak(const Track &t) {
    float p = 0;
    for (size_t i = 0; i < t.size(); ++i) p = std::max({p, std::fabs(t.l[i]), std::fabs(t.r[i])});
    return p;
}

void normalise(Track &t, double peakDb) {
    const float p = peak(t);
    if (p <= 0) return;
    const float g = float(std::pow(10.0, peakDb / 20.0) / p);
    for (size_t i = 0; i < t.size(); ++i) {
        t.l[i] *= g;
        t.r[i] *= g;
    }
}

bool writeWav(const std::string &path, const Track &t, int channels, bool dither) {
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const uint32_t frames = uint32_t(t.size());
    const uint32_t dataBytes = frames * uint32_t(channels) * 2;
    auto u32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, f); };
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);  // PCM
    u16(uint16_t(channels));
    u32(kRate);
    u32(uint32_t(kRate * channels * 2));
    u16(uint16_t(channels * 2));
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(dataBytes);
    Noise noise(12345);
    std::vector<int16_t> out;
    out.reserve(size_t(frames) * size_t(channels));
    for (uint32_t i = 0; i < frames; ++i) {
        const float m[2] = {channels == 1 ? (t.l[i] + t.r[i]) * 0.5f : t.l[i], t.r[i]};
        for (int c = 0; c < channels; ++c) {
            // Triangular dither keeps quiet tails smooth instead of buzzing.
            const float d = dither ? (noise.next() + noise.next()) * 0.5f : 0.0f;
            const long v = std::lround(m[c] * 32767.0f + d);
            out.push_back(int16_t(std::clamp(v, -32767L, 32767L)));
        }
    }
    std::fwrite(out.data(), 2, out.size(), f);
    return std::fclose(f) == 0;
}

}  // namespace snd
