#pragma once
// A column at a glance: how many values, how many empty or not numbers, the spread of the
// numbers (minimum, maximum, mean, median, a histogram) and the most frequent texts. Qt-free.

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TZelmarField;
class TZelmarSDFileDataList;

struct TZelmarColumnStatistics {
    static constexpr int kHistogramBins = 20;
    static constexpr int kTopValues = 20;

    int Records = 0;
    int Empty = 0;
    int NotNumbers = 0;  // values that are not empty and no number
    int Numbers = 0;
    double Min = 0.0;
    double Max = 0.0;
    double Mean = 0.0;
    double Median = 0.0;
    // Bins of equal width from Min to Max (one bin when all numbers are equal).
    std::vector<int> Histogram;
    // Of a text column: the most frequent values with their counts, most frequent first,
    // equal counts in order of the texts.
    std::vector<std::pair<std::string, int>> TopValues;
};

// Reads the field's value of every record (weights, and numeric data fields by their number
// with qualifiers set aside). progress(percent) answers false to stop: then false.
bool ZelmarColumnStatistics(TZelmarSDFileDataList& list, const TZelmarField& field,
                            const std::function<bool(int percent)>& progress,
                            TZelmarColumnStatistics& out);
