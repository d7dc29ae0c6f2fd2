// The award settings editor opened on any Tlottery.dll and Curtain.dll (input
// cut in two at "\n@@\n"), then saved: whatever it shows keeps the quantity
// rule, and what it saves reads back as exactly what it showed.
#include "fuzzsupport.h"

#include "base/errors.h"
#include "editors/awardeditor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix;
    const QList<QByteArray> parts = fuzz::split(fuzz::bytes(data, size), 2);
    const ProgramFolder &folder = fuzz::scratchFolder();
    fuzz::put(folder, files::Lottery, parts[0]);
    fuzz::put(folder, files::ScreenPositions, parts[1]);
    fuzz::putList(folder);

    fuzz::StartedDraw started(folder, OperatorPort::Answer::Yes, size);
    AwardEditor editor(started.draw, started.op);
    editor.windowShown();
    const auto check = [&] {
        for (int k = 0; k < LevelCount; ++k) {
            const QByteArray &quantity = editor.settings().levels[size_t(k)].quantity;
            if (!isValidQuantity(quantity) || quantity.size() > 3)
                __builtin_trap();
        }
        if (editor.settings().toLines().size() != awardfile::LineCount)
            __builtin_trap();
    };
    check();
    const Lines shown = editor.settings().toLines();
    if (!editor.save())
        __builtin_trap();
    check();
    if (editor.settings().toLines() != shown || awardfile::load(folder).toLines() != shown)
        __builtin_trap();
    return 0;
}
