// The party music (D major pentatonic, 120 bpm, about 50 s) and the results
// music (F major march, 96 bpm, about 104 s), written out note by note.
#include "music.h"

#include <sstream>
#include <stdexcept>

namespace snd {

namespace {

// A note or chord placed on a grid of sixteenth steps.
struct Note {
    double step, len;
    int midi;  // -1 for a rest
};

// Parses "A4:2 B4:2 r:4 | ..." (durations in sixteenths); '|' checks whole bars.
std::vector<Note> melody(const std::string &text, double firstStep) {
    std::vector<Note> out;
    std::istringstream in(text);
    std::string tok;
    double pos = firstStep, barStart = firstStep;
    while (in >> tok) {
        if (tok == "|") {
            if (std::fmod(pos - barStart, 16.0) != 0) throw std::runtime_error("bar does not add up near " + text.substr(0, 40));
            barStart = pos;
            continue;
        }
        const auto colon = tok.find(':');
        const std::string name = tok.substr(0, colon);
        const double len = std::stod(tok.substr(colon + 1));
        out.push_back({pos, len, name == "r" ? -1 : noteNumber(name)});
        pos += len;
    }
    return out;
}

struct Chord {
    double step, len;  // sixteenths
    int root;          // pitch class
    bool minor;
};

// Parses "D:4 Bm:4 ..." with lengths in beats.
std::vector<Chord> progression(const std::string &text, double firstStep) {
    std::vector<Chord> out;
    std::istringstream in(text);
    std::string tok;
    double pos = firstStep;
    while (in >> tok) {
        const auto colon = tok.find(':');
        std::string name = tok.substr(0, colon);
        const double beats = std::stod(tok.substr(colon + 1));
        bool minor = false;
        if (name.size() > 1 && name.back() == 'm') {
            minor = true;
            name.pop_back();
        }
        out.push_back({pos, beats * 4, noteNumber(name + "4") % 12, minor});
        pos += beats * 4;
    }
    return out;
}

// Close voicing of a triad around the middle of the keyboard.
std::vector<int> voicing(const Chord &c, int low = 55) {
    int root = 48 + c.root;
    while (root < low) root += 12;
    while (root >= low + 12) root -= 12;
    std::vector<int> notes{root, root + (c.minor ? 3 : 4), root + 7};
    // Keep the top note under the melody's range.
    for (int &n : notes)
        if (n > low + 14) n -= 12;
    return notes;
}

struct Grid {
    double stepSeconds;
    double at(double step) const { return step * stepSeconds; }
};

}  // namespace

Track partyMusic() {
    const Grid g{60.0 / 120.0 / 4.0};  // 120 bpm
    const double total = 50.6;
    Track t(total);
    const double bar = 16;

    // Sections (bar numbers from 0): intro 0, A 1-8, B 9-16, A' 17-22, final chord 23.
    const std::string aTune =
        "F#5:4 A5:2 F#5:2 E5:4 D5:4 | B4:4 D5:2 E5:2 F#5:8 | B5:4 A5:2 F#5:2 E5:4 D5:2 E5:2 | E5:6 F#5:2 E5:8 |"
        " F#5:4 A5:2 B5:2 A5:4 F#5:4 | D6:4 B5:2 A5:2 F#5:8 | E5:4 F#5:2 E5:2 D5:2 B4:2 A4:4 | D5:12 r:4 |";
    const std::string aChords = "D:4 Bm:4 G:4 A:4 D:4 Bm:4 G:2 A:2 D:4";
    const std::string bTune =
        "B5:2 B5:2 A5:2 B5:2 D6:4 B5:4 | A5:2 A5:2 F#5:2 A5:2 E5:8 | F#5:2 F#5:2 E5:2 F#5:2 A5:4 F#5:4 | D5:4 E5:2 F#5:2 B4:8 |"
        " D5:2 E5:2 F#5:2 A5:2 B5:4 A5:4 | E6:4 D6:2 B5:2 A5:8 | F#5:4 E5:2 D5:2 E5:2 F#5:2 A5:4 | D5:8 r:4 A4:2 B4:2 |";
    const std::string bChords = "G:4 A:4 F#m:4 Bm:4 G:4 A:4 D:4 D:4";
    const std::string a2Tune =
        "F#5:4 A5:2 F#5:2 E5:4 D5:4 | B4:4 D5:2 E5:2 F#5:8 | B5:4 A5:2 F#5:2 E5:4 D5:2 E5:2 | E5:6 F#5:2 E5:8 |"
        " E5:4 F#5:2 E5:2 D5:2 B4:2 A4:4 | D5:4 A4:2 D5:2 F#5:2 A5:2 D6:4 |";
    const std::string a2Chords = "D:4 Bm:4 G:4 A:4 G:2 A:2 D:4";

    std::vector<Note> tune = melody("r:8 A4:2 B4:2 D5:2 E5:2 |", 0);
    for (const std::string *s : {&aTune, &bTune, &a2Tune}) {
        const double start = s == &aTune ? bar : s == &bTune ? 9 * bar : 17 * bar;
        auto part = melody(*s, start);
        tune.insert(tune.end(), part.begin(), part.end());
    }
    std::vector<Chord> chords = progression("D:4", 0);
    for (const auto &[text, start] : {std::pair{aChords, bar}, std::pair{bChords, 9 * bar}, std::pair{a2Chords, 17 * bar}}) {
        auto part = progression(text, start);
        chords.insert(chords.end(), part.begin(), part.end());
    }
    const double finalStep = 23 * bar;

    // Lead: plucked strings, doubled by a soft flute in the middle section.
    uint64_t seed = 1;
    for (const Note &n : tune) {
        if (n.midi < 0) continue;
        const double f = midiHz(n.midi);
        pluck(t, g.at(n.step), f, g.at(n.len) + 0.25, 0.55f, 0.12f, seed++);
        if (n.step >= 9 * bar) flute(t, g.at(n.step), f, g.at(n.len) * 0.95, n.step < 17 * bar ? 0.22f : 0.14f, -0.15f);
    }

    // Chords: off-beat electric piano stabs; bass with an octave bounce.
    for (const Chord &c : chords) {
        const auto notes = voicing(c);
        const int root = 36 + c.root + (c.root > 7 ? -12 : 0) + 12;
        for (double s = c.step; s < c.step + c.len; s += 4) {
            for (int n : notes) epiano(t, g.at(s + 2), midiHz(n), 0.16, 0.11f, -0.3f);
            const double beatInBar = std::fmod(s, bar) / 4;
            const int b = beatInBar == 0 || beatInBar == 2 ? root : (beatInBar == 1 ? root + 12 : root + 7);
            bass(t, g.at(s), midiHz(b - 12), g.at(3), 0.5f, 0.0f);
            if (beatInBar == 1 || beatInBar == 3) bass(t, g.at(s + 2), midiHz(root), g.at(1.5), 0.35f, 0.0f);
        }
    }

    // Drums.
    uint64_t dseed = 100;
    for (int barNo = 0; barNo < 23; ++barNo) {
        const double b0 = barNo * bar;
        const bool middle = barNo >= 9 && barNo < 17;
        kick(t, g.at(b0), 0.8f);
        kick(t, g.at(b0 + 8), 0.75f);
        if (middle) kick(t, g.at(b0 + 10), 0.5f);
        if (barNo > 0) {
            snare(t, g.at(b0 + 4), 0.42f, 0.05f, dseed++);
            snare(t, g.at(b0 + 12), 0.42f, 0.05f, dseed++);
        }
        for (int s = 0; s < 16; s += 2) hat(t, g.at(b0 + s), s % 4 == 2 ? 0.22f : 0.13f, 0.35f, dseed++, middle && s == 14);
        if (!middle)
            for (int s : {3, 7, 11}) woodblock(t, g.at(b0 + s), 0.12f, -0.45f);
        if (barNo == 8 || barNo == 16)  // fill into the next section
            for (int s = 12; s < 16; ++s) snare(t, g.at(b0 + s), 0.2f + 0.06f * (s - 12), -0.1f, dseed++, 0.6f);
        if (barNo == 1 || barNo == 9 || barNo == 17) crash(t, g.at(b0), 0.3f, -0.2f, dseed++, 2.0);
    }

    // Final chord: everyone on D with bells running up.
    const double end = g.at(finalStep);
    kick(t, end, 0.9f);
    crash(t, end, 0.35f, 0.2f, 999, 3.5);
    for (int n : {50, 57, 62, 66, 69, 74}) epiano(t, end, midiHz(n), 2.2, 0.12f, -0.2f);
    for (int n : {62, 66, 69}) strings(t, end, midiHz(n), 2.0, 0.25f, 0.0f);
    bass(t, end, midiHz(38), 2.0, 0.6f, 0.0f);
    int k = 0;
    for (int n : {74, 78, 81, 86}) bell(t, end + 0.07 * k++, midiHz(n), 1.4, 0.22f, 0.3f);
    pluck(t, end, midiHz(74), 2.5, 0.5f, 0.1f, 777);

    reverb(t, 0.9f, 0.55f, 0.4f);
    fade(t, 47.8, 49.8);  // silent before the 50 s restart
    normalise(t, -1.0);
    return t;
}

Track resultsMusic() {
    const Grid g{60.0 / 96.0 / 4.0};  // 96 bpm: a bar is 2.5 s
    const double total = 104.6;
    Track t(total);
    const double bar = 16;

    const std::string fanfare =
        "C5:2 C5:2 C5:2 F5:10 | r:8 A4:2 C5:2 F5:2 A5:2 | G5:2 G5:2 G5:2 C6:6 Bb5:2 A5:2 | G5:12 r:4 |";
    const std::string introChords = "F:4 F:4 C:4 C:4";
    const std::string theme =
        "C5:4 F5:4 A5:6 G5:2 | G5:4 E5:4 C5:8 | D5:4 F5:4 A5:4 D6:4 | C6:6 Bb5:2 A5:4 G5:4 |"
        " A5:4 C6:4 F6:6 E6:2 | D6:4 C6:4 A5:8 | Bb5:4 A5:4 G5:4 E5:4 | F5:12 r:4 |";
    const std::string themeChords = "F:4 C:4 Dm:4 Bb:4 F:4 Dm:4 Bb:2 C:2 F:4";
    const std::string second =
        "D5:2 F5:2 Bb5:4 A5:2 G5:2 F5:4 | E5:2 G5:2 C6:4 Bb5:2 A5:2 G5:4 | A5:4 E5:4 A5:2 C6:2 E6:4 | D6:6 C6:2 A5:8 |"
        " Bb5:4 G5:4 D5:4 G5:4 | C6:4 Bb5:2 A5:2 G5:8 | A5:2 G5:2 F5:2 G5:2 A5:4 C6:4 | G5:4 A5:2 Bb5:2 C6:8 |";
    const std::string secondChords = "Bb:4 C:4 Am:4 Dm:4 Gm:4 C:4 F:4 C:4";
    const std::string bridge =
        "A5:8 F5:8 | D5:8 F5:8 | C5:8 F5:8 | E5:8 G5:8 | A5:8 D6:8 | D6:4 C6:4 Bb5:8 | Bb5:8 A5:4 G5:4 | G5:8 C6:8 |";
    const std::string bridgeChords = "Dm:4 Bb:4 F:4 C:4 Dm:4 Bb:4 Gm:4 C:4";
    const std::string coda = "C5:4 F5:4 A5:6 G5:2 | G5:4 E5:4 C5:8 | D5:4 F5:4 A5:4 D6:4 | C6:6 Bb5:2 A5:4 G5:4 |";
    const std::string codaChords = "F:4 C:4 Dm:4 Bb:2 C:2";

    // Bars: intro 0-3, theme 4-11, second tune 12-19, theme again 20-27, bridge 28-35, coda 36-39, final 40.
    auto fan = melody(fanfare, 0);
    auto th1 = melody(theme, 4 * bar), sec = melody(second, 12 * bar), th2 = melody(theme, 20 * bar);
    auto brg = melody(bridge, 28 * bar), cod = melody(coda, 36 * bar);
    std::vector<Chord> chords = progression(introChords, 0);
    for (const auto &[text, start] : {std::pair{themeChords, 4 * bar}, std::pair{secondChords, 12 * bar},
                                      std::pair{themeChords, 20 * bar}, std::pair{bridgeChords, 28 * bar},
                                      std::pair{codaChords, 36 * bar}}) {
        auto part = progression(text, start);
        chords.insert(chords.end(), part.begin(), part.end());
    }
    const double finalStep = 40 * bar;

    auto play = [&](const std::vector<Note> &tune, auto voice) {
        for (const Note &n : tune)
            if (n.midi >= 0) voice(g.at(n.step), n.midi, g.at(n.len));
    };
    // Brass carries the fanfare and the theme, an octave down for warmth; bells double it later.
    play(fan, [&](double s, int m, double len) { brass(t, s, midiHz(m - 12), len * 0.9, 0.5f, 0.0f); });
    play(th1, [&](double s, int m, double len) { brass(t, s, midiHz(m - 12), len * 0.92, 0.5f, 0.0f); });
    play(sec, [&](double s, int m, double len) {
        flute(t, s, midiHz(m), len * 0.95, 0.3f, 0.15f);
        bell(t, s, midiHz(m + 12), 0.3, 0.1f, 0.35f);
    });
    play(th2, [&](double s, int m, double len) {
        brass(t, s, midiHz(m - 12), len * 0.92, 0.55f, 0.0f);
        bell(t, s, midiHz(m), 0.3, 0.18f, 0.3f);
    });
    play(brg, [&](double s, int m, double len) {
        strings(t, s, midiHz(m), len, 0.55f, 0.1f);
        flute(t, s, midiHz(m), len * 0.95, 0.16f, -0.2f);
    });
    play(cod, [&](double s, int m, double len) {
        brass(t, s, midiHz(m - 12), len * 0.92, 0.6f, 0.0f);
        brass(t, s, midiHz(m), len * 0.92, 0.22f, 0.2f);
        bell(t, s, midiHz(m), 0.3, 0.18f, 0.3f);
    });

    // Harmony: sustained strings, bass on the strong beats, bell arpeggios in the lighter parts.
    for (const Chord &c : chords) {
        const auto notes = voicing(c, 53);
        for (int n : notes) strings(t, g.at(c.step), midiHz(n), g.at(c.len) * 0.98, c.step < 4 * bar ? 0.18f : 0.24f, 0.0f);
        const int root = 36 + c.root - (c.root > 6 ? 12 : 0);
        for (double s = c.step; s < c.step + c.len; s += 8) {
            bass(t, g.at(s), midiHz(root), g.at(3), 0.55f, 0.0f);
            bass(t, g.at(s + 4), midiHz(root + 7), g.at(2), 0.4f, 0.0f);
            if (c.step >= 12 * bar && c.step < 20 * bar) bass(t, g.at(s + 6), midiHz(root + 12), g.at(1.5), 0.3f, 0.0f);
        }
        const bool arpeggios = (c.step >= 12 * bar && c.step < 20 * bar) || (c.step >= 28 * bar && c.step < 36 * bar);
        if (arpeggios) {
            int k = 0;
            for (double s = c.step; s < c.step + c.len; s += 2, ++k) {
                const int n = notes[size_t(k % 3)] + 24 + (k % 6 >= 3 ? 12 : 0) - 12;
                pluck(t, g.at(s), midiHz(n), 0.25, 0.16f, -0.35f, uint64_t(5000 + s));
            }
        }
    }

    // March percussion.
    uint64_t dseed = 300;
    for (int barNo = 0; barNo < 40; ++barNo) {
        const double b0 = barNo * bar;
        if (barNo < 4) {
            if (barNo < 3) timpani(t, g.at(b0), midiHz(barNo == 2 ? 36 : 41), 0.7f, 0.0f, dseed++);
            if (barNo == 3)  // timpani roll growing into the theme
                for (int s = 0; s < 16; ++s) timpani(t, g.at(b0 + s), midiHz(36), 0.2f + 0.03f * s, 0.0f, dseed++);
            continue;
        }
        const bool light = barNo >= 12 && barNo < 20;
        const bool bridgeBar = barNo >= 28 && barNo < 36;
        kick(t, g.at(b0), 0.75f);
        kick(t, g.at(b0 + 8), 0.7f);
        if (!bridgeBar) {
            snare(t, g.at(b0 + 4), light ? 0.28f : 0.4f, 0.05f, dseed++);
            snare(t, g.at(b0 + 12), light ? 0.28f : 0.4f, 0.05f, dseed++);
            snare(t, g.at(b0 + 14), 0.15f, 0.05f, dseed++, 0.5f);
            snare(t, g.at(b0 + 15), 0.18f, 0.05f, dseed++, 0.5f);
            for (int s = 0; s < 16; s += 2) hat(t, g.at(b0 + s), s % 4 == 2 ? 0.2f : 0.12f, 0.35f, dseed++);
        } else {
            for (int s = 0; s < 16; s += 4) hat(t, g.at(b0 + s), 0.1f, 0.3f, dseed++, true);
            if (barNo == 35)
                for (int s = 0; s < 16; ++s) timpani(t, g.at(b0 + s), midiHz(36), 0.15f + 0.03f * s, 0.0f, dseed++);
        }
        if (barNo == 4 || barNo == 12 || barNo == 20 || barNo == 28 || barNo == 36) {
            crash(t, g.at(b0), 0.3f, -0.2f, dseed++, 2.4);
            timpani(t, g.at(b0), midiHz(41), 0.6f, 0.0f, dseed++);
        }
    }

    // Final F major chord.
    const double end = g.at(finalStep);
    timpani(t, end, midiHz(41), 0.9f, 0.0f, 4242);
    kick(t, end, 0.8f);
    crash(t, end, 0.35f, 0.2f, 4243, 4.0);
    for (int n : {53, 57, 60, 65}) brass(t, end, midiHz(n), 2.2, 0.35f, 0.0f);
    for (int n : {65, 69, 72, 77}) strings(t, end, midiHz(n), 2.4, 0.3f, 0.0f);
    bass(t, end, midiHz(41), 2.4, 0.6f, 0.0f);
    int k = 0;
    for (int n : {77, 81, 84, 89}) bell(t, end + 0.08 * k++, midiHz(n), 1.6, 0.2f, 0.3f);

    reverb(t, 1.0f, 0.6f, 0.35f);
    fade(t, 101.2, 102.9);  // silent before the 103 s restart
    normalise(t, -1.0);
    return t;
}

}  // namespace snd
