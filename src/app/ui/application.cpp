#include "app/ui/application.h"

#include "app/ui/fontsetup.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtoperator.h"
#include "engine/prepare.h"
#include "engine/session.h"
#include "presentation/ui/qtsound.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sorvix {

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
    window.goFullScreen();
    window.setFocus();
    return app.exec();
}

} // namespace sorvix
