// Writes the participant list template and the workbooks the tests import.
//   sheetgen template <file.xlsx>   the header row, five columns in text format
//   sheetgen samples <folder>       people.xlsx, emptya1.xlsx and inline.xlsx
#include <xlsxwriter.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char *const Header[5] = {"姓名", "手机号", "身份证号码", "工号", "分组"};
const double Widths[5] = {12, 16, 22, 12, 8};

struct Book
{
    lxw_workbook *book;
    lxw_worksheet *sheet;
    lxw_format *text;
    lxw_format *bold;
};

Book open(const std::string &path, const char *sheetName)
{
    Book b{};
    b.book = workbook_new(path.c_str());
    b.sheet = workbook_add_worksheet(b.book, sheetName);
    b.text = workbook_add_format(b.book);
    format_set_num_format(b.text, "@");
    b.bold = workbook_add_format(b.book);
    format_set_num_format(b.bold, "@");
    format_set_bold(b.bold);
    for (int c = 0; c < 5; ++c) {
        worksheet_set_column(b.sheet, c, c, Widths[c], b.text);
        worksheet_write_string(b.sheet, 0, c, Header[c], b.bold);
    }
    return b;
}

int close(Book &b)
{
    const lxw_error e = workbook_close(b.book);
    if (e != LXW_NO_ERROR)
        std::fprintf(stderr, "sheetgen: %s\n", lxw_strerror(e));
    return e == LXW_NO_ERROR ? 0 : 1;
}

// Numbers and a date where a careless workbook has them, a Chinese sheet
// name, a repeated name, and a person below the first empty name.
int samples(const std::string &folder)
{
    Book b = open(folder + "/people.xlsx", "人员名单");
    lxw_format *date = workbook_add_format(b.book);
    format_set_num_format(date, "yyyy-mm-dd");
    lxw_worksheet *s = b.sheet;
    worksheet_write_string(s, 1, 0, "张三", b.text);
    worksheet_write_number(s, 1, 1, 13800138000.0, nullptr);
    worksheet_write_string(s, 1, 2, "110101199003074512", b.text);
    worksheet_write_number(s, 1, 3, 1001, nullptr);
    worksheet_write_string(s, 1, 4, "1", b.text);
    worksheet_write_string(s, 2, 0, "李四", b.text);
    worksheet_write_string(s, 2, 1, "13900139000", b.text);
    worksheet_write_number(s, 2, 2, 110101199003074000.0, nullptr); // as a spreadsheet keeps it
    worksheet_write_string(s, 2, 3, "QW02", b.text);
    worksheet_write_string(s, 3, 0, "王五", b.text);
    worksheet_write_number(s, 3, 1, 2.5, nullptr);
    lxw_datetime day = {2024, 1, 15, 0, 0, 0};
    worksheet_write_datetime(s, 3, 3, &day, date);
    worksheet_write_string(s, 4, 0, "张三", b.text);
    worksheet_write_string(s, 4, 3, "QW04", b.text);
    // Row 6: no name, but a mobile; row 7: a person the import leaves out.
    worksheet_write_string(s, 5, 1, "13700137000", b.text);
    worksheet_write_string(s, 6, 0, "赵六", b.text);
    if (close(b) != 0)
        return 1;

    Book e = open(folder + "/emptya1.xlsx", "Sheet1");
    worksheet_write_blank(e.sheet, 0, 0, e.text);
    worksheet_write_string(e.sheet, 1, 0, "张三", e.text);
    if (close(e) != 0)
        return 1;

    // Texts kept inline in the sheet, as some systems export them.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt((folder + "/inline.xlsx").c_str(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    for (int c = 0; c < 5; ++c)
        worksheet_write_string(sheet, 0, c, Header[c], nullptr);
    worksheet_write_string(sheet, 1, 0, "张三", nullptr);
    Book inlineBook{book, sheet, nullptr, nullptr};
    return close(inlineBook);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "template") == 0) {
        Book b = open(argv[2], "Sheet1");
        return close(b);
    }
    if (argc == 3 && std::strcmp(argv[1], "samples") == 0)
        return samples(argv[2]);
    std::fprintf(stderr, "usage: sheetgen template <file.xlsx> | samples <folder>\n");
    return 2;
}
