#pragma once

#include "app/drawround.h"
#include "app/drawscreen.h"
#include "app/remote/revealednames.h"
#include "base/nulloperatorports.h"
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

class DrawConfigHost;
class ConfigCommands;
class DrawAwardHost;
class DrawListHost;
class DrawPreparation;
class DrawRandom;
class PictureBox;
class PhoneRemote;
class PicturePrefetch;
class RecordCommands;
class Startup;
class GiveUpDialog;
class ResultsWindow;
class AboutDialog;
class QuickHelpDialog;
class AwardSettingsDialog;
class ParticipantListDialog;

// The draw screen: background, title, subtitle, status line, ten name slots,
// the start and stop buttons, the prize corners and the caption strip. It binds
// its widgets to the draw round, the start-up and the commands, which hold the
// logic.
class DrawScreenWindow : public QMainWindow, public DrawScreen, public DrawRoundHost
{
    Q_OBJECT
public:
    DrawScreenWindow(Session &session, OperatorPort &op, SoundPort &sound, DrawRandom &random, QWidget *parent = nullptr);
    ~DrawScreenWindow() override;

    static inline const QString BuiltInBackground = QStringLiteral(":/builtin/background.jpg");

    // Pictures whose decoding the program started before the window was made;
    // the window takes them from there during its start-up and then drops them.
    void adoptPrefetch(std::unique_ptr<PicturePrefetch> prefetch);

    // The start-up sequence: startScreen, then startDraw.
    void runStartup();
    // What the first frame shows: the screen's own start-up and the titles.
    void startScreen();
    // The participant list and the award settings' start-up with the resume
    // decision; the program runs it once the first frame is on the screen.
    void startDraw();

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
    void showThemeColour(const QByteArray &colourName);
    void applyThemeFont(const QByteArray &fontName);
    void applyStoredTheme(const Theme &stored);

    // Menu handlers.
    void backgroundClicked();
    void switchToFullScreen();
    void leaveFullScreen();
    void toggleFullScreenLock();
    void turnSoundOff();
    void turnSoundOn();
    void restartDraw();
    void chooseCustomBackground();
    // "弃奖 / 补奖": the give-up / make-up window, modally.
    void openGiveUp();

    // The configuration bundle, the factory restore, help and about.
    ConfigCommands &configCommands() { return *m_config; }
    DrawConfigHost &configHost() { return *m_configHost; }
    // Made on first use; they live as long as the draw screen.
    QuickHelpDialog *quickHelpWindow();
    AboutDialog *aboutWindow();
    void openQuickHelp();
    void openGuide();
    void openAbout();
    // "奖项设置": the award settings window, made on first use.
    void openAwardSettings();
    // "人员名单": the participant list editor, made on first use.
    void openParticipantList();

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
    void layoutControls();
    // Loads a picture into the background, from the start-up's prefetch while there is one.
    bool loadBackground(const QString &path);
    // The start and stop buttons' pictures, each file decoded once.
    const QImage &buttonPicture(const QString &path);
    // The results and give-up windows are made on first use and live as
    // long as the draw screen.
    ResultsWindow *resultWindow();
    GiveUpDialog *giveUpWindow();
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
    ResultsWindow *m_result = nullptr;
    GiveUpDialog *m_giveup = nullptr;
    std::unique_ptr<DrawConfigHost> m_configHost;
    std::unique_ptr<ConfigCommands> m_config;
    QuickHelpDialog *m_quickHelp = nullptr;
    AboutDialog *m_about = nullptr;
    std::unique_ptr<DrawAwardHost> m_awardHost;
    AwardSettingsDialog *m_awardWindow = nullptr;
    std::unique_ptr<DrawListHost> m_listHost;
    ParticipantListDialog *m_listWindow = nullptr;
    // The draw round's way to the screen, keeping the last stop's names for the phone.
    RevealedNames m_revealed{*this, *this};
    PhoneRemote *m_phoneRemote = nullptr;

    QWidget *m_canvas = nullptr;
    PictureBox *m_background = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_subtitleLabel = nullptr;
    QLabel *m_statusLabel = nullptr;
    QLabel *m_nameSlots[11] = {};
    PictureBox *m_startButton = nullptr;
    PictureBox *m_stopButton = nullptr;
    PictureBox *m_leftPrizePicture = nullptr;
    PictureBox *m_rightPrizePicture = nullptr;
    QLabel *m_leftPrizeLabel = nullptr;
    QLabel *m_rightPrizeLabel = nullptr;
    QWidget *m_captionStrip = nullptr;
    QLabel *m_captionLabel = nullptr;

    QTimer *m_rollingTimer = nullptr;
    QTimer *m_captionTimer = nullptr;

    QMenu *m_contextMenu = nullptr;
    QList<QMenu *> m_topMenus;
    QAction *m_fullScreenLockAction = nullptr;

    std::unique_ptr<PicturePrefetch> m_prefetch;
    QHash<QString, QImage> m_buttonPictures;

    Theme m_theme;
    CaptionScroller m_scroller;
    layout::StripState m_strip;
    bool m_fullScreenLocked = false;
    bool m_firstFramePainted = false;
};

} // namespace sorvix
