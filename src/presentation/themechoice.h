#pragma once

#include "base/operatorports.h"
#include "presentation/theme.h"

namespace sorvix {

// What a theme changes on the draw screen.
class ThemeView
{
public:
    virtual ~ThemeView() = default;
    // The look before any theme: what a stored theme is applied over.
    virtual void resetLook() {}
    // False when the picture cannot be shown; the one on screen stays.
    virtual bool showBackground(const QString &path) = 0;
    virtual void setTextColour(const QColor &colour) = 0;
    virtual void setTextFace(const QString &family) = 0;
};

// The draw screen's theme: the operator's choices in "背景文字设置", the
// stored theme at start-up or after a bundle import, and saving it on close.
class ThemeChoice
{
public:
    ThemeChoice(const ProgramFolder &folder, OperatorPort &op, ThemeView &view);

    const Theme &theme() const { return m_theme; }

    void chooseBuiltIn(const theme::ThemeItem &item);
    // An unknown colour name changes nothing.
    void chooseColour(const QByteArray &colourName);
    void chooseFont(const theme::FontItem &item);
    // A picture of the operator's; one that cannot be shown leaves the
    // picture and the stored path as they were.
    void chooseCustomBackground();
    void applyStored(const Theme &stored);
    // The theme only costs a choice of look: a failure is reported quietly.
    void save() const;

private:
    const ProgramFolder &m_folder;
    OperatorPort &m_operator;
    ThemeView &m_view;
    Theme m_theme;
};

} // namespace sorvix
