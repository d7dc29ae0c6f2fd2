#include "presentation/themechoice.h"

#include "base/errors.h"
#include "base/gbk.h"

namespace sorvix {

ThemeChoice::ThemeChoice(const ProgramFolder &folder, OperatorPort &op, ThemeView &view)
    : m_folder(folder), m_operator(op), m_view(view)
{
}

void ThemeChoice::chooseBuiltIn(const theme::ThemeItem &item)
{
    const QString picture = theme::chooseBuiltIn(m_theme, m_folder, item);
    if (m_view.showBackground(picture))
        chooseColour(QByteArray(item.colourName));
    else
        m_operator.showError(QStringLiteral("无法打开图片文件：") + picture);
}

void ThemeChoice::chooseColour(const QByteArray &colourName)
{
    if (const std::optional<QColor> colour = m_theme.showColour(colourName))
        m_view.setTextColour(*colour);
}

void ThemeChoice::chooseFont(const theme::FontItem &item)
{
    theme::chooseFont(m_theme, item);
    m_view.setTextFace(gbk::decode(m_theme.fontName));
}

void ThemeChoice::chooseCustomBackground()
{
    const QByteArray remembered = m_theme.backgroundPath;
    const QString chosen = m_operator.chooseOpenFile(QStringLiteral("JPG, JPEG 文件|*.jpg;*.jpeg|所有文件|*.*"));
    if (chosen.isEmpty())
        return;
    m_theme.backgroundPath = gbk::encode(chosen);
    if (!m_view.showBackground(chosen)) {
        // Back to the picture shown before, and to its path, so the next start
        // doesn't look for a file that can't be shown.
        m_theme.backgroundPath = remembered;
        m_view.showBackground(m_folder.path(gbk::decode(remembered)));
        m_operator.showError(QStringLiteral("无法打开图片文件：") + chosen);
    }
}

void ThemeChoice::applyStored(const Theme &stored)
{
    m_theme = stored;
    m_view.resetLook();
    const theme::StartupLook look = theme::startupLook(m_folder, stored);
    m_view.setTextFace(gbk::decode(look.fontName));
    for (const QString &picture : look.pictures)
        if (m_view.showBackground(picture))
            chooseColour(stored.colourName);
}

void ThemeChoice::save() const
{
    try {
        theme::save(m_folder, m_theme);
    } catch (const OperationError &error) {
        reportQuietly("close (theme)", error);
    }
}

} // namespace sorvix
