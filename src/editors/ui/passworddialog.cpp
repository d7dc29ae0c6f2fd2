#include "editors/ui/passworddialog.h"

#include "base/ui/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvix {

namespace {

// Every typed character is shown as "#", whatever the platform's style uses.
class HashMaskStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PasswordDialog::PasswordDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PasswordDialog"));
    setWindowTitle(QStringLiteral("Password"));

    auto *label = new QLabel(QStringLiteral("密码："), this);
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setAccessibleName(QStringLiteral("密码"));
    m_passwordEdit->setMaxLength(8);
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    auto *style = new HashMaskStyle;
    style->setParent(m_passwordEdit);
    m_passwordEdit->setStyle(style);
    m_passwordEdit->setMinimumWidth(140);
    label->setBuddy(m_passwordEdit);

    m_okButton = ui::makeButton(this, QStringLiteral("okButton"), QStringLiteral("确定"));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, [this] { confirm(); });

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_passwordEdit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<QString> PasswordDialog::ask(QWidget *over)
{
    m_typed.reset();
    m_passwordEdit->clear();
    adjustSize();
    ui::centreOver(this, over);
    m_passwordEdit->setFocus();
    exec();
    return m_typed;
}

void PasswordDialog::confirm()
{
    m_typed = m_passwordEdit->text();
    m_passwordEdit->clear();
    accept();
}

void PasswordDialog::reject()
{
    m_passwordEdit->clear();
    QDialog::reject();
}

} // namespace sorvix
