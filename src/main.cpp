#include "app/commandline.h"
#include "app/ui/application.h"
#include "base/errors.h"
#include "base/folderlayout.h"
#include "base/platform.h"
#include "base/version.h"
#include "sheets/workbook.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdio>

namespace {

// A program folder the program cannot run on: said on the terminal, and in a
// message box when there is a screen to show one (a start from the menu has
// no terminal).
int refuseToStart(int argc, char **argv, const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return 1;
#endif
    QApplication app(argc, argv);
    QMessageBox::critical(nullptr, QStringLiteral("Sorvix"), message);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace sorvix;
    // The list editor's import starts this executable again to read one workbook.
    if (const std::optional<int> reader = workbook::readerMain(argc, argv))
        return *reader;

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Sorvix");
    const StartRequest request =
        parseCommandLine(arguments, QFileInfo(platform::executablePath()).absolutePath(), userFolder);
    if (request.action != StartRequest::Action::Run)
        platform::attachParentConsole();
    switch (request.action) {
    case StartRequest::Action::PrintHelp:
    case StartRequest::Action::PrintVersion:
        std::fputs(request.text.toUtf8().constData(), stdout);
        return 0;
    case StartRequest::Action::Refuse:
        std::fprintf(stderr, "%s\n", request.text.toUtf8().constData());
        return 2;
    case StartRequest::Action::Run:
        break;
    }
    if (!request.factory.isEmpty()) {
        try {
            FolderLayout(request.factory, QString::fromLatin1(VersionNumber)).prepare(request.folder);
        } catch (const OperationError &e) {
            return refuseToStart(argc, argv, e.message());
        }
    }
    return runApplication(argc, argv, request.folder);
}
