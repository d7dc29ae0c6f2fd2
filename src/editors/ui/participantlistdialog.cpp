#include "editors/ui/participantlistdialog.h"

#include "base/ui/widgets.h"
#include "editors/ui/passworddialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>

namespace sorvix {

// The grid's cell editor. It keeps the editor that is open, so a command or a
// close takes the text being typed before it reads the grid.
class GridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_open = editor;
        return editor;
    }

    void commitOpen()
    {
        // A closed editor waits for its deletion hidden.
        if (m_open && !m_open->isHidden())
            emit commitData(m_open);
    }

private:
    mutable QPointer<QWidget> m_open;
};

namespace {

constexpr QSize InitialClientSize(720, 600);
constexpr QSize MinimumClientSize(720, 480);
constexpr int Margin = 8;
constexpr int ColumnWidth = 132;     // the buttons' column right of the grid
constexpr int ButtonHeight = 30;
constexpr int TopBandHeight = 120;   // the key field and the show switches

using ui::text;

} // namespace

ParticipantListDialog::ParticipantListDialog(Draw &draw, OperatorPort &op, QWidget *parent)
    : QDialog(parent), m_editor(draw, op), m_sheets(draw.folder(), op, m_editor)
{
    setObjectName(QStringLiteral("ParticipantListDialog"));
    setWindowTitle(text("参加抽奖人员设置"));
    setSizeGripEnabled(true);
    createControls();
    createGrid();
    bind();
    setMinimumSize(MinimumClientSize);
    resize(InitialClientSize);
}

ParticipantListDialog::~ParticipantListDialog() = default;

void ParticipantListDialog::createControls()
{
    m_keyFieldBox = new QGroupBox(text("抽奖关键字段"), this);
    m_keyFieldBox->setObjectName(QStringLiteral("keyFieldBox"));
    m_keyFieldBox->setAccessibleName(m_keyFieldBox->title());
    m_keyButtons = new QButtonGroup(this);
    const char *keys[4] = {"姓名", "手机号", "身份证号", "工号"};
    for (int k = 0; k < 4; ++k) {
        auto *item = new QRadioButton(text(keys[k]), m_keyFieldBox);
        item->setObjectName(QStringLiteral("keyField%1").arg(k));
        item->setAccessibleName(item->text());
        item->setGeometry(12 + 88 * k, 20, 84, 24);
        m_keyButtons->addButton(item, k);
        m_keyItems[size_t(k)] = item;
    }

    m_shownFieldsBox = new QGroupBox(text("抽奖显示信息"), this);
    m_shownFieldsBox->setObjectName(QStringLiteral("shownFieldsBox"));
    m_shownFieldsBox->setAccessibleName(m_shownFieldsBox->title());
    m_showNameSwitch = ui::makeSwitch(m_shownFieldsBox, "showNameSwitch", "姓名");
    m_showMobileSwitch = ui::makeSwitch(m_shownFieldsBox, "showMobileSwitch", "手机号");
    m_showIdSwitch = ui::makeSwitch(m_shownFieldsBox, "showIdSwitch", "身份证号");
    m_showWorkIdSwitch = ui::makeSwitch(m_shownFieldsBox, "showWorkIdSwitch", "工号");
    m_maskMobileSwitch = ui::makeSwitch(m_shownFieldsBox, "maskMobileSwitch", "手机号隐藏中间4 位");
    m_maskIdSwitch = ui::makeSwitch(m_shownFieldsBox, "maskIdSwitch", "身份证号隐藏8 位出生日期");
    int left = 12;
    for (QCheckBox *box : {m_showNameSwitch, m_showMobileSwitch, m_showIdSwitch, m_showWorkIdSwitch, m_maskMobileSwitch,
                           m_maskIdSwitch}) {
        const int width = box->sizeHint().width();
        box->setGeometry(left, 22, width, 24);
        left += width + 14;
    }

    m_templateButton = ui::makeButton(this, "templateButton", "打开名单编辑模板Excel");
    ui::setHint(m_templateButton, "模板为只读文件，编辑后请另存");
    m_importButton = ui::makeButton(this, "importButton", "导入");
    ui::setHint(m_importButton, "从Excel文件导入抽奖名单，只有按照模板制作的名单才能成功导入");
    m_exportButton = ui::makeButton(this, "exportButton", "导出");
    ui::setHint(m_exportButton, "导出抽奖人员名单到Excel文件");

    m_addLineButton = ui::makeButton(this, "addLineButton", "添加行");
    m_insertLineButton = ui::makeButton(this, "insertLineButton", "插入行");
    m_deleteLineButton = ui::makeButton(this, "deleteLineButton", "删除行");
    m_clearButton = ui::makeButton(this, "clearButton", "清空");
    ui::setHint(m_clearButton, "清空当前抽奖名单");
    m_clearGroupsButton = ui::makeButton(this, "clearGroupsButton", "清空分组");
    ui::setHint(m_clearGroupsButton, "清空所有预设中奖设置");
    m_clearGroupsButton->hide();
    m_saveButton = ui::makeButton(this, "saveButton", "保存");
    m_saveButton->setEnabled(false);

    m_lineCountLabel = new QLabel(text("共 0 行"), this);
    m_lineCountLabel->setObjectName(QStringLiteral("lineCountLabel"));
    m_lineCountLabel->setAccessibleName(m_lineCountLabel->text());
    m_lineCountLabel->installEventFilter(this);
}

void ParticipantListDialog::createGrid()
{
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setAccessibleName(text("抽奖人员名单"));
    m_delegate = new GridDelegate(m_grid);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setModel(&m_editor.table());
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                 | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->setWordWrap(false);
    m_grid->setCornerButtonEnabled(false);
    // Small enough that an 18-digit identity number fits its column.
    QFont gridFont = m_grid->font();
    gridFont.setPixelSize(11);
    m_grid->setFont(gridFont);
    // One height for every row: a 100,000-row grid is laid out without
    // measuring a single cell.
    QHeaderView *rows = m_grid->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(ListEditor::RowHeight);
    QHeaderView *columns = m_grid->horizontalHeader();
    columns->setStretchLastSection(false);
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setMinimumSectionSize(1);
    // A load or an import sets the widths anew.
    connect(&m_editor.table(), &QAbstractItemModel::modelReset, this, [this] { m_widthsApplied = false; });
}

template<typename F>
void ParticipantListDialog::command(F f)
{
    commitTyping();
    f();
}

void ParticipantListDialog::bind()
{
    connect(&m_editor, &ListEditor::changed, this, [this] { showState(); });
    connect(&m_editor, &ListEditor::working, this, &ui::showWaitCursor);
    m_editor.askPassword = [this]() -> std::optional<QString> {
        if (!m_password)
            m_password = new PasswordDialog(this);
        // Centred on the draw screen, like the editor itself.
        return m_password->ask(parentWidget() ? parentWidget() : this);
    };

    // Changes of state, not clicks: a key press or an assistive tool's action
    // reaches the editor as a mouse click does.
    connect(m_keyButtons, &QButtonGroup::idToggled, this, [this](int key, bool checked) {
        if (checked)
            m_editor.chooseKeyField(key);
    });
    const std::array<QCheckBox *, 6> switches{m_showNameSwitch, m_showMobileSwitch, m_showIdSwitch, m_showWorkIdSwitch,
                                              m_maskMobileSwitch, m_maskIdSwitch};
    for (int field = 0; field < 6; ++field)
        connect(switches[size_t(field)], &QCheckBox::toggled, this,
                [this, field](bool on) { m_editor.setShowSwitch(field, on); });

    connect(m_addLineButton, &QPushButton::clicked, this, [this] { command([this] { m_editor.addLine(); }); });
    connect(m_insertLineButton, &QPushButton::clicked, this,
            [this] { command([this] { m_editor.insertLine(); }); });
    connect(m_deleteLineButton, &QPushButton::clicked, this, [this] { command([this] { m_editor.deleteLine(); }); });
    connect(m_clearButton, &QPushButton::clicked, this, [this] { command([this] { m_editor.clearList(); }); });
    connect(m_clearGroupsButton, &QPushButton::clicked, this, [this] { command([this] { m_editor.clearGroups(); }); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { command([this] { m_editor.save(); }); });
    connect(&m_sheets, &ListSheets::working, this, &ui::showWaitCursor);
    connect(m_templateButton, &QPushButton::clicked, this, [this] { command([this] { m_sheets.openTemplate(); }); });
    connect(m_importButton, &QPushButton::clicked, this, [this] { command([this] { m_sheets.importWorkbook(); }); });
    connect(m_exportButton, &QPushButton::clicked, this, [this] { command([this] { m_sheets.exportWorkbook(); }); });

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { m_editor.setCurrentRow(current.isValid() ? current.row() + 1 : 0); });
}

void ParticipantListDialog::commitTyping()
{
    m_delegate->commitOpen();
}

void ParticipantListDialog::showState()
{
    const ShowFields &show = m_editor.showFields();
    {
        const QSignalBlocker blocker(m_keyButtons);
        if (QAbstractButton *item = m_keyButtons->button(m_editor.keyField()))
            item->setChecked(true);
    }
    const std::array<std::pair<QCheckBox *, bool>, 6> switches{{{m_showNameSwitch, show.showName},
                                                                {m_showMobileSwitch, show.showMobile},
                                                                {m_showIdSwitch, show.showId},
                                                                {m_showWorkIdSwitch, show.showWorkId},
                                                                {m_maskMobileSwitch, show.maskMobile},
                                                                {m_maskIdSwitch, show.maskId}}};
    for (const auto &[box, on] : switches) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
    m_saveButton->setEnabled(m_editor.saveEnabled());
    m_clearGroupsButton->setVisible(m_editor.groupMode());
    m_lineCountLabel->setText(m_editor.linesText());
    m_lineCountLabel->setAccessibleName(m_lineCountLabel->text());

    const std::array<int, 6> widths = m_editor.columnWidths();
    if (!m_widthsApplied || widths != m_appliedWidths) {
        for (int c = 0; c < 6; ++c) {
            const int width = widths[size_t(c)];
            m_grid->setColumnHidden(c, width == 0);
            if (width > 0)
                m_grid->setColumnWidth(c, width);
        }
        m_appliedWidths = widths;
        m_widthsApplied = true;
    }

    const int row = m_editor.currentRow();
    const QModelIndex current = m_grid->currentIndex();
    if (row > 0 && (!current.isValid() || current.row() != row - 1)) {
        const int column = current.isValid() && current.column() > 0 ? current.column() : 1;
        m_grid->setCurrentIndex(m_editor.table().index(row - 1, column));
    }
}

void ParticipantListDialog::layoutControls()
{
    const int w = width();
    const int h = height();
    m_keyFieldBox->setGeometry(Margin, 4, 372, 50);
    m_templateButton->setGeometry(Margin + 372 + 16, 16, 200, ButtonHeight);
    m_shownFieldsBox->setGeometry(Margin, 58, w - 2 * Margin, 56);

    const int gridWidth = w - 3 * Margin - ColumnWidth;
    m_grid->setGeometry(Margin, TopBandHeight, gridWidth, h - GridHeightMargin);

    const int x = w - Margin - ColumnWidth;
    int y = TopBandHeight;
    const auto place = [&](QWidget *widget, int gapAfter) {
        widget->setGeometry(x, y, ColumnWidth, ButtonHeight);
        y += ButtonHeight + gapAfter;
    };
    place(m_importButton, 6);
    place(m_exportButton, 18);
    place(m_addLineButton, 6);
    place(m_insertLineButton, 6);
    place(m_deleteLineButton, 6);
    place(m_clearButton, 18);
    place(m_clearGroupsButton, 6);
    m_saveButton->setGeometry(x, h - Margin - 34, ColumnWidth, 34);
    m_lineCountLabel->setGeometry(x, h - Margin - 34 - 8 - 24, ColumnWidth, 24);
}

void ParticipantListDialog::showOver(QWidget *over)
{
    ui::showModalOver(this, over);
}

void ParticipantListDialog::showEvent(QShowEvent *event)
{
    // The editor always opens on the saved list; coming back from its own
    // boxes and dialogs is no new showing.
    if (!event->spontaneous()) {
        m_editor.windowShown();
        if (m_grid->currentIndex().isValid())
            m_grid->scrollTo(m_grid->currentIndex());
        m_grid->setFocus();
    }
    QDialog::showEvent(event);
}

void ParticipantListDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

bool ParticipantListDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lineCountLabel && event->type() == QEvent::MouseButtonDblClick) {
        commitTyping();
        m_editor.askForGroupMode();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ParticipantListDialog::reject()
{
    // Escape goes through the close questions too.
    close();
}

void ParticipantListDialog::closeEvent(QCloseEvent *event)
{
    commitTyping();
    if (!m_editor.confirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

} // namespace sorvix
