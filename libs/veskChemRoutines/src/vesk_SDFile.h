#pragma once
// Finding SD records in a file and reading them back by index. Only each record's start offset
// is kept in memory; records are read with pread, so any thread may read any record.

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace vesk {

// Whole per cent of position in total, rounded half up (the program's MulDiv rule).
int PercentOf(std::uint64_t position, std::uint64_t total);

// A fast 64-bit fingerprint of a byte range; equal bytes give equal values. Not for security:
// it tells whether a file's bytes are still the ones that were scanned.
std::uint64_t HashBytes(const char* data, std::size_t size);

// Finds record starts in bytes fed in pieces of any size. A record ends at a line that is
// "$$$$" (trailing blanks and CRs allowed) or at the end of the input; a stretch holding only
// blanks and line ends is no record. A record starts right after the previous "$$$$" line, so
// a blank first (name) line stays part of it.
class RecordScanner {
public:
    // Called with whole per cents of `total` each time the value changes; false cancels.
    using ProgressFn = bool (*)(int percent, void* context);
    void SetProgress(std::uint64_t total, ProgressFn fn, void* context);

    // False when the progress callback cancelled; the scan must then stop.
    bool Feed(const char* data, std::size_t size);
    // End of input: closes the last line and record, reports 100 per cent.
    bool Finish();

    const std::vector<std::uint64_t>& Starts() const { return starts_; }
    std::vector<std::uint64_t> TakeStarts() { return std::move(starts_); }
    std::uint64_t Position() const { return pos_; }

private:
    void LinePiece(const char* begin, std::size_t size);
    void EndLine();
    bool Report();

    std::vector<std::uint64_t> starts_;
    std::uint64_t pos_ = 0;
    std::uint64_t segmentStart_ = 0;
    std::size_t lineLength_ = 0;
    bool separatorPossible_ = true;
    bool lineHasContent_ = false;
    bool segmentHasContent_ = false;

    ProgressFn progress_ = nullptr;
    void* progressContext_ = nullptr;
    std::uint64_t total_ = 0;
    std::uint64_t nextReport_ = 0;
    int lastPercent_ = -1;
};

class SDFile {
public:
    // Opens and scans the file. Fails on a missing, unreadable, empty or record-less file, and
    // when the progress callback cancels.
    static std::unique_ptr<SDFile> Open(const std::string& path, RecordScanner::ProgressFn fn,
                                        void* context, std::string& error);
    ~SDFile();
    SDFile(const SDFile&) = delete;
    SDFile& operator=(const SDFile&) = delete;

    std::size_t Count() const { return starts_.size(); }
    std::uint64_t Size() const { return size_; }
    std::uint64_t RecordStart(std::size_t index) const { return starts_[index]; }

    // The record's bytes from its start up to the next record's start (or the end of the file):
    // the record, its "$$$$" line and any blank stretch after it. Thread-safe. While the file
    // keeps the size and time it had when scanned the bytes are read as they are; otherwise they
    // are read only if they are still the scanned ones (a file touched or appended to still
    // reads, one rewritten or cut short fails).
    bool ReadRecord(std::size_t index, std::string& text, std::string& error) const;

    // The file is fingerprinted in blocks of this size while it is scanned.
    static constexpr std::size_t kBlockSize = 1 << 16;

private:
    SDFile() = default;
    bool ReadRange(std::uint64_t begin, std::string& bytes, std::string& error) const;
    bool ReadVerified(std::uint64_t begin, std::uint64_t end, std::string& text,
                      std::string& error) const;

    int fd_ = -1;
    std::string path_;
    std::uint64_t size_ = 0;
    struct timespec modified_ {};
    std::vector<std::uint64_t> starts_;
    std::vector<std::uint64_t> blockHashes_;
};

}  // namespace vesk
