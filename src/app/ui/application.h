#pragma once

#include "app/exitquestions.h"
#include "app/records.h"
#include "app/ui/drawscreenwindow.h"
#include "app/ui/mainmenus.h"
#include "base/ui/picturebox.h"
#include "engine/draw.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace sorvix {

class AboutDialog;
class AwardSettingsDialog;
class BundleCommands;
class GiveUpDialog;
class ParticipantListDialog;
class PhoneRemote;
class QuickHelpDialog;
class ResultsWindow;
class OperatorConsole;
class QtOperator;
class ThemeChoice;

// The program's composition root: the draw on the program folder with the
// ports it is given, the draw screen as its view, the theme, the commands of
// the menus, the phone remote and the windows they open. The program builds
// one with its message boxes and players; window tests build one with
// recording ports.
//
// With more than one screen the draw screen fills the audience's (a screen
// other than the laptop's own unless the operator chose one under "投影屏幕")
// and the operator's console stands on the operator's; every question,
// editor and dialog opens there. Screens that come and go move them.
class Application : public QObject
{
    Q_OBJECT
public:
    // `sound` is the draw screen's, `resultMusic` the results window's.
    Application(const QString &folder, OperatorPort &op, SoundPort &sound, SoundPort &resultMusic,
                DrawRandom &random, QObject *parent = nullptr);
    ~Application() override;

    Draw &draw() { return m_draw; }
    DrawScreenWindow &window() { return *m_window; }
    OperatorConsole &console() { return *m_console; }
    // Where the operator's windows and questions go: the console while the
    // audience has a screen of its own, else the draw screen.
    QWidget *operatorWindow() const;
    PhoneRemote &phoneRemote() { return *m_remote; }
    ThemeChoice &theme() { return *m_theme; }

    // The start-up: the screen's part at once, so the first frame shows the
    // theme and the titles; the draw's part (the list, the award settings,
    // the resume decision) once that frame was painted, then drawStarted.
    // The pictures of `prefetch` were started before the window was made.
    void start(std::unique_ptr<PicturePrefetch> prefetch = {});
    bool started() const { return m_started; }

    // A command of the menus.
    void run(MainMenus::Command command);
    // The draw screen on the audience's screen, the console on the
    // operator's: at the start and whenever screens come or go.
    void placeWindows();

signals:
    void drawStarted();

private:
    void startDraw();
    void showResults();
    void openGiveUp();
    void openParticipantList();
    void openAwardSettings();
    void openQuickHelp();
    void openAbout();
    void close();
    void chooseScreen(const QString &name);
    void showRemoteState();
    // A window of ours, owned by the draw screen, shown over it; the keys
    // come back to the draw screen when it closes.
    template<typename Window, typename... Args>
    Window *window(QPointer<Window> &slot, Args &&...args);

    OperatorPort &m_operator;
    SoundPort &m_sound;
    SoundPort &m_music;
    Draw m_draw;
    RecordCommands m_records;
    ExitQuestions m_exit;
    MainMenus m_menus;
    std::unique_ptr<DrawScreenWindow> m_window;
    std::unique_ptr<OperatorConsole> m_console;
    std::unique_ptr<ThemeChoice> m_theme;
    std::unique_ptr<BundleCommands> m_bundle;
    std::unique_ptr<PicturePrefetch> m_prefetch;
    PhoneRemote *m_remote = nullptr;
    QPointer<ResultsWindow> m_results;
    QPointer<GiveUpDialog> m_giveUp;
    QPointer<ParticipantListDialog> m_participantList;
    QPointer<AwardSettingsDialog> m_awardSettings;
    QPointer<QuickHelpDialog> m_quickHelp;
    QPointer<AboutDialog> m_about;
    bool m_started = false;
};

// Starts the program on the given program folder and runs the event loop.
int runApplication(int argc, char **argv, const QString &folder);

} // namespace sorvix
