#include "app/ui/application.h"

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
    window.startScreen();
    // The screen comes up first; the plan, the questions about an unfinished
    // draw and the media player follow at once.
    QObject::connect(&window, &DrawScreenWindow::firstFramePainted, &window, [&] {
        if (qEnvironmentVariableIsSet("SORVIX_BENCH_FIRST_FRAME")) {
            // For the start-up benchmark only: the monotonic clock at the first frame.
            std::printf("first-frame %lld\n", (long long)QDeadlineTimer::current().deadlineNSecs());
            std::fflush(stdout);
        }
        window.startDraw();
        sound.warmUp();
        if (qEnvironmentVariableIsSet("SORVIX_BENCH_FIRST_FRAME"))
            QApplication::exit(0);
    });
    window.goFullScreen();
    window.setFocus();
    return app.exec();
}

} // namespace sorvix
