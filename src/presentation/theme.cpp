#include "presentation/theme.h"

#include "base/gbk.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace sorvix {

namespace {

struct NamedColour
{
    const char *name;
    QRgb rgb;
};

// Compared in this order; exact spelling only.
constexpr std::array<NamedColour, 6> Colours{{
    {"Yellow", qRgb(255, 255, 0)},
    {"Red", qRgb(255, 0, 0)},
    {"Green", qRgb(0, 128, 0)},
    {"Blue", qRgb(0, 0, 255)},
    {"Black", qRgb(0, 0, 0)},
    {"White", qRgb(255, 255, 255)},
}};

constexpr const char *Traditional = "传统主题";
constexpr const char *Nature = "自然主题";

constexpr std::array<theme::ThemeItem, 28> BuiltIn{{
    {Traditional, "喜庆红", "1", "themeRed1", "bg\\red\\1.jpg", "Yellow"},
    {Traditional, "喜庆红", "2", "themeRed2", "bg\\red\\2.jpg", "Yellow"},
    {Traditional, "喜庆红", "3", "themeRed3", "bg\\red\\3.jpg", "Yellow"},
    {Traditional, "喜庆红", "4", "themeRed4", "bg\\red\\4.jpg", "Yellow"},
    {Traditional, "喜庆红", "5", "themeRed5", "bg\\red\\5.jpg", "Yellow"},
    {Traditional, "清新蓝", "1", "themeBlue1", "bg\\blue\\1.jpg", "Yellow"},
    {Traditional, "清新蓝", "2", "themeBlue2", "bg\\blue\\2.jpg", "Yellow"},
    {Traditional, "美丽粉", "1", "themePink1", "bg\\pink\\1.jpg", "Blue"},
    {Traditional, "美丽粉", "2", "themePink2", "bg\\pink\\2.jpg", "Red"},
    {Traditional, "美丽粉", "3", "themePink3", "bg\\pink\\3.jpg", "Red"},
    {Nature, "蓝天", "1", "themeSky1", "bg\\sky\\1.jpg", "Red"},
    {Nature, "蓝天", "2", "themeSky2", "bg\\sky\\2.jpg", "Red"},
    {Nature, "蓝天", "3", "themeSky3", "bg\\sky\\3.jpg", "Red"},
    {Nature, "大海", "1", "themeSea1", "bg\\sea\\1.jpg", "Red"},
    {Nature, "大海", "2", "themeSea2", "bg\\sea\\2.jpg", "Red"},
    {Nature, "大海", "3", "themeSea3", "bg\\sea\\3.jpg", "Red"},
    {Nature, "白雪", "1", "themeSnow1", "bg\\snow\\1.jpg", "Red"},
    {Nature, "白雪", "2", "themeSnow2", "bg\\snow\\2.jpg", "Red"},
    {Nature, "白雪", "3", "themeSnow3", "bg\\snow\\3.jpg", "Red"},
    {Nature, "原野", "1", "themePlain1", "bg\\plane\\1.jpg", "Red"},
    {Nature, "原野", "2", "themePlain2", "bg\\plane\\2.jpg", "Red"},
    {Nature, "原野", "3", "themePlain3", "bg\\plane\\3.jpg", "Red"},
    {Nature, "日出", "1", "themeSun1", "bg\\sun\\1.jpg", "Yellow"},
    {Nature, "日出", "2", "themeSun2", "bg\\sun\\2.jpg", "Yellow"},
    {Nature, "日出", "3", "themeSun3", "bg\\sun\\3.jpg", "Yellow"},
    {Nature, "山峦", "1", "themeMountain1", "bg\\mountain\\1.jpg", "Red"},
    {Nature, "山峦", "2", "themeMountain2", "bg\\mountain\\2.jpg", "Red"},
    {Nature, "山峦", "3", "themeMountain3", "bg\\mountain\\3.jpg", "Red"},
}};

constexpr std::array<theme::ColourItem, 6> ColourMenu{{
    {"colourRed", "红", "Red"},
    {"colourYellow", "黄", "Yellow"},
    {"colourGreen", "绿", "Green"},
    {"colourBlue", "蓝", "Blue"},
    {"colourBlack", "黑", "Black"},
    {"colourWhite", "白", "White"},
}};

constexpr std::array<theme::FontItem, 3> FontMenu{{
    {"fontHeiTi", "黑体"},
    {"fontKaiTi", "楷体"},
    {"fontSongTi", "宋体"},
}};

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

std::optional<QColor> Theme::showColour(const QByteArray &name)
{
    const std::optional<QColor> colour = theme::colourOf(name);
    if (colour)
        colourName = name;
    return colour;
}

namespace theme {

std::optional<QColor> colourOf(const QByteArray &name)
{
    for (const NamedColour &c : Colours) {
        if (name == c.name)
            return QColor(c.rgb);
    }
    return std::nullopt;
}

Lines toLines(const Theme &theme)
{
    return {theme.backgroundPath, theme.colourName, theme.fontName};
}

Theme fromLines(const Lines &lines)
{
    Theme t;
    t.backgroundPath = lines.value(0);
    t.colourName = lines.value(1);
    t.fontName = lines.value(2);
    return t;
}

std::optional<Theme> load(const ProgramFolder &folder)
{
    if (!folder.exists(files::Theme))
        return std::nullopt;
    return fromLines(folder.readLines(files::Theme));
}

void save(const ProgramFolder &folder, const Theme &theme)
{
    folder.writeLines(files::Theme, toLines(theme));
}

StartupLook startupLook(const ProgramFolder &folder, const Theme &stored)
{
    StartupLook look;
    look.fontName = stored.fontName;
    if (stored.backgroundPath.isEmpty())
        return look;
    const QString path = gbk::decode(stored.backgroundPath);
    const QString underFolder = folder.path(path);
    if (isFile(underFolder))
        look.pictures.append(underFolder);
    // Only a full path stands by itself; a relative one would depend on the
    // working directory, and built-in pictures are found above already.
    if (QDir::isAbsolutePath(path) && isFile(path))
        look.pictures.append(path);
    return look;
}

std::span<const ThemeItem> builtInThemes()
{
    return BuiltIn;
}

std::span<const ColourItem> colourItems()
{
    return ColourMenu;
}

std::span<const FontItem> fontItems()
{
    return FontMenu;
}

QString chooseBuiltIn(Theme &theme, const ProgramFolder &folder, const ThemeItem &item)
{
    theme.backgroundPath = item.path; // plain ASCII: the same bytes in GBK
    return folder.path(QString::fromLatin1(item.path));
}

void chooseFont(Theme &theme, const FontItem &item)
{
    theme.fontName = gbk::fromUtf8(item.caption);
}

} // namespace theme
} // namespace sorvix
