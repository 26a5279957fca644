#pragma once
// Helpers for the routines library tests: files in a temporary folder, and whole records read
// through the C functions the way the program's binding reads them.

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

#include "ZelmarMolfileBuilder.h"
#include "ZelmarTestTempDir.h"

#include "veskChemRoutines.h"

namespace routines_test {

#define OK(call) (((call)&0xFF) != 0)

struct Item {
    std::string name;
    std::vector<std::string> lines;
    bool operator==(const Item& o) const { return name == o.name && lines == o.lines; }
};

struct Record {
    bool ok = false;
    std::string error, molBlock;
    std::vector<Item> items;
};

using TempDir = TTestTempDir;

inline std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

inline std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Items through 64001-byte buffers, as the binding reads them.
inline std::vector<Item> ReadItems(uintptr_t list) {
    char err[256];
    std::vector<char> buf(64001);
    int32_t count = -1, lines = -1;
    EXPECT_TRUE(OK(GetSDFileDataEntryCount(list, &count, err, 256))) << err;
    std::vector<Item> items(count > 0 ? count : 0);
    for (int32_t i = 0; i < count; ++i) {
        uintptr_t entry = 0;
        EXPECT_TRUE(OK(GetSDFileDataEntryNo(list, &entry, i, err, 256))) << err;
        EXPECT_TRUE(OK(GetSDFileDataEntryName(entry, buf.data(), 64001, err, 256))) << err;
        items[i].name = buf.data();
        EXPECT_TRUE(OK(GetSDFileDataLineCount(entry, &lines, err, 256))) << err;
        for (int32_t k = 0; k < lines; ++k) {
            EXPECT_TRUE(OK(GetSDFileDataLineNo(entry, k, buf.data(), 64001, err, 256))) << err;
            items[i].lines.emplace_back(buf.data());
        }
        EXPECT_TRUE(OK(DestroySDFileDataEntry(entry, err, 256))) << err;
    }
    return items;
}

inline std::string MolText(uintptr_t mol) {
    char err[256];
    char* text = nullptr;
    EXPECT_TRUE(OK(GetMolFileOrgString(mol, &text, err, 256))) << err;
    std::string copy = text ? text : "";
    std::free(text);
    return copy;
}

// Every record of a file by index; the open error in `error` when the file does not open.
inline std::vector<Record> ReadFile(const std::string& file, std::string* error = nullptr) {
    char err[256];
    uintptr_t handle = 0;
    int32_t count = 0;
    if (!OK(OpenSDFileRA3(&handle, file.c_str(), nullptr, nullptr, err, 256))) {
        if (error) *error = err;
        return {};
    }
    EXPECT_TRUE(OK(GetSDFileEntryCountRA(handle, &count, err, 256))) << err;
    std::vector<Record> records(count);
    for (int32_t i = 0; i < count; ++i) {
        uintptr_t mol = 0, list = 0;
        records[i].ok = OK(GetSDFileEntryRA(handle, i, &mol, 0, &list, err, 256));
        if (!records[i].ok) {
            records[i].error = err;
            EXPECT_TRUE(mol == 0 && list == 0 && *err);
            continue;
        }
        records[i].molBlock = MolText(mol);
        records[i].items = ReadItems(list);
        EXPECT_TRUE(OK(DestroyMolFile(mol, err, 256)) &&
                    OK(DestroySDFileDataEntryList(list, err, 256)));
    }
    EXPECT_TRUE(OK(DestroySDFile(handle, err, 256))) << err;
    return records;
}

inline std::vector<Record> ReadText(const std::string& bytes, std::string* error = nullptr) {
    TempDir dir;
    return ReadFile(dir.Write("in.sdf", bytes), error);
}

// Writes the records (an empty molBlock goes out as molecule handle 0) and returns the file's
// bytes; `results` gets each record's outcome, otherwise every record must be written.
inline std::string WriteRecords(const std::string& file, const std::vector<Record>& records,
                                std::vector<bool>* results = nullptr, int32_t writeMolecule = 1) {
    char err[256];
    uintptr_t producer = 0;
    EXPECT_TRUE(OK(CreateNewSDFile(&producer, file.c_str(), err, 256))) << err;
    for (const Record& r : records) {
        uintptr_t mol = 0, list = 0, entry = 0;
        EXPECT_TRUE(r.molBlock.empty() ||
                    OK(OpenMolString(&mol, r.molBlock.c_str(), 0, 0, err, 256)));
        EXPECT_TRUE(OK(CreateEmptySDFileDataEntryList(&list, err, 256)));
        for (const Item& item : r.items) {
            EXPECT_TRUE(OK(CreateSDFileDataEntry(&entry, item.name.c_str(), -1, err, 256)));
            for (const std::string& line : item.lines)
                AddSDFileDataLine(entry, line.c_str(), err, 256);
            EXPECT_TRUE(OK(AddSDFileDataEntry(list, entry, err, 256)) &&
                        OK(DestroySDFileDataEntry(entry, err, 256)));
        }
        bool ok = OK(AddSDFileEntry(producer, mol, writeMolecule, 0, list, 0, err, 256));
        if (results) results->push_back(ok);
        EXPECT_TRUE(ok || results) << err;
        if (mol) DestroyMolFile(mol, err, 256);
        DestroySDFileDataEntryList(list, err, 256);
    }
    EXPECT_TRUE(OK(DestroySDFileProducer(producer, err, 256))) << err;
    return ReadBytes(file);
}

struct Chem {
    bool ok = false;
    std::string formula, error;
    double mass = -1;
};

inline Chem ChemOf(const std::string& text, int32_t flags = VESK_MOL_DEFAULT) {
    char err[256], formula[256];
    Chem chem;
    uintptr_t mol = 0;
    chem.ok = OK(OpenMolString(&mol, text.c_str(), flags, 0, err, 256)) &&
              OK(GetMolFileFormula(mol, formula, 256, err, 256)) &&
              OK(GetMolFileMass(mol, &chem.mass, err, 256));
    (chem.ok ? chem.formula : chem.error) = chem.ok ? formula : err;
    if (mol) DestroyMolFile(mol, err, 256);
    return chem;
}

inline std::filesystem::path CorpusDir() {
    const char* env = std::getenv("ZELMAR_SDF_CORPUS");
    return env && *env ? std::filesystem::path(env) : std::filesystem::path(VESK_SDF_CORPUS_DIR);
}

// A V2000 block from atoms ("C 0 3": symbol, mass difference, charge code), bonds ("1 2 1")
// and property lines.
inline std::string Block(const std::vector<std::string>& atoms,
                         const std::vector<std::string>& bonds,
                         const std::vector<std::string>& props = {}, bool threeD = false) {
    molfile_support::TMolfile molfile;
    molfile.Title = "name";
    molfile.Program = std::string("  test    ") + (threeD ? "3D" : "2D");
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        char symbol[4] = "";
        molfile_support::TAtom atom;
        std::sscanf(atoms[i].c_str(), "%3s %d %d", symbol, &atom.MassDiff, &atom.Charge);
        atom.Symbol = symbol;
        atom.X = static_cast<double>(i);
        atom.Y = threeD ? 0.5 * atom.X : 0.0;
        atom.Z = threeD ? 0.3 * atom.X : 0.0;
        molfile.Atoms.push_back(atom);
    }
    for (const std::string& b : bonds) {
        molfile_support::TBond bond;
        std::sscanf(b.c_str(), "%d %d %d", &bond.From, &bond.To, &bond.Order);
        molfile.Bonds.push_back(bond);
    }
    molfile.Properties = props;
    return molfile.Text();
}

}  // namespace routines_test
