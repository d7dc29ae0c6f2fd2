#pragma once

#include "app/drawround.h"
#include "app/drawscreen.h"
#include "engine/session.h"
#include "presentation/caption.h"
#include "presentation/layout.h"
#include "presentation/theme.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace sorvix {

class DrawListHost;
class DrawPreparation;
class DrawRandom;
class PictureBox;
class RecordCommands;
class Startup;
class Tfrm_namelist;

// The draw screen: background, title, subtitle, status line, ten name slots,
// the start and stop buttons, the prize corners and the caption strip. It binds
// its widgets to the draw round, the start-up and the commands, which hold the
// logic.
class TfrmMain : public QMainWindow, public DrawScreen, public DrawRoundHost
{
    Q_OBJECT
public:
    TfrmMain(Session &session, OperatorPort &op, SoundPort &sound, DrawRandom &random, QWidget *parent = nullptr);
    ~TfrmMain() override;

    static inline const QString BuiltInBackground = QStringLiteral(":/builtin/background.jpg");

    // The start-up sequence: FormCreateScreen, then FormCreateDraw.
    void FormCreate();
    // What the first frame shows: the screen's own start-up and the titles.
    void FormCreateScreen();
    // The participant list and the award settings' start-up with the resume
    // decision; the program runs it once the first frame is on the screen.
    void FormCreateDraw();

    Theme &theme() { return m_theme; }
    DrawRound &drawRound() { return *m_round; }
    DrawPreparation &preparation() { return *m_preparation; }
    CaptionScroller &captionScroller() { return m_scroller; }
    bool menusShown() const;

    // ScreenPort
    void setHead(const QByteArray &text) override;
    void setSlot(int slot, const QByteArray &text) override;
    void setSlotVisible(int slot, bool visible) override;
    void hidePrizes() override;
    void showPrizeText(Corner corner, const QByteArray &text) override;
    void showPrizePicture(Corner corner, const QString &path) override;
    void hidePrizePicture(Corner corner) override;
    void setCaption(const QByteArray &text, int width = -1) override;
    void stopRolling() override;

    // DrawScreen
    void applyAwardSettings(const AwardSettings &settings) override;
    void formatTitles() override;
    void hideMenus() override;
    void showMenus() override;
    void relayout() override;
    void showResults() override;

    // DrawRoundHost
    bool fullScreenLocked() const override { return m_fullScreenLocked; }
    void enterFullScreen() override;
    // Borderless over the whole screen, menus hidden by the caller.
    void goFullScreen();
    void setStartPicture(const QString &path) override;
    void setEndPicture(const QString &path) override;
    void startRollingTimer() override;
    void stopRollingTimer() override;
    bool rollingTimerActive() const override;

    // Theme operations of the "背景文字设置" menu.
    void ThemeShow(const QByteArray &colourName);
    void ThemeFontName(const QByteArray &fontName);
    void applyStoredTheme(const Theme &stored);

    // Menu handlers.
    void Image1Click();
    void N_fullscreenClick();
    void N_fullscreen_exitClick();
    void N_No_FullScreenClick();
    void N_bgoffClick();
    void N_bgOnClick();
    void N_resetallClick();
    void N39Click();
    // "人员名单": the participant list editor, made on first use.
    void N17Click();

signals:
    // Once, after the draw screen's first frame was painted.
    void firstFramePainted();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    QLabel *makeLabel(const char *name);
    QList<QLabel *> themedLabels() const;
    // A menu item; without a handler it stays disabled.
    QAction *addItem(QMenu *menu, const char *name, const char *caption, std::function<void()> handler);
    void saveAwardSettings();
    void FormResize();
    void loadBackground(const QString &path, bool reportFailure);

    Session &m_session;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    std::unique_ptr<DrawPreparation> m_preparation;
    std::unique_ptr<DrawRound> m_round;
    std::unique_ptr<RecordCommands> m_commands;
    std::unique_ptr<DrawListHost> m_listHost;
    Tfrm_namelist *m_listWindow = nullptr;

    QWidget *m_canvas = nullptr;
    PictureBox *Image1 = nullptr;
    QLabel *Label_title = nullptr;
    QLabel *Label_subtitle = nullptr;
    QLabel *Label_head = nullptr;
    QLabel *Label_name[11] = {};
    PictureBox *Image_start = nullptr;
    PictureBox *Image_end = nullptr;
    PictureBox *Image_award = nullptr;
    PictureBox *Image_award1 = nullptr;
    QLabel *Label_award = nullptr;
    QLabel *Label_award1 = nullptr;
    QWidget *Panel_curtain = nullptr;
    QLabel *Label_curtain = nullptr;

    QTimer *Timer_start = nullptr;
    QTimer *Timer_curtain = nullptr;

    QMenu *PopupMenu1 = nullptr;
    QList<QMenu *> m_topMenus;
    QAction *N_No_FullScreen = nullptr;

    Theme m_theme;
    CaptionScroller m_scroller;
    layout::StripState m_strip;
    bool m_fullScreenLocked = false;
    bool m_firstFramePainted = false;
};

} // namespace sorvix
