#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace sorvix {

// The password dialog of the list editor's group mode: "密码：", an edit of at
// most eight characters shown as "#", and "确定" as the default button, so
// Enter presses it. It only hands back what was typed; the editor compares.
class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget *parent = nullptr);

    // Shows the dialog modally, centred over `over`: the text typed when "确定"
    // was pressed, nothing when the dialog was closed otherwise. The edit is
    // empty again either way.
    std::optional<QString> ask(QWidget *over);

    // "确定"
    void confirm();

public slots:
    void reject() override;

private:
    QLineEdit *m_passwordEdit = nullptr;
    QPushButton *m_okButton = nullptr;
    std::optional<QString> m_typed;
};

} // namespace sorvix
