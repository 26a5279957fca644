#pragma once
// A file written beside its target and put in the target's place in one rename once it is
// complete and on disk. Until then the target stays as it was; a file that is discarded, or
// whose writer dies, leaves nothing behind where the system allows a file without a name.

#include <string>

namespace vesk {

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();  // discards what was not committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Opens the new file in the target's folder. A target that is a symbolic link is replaced
    // through it; an existing target must be writable, and its mode and owner carry over.
    bool Create(const std::string& target, std::string& error);
    int Fd() const { return fd_; }
    // Flushes the new file to disk and puts it in the target's place.
    bool Commit(std::string& error);
    // Closes and removes the new file.
    void Discard();

private:
    bool NameTemporary(std::string& error);

    int fd_ = -1;
    std::string shownName_;  // the target as the caller named it, for messages
    std::string target_;     // with a symbolic link followed
    std::string directory_;
    std::string tempPath_;  // the new file's name; empty while it has none
};

}  // namespace vesk
