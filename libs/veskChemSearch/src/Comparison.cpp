#include "Comparison.h"

#include "Chemistry.h"
#include "ScreenBits.h"
#include "Screens.h"

#include <atomic>
#include <utility>

namespace veskSearch {

namespace {
std::atomic<bool> screens{true};
}  // namespace

bool screensOn() {
    return screens.load(std::memory_order_relaxed);
}

void setScreens(bool on) {
    screens.store(on, std::memory_order_relaxed);
}

MolText::MolText(std::string text) : text_(std::move(text)) {}

const TextKey& MolText::keyLocked() {
    if (!hasKey_) {
        key_ = textKey(text_);
        hasKey_ = true;
    }
    return key_;
}

std::shared_ptr<const PreparedTarget> MolText::target(const TextScreen& screen, bool stereo) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (target_ && (target_->stereo || !stereo)) return target_;
    TargetCache& cache = TargetCache::shared();
    auto cached = cache.find(keyLocked());
    if (cached && cached->read && (cached->stereo || !stereo)) return target_ = cached;
    // Only texts never read (or no longer kept) are screened by their text: a molecule kept
    // ready is screened faster by its bits, a text screened before by the graph it draws.
    if (screensOn()) {
        if (screen.substructure) {
            const QueryGraph& graph = screen.substructure->graph;
            if (cached && !cached->read) {
                if (!graphAdmits(graph, *cached->drawn)) return nullptr;
            } else {
                std::shared_ptr<const DrawnGraph> drawn;
                if (!textAdmitsGraph(graph, text_, &drawn)) {
                    if (drawn && !cached) {
                        auto screened = std::make_shared<PreparedTarget>();
                        screened->read = false;
                        screened->drawn = std::move(drawn);
                        cache.insert(keyLocked(), std::move(screened));
                    }
                    return nullptr;
                }
                if (!textAdmitsSubstructure(*screen.substructure, text_)) return nullptr;
            }
        }
        if (screen.exact && !textAdmitsExact(*screen.exact, text_)) return nullptr;
    }
    target_ = prepareTarget(text_, stereo);
    // A reading replaces a screened text, and a reading with stereo one without.
    cache.insert(keyLocked(), target_, cached != nullptr);
    return target_;
}

std::shared_ptr<const RDKit::ROMol> MolText::targetMolecule() {
    std::lock_guard<std::mutex> lock(mutex_);
    return target_ && target_->readable ? target_->mol : nullptr;
}

std::string MolText::smiles(bool stereo) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (hasSmiles_[stereo]) return smiles_[stereo];
    if (!target_ || !target_->readable) return {};
    TargetCache& cache = TargetCache::shared();
    std::string s;
    if (!cache.smiles(keyLocked(), stereo, &s)) {
        s = canonicalSmiles(*target_, stereo);
        cache.setSmiles(keyLocked(), stereo, s);
    }
    smiles_[stereo] = s;
    hasSmiles_[stereo] = true;
    return s;
}

int32_t MolText::exactKey(bool stereo, std::string* key) {
    std::shared_ptr<const PreparedTarget> t = target(TextScreen());
    if (!t || !t->readable) return -1;
    const MolSummary& summary = t->summary;
    if (summary.atoms == 0) return 0;
    std::string s = smiles(stereo);
    if (s.empty()) return -1;
    // exact() compares the summary's counts as well as the SMILES; the key carries both, so
    // equal keys mean exactly what exact() calls equal.
    s += ' ' + std::to_string(summary.atoms) + '/' + std::to_string(summary.bonds);
    for (const ElementCount& e : summary.elements)
        s += ' ' + std::to_string(e.z) + ':' + std::to_string(e.n);
    *key = std::move(s);
    return 1;
}

int32_t MolText::policyKey(unsigned policy, bool stereo, std::string* key) {
    if (policy == 0) return exactKey(stereo, key);
    if (policy & ~kPolicyAll) return -1;
    // Unlike exactKey, which must agree with exact(), this may take the quick reading.
    std::shared_ptr<const PreparedTarget> t = target(TextScreen(), stereo);
    if (!t || !t->readable) return -1;
    if (t->summary.atoms == 0) return 0;
    // Worked on outside the lock: the target is immutable and shared.
    return veskSearch::policyKey(*t, policy, stereo, key);
}

std::shared_ptr<const PreparedQuery> MolText::query() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!query_) query_ = prepareQuery(text_);
    return query_;
}

int32_t Comparison::substructure() {
    if (!query || !target) return -1;
    std::shared_ptr<const PreparedQuery> q = query->query();
    if (!q->readable || q->atoms == 0) return 0;
    TextScreen screen;
    screen.substructure = q.get();
    std::shared_ptr<const PreparedTarget> t = target->target(screen, stereo);
    if (!t || !t->readable) return 0;
    if (screensOn() && (!summaryAdmits(*q, t->summary) || !screenAdmits(q->screen, t->screen)))
        return 0;
    return t->mol && isSubstructure(*q, *t->mol, stereo) ? 1 : 0;
}

bool Comparison::exact() {
    if (!query || !target) return false;
    std::shared_ptr<const PreparedTarget> q = query->target(TextScreen());
    if (!q->readable || q->summary.atoms == 0) return false;
    TextScreen screen;
    screen.exact = &q->summary;
    std::shared_ptr<const PreparedTarget> t = target->target(screen);
    if (!t || !t->readable) return false;
    const MolSummary& a = q->summary;
    const MolSummary& b = t->summary;
    if (a.atoms != b.atoms || a.bonds != b.bonds || a.elements.size() != b.elements.size())
        return false;
    for (std::size_t i = 0; i < a.elements.size(); ++i)
        if (a.elements[i].z != b.elements[i].z || a.elements[i].n != b.elements[i].n) return false;
    std::string s = query->smiles(stereo);
    return !s.empty() && s == target->smiles(stereo);
}

char* Comparison::highlighted(int32_t* marked) {
    *marked = 0;
    if (!highlighting || !query || !target) return nullptr;
    std::shared_ptr<const PreparedQuery> q = query->query();
    if (!q->readable || q->atoms == 0) return nullptr;
    std::shared_ptr<const PreparedTarget> t = target->target(TextScreen());
    if (!t || !t->readable) return nullptr;
    std::shared_ptr<const RDKit::ROMol> mol = target->targetMolecule();
    if (!mol) return nullptr;
    return highlightMatch(*q, *mol, target->text(), stereo, marked);
}

}  // namespace veskSearch
