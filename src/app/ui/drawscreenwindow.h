#pragma once

#include "engine/draw.h"
#include "presentation/caption.h"
#include "presentation/layout.h"
#include "presentation/themechoice.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QScreen;
class QTimer;

namespace sorvix {

class MainMenus;
class PictureBox;
class PicturePrefetch;

// The draw screen: background, title, subtitle, status line, ten name slots,
// the start and stop buttons, the prize corners and the caption strip. A view
// of the draw: it paints what the draw shows, hands it the keys and the
// buttons, and passes the menus' commands on to whoever runs them.
class DrawScreenWindow : public QMainWindow, public ThemeView
{
    Q_OBJECT
public:
    // The menu bar and the context menu take their commands from `menus`.
    DrawScreenWindow(Draw &draw, MainMenus &menus, QWidget *parent = nullptr);
    ~DrawScreenWindow() override;

    static inline const QString BuiltInBackground = QStringLiteral(":/builtin/background.jpg");

    // Pictures whose decoding began before the window was made, taken from
    // there during the start-up; null once it is over.
    void setPicturePrefetch(PicturePrefetch *prefetch);

    // Whether the first frame has been painted.
    bool painted() const { return m_firstFramePainted; }
    bool menusShown() const;
    void hideMenus();
    void showMenus();
    // Borderless over the whole screen.
    void goFullScreen();
    // To another screen, full screen there unless the full screen is locked.
    void moveToScreen(QScreen *target);
    // The "禁用全屏" check mark: full-screen requests are ignored while it is set.
    bool fullScreenLocked() const { return m_fullScreenLocked; }
    // After a window of ours closes, the keys are the draw screen's again.
    void takeFocusBack();
    // Closes without asking: the exit questions were answered.
    void closeNow();

    // ThemeView
    void resetLook() override;
    bool showBackground(const QString &path) override;
    void setTextColour(const QColor &colour) override;
    void setTextFace(const QString &family) override;

signals:
    // Once, after the draw screen's first frame was painted.
    void firstFramePainted();
    // The window is asked to close; closeNow() closes it.
    void closeAsked();
    // A prize picture could not be shown.
    void pictureFailed(const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus(MainMenus &menus);
    QLabel *makeLabel(const char *name);
    QList<QLabel *> themedLabels() const;
    void layoutControls();
    // What the draw shows.
    void showScreen(ScreenParts parts);
    void showPrizes();
    void applySettings();
    void roundAsked(bool start);
    void enterFullScreen();
    void leaveFullScreen();
    void toggleFullScreenLock();
    // The start and stop buttons' pictures, each file decoded once.
    void setButtonPicture(PictureBox *button, const QString &relative);

    Draw &m_draw;
    PicturePrefetch *m_prefetch = nullptr;
    CaptionScroller m_scroller;
    layout::StripState m_strip;

    QWidget *m_canvas = nullptr;
    PictureBox *m_background = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_subtitleLabel = nullptr;
    QLabel *m_statusLabel = nullptr;
    QList<QLabel *> m_nameSlots;
    PictureBox *m_startButton = nullptr;
    PictureBox *m_stopButton = nullptr;
    PictureBox *m_prizePictures[2] = {};
    QLabel *m_prizeLabels[2] = {};
    QWidget *m_captionStrip = nullptr;
    QLabel *m_captionLabel = nullptr;
    QTimer *m_captionTimer = nullptr;
    QMenu *m_contextMenu = nullptr;
    QList<QMenu *> m_topMenus;
    QAction *m_fullScreenLockAction = nullptr;
    QHash<QString, QImage> m_buttonPictures;
    bool m_fullScreenLocked = false;
    bool m_firstFramePainted = false;
    bool m_closing = false;
    bool m_askingToClose = false;
};

} // namespace sorvix
