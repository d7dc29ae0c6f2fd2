// A small offline synthesiser: voices, drums, filters, reverb and WAV output.
// Everything is deterministic (own noise generator, fixed seeds).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace snd {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

struct Track {
    std::vector<float> l, r;
    explicit Track(double seconds) : Track(size_t(std::llround(seconds * kRate)) + 1) {}
    explicit Track(size_t frames) : l(frames, 0.0f), r(frames, 0.0f) {}
    size_t size() const { return l.size(); }
    // Adds one sample with equal-power panning (-1 left .. +1 right).
    void add(size_t i, float v, float pan) {
        if (i >= l.size()) return;
        const double a = (pan + 1.0) * kPi / 4.0;
        l[i] += v * float(std::cos(a)) * 1.41421356f;
        r[i] += v * float(std::sin(a)) * 1.41421356f;
    }
};

class Noise {
public:
    explicit Noise(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    // Uniform white noise in [-1, 1).
    float next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return float(double(s_ >> 11) * (2.0 / 9007199254740992.0) - 1.0);
    }
    double uni() { return (next() + 1.0) * 0.5; }

private:
    uint64_t s_;
};

// State-variable filter (trapezoidal form, accurate up to Nyquist); low,
// band and high outputs. damping is 1/Q.
struct Svf {
    float a1 = 0, a2 = 0, a3 = 0, k = 1, ic1 = 0, ic2 = 0, low = 0, band = 0, high = 0;
    void set(double cutoff, double damping) {
        const double g = std::tan(kPi * std::min(cutoff, kRate * 0.49) / kRate);
        k = float(damping);
        a1 = float(1.0 / (1.0 + g * (g + damping)));
        a2 = float(g * a1);
        a3 = float(g * a2);
    }
    void step(float in) {
        const float v3 = in - ic2;
        const float v1 = a1 * ic1 + a2 * v3;
        const float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        low = v2;
        band = v1;
        high = in - k * v1 - v2;
    }
};

double midiHz(double note);
// Parses a note name such as "C4", "F#5", "Bb3" into a MIDI number.
int noteNumber(const std::string &name);

float sine(double phase);  // table lookup, phase in cycles

// Melodic voices. Start time and length in seconds, frequency in Hz.
void pluck(Track &t, double start, double freq, double len, float gain, float pan, uint64_t seed);
void flute(Track &t, double start, double freq, double len, float gain, float pan);
void epiano(Track &t, double start, double freq, double len, float gain, float pan);
void bass(Track &t, double start, double freq, double len, float gain, float pan);
void brass(Track &t, double start, double freq, double len, float gain, float pan);
void strings(Track &t, double start, double freq, double len, float gain, float pan);
void bell(Track &t, double start, double freq, double len, float gain, float pan);

// Percussion.
void kick(Track &t, double start, float gain);
void snare(Track &t, double start, float gain, float pan, uint64_t seed, float tail = 1.0f);
void hat(Track &t, double start, float gain, float pan, uint64_t seed, bool open = false);
void woodblock(Track &t, double start, float gain, float pan);
void crash(Track &t, double start, float gain, float pan, uint64_t seed, double len = 2.5);
void timpani(Track &t, double start, double freq, float gain, float pan, uint64_t seed);

// Whole-track processing.
void reverb(Track &t, float wet, float roomSize, float damping);
void fade(Track &t, double from, double to);  // linear-in-dB fade to silence, then silence
float peak(const Track &t);
void normalise(Track &t, double peakDb);
// 16-bit PCM; dither is left out for loops so the waveform stays exactly periodic.
bool writeWav(const std::string &path, const Track &t, int channels, bool dither = true);

}  // namespace snd
