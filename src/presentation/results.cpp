#include "presentation/results.h"

#include "base/errors.h"
#include "base/gbk.h"

#include <QFileInfo>
#include <utility>

namespace sorvix {

void RisingRows::build(int count, int clientHeight)
{
    m_top.resize(size_t(count));
    m_visible.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        m_top[size_t(i)] = clientHeight / 2 + Spacing * i;
        // Rows below the band wait hidden for their turn rather than flash in
        // the bottom margin until the first tick.
        m_visible[size_t(i)] = inBand(m_top[size_t(i)], clientHeight);
    }
}

void RisingRows::clear()
{
    m_top.clear();
    m_visible.clear();
}

void RisingRows::tick(int clientHeight)
{
    const int wrap = wrapDistance(clientHeight, count());
    const int bandBottom = clientHeight - BottomMargin;
    for (size_t i = 0; i < m_top.size(); ++i) {
        int &top = m_top[i];
        top -= Step;
        if (top >= BandTop) {
            m_visible[i] = top < bandBottom;
        } else {
            m_visible[i] = false;
            top += wrap;
        }
    }
}

ResultsLayout::ResultsLayout(int width, int height)
    : growth(width, height),
      title(growth.rect(QRect(0, TitleTop, growth.base().width(), TitleHeight))),
      titlePixels(growth.length(TitlePixels)),
      subtitle(growth.rect(QRect(0, SubtitleTop, growth.base().width(), SubtitleHeight))),
      subtitlePixels(growth.length(SubtitlePixels)),
      rowHeight(growth.length(SubtitleHeight)),
      m_width(width)
{
}

namespace results {

Lines readWinners(const ProgramFolder &folder)
{
    // Only nothing there means no winners yet: anything else in the list's
    // place (a folder) is read, and fails.
    if (!QFileInfo::exists(folder.path(files::WinnersList)))
        return {};
    return folder.readLines(files::WinnersList);
}

Lines WinnersReader::read()
{
    try {
        Lines lines = readWinners(m_folder);
        m_said = false;
        return lines;
    } catch (const OperationError &error) {
        if (!std::exchange(m_said, true))
            m_operator.showError(QStringLiteral("无法读取中奖名单，结果窗口暂不显示名单：\r") + error.message());
        return {};
    }
}

QString storedBackground(const ProgramFolder &folder)
{
    if (!folder.exists(files::ResultBackground))
        return {};
    const QByteArray line = folder.readFirstLine(files::ResultBackground);
    if (line.isEmpty())
        return {};
    const QString path = folder.path(gbk::decode(line));
    return QFileInfo(path).isFile() ? path : QString();
}

void saveBackground(const ProgramFolder &folder, const QString &relative)
{
    folder.writeLines(files::ResultBackground, {gbk::encode(relative)});
}

} // namespace results
} // namespace sorvix
