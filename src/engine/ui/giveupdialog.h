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
class GiveUpDialog : public QDialog
{
    Q_OBJECT
public:
    GiveUpDialog(Draw &draw, OperatorPort &op, QWidget *parent = nullptr);
    ~GiveUpDialog() override;

    // Fills the lists and centres the window over its owner.
    void prepareShow();
    // prepareShow(), then shown modally over its owner; returns at once.
    void showModal();

    GiveUpForm &form() { return m_form; }

    void giveUpLevelChosen(int item);
    void giveUp();
    void makeUpQuantityChanged(const QString &text);
    void makeUp();

public slots:
    // Escape: the same close as the title bar's.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showWinners();

    GiveUpForm m_form;
    bool m_filling = false;

    QGroupBox *m_giveUpBox = nullptr;
    QComboBox *m_giveUpLevelList = nullptr;
    QListView *m_giveUpWinnersList = nullptr;
    QStringListModel *m_winnersModel = nullptr;
    QPushButton *m_giveUpButton = nullptr;
    QGroupBox *m_makeUpBox = nullptr;
    QComboBox *m_makeUpLevelList = nullptr;
    QLineEdit *m_makeUpQuantityEdit = nullptr;
    QPushButton *m_makeUpButton = nullptr;
};

} // namespace sorvix
