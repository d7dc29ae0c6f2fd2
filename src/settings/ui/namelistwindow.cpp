#include "settings/ui/namelistwindow.h"

#include "settings/ui/passworddialog.h"

#include <QApplication>
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

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

void setHint(QWidget *widget, const char *hint)
{
    widget->setToolTip(text(hint));
    widget->setToolTipDuration(Tfrm_namelist::HintMs);
    widget->setAccessibleDescription(text(hint));
}

QPushButton *makeButton(QWidget *parent, const char *objectName, const char *caption)
{
    auto *button = new QPushButton(text(caption), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(button->text());
    // Enter in a cell must not press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox *makeSwitch(QWidget *parent, const char *objectName, const char *caption)
{
    auto *box = new QCheckBox(text(caption), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setAccessibleName(box->text());
    return box;
}

} // namespace

Tfrm_namelist::Tfrm_namelist(const ProgramFolder &folder, OperatorPort &op, ListEditorHost &host, QWidget *parent)
    : QDialog(parent), m_editor(folder, op, host), m_sheets(folder, op, m_editor)
{
    setObjectName(QStringLiteral("Tfrm_namelist"));
    setWindowTitle(text("参加抽奖人员设置"));
    setSizeGripEnabled(true);
    createControls();
    createGrid();
    bind();
    setMinimumSize(MinimumClientSize);
    resize(InitialClientSize);
}

Tfrm_namelist::~Tfrm_namelist() = default;

void Tfrm_namelist::createControls()
{
    RadioGroup_key = new QGroupBox(text("抽奖关键字段"), this);
    RadioGroup_key->setObjectName(QStringLiteral("RadioGroup_key"));
    RadioGroup_key->setAccessibleName(RadioGroup_key->title());
    m_keyButtons = new QButtonGroup(this);
    const char *keys[4] = {"姓名", "手机号", "身份证号", "工号"};
    for (int k = 0; k < 4; ++k) {
        auto *item = new QRadioButton(text(keys[k]), RadioGroup_key);
        item->setObjectName(QStringLiteral("RadioGroup_key_%1").arg(k));
        item->setAccessibleName(item->text());
        item->setGeometry(12 + 88 * k, 20, 84, 24);
        m_keyButtons->addButton(item, k);
        m_keyItems[size_t(k)] = item;
    }

    GroupBox1 = new QGroupBox(text("抽奖显示信息"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(GroupBox1->title());
    CheckBox_name = makeSwitch(GroupBox1, "CheckBox_name", "姓名");
    CheckBox_phone = makeSwitch(GroupBox1, "CheckBox_phone", "手机号");
    CheckBox_id = makeSwitch(GroupBox1, "CheckBox_id", "身份证号");
    CheckBox_workid = makeSwitch(GroupBox1, "CheckBox_workid", "工号");
    CheckBox_phonehide = makeSwitch(GroupBox1, "CheckBox_phonehide", "手机号隐藏中间4 位");
    CheckBox_idhide = makeSwitch(GroupBox1, "CheckBox_idhide", "身份证号隐藏8 位出生日期");
    int left = 12;
    for (QCheckBox *box : {CheckBox_name, CheckBox_phone, CheckBox_id, CheckBox_workid, CheckBox_phonehide,
                           CheckBox_idhide}) {
        const int width = box->sizeHint().width();
        box->setGeometry(left, 22, width, 24);
        left += width + 14;
    }

    btn_template = makeButton(this, "btn_template", "打开名单编辑模板Excel");
    setHint(btn_template, "模板为只读文件，编辑后请另存");
    btn_import = makeButton(this, "btn_import", "导入");
    setHint(btn_import, "从Excel文件导入抽奖名单，只有按照模板制作的名单才能成功导入");
    btn_export = makeButton(this, "btn_export", "导出");
    setHint(btn_export, "导出抽奖人员名单到Excel文件");

    btn_addLine = makeButton(this, "btn_addLine", "添加行");
    btn_insertLine = makeButton(this, "btn_insertLine", "插入行");
    btn_delLine = makeButton(this, "btn_delLine", "删除行");
    btn_clear = makeButton(this, "btn_clear", "清空");
    setHint(btn_clear, "清空当前抽奖名单");
    btn_delGrp = makeButton(this, "btn_delGrp", "清空分组");
    setHint(btn_delGrp, "清空所有预设中奖设置");
    btn_delGrp->hide();
    btn_save = makeButton(this, "btn_save", "保存");
    btn_save->setEnabled(false);

    lb_lines = new QLabel(text("共 0 行"), this);
    lb_lines->setObjectName(QStringLiteral("lb_lines"));
    lb_lines->setAccessibleName(lb_lines->text());
    lb_lines->installEventFilter(this);
}

void Tfrm_namelist::createGrid()
{
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(text("抽奖人员名单"));
    m_delegate = new GridDelegate(StringGrid1);
    StringGrid1->setItemDelegate(m_delegate);
    StringGrid1->setModel(&m_editor.table());
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                 | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    StringGrid1->setWordWrap(false);
    StringGrid1->setCornerButtonEnabled(false);
    // Small enough that an 18-digit identity number fits its column.
    QFont gridFont = StringGrid1->font();
    gridFont.setPixelSize(11);
    StringGrid1->setFont(gridFont);
    // One height for every row: a 100,000-row grid is laid out without
    // measuring a single cell.
    QHeaderView *rows = StringGrid1->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(ListEditor::RowHeight);
    QHeaderView *columns = StringGrid1->horizontalHeader();
    columns->setStretchLastSection(false);
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setMinimumSectionSize(1);
    // A load or an import sets the widths anew.
    connect(&m_editor.table(), &QAbstractItemModel::modelReset, this, [this] { m_widthsApplied = false; });
}

template<typename F>
void Tfrm_namelist::command(F f)
{
    commitTyping();
    f();
}

void Tfrm_namelist::bind()
{
    m_editor.changed = [this] { showState(); };
    m_editor.working = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    m_editor.askPassword = [this]() -> std::optional<QString> {
        if (!m_password)
            m_password = new TfrmPassword(this);
        // Centred on the draw screen, like the editor itself.
        return m_password->ask(parentWidget() ? parentWidget() : this);
    };

    connect(m_keyButtons, &QButtonGroup::idClicked, this, [this](int key) { m_editor.RadioGroup_keyClick(key); });
    const std::array<QCheckBox *, 6> switches{CheckBox_name, CheckBox_phone, CheckBox_id, CheckBox_workid,
                                              CheckBox_phonehide, CheckBox_idhide};
    for (int field = 0; field < 6; ++field)
        connect(switches[size_t(field)], &QCheckBox::clicked, this,
                [this, field](bool on) { m_editor.setShowSwitch(field, on); });

    connect(btn_addLine, &QPushButton::clicked, this, [this] { command([this] { m_editor.btn_addLineClick(); }); });
    connect(btn_insertLine, &QPushButton::clicked, this,
            [this] { command([this] { m_editor.btn_insertLineClick(); }); });
    connect(btn_delLine, &QPushButton::clicked, this, [this] { command([this] { m_editor.btn_delLineClick(); }); });
    connect(btn_clear, &QPushButton::clicked, this, [this] { command([this] { m_editor.btn_clearClick(); }); });
    connect(btn_delGrp, &QPushButton::clicked, this, [this] { command([this] { m_editor.btn_delGrpClick(); }); });
    connect(btn_save, &QPushButton::clicked, this, [this] { command([this] { m_editor.btn_saveClick(); }); });
    m_sheets.working = m_editor.working;
    connect(btn_template, &QPushButton::clicked, this, [this] { command([this] { m_sheets.btn_templateClick(); }); });
    connect(btn_import, &QPushButton::clicked, this, [this] { command([this] { m_sheets.btn_importClick(); }); });
    connect(btn_export, &QPushButton::clicked, this, [this] { command([this] { m_sheets.btn_exportClick(); }); });

    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { m_editor.setCurrentRow(current.isValid() ? current.row() + 1 : 0); });
}

void Tfrm_namelist::commitTyping()
{
    m_delegate->commitOpen();
}

void Tfrm_namelist::showState()
{
    const ShowFields &show = m_editor.showFields();
    {
        const QSignalBlocker blocker(m_keyButtons);
        if (QAbstractButton *item = m_keyButtons->button(m_editor.keyField()))
            item->setChecked(true);
    }
    const std::array<std::pair<QCheckBox *, bool>, 6> switches{{{CheckBox_name, show.showName},
                                                                {CheckBox_phone, show.showMobile},
                                                                {CheckBox_id, show.showId},
                                                                {CheckBox_workid, show.showWorkId},
                                                                {CheckBox_phonehide, show.maskMobile},
                                                                {CheckBox_idhide, show.maskId}}};
    for (const auto &[box, on] : switches) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
    btn_save->setEnabled(m_editor.saveEnabled());
    btn_delGrp->setVisible(m_editor.groupMode());
    lb_lines->setText(m_editor.linesText());
    lb_lines->setAccessibleName(lb_lines->text());

    const std::array<int, 6> widths = m_editor.columnWidths();
    if (!m_widthsApplied || widths != m_appliedWidths) {
        for (int c = 0; c < 6; ++c) {
            const int width = widths[size_t(c)];
            StringGrid1->setColumnHidden(c, width == 0);
            if (width > 0)
                StringGrid1->setColumnWidth(c, width);
        }
        m_appliedWidths = widths;
        m_widthsApplied = true;
    }

    const int row = m_editor.currentRow();
    const QModelIndex current = StringGrid1->currentIndex();
    if (row > 0 && (!current.isValid() || current.row() != row - 1)) {
        const int column = current.isValid() && current.column() > 0 ? current.column() : 1;
        StringGrid1->setCurrentIndex(m_editor.table().index(row - 1, column));
    }
}

void Tfrm_namelist::FormResize()
{
    const int w = width();
    const int h = height();
    RadioGroup_key->setGeometry(Margin, 4, 372, 50);
    btn_template->setGeometry(Margin + 372 + 16, 16, 200, ButtonHeight);
    GroupBox1->setGeometry(Margin, 58, w - 2 * Margin, 56);

    const int gridWidth = w - 3 * Margin - ColumnWidth;
    StringGrid1->setGeometry(Margin, TopBandHeight, gridWidth, h - GridHeightMargin);

    const int x = w - Margin - ColumnWidth;
    int y = TopBandHeight;
    const auto place = [&](QWidget *widget, int gapAfter) {
        widget->setGeometry(x, y, ColumnWidth, ButtonHeight);
        y += ButtonHeight + gapAfter;
    };
    place(btn_import, 6);
    place(btn_export, 18);
    place(btn_addLine, 6);
    place(btn_insertLine, 6);
    place(btn_delLine, 6);
    place(btn_clear, 18);
    place(btn_delGrp, 6);
    btn_save->setGeometry(x, h - Margin - 34, ColumnWidth, 34);
    lb_lines->setGeometry(x, h - Margin - 34 - 8 - 24, ColumnWidth, 24);
}

int Tfrm_namelist::showModalOver(QWidget *over)
{
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - rect().center());
    }
    return exec();
}

void Tfrm_namelist::showEvent(QShowEvent *event)
{
    // The editor always opens on the saved list; coming back from its own
    // boxes and dialogs is no new showing.
    if (!event->spontaneous()) {
        m_editor.FormShow();
        if (StringGrid1->currentIndex().isValid())
            StringGrid1->scrollTo(StringGrid1->currentIndex());
        StringGrid1->setFocus();
    }
    QDialog::showEvent(event);
}

void Tfrm_namelist::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

bool Tfrm_namelist::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lb_lines && event->type() == QEvent::MouseButtonDblClick) {
        commitTyping();
        m_editor.lb_linesDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrm_namelist::reject()
{
    // Escape goes through the close questions too.
    close();
}

void Tfrm_namelist::closeEvent(QCloseEvent *event)
{
    commitTyping();
    if (!m_editor.FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

} // namespace sorvix
