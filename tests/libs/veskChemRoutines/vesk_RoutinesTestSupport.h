#pragma once
// Helpers for the routines library tests: files in a temporary folder, and whole records read
// through the C functions.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "veskChemRoutines.h"

namespace routines_test {

struct Item {
    std::string name;
    std::vector<std::string> lines;
    bool operator==(const Item& o) const { return name == o.name && lines == o.lines; }
};

struct Record {
    bool ok = false;
    std::string error;  // when !ok
    std::string molBlock;
    std::vector<Item> items;
};

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Reads a data item list through the C functions, with the binding's 64001-byte buffers.
inline std::vector<Item> ReadItems(uintptr_t list) {
    char err[256];
    std::vector<char> buf(64001);
    int32_t count = -1;
    EXPECT_TRUE(GetSDFileDataEntryCount(list, &count, err, 256) & 0xFF) << err;
    std::vector<Item> items;
    for (int32_t i = 0; i < count; ++i) {
        uintptr_t entry = 0;
        EXPECT_TRUE(GetSDFileDataEntryNo(list, &entry, i, err, 256) & 0xFF) << err;
        Item& item = items.emplace_back();
        EXPECT_TRUE(GetSDFileDataEntryName(entry, buf.data(), 64001, err, 256) & 0xFF) << err;
        item.name = buf.data();
        int32_t lines = -1;
        EXPECT_TRUE(GetSDFileDataLineCount(entry, &lines, err, 256) & 0xFF) << err;
        for (int32_t k = 0; k < lines; ++k) {
            EXPECT_TRUE(GetSDFileDataLineNo(entry, k, buf.data(), 64001, err, 256) & 0xFF) << err;
            item.lines.emplace_back(buf.data());
        }
        EXPECT_TRUE(DestroySDFileDataEntry(entry, err, 256) & 0xFF) << err;
    }
    return items;
}

inline std::string MolText(uintptr_t mol) {
    char err[256];
    char* text = nullptr;
    EXPECT_TRUE(GetMolFileOrgString(mol, &text, err, 256) & 0xFF) << err;
    std::string copy = text ? text : "";
    std::free(text);
    return copy;
}

// Every record of a file by index; the file's open error in `error` when it does not open.
inline std::vector<Record> ReadFile(const std::string& file, std::string* error = nullptr) {
    char err[256];
    uintptr_t handle = 0;
    std::vector<Record> records;
    if (!(OpenSDFileRA3(&handle, file.c_str(), nullptr, nullptr, err, 256) & 0xFF)) {
        if (error) *error = err;
        return records;
    }
    int32_t count = 0;
    EXPECT_TRUE(GetSDFileEntryCountRA(handle, &count, err, 256) & 0xFF) << err;
    for (int32_t i = 0; i < count; ++i) {
        Record& record = records.emplace_back();
        uintptr_t mol = 0, list = 0;
        record.ok = GetSDFileEntryRA(handle, i, &mol, 0, &list, err, 256) & 0xFF;
        if (!record.ok) {
            record.error = err;
            EXPECT_FALSE(record.error.empty());
            EXPECT_EQ(mol, 0u);
            EXPECT_EQ(list, 0u);
            continue;
        }
        record.molBlock = MolText(mol);
        record.items = ReadItems(list);
        EXPECT_TRUE(DestroyMolFile(mol, err, 256) & 0xFF) << err;
        EXPECT_TRUE(DestroySDFileDataEntryList(list, err, 256) & 0xFF) << err;
    }
    EXPECT_TRUE(DestroySDFile(handle, err, 256) & 0xFF) << err;
    return records;
}

inline std::vector<Record> ReadText(const std::string& bytes, std::string* error = nullptr) {
    TempDir dir;
    return ReadFile(dir.Write("in.sdf", bytes), error);
}

// Formula and weight of a molecule text; ok false when either call failed.
struct Chem {
    bool ok = false;
    std::string formula;
    double mass = -1;
    std::string error;
};

inline Chem ChemOf(const std::string& text, int32_t flags = VESK_MOL_DEFAULT) {
    char err[256];
    Chem chem;
    uintptr_t mol = 0;
    if (!(OpenMolString(&mol, text.c_str(), flags, 0, err, 256) & 0xFF)) {
        chem.error = err;
        return chem;
    }
    char formula[256];
    chem.ok = (GetMolFileFormula(mol, formula, 256, err, 256) & 0xFF) &&
              (GetMolFileMass(mol, &chem.mass, err, 256) & 0xFF);
    if (chem.ok) chem.formula = formula;
    else chem.error = err;
    DestroyMolFile(mol, err, 256);
    return chem;
}

// The shared folder of real SD files, when this machine has it.
inline std::filesystem::path CorpusDir() {
    const char* env = std::getenv("ZELMAR_SDF_CORPUS");
    return env && *env ? std::filesystem::path(env) : std::filesystem::path(VESK_SDF_CORPUS_DIR);
}

// A V2000 block from atom lines ("C 0 0" = symbol, mass difference, charge code), bond lines
// ("1 2 1") and property lines.
inline std::string Block(const std::vector<std::string>& atoms,
                         const std::vector<std::string>& bonds,
                         const std::vector<std::string>& props = {}, bool threeD = false) {
    char line[128];
    std::string block = "name\n  test    " + std::string(threeD ? "3D" : "2D") + "\n\n";
    std::snprintf(line, sizeof line, "%3zu%3zu  0  0  0  0  0  0  0  0999 V2000\n", atoms.size(),
                  bonds.size());
    block += line;
    double x = 0;
    for (const std::string& a : atoms) {
        char symbol[4];
        int massDiff = 0, charge = 0;
        std::sscanf(a.c_str(), "%3s %d %d", symbol, &massDiff, &charge);
        std::snprintf(line, sizeof line,
                      "%10.4f%10.4f%10.4f %-3s%2d%3d  0  0  0  0  0  0  0  0  0  0\n", x,
                      threeD ? 0.5 * x : 0.0, threeD ? 0.3 * x : 0.0, symbol, massDiff, charge);
        block += line;
        x += 1.0;
    }
    for (const std::string& b : bonds) {
        int i = 0, j = 0, order = 0;
        std::sscanf(b.c_str(), "%d %d %d", &i, &j, &order);
        std::snprintf(line, sizeof line, "%3d%3d%3d  0\n", i, j, order);
        block += line;
    }
    for (const std::string& p : props) block += p + "\n";
    return block + "M  END\n";
}

}  // namespace routines_test
