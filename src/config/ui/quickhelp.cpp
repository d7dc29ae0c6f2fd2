#include "config/ui/quickhelp.h"

#include "base/errors.h"
#include "config/help.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPlainTextEdit>

namespace sorvix {

TfrmShelp::TfrmShelp(const ProgramFolder &folder, OperatorPort &op, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_folder(folder), m_operator(op)
{
    setObjectName(QStringLiteral("TfrmShelp"));
    setWindowTitle(QStringLiteral("快速设置帮助"));
    setFixedSize(ClientWidth, ClientHeight);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(windowTitle());
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setGeometry(0, 0, ClientWidth, 289);
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    Memo1->setFont(font);
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    Memo1->setPalette(palette);
    Memo1->setPlainText(help::quickHelpLines().join(QLatin1Char('\n')));

    // The choice not to show the help at start has no use while the help only
    // comes from the menu: the box is kept, hidden.
    cb_quickHelp = new QCheckBox(QStringLiteral("软件启动时不再自动显示"), this);
    cb_quickHelp->setObjectName(QStringLiteral("cb_quickHelp"));
    cb_quickHelp->setGeometry(8, 289, 300, 18);
    cb_quickHelp->hide();
}

void TfrmShelp::reject()
{
    close();
}

void TfrmShelp::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TfrmShelp::FormClose()
{
    try {
        help::saveQuickHelp(m_folder, cb_quickHelp->isChecked());
    } catch (const OperationError &error) {
        // The window closes all the same: the flag changes nothing on screen.
        m_operator.showError(error.message());
    }
}

} // namespace sorvix
