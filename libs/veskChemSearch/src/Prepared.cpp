#include "Prepared.h"

namespace veskSearch {

std::size_t PreparedTarget::bytes() const {
    std::size_t n = sizeof(PreparedTarget) + pickle.capacity() +
                    summary.elements.capacity() * sizeof(ElementCount);
    // A molecule object costs roughly this much per atom and bond.
    if (kept) n += 1024 + summary.atoms * 256 + summary.bonds * 160;
    return n;
}

}  // namespace veskSearch
