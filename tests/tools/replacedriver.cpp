// Replaces files together over and over with the program's own code, for the
// replacement kill test to kill it at random moments:
//
//   replacedriver <program folder> list|bundle <rename>
//
// "list" saves the two lists of replacesets.h in turn; "bundle" imports
// bundle 1 and undoes the import, as after a reload that failed, so the
// folder goes from what the test laid out to bundle 1 and back. Finishes what
// an earlier run left first, as the start-up does, then prints "ready". With
// <rename> above 0 it kills itself as it begins that rename after "ready";
// otherwise it runs until killed. Exit 2 on bad use, 4 on an error.

#include "base/errors.h"
#include "bundle/bundle.h"
#include "settings/participantlist.h"
#include "tools/replacesets.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

long renamesLeft = 0;

} // namespace

// Every rename of this program passes here, those of its replacements
// included: the C library's is reached under another name.
extern "C" int rename(const char *from, const char *to) noexcept
{
    if (renamesLeft > 0 && --renamesLeft == 0)
        std::raise(SIGKILL);
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

int main(int argc, char **argv)
{
    const bool list = argc == 4 && std::strcmp(argv[2], "list") == 0;
    if (argc != 4 || (!list && std::strcmp(argv[2], "bundle") != 0)) {
        std::fprintf(stderr, "usage: replacedriver <program folder> list|bundle <rename>\n");
        return 2;
    }
    const ProgramFolder folder(QString::fromLocal8Bit(argv[1]));
    try {
        textfile::completeReplacement(folder.root());
        std::printf("ready\n");
        std::fflush(stdout);
        renamesLeft = std::atol(argv[3]);
        const std::vector<MemberFile> members = replacesets::bundle(1).memberFiles();
        for (int i = 0;; ++i) {
            if (list) {
                ParticipantList::save(folder, replacesets::listRows(i % 2));
                continue;
            }
            bundle::Replacement replacement(folder, members);
            replacement.apply();
            if (!replacement.undo())
                throw OperationError(QStringLiteral("undo failed"));
        }
    } catch (const OperationError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 4;
    }
}
