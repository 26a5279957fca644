#include <sys/stat.h>

#include <cstdint>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "vesk_FileVersion.h"

namespace {

using namespace platformtest;
using TBytes = std::vector<unsigned char>;

void Put(TBytes& b, std::size_t at, std::uint64_t value, int size, bool big) {
    for (int i = 0; i < size; ++i) b[at + i] = std::uint8_t(value >> 8 * (big ? size - 1 - i : i));
}

// A minimal ELF file with a foreign note, then the version note 1.2.3.4, then a section
// table of a null section and the notes. Returns where the notes' section entry and the
// version note start.
std::pair<std::size_t, std::size_t> BuildElf(TBytes& b, bool wide, bool big, unsigned align = 4) {
    const int word = wide ? 8 : 4;
    const std::size_t entry = wide ? 64 : 40;
    const auto pad = [&b](std::size_t to) { b.resize((b.size() + to - 1) / to * to); };
    const auto note = [&](const std::string& name, std::uint32_t type, std::size_t descSize) {
        const std::size_t at = b.size();
        b.resize(at + 12);
        Put(b, at, name.size(), 4, big), Put(b, at + 4, descSize, 4, big),
            Put(b, at + 8, type, 4, big);
        b.insert(b.end(), name.begin(), name.end());
        pad(align);
        const std::size_t desc = b.size();
        b.resize(desc + descSize, 0);
        pad(align);
        return desc;
    };
    b.assign(wide ? 64 : 56, 0);
    note(std::string("GNU\0", 4), 3, 20);
    const std::size_t versionNote = b.size(), desc = note(std::string("vesk\0", 5), 1, 8);
    for (int i = 0; i < 4; ++i) Put(b, desc + 2 * std::size_t(i), i + 1, 2, big);
    const std::size_t notesEnd = b.size(), notes = wide ? 64 : 56;
    pad(8);
    const std::size_t section = b.size() + entry;
    b.resize(section + entry);
    Put(b, section + 4, 7, 4, big);  // SHT_NOTE
    Put(b, section + (wide ? 24 : 16), notes, word, big);
    Put(b, section + (wide ? 32 : 20), notesEnd - notes, word, big);
    Put(b, section + (wide ? 48 : 32), align, word, big);
    b[0] = 0x7f, b[1] = 'E', b[2] = 'L', b[3] = 'F', b[4] = wide ? 2 : 1, b[5] = big ? 2 : 1;
    Put(b, wide ? 40 : 32, section - entry, word, big);
    Put(b, wide ? 58 : 46, entry, 2, big), Put(b, wide ? 60 : 48, 2, 2, big);
    return {section, versionNote};
}

// "MS.LS", or "none" once both words are seen cleared.
std::string Version(const std::string& path) {
    std::uint32_t ms = 0xDEAD, ls = 0xBEEF;
    if (GetFileVersion(path, ms, ls)) return std::to_string(ms) + "." + std::to_string(ls);
    return ms == 0 && ls == 0 ? "none" : "words not cleared";
}

TEST(FileVersion, ReadsTheNoteInEveryLayout) {
    TScratchFolder folder;
    TBytes elf;
    for (const auto& [wide, big, align] :
         {std::tuple(true, false, 4u), std::tuple(true, true, 4u), std::tuple(false, false, 4u),
          std::tuple(false, true, 4u), std::tuple(true, false, 8u)}) {
        BuildElf(elf, wide, big, align);
        WriteBytes(folder.File("lib.so"), elf);
        EXPECT_EQ(Version(folder.File("lib.so")), "65538.196612") << wide << big << align;
    }
}

TEST(FileVersion, DamagedFilesGiveNoVersion) {
    TScratchFolder folder;
    const std::string path = folder.File("lib.so");
    for (const bool wide : {true, false}) {
        TBytes good;
        const auto [section, note] = BuildElf(good, wide, false);
        const std::uint64_t huge = wide ? ~std::uint64_t(0) - 15 : 0xFFFFFFF0u;
        const struct {
            std::size_t At;
            std::uint64_t Value;
            int Size;
        } damages[] = {
            {5, 3, 1},                                                // byte order
            {std::size_t(wide ? 40 : 32), huge, wide ? 8 : 4},        // section table offset
            {std::size_t(wide ? 60 : 48), 0xFFFF, 2},                 // section count
            {section + (wide ? 24 : 16), good.size(), wide ? 8 : 4},  // note offset
            {section + (wide ? 32 : 20), huge, wide ? 8 : 4},         // note size
            {note, 0xFFFFFFFF, 4},
            {note + 4, 0xFFFFFFF0, 4},  // name and description size
            {note + 8, 2, 4},
            {note + 15, 'q', 1},  // type, name "vesq"
        };
        for (const auto& damage : damages) {
            TBytes bad = good;
            Put(bad, damage.At, damage.Value, damage.Size, false);
            WriteBytes(path, bad);
            EXPECT_EQ(Version(path), "none") << "damage at " << damage.At;
        }
        for (std::size_t size = 0; size < good.size(); ++size) {
            WriteBytes(path, TBytes(good.begin(), good.begin() + std::ptrdiff_t(size)));
            ASSERT_EQ(Version(path), "none") << "cut at " << size;
        }
    }
}

TEST(FileVersion, FilesThatAreNoLibrary) {
    TScratchFolder folder;
    EXPECT_EQ(Version(folder.File("missing.so")), "none");
    EXPECT_EQ(Version(folder.Path), "none");
    WriteBytes(folder.File("text.so"), {0x7f, 'E', 'L', 'F', ' ', 't', 'e', 'x', 't'});
    EXPECT_EQ(Version(folder.File("text.so")), "none");
    // Opening a FIFO for reading would wait for a writer forever.
    ASSERT_EQ(mkfifo(folder.File("fifo.so").c_str(), 0600), 0);
    EXPECT_EQ(Version(folder.File("fifo.so")), "none");
    const std::string library = ReadText(ZELMAR_PROBE_LIST_DIR "/libzelmarProbeA.so");
    WriteBytes(folder.File("cut.so"), TBytes(library.begin(), library.end() - 1));
    EXPECT_EQ(Version(folder.File("cut.so")), "none");
}

}  // namespace
