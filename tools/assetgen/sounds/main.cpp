// Writes the sound effects as 16-bit PCM WAV files into the voice folder and
// the two pieces of music as WAV files into a work folder, for encoding.
//
//   assetgen_sounds <voice-dir> <work-dir>
#include "music.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: assetgen_sounds <voice-dir> <work-dir>\n");
        return 2;
    }
    const std::string voice = argv[1], work = argv[2];
    struct Out {
        std::string path;
        snd::Track (*make)();
        bool loop;
    };
    const Out outs[] = {{voice + "/start.wav", snd::rollingLoop, true},
                        {voice + "/stop.wav", snd::stopHit, false},
                        {work + "/bg.wav", snd::partyMusic, false},
                        {work + "/result.wav", snd::resultsMusic, false}};
    int failures = 0;
    for (const Out &o : outs) {
        const snd::Track t = o.make();
        if (!snd::writeWav(o.path, t, 2, !o.loop)) {
            std::fprintf(stderr, "cannot write %s\n", o.path.c_str());
            ++failures;
            continue;
        }
        std::printf("%-40s %.3f s, peak %.2f dBFS\n", o.path.c_str(), double(t.size()) / snd::kRate,
                    20.0 * std::log10(double(snd::peak(t))));
    }
    return failures ? 1 : 0;
}
