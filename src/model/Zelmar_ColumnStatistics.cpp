#include "Zelmar_ColumnStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

bool IsBlankValue(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Values are read as the sheet shows them: a weight as its number, data as text.
bool NumberOf(const TZelmarField& field, const TZelmarDataCarrier& value, double& number) {
    if (field.Kind == ecsdtMolweight) {
        number = value.Value();
        return true;
    }
    TZelmarQualifiedNumber parsed;
    if (!ParseQualifiedNumber(value.Text(), parsed, field.DecimalSeparator)) return false;
    number = parsed.Value;
    return true;
}

void Summarise(std::vector<double>& numbers, TZelmarColumnStatistics& out) {
    out.Numbers = static_cast<int>(numbers.size());
    if (numbers.empty()) return;
    std::sort(numbers.begin(), numbers.end());
    out.Min = numbers.front();
    out.Max = numbers.back();
    out.Mean = std::accumulate(numbers.begin(), numbers.end(), 0.0) / numbers.size();
    const std::size_t half = numbers.size() / 2;
    out.Median = numbers.size() % 2 != 0 ? numbers[half] : (numbers[half - 1] + numbers[half]) / 2;
    const double span = out.Max - out.Min;
    const int bins = span > 0 ? TZelmarColumnStatistics::kHistogramBins : 1;
    out.Histogram.assign(static_cast<std::size_t>(bins), 0);
    for (const double number : numbers) {
        const int bin = span > 0 ? static_cast<int>((number - out.Min) / span * bins) : 0;
        ++out.Histogram[static_cast<std::size_t>(std::min(bin, bins - 1))];
    }
}

void KeepTopValues(const std::unordered_map<std::string, int>& counts,
                   TZelmarColumnStatistics& out) {
    std::vector<std::pair<std::string, int>> values(counts.begin(), counts.end());
    const auto before = [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    };
    const std::size_t kept =
        std::min(values.size(), static_cast<std::size_t>(TZelmarColumnStatistics::kTopValues));
    std::partial_sort(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(kept),
                      values.end(), before);
    values.resize(kept);
    out.TopValues = std::move(values);
}

}  // namespace

bool ZelmarColumnStatistics(TZelmarSDFileDataList& list, const TZelmarField& field,
                            const std::function<bool(int percent)>& progress,
                            TZelmarColumnStatistics& out) {
    return Guarded("ZelmarColumnStatistics", false, [&] {
        out = TZelmarColumnStatistics();
        const int count = list.GetCount();
        out.Records = count;
        std::vector<double> numbers;
        std::unordered_map<std::string, int> counts;
        TZelmarDataCarrier value;
        int lastPercent = -1;
        for (int i = 0; i < count; ++i) {
            const int percent = platform::MulDiv(i, 100, count);
            if (percent != lastPercent) {
                lastPercent = percent;
                if (progress && !progress(percent)) return false;
            }
            TZelmarSDFileData* record = list.GetSDFileData(i);
            value.Clear();
            if (record == nullptr || !record->GetDataForField(&field, &value) ||
                (field.Kind != ecsdtMolweight && IsBlankValue(value.Text()))) {
                ++out.Empty;
                continue;
            }
            double number = 0.0;
            if (NumberOf(field, value, number))
                numbers.push_back(number);
            else
                ++out.NotNumbers;
            // A column of numbers has its histogram; a text column its frequent values.
            if (field.Kind != ecsdtMolweight && !field.Numeric) ++counts[value.Text()];
        }
        Summarise(numbers, out);
        KeepTopValues(counts, out);
        return true;
    });
}
