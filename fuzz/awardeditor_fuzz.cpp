// The award settings editor opened on any Tlottery.dll and Curtain.dll (input
// cut in two at "\n@@\n"), then saved: whatever it shows keeps the quantity
// rule, and what it saves reads back as exactly what it showed.
#include "fuzzsupport.h"

#include "base/errors.h"
#include "editors/awardeditor.h"

namespace {

using namespace sorvix;

// The draw as far as the editor sees it: the live settings read from the folder.
class FolderHost : public AwardEditorHost
{
public:
    explicit FolderHost(const ProgramFolder &folder) : m_folder(folder) {}
    AwardSettings live = AwardSettings::defaults();

    const AwardSettings &liveSettings() const override { return live; }
    bool drawUnderway() const override { return false; }
    void stopRolling() override {}
    void reloadRawSettingsLists() override { m_folder.readLines(files::Lottery); }
    void loadAwardSettings() override { awardfile::loadInto(m_folder, live); }
    void showStartStopKeys() override {}
    void restartRoundCount() override {}
    void clearTooManyWinners() override {}
    bool prepareDraw() override { return false; }
    void setCaptionPosition(int position) override { live.options.captionPosition = position; }
    void setPrizePosition(int position) override { live.options.prizePosition = position; }

private:
    ProgramFolder m_folder;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = fuzz::split(fuzz::bytes(data, size), 2);
    const ProgramFolder &folder = fuzz::scratchFolder();
    fuzz::put(folder, files::Lottery, parts[0]);
    fuzz::put(folder, files::ScreenPositions, parts[1]);

    fuzz::QuietOperator op;
    FolderHost host(folder);
    try {
        awardfile::loadPositions(folder, host.live.options);
    } catch (const OperationError &) {
    }
    AwardEditor editor(folder, op, host);
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
