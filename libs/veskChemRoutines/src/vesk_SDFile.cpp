#include "vesk_SDFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vesk {

namespace {

constexpr std::size_t kScanBufferSize = 1 << 20;

std::string SystemError(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

inline std::uint64_t Rotl(std::uint64_t x, int r) {
    return (x << r) | (x >> (64 - r));
}

inline std::uint64_t Load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline std::uint64_t Round(std::uint64_t acc, std::uint64_t input) {
    return Rotl(acc + input * kPrime2, 31) * kPrime1;
}

// Reads size bytes at offset, fewer only at the end of the file; false on a read error.
bool ReadFully(int fd, std::uint64_t offset, char* data, std::size_t size, std::size_t& done,
               int& err) {
    done = 0;
    while (done < size) {
        ssize_t got = ::pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    err = 0;
    return true;
}

}  // namespace

std::uint64_t HashBytes(const char* data, std::size_t size) {
    const char* p = data;
    const char* const end = data + size;
    std::uint64_t h = kPrime5;
    if (size >= 32) {
        // Four independent lanes keep the multiplier busy.
        std::uint64_t v1 = kPrime1 + kPrime2;
        std::uint64_t v2 = kPrime2;
        std::uint64_t v3 = 0;
        std::uint64_t v4 = 0 - kPrime1;
        const char* const limit = end - 32;
        do {
            v1 = Round(v1, Load64(p));
            v2 = Round(v2, Load64(p + 8));
            v3 = Round(v3, Load64(p + 16));
            v4 = Round(v4, Load64(p + 24));
            p += 32;
        } while (p <= limit);
        h = Rotl(v1, 1) + Rotl(v2, 7) + Rotl(v3, 12) + Rotl(v4, 18);
        for (std::uint64_t v : {v1, v2, v3, v4}) h = (h ^ Round(0, v)) * kPrime1 + kPrime4;
    }
    h += size;
    for (; p + 8 <= end; p += 8) h = Rotl(h ^ Round(0, Load64(p)), 27) * kPrime1 + kPrime4;
    for (; p < end; ++p) h = Rotl(h ^ (static_cast<unsigned char>(*p) * kPrime5), 11) * kPrime1;
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
}

int PercentOf(std::uint64_t position, std::uint64_t total) {
    if (total == 0) return 100;
    if (position >= total) return 100;
    // position < total, so position * 100 fits for any file size up to 2^57 bytes.
    return static_cast<int>((position * 100 + total / 2) / total);
}

void RecordScanner::SetProgress(std::uint64_t total, ProgressFn fn, void* context) {
    progress_ = fn;
    progressContext_ = context;
    total_ = total;
    nextReport_ = 0;
    lastPercent_ = -1;
}

bool RecordScanner::Report() {
    int percent = PercentOf(pos_, total_);
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        if (!progress_(percent, progressContext_)) return false;
    }
    // The first position at which the rounded per cent can grow again.
    std::uint64_t want = static_cast<std::uint64_t>(percent + 1) * total_;
    want = want > total_ / 2 ? want - total_ / 2 : 0;
    nextReport_ = (want + 99) / 100;
    if (nextReport_ <= pos_) nextReport_ = pos_ + 1;
    return true;
}

void RecordScanner::LinePiece(const char* begin, std::size_t size) {
    if (separatorPossible_) {
        for (std::size_t k = 0; k < size; ++k) {
            char c = begin[k];
            bool fits = lineLength_ + k < 4 ? c == '$' : (c == ' ' || c == '\t' || c == '\r');
            if (!fits) {
                separatorPossible_ = false;
                break;
            }
        }
    }
    if (!segmentHasContent_ && !lineHasContent_) {
        for (std::size_t k = 0; k < size; ++k) {
            char c = begin[k];
            if (c != ' ' && c != '\t' && c != '\r') {
                lineHasContent_ = true;
                break;
            }
        }
    }
    lineLength_ += size;
}

void RecordScanner::EndLine() {
    if (separatorPossible_ && lineLength_ >= 4) {
        if (segmentHasContent_) starts_.push_back(segmentStart_);
        segmentStart_ = pos_;
        segmentHasContent_ = false;
    } else if (lineHasContent_) {
        segmentHasContent_ = true;
    }
    lineLength_ = 0;
    separatorPossible_ = true;
    lineHasContent_ = false;
}

bool RecordScanner::Feed(const char* data, std::size_t size) {
    const char* p = data;
    const char* end = data + size;
    const std::uint64_t base = pos_;
    if (progress_ && lastPercent_ < 0 && !Report()) return false;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!nl) {
            LinePiece(p, end - p);
            break;
        }
        if (lineLength_ == 0 && *p != '$') {
            // The common line: it starts in this piece and is no separator. Only a record's
            // first lines need a look for content.
            if (!segmentHasContent_) {
                for (const char* q = p; q < nl; ++q) {
                    if (*q != ' ' && *q != '\t' && *q != '\r') {
                        segmentHasContent_ = true;
                        break;
                    }
                }
            }
        } else {
            pos_ = base + static_cast<std::uint64_t>(nl + 1 - data);
            LinePiece(p, nl - p);
            EndLine();
        }
        p = nl + 1;
        if (progress_) {
            pos_ = base + static_cast<std::uint64_t>(p - data);
            if (pos_ >= nextReport_ && !Report()) return false;
        }
    }
    pos_ = base + size;
    return true;
}

bool RecordScanner::Finish() {
    if (lineLength_ > 0) EndLine();
    if (segmentHasContent_) starts_.push_back(segmentStart_);
    segmentHasContent_ = false;
    if (progress_) {
        if (pos_ < total_) total_ = pos_;  // the file shrank while it was read
        return Report();
    }
    return true;
}

std::unique_ptr<SDFile> SDFile::Open(const std::string& path, RecordScanner::ProgressFn fn,
                                     void* context, std::string& error) {
    std::unique_ptr<SDFile> file(new SDFile);
    file->path_ = path;
    file->fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file->fd_ < 0) {
        error = SystemError("cannot open", path, errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(file->fd_, &st) != 0) {
        error = SystemError("cannot query", path, errno);
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "\"" + path + "\" is not a regular file";
        return nullptr;
    }
    if (st.st_size == 0) {
        error = "the file \"" + path + "\" is empty";
        return nullptr;
    }
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(file->fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif

    RecordScanner scanner;
    if (fn) scanner.SetProgress(static_cast<std::uint64_t>(st.st_size), fn, context);
    std::unique_ptr<char[]> buffer(new char[kScanBufferSize]);
    std::uint64_t offset = 0;
    for (;;) {
        // Whole buffers keep the fingerprint blocks aligned to the file.
        std::size_t got = 0;
        int err = 0;
        if (!ReadFully(file->fd_, offset, buffer.get(), kScanBufferSize, got, err)) {
            error = SystemError("cannot read", path, err);
            return nullptr;
        }
        if (got == 0) break;
        for (std::size_t block = 0; block < got; block += kBlockSize)
            file->blockHashes_.push_back(
                HashBytes(buffer.get() + block, std::min(kBlockSize, got - block)));
        offset += got;
        if (!scanner.Feed(buffer.get(), got)) {
            error = "reading \"" + path + "\" was cancelled";
            return nullptr;
        }
        if (got < kScanBufferSize) break;
    }
    if (!scanner.Finish()) {
        error = "reading \"" + path + "\" was cancelled";
        return nullptr;
    }
    if (scanner.Starts().empty()) {
        error = "the file \"" + path + "\" holds no SD record, only blank lines";
        return nullptr;
    }
    // Later reads compare against what was scanned, so a file changed meanwhile is noticed.
    if (::fstat(file->fd_, &st) != 0) {
        error = SystemError("cannot query", path, errno);
        return nullptr;
    }
    if (static_cast<std::uint64_t>(st.st_size) != offset) {
        error = "the file \"" + path + "\" changed while it was read";
        return nullptr;
    }
    file->size_ = offset;
    file->modified_ = st.st_mtim;
    file->starts_ = scanner.TakeStarts();
    file->starts_.shrink_to_fit();
    return file;
}

SDFile::~SDFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool SDFile::ReadRange(std::uint64_t begin, std::string& bytes, std::string& error) const {
    std::size_t done = 0;
    int err = 0;
    if (!ReadFully(fd_, begin, &bytes[0], bytes.size(), done, err)) {
        error = SystemError("cannot read", path_, err);
        return false;
    }
    if (done < bytes.size()) {
        error = "the file \"" + path_ + "\" is shorter than when it was opened; it was changed";
        return false;
    }
    return true;
}

bool SDFile::ReadVerified(std::uint64_t begin, std::uint64_t end, std::string& text,
                          std::string& error) const {
    const std::uint64_t firstBlock = begin / kBlockSize;
    const std::uint64_t lastBlock = (end - 1) / kBlockSize;
    const std::uint64_t from = firstBlock * kBlockSize;
    const std::uint64_t to = std::min<std::uint64_t>((lastBlock + 1) * kBlockSize, size_);
    std::string bytes(static_cast<std::size_t>(to - from), '\0');
    if (!ReadRange(from, bytes, error)) return false;
    for (std::uint64_t block = firstBlock; block <= lastBlock; ++block) {
        const std::size_t at = static_cast<std::size_t>((block - firstBlock) * kBlockSize);
        const std::size_t size = std::min(kBlockSize, bytes.size() - at);
        if (HashBytes(bytes.data() + at, size) != blockHashes_[block]) {
            error = "the file \"" + path_ + "\" was changed on disk after it was opened";
            return false;
        }
    }
    text.assign(bytes, static_cast<std::size_t>(begin - from),
                static_cast<std::size_t>(end - begin));
    return true;
}

bool SDFile::ReadRecord(std::size_t index, std::string& text, std::string& error) const {
    if (index >= starts_.size()) {
        error = "record index " + std::to_string(index) + " is out of range (the file has " +
                std::to_string(starts_.size()) + " records)";
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        error = SystemError("cannot query", path_, errno);
        return false;
    }
    const std::uint64_t begin = starts_[index];
    const std::uint64_t end = index + 1 < starts_.size() ? starts_[index + 1] : size_;
    if (static_cast<std::uint64_t>(st.st_size) != size_ || !SameTime(st.st_mtim, modified_))
        return ReadVerified(begin, end, text, error);
    text.resize(static_cast<std::size_t>(end - begin));
    return ReadRange(begin, text, error);
}

}  // namespace vesk
