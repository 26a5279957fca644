// Where the query lies in the target: the atoms and bonds of the first match, numbered as
// the target's molfile numbers them, for pictures that mark the match.
#pragma once

#include <vector>

namespace veskSearch {

class Comparison;

// 1 with atoms (by query atom) and bonds (by query bond) set, 0 when the query is not found
// or a molecule is unreadable, -1 when the comparison lacks a query or a target. The caller
// holds the comparison's lock.
int queryMatch(Comparison& c, std::vector<int>* atoms, std::vector<int>* bonds);

}  // namespace veskSearch
