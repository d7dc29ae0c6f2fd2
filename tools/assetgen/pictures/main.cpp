// Writes every shipped picture under the given assets folder and reports how
// well the program's text colour stands out on each background.
//
//   assetgen_pictures <assets-dir> [name-filter]
#include "paint.h"
#include "scenes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace gen;

struct Picture {
    QString path;                     // relative to the assets folder
    Rgb text;                         // the colour the program writes over it
    std::function<QImage()> make;
};

float linear(float c8) {
    const float c = c8 / 255.0f;
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}
float luminance(const Rgb &c) { return 0.2126f * linear(c.r) + 0.7152f * linear(c.g) + 0.0722f * linear(c.b); }

// Contrast ratios between the text colour and the softened background over
// the title band and the central name column: the 5th percentile and median.
void report(const QString &name, const QImage &img, const Rgb &text) {
    QImage soft = img.scaled(W / 4, H / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    soft.setDevicePixelRatio(1);
    blur(soft, 2);
    const float lt = luminance(text);
    std::vector<float> title, names;
    for (int y = 0; y < soft.height(); ++y)
        for (int x = 0; x < soft.width(); ++x) {
            const float px = (x + 0.5f) * 4, py = (y + 0.5f) * 4;
            const float lb = luminance(getPixel(soft, x, y));
            const float ratio = (std::max(lt, lb) + 0.05f) / (std::min(lt, lb) + 0.05f);
            if (py >= 50 && py <= 190 && px >= W * 0.22f && px <= W * 0.78f) title.push_back(ratio);
            if (py >= 273 && py <= 967 && px >= W * 0.3f && px <= W * 0.7f) names.push_back(ratio);
        }
    auto pct = [](std::vector<float> v, float q) {
        std::sort(v.begin(), v.end());
        return v[size_t(q * (v.size() - 1))];
    };
    std::printf("%-22s title p5 %.2f med %.2f | names p5 %.2f med %.2f\n", qPrintable(name), pct(title, 0.05f),
                pct(title, 0.5f), pct(names, 0.05f), pct(names, 0.5f));
}

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: assetgen_pictures <assets-dir> [name-filter]\n");
        return 2;
    }
    const QString root = args.at(1);
    const QString filter = args.size() > 2 ? args.at(2) : QString();

    const Rgb yellow(255, 255, 0), red(255, 0, 0), blue(0, 0, 255);
    std::vector<Picture> all;
    all.push_back({"builtin/background.jpg", yellow, [] { return builtinBackground(); }});
    for (int i = 1; i <= 5; ++i) all.push_back({QString("bg/red/%1.jpg").arg(i), yellow, [i] { return festiveRed(i); }});
    for (int i = 1; i <= 2; ++i) all.push_back({QString("bg/blue/%1.jpg").arg(i), yellow, [i] { return freshBlue(i); }});
    for (int i = 1; i <= 3; ++i)
        all.push_back({QString("bg/pink/%1.jpg").arg(i), i == 1 ? blue : red, [i] { return prettyPink(i); }});
    for (int i = 1; i <= 3; ++i) all.push_back({QString("bg/sky/%1.jpg").arg(i), red, [i] { return blueSky(i); }});
    for (int i = 1; i <= 3; ++i) all.push_back({QString("bg/sea/%1.jpg").arg(i), red, [i] { return sea(i); }});
    for (int i = 1; i <= 3; ++i) all.push_back({QString("bg/snow/%1.jpg").arg(i), red, [i] { return snow(i); }});
    for (int i = 1; i <= 3; ++i) all.push_back({QString("bg/plane/%1.jpg").arg(i), red, [i] { return meadow(i); }});
    for (int i = 1; i <= 3; ++i) all.push_back({QString("bg/sun/%1.jpg").arg(i), yellow, [i] { return sunrise(i); }});
    for (int i = 1; i <= 3; ++i) all.push_back({QString("bg/mountain/%1.jpg").arg(i), red, [i] { return mountains(i); }});
    all.push_back({"bg/show/red.jpg", yellow, [] { return resultsRed(); }});
    all.push_back({"bg/show/blue.jpg", yellow, [] { return resultsBlue(); }});

    for (int i = 0; i < 4; ++i) all.push_back({QString("pics/prize%1.jpg").arg(i), yellow, [i] { return prize(i); }});

    int failures = 0;
    for (const Picture &pic : all) {
        if (!filter.isEmpty() && !pic.path.contains(filter)) continue;
        const QImage img = pic.make();
        // Backgrounds at twice the pixels of a 1080 screen: each artefact is a
        // quarter the size, so 75 looks as clean as 85 did at 1080, for two
        // thirds of the bytes. The prize pictures keep their size and quality.
        const int quality = Scale > 1 && !pic.path.startsWith("pics/") ? 75 : 85;
        if (!saveJpeg(img, root + "/" + pic.path, quality)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(pic.path));
            ++failures;
            continue;
        }
        if (!pic.path.startsWith("pics/")) report(pic.path, img, pic.text);
        std::fflush(stdout);
    }

    struct Btn { const char *path; bool start, pressed; };
    const Btn buttons[] = {{"pics/start2.jpg", true, true},  {"pics/start3.jpg", true, false},
                           {"pics/stop2.jpg", false, true},  {"pics/stop3.jpg", false, false},
                           {"builtin/start.jpg", true, false}, {"builtin/stop.jpg", false, false}};
    for (const Btn &b : buttons) {
        const QString path = QString::fromLatin1(b.path);
        if (!filter.isEmpty() && !path.contains(filter)) continue;
        // Small pictures get a higher quality so the caption edges stay clean.
        if (!saveJpeg(button(b.start, b.pressed), root + "/" + path, 95)) {
            std::fprintf(stderr, "cannot write %s\n", b.path);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
