// The five participant column files, of any length and content, loaded into
// the pool with its display texts under several choices of shown fields.
#include "fuzzsupport.h"

#include "base/errors.h"
#include "engine/drawpool.h"
#include "settings/participantlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix;
    if (size == 0)
        return 0;
    const quint8 switches = data[0];
    const QList<QByteArray> parts = fuzz::split(fuzz::bytes(data + 1, size - 1), ColumnCount);
    const ProgramFolder &folder = fuzz::scratchFolder();
    for (int c = 0; c < ColumnCount; ++c)
        fuzz::put(folder, ParticipantList::columnFile(c), parts[c]);

    ParticipantList list;
    try {
        list = ParticipantList::load(folder);
    } catch (const OperationError &) {
        return 0;
    }
    ShowFields show;
    show.showName = switches & 1;
    show.showMobile = switches & 2;
    show.showId = switches & 4;
    show.showWorkId = switches & 8;
    show.maskMobile = switches & 16;
    show.maskId = switches & 32;
    show.keepKeyShown((switches >> 6) & 3);
    const DrawPool pool = buildPool(list, show);
    if (int(pool.size()) != list.count())
        __builtin_trap();
    // Saved as the editor saves the list, then read back: the same people.
    ParticipantList::save(folder, list.rows());
    const ParticipantList reread = ParticipantList::load(folder);
    if (reread.count() != list.count())
        __builtin_trap();
    for (int c = 0; c < ColumnCount; ++c)
        if (reread.columns[c].size() != list.count() + 1)
            __builtin_trap();
    return 0;
}
