#include "base/ui/picturebox.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <utility>

namespace sorvix {

QImage decodePicture(const QString &path, QSize cover)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    // A turned picture's stored sides are the other way round: it is decoded whole.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    if (cover.isValid() && stored.isValid() && !turned && stored.width() > cover.width()
        && stored.height() > cover.height()) {
        const double factor
            = std::max(double(cover.width()) / stored.width(), double(cover.height()) / stored.height());
        reader.setScaledSize(QSize(int(std::ceil(stored.width() * factor)), int(std::ceil(stored.height() * factor))));
    }
    return reader.read();
}

QSize largestScreenPixels()
{
    QSize largest;
    for (const QScreen *screen : QGuiApplication::screens())
        largest = largest.expandedTo((QSizeF(screen->size()) * screen->devicePixelRatio()).toSize());
    return largest;
}

void PicturePrefetch::start(const QString &path)
{
    // The screens are asked here, on the window thread.
    if (!m_pending.contains(path))
        m_pending.insert(path, std::async(std::launch::async, decodePicture, path, largestScreenPixels()).share());
}

QImage PicturePrefetch::take(const QString &path)
{
    const std::shared_future<QImage> pending = m_pending.take(path);
    return pending.valid() ? pending.get() : decodePicture(path, largestScreenPixels());
}

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool PictureBox::load(const QString &path)
{
    const QImage image = decodePicture(path, largestScreenPixels());
    if (image.isNull())
        return false;
    setImage(image);
    return true;
}

bool PictureBox::load(const QString &path, PicturePrefetch &prefetch)
{
    const QImage image = prefetch.take(path);
    if (image.isNull())
        return false;
    setImage(image);
    return true;
}

void PictureBox::setImage(const QImage &image)
{
    m_image = image;
    m_scaled = QImage();
    update();
}

void PictureBox::setFallback(const QString &path, PicturePrefetch *prefetch)
{
    m_fallback = path;
    m_fallbackSource = prefetch;
    update();
}

void PictureBox::setFit(PictureFit fit)
{
    m_fit = fit;
    m_scaled = QImage();
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    if (m_image.isNull() && !m_fallback.isEmpty()) {
        const QString path = std::exchange(m_fallback, QString());
        m_image = m_fallbackSource ? m_fallbackSource->take(path) : decodePicture(path, largestScreenPixels());
    }
    if (m_image.isNull())
        return;
    const PicturePlacement place = placePicture(m_image.size(), size(), m_fit);
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(place.target.size()) * ratio).toSize();
    if (m_scaled.size() != pixels || m_scaled.devicePixelRatio() != ratio) {
        const QImage shown = place.source == m_image.rect() ? m_image : m_image.copy(place.source);
        m_scaled = shown.size() == pixels ? shown
                                          : shown.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(ratio);
    }
    // Only the part asked for: a rolling name repaints a strip of the background.
    const QRect area = event->rect() & place.target;
    if (area.isEmpty())
        return;
    const QRectF from(QPointF(area.topLeft() - place.target.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    QPainter painter(this);
    painter.drawImage(QRectF(area), m_scaled, from);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scaled = QImage();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        emit released();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace sorvix
