#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"

#include <QStringList>

namespace sorvix {

// Help and about: the quick help's text and its quickhelp.dll, the about box's
// texts, and the user guide shipped in the program folder, which the help
// menu and the about box open with the shell.
namespace help {

// The user guide, relative to the program folder. Event rooms often have no
// network: the guide is a page of our own beside the program.
inline const QString GuidePage = QStringLiteral("help\\guide.html");

// The quick help's text, line by line (UTF-8).
const QStringList &quickHelpLines();

// quickhelp.dll as the quick help's close writes it: "0" when the operator
// asked not to be shown it at start, "1" otherwise. Throws OperationError.
void saveQuickHelp(const ProgramFolder &folder, bool dontShowAtStart);

// "在线帮助", and the about box's links: the guide opened with the shell; a
// missing guide or no browser to show it is said.
void openGuide(const ProgramFolder &folder, OperatorPort &op);

// The about box's lines.
QString productText();    // "Sorvix软件"
QString versionText();    // "v4.2.1"
QString makerText();      // "Qenwood出品"
// The address of the maker's page as the about box shows it: the guide's
// place in the program folder.
QString makerAddress();

} // namespace help
} // namespace sorvix
