#pragma once

#include "editors/listeditor.h"
#include "editors/listsheets.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace sorvix {

class GridDelegate;
class PasswordDialog;

// The participant list editor window: the key field, the show switches, the
// grid over the list and the row commands, "保存", and the group mode behind a
// double-click on "共 N 行". It binds its widgets to ListEditor, which holds the
// rules; Escape, the title bar and the program all close it through
// closeEvent, where the editor's close questions decide.
//
// The spreadsheet buttons run ListSheets, which reaches the grid through the
// editor.
class ParticipantListDialog : public QDialog
{
    Q_OBJECT
public:
    ParticipantListDialog(Draw &draw, OperatorPort &op, QWidget *parent = nullptr);
    ~ParticipantListDialog() override;

    ListEditor &editor() { return m_editor; }

    // Shows the window modally, centred over `over` (the draw screen), and
    // returns at once.
    void showOver(QWidget *over);

    // Below the grid and above it: the grid is the client height less this.
    static constexpr int GridHeightMargin = 128;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createGrid();
    void bind();
    // Places the controls for the client size: the grid takes the height.
    void layoutControls();
    // Every control from the editor's state, without echoing back.
    void showState();
    // A cell being typed in reaches the grid before any command reads it.
    void commitTyping();
    // Runs a command after the typing in a cell is taken.
    template<typename F>
    void command(F f);

    ListEditor m_editor;
    ListSheets m_sheets;
    PasswordDialog *m_password = nullptr;
    GridDelegate *m_delegate = nullptr;

    QGroupBox *m_keyFieldBox = nullptr;
    QButtonGroup *m_keyButtons = nullptr;
    std::array<QRadioButton *, 4> m_keyItems{};
    QGroupBox *m_shownFieldsBox = nullptr;
    QCheckBox *m_showNameSwitch = nullptr;
    QCheckBox *m_showMobileSwitch = nullptr;
    QCheckBox *m_showIdSwitch = nullptr;
    QCheckBox *m_showWorkIdSwitch = nullptr;
    QCheckBox *m_maskMobileSwitch = nullptr;
    QCheckBox *m_maskIdSwitch = nullptr;
    QPushButton *m_templateButton = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_lineCountLabel = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_insertLineButton = nullptr;
    QPushButton *m_addLineButton = nullptr;
    QPushButton *m_deleteLineButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_clearGroupsButton = nullptr;
    QPushButton *m_importButton = nullptr;

    std::array<int, 6> m_appliedWidths{};
    bool m_widthsApplied = false;
};

} // namespace sorvix
