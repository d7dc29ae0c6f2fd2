#include "settings/awardsettings.h"

#include "base/errors.h"
#include "base/gbk.h"

namespace sorvix {

namespace {

constexpr int FirstLevelLine = 6;    // 0-based index of level 0's first line
constexpr int OptionsLine = 61;      // statusHidden
constexpr int PerRoundLine = 71;     // level 0's per-round choice

QByteArray flag(bool on) { return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0"); }
bool isOn(const QByteArray &line) { return line == "1"; }

int perRoundPosition(int perRound)
{
    const auto &choices = AwardSettings::perRoundChoices();
    for (int i = 0; i < int(choices.size()); ++i)
        if (choices[i] == perRound)
            return i;
    return int(choices.size()) - 1;
}

} // namespace

int AwardLevel::quantityValue() const
{
    // Only a quantity the editor could have let through reaches the plan's
    // arithmetic: a hand-edited "-3" or "1000000" is a bad number.
    int value = 0;
    if (!isValidQuantity(quantity) || !textfile::parseNumber(quantity, &value) || value > MaxQuantity)
        throw OperationError(QStringLiteral("“%1”不是有效的获奖人数").arg(gbk::decode(quantity)));
    return value;
}

QByteArray DrawOptions::defaultTitle()
{
    return gbk::fromUtf8("Qenwood科技有限公司新年联欢会");
}

QByteArray DrawOptions::startStopKeysText() const
{
    return startStopKeys == 0 ? gbk::fromUtf8("空格键开始回车键停止") : gbk::fromUtf8("回车键开始空格键停止");
}

int DrawOptions::captionIntervalMs() const
{
    switch (captionSpeed) {
    case 1: return 25;
    case 2: return 50;
    default: return 10;
    }
}

QByteArray AwardSettings::fixedLevelName(int level)
{
    static const char *names[LevelCount] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖",
                                            "六等奖", "七等奖", "八等奖", "九等奖", "十等奖"};
    return gbk::fromUtf8(names[level]);
}

const std::array<int, 6> &AwardSettings::perRoundChoices()
{
    static const std::array<int, 6> choices = {1, 2, 3, 4, 5, 10};
    return choices;
}

AwardSettings AwardSettings::defaults()
{
    static const char *shown[LevelCount] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖",
                                            "六等奖", "七等奖", "特殊贡献奖", "鼓励奖", "阳光普照奖"};
    AwardSettings s;
    for (int k = 0; k < LevelCount; ++k) {
        AwardLevel &level = s.levels[k];
        level.enabled = k <= 3;
        level.displayName = gbk::fromUtf8(shown[k]);
        level.quantity = k >= 9 ? QByteArrayLiteral("888") : QByteArray();
        level.perRound = 10;
    }
    s.options.subtitle = gbk::fromUtf8("幸运抽奖活动");
    return s;
}

Lines AwardSettings::toLines() const
{
    Lines lines;
    lines.reserve(awardfile::LineCount);
    const DrawOptions &o = options;
    lines << o.title << flag(o.titleCentred) << flag(o.titleHidden)
          << o.subtitle << flag(o.subtitleCentred) << flag(o.subtitleHidden);
    for (const AwardLevel &level : levels)
        lines << flag(level.enabled) << level.displayName << level.quantity << level.prizeText << level.picturePath;
    lines << flag(o.statusHidden) << flag(o.statusCentred)
          << (o.order == 0 ? QByteArrayLiteral("0") : QByteArrayLiteral("1"))
          << flag(o.repeatedWins) << flag(o.prizeTextHidden) << flag(o.prizePictureHidden)
          << (o.startStopKeys == 0 ? QByteArrayLiteral("0") : QByteArrayLiteral("1"))
          << textfile::fromNumber(o.captionSpeed >= 0 && o.captionSpeed <= 2 ? o.captionSpeed : 0)
          << flag(o.buttonsHidden) << flag(o.soundOn);
    for (const AwardLevel &level : levels)
        lines << textfile::fromNumber(perRoundPosition(level.perRound));
    return lines;
}

void AwardSettings::readLines(const Lines &lines)
{
    const auto text = [&](int index) { return index < lines.size() ? lines[index] : QByteArray(); };
    // A numeric line: missing or not a number ends the reading there.
    const auto choice = [&](int index, int count, int fallback) {
        const int value = textfile::toNumber(text(index));
        return value >= 0 && value < count ? value : fallback;
    };
    DrawOptions &o = options;
    o.title = text(0);
    o.titleCentred = isOn(text(1));
    o.titleHidden = isOn(text(2));
    o.subtitle = text(3);
    o.subtitleCentred = isOn(text(4));
    o.subtitleHidden = isOn(text(5));
    for (int k = 0; k < LevelCount; ++k) {
        AwardLevel &level = levels[k];
        const int base = FirstLevelLine + 5 * k;
        level.enabled = isOn(text(base));
        level.displayName = text(base + 1);
        level.quantity = text(base + 2);
        level.prizeText = text(base + 3);
        level.picturePath = text(base + 4);
    }
    o.statusHidden = isOn(text(OptionsLine));
    o.statusCentred = isOn(text(OptionsLine + 1));
    o.order = choice(OptionsLine + 2, 2, 0);
    o.repeatedWins = isOn(text(OptionsLine + 3));
    o.prizeTextHidden = isOn(text(OptionsLine + 4));
    o.prizePictureHidden = isOn(text(OptionsLine + 5));
    o.startStopKeys = choice(OptionsLine + 6, 2, 0);
    o.captionSpeed = choice(OptionsLine + 7, 3, 0);
    o.buttonsHidden = isOn(text(OptionsLine + 8));
    o.soundOn = isOn(text(OptionsLine + 9));
    const auto &choices = perRoundChoices();
    for (int k = 0; k < LevelCount; ++k)
        levels[k].perRound = choices[choice(PerRoundLine + k, int(choices.size()), int(choices.size()) - 1)];
}

int AwardSettings::highestEnabledLevel() const
{
    for (int k = LevelCount - 1; k >= 0; --k)
        if (levels[k].enabled)
            return k;
    return -1;
}

bool isValidQuantity(const QByteArray &text)
{
    const QByteArray t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool allZero = true;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        if (c != '0')
            allZero = false;
    }
    return !allZero;
}

namespace awardfile {

AwardSettings load(const ProgramFolder &folder)
{
    AwardSettings s = AwardSettings::defaults();
    loadInto(folder, s);
    return s;
}

void loadInto(const ProgramFolder &folder, AwardSettings &s)
{
    s.readLines(folder.readLines(files::Lottery));
}

void save(const ProgramFolder &folder, const AwardSettings &s)
{
    folder.writeLines(files::Lottery, s.toLines());
}

void loadPositions(const ProgramFolder &folder, DrawOptions &options)
{
    if (!folder.exists(files::ScreenPositions))
        return;
    const Lines lines = folder.readLines(files::ScreenPositions);
    // Both read before either is taken: a bad second line changes nothing.
    const int caption = textfile::toCount(lines.value(0));
    const int prize = textfile::toCount(lines.value(1));
    options.captionPosition = caption;
    options.prizePosition = prize;
}

void savePositions(const ProgramFolder &folder, const DrawOptions &options)
{
    folder.writeLines(files::ScreenPositions, {textfile::fromNumber(options.captionPosition),
                                       textfile::fromNumber(options.prizePosition)});
}

} // namespace awardfile
} // namespace sorvix
