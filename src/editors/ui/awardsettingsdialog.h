#pragma once

#include "editors/awardeditor.h"

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
class AwardSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    AwardSettingsDialog(Draw &draw, OperatorPort &op, QWidget *parent = nullptr);

    AwardEditor &editor() { return m_editor; }

    // Shows the window modally, centred over `over` (the draw screen), and
    // returns at once.
    void showOver(QWidget *over);

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

    QGroupBox *m_levelsBox = nullptr;
    LevelRow m_rows[LevelCount];

    QComboBox *m_orderList = nullptr;
    QLineEdit *m_titleEdit = nullptr;
    QCheckBox *m_titleCentredSwitch = nullptr;
    QCheckBox *m_titleHiddenSwitch = nullptr;
    QLineEdit *m_subtitleEdit = nullptr;
    QCheckBox *m_subtitleCentredSwitch = nullptr;
    QCheckBox *m_subtitleHiddenSwitch = nullptr;
    QCheckBox *m_repeatedWinsSwitch = nullptr;
    QCheckBox *m_statusHiddenSwitch = nullptr;
    QCheckBox *m_statusCentredSwitch = nullptr;
    QCheckBox *m_prizeTextHiddenSwitch = nullptr;
    QCheckBox *m_prizePictureHiddenSwitch = nullptr;
    QComboBox *m_startStopKeysList = nullptr;
    QComboBox *m_captionSpeedList = nullptr;
    QCheckBox *m_buttonsHiddenSwitch = nullptr;
    QCheckBox *m_soundSwitch = nullptr;
    QComboBox *m_captionPositionList = nullptr;
    QComboBox *m_prizePositionList = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_resetButton = nullptr;
};

} // namespace sorvix
