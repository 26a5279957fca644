#include "Zelmar_ChemSearchEngine.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "vesk_Folders.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

const char* const ChemSearchLibraryName = "libveskChemSearch.so";

namespace {

constexpr const char* kInitSource = "TZelmarChemSearchEngine.Init";
constexpr const char* kFindEntryPointSource = "TZelmarChemSearchEngine.FindEntryPoint";

std::mutex LibraryFileMutex;
std::string LibraryFileOverride;

std::string LibraryFile() {
    std::lock_guard<std::mutex> lock(LibraryFileMutex);
    return LibraryFileOverride.empty() ? std::string(ChemSearchLibraryName) : LibraryFileOverride;
}

std::string BareName(const std::string& file) {
    const std::string::size_type slash = file.rfind('/');
    return slash == std::string::npos ? file : file.substr(slash + 1);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// This binding traces to its own unit, so its guard is not the shared Guarded.
template <typename Body>
bool TracedStep(const char* source, Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& e) {
        veskTrace::TraceException(source, e);
    } catch (...) {
        veskTrace::TraceException(source);
    }
    return false;
}

}  // namespace

void SetChemSearchLibraryFile(const std::string& file) {
    std::lock_guard<std::mutex> lock(LibraryFileMutex);
    LibraryFileOverride = file;
}

TZelmarChemSearchEngine::~TZelmarChemSearchEngine() {
    // The library may be in any state here; one failing release must not keep the others.
    if (FQueryMolHandle != 0 && FDestroyMoleculeHandle != nullptr)
        TracedStep("TZelmarChemSearchEngine.Destroy",
                   [&] { FDestroyMoleculeHandle(FQueryMolHandle); });
    if (FTargetMolHandle != 0 && FDestroyMoleculeHandle != nullptr)
        TracedStep("TZelmarChemSearchEngine.Destroy",
                   [&] { FDestroyMoleculeHandle(FTargetMolHandle); });
    if (FCompareHandle != 0 && FDestroyCompareHandle != nullptr)
        TracedStep("TZelmarChemSearchEngine.Destroy",
                   [&] { FDestroyCompareHandle(FCompareHandle); });
    if (FLibHandle != nullptr) platform::FreeLibrary(FLibHandle);
}

bool TZelmarChemSearchEngine::LoadSearchLibrary(std::string& errorText) {
    const std::string file = LibraryFile();
    const std::string bareName = BareName(file);
    std::string path = file;
    if (file == bareName) {
        const std::string folder = platform::GetProgramFolder();
        if (!folder.empty()) path = folder + "/" + file;
    }
    veskTrace::TraceMessage(kInitSource, tlInformation, "loading library %s", path.c_str());
    if (!FileExists(path))
        veskTrace::TraceMessage(kInitSource, tlWarning, "library file not found, loading anyway");

    FLibHandle = platform::LoadLibrary(path);
    if (FLibHandle == nullptr) {
        veskTrace::TraceMessage(kInitSource, tlError, "cannot load library at path: %s",
                                path.c_str());
        veskTrace::TraceMessage(kInitSource, tlInformation, "Trying to load library at: %s, ",
                                bareName.c_str());
        FLibHandle = platform::LoadLibrary(bareName);
    }
    if (FLibHandle == nullptr) {
        veskTrace::TraceMessage(kInitSource, tlError, "cannot load library");
        errorText = bareName + " not found.";
        return false;
    }
    veskTrace::TraceMessage(kInitSource, tlSuccess, "library loaded");
    return true;
}

void* TZelmarChemSearchEngine::FindEntryPoint(const char* name) {
    void* address = platform::GetProcAddress(FLibHandle, name);
    if (address == nullptr)
        veskTrace::TraceMessage(kFindEntryPointSource, tlContinue, "cannot get entry point for %s",
                                name);
    return address;
}

template <typename Fn>
bool TZelmarChemSearchEngine::Resolve(const char* name, Fn& target) {
    void* address = FindEntryPoint(name);
    target = reinterpret_cast<Fn>(address);
    return address != nullptr;
}

bool TZelmarChemSearchEngine::ResolveEntryPoints() {
    // Every export must be there, also those never called: a library without them is not
    // the one this binding was written for.
    return Resolve("CreateMoleculeHandle", FCreateMoleculeHandle) &&
           Resolve("DestroyMoleculeHandle", FDestroyMoleculeHandle) &&
           Resolve("CreateCompareHandle", FCreateCompareHandle) &&
           Resolve("DestroyCompareHandle", FDestroyCompareHandle) &&
           Resolve("OpenMolString", FOpenMolString) && Resolve("OpenMolFile", FOpenMolFile) &&
           Resolve("SetQueryMolecule", FSetQueryMolecule) &&
           Resolve("SetTargetMolecule", FSetTargetMolecule) &&
           Resolve("CompareMolecules", FCompareMolecules) && Resolve("ExactMatch", FExactMatch) &&
           Resolve("ConsiderStereoChemistry", FConsiderStereoChemistry) &&
           Resolve("ConsiderStereoChemistry2", FConsiderStereoChemistry2) &&
           Resolve("SetQueryHighlighting", FSetQueryHighlighting) &&
           Resolve("GetHighlightedMolecule", FGetHighlightedMolecule) &&
           Resolve("CheckReactionPermutation", FCheckReactionPermutation) &&
           Resolve("GetExactMatchKey", FGetExactMatchKey) && ResolveOptional();
}

bool TZelmarChemSearchEngine::ResolveOptional() {
    // Added in later versions of the library: without it, only duplicate policies are off.
    FGetPolicyMatchKey =
        reinterpret_cast<TGetPolicyKey>(platform::GetProcAddress(FLibHandle, "GetPolicyMatchKey"));
    if (FGetPolicyMatchKey == nullptr)
        veskTrace::TraceMessage(kFindEntryPointSource, tlInformation,
                                "no GetPolicyMatchKey: duplicate policies unavailable");
    // Without it search hits are simply not marked.
    FGetQueryMatch =
        reinterpret_cast<TGetQueryMatch>(platform::GetProcAddress(FLibHandle, "GetQueryMatch"));
    if (FGetQueryMatch == nullptr)
        veskTrace::TraceMessage(kFindEntryPointSource, tlInformation,
                                "no GetQueryMatch: search hits are not highlighted");
    return true;
}

void TZelmarChemSearchEngine::Init(std::string& errorText) {
    errorText.clear();
    if (FLibHandle != nullptr) {
        veskTrace::TraceMessage(kInitSource, tlWarning, "search engine already initialized");
        return;
    }
    bool loaded = false;
    if (!TracedStep(kInitSource, [&] { loaded = LoadSearchLibrary(errorText); }))
        errorText = "General Error";
    else if (!loaded)
        return;

    if (!TracedStep(kInitSource, [&] {
            if (!ResolveEntryPoints()) {
                errorText = "Library not loaded";
                return;
            }
            FQueryMolHandle = FCreateMoleculeHandle();
            FTargetMolHandle = FCreateMoleculeHandle();
            FCompareHandle = FCreateCompareHandle();
            if (FQueryMolHandle == 0 || FTargetMolHandle == 0 || FCompareHandle == 0) {
                errorText = "Cannot create objects";
                return;
            }
            FInitialized = true;
            errorText.clear();
        }))
        errorText = "General Error";
}

void TZelmarChemSearchEngine::SetQuery(const std::string& molText) {
    if (!FInitialized) return;
    FOpenMolString(FQueryMolHandle, molText.c_str());
    FSetQueryMolecule(FCompareHandle, FQueryMolHandle);
}

void TZelmarChemSearchEngine::SetConsiderStereo(bool flag) {
    if (!FInitialized) return;
    FConsiderStereoChemistry2(FCompareHandle, flag ? 1 : 0);
}

void TZelmarChemSearchEngine::SetTarget(const std::string& molText) {
    FOpenMolString(FTargetMolHandle, molText.c_str());
    FSetTargetMolecule(FCompareHandle, FTargetMolHandle);
}

bool TZelmarChemSearchEngine::IsSubstructureHit(const std::string& molText) {
    if (!FInitialized) return false;
    SetTarget(molText);
    return FCompareMolecules(FCompareHandle) > 0;
}

bool TZelmarChemSearchEngine::IsExactHit(const std::string& molText) {
    if (!FInitialized) return false;
    SetTarget(molText);
    // A boolean of the library's: only its low byte counts.
    return (static_cast<std::uint32_t>(FExactMatch(FCompareHandle)) & 0xFFu) != 0;
}

int TZelmarChemSearchEngine::TakeKey(std::int32_t result, char* text, std::string& key) {
    if (text == nullptr) return result == 0 ? 0 : -1;
    // Released by free, as the library asks, also when the copy fails.
    std::unique_ptr<char, void (*)(void*)> owned(text, std::free);
    if (result != 1) return -1;
    key = owned.get();
    return 1;
}

int TZelmarChemSearchEngine::ExactMatchKey(const std::string& molText, bool considerStereo,
                                           std::string& key) {
    key.clear();
    if (!FInitialized) return -1;
    FOpenMolString(FTargetMolHandle, molText.c_str());
    char* text = nullptr;
    const std::int32_t result = FGetExactMatchKey(FTargetMolHandle, considerStereo ? 1 : 0, &text);
    return TakeKey(result, text, key);
}

bool TZelmarChemSearchEngine::PolicyMatchKey(const std::string& molText, int policy,
                                             bool considerStereo, int& result, std::string& key) {
    key.clear();
    result = -1;
    if (!HasPolicyKeys()) return false;
    FOpenMolString(FTargetMolHandle, molText.c_str());
    char* text = nullptr;
    const std::int32_t made =
        FGetPolicyMatchKey(FTargetMolHandle, policy, considerStereo ? 1 : 0, &text);
    result = TakeKey(made, text, key);
    return true;
}

int TZelmarChemSearchEngine::QueryMatch(const std::string& molText,
                                        std::vector<std::int32_t>& atoms,
                                        std::vector<std::int32_t>& bonds) {
    atoms.clear();
    bonds.clear();
    if (!HasQueryMatch()) return -1;
    return Guarded("TZelmarChemSearchEngine.QueryMatch", -1,
                   [&] { return AskQueryMatch(molText, atoms, bonds); });
}

int TZelmarChemSearchEngine::AskQueryMatch(const std::string& molText,
                                           std::vector<std::int32_t>& atoms,
                                           std::vector<std::int32_t>& bonds) {
    SetTarget(molText);
    // Room for the usual query at once; a larger one says how much it needs.
    std::size_t atomRoom = 64, bondRoom = 64;
    for (int attempt = 0; attempt < 2; ++attempt) {
        atoms.resize(atomRoom);
        bonds.resize(bondRoom);
        std::int32_t atomCount = 0, bondCount = 0;
        const std::int32_t result = FGetQueryMatch(
            FCompareHandle, atoms.data(), static_cast<std::int32_t>(atomRoom), bonds.data(),
            static_cast<std::int32_t>(bondRoom), &atomCount, &bondCount);
        if (result != 1 || atomCount < 0 || bondCount < 0) {
            atoms.clear();
            bonds.clear();
            return result == 0 ? 0 : -1;
        }
        if (static_cast<std::size_t>(atomCount) <= atomRoom &&
            static_cast<std::size_t>(bondCount) <= bondRoom) {
            atoms.resize(static_cast<std::size_t>(atomCount));
            bonds.resize(static_cast<std::size_t>(bondCount));
            return 1;
        }
        atomRoom = std::max(atomRoom, static_cast<std::size_t>(atomCount));
        bondRoom = std::max(bondRoom, static_cast<std::size_t>(bondCount));
    }
    atoms.clear();
    bonds.clear();
    return -1;
}
