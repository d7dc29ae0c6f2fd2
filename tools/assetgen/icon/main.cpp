// The program's icon: a red tile with a gold draw ball carrying a red star,
// and confetti. One description of the shapes is written both as the
// scalable SVG and, painted with QPainter, as the PNG sizes of the icon theme.
// Usage: assetgen_icon OUTPUT_FOLDER   (writes sorvix.svg and <n>x<n>/sorvix.png)
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double Size = 256; // the drawing's own units

struct Stop
{
    double at;
    QColor colour;
};

enum class Fill { Linear, Radial, Plain };

struct Shape
{
    QPainterPath path;
    Fill fill;
    std::vector<Stop> stops; // Plain: the first stop's colour
    QPointF from, to;        // Linear: the gradient's line; Radial: centre and a point on the rim
};

QPainterPath star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i ? path.lineTo(p) : path.moveTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath circle(QPointF centre, double r)
{
    QPainterPath path;
    path.addEllipse(centre, r, r);
    return path;
}

QPainterPath piece(QPointF centre, double w, double h, double degrees)
{
    QPainterPath path;
    path.addRect(-w / 2, -h / 2, w, h);
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    return t.map(path);
}

std::vector<Shape> shapes()
{
    const QColor gold("#f6c344"), paleGold("#fff0a8"), deepGold("#d58a12"), red("#d42a1f"), darkRed("#8f0d0d");
    std::vector<Shape> s;
    QPainterPath tile;
    tile.addRoundedRect(16, 16, 224, 224, 48, 48);
    s.push_back({tile, Fill::Linear, {{0, QColor("#e8402f")}, {1, darkRed}}, {0, 16}, {0, 240}});
    QPainterPath rim;
    rim.addRoundedRect(24, 24, 208, 208, 40, 40);
    QPainterPath inside;
    inside.addRoundedRect(30, 30, 196, 196, 35, 35);
    s.push_back({rim.subtracted(inside), Fill::Plain, {{0, gold}}, {}, {}});
    // The ball's shadow, the ball, its star and its shine.
    s.push_back({circle({132, 136}, 74), Fill::Plain, {{0, QColor(60, 0, 0, 90)}}, {}, {}});
    s.push_back({circle({128, 128}, 74), Fill::Radial, {{0, paleGold}, {0.55, gold}, {1, deepGold}}, {104, 100},
                 {104 + 100, 100}});
    s.push_back({star({128, 132}, 50, 20), Fill::Plain, {{0, red}}, {}, {}});
    s.push_back({circle({100, 92}, 13), Fill::Plain, {{0, QColor(255, 255, 255, 170)}}, {}, {}});
    // Confetti in the corners, clear of the ball.
    s.push_back({piece({58, 62}, 16, 8, -30), Fill::Plain, {{0, gold}}, {}, {}});
    s.push_back({piece({198, 58}, 14, 7, 35), Fill::Plain, {{0, paleGold}}, {}, {}});
    s.push_back({piece({200, 200}, 16, 8, -20), Fill::Plain, {{0, gold}}, {}, {}});
    s.push_back({circle({56, 200}, 6), Fill::Plain, {{0, paleGold}}, {}, {}});
    s.push_back({circle({212, 128}, 4), Fill::Plain, {{0, gold}}, {}, {}});
    s.push_back({circle({44, 130}, 4), Fill::Plain, {{0, gold}}, {}, {}});
    return s;
}

QString number(double v)
{
    return QString::number(v, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString svgPath(const QPainterPath &path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo())
            d += QString(i ? QStringLiteral("Z") : QString()) + QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
        else if (e.isLineTo())
            d += QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
        else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x), number(end.y));
            i += 2;
        }
    }
    return d + QLatin1Char('Z');
}

QString colour(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

QString stopsText(const std::vector<Stop> &stops)
{
    QString text;
    for (const Stop &stop : stops)
        text += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"%3/>")
                    .arg(number(stop.at), colour(stop.colour),
                         stop.colour.alpha() < 255 ? QStringLiteral(" stop-opacity=\"%1\"").arg(number(stop.colour.alphaF()))
                                                   : QString());
    return text;
}

QByteArray svg(const std::vector<Shape> &list)
{
    QString defs, body;
    int id = 0;
    for (const Shape &shape : list) {
        QString fill;
        if (shape.fill == Fill::Plain) {
            const QColor c = shape.stops.front().colour;
            fill = QStringLiteral("fill=\"%1\"").arg(colour(c));
            if (c.alpha() < 255)
                fill += QStringLiteral(" fill-opacity=\"%1\"").arg(number(c.alphaF()));
        } else {
            const QString name = QStringLiteral("g%1").arg(++id);
            if (shape.fill == Fill::Linear)
                defs += QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" "
                                       "x2=\"%4\" y2=\"%5\">%6</linearGradient>")
                            .arg(name, number(shape.from.x()), number(shape.from.y()), number(shape.to.x()),
                                 number(shape.to.y()), stopsText(shape.stops));
            else
                defs += QStringLiteral("<radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" cx=\"%2\" cy=\"%3\" "
                                       "r=\"%4\">%5</radialGradient>")
                            .arg(name, number(shape.from.x()), number(shape.from.y()),
                                 number(shape.to.x() - shape.from.x()), stopsText(shape.stops));
            fill = QStringLiteral("fill=\"url(#%1)\"").arg(name);
        }
        body += QStringLiteral("<path fill-rule=\"evenodd\" %1 d=\"%2\"/>\n").arg(fill, svgPath(shape.path));
    }
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
                          "<defs>%1</defs>\n%2</svg>\n")
        .arg(defs, body)
        .toUtf8();
}

QImage png(const std::vector<Shape> &list, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image); // paths fill even-odd, as the SVG says
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / Size, pixels / Size);
    p.setPen(Qt::NoPen);
    for (const Shape &shape : list) {
        if (shape.fill == Fill::Plain) {
            p.setBrush(shape.stops.front().colour);
        } else {
            QGradient *gradient = nullptr;
            QLinearGradient linear(shape.from, shape.to);
            QRadialGradient radial(shape.from, shape.to.x() - shape.from.x());
            gradient = shape.fill == Fill::Linear ? static_cast<QGradient *>(&linear) : &radial;
            for (const Stop &stop : shape.stops)
                gradient->setColorAt(stop.at, stop.colour);
            p.setBrush(*gradient);
        }
        p.drawPath(shape.path);
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen_icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    const std::vector<Shape> list = shapes();
    QFile file(out.filePath(QStringLiteral("sorvix.svg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg(list)) < 0)
        return 1;
    for (int pixels : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1").arg(pixels);
        out.mkpath(folder);
        if (!png(list, pixels).save(out.filePath(folder + QStringLiteral("/sorvix.png"))))
            return 1;
        std::printf("%s/sorvix.png\n", qPrintable(folder));
    }
    return 0;
}
