#pragma once

#include "app/drawround.h"
#include "app/drawscreen.h"
#include "app/remote/revealednames.h"
#include "base/nulloperatorports.h"
#include "engine/session.h"
#include "presentation/caption.h"
#include "presentation/layout.h"
#include "presentation/themechoice.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace sorvix {

class AboutDialog;
class AwardSettingsDialog;
class ConfigCommands;
class DrawAwardHost;
class DrawConfigHost;
class DrawListHost;
class DrawPreparation;
class DrawRandom;
class GiveUpDialog;
class ParticipantListDialog;
class PictureBox;
class PhoneRemote;
class PicturePrefetch;
class QuickHelpDialog;
class RecordCommands;
class ResultsWindow;
class SoundSwitch;

// The draw screen: background, title, subtitle, status line, ten name slots,
// the start and stop buttons, the prize corners and the caption strip. It binds
// its widgets and menus to the draw round, the start-up, the theme and the
// commands, which hold the logic.
class DrawScreenWindow : public QMainWindow, public DrawScreen, public DrawRoundHost, private ThemeView
{
    Q_OBJECT
public:
    DrawScreenWindow(Session &session, OperatorPort &op, SoundPort &sound, DrawRandom &random,
                     QWidget *parent = nullptr);
    ~DrawScreenWindow() override;

    static inline const QString BuiltInBackground = QStringLiteral(":/builtin/background.jpg");

    // Pictures whose decoding the program started before the window was made;
    // the window takes them from there during its start-up and then drops them.
    void adoptPrefetch(std::unique_ptr<PicturePrefetch> prefetch);
    // The player of the results window's music; silence until one is given.
    void setResultMusic(SoundPort &music) { m_resultMusic = &music; }

    // The start-up: the screen's own part at once, so the first frame shows
    // the theme and the titles; the participant list, the award settings and
    // the resume decision once that frame was painted (drawStarted follows).
    void start();
    bool drawStartedYet() const { return m_drawStarted; }

    DrawPreparation &preparation() { return *m_preparation; }
    DrawRound &drawRound() { return *m_round; }
    bool menusShown() const;
    // Borderless over the whole screen, menus hidden by the caller.
    void goFullScreen();
    void openParticipantList();

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
    void setStartPicture(const QString &path) override;
    void setEndPicture(const QString &path) override;
    void startRollingTimer() override;
    void stopRollingTimer() override;
    bool rollingTimerActive() const override;

signals:
    // Once, after the draw screen's first frame was painted.
    void firstFramePainted();
    // Once, when the start-up's second part has run.
    void drawStarted();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // ThemeView
    bool showBackground(const QString &path) override;
    void setTextColour(const QColor &colour) override;
    void setTextFace(const QString &family) override;

    void createControls();
    void createMenus();
    void startDraw();
    QLabel *makeLabel(const char *name);
    QList<QLabel *> themedLabels() const;
    void layoutControls();
    // The start and stop buttons' pictures, each file decoded once.
    const QImage &buttonPicture(const QString &path);

    // Menu commands.
    void openGiveUp();
    void openAwardSettings();
    void openQuickHelp();
    void openAbout();
    void leaveFullScreen();
    void toggleFullScreenLock();
    // After a window of ours closes, the keys are the draw screen's again.
    void takeFocusBack();

    Session &m_session;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    NullSound m_noMusic;
    SoundPort *m_resultMusic = &m_noMusic;

    // The logic the window binds, in the order it is made; each part is gone
    // before the parts it uses.
    ThemeChoice m_theme;
    // The draw round's way to the screen, keeping the last stop's names for the phone.
    RevealedNames m_revealed{*this, *this};
    std::unique_ptr<DrawPreparation> m_preparation;
    std::unique_ptr<DrawRound> m_round;
    std::unique_ptr<RecordCommands> m_records;
    std::unique_ptr<SoundSwitch> m_soundSwitch;
    std::unique_ptr<DrawConfigHost> m_configHost;
    std::unique_ptr<ConfigCommands> m_config;
    std::unique_ptr<DrawAwardHost> m_awardHost;
    std::unique_ptr<DrawListHost> m_listHost;
    // Windows made on first use; they live as long as the draw screen.
    std::unique_ptr<ResultsWindow> m_results;
    std::unique_ptr<GiveUpDialog> m_giveUp;
    std::unique_ptr<AwardSettingsDialog> m_awardSettings;
    std::unique_ptr<ParticipantListDialog> m_participantList;
    std::unique_ptr<QuickHelpDialog> m_quickHelp;
    std::unique_ptr<AboutDialog> m_about;
    PhoneRemote *m_phoneRemote = nullptr;

    QWidget *m_canvas = nullptr;
    PictureBox *m_background = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_subtitleLabel = nullptr;
    QLabel *m_statusLabel = nullptr;
    QLabel *m_nameSlots[11] = {};
    PictureBox *m_startButton = nullptr;
    PictureBox *m_stopButton = nullptr;
    PictureBox *m_prizePictures[2] = {};
    QLabel *m_prizeLabels[2] = {};
    QWidget *m_captionStrip = nullptr;
    QLabel *m_captionLabel = nullptr;
    QTimer *m_rollingTimer = nullptr;
    QTimer *m_captionTimer = nullptr;
    QMenu *m_contextMenu = nullptr;
    QList<QMenu *> m_topMenus;
    QAction *m_fullScreenLockAction = nullptr;

    std::unique_ptr<PicturePrefetch> m_prefetch;
    QHash<QString, QImage> m_buttonPictures;
    CaptionScroller m_scroller;
    layout::StripState m_strip;
    bool m_fullScreenLocked = false;
    bool m_firstFramePainted = false;
    bool m_drawStarted = false;
};

} // namespace sorvix
