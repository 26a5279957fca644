#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in
// it at the end of the scope. Shared by the test programs of every layer and library.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

class TTestTempDir {
public:
    TTestTempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zelmar_test_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        FRoot = pattern;
    }
    ~TTestTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(FRoot, ignored);
    }
    TTestTempDir(const TTestTempDir&) = delete;
    TTestTempDir& operator=(const TTestTempDir&) = delete;

    const std::filesystem::path& Root() const { return FRoot; }
    // The full path of a file in the folder.
    std::string Path(const std::string& name) const { return (FRoot / name).string(); }
    std::string File(const std::string& name) const { return Path(name); }
    // Writes the bytes to a file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

private:
    std::filesystem::path FRoot;
};
