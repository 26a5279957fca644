#include "vesk_MulDiv.h"

#include <climits>
#include <cstdint>

namespace platform {

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    // Work on magnitudes so that rounding goes away from zero on both sides; |product| is at
    // most 2^62 and fits, as does the added half divisor.
    const std::int64_t product = std::int64_t{number} * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::uint64_t magnitude =
        product < 0 ? std::uint64_t(0) - std::uint64_t(product) : std::uint64_t(product);
    const std::uint64_t divisor = denominator < 0
                                      ? std::uint64_t(0) - std::uint64_t(std::int64_t{denominator})
                                      : std::uint64_t(denominator);
    const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
    const std::uint64_t limit = negative ? std::uint64_t(INT_MAX) + 1 : std::uint64_t(INT_MAX);
    if (quotient > limit) return -1;
    return negative ? int(-std::int64_t(quotient)) : int(quotient);
}

}  // namespace platform
