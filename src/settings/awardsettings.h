#pragma once

#include "base/programfolder.h"

#include <QByteArray>
#include <array>

namespace sorvix {

constexpr int LevelCount = 11;
// A quantity edit holds at most three digits.
constexpr int MaxQuantityDigits = 3;
constexpr int MaxQuantity = 999;

// One award level, 0 the grand prize, 1..10 the first to tenth prizes.
struct AwardLevel
{
    bool enabled = false;
    QByteArray displayName;
    QByteArray quantity;   // as typed: "007" stays "007"
    QByteArray prizeText;
    QByteArray picturePath;
    int perRound = 10;     // 1, 2, 3, 4, 5 or 10

    // The quantity as a number, 1 to 999; throws OperationError for any
    // other text.
    int quantityValue() const;
};

struct DrawOptions
{
    QByteArray title = defaultTitle();
    bool titleCentred = true;
    bool titleHidden = false;
    QByteArray subtitle;
    bool subtitleCentred = true;
    bool subtitleHidden = false;
    bool statusHidden = false;
    bool statusCentred = true;
    int order = 0;             // 0 small prizes first, 1 big prizes first
    bool repeatedWins = false;
    bool prizeTextHidden = false;
    bool prizePictureHidden = false;
    int startStopKeys = 0;     // 0 space starts, Enter stops; 1 the other way round
    int captionSpeed = 0;      // 0 fast, 1 medium, 2 slow
    bool buttonsHidden = false;
    bool soundOn = true;
    int captionPosition = 0;   // Curtain.dll: 0 top, 1 bottom, 2 off
    int prizePosition = 0;     // Curtain.dll: 0 left, 1 right, 2 both

    static QByteArray defaultTitle();
    // "空格键开始回车键停止" or "回车键开始空格键停止", GBK.
    QByteArray startStopKeysText() const;
    // Caption strip timer period: 10, 25 or 50 ms.
    int captionIntervalMs() const;
};

// The eleven levels and the draw options: what Tlottery.dll holds.
struct AwardSettings
{
    std::array<AwardLevel, LevelCount> levels;
    DrawOptions options;

    // The editor's initial values.
    static AwardSettings defaults();

    static QByteArray fixedLevelName(int level); // "特等奖", "一等奖", ... GBK
    static const std::array<int, 6> &perRoundChoices(); // 1, 2, 3, 4, 5, 10

    // Tlottery.dll as 82 lines.
    Lines toLines() const;
    // Reads Tlottery.dll's lines into this record in file order. Missing lines
    // read as empty texts; the first missing or bad numeric line throws
    // OperationError, leaving the fields read so far with the file's values and
    // the rest as they were. A stored choice outside its list falls back to the
    // field's initial value, so a later save still writes a valid file.
    void readLines(const Lines &lines);

    // Highest enabled level, -1 when none.
    int highestEnabledLevel() const;
};

// Tlottery.dll and Curtain.dll in the program folder.
namespace awardfile {
constexpr int LineCount = 82;
AwardSettings load(const ProgramFolder &folder);              // throws on a missing file
void loadInto(const ProgramFolder &folder, AwardSettings &s);  // partial read on failure
void save(const ProgramFolder &folder, const AwardSettings &s);

// Curtain.dll: caption position and prize position. Missing file: nothing changes.
void loadPositions(const ProgramFolder &folder, DrawOptions &options);
void savePositions(const ProgramFolder &folder, const DrawOptions &options);
} // namespace awardfile

// The quantity rule: after trimming blanks, not empty, only digits, not 0.
bool isValidQuantity(const QByteArray &text);

} // namespace sorvix
