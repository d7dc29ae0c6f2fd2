// The two sound effects of a round: the drum roll that loops while names
// roll, and the crash with a chord and chimes when a round stops.
#include "music.h"

namespace snd {

Track rollingLoop() {
    // 32 strokes of 2048 samples: the loop is a whole number of strokes, and
    // every stroke's ring-out is folded back to the start, so the waveform is
    // exactly periodic and the loop point is seamless.
    constexpr size_t stroke = 2048, strokes = 32, period = stroke * strokes;  // 65536 samples, 1.486 s
    Track one(period + size_t(kRate));
    Noise jitter(77);
    for (size_t k = 0; k < strokes; ++k) {
        const bool right = k % 2 == 1;
        const float accent = (k % 4 == 0 ? 1.0f : 0.82f) * float(0.92 + 0.12 * jitter.uni());
        const double at = double(k * stroke) / kRate;
        snare(one, at, 0.5f * accent, right ? 0.18f : -0.18f, 1000 + k, 0.85f);
        // A soft low drum under every other stroke gives the roll some body.
        if (k % 2 == 0) timpani(one, at, 98.0, 0.12f * accent, 0.0f, 2000 + k);
    }
    // Fold everything past the period back onto the start.
    Track loop(period);
    for (size_t i = 0; i < one.size(); ++i) {
        loop.l[i % period] += one.l[i];
        loop.r[i % period] += one.r[i];
    }
    // Room sound, made periodic too: run the reverb over four copies and keep the last.
    Track tiled(4 * period);
    for (size_t i = 0; i < tiled.size(); ++i) {
        tiled.l[i] = loop.l[i % period];
        tiled.r[i] = loop.r[i % period];
    }
    reverb(tiled, 0.35f, 0.3f, 0.5f);
    for (size_t i = 0; i < period; ++i) {
        loop.l[i] = tiled.l[3 * period + i];
        loop.r[i] = tiled.r[3 * period + i];
    }
    normalise(loop, -1.0);
    return loop;
}

Track stopHit() {
    Track t(1.6);
    kick(t, 0.0, 1.0f);
    timpani(t, 0.0, midiHz(38), 0.8f, 0.0f, 31);
    crash(t, 0.0, 0.55f, 0.15f, 32, 1.6);
    // Bright D major chord on brass, and chimes running up.
    for (int n : {62, 66, 69, 74}) brass(t, 0.0, midiHz(n), 0.45, 0.35f, 0.0f);
    const int chimes[] = {86, 90, 93, 98};
    for (int k = 0; k < 4; ++k) bell(t, 0.03 + 0.06 * k, midiHz(chimes[k]), 0.5, 0.3f, -0.2f + 0.15f * k);
    reverb(t, 0.8f, 0.5f, 0.4f);
    fade(t, 1.15, 1.58);
    normalise(t, -1.0);
    return t;
}

}  // namespace snd
