#pragma once
// Scratch folders and files for the platform tests.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace platformtest {

// A fresh folder, removed with everything in it when the test ends.
class TScratchFolder {
public:
    TScratchFolder() {
        static int counter = 0;
        FPath = std::filesystem::temp_directory_path() /
                ("zelmar-platform-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (FPath / name).string(); }
    std::string Path() const { return FPath.string(); }

private:
    std::filesystem::path FPath;
};

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets or removes an environment variable for one scope and puts the old value back.
class TEnvironmentOverride {
public:
    TEnvironmentOverride(const char* name, const char* value) : FName(name) {
        if (const char* old = ::getenv(name)) {
            FHadValue = true;
            FOld = old;
        }
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~TEnvironmentOverride() {
        if (FHadValue)
            ::setenv(FName.c_str(), FOld.c_str(), 1);
        else
            ::unsetenv(FName.c_str());
    }
    TEnvironmentOverride(const TEnvironmentOverride&) = delete;
    TEnvironmentOverride& operator=(const TEnvironmentOverride&) = delete;

private:
    std::string FName;
    bool FHadValue = false;
    std::string FOld;
};

}  // namespace platformtest
