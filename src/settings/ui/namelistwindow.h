#pragma once

#include "settings/listeditor.h"
#include "settings/listsheets.h"

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
class TfrmPassword;

// The participant list editor window: the key field, the show switches, the
// grid over the list and the row commands, "保存", and the group mode behind a
// double-click on "共 N 行". It binds its widgets to ListEditor, which holds the
// rules; Escape, the title bar and the program all close it through
// closeEvent, where the editor's close questions decide.
//
// The spreadsheet buttons run ListSheets, which reaches the grid through the
// editor.
class Tfrm_namelist : public QDialog
{
    Q_OBJECT
public:
    Tfrm_namelist(const ProgramFolder &folder, OperatorPort &op, ListEditorHost &host, QWidget *parent = nullptr);
    ~Tfrm_namelist() override;

    ListEditor &editor() { return m_editor; }

    // Shows the window modally, centred over `over` (the draw screen).
    int showModalOver(QWidget *over);

    static constexpr int HintMs = 10000;
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
    void FormResize();
    // Every control from the editor's state, without echoing back.
    void showState();
    // A cell being typed in reaches the grid before any command reads it.
    void commitTyping();
    // Runs a command after the typing in a cell is taken.
    template<typename F>
    void command(F f);

    ListEditor m_editor;
    ListSheets m_sheets;
    TfrmPassword *m_password = nullptr;
    GridDelegate *m_delegate = nullptr;

    QGroupBox *RadioGroup_key = nullptr;
    QButtonGroup *m_keyButtons = nullptr;
    std::array<QRadioButton *, 4> m_keyItems{};
    QGroupBox *GroupBox1 = nullptr;
    QCheckBox *CheckBox_name = nullptr;
    QCheckBox *CheckBox_phone = nullptr;
    QCheckBox *CheckBox_id = nullptr;
    QCheckBox *CheckBox_workid = nullptr;
    QCheckBox *CheckBox_phonehide = nullptr;
    QCheckBox *CheckBox_idhide = nullptr;
    QPushButton *btn_template = nullptr;
    QTableView *StringGrid1 = nullptr;
    QLabel *lb_lines = nullptr;
    QPushButton *btn_export = nullptr;
    QPushButton *btn_clear = nullptr;
    QPushButton *btn_insertLine = nullptr;
    QPushButton *btn_addLine = nullptr;
    QPushButton *btn_delLine = nullptr;
    QPushButton *btn_save = nullptr;
    QPushButton *btn_delGrp = nullptr;
    QPushButton *btn_import = nullptr;

    std::array<int, 6> m_appliedWidths{};
    bool m_widthsApplied = false;
};

} // namespace sorvix
