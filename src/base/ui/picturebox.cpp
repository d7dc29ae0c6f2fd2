#include "base/ui/picturebox.h"

#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <future>
#include <QMouseEvent>
#include <QPainter>

namespace sorvix {

namespace {

QImage decode(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

QMutex prefetchLock;
QHash<QString, std::shared_future<QImage>> &prefetched()
{
    static QHash<QString, std::shared_future<QImage>> pictures;
    return pictures;
}

} // namespace

// A picture prefetched on another thread, or decoded here.
static QImage takeOrDecode(const QString &path)
{
    std::shared_future<QImage> pending;
    {
        QMutexLocker locker(&prefetchLock);
        pending = prefetched().take(path);
    }
    return pending.valid() ? pending.get() : decode(path);
}

void PictureBox::prefetch(const QString &path)
{
    QMutexLocker locker(&prefetchLock);
    if (!prefetched().contains(path))
        prefetched().insert(path, std::async(std::launch::async, decode, path).share());
}

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool PictureBox::load(const QString &path)
{
    const QImage image = takeOrDecode(path);
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

void PictureBox::setFallback(const QString &path)
{
    m_fallback = path;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    if (m_image.isNull() && !m_fallback.isEmpty())
        m_image = takeOrDecode(std::exchange(m_fallback, QString()));
    if (m_image.isNull())
        return;
    if (m_scaled.size() != size())
        m_scaled = m_image.size() == size()
            ? m_image
            : m_image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(this);
    painter.drawImage(event->rect(), m_scaled, event->rect());
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
