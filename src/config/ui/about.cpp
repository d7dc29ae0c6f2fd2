#include "config/ui/about.h"

#include "config/help.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace sorvix {

TfrmAbout::TfrmAbout(const ProgramFolder &folder, OperatorPort &op, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_folder(folder), m_operator(op)
{
    setObjectName(QStringLiteral("TfrmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(ClientWidth, ClientHeight);

    auto *lines = new QVBoxLayout(this);
    lines->setContentsMargins(12, 16, 12, 16);
    Label1 = makeLabel("Label1", help::productText(), QStringLiteral("点击打开主页"));
    QFont product = Label1->font();
    product.setPixelSize(13);
    Label1->setFont(product);
    Label2 = makeLabel("Label2", help::versionText(), QString());
    Label3 = makeLabel("Label3", help::makerText(), QStringLiteral("点击进入主页"));
    Label4 = makeLabel("Label4", help::makerAddress(), QStringLiteral("点击进入官网"));
    QFont address = Label4->font();
    address.setUnderline(true);
    Label4->setFont(address);
    QPalette link = Label4->palette();
    link.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label4->setPalette(link);
    for (QLabel *label : {Label1, Label2, Label3, Label4})
        lines->addWidget(label);
}

QLabel *TfrmAbout::makeLabel(const char *name, const QString &text, const QString &hint)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    if (!hint.isEmpty()) {
        label->setToolTip(hint);
        label->setAccessibleDescription(hint);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
    return label;
}

void TfrmAbout::reject()
{
    close();
}

void TfrmAbout::closeEvent(QCloseEvent *event)
{
    event->accept();
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label1)
            Label1Click();
        else if (watched == Label3)
            Label3Click();
        else if (watched == Label4)
            Label4Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::Label1Click()
{
    help::openGuide(m_folder, m_operator);
}

void TfrmAbout::Label3Click()
{
    help::openGuide(m_folder, m_operator);
}

void TfrmAbout::Label4Click()
{
    help::openGuide(m_folder, m_operator);
}

} // namespace sorvix
