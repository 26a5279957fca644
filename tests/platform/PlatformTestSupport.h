#pragma once
// Scratch files for the platform tests.

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace platformtest {

// A fresh folder, removed with its contents at the end of the scope.
struct TScratchFolder {
    std::string Path;
    TScratchFolder() {
        char name[] = "/tmp/zelmar-platform-XXXXXX";
        Path = ::mkdtemp(name);
    }
    ~TScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    std::string File(const std::string& name) const { return Path + "/" + name; }
};

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace platformtest
