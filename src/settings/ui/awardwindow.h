#pragma once

#include "settings/awardeditor.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sorvix {

// The award settings window: the eleven level rows, the draw screen options,
// "保存" and "重置". It binds its widgets to AwardEditor, which holds the rules;
// Escape, the title bar and the program all close it through closeEvent, where
// the editor's close questions decide.
class TfrmLottery : public QDialog
{
    Q_OBJECT
public:
    TfrmLottery(const ProgramFolder &folder, OperatorPort &op, AwardEditorHost &host, QWidget *parent = nullptr);

    AwardEditor &editor() { return m_editor; }

    // Shows the window modally, centred over `over` (the draw screen).
    int showModalOver(QWidget *over);

    static constexpr int HintMs = 10000;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct LevelRow
    {
        QCheckBox *enabled = nullptr;
        QLineEdit *displayName = nullptr;
        QLineEdit *quantity = nullptr;
        QLineEdit *prizeText = nullptr;
        QPushButton *picture = nullptr;
        QLineEdit *picturePath = nullptr;
        QComboBox *perRound = nullptr;
    };

    void createLevelRows();
    // The per-round selectors, made here rather than with the rows' design.
    void createPerRoundSelectors();
    QWidget *createOptions();
    void bindLevel(int level);
    void bindOptions();
    // Every control from the editor's settings, without echoing back.
    void showSettings();

    AwardEditor m_editor;

    QGroupBox *GroupBox_jiangxiang = nullptr;
    LevelRow m_rows[LevelCount];

    QComboBox *ComboBox_order = nullptr;
    QLineEdit *edt_title = nullptr;
    QCheckBox *CheckBox_titlecenter = nullptr;
    QCheckBox *CheckBox_titleHide = nullptr;
    QLineEdit *edt_subTitle = nullptr;
    QCheckBox *CheckBox_subtitleCenter = nullptr;
    QCheckBox *CheckBox_subtitleHide = nullptr;
    QCheckBox *CheckBox_multidraw = nullptr;
    QCheckBox *CheckBox_status = nullptr;
    QCheckBox *CheckBox_statecenter = nullptr;
    QCheckBox *CheckBox_jiangpinWord = nullptr;
    QCheckBox *CheckBox_jiangpinpic = nullptr;
    QComboBox *ComboBox_start_end = nullptr;
    QComboBox *ComboBox_rollingspeed = nullptr;
    QCheckBox *CheckBox_hidebtn = nullptr;
    QCheckBox *CheckBox_Music = nullptr;
    QComboBox *ComboBox_Cposition = nullptr;
    QComboBox *ComboBox_awardShow = nullptr;
    QPushButton *btn_save = nullptr;
    QPushButton *btn_cancel = nullptr;
};

} // namespace sorvix
