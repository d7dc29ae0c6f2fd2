#include "app/ui/application.h"

#include "app/ui/fontsetup.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtoperator.h"
#include "engine/prepare.h"
#include "engine/session.h"
#include "presentation/ui/qtsound.h"

#include <QApplication>
#include <QTimer>
#include <ctime>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sorvix {

namespace {

// For the start-up benchmark only: prints the monotonic clock once the first
// frame of the draw screen has been painted, then ends the program.
class FirstFrameProbe : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                printf("first-frame %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
                fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int runApplication(int argc, char **argv)
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
    session.folder = ProgramFolder(QApplication::applicationDirPath());

    QtOperator op;
    QtSound sound;
    sound.setSoundOn([&session] { return session.settings.options.soundOn; });
    sound.preloadEffects({session.folder.path(files::StartSound), session.folder.path(files::StopSound)});
    DrawRandom random = DrawRandom::fromSystem();

    TfrmMain window(session, op, sound, random);
    op.setParent(&window);
    window.FormCreate();
    FirstFrameProbe probe;
    if (qEnvironmentVariableIsSet("SORVIX_BENCH_FIRST_FRAME"))
        window.centralWidget()->installEventFilter(&probe);
    window.goFullScreen();
    window.setFocus();
    return app.exec();
}

} // namespace sorvix
