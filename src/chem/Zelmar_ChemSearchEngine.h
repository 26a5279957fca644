#pragma once
// Binding to the structure search library (libveskChemSearch.so): one query molecule, one
// candidate molecule and one comparison, tested by substructure or exact structure. Every
// search run owns a fresh instance. Nothing here throws; a failed Init leaves an engine whose
// operations do nothing and whose tests answer false. Init traces to the second trace unit
// (veskTrace). One thread at a time per instance. Qt-free.

#include <cstdint>
#include <string>
#include <vector>

#include "vesk_Library.h"

// The file Init loads: "libveskChemSearch.so".
extern const char* const ChemSearchLibraryName;

// Tests only: engines initialised from now on load this file instead of
// ChemSearchLibraryName. A path is tried as it is, then by its bare name; a bare name is
// looked for in the program's folder first, then by the usual search. Empty restores the
// default.
void SetChemSearchLibraryFile(const std::string& file);

// What "the same molecule" ignores when keys are made under a duplicate policy; the bits may
// be combined and are applied in this order. The library's own flag values.
enum TZelmarDuplicatePolicy : int {
    dpSalts = 1,      // only the largest organic fragment counts
    dpCharges = 2,    // neutralised
    dpIsotopes = 4,   // isotope labels dropped
    dpTautomers = 8,  // hydrogens moving between heteroatoms do not count
};

class TZelmarChemSearchEngine {
public:
    TZelmarChemSearchEngine() = default;
    // Destroys the library's objects (each on its own, failures ignored), then frees the
    // library.
    ~TZelmarChemSearchEngine();
    TZelmarChemSearchEngine(const TZelmarChemSearchEngine&) = delete;
    TZelmarChemSearchEngine& operator=(const TZelmarChemSearchEngine&) = delete;

    // Loads the library, resolves its exports (GetPolicyMatchKey may be missing) and creates
    // the three objects. errorText is empty on success, else one of "libveskChemSearch.so not
    // found.", "Library not loaded", "Cannot create objects", "General Error". A second call only
    // logs.
    void Init(std::string& errorText);

    // Does nothing unless initialised.
    void SetQuery(const std::string& molText);
    void SetConsiderStereo(bool flag);
    // False unless initialised; otherwise the library's answer for this candidate.
    bool IsSubstructureHit(const std::string& molText);
    bool IsExactHit(const std::string& molText);
    // The library's exact-match key of the molecule (GetExactMatchKey): 1 with key set, so that
    // equal keys mean IsExactHit would answer true under the same stereo setting; 0 for a
    // molecule without atoms; -1 for an unreadable one or when not initialised. key is emptied
    // unless 1.
    int ExactMatchKey(const std::string& molText, bool considerStereo, std::string& key);
    // Whether the library makes keys under a duplicate policy (GetPolicyMatchKey); older ones
    // lack that export and still load.
    bool HasPolicyKeys() const { return FInitialized && FGetPolicyMatchKey != nullptr; }
    // The library's key of the molecule under the policy (TZelmarDuplicatePolicy bits): equal
    // keys mean the same structure once the policy's steps are applied to both. False (result
    // -1, key empty) when not initialised or the library lacks the export; otherwise true, with
    // result and key as ExactMatchKey gives them. Policy 0 is ExactMatchKey's key.
    bool PolicyMatchKey(const std::string& molText, int policy, bool considerStereo, int& result,
                        std::string& key);
    // Whether the library tells where a query lies in a molecule (GetQueryMatch); older ones
    // lack that export and still load.
    bool HasQueryMatch() const { return FInitialized && FGetQueryMatch != nullptr; }
    // The first match of the query in the molecule under the stereo setting: 1 with atoms (by
    // query atom) and bonds set, 0-based in the molfile's order; 0 when the query is not
    // found; -1 when not initialised, without the export or when the library fails. atoms and
    // bonds are emptied unless 1.
    int QueryMatch(const std::string& molText, std::vector<std::int32_t>& atoms,
                   std::vector<std::int32_t>& bonds);

    bool Initialized() const { return FInitialized; }
    platform::TLibraryHandle LibHandle() const { return FLibHandle; }
    std::uintptr_t QueryMolHandle() const { return FQueryMolHandle; }
    std::uintptr_t TargetMolHandle() const { return FTargetMolHandle; }
    std::uintptr_t CompareHandle() const { return FCompareHandle; }

private:
    using TCreateHandle = std::uintptr_t (*)();
    using TDestroyHandle = std::int32_t (*)(std::uintptr_t);
    using TOpenMol = std::int32_t (*)(std::uintptr_t, const char*);
    using TSetMolecule = std::int32_t (*)(std::uintptr_t, std::uintptr_t);
    using TCompare = std::int32_t (*)(std::uintptr_t);
    using TCompareFlag = std::int32_t (*)(std::uintptr_t, std::int32_t);
    using TGetHighlighted = std::int32_t (*)(std::uintptr_t, char**);
    using TCheckReaction = std::int32_t (*)(const char*, const char*);
    using TGetKey = std::int32_t (*)(std::uintptr_t, std::int32_t, char**);
    using TGetPolicyKey = std::int32_t (*)(std::uintptr_t, std::int32_t, std::int32_t, char**);
    using TGetQueryMatch = std::int32_t (*)(std::uintptr_t, std::int32_t*, std::int32_t,
                                            std::int32_t*, std::int32_t, std::int32_t*,
                                            std::int32_t*);

    // Steps 2-5 of Init; false (with the error text set) when the library is not loaded.
    bool LoadSearchLibrary(std::string& errorText);
    // Resolves the exports in their fixed order; stops at the first missing one.
    bool ResolveEntryPoints();
    // Looks up the exports a library may lack; never fails.
    bool ResolveOptional();
    // The export's address, or null (traced) when the library lacks it.
    void* FindEntryPoint(const char* name);
    template <typename Fn>
    bool Resolve(const char* name, Fn& target);
    // The key the library wrote: 1 with key set, 0 or -1 with key empty; releases the text.
    static int TakeKey(std::int32_t result, char* text, std::string& key);
    int AskQueryMatch(const std::string& molText, std::vector<std::int32_t>& atoms,
                      std::vector<std::int32_t>& bonds);
    // Puts the text into the candidate molecule and makes it the comparison's target.
    void SetTarget(const std::string& molText);

    bool FInitialized = false;
    platform::TLibraryHandle FLibHandle = nullptr;
    std::uintptr_t FQueryMolHandle = 0;
    std::uintptr_t FTargetMolHandle = 0;
    std::uintptr_t FCompareHandle = 0;

    TCreateHandle FCreateMoleculeHandle = nullptr;
    TDestroyHandle FDestroyMoleculeHandle = nullptr;
    TCreateHandle FCreateCompareHandle = nullptr;
    TDestroyHandle FDestroyCompareHandle = nullptr;
    TOpenMol FOpenMolString = nullptr;
    TOpenMol FOpenMolFile = nullptr;
    TSetMolecule FSetQueryMolecule = nullptr;
    TSetMolecule FSetTargetMolecule = nullptr;
    TCompare FCompareMolecules = nullptr;
    TCompare FExactMatch = nullptr;
    TCompare FConsiderStereoChemistry = nullptr;
    TCompareFlag FConsiderStereoChemistry2 = nullptr;
    TCompareFlag FSetQueryHighlighting = nullptr;
    TGetHighlighted FGetHighlightedMolecule = nullptr;
    TCheckReaction FCheckReactionPermutation = nullptr;
    TGetKey FGetExactMatchKey = nullptr;
    TGetPolicyKey FGetPolicyMatchKey = nullptr;  // optional
    TGetQueryMatch FGetQueryMatch = nullptr;     // optional
};
