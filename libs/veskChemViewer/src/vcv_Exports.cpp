// The C exports: handles, configurations, and the guard around every call.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "vcv_Document.h"
#include "vcv_Errors.h"
#include "vcv_Records.h"
#include "veskChemViewer.h"

namespace vcv {
namespace {

struct View {
    // One call at a time per handle: configuring re-labels the document that drawing reads.
    std::mutex Busy;
    std::unique_ptr<Document> Doc;
    bool Reaction = false;
    MolRecordBytes MolRecord{};
    RxnRecordBytes RxnRecord{};
};

// A view looked up for one call, held busy until the call is done.
class LockedView {
public:
    explicit LockedView(std::shared_ptr<View> view) : View_(std::move(view)), Lock_(View_->Busy) {}
    View* operator->() const { return View_.get(); }
    View& operator*() const { return *View_; }

private:
    std::shared_ptr<View> View_;
    std::unique_lock<std::mutex> Lock_;
};

// Handles are numbers that are never reused, so a stale or invented handle is recognised.
// Holding views by shared_ptr keeps one alive for a call that looked it up even if another
// thread destroys the handle meanwhile. Different handles are used side by side on any
// threads; calls on one handle take turns.
class Registry {
public:
    uintptr_t Add(std::shared_ptr<View> view) {
        std::lock_guard<std::mutex> lock(Mutex_);
        const uintptr_t handle = Next_++;
        Views_.emplace(handle, std::move(view));
        return handle;
    }
    LockedView Find(uintptr_t handle, bool reaction) {
        std::shared_ptr<View> view;
        {
            std::lock_guard<std::mutex> lock(Mutex_);
            const auto it = Views_.find(handle);
            if (it != Views_.end()) view = it->second;
        }
        CheckKind(view, handle, reaction);
        return LockedView(std::move(view));
    }
    void Remove(uintptr_t handle, bool reaction) {
        std::shared_ptr<View> view;  // released outside the lock
        std::lock_guard<std::mutex> lock(Mutex_);
        const auto it = Views_.find(handle);
        CheckKind(it == Views_.end() ? nullptr : it->second, handle, reaction);
        view = std::move(it->second);
        Views_.erase(it);
    }

private:
    static void CheckKind(const std::shared_ptr<View>& view, uintptr_t handle, bool reaction) {
        if (!view)
            Fail(VESK_VIEWER_ERR_HANDLE, "invalid handle",
                 "no object with handle " + std::to_string(handle));
        if (view->Reaction != reaction) {
            Fail(VESK_VIEWER_ERR_HANDLE, "invalid handle",
                 reaction ? "a molecule handle where a reaction handle is expected"
                          : "a reaction handle where a molecule handle is expected");
        }
    }

    std::mutex Mutex_;
    std::unordered_map<uintptr_t, std::shared_ptr<View>> Views_;
    uintptr_t Next_ = 1;
};

Registry& Views() {
    static Registry registry;
    return registry;
}

struct Defaults {
    std::mutex Mutex;
    MolRecordBytes Mol = DefaultMolRecord();
    RxnRecordBytes Rxn = DefaultRxnRecord();
};

Defaults& TheDefaults() {
    static Defaults defaults;
    return defaults;
}

template <typename T>
T& Need(T* p, const char* what) {
    if (p == nullptr)
        Fail(VESK_VIEWER_ERR_ARGUMENT, "missing argument", std::string(what) + " is NULL");
    return *p;
}

template <typename Record, size_t N>
Record AsRecord(const std::array<uint8_t, N>& bytes) {
    static_assert(sizeof(Record) == N, "record size");
    Record r;
    std::memcpy(&r, bytes.data(), N);
    return r;
}

template <size_t N, typename Record>
void Store(std::array<uint8_t, N>& bytes, const Record& r) {
    static_assert(sizeof(Record) == N, "record size");
    std::memcpy(bytes.data(), &r, N);
}

void ApplyRecord(View& v) {
    if (v.Reaction) {
        v.Doc->ApplyStyle(StyleFromMolRecord(AsRecord<TveskRxnConfigRecord>(v.RxnRecord).Molecule));
    } else {
        v.Doc->ApplyStyle(StyleFromMolRecord(AsRecord<TveskMolConfigRecord>(v.MolRecord)));
    }
}

std::string ReadTextFile(const char* fileName, bool firstRecordOnly) {
    Need(fileName, "file name");
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(fileName, "rb"), &std::fclose);
    if (!f) {
        Fail(VESK_VIEWER_ERR_FILE, "file not readable",
             std::string(fileName) + ": " + std::strerror(errno));
    }
    std::string text;
    char chunk[1 << 16];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
        const size_t searchFrom = text.size() >= 4 ? text.size() - 4 : 0;
        text.append(chunk, n);
        // An SD file may be large; a molecule needs its first record only.
        if (firstRecordOnly) {
            for (size_t p = text.find("$$$$", searchFrom); p != std::string::npos;
                 p = text.find("$$$$", p + 1)) {
                if (p == 0 || text[p - 1] == '\n' || text[p - 1] == '\r') {
                    text.resize(p);
                    return text;
                }
            }
        }
        if (text.size() > (64u << 20)) Fail(VESK_VIEWER_ERR_FILE, "file too large", fileName);
    }
    if (std::ferror(f.get())) {
        Fail(VESK_VIEWER_ERR_FILE, "file not readable",
             std::string(fileName) + ": " + std::strerror(errno));
    }
    return text;
}

int32_t Open(uintptr_t* handle, bool reaction, const char* source, bool fromFile, char* errBuf,
             int32_t errSize) {
    if (handle != nullptr) *handle = 0;
    return Guard(errBuf, errSize, [&] {
        uintptr_t& out = Need(handle, "handle");
        const std::string content =
            fromFile ? ReadTextFile(source, !reaction) : std::string(&Need(source, "text"));
        auto view = std::make_shared<View>();
        view->Reaction = reaction;
        view->Doc = reaction ? Document::OpenReaction(content) : Document::OpenMolecule(content);
        {
            Defaults& d = TheDefaults();
            std::lock_guard<std::mutex> lock(d.Mutex);
            view->MolRecord = d.Mol;
            view->RxnRecord = d.Rxn;
        }
        ApplyRecord(*view);
        out = Views().Add(std::move(view));
    });
}

int32_t DrawView(uintptr_t handle, bool reaction, const TveskRasterDC* dc, const TveskRect* rect,
                 bool hq, char* errBuf, int32_t errSize) {
    return Guard(errBuf, errSize, [&] {
        const auto view = Views().Find(handle, reaction);
        DrawIntoRaster(*view->Doc, dc, rect, hq);
    });
}

int32_t ViewRect(uintptr_t handle, bool reaction, const TveskRect* rect, int part,
                 TveskRect* result, bool hq, char* errBuf, int32_t errSize) {
    return Guard(errBuf, errSize, [&] {
        const auto view = Views().Find(handle, reaction);
        Need(result, "result rectangle") = PaintedRect(*view->Doc, rect, hq, part);
    });
}

double PixelSize(double value, const char* what) {
    if (!(value >= 0 && value <= 4096)) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "invalid size",
             std::string(what) + " " + std::to_string(value) + " outside 0 to 4096");
    }
    return value;
}

// Index of a reactant or product among all components; negative indexes are rejected there.
int PartIndex(const Document& doc, bool product, int32_t index) {
    const int count = product ? doc.ProductCount() : doc.ReactantCount();
    if (index < 0 || index >= count) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "index out of range",
             std::to_string(index) + " of " + std::to_string(count) +
                 (product ? " products" : " reactants"));
    }
    return product ? doc.ReactantCount() + index : index;
}

int32_t PartRect(uintptr_t handle, const TveskRect* rect, bool product, int32_t index,
                 TveskRect* result, bool hq, char* errBuf, int32_t errSize) {
    return Guard(errBuf, errSize, [&] {
        const auto view = Views().Find(handle, true);
        const int part = PartIndex(*view->Doc, product, index);
        Need(result, "result rectangle") = PaintedRect(*view->Doc, rect, hq, part);
    });
}

template <typename Text>
int32_t TextResult(uintptr_t handle, bool reaction, char* buffer, int32_t size, char* errBuf,
                   int32_t errSize, Text&& text) {
    return Guard(errBuf, errSize, [&] {
        const auto view = Views().Find(handle, reaction);
        WriteResult(buffer, size, text(*view->Doc));
    });
}

}  // namespace
}  // namespace vcv

using namespace vcv;

extern "C" {

// ---- Defaults ---------------------------------------------------------------------------------

int32_t GetDefaultMolFileConfiguration(TveskMolConfigRecord* Record, char* ErrBuf,
                                       int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        TveskMolConfigRecord& r = Need(Record, "record");
        CheckMolRecord(r);
        Defaults& d = TheDefaults();
        std::lock_guard<std::mutex> lock(d.Mutex);
        r = AsRecord<TveskMolConfigRecord>(d.Mol);
    });
}

int32_t GetDefaultRxnFileConfiguration(TveskRxnConfigRecord* Record, char* ErrBuf,
                                       int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        TveskRxnConfigRecord& r = Need(Record, "record");
        CheckRxnRecord(r);
        Defaults& d = TheDefaults();
        std::lock_guard<std::mutex> lock(d.Mutex);
        r = AsRecord<TveskRxnConfigRecord>(d.Rxn);
    });
}

int32_t SetDefaultMolFileConfiguration(const TveskMolConfigRecord* Record, char* ErrBuf,
                                       int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const TveskMolConfigRecord& r = Need(Record, "record");
        CheckMolRecord(r);
        Defaults& d = TheDefaults();
        std::lock_guard<std::mutex> lock(d.Mutex);
        Store(d.Mol, r);
    });
}

int32_t SetDefaultRxnFileConfiguration(const TveskRxnConfigRecord* Record, char* ErrBuf,
                                       int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const TveskRxnConfigRecord& r = Need(Record, "record");
        CheckRxnRecord(r);
        Defaults& d = TheDefaults();
        std::lock_guard<std::mutex> lock(d.Mutex);
        Store(d.Rxn, r);
    });
}

// ---- Molecules --------------------------------------------------------------------------------

int32_t OpenMolString(uintptr_t* Handle, const char* MolText, char* ErrBuf, int32_t ErrBufSize) {
    return Open(Handle, false, MolText, false, ErrBuf, ErrBufSize);
}

int32_t OpenMolFile(uintptr_t* Handle, const char* FileName, char* ErrBuf, int32_t ErrBufSize) {
    return Open(Handle, false, FileName, true, ErrBuf, ErrBufSize);
}

int32_t DestroyMolFile(uintptr_t Handle, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] { Views().Remove(Handle, false); });
}

int32_t SetMolFileConfiguration(uintptr_t Handle, const TveskMolConfigRecord* Record, char* ErrBuf,
                                int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, false);
        const TveskMolConfigRecord& r = Need(Record, "record");
        CheckMolRecord(r);
        Store(view->MolRecord, r);
        ApplyRecord(*view);
    });
}

int32_t SetMolFileDrawSizes(uintptr_t Handle, double BondLength, double MinLabelSize,
                            double LineWidth, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, false);
        DrawSizes sizes;
        sizes.BondLength = PixelSize(BondLength, "bond length");
        sizes.MinLabelSize = PixelSize(MinLabelSize, "label size");
        sizes.LineWidth = PixelSize(LineWidth, "line width");
        view->Doc->SetSizes(sizes);
    });
}

int32_t SetMolFileHighlight(uintptr_t Handle, const int32_t* Atoms, int32_t AtomCount,
                            const int32_t* Bonds, int32_t BondCount, uint32_t Colour, char* ErrBuf,
                            int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, false);
        if (AtomCount < 0 || BondCount < 0) {
            Fail(VESK_VIEWER_ERR_ARGUMENT, "invalid count",
                 std::to_string(AtomCount) + " atoms, " + std::to_string(BondCount) + " bonds");
        }
        if (AtomCount > 0) Need(Atoms, "atom list");
        if (BondCount > 0) Need(Bonds, "bond list");
        Highlight highlight;
        if (AtomCount > 0) highlight.Atoms.assign(Atoms, Atoms + AtomCount);
        if (BondCount > 0) highlight.Bonds.assign(Bonds, Bonds + BondCount);
        highlight.Colour = Colour & 0x00FFFFFFu;
        view->Doc->SetHighlight(std::move(highlight));
    });
}

int32_t DrawMolFile(uintptr_t Handle, const TveskRasterDC* DC, const TveskRect* Rect, char* ErrBuf,
                    int32_t ErrBufSize) {
    return DrawView(Handle, false, DC, Rect, false, ErrBuf, ErrBufSize);
}

int32_t DrawMolFileHQ(uintptr_t Handle, const TveskRasterDC* DC, const TveskRect* Rect,
                      char* ErrBuf, int32_t ErrBufSize) {
    return DrawView(Handle, false, DC, Rect, true, ErrBuf, ErrBufSize);
}

int32_t GetMolFileRect(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result, char* ErrBuf,
                       int32_t ErrBufSize) {
    return ViewRect(Handle, false, Rect, -1, Result, false, ErrBuf, ErrBufSize);
}

int32_t GetMolFileRectHQ(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result, char* ErrBuf,
                         int32_t ErrBufSize) {
    return ViewRect(Handle, false, Rect, -1, Result, true, ErrBuf, ErrBufSize);
}

int32_t GetMolFileFormula(uintptr_t Handle, char* Buffer, int32_t BufferSize, char* ErrBuf,
                          int32_t ErrBufSize) {
    return TextResult(Handle, false, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.Formula(false); });
}

int32_t GetMolFileFormulaEx(uintptr_t Handle, char* Buffer, int32_t BufferSize, char* ErrBuf,
                            int32_t ErrBufSize) {
    return TextResult(Handle, false, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.Formula(true); });
}

int32_t GetMolFileMassAsDouble(uintptr_t Handle, double* Mass, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, false);
        Need(Mass, "mass") = view->Doc->Mass();
    });
}

int32_t GetMolFileMass(uintptr_t Handle, char* Buffer, int32_t BufferSize, char* ErrBuf,
                       int32_t ErrBufSize) {
    return TextResult(Handle, false, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.MassText(2); });
}

int32_t GetMolFileMassEx(uintptr_t Handle, int32_t Decimals, char* Buffer, int32_t BufferSize,
                         char* ErrBuf, int32_t ErrBufSize) {
    return TextResult(Handle, false, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [=](const Document& d) { return d.MassText(Decimals); });
}

int32_t GetMolFileCompositionString(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                    char* ErrBuf, int32_t ErrBufSize) {
    return TextResult(Handle, false, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.Composition(); });
}

int32_t GetMolFileStoichiometryFactor(uintptr_t Handle, int32_t* Factor, char* ErrBuf,
                                      int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, false);
        Need(Factor, "factor") = view->Doc->MoleculeFactor();
    });
}

int32_t RemoveMolFileStoichiometryFactor(uintptr_t Handle, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize,
                 [&] { Views().Find(Handle, false)->Doc->RemoveMoleculeFactor(); });
}

// ---- Reactions --------------------------------------------------------------------------------

int32_t OpenRxnString(uintptr_t* Handle, const char* RxnText, char* ErrBuf, int32_t ErrBufSize) {
    return Open(Handle, true, RxnText, false, ErrBuf, ErrBufSize);
}

int32_t OpenRxnFile(uintptr_t* Handle, const char* FileName, char* ErrBuf, int32_t ErrBufSize) {
    return Open(Handle, true, FileName, true, ErrBuf, ErrBufSize);
}

int32_t DestroyRxnFile(uintptr_t Handle, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] { Views().Remove(Handle, true); });
}

int32_t SetRxnFileConfiguration(uintptr_t Handle, const TveskRxnConfigRecord* Record, char* ErrBuf,
                                int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, true);
        const TveskRxnConfigRecord& r = Need(Record, "record");
        CheckRxnRecord(r);
        Store(view->RxnRecord, r);
        ApplyRecord(*view);
    });
}

int32_t DrawRxnFile(uintptr_t Handle, const TveskRasterDC* DC, const TveskRect* Rect, char* ErrBuf,
                    int32_t ErrBufSize) {
    return DrawView(Handle, true, DC, Rect, false, ErrBuf, ErrBufSize);
}

int32_t DrawRxnFileHQ(uintptr_t Handle, const TveskRasterDC* DC, const TveskRect* Rect,
                      char* ErrBuf, int32_t ErrBufSize) {
    return DrawView(Handle, true, DC, Rect, true, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileReactantCount(uintptr_t Handle, int32_t* Count, char* ErrBuf,
                                int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, true);
        Need(Count, "count") = view->Doc->ReactantCount();
    });
}

int32_t GetRxnFileProductCount(uintptr_t Handle, int32_t* Count, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, true);
        Need(Count, "count") = view->Doc->ProductCount();
    });
}

int32_t GetRxnFileRect(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result, char* ErrBuf,
                       int32_t ErrBufSize) {
    return ViewRect(Handle, true, Rect, -1, Result, false, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileReactantRect(uintptr_t Handle, const TveskRect* Rect, int32_t Index,
                               TveskRect* Result, char* ErrBuf, int32_t ErrBufSize) {
    return PartRect(Handle, Rect, false, Index, Result, false, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileProductRect(uintptr_t Handle, const TveskRect* Rect, int32_t Index,
                              TveskRect* Result, char* ErrBuf, int32_t ErrBufSize) {
    return PartRect(Handle, Rect, true, Index, Result, false, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileRectHQ(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result, char* ErrBuf,
                         int32_t ErrBufSize) {
    return ViewRect(Handle, true, Rect, -1, Result, true, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileReactantRectHQ(uintptr_t Handle, const TveskRect* Rect, int32_t Index,
                                 TveskRect* Result, char* ErrBuf, int32_t ErrBufSize) {
    return PartRect(Handle, Rect, false, Index, Result, true, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileProductRectHQ(uintptr_t Handle, const TveskRect* Rect, int32_t Index,
                                TveskRect* Result, char* ErrBuf, int32_t ErrBufSize) {
    return PartRect(Handle, Rect, true, Index, Result, true, ErrBuf, ErrBufSize);
}

int32_t GetRxnFileFormula(uintptr_t Handle, char* Buffer, int32_t BufferSize, char* ErrBuf,
                          int32_t ErrBufSize) {
    return TextResult(Handle, true, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.Formula(false); });
}

int32_t GetRxnFileFormulaEx(uintptr_t Handle, char* Buffer, int32_t BufferSize, char* ErrBuf,
                            int32_t ErrBufSize) {
    return TextResult(Handle, true, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.Formula(true); });
}

int32_t GetRxnFileMassAsDouble(uintptr_t Handle, double* Mass, char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, true);
        Need(Mass, "mass") = view->Doc->Mass();
    });
}

int32_t GetRxnFileMass(uintptr_t Handle, char* Buffer, int32_t BufferSize, char* ErrBuf,
                       int32_t ErrBufSize) {
    return TextResult(Handle, true, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.MassText(2); });
}

int32_t GetRxnFileMassEx(uintptr_t Handle, int32_t Decimals, char* Buffer, int32_t BufferSize,
                         char* ErrBuf, int32_t ErrBufSize) {
    return TextResult(Handle, true, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [=](const Document& d) { return d.MassText(Decimals); });
}

int32_t GetRxnFileCompositionString(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                    char* ErrBuf, int32_t ErrBufSize) {
    return TextResult(Handle, true, Buffer, BufferSize, ErrBuf, ErrBufSize,
                      [](const Document& d) { return d.Composition(); });
}

int32_t GetRxnFileStoichiometryFactor(uintptr_t Handle, int32_t Index, int32_t* Factor,
                                      char* ErrBuf, int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] {
        const auto view = Views().Find(Handle, true);
        const int factor = view->Doc->Factor(Index);
        Need(Factor, "factor") = factor;
    });
}

int32_t SetRxnFileStoichiometryFactor(uintptr_t Handle, int32_t Index, int32_t Factor, char* ErrBuf,
                                      int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize,
                 [&] { Views().Find(Handle, true)->Doc->SetFactor(Index, Factor); });
}

int32_t RemoveRxnFileStoichiometryFactor(uintptr_t Handle, int32_t Index, char* ErrBuf,
                                         int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&] { Views().Find(Handle, true)->Doc->SetFactor(Index, 1); });
}

}  // extern "C"
