#include "Zelmar_RowFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// "a..b": both bounds, either order.
bool ParseRange(std::string_view text, char separator, TZelmarFilterQuery& query) {
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos) return false;
    double low = 0.0;
    double high = 0.0;
    if (!ParseFloat(text.substr(0, dots), low, separator) ||
        !ParseFloat(text.substr(dots + 2), high, separator))
        return false;
    if (low > high) std::swap(low, high);
    // The engine looks strictly between the bounds: one step outward includes them.
    query.From = std::nextafter(low, -kInfinity);
    query.To = std::nextafter(high, kInfinity);
    query.Options = soRange;
    return true;
}

bool ParseComparison(std::string_view text, char separator, TZelmarFilterQuery& query) {
    TZelmarQualifiedNumber number;
    if (!ParseQualifiedNumber(text, number, separator)) return false;
    const double v = number.Value;
    switch (number.Qualifier) {
        case TZelmarQualifier::Less:
            query.From = v;
            query.Options = soLessThan;
            break;
        case TZelmarQualifier::LessEqual:  // below the next number up
            query.From = std::nextafter(v, kInfinity);
            query.Options = soLessThan;
            break;
        case TZelmarQualifier::Greater:
            query.From = v;
            query.Options = soGreaterThan;
            break;
        case TZelmarQualifier::GreaterEqual:
            query.From = std::nextafter(v, -kInfinity);
            query.Options = soGreaterThan;
            break;
        default:
            query.From = v;
            query.Options = soExact;
            break;
    }
    return true;
}

}  // namespace

bool ZelmarParseFilterQuery(const std::string& typed, TZelmarFieldKind kind, bool numbers,
                            char decimalSeparator, TZelmarFilterQuery& query) {
    query = TZelmarFilterQuery();
    const std::string_view text = Trimmed(typed);
    if (text.empty()) return false;
    if (numbers && (ParseRange(text, decimalSeparator, query) ||
                    ParseComparison(text, decimalSeparator, query))) {
        query.Kind = ecsdtMolweight;
        return true;
    }
    query = TZelmarFilterQuery();
    if (kind == ecsdtMolweight || kind == ecsdtChemistry || kind == ecsdtCheckbox) return false;
    query.Kind = kind == ecsdtFormula ? ecsdtFormula : ecsdtDataText;
    query.Text = std::string(text);
    query.Options = soContains;
    return true;
}

void TZelmarRowFilter::ShowOnly(const TZelmarRecordStore::TRecordSet& shown) {
    std::lock_guard<std::recursive_mutex> lock(FStore.CriticalSection());
    for (int i = 0; i < FStore.Count(); ++i) {
        TZelmarSDFileData* record = FStore.At(i);
        if (record != nullptr) record->FilteredOut = shown.count(record) == 0;
    }
    FActive = true;
    FCurrent = false;
}

void TZelmarRowFilter::Clear() {
    if (!FActive) return;
    std::lock_guard<std::recursive_mutex> lock(FStore.CriticalSection());
    for (int i = 0; i < FStore.Count(); ++i) {
        TZelmarSDFileData* record = FStore.At(i);
        if (record != nullptr) record->FilteredOut = false;
    }
    FActive = false;
    FCurrent = false;
    FPositions.clear();
    FPositions.shrink_to_fit();
}

void TZelmarRowFilter::Update() {
    std::lock_guard<std::recursive_mutex> lock(FStore.CriticalSection());
    if (FCurrent && FGeneration == FStore.Generation()) return;
    FPositions.clear();
    for (int i = 0; i < FStore.Count(); ++i) {
        const TZelmarSDFileData* record = FStore.At(i);
        if (record != nullptr && !record->FilteredOut) FPositions.push_back(i);
    }
    FGeneration = FStore.Generation();
    FCurrent = true;
}

int TZelmarRowFilter::RowCount() {
    if (!FActive) return FStore.Count();
    Update();
    return static_cast<int>(FPositions.size());
}

int TZelmarRowFilter::ListIndex(int row) {
    if (!FActive) return row >= 0 && row < FStore.Count() ? row : -1;
    Update();
    if (row < 0 || row >= static_cast<int>(FPositions.size())) return -1;
    return FPositions[static_cast<std::size_t>(row)];
}

int TZelmarRowFilter::RowOfListIndex(int index) {
    if (!FActive) return index >= 0 && index < FStore.Count() ? index : -1;
    Update();
    const auto found = std::lower_bound(FPositions.begin(), FPositions.end(), index);
    if (found == FPositions.end() || *found != index) return -1;
    return static_cast<int>(found - FPositions.begin());
}
