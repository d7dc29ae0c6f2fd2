#include "app/ui/application.h"

#include "app/frontchannel.h"

#include "base/folderlock.h"
#include "base/ui/fontsetup.h"
#include "app/ui/drawscreenwindow.h"
#include "base/ui/picturebox.h"
#include "base/ui/qtoperator.h"
#include "engine/prepare.h"
#include "engine/session.h"
#include "presentation/theme.h"
#include "presentation/ui/qtsound.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <cstdio>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sorvix {

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

    Session session;
    session.folder = ProgramFolder(folder);

    QtOperator op;
    QtSound sound;
    sound.setSoundOn([&session] { return session.settings.options.soundOn; });
    sound.preloadEffects({session.folder.path(files::StartSound), session.folder.path(files::StopSound)});
    DrawRandom random = DrawRandom::fromSystem();

    // The background decodes on another thread while the window is made.
    QStringList pictures;
    if (const std::optional<Theme> stored = theme::load(session.folder))
        pictures = theme::startupLook(session.folder, *stored).pictures;
    if (pictures.isEmpty())
        pictures << DrawScreenWindow::BuiltInBackground;
    auto prefetch = std::make_unique<PicturePrefetch>();
    for (const QString &picture : pictures)
        prefetch->start(picture);

    // The results window's music has a player of its own.
    QtSound resultMusic;
    resultMusic.setRepeatTimerRunning(false);

    DrawScreenWindow window(session, op, sound, random);
    window.adoptPrefetch(std::move(prefetch));
    window.setResultMusic(resultMusic);
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
    QObject::connect(&window, &DrawScreenWindow::drawStarted, &window, [&] {
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
    window.start();
    window.goFullScreen();
    window.setFocus();
    return app.exec();
}

} // namespace sorvix
