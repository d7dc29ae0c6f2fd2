#pragma once

#include "base/picturefit.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <future>

namespace sorvix {

// Pictures decoded on other threads ahead of their use: the start-up decodes
// the background while the window is being made, no larger than the largest
// screen needs. Owned by the window that
// shows them; an entry is dropped once taken, and the window drops the whole
// set when its start-up is over.
class PicturePrefetch
{
public:
    void start(const QString &path);
    // The picture, from its prefetch when one was started, else decoded here;
    // null when the file can't be read.
    QImage take(const QString &path);

private:
    QHash<QString, std::shared_future<QImage>> m_pending;
};

// A picture file decoded on this thread; null when it can't be read. One
// larger than `cover` on both sides is decoded only as large as covering it
// takes (a JPEG decodes at a half or a quarter far faster).
QImage decodePicture(const QString &path, QSize cover = QSize());
// The device pixels of the largest screen: no picture needs more.
QSize largestScreenPixels();

// A picture in its box: the background, the buttons and the prize pictures,
// stretched unless told otherwise (setFit). The scaled copy is kept per size,
// made at the screen's own pixels, so the rolling names that repaint over it
// cost a blit, not a rescale, and a high-density screen shows it sharp.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Loads a picture file; false (and the old picture kept) when it can't be read.
    bool load(const QString &path);
    // The same, taking the picture from a prefetch when it was started there.
    bool load(const QString &path, PicturePrefetch &prefetch);
    void setImage(const QImage &image);
    // A picture decoded only when the box is first painted without another
    // one, from `prefetch` while it is set (see setFallbackSource).
    void setFallback(const QString &path, PicturePrefetch *prefetch = nullptr);
    void setFallbackSource(PicturePrefetch *prefetch) { m_fallbackSource = prefetch; }
    void setFit(PictureFit fit);

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    QString m_fallback;
    PicturePrefetch *m_fallbackSource = nullptr;
    PictureFit m_fit = PictureFit::Stretch;
    QImage m_scaled;
};

} // namespace sorvix
