#include "vesk_AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace vesk {

namespace {

std::string Failure(const char* what, const std::string& path, int err) {
    return std::string(what) + " \"" + path + "\": " + std::strerror(err);
}

std::string FollowLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string HiddenNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string directory = DirectoryOf(path);
    return (directory == "/" ? "" : directory) + "/." + base + "." + std::to_string(::getpid()) +
           "." + std::to_string(counter++) + ".tmp";
}

// Writing is allowed unless the file exists and may not be written.
bool MayReplace(const std::string& target, struct stat& existing, bool& exists,
                std::string& error) {
    exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists) return true;
    if (!S_ISREG(existing.st_mode)) {
        error = "\"" + target + "\" is not a regular file";
        return false;
    }
    if (::access(target.c_str(), W_OK) != 0) {
        error = Failure("cannot write", target, errno);
        return false;
    }
    return true;
}

}  // namespace

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Create(const std::string& target, std::string& error) {
    Discard();
    shownName_ = target;
    target_ = FollowLink(target);
    directory_ = DirectoryOf(target_);
    struct stat existing {};
    bool exists = false;
    if (!MayReplace(target_, existing, exists, error)) return false;
#ifdef O_TMPFILE
    // A file without a name vanishes with its writer, whatever kills it; it is named only when
    // complete, through /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(directory_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            error = Failure("cannot create", shownName_, errno);
            return false;
        }
    }
#endif
    if (fd_ < 0) {
        std::string name = HiddenNameBeside(target_);
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            error = Failure("cannot create", shownName_, errno);
            return false;
        }
        tempPath_ = std::move(name);
    }
    if (exists) {
        // Best effort: the user's file keeps its mode and, where allowed, its owner.
        const bool modeKept = ::fchmod(fd_, existing.st_mode & 07777) == 0;
        const bool ownerKept = ::fchown(fd_, existing.st_uid, existing.st_gid) == 0;
        (void)modeKept;
        (void)ownerKept;
    }
    return true;
}

bool AtomicFile::NameTemporary(std::string& error) {
    if (!tempPath_.empty()) return true;
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = HiddenNameBeside(target_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempPath_ = std::move(name);
            return true;
        }
        if (errno != EEXIST) break;
    }
    error = Failure("cannot write", shownName_, errno);
    return false;
}

bool AtomicFile::Commit(std::string& error) {
    if (fd_ < 0) {
        error = "\"" + shownName_ + "\" is not open for writing";
        return false;
    }
    if (::fsync(fd_) != 0) {
        error = Failure("cannot write", shownName_, errno);
        Discard();
        return false;
    }
    if (!NameTemporary(error)) {
        Discard();
        return false;
    }
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        error = Failure("cannot replace", shownName_, errno);
        Discard();
        return false;
    }
    tempPath_.clear();
    ::close(fd_);
    fd_ = -1;
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace vesk
