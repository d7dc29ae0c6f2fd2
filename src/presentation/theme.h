#pragma once

#include "base/programfolder.h"

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <optional>
#include <span>

namespace sorvix {

// The draw screen's look: background picture, text colour and font face, as
// bgtheme.dll holds them (GBK). Each field is empty until the operator sets it.
struct Theme
{
    // Relative to the program folder for built-in pictures (bg\red\1.jpg),
    // a full path for a custom one.
    QByteArray backgroundPath;
    QByteArray colourName;
    QByteArray fontName;

    // The colour step: a known name is stored and its colour returned for the
    // themed texts; any other name changes nothing.
    std::optional<QColor> showColour(const QByteArray &name);

    bool operator==(const Theme &) const = default;
};

namespace theme {

// The six text colours by their stored name; names are case-sensitive.
std::optional<QColor> colourOf(const QByteArray &name);

// bgtheme.dll: three lines, empty fields as empty lines.
Lines toLines(const Theme &theme);
// A missing line reads as empty.
Theme fromLines(const Lines &lines);
// nullopt when the program folder has no bgtheme.dll.
std::optional<Theme> load(const ProgramFolder &folder);
void save(const ProgramFolder &folder, const Theme &theme);

// What the start-up does with a stored theme: the font always; each picture in
// `pictures` is loaded in order (the last one loaded stays on screen) and the
// colour is applied after each successful load. The first candidate is the
// path under the program folder, the second the path taken by itself when it
// is a full path (a custom picture); either is listed only when the file is
// there. No picture found means the stored colour is not applied either.
struct StartupLook
{
    QByteArray fontName;
    QStringList pictures;
};
StartupLook startupLook(const ProgramFolder &folder, const Theme &stored);

// The menu items of "背景文字设置". Texts are UTF-8 literals for the window to
// show; the stored values (path, colour name, font name) are what goes into
// the theme.
struct ThemeItem
{
    const char *group;      // "传统主题" or "自然主题"
    const char *theme;      // "喜庆红", "蓝天", ...
    const char *entry;      // "1".."5"
    const char *objectName; // menu item name, "themeRed1", ...
    const char *path;       // backgroundPath, e.g. "bg\\red\\1.jpg"
    const char *colourName; // "Yellow", "Red" or "Blue"
};
struct ColourItem
{
    const char *objectName; // "colourRed", ...
    const char *caption;    // "红", ...
    const char *colourName; // "Red", ...
};
struct FontItem
{
    const char *objectName; // "fontHeiTi", ...
    const char *caption;    // "黑体", ...: also the stored font name
};

// In menu order: groups, then themes within a group, then entries.
std::span<const ThemeItem> builtInThemes();
std::span<const ColourItem> colourItems();
std::span<const FontItem> fontItems();

// A built-in theme item chosen: the path is stored at once (even when the
// picture turns out to be missing). Returns the picture file to load; after a
// successful load the window applies showColour(item.colourName).
QString chooseBuiltIn(Theme &theme, const ProgramFolder &folder, const ThemeItem &item);
// A font item chosen: stored as the font name.
void chooseFont(Theme &theme, const FontItem &item);

} // namespace theme
} // namespace sorvix
