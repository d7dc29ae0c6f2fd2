#pragma once

#include "engine/giveupform.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace sorvix {

// The give-up / make-up window: strike a winner off a level, or prepare
// make-up winners for a level whose rounds are all drawn. A fixed dialog,
// shown modally over the draw screen; the logic is GiveUpForm's.
class TfrmGiveup : public QDialog
{
    Q_OBJECT
public:
    TfrmGiveup(Session &session, OperatorPort &op, ScreenPort &screen, QWidget *parent = nullptr);
    ~TfrmGiveup() override;

    // Fills the lists and centres the window over its owner.
    void prepareShow();
    // prepareShow(), then modally; returns once the window is closed.
    void showModal();

    GiveUpForm &form() { return m_form; }

    void ComboBox_giveupChange(int item);
    void btn_giveupClick();
    void edt_makeupQtyChange(const QString &text);
    void btn_makeupClick();

public slots:
    // Escape: the same close as the title bar's.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showWinners();

    GiveUpForm m_form;
    bool m_filling = false;

    QGroupBox *GroupBox1 = nullptr;
    QComboBox *ComboBox_giveup = nullptr;
    QListView *ListBox_giveup = nullptr;
    QStringListModel *m_winnersModel = nullptr;
    QPushButton *btn_giveup = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QComboBox *ComboBox_makeup = nullptr;
    QLineEdit *edt_makeupQty = nullptr;
    QPushButton *btn_makeup = nullptr;
};

} // namespace sorvix
