// The .xlsx, .ods and .csv readers, on orcus.

#include "sheets/cells.h"

#include "base/gbk.h"

#include <ixion/address.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/model_context.hpp>
#include <orcus/csv_parser.hpp>
#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <orcus/spreadsheet/styles.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace sorvix::workbook::detail {

namespace {

QString dateText(const orcus::date_time_t &d, double serial)
{
    const int whole = int(std::floor(serial));
    const int secs = int(std::lround(d.second));
    const QString date = QStringLiteral("%1-%2-%3")
                             .arg(d.year, 4, 10, QLatin1Char('0'))
                             .arg(d.month, 2, 10, QLatin1Char('0'))
                             .arg(d.day, 2, 10, QLatin1Char('0'));
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(d.hour, 2, 10, QLatin1Char('0'))
                             .arg(d.minute, 2, 10, QLatin1Char('0'))
                             .arg(secs, 2, 10, QLatin1Char('0'));
    if (whole == 0)
        return time;
    if (serial == whole)
        return date;
    return date + QLatin1Char(' ') + time;
}

// Whether a number format shows a date or a time: the built-in ones, or a
// code with date and time letters outside quotes and brackets.
bool isDateFormat(const orcus::spreadsheet::number_format_t &format)
{
    const size_t id = format.identifier;
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    bool quoted = false;
    int bracket = 0;
    for (size_t i = 0; i < format.format_string.size(); ++i) {
        const char c = char(std::tolower(static_cast<unsigned char>(format.format_string[i])));
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\\')
            ++i;
        else if (c == '[')
            ++bracket;
        else if (c == ']')
            bracket = std::max(0, bracket - 1);
        else if (bracket == 0 && (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 's'))
            return true;
    }
    return false;
}

// Whether cells of a format show dates, as .xlsx gives it: the cell format
// names its number format by identifier. Worked out once per cell format, as
// a list's numeric column shares one format down all its rows.
class DateFormats
{
public:
    explicit DateFormats(const orcus::spreadsheet::styles &styles) : m_styles(styles) {}

    bool isDate(size_t cellFormat)
    {
        const auto known = m_known.find(cellFormat);
        if (known != m_known.end())
            return known->second;
        return m_known[cellFormat] = lookUp(cellFormat);
    }

private:
    bool lookUp(size_t cellFormat) const
    {
        const orcus::spreadsheet::cell_format_t *xf = m_styles.get_cell_format(cellFormat);
        if (!xf)
            return false;
        for (size_t i = 0; i < m_styles.get_number_format_count(); ++i) {
            const orcus::spreadsheet::number_format_t *format = m_styles.get_number_format(i);
            if (format && format->identifier == xf->number_format)
                return isDateFormat(*format);
        }
        orcus::spreadsheet::number_format_t builtIn;
        builtIn.identifier = xf->number_format;
        return isDateFormat(builtIn);
    }

    const orcus::spreadsheet::styles &m_styles;
    std::map<size_t, bool> m_known;
};

using orcus::spreadsheet::col_t;
using orcus::spreadsheet::row_t;
namespace iface = orcus::spreadsheet::iface;

// The first sheet as the document builds it, with the cells an .ods stores
// as dates noted: their number formats do not reach the document.
class NotingSheet : public iface::import_sheet
{
public:
    NotingSheet(iface::import_sheet *inner, std::set<std::pair<int, int>> &dates) : m_inner(inner), m_dates(dates) {}
    iface::import_sheet *inner() const { return m_inner; }

    iface::import_sheet_view *get_sheet_view() override { return m_inner->get_sheet_view(); }
    iface::import_sheet_properties *get_sheet_properties() override { return m_inner->get_sheet_properties(); }
    iface::import_data_table *get_data_table() override { return m_inner->get_data_table(); }
    iface::import_auto_filter *get_auto_filter() override { return m_inner->get_auto_filter(); }
    iface::import_table *get_table() override { return m_inner->get_table(); }
    iface::import_conditional_format *get_conditional_format() override { return m_inner->get_conditional_format(); }
    iface::import_named_expression *get_named_expression() override { return m_inner->get_named_expression(); }
    iface::import_array_formula *get_array_formula() override { return m_inner->get_array_formula(); }
    iface::import_formula *get_formula() override { return m_inner->get_formula(); }
    void set_auto(row_t row, col_t col, std::string_view s) override { m_inner->set_auto(row, col, s); }
    void set_string(row_t row, col_t col, orcus::spreadsheet::string_id_t id) override { m_inner->set_string(row, col, id); }
    void set_value(row_t row, col_t col, double value) override { m_inner->set_value(row, col, value); }
    void set_bool(row_t row, col_t col, bool value) override { m_inner->set_bool(row, col, value); }
    void set_date_time(row_t row, col_t col, int year, int month, int day, int hour, int minute, double second) override
    {
        if (col >= 0 && col < ColumnCount)
            m_dates.insert({int(row), int(col)});
        m_inner->set_date_time(row, col, year, month, day, hour, minute, second);
    }
    void set_format(row_t row, col_t col, size_t xf) override { m_inner->set_format(row, col, xf); }
    void set_format(row_t r0, col_t c0, row_t r1, col_t c1, size_t xf) override { m_inner->set_format(r0, c0, r1, c1, xf); }
    void fill_down_cells(row_t row, col_t col, row_t size) override { m_inner->fill_down_cells(row, col, size); }
    orcus::spreadsheet::range_size_t get_sheet_size() const override { return m_inner->get_sheet_size(); }

private:
    iface::import_sheet *m_inner;
    std::set<std::pair<int, int>> &m_dates;
};

class NotingFactory : public iface::import_factory
{
public:
    explicit NotingFactory(orcus::spreadsheet::document &doc) : m_inner(doc) {}
    std::set<std::pair<int, int>> dates;

    iface::import_global_settings *get_global_settings() override { return m_inner.get_global_settings(); }
    iface::import_shared_strings *get_shared_strings() override { return m_inner.get_shared_strings(); }
    iface::import_named_expression *get_named_expression() override { return m_inner.get_named_expression(); }
    iface::import_styles *get_styles() override { return m_inner.get_styles(); }
    iface::import_reference_resolver *get_reference_resolver(orcus::spreadsheet::formula_ref_context_t cxt) override
    {
        return m_inner.get_reference_resolver(cxt);
    }
    iface::import_pivot_cache_definition *create_pivot_cache_definition(orcus::spreadsheet::pivot_cache_id_t id) override
    {
        return m_inner.create_pivot_cache_definition(id);
    }
    iface::import_pivot_cache_records *create_pivot_cache_records(orcus::spreadsheet::pivot_cache_id_t id) override
    {
        return m_inner.create_pivot_cache_records(id);
    }
    iface::import_sheet *append_sheet(orcus::spreadsheet::sheet_t index, std::string_view name) override
    {
        return noted(m_inner.append_sheet(index, name), index == 0);
    }
    iface::import_sheet *get_sheet(std::string_view name) override { return noted(m_inner.get_sheet(name), false); }
    iface::import_sheet *get_sheet(orcus::spreadsheet::sheet_t index) override
    {
        return noted(m_inner.get_sheet(index), false);
    }
    void finalize() override { m_inner.finalize(); }

private:
    iface::import_sheet *noted(iface::import_sheet *sheet, bool first)
    {
        if (sheet && first && !m_first)
            m_first = std::make_unique<NotingSheet>(sheet, dates);
        return m_first && sheet == m_first->inner() ? m_first.get() : sheet;
    }

    orcus::spreadsheet::import_factory m_inner;
    std::unique_ptr<NotingSheet> m_first;
};

Cells readXlsxOrOds(const QByteArray &bytes, orcus::format_t kind)
{
    orcus::spreadsheet::document doc{orcus::spreadsheet::range_size_t{MaxRows, 16384}};
    NotingFactory factory{doc};
    const std::string_view stream(bytes.constData(), size_t(bytes.size()));
    if (kind == orcus::format_t::xlsx)
        orcus::orcus_xlsx(&factory).read_stream(stream);
    else
        orcus::orcus_ods(&factory).read_stream(stream);

    Cells cells;
    const orcus::spreadsheet::sheet *sheet = doc.get_sheet(0);
    if (!sheet)
        return cells;
    const ixion::abs_range_t range = sheet->get_data_range();
    if (!range.valid())
        return cells;
    const ixion::model_context &model = doc.get_model_context();
    DateFormats dateFormats(doc.get_styles());
    const int lastRow = std::min(range.last.row, MaxRows - 1);
    const int lastColumn = std::min(range.last.column, ColumnCount - 1);
    for (int row = 0; row <= lastRow; ++row) {
        for (int column = 0; column <= lastColumn; ++column) {
            const ixion::abs_address_t at(0, row, column);
            switch (model.get_celltype(at)) {
            case ixion::celltype_t::string:
                cells.set(size_t(row), column, QString::fromUtf8(model.get_string_value(at)));
                break;
            case ixion::celltype_t::numeric: {
                const double value = model.get_numeric_value(at);
                if (factory.dates.count({row, column})
                    || dateFormats.isDate(sheet->get_cell_format(row, column))) {
                    cells.set(size_t(row), column, dateText(sheet->get_date_time(row, column), value));
                } else {
                    bool lost = false;
                    QString text = numberText(value, &lost);
                    cells.set(size_t(row), column, std::move(text), lost);
                }
                break;
            }
            case ixion::celltype_t::boolean:
                cells.set(size_t(row), column,
                          model.get_boolean_value(at) ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
                break;
            case ixion::celltype_t::formula: {
                // The result the workbook was saved with; an uncalculated one counts as empty.
                try {
                    const ixion::formula_result result = model.get_formula_result(at);
                    if (result.get_type() == ixion::formula_result::result_type::string) {
                        cells.set(size_t(row), column, QString::fromStdString(result.get_string()));
                    } else if (result.get_type() == ixion::formula_result::result_type::value) {
                        bool lost = false;
                        QString text = numberText(result.get_value(), &lost);
                        cells.set(size_t(row), column, std::move(text), lost);
                    }
                } catch (const std::exception &) {
                }
                break;
            }
            default:
                break;
            }
        }
    }
    return cells;
}

// Whether an .xlsx keeps its texts inline in the sheets (some systems export
// so), which this reader takes as empty cells.
bool hasInlineStrings(const QByteArray &bytes)
{
    try {
        orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        orcus::zip_archive archive(&stream);
        archive.load();
        std::vector<unsigned char> xml;
        for (size_t i = 0; i < archive.get_file_entry_count(); ++i) {
            const std::string_view name = archive.get_file_entry_name(i);
            if (name.rfind("xl/worksheets/", 0) != 0 || !archive.read_file_entry(name, xml))
                continue;
            const std::string_view text(reinterpret_cast<const char *>(xml.data()), xml.size());
            if (text.find("t=\"inlineStr\"") != std::string_view::npos)
                return true;
        }
    } catch (const std::exception &) {
    }
    return false;
}

} // namespace

Cells readZipped(const QByteArray &bytes, const QString &path)
{
    const orcus::format_t kind =
        orcus::detect(reinterpret_cast<const unsigned char *>(bytes.constData()), size_t(bytes.size()));
    if (kind != orcus::format_t::xlsx && kind != orcus::format_t::ods)
        throw damaged(path);
    Cells cells = readXlsxOrOds(bytes, kind);
    // Names kept inline would read as an empty list: say so rather than import nobody.
    if (kind == orcus::format_t::xlsx && (cells.rows.empty() || cells.rows[0][0].isEmpty()) && hasInlineStrings(bytes))
        throw OperationError(QStringLiteral("“%1”的文字以内嵌方式保存，本程序读不出。请在Excel、WPS或"
                                            "LibreOffice中打开它，另存为.xlsx后再导入。")
                                 .arg(shownName(path)));
    return cells;
}

Cells readCsv(const QByteArray &bytes)
{
    QByteArray text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = bytes.mid(3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2)
                   .toUtf8();
    } else {
        text = bytes.isValidUtf8() ? bytes : gbk::decode(bytes).toUtf8();
    }
    text.replace("\r\n", "\n");
    const qsizetype firstLineEnd = text.indexOf('\n');
    const QByteArray firstLine = text.left(firstLineEnd < 0 ? text.size() : firstLineEnd);

    struct Handler
    {
        Cells cells;
        size_t row = 0;
        int column = 0;
        void begin_parse() {}
        void end_parse() {}
        void begin_row() { column = 0; }
        void end_row() { ++row; }
        void cell(const char *p, size_t n, bool)
        {
            cells.set(row, column++, QString::fromUtf8(p, qsizetype(n)));
        }
    } handler;
    orcus::csv::parser_config config;
    config.delimiters.assign(1, firstLine.contains('\t') && !firstLine.contains(',') ? '\t' : ',');
    config.text_qualifier = '"';
    orcus::csv_parser<Handler> parser(text.constData(), size_t(text.size()), handler, config);
    parser.parse();
    return std::move(handler.cells);
}

} // namespace sorvix::workbook::detail
