#pragma once
// Dynamic libraries by name: the program's folder first, then the folders of the program's
// library search list, then the system's own search. Never throws.

#include <string>
#include <vector>

namespace platform {

// Opaque handle of a loaded library; nullptr when loading failed.
using TLibraryHandle = void*;

// The environment variable that holds the program's library search list (folders separated
// by ':'). It is read at every search, so child processes inherit what the program set.
extern const char* const LibrarySearchListVariable;

// A name containing '/' is loaded as it is; a bare name is looked for in the program's
// folder, then in each folder of the search list, then by the system (LD_LIBRARY_PATH,
// ld.so cache). The first folder that holds the file decides: if that copy cannot be
// loaded, no other copy is tried, so the file that was checked is the file that runs.
TLibraryHandle LoadLibrary(const std::string& name);

// Why the last LoadLibrary, GetProcAddress or FreeLibrary call of this thread failed;
// empty if it succeeded.
std::string LibraryError();

// Looks the export up anew on every call; nullptr if the handle or the export is missing.
void* GetProcAddress(TLibraryHandle library, const std::string& name);

// Returns false if the handle is null or the system refuses.
bool FreeLibrary(TLibraryHandle library);

// The full path LoadLibrary would load, found by file existence only (nothing is loaded,
// no code runs); empty if the library is not found. For the system step it looks in
// LD_LIBRARY_PATH and the standard library folders.
std::string FindLibraryFile(const std::string& name);

// The folders of the search list, in order, without empty entries.
std::vector<std::string> LibrarySearchFolders();
// Puts the folder in front of the search list, sets the variable and returns its new value.
// A folder that already ends with ':' gets no second ':'; an empty folder changes nothing.
// The environment is process-wide: call this before worker threads start.
std::string PrependToLibrarySearchList(const std::string& folder);

// Owns one reference to a loaded library and frees it when it goes.
class TLibraryRef {
public:
    TLibraryRef() = default;
    explicit TLibraryRef(const std::string& name) : FHandle(LoadLibrary(name)) {}
    ~TLibraryRef() { Reset(); }

    TLibraryRef(TLibraryRef&& other) noexcept : FHandle(other.FHandle) { other.FHandle = nullptr; }
    TLibraryRef& operator=(TLibraryRef&& other) noexcept;
    TLibraryRef(const TLibraryRef&) = delete;
    TLibraryRef& operator=(const TLibraryRef&) = delete;

    TLibraryHandle Handle() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void* Proc(const std::string& name) const { return GetProcAddress(FHandle, name); }
    // Frees the library now (if any).
    void Reset();

private:
    TLibraryHandle FHandle = nullptr;
};

}  // namespace platform
