#include "settings/ui/passworddialog.h"

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

TfrmPassword::TfrmPassword(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral("Password"));

    auto *label = new QLabel(QStringLiteral("密码："), this);
    edt_password = new QLineEdit(this);
    edt_password->setObjectName(QStringLiteral("edt_password"));
    edt_password->setAccessibleName(QStringLiteral("密码"));
    edt_password->setMaxLength(8);
    edt_password->setEchoMode(QLineEdit::Password);
    auto *style = new HashMaskStyle;
    style->setParent(edt_password);
    edt_password->setStyle(style);
    edt_password->setMinimumWidth(140);
    label->setBuddy(edt_password);

    btn_pass = new QPushButton(QStringLiteral("确定"), this);
    btn_pass->setObjectName(QStringLiteral("btn_pass"));
    btn_pass->setAccessibleName(btn_pass->text());
    btn_pass->setDefault(true);
    btn_pass->setAutoDefault(true);
    connect(btn_pass, &QPushButton::clicked, this, [this] { btn_passClick(); });

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edt_password);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn_pass);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<QString> TfrmPassword::ask(QWidget *over)
{
    m_typed.reset();
    edt_password->clear();
    adjustSize();
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - rect().center());
    }
    edt_password->setFocus();
    exec();
    return m_typed;
}

void TfrmPassword::btn_passClick()
{
    m_typed = edt_password->text();
    edt_password->clear();
    accept();
}

void TfrmPassword::reject()
{
    edt_password->clear();
    QDialog::reject();
}

} // namespace sorvix
