// The XLSX writer of exports, through libxlsxwriter. The library writes the whole workbook
// when it is closed, into a file of our choosing: a temporary one beside the target, which
// takes the target's place only when the workbook is complete.
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "Zelmar_Numbers.h"
#include "Zelmar_TableExport.h"

namespace {

// A workbook given up before it is closed is freed without writing anything.
struct TWorkbookFree {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};
using TWorkbook = std::unique_ptr<lxw_workbook, TWorkbookFree>;

// A cell's value as a number: the weight, and a numeric data field's plain numbers (in the
// field's decimal separator). Qualified values (">10", "~3") stay texts, as the sheet shows
// them.
bool CellNumber(const TZelmarField* field, const std::string& text, double& number) {
    if (text.empty()) return false;
    if (field->Kind == ecsdtMolweight) return ParseFloat(text, number);
    if (!field->IsNumericData()) return false;
    TZelmarQualifiedNumber qualified;
    if (!ParseQualifiedNumber(text, qualified, field->DecimalSeparator) ||
        qualified.Qualifier != TZelmarQualifier::None)
        return false;
    // "=5" and "~5" read as unqualified numbers, but their sign is part of what they say.
    return ParseFloat(text, number, field->DecimalSeparator);
}

// A line break in a cell is LF; a CR would be shown as the escape "_x000D_".
std::string CellString(const std::string& text) {
    if (text.find('\r') == std::string::npos) return text;
    std::string cell;
    cell.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        cell += text[i] == '\r' ? '\n' : text[i];
    }
    return cell;
}

}  // namespace

TZelmarExportResult ZelmarWriteXlsx(TZelmarTableRows& rows, const std::string& path,
                                    const TZelmarExportProgress& progress, std::string& error) {
    error.clear();
    const std::vector<std::string> header = rows.Header();
    if (header.size() > LXW_COL_MAX) {
        error = "an XLSX sheet holds at most " + std::to_string(LXW_COL_MAX) + " columns";
        return TZelmarExportResult::Failed;
    }
    std::string temporary;
    const int fd = ZelmarMakeTemporaryBeside(path, temporary);
    if (fd < 0) {
        error = std::strerror(errno);
        return TZelmarExportResult::Failed;
    }
    ::close(fd);
    auto fail = [&](TZelmarExportResult result) {
        ::unlink(temporary.c_str());
        return result;
    };

    TWorkbook workbook(workbook_new(temporary.c_str()));
    lxw_worksheet* sheet = workbook ? workbook_add_worksheet(workbook.get(), nullptr) : nullptr;
    lxw_format* bold = workbook ? workbook_add_format(workbook.get()) : nullptr;
    if (sheet == nullptr || bold == nullptr) {
        error = "the workbook could not be made";
        return fail(TZelmarExportResult::Failed);
    }
    format_set_bold(bold);

    const std::vector<const TZelmarField*>& columns = rows.Columns();
    // Cells past the fields' (the SMILES) are texts.
    auto put = [&](lxw_row_t row, std::size_t column, const std::string& text, lxw_format* format) {
        double number = 0.0;
        const auto col = static_cast<lxw_col_t>(column);
        if (format == nullptr && column < columns.size() &&
            CellNumber(columns[column], text, number))
            return worksheet_write_number(sheet, row, col, number, nullptr);
        if (text.empty()) return LXW_NO_ERROR;
        return worksheet_write_string(sheet, row, col, CellString(text).c_str(), format);
    };
    auto failed = [&](lxw_error result, const std::string& where) {
        error = where + ": " + lxw_strerror(result);
        return fail(TZelmarExportResult::Failed);
    };

    for (std::size_t c = 0; c < header.size(); ++c) {
        const lxw_error result = put(0, c, header[c], bold);
        if (result != LXW_NO_ERROR) return failed(result, "header");
    }
    lxw_row_t row = 1;
    lxw_error result = LXW_NO_ERROR;
    std::string where;
    const bool all = rows.ForEach(
        progress,
        [&](int record, const std::vector<std::string>& cells) {
            if (row >= LXW_ROW_MAX) {
                where = "an XLSX sheet holds at most " + std::to_string(LXW_ROW_MAX - 1) +
                        " records below its header";
                return false;
            }
            for (std::size_t c = 0; c < cells.size(); ++c) {
                result = put(row, c, cells[c], nullptr);
                if (result != LXW_NO_ERROR) {
                    where = "record " + std::to_string(record + 1) + ", field " +
                            (c < header.size() ? header[c] : std::string());
                    return false;
                }
            }
            ++row;
            return true;
        },
        error);
    if (!all) {
        if (result != LXW_NO_ERROR) return failed(result, where);
        if (!where.empty()) error = where;
        return fail(error.empty() ? TZelmarExportResult::Stopped : TZelmarExportResult::Failed);
    }
    errno = 0;
    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR) {
        // The library's text says what failed, the system's why (a full disk).
        const int why = errno;
        error = lxw_strerror(closed);
        if (why != 0) error += std::string(" (") + std::strerror(why) + ")";
        return fail(TZelmarExportResult::Failed);
    }
    int errorNumber = 0;
    if (!ZelmarPutTemporaryInPlace(temporary, path, errorNumber)) {
        error = std::strerror(errorNumber);
        return TZelmarExportResult::Failed;
    }
    return TZelmarExportResult::Written;
}
