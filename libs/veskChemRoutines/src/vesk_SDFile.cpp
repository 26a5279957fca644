#include "vesk_SDFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

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
        ssize_t got = ::pread(file->fd_, buffer.get(), kScanBufferSize, static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR) continue;
            error = SystemError("cannot read", path, errno);
            return nullptr;
        }
        if (got == 0) break;
        offset += static_cast<std::uint64_t>(got);
        if (!scanner.Feed(buffer.get(), static_cast<std::size_t>(got))) {
            error = "reading \"" + path + "\" was cancelled";
            return nullptr;
        }
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
    if (static_cast<std::uint64_t>(st.st_size) != size_ || !SameTime(st.st_mtim, modified_)) {
        error = "the file \"" + path_ + "\" changed on disk after it was opened";
        return false;
    }
    std::uint64_t begin = starts_[index];
    std::uint64_t end = index + 1 < starts_.size() ? starts_[index + 1] : size_;
    text.resize(static_cast<std::size_t>(end - begin));
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t got =
            ::pread(fd_, &text[done], text.size() - done, static_cast<off_t>(begin + done));
        if (got < 0) {
            if (errno == EINTR) continue;
            error = SystemError("cannot read", path_, errno);
            return false;
        }
        if (got == 0) {
            error = "the file \"" + path_ + "\" ended early; it changed after it was opened";
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace vesk
