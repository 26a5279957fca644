// Cheap necessary conditions checked before any graph matching: a "no" here is
// always the answer the full comparison would give, a "yes" only means "look".
#pragma once

#include "Prepared.h"

#include <atomic>
#include <memory>
#include <string_view>
#include <vector>

namespace veskSearch {

// Atomic number of a molfile atom symbol as written (D and T are 1); -1 for anything else.
int elementNumber(std::string_view symbol);

// The text has the shape of a molfile: a counts line and an "M  END" line.
bool looksLikeMolfile(std::string_view text);

// Counts of the elements with atomic number >= 2 in a V2000 atom block, read
// without parsing the molecule. False when the block cannot be trusted for this
// (V3000, atom lists, symbols that are not elements, a short block).
bool scanElementCounts(std::string_view text, std::vector<ElementCount>* counts);

bool summaryAdmits(const PreparedQuery& query, const MolSummary& target);
bool textAdmitsSubstructure(const PreparedQuery& query, std::string_view targetText);
bool textAdmitsExact(const MolSummary& query, std::string_view targetText);

// Fills in the query graph's mapping order; call once when the query is prepared.
void planQueryGraph(QueryGraph* query);

// The connection table a text draws, hydrogens included: the molecule a comparison reads has
// these atoms or fewer, and no bond that is not here.
struct DrawnGraph {
    // The last query graph (by id) found not to map into this one: asked again, as a second
    // search with the same query asks, the answer is known without searching.
    mutable std::atomic<uint64_t> rejectedBy{0};
    std::vector<uint8_t> element;  // 0: not an element symbol, matches any atom
    std::vector<uint32_t> first;   // neighbours of atom i: [first[i], first[i + 1])
    std::vector<uint32_t> neighbour;
    std::vector<uint8_t> kinds;  // per neighbour entry: bit set of the kinds that bond may have
    std::size_t bytes() const;
};

// Whether the query's graph could map into the graph a V2000 or V3000 target text draws:
// elements as the query asks, every query bond on a target bond that reading and
// aromaticity perception could give the asked kind. True whenever the text cannot be
// trusted for this (atom lists, zero-order bonds, templates, lines that do not read) or the
// search would take too long. When it answers false and rejected is given, *rejected receives
// the drawn graph, so that later screens need not read the text again.
bool textAdmitsGraph(const QueryGraph& query, std::string_view targetText,
                     std::shared_ptr<const DrawnGraph>* rejected = nullptr);

// textAdmitsGraph on a graph drawn before.
bool graphAdmits(const QueryGraph& query, const DrawnGraph& target);

}  // namespace veskSearch
