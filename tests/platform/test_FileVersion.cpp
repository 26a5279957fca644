#include <sys/stat.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "vesk_FileVersion.h"

namespace {

using platformtest::ReadBytes;
using platformtest::TScratchFolder;
using platformtest::WriteBytes;
using TBytes = std::vector<unsigned char>;

// A minimal ELF file holding notes, built byte by byte so that every layout and every damage
// can be made on purpose.
struct TElfShape {
    bool Wide = true;
    bool BigEndian = false;
    bool SectionTable = true;  // otherwise the notes are found through a PT_NOTE segment
    std::uint64_t NoteAlign = 4;
    bool ForeignNoteFirst = false;
    std::string NoteName = std::string("vesk", 5);
    std::uint32_t NoteType = 1;
    std::vector<std::uint16_t> Desc = {1, 2, 3, 4};
};

// Where the builder put the fields the damage tests change.
struct TElfLayout {
    std::size_t SectionTable = 0, NoteSectionEntry = 0, NoteStart = 0, VersionNote = 0;
};

class TElfBuilder {
public:
    explicit TElfBuilder(const TElfShape& shape) : S(shape) {}

    TBytes Build(TElfLayout* layout = nullptr) {
        const std::size_t headerSize = S.Wide ? 64 : 52;
        const std::size_t segmentEntry = S.Wide ? 56 : 32;
        const std::size_t sectionEntry = S.Wide ? 64 : 40;
        B.assign(headerSize, 0);
        const std::size_t segmentTable = S.SectionTable ? 0 : B.size();
        if (!S.SectionTable) B.resize(B.size() + segmentEntry, 0);

        Pad(8);
        const std::size_t notes = B.size();
        if (S.ForeignNoteFirst) Note(std::string("GNU", 4), 3, TBytes(20, 0xAB));
        const std::size_t versionNote = B.size();
        TBytes desc;
        for (std::uint16_t part : S.Desc) {
            const std::size_t at = desc.size();
            desc.resize(at + 2);
            Put(desc, at, part, 2);
        }
        Note(S.NoteName, S.NoteType, desc);
        const std::size_t notesSize = B.size() - notes;

        Pad(8);
        const std::size_t sectionTable = S.SectionTable ? B.size() : 0;
        if (S.SectionTable) {
            B.resize(B.size() + 3 * sectionEntry, 0);  // null, a code section, the notes
            const std::size_t code = sectionTable + sectionEntry;
            Put(B, code + 4, 1, 4);  // SHT_PROGBITS
            const std::size_t note = sectionTable + 2 * sectionEntry;
            Put(B, note + 4, 7, 4);  // SHT_NOTE
            PutWord(note + (S.Wide ? 24 : 16), notes);
            PutWord(note + (S.Wide ? 32 : 20), notesSize);
            PutWord(note + (S.Wide ? 48 : 32), S.NoteAlign);
            if (layout != nullptr) layout->NoteSectionEntry = note;
        } else {
            Put(B, segmentTable, 4, 4);  // PT_NOTE
            PutWord(segmentTable + (S.Wide ? 8 : 4), notes);
            PutWord(segmentTable + (S.Wide ? 32 : 16), notesSize);
            PutWord(segmentTable + (S.Wide ? 48 : 28), S.NoteAlign);
        }

        const unsigned char ident[] = {0x7f, 'E', 'L', 'F', std::uint8_t(S.Wide ? 2 : 1),
                                       std::uint8_t(S.BigEndian ? 2 : 1), 1};
        std::copy(std::begin(ident), std::end(ident), B.begin());
        Put(B, 16, 3, 2);   // ET_DYN
        Put(B, 18, 62, 2);  // a machine; not looked at
        Put(B, 20, 1, 4);
        PutWord(S.Wide ? 32 : 28, segmentTable);
        PutWord(S.Wide ? 40 : 32, sectionTable);
        Put(B, S.Wide ? 52 : 40, headerSize, 2);
        Put(B, S.Wide ? 54 : 42, segmentEntry, 2);
        Put(B, S.Wide ? 56 : 44, S.SectionTable ? 0 : 1, 2);
        Put(B, S.Wide ? 58 : 46, sectionEntry, 2);
        Put(B, S.Wide ? 60 : 48, S.SectionTable ? 3 : 0, 2);
        if (layout != nullptr) {
            layout->SectionTable = sectionTable;
            layout->NoteStart = notes;
            layout->VersionNote = versionNote;
        }
        return B;
    }

    // Writes a number in the file's byte order.
    void Put(TBytes& bytes, std::size_t at, std::uint64_t value, int size) const {
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (S.BigEndian ? size - 1 - i : i);
            bytes[at + std::size_t(i)] = std::uint8_t(value >> shift);
        }
    }
    void PutWord(std::size_t at, std::uint64_t value) { Put(B, at, value, S.Wide ? 8 : 4); }

private:
    void Pad(std::size_t align) {
        while (B.size() % align != 0) B.push_back(0);
    }
    void Note(const std::string& name, std::uint32_t type, const TBytes& desc) {
        const std::size_t at = B.size();
        B.resize(at + 12, 0);
        Put(B, at, name.size(), 4);
        Put(B, at + 4, desc.size(), 4);
        Put(B, at + 8, type, 4);
        B.insert(B.end(), name.begin(), name.end());
        Pad(std::size_t(S.NoteAlign));
        B.insert(B.end(), desc.begin(), desc.end());
        Pad(std::size_t(S.NoteAlign));
    }

    TElfShape S;
    TBytes B;
};

struct TVersion {
    bool Ok;
    std::uint32_t MS, LS;
};

TVersion ReadVersion(const std::string& path) {
    TVersion v{false, 0xDEAD, 0xBEEF};
    v.Ok = GetFileVersion(path, v.MS, v.LS);
    return v;
}

void ExpectNoVersion(const std::string& path) {
    const TVersion v = ReadVersion(path);
    EXPECT_FALSE(v.Ok);
    EXPECT_EQ(v.MS, 0u);
    EXPECT_EQ(v.LS, 0u);
}

TEST(FileVersion, ReadsTheNoteInEveryLayout) {
    TScratchFolder folder;
    const std::string path = folder.File("lib.so");
    struct TCase {
        const char* Name;
        TElfShape Shape;
    };
    std::vector<TCase> cases(7);
    cases[0] = {"ELF64 little endian", {}};
    cases[1] = {"ELF64 big endian", {}};
    cases[1].Shape.BigEndian = true;
    cases[2] = {"ELF32 little endian", {}};
    cases[2].Shape.Wide = false;
    cases[3] = {"ELF32 big endian after a foreign note", {}};
    cases[3].Shape.Wide = false;
    cases[3].Shape.BigEndian = true;
    cases[3].Shape.ForeignNoteFirst = true;
    cases[4] = {"8-byte aligned notes", {}};
    cases[4].Shape.NoteAlign = 8;
    cases[4].Shape.ForeignNoteFirst = true;
    cases[5] = {"no section table, note segment", {}};
    cases[5].Shape.SectionTable = false;
    cases[6] = {"ELF32 note segment", {}};
    cases[6].Shape.SectionTable = false;
    cases[6].Shape.Wide = false;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(path, TElfBuilder(c.Shape).Build());
        const TVersion v = ReadVersion(path);
        EXPECT_TRUE(v.Ok);
        EXPECT_EQ(v.MS, 0x00010002u);
        EXPECT_EQ(v.LS, 0x00030004u);
    }
}

TEST(FileVersion, OtherNotesAreNotTakenForTheVersion) {
    TScratchFolder folder;
    const std::string path = folder.File("lib.so");
    TElfShape shape;
    shape.NoteName = std::string("vesq", 5);
    WriteBytes(path, TElfBuilder(shape).Build());
    ExpectNoVersion(path);

    shape = {};
    shape.NoteName = "vesk";  // namesz 4: no terminating zero
    WriteBytes(path, TElfBuilder(shape).Build());
    ExpectNoVersion(path);

    shape = {};
    shape.NoteType = 2;
    WriteBytes(path, TElfBuilder(shape).Build());
    ExpectNoVersion(path);

    shape = {};
    shape.Desc = {1, 2, 3};
    WriteBytes(path, TElfBuilder(shape).Build());
    ExpectNoVersion(path);
}

TEST(FileVersion, DamagedHeadersAndTablesGiveNoVersion) {
    TScratchFolder folder;
    const std::string path = folder.File("lib.so");
    for (const bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "ELF64" : "ELF32");
        TElfShape shape;
        shape.Wide = wide;
        TElfBuilder builder(shape);
        TElfLayout at;
        const TBytes good = builder.Build(&at);
        const std::size_t word = wide ? 8 : 4;
        const std::uint64_t huge = wide ? ~std::uint64_t(0) - 15 : 0xFFFFFFF0u;
        struct TDamage {
            const char* Name;
            std::size_t Offset;
            std::uint64_t Value;
            std::size_t Size;
        };
        const TDamage damages[] = {
            {"unknown class", 4, 3, 1},
            {"unknown byte order", 5, 0, 1},
            {"section table beyond the end", wide ? 40u : 32u, good.size(), word},
            {"section table offset wraps", wide ? 40u : 32u, huge, word},
            {"section entries too small", wide ? 58u : 46u, 8, 2},
            {"too many sections", wide ? 60u : 48u, 0xFFFF, 2},
            {"note offset beyond the end", at.NoteSectionEntry + (wide ? 24 : 16), good.size(),
             word},
            {"note offset wraps", at.NoteSectionEntry + (wide ? 24 : 16), huge, word},
            {"note size beyond the end", at.NoteSectionEntry + (wide ? 32 : 20), huge, word},
            {"name size wraps", at.VersionNote, 0xFFFFFFFF, 4},
            {"description size too big", at.VersionNote + 4, 0xFFFFFFF0, 4},
        };
        for (const TDamage& damage : damages) {
            SCOPED_TRACE(damage.Name);
            TBytes bad = good;
            builder.Put(bad, damage.Offset, damage.Value, int(damage.Size));
            WriteBytes(path, bad);
            ExpectNoVersion(path);
        }
        // Cut anywhere, the file loses part of its section table.
        for (std::size_t size = 0; size < good.size(); ++size) {
            WriteBytes(path, TBytes(good.begin(), good.begin() + std::ptrdiff_t(size)));
            const TVersion v = ReadVersion(path);
            ASSERT_FALSE(v.Ok) << "cut at " << size;
            ASSERT_EQ(v.MS | v.LS, 0u);
        }
    }
}

TEST(FileVersion, RandomDamageNeverReadsOutsideTheFile) {
    // Run under AddressSanitizer this shows that no damage makes the reader overrun.
    TScratchFolder folder;
    const std::string path = folder.File("lib.so");
    TElfShape shape;
    shape.ForeignNoteFirst = true;
    const TBytes good = TElfBuilder(shape).Build();
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> position(0, good.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int found = 0;
    for (int round = 0; round < 1500; ++round) {
        TBytes bad = good;
        for (int i = round % 4; i >= 0; --i) bad[position(random)] = std::uint8_t(byte(random));
        WriteBytes(path, bad);
        const TVersion v = ReadVersion(path);
        if (v.Ok)
            ++found;
        else
            ASSERT_EQ(v.MS | v.LS, 0u);
    }
    // Most single-byte damage misses the fields that matter.
    EXPECT_GT(found, 0);
}

TEST(FileVersion, FilesThatAreNoLibrary) {
    TScratchFolder folder;
    ExpectNoVersion(folder.File("missing.so"));
    ExpectNoVersion(folder.Path());  // a folder
    ExpectNoVersion("");

    WriteBytes(folder.File("empty.so"), {});
    ExpectNoVersion(folder.File("empty.so"));

    const std::string text = "\x7f" "ELF is what this text starts with, and nothing else.";
    WriteBytes(folder.File("text.so"), TBytes(text.begin(), text.end()));
    ExpectNoVersion(folder.File("text.so"));

    // Opening a FIFO for reading would wait for a writer forever.
    ASSERT_EQ(mkfifo(folder.File("fifo.so").c_str(), 0600), 0);
    ExpectNoVersion(folder.File("fifo.so"));
}

TEST(FileVersion, TruncatedLibrary) {
    TScratchFolder folder;
    const TBytes library = ReadBytes(ZELMAR_PROBE_LIST_DIR "/libzelmarProbeA.so");
    ASSERT_GT(library.size(), 1000u);
    const std::string path = folder.File("lib.so");
    WriteBytes(path, library);
    EXPECT_TRUE(ReadVersion(path).Ok);
    for (const std::size_t size : {library.size() - 1, library.size() / 2, std::size_t(64),
                                   std::size_t(10)}) {
        SCOPED_TRACE(size);
        WriteBytes(path, TBytes(library.begin(), library.begin() + std::ptrdiff_t(size)));
        ExpectNoVersion(path);
    }
}

}  // namespace
