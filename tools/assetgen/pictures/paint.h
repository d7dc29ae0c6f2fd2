// Building blocks for the generated pictures: deterministic random numbers and
// noise, colour arithmetic, blurs, soft masks and the shared finishing steps.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace gen {

// Pictures are drawn in the coordinates of a 1920 x 1080 screen on canvases
// Scale times finer (3840 x 2160, sharp on a 4K screen): the canvases carry
// Scale as their device pixel ratio, so painters, the per-pixel shaders and
// the blurs all work in those coordinates. Scale 1 gives the 1080 pictures.
constexpr int W = 1920;
constexpr int H = 1080;
constexpr int Scale = 2;

// Own generator and distributions, so the pictures are identical on every
// standard library (std::*_distribution is not portable bit for bit).
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t next() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uni() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double a, double b) { return a + (b - a) * uni(); }
    int below(int n) { return int(uni() * n); }
    bool chance(double p) { return uni() < p; }
    // Roughly normal, mean 0, deviation 1 (sum of uniforms keeps it portable).
    double gauss() { double s = 0; for (int i = 0; i < 6; ++i) s += uni(); return (s - 3.0) * 1.41421356; }

private:
    uint64_t s_;
};

// Smooth value noise in [0,1] and its fractal sum, seeded.
float noise2(float x, float y, uint32_t seed);
float fbm(float x, float y, uint32_t seed, int octaves = 5, float gain = 0.5f, float lacunarity = 2.0f);
float noise1(float x, uint32_t seed);
float fbm1(float x, uint32_t seed, int octaves = 6, float gain = 0.5f);

struct Rgb {
    float r = 0, g = 0, b = 0;
    Rgb() = default;
    constexpr Rgb(float r_, float g_, float b_) : r(r_), g(g_), b(b_) {}
    static Rgb hex(uint32_t v) { return Rgb(float((v >> 16) & 255), float((v >> 8) & 255), float(v & 255)); }
    QColor q(float alpha = 1.0f) const;
};
Rgb mix(const Rgb &a, const Rgb &b, float t);
Rgb operator*(const Rgb &a, float k);
Rgb operator+(const Rgb &a, const Rgb &b);

float clamp01(float v);
float smoothstep(float e0, float e1, float x);

// A colour ramp with stops at positions 0..1.
struct Ramp {
    std::vector<std::pair<float, Rgb>> stops;
    Rgb at(float t) const;
};

// Canvases of w x h picture coordinates, Scale pixels to each.
QImage newCanvas(const Rgb &fill = Rgb(0, 0, 0), int w = W, int h = H);
QImage newLayer(int w = W, int h = H);  // transparent
// Pixel access (in the image's own pixels) on ARGB32_Premultiplied images kept opaque.
void setPixel(QImage &img, int x, int y, const Rgb &c);
Rgb getPixel(const QImage &img, int x, int y);
// A pixel's left or top edge in picture coordinates.
inline float coord(const QImage &img, int pixel) { return float(pixel) / float(img.devicePixelRatio()); }

// Fills every pixel from a function of the pixel centre (x, y in picture coordinates).
void shade(QImage &img, const std::function<Rgb(float x, float y)> &f);
// Blends toward f's colour with f's coverage (0..1) for each pixel.
void shadeOver(QImage &img, const std::function<float(float x, float y, Rgb &c)> &f);

// Gaussian-like blur (three box passes), any format with 4 byte pixels; the
// radius is in picture coordinates.
void blur(QImage &img, float radius);
QImage blurred(const QImage &img, float radius);

// Draws a layer over the canvas with a composition mode and opacity.
void composite(QImage &dst, const QImage &layer, QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver,
               float opacity = 1.0f);

// Where the program puts its texts: 1 in the title band and the central
// name column, falling to 0 toward the edges and the bottom strip.
float textWeight(float x, float y);

// Pulls the text zone toward a calm colour so titles and names stay legible.
void veil(QImage &img, const Rgb &c, float strength, float widthScale = 1.0f);
void vignette(QImage &img, float strength, const Rgb &c = Rgb(0, 0, 0), float inner = 0.45f, float outer = 1.05f);

// Soft round light: a radial gradient spot, centre colour fading to nothing.
void glow(QPainter &p, QPointF c, float r, const Rgb &col, float alpha);
// Bokeh disc with a slightly brighter rim.
void bokeh(QPainter &p, QPointF c, float r, const Rgb &col, float alpha);

// Final grain (also hides gradient banding in the JPEG) and saving.
void grain(QImage &img, float amount, uint32_t seed);
bool saveJpeg(const QImage &img, const QString &path, int quality = 85);

// Edge emphasis: 0 in the middle of the picture, 1 at the border (elliptic).
float edgeness(float x, float y);

}  // namespace gen
