// The configuration bundle's import over any bytes: a bundle that is refused
// changes no file of the program folder; one that is taken leaves every member
// file as the bundle says, and saving it again gives the same members.
#include "fuzzsupport.h"

#include "bundle/bundle.h"
#include "bundle/bundlecommands.h"
#include "base/nulloperatorports.h"

#include <QFile>

namespace {

using namespace sorvix;

QByteArray contents(const ProgramFolder &folder, const QString &name)
{
    QFile file(folder.path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const ProgramFolder &folder = fuzz::scratchFolder();
    // The organiser's files before the import: each member holds its own name.
    Bundle reference;
    reference.showFields = Lines(Bundle::ShowLines);
    const std::vector<MemberFile> members = reference.memberFiles();
    for (const MemberFile &member : members)
        fuzz::put(folder, member.name, member.name.toLatin1() + "\r\n");
    fuzz::put(folder, QStringLiteral("in.drcf"), input);

    fuzz::QuietOperator op;
    NullSound sound;
    DrawRandom random(size);
    Draw draw(folder, op, sound, random);
    fuzz::NoThemeView view;
    ThemeChoice theme(folder, op, view);
    BundleCommands commands(draw, theme, op);
    const bool imported = commands.importFile(folder.path(QStringLiteral("in.drcf")));

    Bundle bundle;
    const bool accepted = Bundle::read(input, &bundle) == Bundle::Status::Ok;
    if (imported != accepted)
        __builtin_trap();
    if (!imported) {
        for (const MemberFile &member : members)
            if (contents(folder, member.name) != member.name.toLatin1() + "\r\n")
                __builtin_trap();
        return 0;
    }
    const std::vector<MemberFile> written = bundle.memberFiles();
    for (const MemberFile &member : written)
        if (contents(folder, member.name) != member.contents)
            __builtin_trap();
    Bundle again;
    if (Bundle::read(bundle.toBytes(), &again) != Bundle::Status::Ok)
        __builtin_trap();
    const std::vector<MemberFile> rewritten = again.memberFiles();
    for (size_t i = 0; i < written.size(); ++i)
        if (rewritten[i].contents != written[i].contents)
            __builtin_trap();
    return 0;
}
