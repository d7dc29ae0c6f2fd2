#include "paint.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QRadialGradient>

#include <algorithm>

namespace gen {

namespace {

uint32_t hash3(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x27d4eb2du;
    h ^= uint32_t(x) * 0x85ebca6bu;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xc2b2ae35u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

float lattice(int x, int y, uint32_t seed) { return float(hash3(x, y, seed) & 0xFFFFFF) / float(0xFFFFFF); }

float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

float noise2(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = fade(x - fx), ty = fade(y - fy);
    const float a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const float c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fbm(float x, float y, uint32_t seed, int octaves, float gain, float lacunarity) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise2(x, y, seed + uint32_t(i) * 1013u);
        norm += amp;
        amp *= gain;
        // Rotate a little per octave so lattice rows do not line up.
        const float nx = x * 0.8f - y * 0.6f, ny = x * 0.6f + y * 0.8f;
        x = nx * lacunarity + 17.3f;
        y = ny * lacunarity + 5.1f;
    }
    return sum / norm;
}

float noise1(float x, uint32_t seed) { return noise2(x, 0.5f, seed); }

float fbm1(float x, uint32_t seed, int octaves, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise1(x, seed + uint32_t(i) * 7919u);
        norm += amp;
        amp *= gain;
        x = x * 2.0f + 3.7f;
    }
    return sum / norm;
}

QColor Rgb::q(float alpha) const {
    auto c8 = [](float v) { return int(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return QColor(c8(r), c8(g), c8(b), c8(alpha * 255.0f));
}

Rgb mix(const Rgb &a, const Rgb &b, float t) { return Rgb(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t); }
Rgb operator*(const Rgb &a, float k) { return Rgb(a.r * k, a.g * k, a.b * k); }
Rgb operator+(const Rgb &a, const Rgb &b) { return Rgb(a.r + b.r, a.g + b.g, a.b + b.b); }

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Rgb Ramp::at(float t) const {
    if (stops.empty()) return Rgb();
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            const float span = stops[i].first - stops[i - 1].first;
            const float u = span > 0 ? (t - stops[i - 1].first) / span : 1.0f;
            return mix(stops[i - 1].second, stops[i].second, smoothstep(0, 1, u) * 0.5f + u * 0.5f);
        }
    }
    return stops.back().second;
}

QImage newCanvas(const Rgb &fill, int w, int h) {
    QImage img(w * Scale, h * Scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(Scale);
    img.fill(fill.q());
    return img;
}

QImage newLayer(int w, int h) {
    QImage img(w * Scale, h * Scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(Scale);
    img.fill(Qt::transparent);
    return img;
}

void setPixel(QImage &img, int x, int y, const Rgb &c) {
    auto c8 = [](float v) { return int(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    reinterpret_cast<QRgb *>(img.scanLine(y))[x] = qRgb(c8(c.r), c8(c.g), c8(c.b));
}

Rgb getPixel(const QImage &img, int x, int y) {
    const QRgb v = reinterpret_cast<const QRgb *>(img.constScanLine(y))[x];
    return Rgb(float(qRed(v)), float(qGreen(v)), float(qBlue(v)));
}

void shade(QImage &img, const std::function<Rgb(float, float)> &f) {
    const float s = float(img.devicePixelRatio());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) setPixel(img, x, y, f((x + 0.5f) / s, (y + 0.5f) / s));
}

void shadeOver(QImage &img, const std::function<float(float, float, Rgb &)> &f) {
    const float s = float(img.devicePixelRatio());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            Rgb c;
            const float a = clamp01(f((x + 0.5f) / s, (y + 0.5f) / s, c));
            if (a <= 0) continue;
            setPixel(img, x, y, mix(getPixel(img, x, y), c, a));
        }
}

namespace {

// One box pass along rows (transpose-free: stride selects direction).
void boxPass(uint8_t *data, int count, int length, int stepCount, int stepLength, int r) {
    std::vector<uint32_t> line(size_t(length) * 4);
    const int win = 2 * r + 1;
    for (int c = 0; c < count; ++c) {
        uint8_t *base = data + size_t(c) * stepCount;
        for (int i = 0; i < length; ++i)
            for (int k = 0; k < 4; ++k) line[size_t(i) * 4 + k] = base[size_t(i) * stepLength + k];
        uint32_t sum[4] = {0, 0, 0, 0};
        auto px = [&](int i, int k) { return line[size_t(std::clamp(i, 0, length - 1)) * 4 + k]; };
        for (int i = -r; i <= r; ++i)
            for (int k = 0; k < 4; ++k) sum[k] += px(i, k);
        for (int i = 0; i < length; ++i) {
            for (int k = 0; k < 4; ++k) {
                base[size_t(i) * stepLength + k] = uint8_t((sum[k] + win / 2) / win);
                sum[k] += px(i + r + 1, k) - px(i - r, k);
            }
        }
    }
}

}  // namespace

void blur(QImage &img, float radius) {
    if (radius * float(img.devicePixelRatio()) < 0.5f) return;
    // Three box passes approximate a Gaussian with this deviation.
    const int r = std::max(1, int(std::lround(radius * float(img.devicePixelRatio()) * 0.55f)));
    const int w = img.width(), h = img.height();
    uint8_t *d = img.bits();
    const int bpl = int(img.bytesPerLine());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(d, h, w, bpl, 4, r);
        boxPass(d, w, h, 4, bpl, r);
    }
}

QImage blurred(const QImage &img, float radius) {
    QImage out = img.copy();
    blur(out, radius);
    return out;
}

void composite(QImage &dst, const QImage &layer, QPainter::CompositionMode mode, float opacity) {
    QPainter p(&dst);
    p.setCompositionMode(mode);
    p.setOpacity(opacity);
    p.drawImage(0, 0, layer);
}

float textWeight(float x, float y) {
    const float u = std::fabs(x / W - 0.5f);
    const float v = y / H;
    const float wx = 1.0f - smoothstep(0.27f, 0.47f, u);
    const float wy = 1.0f - smoothstep(0.80f, 0.95f, v);
    return wx * wy;
}

void veil(QImage &img, const Rgb &c, float strength, float widthScale) {
    // An elliptic wash centred a little above the middle: it covers the title
    // and the names without leaving visible edges.
    shadeOver(img, [&](float x, float y, Rgb &out) {
        out = c;
        const float dx = (x - W * 0.5f) / (W * 0.5f * widthScale), dy = (y - H * 0.40f) / (H * 0.66f);
        const float d = std::sqrt(dx * dx + dy * dy);
        return strength * (1.0f - smoothstep(0.45f, 1.15f, d));
    });
}

void vignette(QImage &img, const float strength, const Rgb &c, float inner, float outer) {
    shadeOver(img, [&](float x, float y, Rgb &out) {
        out = c;
        const float dx = (x / W - 0.5f) * 2.0f, dy = (y / H - 0.5f) * 2.0f;
        const float d = std::sqrt(dx * dx * 0.8f + dy * dy * 0.7f);
        return strength * smoothstep(inner, outer, d);
    });
}

void glow(QPainter &p, QPointF c, float r, const Rgb &col, float alpha) {
    QRadialGradient g(c, r);
    g.setColorAt(0.0, col.q(alpha));
    g.setColorAt(0.35, col.q(alpha * 0.55f));
    g.setColorAt(0.7, col.q(alpha * 0.15f));
    g.setColorAt(1.0, col.q(0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void bokeh(QPainter &p, QPointF c, float r, const Rgb &col, float alpha) {
    QRadialGradient g(c, r);
    g.setColorAt(0.0, col.q(alpha * 0.75f));
    g.setColorAt(0.80, col.q(alpha * 0.85f));
    g.setColorAt(0.93, col.q(alpha));
    g.setColorAt(1.0, col.q(0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void grain(QImage &img, float amount, uint32_t seed) {
    for (int y = 0; y < img.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const float n = (lattice(x, y, seed) + lattice(x, y, seed + 1) - 1.0f) * amount;
            const QRgb v = row[x];
            auto ch = [&](int c) { return std::clamp(int(std::lround(c + n)), 0, 255); };
            row[x] = qRgb(ch(qRed(v)), ch(qGreen(v)), ch(qBlue(v)));
        }
    }
}

bool saveJpeg(const QImage &img, const QString &path, int quality) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter w(path, "jpg");
    w.setQuality(quality);
    w.setOptimizedWrite(true);
    w.setProgressiveScanWrite(false);
    return w.write(img.convertToFormat(QImage::Format_RGB32));
}

float edgeness(float x, float y) {
    const float dx = (x / W - 0.5f) * 2.0f, dy = (y / H - 0.5f) * 2.0f;
    return clamp01(std::sqrt(dx * dx + dy * dy) / 1.41421356f);
}

}  // namespace gen
