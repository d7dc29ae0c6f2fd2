// Tlottery.dll, Curtain.dll, bgtheme.dll, keyword.dll and showword.dll as an
// organiser may have edited them: read the way the start-up and the editors do.
#include "fuzzsupport.h"

#include "base/errors.h"
#include "presentation/theme.h"
#include "settings/awardsettings.h"
#include "settings/participantlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix;
    const QList<QByteArray> parts = fuzz::split(fuzz::bytes(data, size), 5);
    const ProgramFolder &folder = fuzz::scratchFolder();
    fuzz::put(folder, files::Lottery, parts[0]);
    fuzz::put(folder, files::ScreenPositions, parts[1]);
    fuzz::put(folder, files::Theme, parts[2]);
    fuzz::put(folder, files::KeyWord, parts[3]);
    fuzz::put(folder, files::ShowWord, parts[4]);

    AwardSettings settings = AwardSettings::defaults();
    try {
        awardfile::loadInto(folder, settings);
    } catch (const OperationError &) {
    }
    // Whatever was read, a save writes the whole file with valid choices.
    const Lines saved = settings.toLines();
    if (saved.size() != awardfile::LineCount)
        __builtin_trap();
    AwardSettings again = AwardSettings::defaults();
    again.readLines(saved);
    if (again.toLines() != saved)
        __builtin_trap();
    for (const AwardLevel &level : settings.levels) {
        try {
            const int quantity = level.quantityValue();
            if (quantity < 1 || quantity > MaxQuantity)
                __builtin_trap();
        } catch (const OperationError &) {
        }
    }
    try {
        awardfile::loadPositions(folder, settings.options);
        if (settings.options.captionPosition < 0 || settings.options.prizePosition < 0)
            __builtin_trap();
    } catch (const OperationError &) {
    }
    if (const std::optional<Theme> stored = theme::load(folder)) {
        theme::startupLook(folder, *stored);
        Theme copy = *stored;
        copy.showColour(stored->colourName);
    }
    try {
        const int key = keyfiles::loadKeyField(folder, KeyName);
        if (key < KeyName || key > KeyWorkId)
            __builtin_trap();
        ShowFields show = keyfiles::loadShowFields(folder, ShowFields(), key);
        if (!show.showSwitch(key))
            __builtin_trap();
    } catch (const OperationError &) {
    }
    return 0;
}
