#pragma once

#include <QString>
#include <QStringList>

namespace sorvix {

// What the program's command line asks for. The program runs on one program
// folder: by default its own folder (a build runs in place); with a factory
// folder (the installed launcher gives it) the user's own folder, laid out
// from the factory folder; with --folder the folder named.
struct StartRequest
{
    enum class Action { Run, PrintHelp, PrintVersion, Refuse };
    Action action = Action::Run;
    QString folder;  // the program folder to run on
    QString factory; // the factory folder to lay it out from; empty: run in place
    QString text;    // the help, the version or why the command line is refused
};

// `arguments` without the program's name; `executableFolder` holds the
// executable; `userFolder` is the user's own program folder.
StartRequest parseCommandLine(const QStringList &arguments, const QString &executableFolder,
                              const QString &userFolder);

} // namespace sorvix
