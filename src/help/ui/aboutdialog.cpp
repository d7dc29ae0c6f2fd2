#include "help/ui/aboutdialog.h"

#include "base/ui/widgets.h"
#include "help/help.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace sorvix {

AboutDialog::AboutDialog(const ProgramFolder &folder, OperatorPort &op, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_folder(folder), m_operator(op)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(ClientWidth, ClientHeight);

    auto *lines = new QVBoxLayout(this);
    lines->setContentsMargins(12, 16, 12, 16);
    m_productLabel = makeLabel("productLabel", help::productText(), QStringLiteral("点击打开主页"));
    QFont product = m_productLabel->font();
    product.setPixelSize(13);
    m_productLabel->setFont(product);
    m_versionLabel = makeLabel("versionLabel", help::versionText(), QString());
    m_makerLabel = makeLabel("makerLabel", help::makerText(), QStringLiteral("点击进入主页"));
    m_addressLabel = makeLabel("addressLabel", help::makerAddress(), QStringLiteral("点击进入官网"));
    QFont address = m_addressLabel->font();
    address.setUnderline(true);
    m_addressLabel->setFont(address);
    ui::setTextColour(m_addressLabel, QColor(0, 0, 255));
    for (QLabel *label : {m_productLabel, m_versionLabel, m_makerLabel, m_addressLabel})
        lines->addWidget(label);
}

QLabel *AboutDialog::makeLabel(const char *name, const QString &text, const QString &hint)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    if (!hint.isEmpty()) {
        ui::setHint(label, hint);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
    return label;
}

void AboutDialog::reject()
{
    close();
}

void AboutDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_productLabel)
            openProductPage();
        else if (watched == m_makerLabel)
            openMakerPage();
        else if (watched == m_addressLabel)
            openMakerSite();
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::openProductPage()
{
    help::openGuide(m_folder, m_operator);
}

void AboutDialog::openMakerPage()
{
    help::openGuide(m_folder, m_operator);
}

void AboutDialog::openMakerSite()
{
    help::openGuide(m_folder, m_operator);
}

} // namespace sorvix
