#pragma once

#include "app/drawround.h"
#include "app/drawscreen.h"
#include "base/nullports.h"
#include "engine/session.h"
#include "presentation/caption.h"
#include "presentation/layout.h"
#include "presentation/theme.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace sorvix {

class AppConfigHost;
class ConfigCommands;
class DrawAwardHost;
class DrawListHost;
class DrawPreparation;
class DrawRandom;
class PictureBox;
class PicturePrefetch;
class RecordCommands;
class Startup;
class TfrmGiveup;
class TfrmResult;
class TfrmAbout;
class TfrmShelp;
class TfrmLottery;
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

    // Pictures whose decoding the program started before the window was made;
    // the window takes them from there during its start-up and then drops them.
    void adoptPrefetch(std::unique_ptr<PicturePrefetch> prefetch);

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
    // The player of the results window's music; silence until one is given.
    void setResultMusic(SoundPort &music) { m_resultMusic = &music; }
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
    // "弃奖 / 补奖": the give-up / make-up window, modally.
    void N_giveupClick();

    // The configuration bundle, the factory restore, help and about.
    ConfigCommands &configCommands() { return *m_config; }
    AppConfigHost &configHost() { return *m_configHost; }
    // Made on first use; they live as long as the draw screen.
    TfrmShelp *quickHelpWindow();
    TfrmAbout *aboutWindow();
    void N12Click();
    void N13Click();
    void N48Click();
    // "奖项设置": the award settings window, made on first use.
    void N16Click();
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
    // Loads a picture into the background, from the start-up's prefetch while there is one.
    bool loadBackground(const QString &path);
    // The start and stop buttons' pictures, each file decoded once.
    const QImage &buttonPicture(const QString &path);
    // The results and give-up windows are made on first use and live as
    // long as the draw screen.
    TfrmResult *resultWindow();
    TfrmGiveup *giveUpWindow();
    // After a window of ours closes, the keys are the draw screen's again.
    void takeFocusBack();

    Session &m_session;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    std::unique_ptr<DrawPreparation> m_preparation;
    std::unique_ptr<DrawRound> m_round;
    std::unique_ptr<RecordCommands> m_commands;
    NullSound m_noMusic;
    SoundPort *m_resultMusic = &m_noMusic;
    TfrmResult *m_result = nullptr;
    TfrmGiveup *m_giveup = nullptr;
    std::unique_ptr<AppConfigHost> m_configHost;
    std::unique_ptr<ConfigCommands> m_config;
    TfrmShelp *m_quickHelp = nullptr;
    TfrmAbout *m_about = nullptr;
    std::unique_ptr<DrawAwardHost> m_awardHost;
    TfrmLottery *m_awardWindow = nullptr;
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

    std::unique_ptr<PicturePrefetch> m_prefetch;
    QHash<QString, QImage> m_buttonPictures;

    Theme m_theme;
    CaptionScroller m_scroller;
    layout::StripState m_strip;
    bool m_fullScreenLocked = false;
    bool m_firstFramePainted = false;
};

} // namespace sorvix
