#include "app/ui/application.h"

#include "app/frontchannel.h"
#include "app/ui/operatorconsole.h"
#include "app/ui/remotewindow.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "base/folderlock.h"
#include "base/ui/fontsetup.h"
#include "base/ui/picturebox.h"
#include "base/ui/qtoperator.h"
#include "bundle/bundlecommands.h"
#include "editors/ui/awardsettingsdialog.h"
#include "editors/ui/participantlistdialog.h"
#include "engine/ui/giveupdialog.h"
#include "help/help.h"
#include "help/ui/aboutdialog.h"
#include "help/ui/quickhelpdialog.h"
#include "presentation/screens.h"
#include "presentation/theme.h"
#include "base/ui/widgets.h"
#include "presentation/ui/qtsound.h"
#include "presentation/ui/resultswindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace sorvix {

namespace {

QDateTime now()
{
    return QDateTime::currentDateTime();
}

} // namespace

Application::Application(const QString &folder, OperatorPort &op, SoundPort &sound, SoundPort &resultMusic,
                         DrawRandom &random, QObject *parent)
    : QObject(parent), m_operator(op), m_sound(sound), m_music(resultMusic),
      m_draw(ProgramFolder(folder), op, sound, random), m_records(m_draw, op), m_exit(m_draw, m_records, op),
      m_window(std::make_unique<DrawScreenWindow>(m_draw, m_menus)),
      m_console(std::make_unique<OperatorConsole>(m_draw, m_menus, m_window.get())),
      m_theme(std::make_unique<ThemeChoice>(m_draw.folder(), op, *m_window)),
      m_bundle(std::make_unique<BundleCommands>(m_draw, *m_theme, op))
{
    m_remote = new PhoneRemote(m_draw, op, this);
    for (QAction *item : m_menus.remoteItems())
        m_remote->follow(item);
    connect(&m_remote->server(), &remote::RemoteServer::changed, this, &Application::showRemoteState);
    showRemoteState();

    DrawScreenWindow *window = m_window.get();
    connect(&m_menus, &MainMenus::commandChosen, this, &Application::run);
    connect(&m_menus, &MainMenus::themeChosen, this,
            [this](int item) { m_theme->chooseBuiltIn(theme::builtInThemes()[size_t(item)]); });
    connect(&m_menus, &MainMenus::colourChosen, this,
            [this](int item) { m_theme->chooseColour(QByteArray(theme::colourItems()[size_t(item)].colourName)); });
    connect(&m_menus, &MainMenus::fontChosen, this,
            [this](int item) { m_theme->chooseFont(theme::fontItems()[size_t(item)]); });
    connect(&m_menus, &MainMenus::screenChosen, this, &Application::chooseScreen);
    // A projector plugged in or pulled out mid-event: the screens are dealt
    // out again once the system has settled them.
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved,
                        &QGuiApplication::primaryScreenChanged})
        connect(qGuiApp, signal, this, [this] { QTimer::singleShot(0, this, &Application::placeWindows); });
    connect(window, &DrawScreenWindow::pictureFailed, this,
            [this](const QString &path) { m_operator.showError(QStringLiteral("无法打开图片文件：") + path); });
    connect(window, &DrawScreenWindow::closeAsked, this, &Application::close);
    connect(&m_draw, &Draw::resultsWanted, this, &Application::showResults);
    connect(&m_draw, &Draw::settingsChanged, this, [this] {
        if (m_results)
            m_results->setTitle(gbk::decode(m_draw.settings().options.title));
    });
    connect(m_bundle.get(), &BundleCommands::mainMenuWanted, window, &DrawScreenWindow::showMenus);
    connect(m_bundle.get(), &BundleCommands::settingsReplaced, this, [this] {
        if (m_results)
            m_results->reloadBackground();
    });
}

Application::~Application()
{
    // The windows and the remote go before the draw they show.
    delete m_remote;
    m_console.reset();
    m_window.reset();
}

QWidget *Application::operatorWindow() const
{
    return m_console->isVisible() ? static_cast<QWidget *>(m_console.get()) : m_window.get();
}

void Application::placeWindows()
{
    const QList<QScreen *> all = QGuiApplication::screens();
    if (all.isEmpty())
        return;
    // Separate X screens all call themselves "screen": each name made unique
    // by its place, so the choice remembered names one.
    QStringList names;
    for (QScreen *s : all) {
        QString name = s->name();
        for (int n = 2; names.contains(name); ++n)
            name = s->name() + QStringLiteral(" (%1)").arg(n);
        names << name;
    }
    const screens::Roles roles =
        screens::roles(names, int(all.indexOf(QGuiApplication::primaryScreen())), screens::loadChoice(m_draw.folder()));
    m_menus.setScreens(names, roles.audience);
    m_window->moveToScreen(all[roles.audience]);
    if (roles.separate()) {
        QScreen *own = all[roles.operatorScreen];
        m_console->setScreen(own);
        const QRect area = own->availableGeometry();
        m_console->move(area.center() - QPoint(m_console->width() / 2, m_console->height() / 2));
        m_console->show();
    } else {
        m_console->hide();
    }
}

void Application::chooseScreen(const QString &name)
{
    try {
        screens::saveChoice(m_draw.folder(), name);
    } catch (const OperationError &error) {
        m_operator.showError(QStringLiteral("投影屏幕的选择没能保存：\r") + withWriteAdvice(error.message()));
        return;
    }
    placeWindows();
}

void Application::showRemoteState()
{
    const remote::RemoteServer &server = m_remote->server();
    m_console->setRemoteText(server.isListening() ? QStringLiteral("手机遥控：已开启 ") + server.url()
                                                  : QStringLiteral("手机遥控：未开启"));
}

// ---- start-up -------------------------------------------------------------

void Application::start(std::unique_ptr<PicturePrefetch> prefetch)
{
    placeWindows();
    m_prefetch = std::move(prefetch);
    m_window->setPicturePrefetch(m_prefetch.get());
    m_draw.startScreen();
    try {
        if (const std::optional<Theme> stored = theme::load(m_draw.folder()))
            m_theme->applyStored(*stored);
    } catch (const OperationError &error) {
        // Only the look: the screen keeps the built-in one.
        reportQuietly("start-up (theme)", error);
    }
    m_window->hideMenus();
    if (m_window->painted())
        startDraw();
    else
        connect(m_window.get(), &DrawScreenWindow::firstFramePainted, this, &Application::startDraw,
                Qt::SingleShotConnection);
}

void Application::startDraw()
{
    m_draw.startDraw();
    // The start-up's pictures are taken by now; whatever is left goes.
    m_window->setPicturePrefetch(nullptr);
    m_prefetch.reset();
    m_started = true;
    emit drawStarted();
}

// ---- the menus ------------------------------------------------------------

void Application::run(MainMenus::Command command)
{
    using C = MainMenus::Command;
    switch (command) {
    case C::ShowResults:
        showResults();
        break;
    case C::ShowHistory:
        m_records.openHistory();
        break;
    case C::ExportWinners:
        m_records.exportWinners(now());
        break;
    case C::ExportNonWinners:
        m_records.exportNonWinners(now());
        break;
    case C::RestartDraw:
        m_draw.restart(now());
        break;
    case C::GiveUp:
        openGiveUp();
        break;
    case C::PhoneRemote:
        m_remote->open(operatorWindow());
        break;
    case C::SaveBundle:
        m_bundle->saveBundle(now());
        break;
    case C::ImportBundle:
        m_bundle->importBundle();
        break;
    case C::RestoreDefaults:
        m_bundle->restoreDefaults();
        break;
    case C::Exit:
        m_window->close();
        break;
    case C::ParticipantList:
        openParticipantList();
        break;
    case C::AwardSettings:
        openAwardSettings();
        break;
    case C::CustomBackground:
        m_theme->chooseCustomBackground();
        break;
    case C::QuickHelp:
        openQuickHelp();
        break;
    case C::Guide:
        help::openGuide(m_draw.folder(), m_operator);
        break;
    case C::About:
        openAbout();
        break;
    case C::SoundOff:
        m_draw.setSoundOn(false);
        break;
    case C::SoundOn:
        m_draw.setSoundOn(true);
        break;
    }
}

template<typename Window, typename... Args>
Window *Application::window(QPointer<Window> &slot, Args &&...args)
{
    QWidget *owner = operatorWindow();
    if (!slot) {
        slot = new Window(std::forward<Args>(args)..., owner);
        connect(slot.data(), &QDialog::finished, m_window.get(), &DrawScreenWindow::takeFocusBack);
    } else if (slot->parentWidget() != owner) {
        slot->setParent(owner, slot->windowFlags());
    }
    return slot.data();
}

void Application::showResults()
{
    // The results are for the room: on the draw screen's screen.
    if (!m_results) {
        m_results = new ResultsWindow(m_draw.folder(), m_operator, m_sound, m_music, m_window.get());
        connect(m_results.data(), &QDialog::finished, m_window.get(), &DrawScreenWindow::takeFocusBack);
    }
    ResultsWindow *results = m_results.data();
    if (!results->property("bound").toBool()) {
        results->setProperty("bound", true);
        connect(results, &ResultsWindow::exportWinnersAsked, this, [this] { m_records.exportWinners(now()); });
    }
    results->setTitle(gbk::decode(m_draw.settings().options.title));
    results->showModal(m_window->fullScreenLocked(), m_draw.settings().options.soundOn);
}

void Application::openGiveUp()
{
    window(m_giveUp, m_draw, m_operator)->showModal();
}

void Application::openParticipantList()
{
    window(m_participantList, m_draw, m_operator)->showOver(operatorWindow());
}

void Application::openAwardSettings()
{
    window(m_awardSettings, m_draw, m_operator)->showOver(operatorWindow());
}

void Application::openQuickHelp()
{
    ui::showModalOver(window(m_quickHelp, m_draw.folder(), m_operator), operatorWindow());
}

void Application::openAbout()
{
    ui::showModalOver(window(m_about, m_draw.folder(), m_operator), operatorWindow());
}

void Application::close()
{
    if (!m_exit.confirmClose(now()))
        return;
    m_theme->save();
    m_sound.closeMusic();
    m_console->hide();
    m_window->closeNow();
}

// ---- the program ----------------------------------------------------------

int runApplication(int argc, char **argv, const QString &folder)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvix"));
    installChineseFaces();

    // Qt's own buttons and dialogs in Chinese.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // One program per program folder, taken before any file is read or
    // written: a second start would prepare a new plan under the first one's
    // draw. A dead owner's lock is recognised as stale and taken over.
    FolderLock folderLock(folder);
    if (!folderLock.tryLock()) {
        std::fprintf(stderr, "%s\n", FolderLock::alreadyRunningText().toLocal8Bit().constData());
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
            QtOperator op;
            op.warn(FolderLock::alreadyRunningText());
        }
        // Then the running program's window comes to the front, where it can.
        FrontChannel::askToFront(folder);
        return 1;
    }

    const ProgramFolder programFolder(folder);
    QtOperator op;
    QtSound sound;
    sound.preloadEffects({programFolder.path(files::StartSound), programFolder.path(files::StopSound)});
    // The results window's music has a player of its own.
    QtSound resultMusic;
    resultMusic.setRepeatTimerRunning(false);
    DrawRandom random = DrawRandom::fromSystem();

    // The background decodes on another thread while the window is made.
    QStringList pictures;
    try {
        if (const std::optional<Theme> stored = theme::load(programFolder))
            pictures = theme::startupLook(programFolder, *stored).pictures;
    } catch (const OperationError &) {
        // The start-up meets the same file again and passes over it there.
    }
    if (pictures.isEmpty())
        pictures << DrawScreenWindow::BuiltInBackground;
    auto prefetch = std::make_unique<PicturePrefetch>();
    for (const QString &picture : pictures)
        prefetch->start(picture);

    Application program(folder, op, sound, resultMusic, random);
    sound.setSoundOn([&program] { return program.draw().settings().options.soundOn; });
    DrawScreenWindow &window = program.window();
    // Questions stand over the operator's window, never the audience's.
    op.setWindows(&program.console(), &window);
    // The screen comes up first; the plan, the questions about an unfinished
    // draw and the media player follow once its first frame is painted.
    QObject::connect(&window, &DrawScreenWindow::firstFramePainted, &window, [] {
        if (qEnvironmentVariableIsSet("SORVIX_BENCH_FIRST_FRAME")) {
            // For the start-up benchmark only: the monotonic clock at the first frame.
            std::printf("first-frame %lld\n", (long long)QDeadlineTimer::current().deadlineNSecs());
            std::fflush(stdout);
        }
    });
    QObject::connect(&program, &Application::drawStarted, &window, [&] {
        sound.warmUp();
        if (qEnvironmentVariableIsSet("SORVIX_BENCH_FIRST_FRAME"))
            QApplication::exit(0);
    });
    FrontChannel front(folder);
    front.listen([&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.raise();
        window.activateWindow();
    });
    program.start(std::move(prefetch));
    window.goFullScreen();
    window.activateWindow();
    window.setFocus();
    return app.exec();
}

} // namespace sorvix
