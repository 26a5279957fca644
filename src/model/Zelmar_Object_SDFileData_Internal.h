#pragma once
// Shared by the record list's units; not part of its interface.

#include "vesk_MulDiv.h"

namespace sdfiledata_internal {

// position * 100 / total, rounded; 0 when that cannot be computed.
inline int Percent(int position, int total) {
    const int percent = platform::MulDiv(position, 100, total);
    return percent < 0 ? 0 : percent;
}

}  // namespace sdfiledata_internal
