#include "Zelmar_TableExport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_RecordIdentifiers.h"
#include "vesk_Guard.h"

namespace fs = std::filesystem;

std::vector<const TZelmarField*> ZelmarExportColumns(TZelmarSDFileDataList& list) {
    std::vector<const TZelmarField*> columns;
    for (int i = 0; i < list.GetFieldCount(); ++i)
        if (list.GetField(i)->Kind == ecsdtDataText) columns.push_back(list.GetField(i));
    for (const char* name : {kFieldNameFormula, kFieldNameMolweight, kFieldNameSmiles,
                             kFieldNameInchi, kFieldNameInchiKey})
        if (const TZelmarField* field = list.GetFieldByName(name)) columns.push_back(field);
    return columns;
}

std::string ZelmarExportColumnName(const TZelmarField* field) {
    if (field == nullptr) return {};
    switch (field->Kind) {
        case ecsdtFormula:
            return "formula";
        case ecsdtMolweight:
            return "weight";
        case ecsdtChemistry:
            return "molecule";
        case ecsdtSmiles:
            return kExportSmilesColumn;
        case ecsdtInchi:
            return "inchi";
        case ecsdtInchiKey:
            return "inchikey";
        case ecsdtDataText:
            return field->Name;
        default:
            return {};
    }
}

std::string ZelmarExportCellText(TZelmarSDFileData* record, const TZelmarField* field) {
    TZelmarDataCarrier value;
    if (record == nullptr || !record->GetDataForField(field, &value)) return {};
    if (field->Kind == ecsdtMolweight) return FormatFloatGeneral(RoundWeight(value.Value()));
    return ZelmarShownTextAsUtf8(value.Text());
}

std::string ZelmarQuotedCell(std::string_view text, std::string_view separator) {
    if (text.find_first_of("\"\r\n") == std::string_view::npos &&
        text.find_first_of(separator) == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string ZelmarCsvCell(std::string_view text) {
    return ZelmarQuotedCell(text, ",");
}

std::string ZelmarTsvCell(std::string_view text) {
    std::string cell;
    cell.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        cell += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return cell;
}

TZelmarTableRows::TZelmarTableRows(TZelmarSDFileDataList& list,
                                   std::vector<const TZelmarField*> columns, bool onlyChecked,
                                   bool withSmiles)
    : FList(list),
      FColumns(std::move(columns)),
      FOnlyChecked(onlyChecked),
      FWithSmiles(withSmiles) {}

TZelmarTableRows::~TZelmarTableRows() = default;

std::vector<std::string> TZelmarTableRows::Header() const {
    std::vector<std::string> names;
    for (const TZelmarField* field : FColumns)
        names.push_back(ZelmarShownTextAsUtf8(ZelmarExportColumnName(field)));
    if (FWithSmiles) names.emplace_back(kExportSmilesColumn);
    return names;
}

bool TZelmarTableRows::ForEach(
    const TZelmarExportProgress& progress,
    const std::function<bool(int record, const std::vector<std::string>& cells)>& row,
    std::string& error) {
    error.clear();
    std::unique_ptr<TveskMolManager> molecules;
    if (FWithSmiles) {
        molecules = std::make_unique<TveskMolManager>();
        if (!molecules->IsLibLoaded()) {
            error = std::string(RoutinesLibraryName) + " could not be loaded";
            return false;
        }
    }
    const int count = FList.GetCount();
    // Identifier columns: the values not kept yet are made first, on every core, as the
    // first half of the progress.
    std::vector<TZelmarFieldKind> kinds;
    for (const TZelmarField* field : FColumns)
        if (field != nullptr && ZelmarIsIdentifierKind(field->Kind)) kinds.push_back(field->Kind);
    const int rowsFrom = kinds.empty() ? 0 : 50;
    if (!kinds.empty()) {
        std::vector<TZelmarSDFileData*> records;
        for (int i = 0; i < count; ++i)
            if (TZelmarSDFileData* record = FList.GetSDFileData(i))
                if (!FOnlyChecked || record->Selected) records.push_back(record);
        std::vector<std::string> values;
        for (std::size_t n = 0; n < kinds.size(); ++n) {
            const bool made = ZelmarRecordIdentifiers(
                records, kinds[n], values, [&](std::size_t done, std::size_t total) {
                    const double part = (static_cast<double>(n) +
                                         static_cast<double>(done) /
                                             static_cast<double>(std::max<std::size_t>(total, 1))) /
                                        static_cast<double>(kinds.size());
                    return !progress || progress(static_cast<int>(part * rowsFrom));
                });
            if (!made) return false;
        }
    }
    std::vector<std::string> cells(FColumns.size() + (FWithSmiles ? 1 : 0));
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(rowsFrom + static_cast<int>((100LL - rowsFrom) * i / count)))
            return false;
        TZelmarSDFileData* record = FList.GetSDFileData(i);
        if (record == nullptr || (FOnlyChecked && !record->Selected)) continue;
        for (std::size_t c = 0; c < FColumns.size(); ++c)
            cells[c] = ZelmarExportCellText(record, FColumns[c]);
        // A molecule that cannot be read has no SMILES, as it has no weight.
        if (molecules && !molecules->GetSmiles(std::string(record->MolString()), cells.back()))
            cells.back().clear();
        if (!row(i, cells)) return false;
    }
    return true;
}

bool ZelmarMakeTextTable(TZelmarSDFileDataList& list,
                         const std::vector<const TZelmarField*>& columns, bool tsv,
                         bool onlyChecked, const TZelmarExportProgress& progress,
                         std::string& table, bool withSmiles, std::string* error) {
    const char* const separator = tsv ? "\t" : ",";
    const char* const lineEnd = tsv ? "\n" : "\r\n";
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            table += (c > 0 ? separator : "") +
                     (tsv ? ZelmarTsvCell(cells[c]) : ZelmarCsvCell(cells[c]));
        table += lineEnd;
        return true;
    };
    TZelmarTableRows rows(list, columns, onlyChecked, withSmiles);
    table.clear();
    line(rows.Header());
    std::string failure;
    const bool made = rows.ForEach(
        progress, [&](int, const std::vector<std::string>& cells) { return line(cells); }, failure);
    if (error != nullptr) *error = failure;
    return made;
}

bool ZelmarWriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t size = bytes.size();
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Beside the target, so that the rename replaces it in one step.
int ZelmarMakeTemporaryBeside(const std::string& path, std::string& temporary) {
    const fs::path target(path);
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    temporary = folder + "/." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd >= 0) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    return fd;
}

bool ZelmarPutTemporaryInPlace(const std::string& temporary, const std::string& path,
                               int& errorNumber) {
    // mkstemp makes the file private; the result gets the usual rights.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::chmod(temporary.c_str(), 0666 & ~mask) != 0 ||
        ::rename(temporary.c_str(), path.c_str()) != 0) {
        errorNumber = errno;
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool ZelmarWriteFileWhole(const std::string& path, std::string_view bytes, int& errorNumber) {
    std::string temporary;
    const int fd = ZelmarMakeTemporaryBeside(path, temporary);
    if (fd < 0) {
        errorNumber = errno;
        return false;
    }
    const bool written = ZelmarWriteAll(fd, bytes) && ::fsync(fd) == 0;
    errorNumber = errno;
    if (::close(fd) != 0 && written) errorNumber = errno;
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    return ZelmarPutTemporaryInPlace(temporary, path, errorNumber);
}

TZelmarExportResult ZelmarExportSheet(TZelmarSDFileDataList& list,
                                      const TZelmarExportOptions& options, const std::string& path,
                                      const TZelmarExportProgress& progress, std::string& error) {
    return Guarded("ZelmarExportSheet", TZelmarExportResult::Failed, [&] {
        error.clear();
        if (options.Format == TZelmarExportFormat::SDFile) {
            bool stopped = false;
            const bool written = list.WriteCopyTo(
                path, options.OnlyChecked,
                [&](TZelmarSDFileDataList*, int percent) {
                    stopped = progress && !progress(percent);
                    return !stopped;
                },
                error);
            if (written) return TZelmarExportResult::Written;
            if (error.empty()) error = list.GetLastError();
            return stopped ? TZelmarExportResult::Stopped : TZelmarExportResult::Failed;
        }
        const std::vector<const TZelmarField*> columns =
            options.Columns.empty() ? ZelmarExportColumns(list) : options.Columns;
        if (options.Format == TZelmarExportFormat::Xlsx) {
            TZelmarTableRows rows(list, columns, options.OnlyChecked, options.WithSmiles);
            return ZelmarWriteXlsx(rows, path, progress, error);
        }
        std::string table;
        if (!ZelmarMakeTextTable(list, columns, options.Format == TZelmarExportFormat::Tsv,
                                 options.OnlyChecked, progress, table, options.WithSmiles, &error))
            return error.empty() ? TZelmarExportResult::Stopped : TZelmarExportResult::Failed;
        int errorNumber = 0;
        if (ZelmarWriteFileWhole(path, table, errorNumber)) return TZelmarExportResult::Written;
        error = std::strerror(errorNumber);
        return TZelmarExportResult::Failed;
    });
}
