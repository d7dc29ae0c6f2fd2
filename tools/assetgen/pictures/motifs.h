// Drawn ornaments and landscape pieces shared by the scenes.
#pragma once

#include "paint.h"

namespace gen {

// Festive pieces.
void lantern(QPainter &p, QPointF top, float w, float h, float cord, Rng &rng);
void cloudCurl(QPainter &p, QPointF c, float size, bool mirror, const QColor &col, float pen);
void auspiciousCloud(QPainter &p, QPointF c, float size, bool mirror, const QColor &col, float pen);
void firework(QImage &layer, QPointF c, float radius, const Rgb &col, Rng &rng);
void branch(QPainter &p, QPointF from, float angle, float len, float width, int depth, Rng &rng, const QColor &col,
            std::vector<QPointF> *tips);
void blossom(QPainter &p, QPointF c, float r, float rot, const Rgb &petal, const Rgb &heart, float alpha = 1.0f);
void petal(QPainter &p, QPointF c, float len, float rot, const Rgb &col, float alpha);
void heart(QPainter &p, QPointF c, float size, float rot, const QColor &col);
void sparkle(QPainter &p, QPointF c, float r, const Rgb &col, float alpha);

// Nature pieces.
// A cumulus cloud of overlapping puffs whose flat base sits at base.y.
void cumulus(QImage &layer, QPointF base, float width, float height, Rng &rng, const Rgb &light, const Rgb &shadow);
// Ridge line y(x) for x in pixels, from 1D noise.
std::vector<float> ridge(uint32_t seed, float baseY, float amplitude, float scale, float sharp = 0.0f);
// Lowers a ridge toward the middle of the picture, leaving a calm valley.
void dipCentre(std::vector<float> &y, float drop, float width);
// Fills below a ridge, colour from top colour at the crest to mist colour lower down.
void fillRidge(QImage &img, const std::vector<float> &y, const Rgb &crest, const Rgb &low, float fadeDepth,
               float texture = 0.0f, uint32_t seed = 1);
// Fills below a ridge with horizontal mist: colour by height between yTop and yBottom.
void fillRidgeMist(QImage &img, const std::vector<float> &y, const Rgb &top, const Rgb &bottom, float yTop, float yBottom);
void pineTree(QPainter &p, QPointF base, float h, float w, const QColor &tree, const QColor &snow, Rng &rng);
void bareTree(QPainter &p, QPointF base, float h, const QColor &col, Rng &rng, const QColor *snow = nullptr);
void snowCrystal(QPainter &p, QPointF c, float r, float rot, const QColor &col, float pen);
void grassBlades(QPainter &p, float yTop, float yBottom, int count, const Rgb &dark, const Rgb &light, Rng &rng,
                 float maxH, float xMin = 0, float xMax = W);
void leafyTree(QImage &img, QPointF base, float h, const Rgb &leaf, const Rgb &trunk, Rng &rng);
void bird(QPainter &p, QPointF c, float span, const QColor &col);

}  // namespace gen
