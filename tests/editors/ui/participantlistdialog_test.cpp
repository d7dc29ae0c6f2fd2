#include "base/gbk.h"
#include "editors/dailypassword.h"
#include "editors/ui/participantlistdialog.h"
#include "editors/ui/passworddialog.h"
#include "support/accessible.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

// The draw screen on the shipped settings, from which the list editor opens.
class ParticipantListDialogTest : public DrawScreenTest
{
protected:
    void SetUp() override
    {
        start();
        op.questions.clear();
    }

    // Opens the editor from its menu item, which returns at once with the
    // editor up, and runs `drive`; the editor must be closed by then.
    void openEditor(const std::function<void(ParticipantListDialog *)> &drive)
    {
        action(QStringLiteral("participantListAction"))->trigger();
        auto *editor = window->findChild<ParticipantListDialog *>();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(becomesActive(editor));
        drive(editor);
        if (editor->isVisible()) {
            ADD_FAILURE() << "the editor was left open";
            op.answers = {Answer::No};
            editor->close();
        }
    }

    template<typename W>
    static W *child(QWidget *parent, const char *name)
    {
        return parent->findChild<W *>(QString::fromLatin1(name));
    }

    // Types into the current cell of the grid and ends the typing with Enter.
    static void typeInCell(QTableView *grid, const QString &text)
    {
        QTest::keyClick(grid, text.at(0).toLatin1());
        auto *edit = grid->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, text.mid(1));
        QTest::keyClick(edit, Qt::Key_Return);
        // The cell takes the text on the next turn of the event loop.
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(ParticipantListDialogTest, OpensCentredOnTheDrawScreenWithEveryControl)
{
    const QByteArray names = dir.bytes(QStringLiteral("Tname.dll"));
    ParticipantListDialog *opened = nullptr;
    openEditor([&](ParticipantListDialog *editor) {
        opened = editor;
        EXPECT_TRUE(editor->isModal());
        EXPECT_LE((editor->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(), 40);

        EXPECT_EQ(unnamedControls(editor), QStringList());
        EXPECT_FALSE(child<QPushButton>(editor, "saveButton")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(editor, "clearGroupsButton")->isVisible());

        auto *grid = child<QTableView>(editor, "grid");
        EXPECT_EQ(grid->model()->rowCount(), 200);
        EXPECT_EQ(grid->currentIndex().row(), 199);
        EXPECT_TRUE(grid->isColumnHidden(5));
        // The grid takes what the window grows by.
        const int gridHeight = grid->height();
        editor->resize(editor->width() + 40, editor->height() + 100);
        EXPECT_EQ(grid->height(), gridHeight + 100);
        EXPECT_EQ(child<QLabel>(editor, "lineCountLabel")->text(), QStringLiteral("共 200 行"));

        // The key field and the shown fields follow an assistive tool's actions.
        auto *key = child<QGroupBox>(editor, "keyFieldBox");
        QRadioButton *byMobile = key->findChildren<QRadioButton *>().at(KeyMobile);
        ASSERT_TRUE(doAccessibleAction(byMobile, QAccessibleActionInterface::toggleAction()));
        EXPECT_EQ(editor->editor().keyField(), KeyMobile);
        const bool masked = editor->editor().showFields().maskMobile;
        ASSERT_TRUE(doAccessibleAction(child<QCheckBox>(editor, "maskMobileSwitch"),
                                       QAccessibleActionInterface::toggleAction()));
        EXPECT_EQ(editor->editor().showFields().maskMobile, !masked);

        // Typing a cell enables "保存"; Escape closes through the question.
        grid->setCurrentIndex(grid->model()->index(0, 1));
        typeInCell(grid, QStringLiteral("Zed"));
        EXPECT_EQ(editor->editor().table().text(1, 1), QStringLiteral("Zed"));
        EXPECT_TRUE(child<QPushButton>(editor, "saveButton")->isEnabled());
        op.answers = {Answer::No};
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_FALSE(editor->isVisible());
    });
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("是否保存所做的修改？")});
    EXPECT_EQ(dir.bytes(QStringLiteral("Tname.dll")), names);

    // Made once: the second opening shows the same window on the saved list.
    openEditor([&](ParticipantListDialog *editor) {
        EXPECT_EQ(editor, opened);
        EXPECT_EQ(editor->editor().table().text(1, 1), gbk::decode(draw().list().field(ColName, 0)));
        EXPECT_FALSE(child<QPushButton>(editor, "saveButton")->isEnabled());
        op.answers = {Answer::No};
        editor->close();
    });
}

TEST_F(ParticipantListDialogTest, GroupModeThroughThePasswordDialog)
{
    openEditor([&](ParticipantListDialog *editor) {
        auto *grid = child<QTableView>(editor, "grid");
        auto *lines = child<QLabel>(editor, "lineCountLabel");
        auto *delGrp = child<QPushButton>(editor, "clearGroupsButton");
        const auto enterPassword = [](const QString &typed) {
            QTimer::singleShot(0, [typed] {
                auto *dialog = qobject_cast<PasswordDialog *>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                auto *edit = child<QLineEdit>(dialog, "passwordEdit");
                EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
                EXPECT_EQ(unnamedControls(dialog), QStringList());
                QTest::keyClicks(edit, typed);
                QTest::keyClick(edit, Qt::Key_Return);
                EXPECT_TRUE(edit->text().isEmpty());
            });
        };
        enterPassword(QStringLiteral("00000000"));
        QTest::mouseDClick(lines, Qt::LeftButton);
        EXPECT_TRUE(grid->isColumnHidden(5));
        EXPECT_FALSE(delGrp->isVisible());

        enterPassword(dailypassword::forDate(QDate::currentDate()));
        QTest::mouseDClick(lines, Qt::LeftButton);
        EXPECT_FALSE(grid->isColumnHidden(5));
        EXPECT_TRUE(delGrp->isVisible());
        EXPECT_TRUE(editor->editor().groupMode());

        grid->setCurrentIndex(grid->model()->index(0, 5));
        typeInCell(grid, QStringLiteral("2"));
        QTest::mouseDClick(lines, Qt::LeftButton);
        EXPECT_TRUE(grid->isColumnHidden(5));
        EXPECT_FALSE(delGrp->isVisible());
        EXPECT_EQ(editor->editor().table().text(1, 5), QStringLiteral("2"));

        // A name still being typed when the window is closed is saved too.
        grid->setCurrentIndex(grid->model()->index(1, 1));
        QTest::keyClick(grid, 'Q');
        op.answers = {Answer::Yes};
        editor->close();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_FALSE(editor->editor().groupMode());
    });
    EXPECT_EQ(dir.lines(QStringLiteral("Tgroup.dll")).value(1), QStringLiteral("2"));
    EXPECT_EQ(dir.lines(QStringLiteral("Tname.dll")).value(2), QStringLiteral("Q"));
}

TEST_F(ParticipantListDialogTest, ImportFromAWorkbookFillsTheGrid)
{
    op.openName = QStringLiteral(SORVIX_SOURCE_DIR "/tests/data/sheets/people.xlsx");
    openEditor([&](ParticipantListDialog *editor) {
        op.answers = {Answer::Yes};
        QTest::mouseClick(child<QPushButton>(editor, "importButton"), Qt::LeftButton);
        auto *grid = child<QTableView>(editor, "grid");
        EXPECT_EQ(grid->model()->rowCount(), 4);
        EXPECT_EQ(grid->currentIndex().row(), 3);
        EXPECT_EQ(child<QLabel>(editor, "lineCountLabel")->text(), QStringLiteral("共 4 行"));
        EXPECT_TRUE(child<QPushButton>(editor, "saveButton")->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        op.answers = {Answer::No};
        editor->close();
    });
    ASSERT_GE(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], ListSheets::importQuestion());
    EXPECT_TRUE(op.notices.value(0).startsWith(QStringLiteral("4 行记录成功导入。")));
}
