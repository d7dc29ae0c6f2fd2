#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;

namespace sorvix {

// "快速设置帮助": the two steps of setting up a draw, in a fixed window over
// the draw screen. Closing it, by Escape, the title bar or the program,
// records in quickhelp.dll whether it should come up at start.
class QuickHelpDialog : public QDialog
{
    Q_OBJECT
public:
    QuickHelpDialog(const ProgramFolder &folder, OperatorPort &op, QWidget *parent = nullptr);

    static constexpr int ClientWidth = 574;
    static constexpr int ClientHeight = 307;

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void rememberChoice();

    const ProgramFolder &m_folder;
    OperatorPort &m_operator;
    QPlainTextEdit *m_helpText = nullptr;
    QCheckBox *m_notAtStartSwitch = nullptr;
};

} // namespace sorvix
