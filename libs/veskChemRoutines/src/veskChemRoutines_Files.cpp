// The C entry points for SD files: reading by index or in sequence, and writing. Each one
// validates its handles and arguments, runs its body inside Guard and reports failures through
// ErrBuf.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "veskChemRoutines.h"
#include "vesk_AtomicFile.h"
#include "vesk_Exports.h"
#include "vesk_Molecule.h"
#include "vesk_SDFile.h"
#include "vesk_SDRecord.h"

namespace vesk {
namespace {

struct FileObject {
    std::unique_ptr<SDFile> file;
    std::mutex mutex;  // guards `next`
    std::size_t next = 0;
};

// Writes into a file that has no name yet (or a hidden temporary one) beside the target, which
// it replaces only when it is complete; see vesk_AtomicFile.h.
struct ProducerObject {
    std::mutex mutex;
    int fd = -1;
    std::string path;  // the target, as the user named it
    AtomicFile file;
    std::string pending;                   // records not yet handed to the system
    std::vector<std::size_t> pendingEnds;  // where each pending record ends
    std::size_t flushedRecords = 0;
    std::string openLineEnd;  // the last record ended without one
    std::string failure;      // first write error; later calls report it again
};

constexpr std::size_t kProducerFlushSize = 1 << 20;

// ---- reading records ----

// Hands a split record out as a molecule handle and an item list handle.
void IssueRecordHandles(SDRecord& record, std::uintptr_t* molHandle, std::uintptr_t* listHandle) {
    auto list = std::make_shared<DataListObject>();
    list->items.reserve(record.items.size());
    for (const SDItem& item : record.items) {
        auto data = std::make_shared<SDDataItem>();
        data->name.assign(item.name.data(), item.name.size());
        data->lines.reserve(item.lines.size());
        for (std::string_view line : item.lines) data->lines.emplace_back(line);
        list->items.push_back(std::move(data));
    }
    auto molecule = std::make_shared<Molecule>(std::move(record.molBlock), 0);
    *molHandle = Handles<Molecule>().Add(std::move(molecule));
    *listHandle = Handles<DataListObject>().Add(std::move(list));
}

std::string RecordError(const FileObject& file, std::size_t index, const std::string& why) {
    return "record " + std::to_string(index + 1) + " of " + std::to_string(file.file->Count()) +
           " (byte " + std::to_string(file.file->RecordStart(index)) + "): " + why;
}

bool ReadEntry(FileObject& file, std::size_t index, std::uintptr_t* molHandle,
               std::uintptr_t* listHandle, std::string& error) {
    std::string text;
    SDRecord record;
    std::string why;
    if (!file.file->ReadRecord(index, text, why) || !SplitSDRecord(text, record, why)) {
        error = RecordError(file, index, why);
        return false;
    }
    IssueRecordHandles(record, molHandle, listHandle);
    return true;
}

// A malloc'ed, zero-terminated copy for the caller to free.
char* MallocCopy(std::string_view text, std::string& error) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) {
        error = "out of memory";
        return nullptr;
    }
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

// The record (counted from 1) whose bytes hold position `done` of the pending text.
std::size_t RecordAt(const ProducerObject& producer, std::size_t done) {
    const auto found =
        std::upper_bound(producer.pendingEnds.begin(), producer.pendingEnds.end(), done);
    return producer.flushedRecords +
           static_cast<std::size_t>(found - producer.pendingEnds.begin()) + 1;
}

bool Flush(ProducerObject& producer, std::string& error) {
    std::size_t done = 0;
    while (done < producer.pending.size()) {
        ssize_t n =
            ::write(producer.fd, producer.pending.data() + done, producer.pending.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            producer.failure = "cannot write record " + std::to_string(RecordAt(producer, done)) +
                               " to \"" + producer.path +
                               "\": " + std::strerror(n < 0 ? errno : ENOSPC);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    producer.flushedRecords += producer.pendingEnds.size();
    producer.pending.clear();
    producer.pendingEnds.clear();
    if (!producer.failure.empty()) {
        error = producer.failure;
        return false;
    }
    return true;
}

// Appends one record through `append` (which fills the pending text or fails and leaves it
// as it was) and flushes when enough has gathered.
template <typename Append>
bool AddRecord(std::uintptr_t handle, std::string& error, Append&& append) {
    auto producer = Lookup<ProducerObject>(handle, "SD file producer", error);
    if (!producer) return false;
    std::lock_guard<std::mutex> lock(producer->mutex);
    if (producer->fd < 0) {  // closed by another thread meanwhile
        error = "the SD file producer is closed";
        return false;
    }
    if (!producer->failure.empty()) {
        error = producer->failure;
        return false;
    }
    const std::size_t before = producer->pending.size();
    // A record that ended without a line end is closed before the next one starts.
    if (!producer->openLineEnd.empty()) producer->pending += producer->openLineEnd;
    std::string openLineEnd;
    if (!append(producer->pending, openLineEnd)) {
        producer->pending.resize(before);
        return false;
    }
    producer->openLineEnd = openLineEnd;
    producer->pendingEnds.push_back(producer->pending.size());
    if (producer->pending.size() >= kProducerFlushSize) return Flush(*producer, error);
    return true;
}

// The items of a list handle (none for 0), as the writer reads them.
bool ListItems(std::uintptr_t listHandle, std::vector<std::shared_ptr<SDDataItem>>& items,
               std::string& error) {
    if (listHandle == 0) return true;
    auto list = Lookup<DataListObject>(listHandle, "data list", error);
    if (!list) return false;
    std::lock_guard<std::mutex> lock(list->mutex);
    items = list->items;  // items are not changed in place once shared
    return true;
}

bool AddComposedRecord(std::uintptr_t producer, std::uintptr_t molHandle,
                       std::int32_t writeMolecule, std::uintptr_t listHandle, SDWriteStyle style,
                       std::string& error) {
    std::string block = kEmptyMolBlock;
    style.keepOriginalMolecule = writeMolecule == VESK_WRITE_ORIGINAL_MOLECULE;
    if (style.keepOriginalMolecule && style.original.empty()) {
        error = "no original record text to take the molecule from";
        return false;
    }
    if (writeMolecule == VESK_WRITE_MOLECULE && molHandle != 0) {
        auto molecule = Lookup<Molecule>(molHandle, "molecule", error);
        if (!molecule || !MolBlockForWriting(molecule->Text(), block, error)) return false;
    }
    std::vector<std::shared_ptr<SDDataItem>> items;
    if (!ListItems(listHandle, items, error)) return false;
    std::vector<const SDDataItem*> views;
    views.reserve(items.size());
    for (const auto& item : items) views.push_back(item.get());
    return AddRecord(producer, error, [&](std::string& out, std::string&) {
        return AppendSDRecord(out, block, views, error, style);
    });
}

}  // namespace
}  // namespace vesk

using namespace vesk;

// ---- reading files ----

namespace {

struct ProgressRelay {
    TveskProgressCallback callback;
    void* userData;
};

bool RelayProgress(int percent, void* context) {
    auto* relay = static_cast<ProgressRelay*>(context);
    return relay->callback(static_cast<std::int32_t>(percent), relay->userData) != 0;
}

std::int32_t OpenFile(std::uintptr_t* FileHandle, const char* FileName, void* UserData,
                      TveskProgressCallback Callback, char* ErrBuf, std::int32_t ErrBufSize) {
    if (FileHandle) *FileHandle = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(FileHandle, "FileHandle", error)) return false;
        if (!FileName || !*FileName) {
            error = "no file name given";
            return false;
        }
        ProgressRelay relay{Callback, UserData};
        auto object = std::make_shared<FileObject>();
        object->file = SDFile::Open(FileName, Callback ? RelayProgress : nullptr, &relay, error);
        if (!object->file) return false;
        *FileHandle = Handles<FileObject>().Add(std::move(object));
        return true;
    });
}

}  // namespace

extern "C" std::int32_t OpenSDFile(std::uintptr_t* FileHandle, const char* FileName, char* ErrBuf,
                                   std::int32_t ErrBufSize) {
    return OpenFile(FileHandle, FileName, nullptr, nullptr, ErrBuf, ErrBufSize);
}

extern "C" std::int32_t OpenSDFileRA3(std::uintptr_t* FileHandle, const char* FileName,
                                      void* UserData, TveskProgressCallback Callback, char* ErrBuf,
                                      std::int32_t ErrBufSize) {
    return OpenFile(FileHandle, FileName, UserData, Callback, ErrBuf, ErrBufSize);
}

extern "C" std::int32_t GetSDFileEntryCountRA(std::uintptr_t FileHandle, std::int32_t* Count,
                                              char* ErrBuf, std::int32_t ErrBufSize) {
    if (Count) *Count = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Count, "Count", error)) return false;
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        if (!file) return false;
        if (file->file->Count() > static_cast<std::size_t>(INT32_MAX)) {
            error = "the file holds more records than can be counted";
            return false;
        }
        *Count = static_cast<std::int32_t>(file->file->Count());
        return true;
    });
}

extern "C" std::int32_t GetSDFileEntryRA(std::uintptr_t FileHandle, std::int32_t Index_,
                                         std::uintptr_t* MolHandle, std::int32_t Reserved_,
                                         std::uintptr_t* DataEntryList, char* ErrBuf,
                                         std::int32_t ErrBufSize) {
    if (MolHandle) *MolHandle = 0;
    if (DataEntryList) *DataEntryList = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(MolHandle, "MolHandle", error) || !Out(DataEntryList, "DataEntryList", error) ||
            !Reserved(Reserved_, "Reserved", error)) {
            return false;
        }
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        return file && Index(Index_, file->file->Count(), "record", error) &&
               ReadEntry(*file, static_cast<std::size_t>(Index_), MolHandle, DataEntryList, error);
    });
}

extern "C" std::int32_t GetSDFileEntryTextRA(std::uintptr_t FileHandle, std::int32_t Index_,
                                             char** Text, std::int32_t* Length, char* ErrBuf,
                                             std::int32_t ErrBufSize) {
    if (Text) *Text = nullptr;
    if (Length) *Length = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Text, "Text", error) || !Out(Length, "Length", error)) return false;
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        if (!file || !Index(Index_, file->file->Count(), "record", error)) return false;
        std::string text;
        std::string why;
        const auto index = static_cast<std::size_t>(Index_);
        if (!file->file->ReadRecord(index, text, why)) {
            error = RecordError(*file, index, why);
            return false;
        }
        if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
            error = RecordError(*file, index, "the record is larger than 2 GiB");
            return false;
        }
        char* copy = MallocCopy(text, error);
        if (!copy) return false;
        *Text = copy;
        *Length = static_cast<std::int32_t>(text.size());
        return true;
    });
}

namespace {

// The record taken apart, in the layout ReadSDFileEntryRA documents. Packing runs twice: once
// counting the bytes, once writing them into one buffer of that size, so the caller's buffer is
// allocated once and filled without copies.
class TPacker {
public:
    explicit TPacker(char* out = nullptr) : out_(out) {}
    void Int(std::int32_t value) { Raw(&value, sizeof value); }
    void Double(double value) { Raw(&value, sizeof value); }
    void Text(std::string_view text) {
        Int(static_cast<std::int32_t>(text.size()));
        Raw(text.data(), text.size());
    }
    std::size_t Size() const { return size_; }

private:
    void Raw(const void* data, std::size_t size) {
        if (out_ != nullptr && size > 0) std::memcpy(out_ + size_, data, size);
        size_ += size;
    }
    char* out_;
    std::size_t size_ = 0;
};

// What goes into the packed record.
struct PackedRecord {
    bool split = false;
    std::string why;
    SDRecord record;
    std::int32_t formulaStatus = -1;
    std::string formula;  // or why it failed
    double mass = 0.0;
};

void Pack(TPacker& packer, const PackedRecord& parts) {
    if (!parts.split) {
        packer.Int(0);
        packer.Text(parts.why);
        return;
    }
    packer.Int(1);
    packer.Text(parts.record.molBlock);
    packer.Int(parts.formulaStatus);
    packer.Text(parts.formula);
    packer.Double(parts.mass);
    packer.Int(static_cast<std::int32_t>(parts.record.items.size()));
    for (const SDItem& item : parts.record.items) {
        packer.Text(item.name);
        packer.Int(static_cast<std::int32_t>(item.lines.size()));
        for (std::string_view line : item.lines) packer.Text(line);
    }
}

// The record taken apart, its formula and mass computed when asked for. The molecule is gone
// before the caller's buffers are made: made among its allocations, they left the heap more
// fragmented, and a sheet that keeps every record read needed more memory.
void PrepareRecord(std::string_view text, bool withFormula, PackedRecord& parts) {
    parts.split = SplitSDRecord(text, parts.record, parts.why);
    if (!parts.split || !withFormula) return;
    Molecule molecule(parts.record.molBlock, 0);
    std::string formula, why;
    double mass = 0.0;
    const bool ok = molecule.Formula(formula, why) && molecule.Mass(mass, why);
    parts.formulaStatus = ok ? 1 : 0;
    parts.formula = ok ? std::move(formula) : std::move(why);
    parts.mass = ok ? mass : 0.0;
}

std::size_t PackedSize(const PackedRecord& parts) {
    TPacker counter;
    Pack(counter, parts);
    return counter.Size();
}

// The packed record in a malloc'ed buffer of `size` bytes and a zero byte; null when memory
// runs out.
char* PackRecord(const PackedRecord& parts, std::size_t size) {
    char* packed = static_cast<char*>(std::malloc(size + 1));
    if (!packed) return nullptr;
    TPacker writer(packed);
    Pack(writer, parts);
    packed[size] = '\0';
    return packed;
}

}  // namespace

extern "C" std::int32_t ReadSDFileEntryRA(std::uintptr_t FileHandle, std::int32_t Index_,
                                          std::int32_t Flags, char** Text, std::int32_t* TextLength,
                                          char** Packed, std::int32_t* PackedLength, char* ErrBuf,
                                          std::int32_t ErrBufSize) {
    if (Text) *Text = nullptr;
    if (TextLength) *TextLength = 0;
    if (Packed) *Packed = nullptr;
    if (PackedLength) *PackedLength = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Text, "Text", error) || !Out(TextLength, "TextLength", error) ||
            !Out(Packed, "Packed", error) || !Out(PackedLength, "PackedLength", error)) {
            return false;
        }
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        if (!file || !Index(Index_, file->file->Count(), "record", error)) return false;
        const auto index = static_cast<std::size_t>(Index_);
        std::string text;
        std::string why;
        if (!file->file->ReadRecord(index, text, why)) {
            error = RecordError(*file, index, why);
            return false;
        }
        if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
            error = RecordError(*file, index, "the record is larger than 2 GiB");
            return false;
        }
        PackedRecord parts;
        PrepareRecord(text, (Flags & VESK_READ_FORMULA) != 0, parts);
        const std::size_t packedSize = PackedSize(parts);
        if (packedSize > static_cast<std::size_t>(INT32_MAX)) {
            error = RecordError(*file, index, "the record is larger than 2 GiB");
            return false;
        }
        char* textCopy = MallocCopy(text, error);
        char* packed = textCopy ? PackRecord(parts, packedSize) : nullptr;
        if (!packed) {
            std::free(textCopy);
            error = "out of memory";
            return false;
        }
        *Text = textCopy;
        *TextLength = static_cast<std::int32_t>(text.size());
        *Packed = packed;
        *PackedLength = static_cast<std::int32_t>(packedSize);
        return true;
    });
}

extern "C" std::int32_t OpenSDFileEntryText(const char* Text, std::int32_t Length,
                                            std::uintptr_t* MolHandle, std::int32_t Reserved_,
                                            std::uintptr_t* DataEntryList, char* ErrBuf,
                                            std::int32_t ErrBufSize) {
    if (MolHandle) *MolHandle = 0;
    if (DataEntryList) *DataEntryList = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(MolHandle, "MolHandle", error) || !Out(DataEntryList, "DataEntryList", error) ||
            !Reserved(Reserved_, "Reserved", error)) {
            return false;
        }
        if (Length <= 0 || !Text) {
            error = "no record text given";
            return false;
        }
        SDRecord record;
        if (!SplitSDRecord(std::string_view(Text, static_cast<std::size_t>(Length)), record, error))
            return false;
        IssueRecordHandles(record, MolHandle, DataEntryList);
        return true;
    });
}

extern "C" std::int32_t SDFileEndReached(std::uintptr_t FileHandle, std::uint8_t* EndReached,
                                         char* ErrBuf, std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(EndReached, "EndReached", error)) return false;
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        if (!file) return false;
        std::lock_guard<std::mutex> lock(file->mutex);
        *EndReached = file->next >= file->file->Count() ? 1 : 0;
        return true;
    });
}

extern "C" std::int32_t GetNextSDFileEntry(std::uintptr_t FileHandle, std::uintptr_t* MolHandle,
                                           std::int32_t Reserved_, std::uintptr_t* DataEntryList,
                                           char* ErrBuf, std::int32_t ErrBufSize) {
    if (MolHandle) *MolHandle = 0;
    if (DataEntryList) *DataEntryList = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(MolHandle, "MolHandle", error) || !Out(DataEntryList, "DataEntryList", error) ||
            !Reserved(Reserved_, "Reserved", error)) {
            return false;
        }
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        if (!file) return false;
        std::size_t index;
        {
            std::lock_guard<std::mutex> lock(file->mutex);
            if (file->next >= file->file->Count()) {
                error = "no record left to read";
                return false;
            }
            index = file->next++;
        }
        return ReadEntry(*file, index, MolHandle, DataEntryList, error);
    });
}

extern "C" std::int32_t GetSDFileProgress(std::uintptr_t FileHandle, double* Progress, char* ErrBuf,
                                          std::int32_t ErrBufSize) {
    if (Progress) *Progress = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Progress, "Progress", error)) return false;
        auto file = Lookup<FileObject>(FileHandle, "SD file", error);
        if (!file) return false;
        std::lock_guard<std::mutex> lock(file->mutex);
        const SDFile& f = *file->file;
        *Progress = file->next >= f.Count()
                        ? 100.0
                        : 100.0 * static_cast<double>(f.RecordStart(file->next)) /
                              static_cast<double>(f.Size());
        return true;
    });
}

extern "C" std::int32_t DestroySDFile(std::uintptr_t FileHandle, char* ErrBuf,
                                      std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        return Release<FileObject>(FileHandle, "SD file", error);
    });
}

// ---- writing files ----

extern "C" std::int32_t CreateNewSDFile(std::uintptr_t* Producer, const char* FileName,
                                        char* ErrBuf, std::int32_t ErrBufSize) {
    if (Producer) *Producer = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Producer, "Producer", error)) return false;
        if (!FileName || !*FileName) {
            error = "no file name given";
            return false;
        }
        auto producer = std::make_shared<ProducerObject>();
        producer->path = FileName;
        if (!producer->file.Create(producer->path, error)) return false;
        producer->fd = producer->file.Fd();
        *Producer = Handles<ProducerObject>().Add(std::move(producer));
        return true;
    });
}

extern "C" std::int32_t AddSDFileEntry(std::uintptr_t Producer, std::uintptr_t MolHandle,
                                       std::int32_t WriteMolecule, std::int32_t Reserved1,
                                       std::uintptr_t DataEntryList, std::int32_t Reserved2,
                                       char* ErrBuf, std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Reserved(Reserved1, "Reserved1", error) || !Reserved(Reserved2, "Reserved2", error)) {
            return false;
        }
        if (WriteMolecule == VESK_WRITE_ORIGINAL_MOLECULE) {
            error = "AddSDFileEntry has no original record text; use AddSDFileEntryEx";
            return false;
        }
        return AddComposedRecord(Producer, MolHandle, WriteMolecule, DataEntryList, SDWriteStyle(),
                                 error);
    });
}

extern "C" std::int32_t AddSDFileEntryEx(std::uintptr_t Producer, std::uintptr_t MolHandle,
                                         std::int32_t WriteMolecule, std::uintptr_t DataEntryList,
                                         const char* OrgText, std::int32_t OrgLength,
                                         std::int32_t LineEnds, char* ErrBuf,
                                         std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (OrgLength < 0 || (OrgLength > 0 && !OrgText)) {
            error = "OrgText and OrgLength do not fit together";
            return false;
        }
        if (LineEnds != VESK_LINE_ENDS_LF && LineEnds != VESK_LINE_ENDS_CRLF) {
            error = "LineEnds must be VESK_LINE_ENDS_LF or VESK_LINE_ENDS_CRLF";
            return false;
        }
        SDWriteStyle style;
        style.original =
            std::string_view(OrgText ? OrgText : "", static_cast<std::size_t>(OrgLength));
        style.crlf = LineEnds == VESK_LINE_ENDS_CRLF;
        return AddComposedRecord(Producer, MolHandle, WriteMolecule, DataEntryList, style, error);
    });
}

extern "C" std::int32_t AddSDFileEntryText(std::uintptr_t Producer, const char* Text,
                                           std::int32_t Length, char* ErrBuf,
                                           std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (Length <= 0 || !Text) {
            error = "no record text given";
            return false;
        }
        const std::string_view text(Text, static_cast<std::size_t>(Length));
        return AddRecord(Producer, error, [&](std::string& out, std::string& openLineEnd) {
            if (AppendRecordText(out, text)) openLineEnd = UsesCrLf(text) ? "\r\n" : "\n";
            return true;
        });
    });
}

extern "C" std::int32_t DestroySDFileProducer(std::uintptr_t Producer, char* ErrBuf,
                                              std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto producer = Handles<ProducerObject>().Remove(Producer);
        if (!Producer || !producer) {
            error = "invalid SD file producer handle " + std::to_string(Producer);
            return false;
        }
        std::lock_guard<std::mutex> lock(producer->mutex);
        const bool flushed = producer->failure.empty() && Flush(*producer, error);
        producer->fd = -1;
        if (!flushed) {
            error = producer->failure;
            producer->file.Discard();
            return false;
        }
        return producer->file.Commit(error);
    });
}

extern "C" std::int32_t AbortSDFileProducer(std::uintptr_t Producer, char* ErrBuf,
                                            std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto producer = Handles<ProducerObject>().Remove(Producer);
        if (!Producer || !producer) {
            error = "invalid SD file producer handle " + std::to_string(Producer);
            return false;
        }
        std::lock_guard<std::mutex> lock(producer->mutex);
        producer->fd = -1;
        producer->file.Discard();
        return true;
    });
}
