#include "vesk_FileVersion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "vesk_Guard.h"

namespace {

constexpr std::uint32_t SectionTypeNote = 7;  // SHT_NOTE
constexpr std::uint32_t VersionNoteType = 1;
constexpr char VersionNoteName[] = "vesk";  // namesz 5, the terminating zero included
// Our note sections are a few dozen bytes; a larger one is somebody else's and not read.
constexpr std::uint64_t MaxNoteBlock = 1 << 20;

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

// One ELF file being read: every offset and size is checked against its length first.
class TElfReader {
public:
    TElfReader(int fd, std::uint64_t size) : FFd(fd), FSize(size) {}

    bool Read(std::uint64_t offset, std::uint64_t length,
              std::vector<unsigned char>& buffer) const {
        if (offset > FSize || length > FSize - offset) return false;
        buffer.resize(length);
        std::uint64_t done = 0;
        while (done < length) {
            const ssize_t count =
                ::pread(FFd, buffer.data() + done, length - done, off_t(offset + done));
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) return false;  // error, or the file shrank under us
            done += std::uint64_t(count);
        }
        return true;
    }

    bool BigEndian = false;
    bool Wide = false;  // ELF64

    std::uint16_t U16(const unsigned char* p) const {
        return BigEndian ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[1] << 8 | p[0]);
    }
    std::uint32_t U32(const unsigned char* p) const {
        return BigEndian ? std::uint32_t(U16(p)) << 16 | U16(p + 2)
                         : std::uint32_t(U16(p + 2)) << 16 | U16(p);
    }
    std::uint64_t U64(const unsigned char* p) const {
        return BigEndian ? std::uint64_t(U32(p)) << 32 | U32(p + 4)
                         : std::uint64_t(U32(p + 4)) << 32 | U32(p);
    }
    // A word that is 32 bits in ELF32 and 64 bits in ELF64.
    std::uint64_t Word(const unsigned char* p) const { return Wide ? U64(p) : U32(p); }

    // Walks the notes of one block and takes the first version note.
    bool FindVersionNote(std::uint64_t offset, std::uint64_t size, std::uint64_t alignment,
                         std::uint16_t (&parts)[4]) const {
        if (size < 12 || size > MaxNoteBlock) return false;
        std::vector<unsigned char> block;
        if (!Read(offset, size, block)) return false;
        const std::uint64_t align = alignment == 8 ? 8 : 4;
        const auto padded = [align](std::uint64_t n) { return (n + align - 1) & ~(align - 1); };
        // Offsets within the block; the name and the description each start on the
        // block's alignment, counted from the block's start.
        std::uint64_t note = 0;
        while (size - note >= 12) {
            const std::uint64_t nameSize = U32(&block[note]);
            const std::uint64_t descSize = U32(&block[note + 4]);
            const std::uint32_t type = U32(&block[note + 8]);
            const std::uint64_t namePos = note + 12;
            if (nameSize > size - namePos) return false;
            const std::uint64_t descPos = padded(namePos + nameSize);
            if (descPos > size || descSize > size - descPos) return false;
            if (nameSize == sizeof VersionNoteName &&
                std::memcmp(&block[namePos], VersionNoteName, sizeof VersionNoteName) == 0 &&
                type == VersionNoteType && descSize == 8) {
                for (int i = 0; i < 4; ++i) parts[i] = U16(&block[descPos + 2 * std::uint64_t(i)]);
                return true;
            }
            note = padded(descPos + descSize);
            if (note >= size) return false;
        }
        return false;
    }

private:
    int FFd;
    std::uint64_t FSize;
};

bool ReadVersionParts(const std::string& path, std::uint16_t (&parts)[4]) {
    if (path.find('\0') != std::string::npos) return false;
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) return false;
    struct stat info {};
    // Only regular files: a FIFO or a device could block or never end.
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;

    TElfReader elf(file.Get(), std::uint64_t(info.st_size));
    std::vector<unsigned char> header;
    if (!elf.Read(0, 16, header)) return false;
    if (std::memcmp(header.data(),
                    "\x7f"
                    "ELF",
                    4) != 0)
        return false;
    if (header[4] != 1 && header[4] != 2) return false;  // ELFCLASS32 / ELFCLASS64
    if (header[5] != 1 && header[5] != 2) return false;  // ELFDATA2LSB / ELFDATA2MSB
    elf.Wide = header[4] == 2;
    elf.BigEndian = header[5] == 2;
    if (!elf.Read(0, elf.Wide ? 64 : 52, header)) return false;

    const unsigned char* h = header.data();
    const std::uint64_t sectionTable = elf.Word(h + (elf.Wide ? 40 : 32));
    const std::uint16_t sectionEntrySize = elf.U16(h + (elf.Wide ? 58 : 46));
    const std::uint16_t sectionCount = elf.U16(h + (elf.Wide ? 60 : 48));
    // A count of 0 means no sections, or more than 65535 (object files only): nothing to read.
    if (sectionTable == 0 || sectionCount == 0) return false;
    if (sectionEntrySize < (elf.Wide ? 64 : 40)) return false;
    std::vector<unsigned char> table;
    if (!elf.Read(sectionTable, std::uint64_t(sectionCount) * sectionEntrySize, table))
        return false;
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        const unsigned char* s = &table[std::size_t(i) * sectionEntrySize];
        if (elf.U32(s + 4) != SectionTypeNote) continue;
        const std::uint64_t offset = elf.Word(s + (elf.Wide ? 24 : 16));
        const std::uint64_t size = elf.Word(s + (elf.Wide ? 32 : 20));
        const std::uint64_t align = elf.Word(s + (elf.Wide ? 48 : 32));
        if (elf.FindVersionNote(offset, size, align, parts)) return true;
    }
    return false;
}

}  // namespace

bool GetFileVersion(const std::string& path, std::uint32_t& versionMS, std::uint32_t& versionLS) {
    versionMS = 0;
    versionLS = 0;
    std::uint16_t parts[4] = {};
    if (!Guarded("GetFileVersion", false, [&] { return ReadVersionParts(path, parts); }))
        return false;
    versionMS = std::uint32_t(parts[0]) << 16 | parts[1];
    versionLS = std::uint32_t(parts[2]) << 16 | parts[3];
    return true;
}
