#include "help/ui/quickhelpdialog.h"

#include "base/errors.h"
#include "base/ui/widgets.h"
#include "help/help.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPlainTextEdit>

namespace sorvix {

QuickHelpDialog::QuickHelpDialog(const ProgramFolder &folder, OperatorPort &op, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_folder(folder), m_operator(op)
{
    setObjectName(QStringLiteral("QuickHelpDialog"));
    setWindowTitle(QStringLiteral("快速设置帮助"));
    setFixedSize(ClientWidth, ClientHeight);

    m_helpText = new QPlainTextEdit(this);
    m_helpText->setObjectName(QStringLiteral("helpText"));
    m_helpText->setAccessibleName(windowTitle());
    m_helpText->setReadOnly(true);
    m_helpText->setFrameShape(QFrame::NoFrame);
    m_helpText->setGeometry(0, 0, ClientWidth, 289);
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    m_helpText->setFont(font);
    QPalette palette = m_helpText->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    m_helpText->setPalette(palette);
    m_helpText->setPlainText(help::quickHelpLines().join(QLatin1Char('\n')));

    // The choice not to show the help at start has no use while the help only
    // comes from the menu: the box is kept, hidden.
    m_notAtStartSwitch = ui::makeSwitch(this, QStringLiteral("notAtStartSwitch"), QStringLiteral("软件启动时不再自动显示"));
    m_notAtStartSwitch->setGeometry(8, 289, 300, 18);
    m_notAtStartSwitch->hide();
}

void QuickHelpDialog::reject()
{
    close();
}

void QuickHelpDialog::closeEvent(QCloseEvent *event)
{
    rememberChoice();
    event->accept();
}

void QuickHelpDialog::rememberChoice()
{
    try {
        help::saveQuickHelp(m_folder, m_notAtStartSwitch->isChecked());
    } catch (const OperationError &error) {
        // The window closes all the same: the flag changes nothing on screen.
        m_operator.showError(error.message());
    }
}

} // namespace sorvix
