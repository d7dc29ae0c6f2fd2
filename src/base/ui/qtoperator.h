#pragma once

#include "base/operatorports.h"

class QWidget;

namespace sorvix {

// Questions and notices as Qt message boxes, file choices as Qt file dialogs,
// the shell's open through QDesktopServices.
class QtOperator : public OperatorPort
{
public:
    explicit QtOperator(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    // The operator's own window (shown while the audience has a screen of
    // its own) and the audience's: boxes never stand on the audience's screen
    // while the operator has another.
    void setWindows(QWidget *operatorWindow, QWidget *audienceWindow);

    Answer confirm(const QString &text) override;
    Answer confirmWithCancel(const QString &text) override;
    Answer warnYesNo(const QString &text) override;
    void inform(const QString &text) override;
    void warn(const QString &text) override;
    void showError(const QString &text) override;
    QString chooseSaveFile(const QString &filter, const QString &proposedName, Replace replace) override;
    QString chooseOpenFile(const QString &filter) override;
    bool openWithShell(const QString &target) override;

    // The window boxes and dialogs stand over: the one in front on the
    // operator's side (an editor opened from the draw screen), else the
    // operator's window.
    QWidget *parentWidget() const;

    // "文本文件(*.txt)|*.txt" as a Qt filter list.
    static QString qtFilter(const QString &filter);
    // Texts use CR for their line breaks; message boxes want LF.
    static QString boxText(const QString &text);

private:
    QWidget *m_parent = nullptr;
    QWidget *m_operatorWindow = nullptr;
};

} // namespace sorvix
