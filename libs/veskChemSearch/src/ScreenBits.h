// Screen bits of prepared molecules (see ScreenBits in Prepared.h): made once per target when
// it is read and kept with it, so that a search over molecules already read rejects most
// non-hits with a few word operations instead of a graph match.
#pragma once

#include "Prepared.h"

namespace RDKit {
class ROMol;
}

namespace veskSearch {

// Every atom, bond and path of two and three bonds of the target. A target with query
// features or bonds of other kinds (which match more than their own kind) gets every bit.
void targetScreen(const RDKit::ROMol& mol, ScreenBits* bits);

// The atoms, bonds and paths of the query that any match must carry over unchanged: those
// whose atoms name an element and whose bonds have a plain kind.
void queryScreen(const QueryGraph& query, ScreenBits* bits);

// False when the target lacks a bit of the query: the query is not in the target.
inline bool screenAdmits(const ScreenBits& query, const ScreenBits& target) {
    uint64_t missing = 0;
    for (std::size_t k = 0; k < kScreenWords; ++k) missing |= query.word[k] & ~target.word[k];
    return missing == 0;
}

}  // namespace veskSearch
