#pragma once

#include <QImage>
#include <QWidget>

namespace sorvix {

// A picture stretched over its box: the background, the buttons and the prize
// pictures. The stretched copy is kept per size, so the rolling names that
// repaint over it cost a blit, not a rescale.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Loads a picture file; false (and the old picture kept) when it can't be read.
    bool load(const QString &path);
    void setImage(const QImage &image);
    // A picture decoded only when the box is first painted without another one.
    void setFallback(const QString &path);

    // Starts decoding a picture file on another thread; a later load() of the
    // same path takes the result. Start-up uses it for the background, so the
    // decoding overlaps the making of the window.
    static void prefetch(const QString &path);
    bool hasPicture() const { return !m_image.isNull(); }

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
    QImage m_scaled;
};

} // namespace sorvix
