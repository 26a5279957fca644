#include "vesk_Library.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "vesk_Folders.h"
#include "vesk_Guard.h"

namespace platform {

namespace fs = std::filesystem;

const char* const LibrarySearchListVariable = "ZELMAR_LIBRARY_PATH";

namespace {

thread_local std::string LastLibraryError;

// Our own readers and writers of the search list do not overlap; setenv elsewhere in the
// process while workers run is the caller's fault.
std::mutex SearchListMutex;

std::string ReadSearchList() {
    std::lock_guard<std::mutex> lock(SearchListMutex);
    const char* value = std::getenv(LibrarySearchListVariable);
    return value != nullptr ? std::string(value) : std::string();
}

std::vector<std::string> SplitFolders(const std::string& list, const char* separators,
                                      bool emptyIsCurrent) {
    std::vector<std::string> folders;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = list.find_first_of(separators, start);
        std::string folder = list.substr(start, end == std::string::npos ? end : end - start);
        if (!folder.empty())
            folders.push_back(std::move(folder));
        else if (emptyIsCurrent)
            folders.emplace_back(".");
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return folders;
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string AbsolutePath(const fs::path& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal().string();
}

std::string FileInFolder(const std::string& folder, const std::string& name) {
    const std::string path = AbsolutePath(fs::path(folder) / name);
    return IsFile(path) ? path : std::string();
}

// The program's own steps: its folder, then its search list.
std::string FindInProgramFolders(const std::string& name) {
    const std::string programFolder = GetProgramFolder();
    if (!programFolder.empty()) {
        std::string path = FileInFolder(programFolder, name);
        if (!path.empty()) return path;
    }
    for (const std::string& folder : LibrarySearchFolders()) {
        std::string path = FileInFolder(folder, name);
        if (!path.empty()) return path;
    }
    return {};
}

// The folders the dynamic loader searches for a bare name, as far as they can be known
// without asking it: LD_LIBRARY_PATH (an empty entry is the current folder, as for the
// loader), then the folders the ld.so cache is usually built from.
std::vector<std::string> SystemFolders() {
    std::vector<std::string> folders;
    if (const char* ldPath = std::getenv("LD_LIBRARY_PATH"); ldPath != nullptr && *ldPath != '\0')
        folders = SplitFolders(ldPath, ":;", true);
#if defined(__x86_64__)
    const std::string triplet = "x86_64-linux-gnu";
#elif defined(__aarch64__)
    const std::string triplet = "aarch64-linux-gnu";
#elif defined(__i386__)
    const std::string triplet = "i386-linux-gnu";
#elif defined(__arm__)
    const std::string triplet = "arm-linux-gnueabihf";
#elif defined(__powerpc64__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const std::string triplet = "powerpc64le-linux-gnu";
#elif defined(__s390x__)
    const std::string triplet = "s390x-linux-gnu";
#elif defined(__riscv) && __riscv_xlen == 64
    const std::string triplet = "riscv64-linux-gnu";
#else
    const std::string triplet;
#endif
    if (!triplet.empty()) {
        folders.push_back("/usr/local/lib/" + triplet);
        folders.emplace_back("/usr/local/lib");
        folders.push_back("/lib/" + triplet);
        folders.push_back("/usr/lib/" + triplet);
    } else {
        folders.emplace_back("/usr/local/lib");
    }
    if (sizeof(void*) == 8) {
        folders.emplace_back("/lib64");
        folders.emplace_back("/usr/lib64");
    }
    folders.emplace_back("/lib");
    folders.emplace_back("/usr/lib");
    return folders;
}

void* Open(const std::string& file) {
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = dlerror();
        LastLibraryError = error != nullptr ? error : "cannot load " + file;
    }
    return handle;
}

}  // namespace

std::vector<std::string> LibrarySearchFolders() {
    return Guarded("platform.LibrarySearchFolders", std::vector<std::string>(),
                   [] { return SplitFolders(ReadSearchList(), ":", false); });
}

std::string PrependToLibrarySearchList(const std::string& folder) {
    return Guarded("platform.PrependToLibrarySearchList", std::string(), [&folder] {
        std::lock_guard<std::mutex> lock(SearchListMutex);
        const char* old = std::getenv(LibrarySearchListVariable);
        std::string value = old != nullptr ? std::string(old) : std::string();
        if (folder.empty()) return value;
        std::string entry = folder;
        if (entry.back() != ':') entry += ':';
        value = entry + value;
        if (setenv(LibrarySearchListVariable, value.c_str(), 1) != 0) {
            TraceMessage("platform.PrependToLibrarySearchList", tlError, "Could not set %s to: %s",
                         LibrarySearchListVariable, value.c_str());
            return old != nullptr ? std::string(old) : std::string();
        }
        return value;
    });
}

TLibraryHandle LoadLibrary(const std::string& name) {
    LastLibraryError.clear();
    return Guarded("platform.LoadLibrary", TLibraryHandle(nullptr), [&name]() -> TLibraryHandle {
        if (name.empty() || name.find('\0') != std::string::npos) {
            LastLibraryError = "invalid library name";
            return nullptr;
        }
        if (name.find('/') != std::string::npos) return Open(name);
        const std::string path = FindInProgramFolders(name);
        // Not in the program's folders: the loader's own search decides.
        return Open(path.empty() ? name : path);
    });
}

std::string LibraryError() {
    return LastLibraryError;
}

void* GetProcAddress(TLibraryHandle library, const std::string& name) {
    LastLibraryError.clear();
    if (library == nullptr) {
        LastLibraryError = "no library";
        return nullptr;
    }
    dlerror();
    void* address = dlsym(library, name.c_str());
    if (address == nullptr) {
        const char* error = dlerror();
        LastLibraryError = error != nullptr ? error : "export " + name + " is null";
    }
    return address;
}

bool FreeLibrary(TLibraryHandle library) {
    LastLibraryError.clear();
    if (library == nullptr) {
        LastLibraryError = "no library";
        return false;
    }
    if (dlclose(library) != 0) {
        const char* error = dlerror();
        LastLibraryError = error != nullptr ? error : "cannot free library";
        return false;
    }
    return true;
}

std::string FindLibraryFile(const std::string& name) {
    return Guarded("platform.FindLibraryFile", std::string(), [&name] {
        if (name.empty() || name.find('\0') != std::string::npos) return std::string();
        if (name.find('/') != std::string::npos)
            return IsFile(name) ? AbsolutePath(name) : std::string();
        std::string path = FindInProgramFolders(name);
        if (!path.empty()) return path;
        for (const std::string& folder : SystemFolders()) {
            path = FileInFolder(folder, name);
            if (!path.empty()) return path;
        }
        return std::string();
    });
}

TLibraryRef& TLibraryRef::operator=(TLibraryRef&& other) noexcept {
    if (this != &other) {
        Reset();
        FHandle = other.FHandle;
        other.FHandle = nullptr;
    }
    return *this;
}

void TLibraryRef::Reset() {
    if (FHandle != nullptr) FreeLibrary(FHandle);
    FHandle = nullptr;
}

}  // namespace platform
