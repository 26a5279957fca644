#include "vesk_Folders.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "vesk_Guard.h"

#ifndef ZELMAR_INSTALL_PREFIX
#error "ZELMAR_INSTALL_PREFIX must name the install prefix"
#endif

namespace platform {

namespace fs = std::filesystem;

const char* const SharedFolderName = "vesk Shared";

namespace {

std::string ReadProgramLink() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (std::size_t(length) < buffer.size()) {
            std::string path(buffer.data(), std::size_t(length));
            // A program file replaced while it runs (a rebuild) is reported with this suffix;
            // its folder is still the program's folder.
            static const std::string deleted = " (deleted)";
            if (path.size() > deleted.size() &&
                path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
                std::error_code ec;
                if (!fs::exists(path, ec)) path.resize(path.size() - deleted.size());
            }
            return path;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) return path;
    return absolute.lexically_normal().string();
}

}  // namespace

std::string GetProgramPath() {
    return Guarded("platform.GetProgramPath", std::string(), [] {
        // The program file does not change while it runs.
        static const std::string path = ReadProgramLink();
        return path;
    });
}

std::string GetProgramFolder() {
    return Guarded("platform.GetProgramFolder", std::string(), [] {
        const std::string path = GetProgramPath();
        if (path.empty()) return std::string();
        return fs::path(path).parent_path().string();
    });
}

std::string GetModulePath(const void* addressInModule) {
    return Guarded("platform.GetModulePath", std::string(), [addressInModule] {
        if (addressInModule == nullptr) return std::string();
        Dl_info info{};
#ifdef RTLD_DL_LINKMAP
        link_map* map = nullptr;
        if (dladdr1(addressInModule, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0)
            return std::string();
        // The loader names the program itself by its argv[0], which may be relative or a
        // bare name found on PATH.
        if (map != nullptr && (map->l_name == nullptr || map->l_name[0] == '\0'))
            return GetProgramPath();
#else
        if (dladdr(addressInModule, &info) == 0) return std::string();
#endif
        if (info.dli_fname == nullptr || info.dli_fname[0] == '\0') return std::string();
        return AbsolutePath(info.dli_fname);
    });
}

std::string GetCommonFilesFolder() {
    return Guarded("platform.GetCommonFilesFolder", std::string(), [] {
        return (fs::path(ZELMAR_INSTALL_PREFIX) / "lib").lexically_normal().string();
    });
}

}  // namespace platform
