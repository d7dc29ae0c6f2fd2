#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"
#include "presentation/layout.h"

#include <QString>
#include <vector>

namespace sorvix {

// The rows of the results window: one per line of the winners list, rising two
// pixels per tick through the band from 135 to H - 61 of a window H pixels
// high. A row that passes the band's upper edge is hidden and moved down by
// M = trunc(H / 2) + 40 n, so the column comes round again with a gap of about
// half a window after its last row. Pure arithmetic: the window paints the rows.
class RisingRows
{
public:
    static constexpr int TickMs = 50;
    static constexpr int Step = 2;
    static constexpr int Spacing = 40;
    static constexpr int BandTop = 135;
    static constexpr int BottomMargin = 60;

    // Replaces any earlier rows: row i starts at trunc(H / 2) + 40 i.
    void build(int count, int clientHeight);
    void clear();
    // One tick of the timer, H taken once for all rows.
    void tick(int clientHeight);

    int count() const { return int(m_top.size()); }
    int top(int row) const { return m_top[size_t(row)]; }
    bool visible(int row) const { return m_visible[size_t(row)] != 0; }

    // How far a row that left the band moves down.
    static int wrapDistance(int clientHeight, int count) { return clientHeight / 2 + Spacing * count; }
    // A row at `top` that has not just wrapped shows exactly inside the band.
    static bool inBand(int top, int clientHeight) { return top >= BandTop && top < clientHeight - BottomMargin; }

private:
    std::vector<int> m_top;
    std::vector<char> m_visible;
};

// Where the results window puts its texts and rows in a client area. Up to
// 1920 x 1080 they keep their pixel sizes; a larger window is the 1080 one
// grown as the draw screen is (layout::ScreenGrowth). The rows rise in the
// base's pixels (RisingRows gets baseHeight()) and are mapped when painted.
struct ResultsLayout
{
    static constexpr int TitleTop = 50;
    static constexpr int TitlePixels = 32;
    static constexpr int TitleHeight = 46;
    static constexpr int SubtitleTop = 95;
    static constexpr int SubtitlePixels = 24;
    static constexpr int SubtitleHeight = 30;

    ResultsLayout(int width, int height);

    layout::ScreenGrowth growth;
    QRect title;
    int titlePixels;
    QRect subtitle;
    int subtitlePixels;
    // The rows' font and height are the subtitle's.
    int rowHeight;

    int baseHeight() const { return growth.base().height(); }
    // The box of a row whose top is `baseTop` in the base.
    QRect row(int baseTop) const { return QRect(0, growth.y(baseTop), m_width, rowHeight); }

private:
    int m_width;
};

// The results window's files: the winners list it shows and bgshow.dll, the
// background it remembers.
namespace results {

inline const QString RedBackground = QStringLiteral("bg\\show\\red.jpg");
inline const QString BlueBackground = QStringLiteral("bg\\show\\blue.jpg");

// The lines of dat\LuckyList.txt; no file gives no lines.
Lines readWinners(const ProgramFolder &folder);

// The winners for each showing of the results window. A list that cannot be
// read shows no rows and is said once: the box takes the focus, and the
// window's activation when it closes reads again. After a good read a new
// failure is said again.
class WinnersReader
{
public:
    WinnersReader(const ProgramFolder &folder, OperatorPort &op) : m_folder(folder), m_operator(op) {}
    Lines read();

private:
    const ProgramFolder &m_folder;
    OperatorPort &m_operator;
    bool m_said = false;
};
// The full path of the picture bgshow.dll names, when both files exist; empty otherwise.
QString storedBackground(const ProgramFolder &folder);
// Rewrites bgshow.dll (atomically) with a picture path relative to the program folder.
void saveBackground(const ProgramFolder &folder, const QString &relative);

} // namespace results
} // namespace sorvix
