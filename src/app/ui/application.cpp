#include "app/ui/application.h"

#include "app/frontchannel.h"
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
#include "presentation/theme.h"
#include "presentation/ui/qtsound.h"
#include "presentation/ui/resultswindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLibraryInfo>
#include <QLocale>
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
      m_window(std::make_unique<DrawScreenWindow>(m_draw)),
      m_theme(std::make_unique<ThemeChoice>(m_draw.folder(), op, *m_window)),
      m_bundle(std::make_unique<BundleCommands>(m_draw, *m_theme, op))
{
    m_remote = new PhoneRemote(m_draw, op, m_window.get());
    for (QAction *item : m_window->remoteItems())
        m_remote->follow(item);

    DrawScreenWindow *window = m_window.get();
    connect(window, &DrawScreenWindow::commandChosen, this, &Application::run);
    connect(window, &DrawScreenWindow::themeChosen, this,
            [this](int item) { m_theme->chooseBuiltIn(theme::builtInThemes()[size_t(item)]); });
    connect(window, &DrawScreenWindow::colourChosen, this,
            [this](int item) { m_theme->chooseColour(QByteArray(theme::colourItems()[size_t(item)].colourName)); });
    connect(window, &DrawScreenWindow::fontChosen, this,
            [this](int item) { m_theme->chooseFont(theme::fontItems()[size_t(item)]); });
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
    // The windows go before the draw they show.
    m_window.reset();
}

// ---- start-up -------------------------------------------------------------

void Application::start(std::unique_ptr<PicturePrefetch> prefetch)
{
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

void Application::run(DrawScreenWindow::Command command)
{
    using C = DrawScreenWindow::Command;
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
        m_remote->open();
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
    if (!slot) {
        slot = new Window(std::forward<Args>(args)..., m_window.get());
        connect(slot.data(), &QDialog::finished, m_window.get(), &DrawScreenWindow::takeFocusBack);
    }
    return slot.data();
}

void Application::showResults()
{
    ResultsWindow *results = window(m_results, m_draw.folder(), m_operator, m_sound, m_music);
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
    window(m_participantList, m_draw, m_operator)->showOver(m_window.get());
}

void Application::openAwardSettings()
{
    window(m_awardSettings, m_draw, m_operator)->showOver(m_window.get());
}

void Application::openQuickHelp()
{
    window(m_quickHelp, m_draw.folder(), m_operator)->open();
}

void Application::openAbout()
{
    window(m_about, m_draw.folder(), m_operator)->open();
}

void Application::close()
{
    if (!m_exit.confirmClose(now()))
        return;
    m_theme->save();
    m_sound.closeMusic();
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
    op.setParent(&window);
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
    window.setFocus();
    return app.exec();
}

} // namespace sorvix
