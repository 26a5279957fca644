// One row of a sheet: an SD record's texts, its check mark and its load error, and its value for
// each kind of field.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_RecordIdentifiers.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

const char* const kEmptyMolFile =
    "\r\n  -ISIS-  07200413512D\r\n\r\n  0  0  0  0  0  0  0  0  0  0999 V2000\r\nM  END";

namespace {

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Trimmed(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsControlOrBlank(text[first])) ++first;
    while (last > first && IsControlOrBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

// A data item's value as the grid shows it: lines joined with CR LF, trimmed.
std::string JoinedValue(const TZelmarRecordTexts& texts, int item) {
    const int count = texts.LineCount(item);
    // Most values are one line: trimmed straight from it, without a joined copy first.
    if (count == 1) return Trimmed(texts.Line(item, 0));
    std::string text;
    for (int k = 0; k < count; ++k) {
        if (k > 0) text += "\r\n";
        text += texts.Line(item, k);
    }
    return Trimmed(text);
}

// Splits at CR LF, LF or CR; a final line break does not make an empty last line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = ++i;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

std::string TZelmarSDFileData::FormulaToSortKey(const std::string& formula) {
    constexpr int kSlots = 51;
    constexpr std::size_t kSlotChars = 4;
    std::array<std::string, kSlots> symbols;
    std::array<std::string, kSlots> counts;
    auto append = [](std::string& slot, char c) {
        if (slot.size() < kSlotChars) slot += c;
    };
    int n = 0;
    for (const char c : formula) {
        if (c >= 'A' && c <= 'Z') {
            if (++n >= kSlots) return std::string();
            symbols[n].assign(1, c);
        } else if (c >= '0' && c <= '9') {
            append(counts[n], c);
        } else {
            append(symbols[n], c);
        }
    }
    // "1" and "2" sort before every letter: carbon first, then hydrogen.
    for (int i = 1; i <= n; ++i) {
        if (symbols[i] == "C")
            symbols[i] = "1";
        else if (symbols[i] == "H")
            symbols[i] = "2";
    }
    for (int i = 1; i < n; ++i)
        for (int j = n; j > i; --j)
            if (symbols[i] > symbols[j]) {
                std::swap(symbols[i], symbols[j]);
                std::swap(counts[i], counts[j]);
            }
    std::string key;
    for (int i = 1; i <= n; ++i) {
        if (symbols[i] == "1")
            symbols[i] = "C";
        else if (symbols[i] == "2")
            symbols[i] = "H";
        key += symbols[i];
        key += std::string(kSlotChars - counts[i].size(), '0');
        key += counts[i];
    }
    return key;
}

// ---- TZelmarSDFileData --------------------------------------------------------------------

TZelmarSDFileData::TZelmarSDFileData(bool lazy, int entryNo) : FEntryNo(lazy ? entryNo : -1) {
    if (!lazy) FTexts.MakeEmpty();
}

TZelmarSDFileData::~TZelmarSDFileData() = default;

void TZelmarSDFileData::Clear() {
    GuardedVoid("TZelmarSDFileData.Clear", [&] { FTexts.Clear(); });
}

void TZelmarSDFileData::Assign(const TZelmarSDFileData* source) {
    GuardedVoid("TZelmarSDFileData.Assign", [&] {
        if (source == nullptr || source == this) return;
        FTexts.Assign(source->FTexts);
        Selected = source->Selected;
        FEntryNo = -1;
    });
}

bool TZelmarSDFileData::GetDataForField(const TZelmarField* field, TZelmarDataCarrier* carrier) {
    return Guarded("TZelmarSDFileData.GetDataForField", false, [&] {
        if (field == nullptr || carrier == nullptr) return false;
        switch (field->Kind) {
            case ecsdtDataText: {
                const int item = FTexts.FindData(field->Name);
                if (item < 0) return false;
                carrier->SetText(JoinedValue(FTexts, item));
                break;
            }
            case ecsdtFormula:
                carrier->SetText(GetFormula());
                break;
            case ecsdtChemistry:
                carrier->SetText(std::string(FTexts.MolString()));
                break;
            case ecsdtMolweight: {
                const double weight = GetMolweight();
                // A molecule that cannot be read has no weight, not a weight of 0.
                if (FTexts.MolUnreadable()) return false;
                carrier->SetValue(weight);
                carrier->SetValueFrom(weight);
                break;
            }
            case ecsdtCheckbox:
                carrier->SetChecked(Selected);
                break;
            case ecsdtSmiles:
            case ecsdtInchi:
            case ecsdtInchiKey:
                // Made here only when no sort, search or background run made it before.
                carrier->SetText(ZelmarRecordIdentifier(*this, field->Kind));
                break;
            default:
                return false;
        }
        carrier->SetKind(field->Kind);
        return true;
    });
}

void TZelmarSDFileData::SetDataForField(const TZelmarField* field,
                                        const TZelmarDataCarrier* carrier) {
    GuardedVoid("TZelmarSDFileData.SetDataForField", [&] {
        if (field == nullptr || carrier == nullptr) return;
        // A record that could not be read is kept as its bytes, and they are what is saved:
        // content written into it would be lost, so only its check mark can change.
        if (!LoadError.empty() && field->Kind != ecsdtCheckbox) {
            TraceMessage("TZelmarSDFileData.SetDataForField", tlWarning,
                         "a record that could not be read is not changed: %s", LoadError.c_str());
            return;
        }
        if (field->Kind != ecsdtChemistry && carrier->Empty()) {
            DeleteData(field);
            return;
        }
        switch (field->Kind) {
            case ecsdtDataText:
                // Writing a value back unchanged keeps the record as it was read.
                FTexts.SetDataLines(field->Name, SplitLines(carrier->Text()));
                break;
            case ecsdtChemistry: {
                const std::string text =
                    carrier->Text().empty() ? std::string(kEmptyMolFile) : carrier->Text();
                if (!FTexts.Loaded() || text != FTexts.MolString()) FTexts.SetMolString(text);
                break;
            }
            case ecsdtCheckbox:
                Selected = carrier->Checked();
                break;
            default:
                break;
        }
    });
}

bool TZelmarSDFileData::DeleteData(const TZelmarField* field) {
    return Guarded("TZelmarSDFileData.DeleteData", false, [&] {
        if (field == nullptr) return false;
        FTexts.DeleteData(field->Name);
        return true;
    });
}

bool TZelmarSDFileData::RenameData(const TZelmarField* field) {
    return Guarded("TZelmarSDFileData.RenameData", false, [&] {
        if (field == nullptr) return false;
        FTexts.RenameData(field->OrigName, field->Name);
        return true;
    });
}

std::string TZelmarSDFileData::GetPrecheckForSearch(const TZelmarField* field) {
    return Guarded("TZelmarSDFileData.GetPrecheckForSearch", std::string(), [&] {
        if (field == nullptr) return std::string();
        switch (field->Kind) {
            case ecsdtDataText: {
                const int item = FTexts.FindData(field->Name);
                if (item < 0) return std::string();
                std::string value = JoinedValue(FTexts, item);
                // Numbers written differently (1.50, 1.5) are one value; what is no number
                // keeps its text, which no number's key equals.
                TZelmarQualifiedNumber number;
                if (field->Numeric && ParseQualifiedNumber(value, number, field->DecimalSeparator))
                    return QualifiedNumberKey(number);
                return value;
            }
            case ecsdtFormula:
                return GetFormulaSortKey();
            case ecsdtChemistry:
                return GetFormula();
            case ecsdtMolweight:
                // With a point in every locale: the keys are read back by FloatSortProc.
                return FormatFloatGeneral(GetMolweight());
            case ecsdtSmiles:
            case ecsdtInchi:
            case ecsdtInchiKey:
                return ZelmarRecordIdentifier(*this, field->Kind);
            default:
                return std::string();
        }
    });
}

bool TZelmarSDFileData::ComputeFormulaAndMolweight() {
    // A record that was never loaded has no molecule to compute from.
    if (!FTexts.Loaded()) return false;
    // Read once: one that cannot be read is not tried again on every paint.
    if (FTexts.MolUnreadable()) return false;
    TveskMolManager manager;
    std::string formula;
    double weight = 0.0;
    if (!manager.GetFormulaAndMass(std::string(FTexts.MolString()), formula, weight)) {
        // Without the library nothing is known about the molecule.
        if (manager.IsLibLoaded()) FTexts.SetMolUnreadable();
        return false;
    }
    FTexts.SetFormulaAndMolweight(std::move(formula), weight);
    return true;
}

std::string TZelmarSDFileData::GetFormula() {
    return Guarded("TZelmarSDFileData.GetFormula", std::string(), [&] {
        if (FTexts.Formula().empty()) ComputeFormulaAndMolweight();
        return FTexts.Formula();
    });
}

double TZelmarSDFileData::GetMolweight() {
    return Guarded("TZelmarSDFileData.GetMolweight", 0.0, [&] {
        if (FTexts.Molweight() == 0.0) ComputeFormulaAndMolweight();
        return FTexts.Molweight();
    });
}

std::string TZelmarSDFileData::GetFormulaSortKey() {
    return Guarded("TZelmarSDFileData.GetFormulaSortKey", std::string(),
                   [&] { return FormulaToSortKey(GetFormula()); });
}

bool TZelmarSDFileData::IsLoaded() const {
    return FTexts.Loaded();
}
