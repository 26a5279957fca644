#include "vesk_ChemView2.h"

#include <cxxabi.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <typeinfo>
#include <utility>

#include "vesk_Guard.h"
#include "vesk_Library.h"
#include "vesk_MulDiv.h"
#include "vesk_Trace.h"

const char* const ViewerLibraryName = "libveskChemViewer.so";

namespace {

// The library's own shapes of the device context and the rectangle.
struct TLibRasterDC {
    std::uint32_t* Pixels;
    std::int32_t Width;
    std::int32_t Height;
    std::int32_t StrideBytes;
};
struct TLibRect {
    std::int32_t Left, Top, Right, Bottom;
};

using TInt = std::int32_t;
using THandle = std::uintptr_t;
using TOpenMol = TInt (*)(THandle*, const char*, char*, TInt);
using TDestroyMol = TInt (*)(THandle, char*, TInt);
using TSetMolConfiguration = TInt (*)(THandle, const void*, char*, TInt);
using TDrawMol = TInt (*)(THandle, const TLibRasterDC*, const TLibRect*, char*, TInt);
using TSetMolDrawSizes = TInt (*)(THandle, double, double, double, char*, TInt);
using TSetMolHighlight = TInt (*)(THandle, const TInt*, TInt, const TInt*, TInt, std::uint32_t,
                                  char*, TInt);
using TGetDefaultConfiguration = TInt (*)(void*, char*, TInt);
using TSetDefaultConfiguration = TInt (*)(const void*, char*, TInt);

// The library is told one byte less than the buffer holds.
constexpr TInt ErrBufSizeTold = TveskChemView2::ViewErrBufSize - 1;

// Every export must be there for the pool to count as valid, also those the program does
// not call: a library without them is not the one it was built for.
constexpr const char* ExportNames[] = {"OpenMolFile",
                                       "OpenRxnFile",
                                       "OpenMolString",
                                       "OpenRxnString",
                                       "DestroyMolFile",
                                       "DestroyRxnFile",
                                       "DrawMolFile",
                                       "DrawRxnFile",
                                       "DrawMolFileHQ",
                                       "DrawRxnFileHQ",
                                       "GetDefaultMolFileConfiguration",
                                       "GetDefaultRxnFileConfiguration",
                                       "SetMolFileConfiguration",
                                       "SetRxnFileConfiguration",
                                       "SetDefaultMolFileConfiguration",
                                       "SetDefaultRxnFileConfiguration",
                                       "GetRxnFileReactantCount",
                                       "GetRxnFileProductCount",
                                       "GetMolFileRect",
                                       "GetRxnFileRect",
                                       "GetRxnFileReactantRect",
                                       "GetRxnFileProductRect",
                                       "GetMolFileRectHQ",
                                       "GetRxnFileRectHQ",
                                       "GetRxnFileReactantRectHQ",
                                       "GetRxnFileProductRectHQ",
                                       "GetMolFileFormula",
                                       "GetMolFileFormulaEx",
                                       "GetMolFileMassAsDouble",
                                       "GetMolFileMass",
                                       "GetMolFileMassEx",
                                       "GetRxnFileFormula",
                                       "GetRxnFileFormulaEx",
                                       "GetRxnFileMassAsDouble",
                                       "GetRxnFileMass",
                                       "GetRxnFileMassEx",
                                       "GetMolFileCompositionString",
                                       "GetRxnFileCompositionString",
                                       "GetMolFileStoichiometryFactor",
                                       "RemoveMolFileStoichiometryFactor",
                                       "GetRxnFileStoichiometryFactor",
                                       "SetRxnFileStoichiometryFactor",
                                       "RemoveRxnFileStoichiometryFactor"};
static_assert(sizeof ExportNames / sizeof ExportNames[0] == 43, "43 exports are required");

std::mutex LibraryFileMutex;
std::string LibraryFileOverride;

std::string LibraryFile() {
    std::lock_guard<std::mutex> lock(LibraryFileMutex);
    return LibraryFileOverride.empty() ? std::string(ViewerLibraryName) : LibraryFileOverride;
}

inline bool Succeeded(TInt result) {
    return (result & 0xFF) != 0;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A whole decimal integer in the int range, or -1.
int ParseCode(const std::string& text) {
    const std::string digits = TrimBlanks(text);
    if (digits.empty()) return -1;
    std::size_t i = (digits[0] == '-' || digits[0] == '+') ? 1 : 0;
    if (i == digits.size()) return -1;
    for (std::size_t k = i; k < digits.size(); ++k) {
        if (digits[k] < '0' || digits[k] > '9') return -1;
    }
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(digits.c_str(), &end, 10);
    if (errno != 0 || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        return -1;
    }
    return static_cast<int>(value);
}

std::string ClassName(const std::type_info& type) {
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string result = (status == 0 && name != nullptr) ? name : type.name();
    std::free(name);
    return result;
}

int CheckedInt(long long value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw std::overflow_error("margin arithmetic outside the integer range");
    }
    return static_cast<int>(value);
}

int MillimetresToPixels(int millimetres, int pixelsPerInch) {
    const double pixels = std::nearbyint(static_cast<double>(millimetres) * pixelsPerInch / 25.4);
    if (!(pixels >= std::numeric_limits<int>::min() && pixels <= std::numeric_limits<int>::max())) {
        throw std::overflow_error("margin in millimetres outside the integer range");
    }
    return static_cast<int>(pixels);
}

}  // namespace

// The resolved exports together with the library reference that keeps them valid. Shared by
// the pool and its views, so a view released after its pool still finds its library.
struct TveskChemView2Exports {
    platform::TLibraryRef Library;
    TOpenMol OpenMolString = nullptr;
    TOpenMol OpenMolFile = nullptr;
    TDestroyMol DestroyMolFile = nullptr;
    TSetMolConfiguration SetMolFileConfiguration = nullptr;
    TDrawMol DrawMolFile = nullptr;
    TDrawMol DrawMolFileHQ = nullptr;
    TSetMolDrawSizes SetMolFileDrawSizes = nullptr;  // optional
    TSetMolHighlight SetMolFileHighlight = nullptr;  // optional
    TGetDefaultConfiguration GetDefaultMolFileConfiguration = nullptr;
    TGetDefaultConfiguration GetDefaultRxnFileConfiguration = nullptr;
    TSetDefaultConfiguration SetDefaultMolFileConfiguration = nullptr;
    TSetDefaultConfiguration SetDefaultRxnFileConfiguration = nullptr;
};

void SetViewerLibraryFile(const std::string& file) {
    std::lock_guard<std::mutex> lock(LibraryFileMutex);
    LibraryFileOverride = file;
}

// ---- errors ----------------------------------------------------------------------------------

void TveskChemView2Error::Clear() {
    Code = CodeNone;
    Text.clear();
    Detail.clear();
    Message.clear();
}

bool TveskChemView2Error::ParseError(const std::string& text) {
    Message = text;
    Code = CodeNone;
    Text.clear();
    Detail.clear();
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    Code = ParseCode(text.substr(0, comma));
    const std::string rest = text.substr(comma + 1);
    const std::size_t second = rest.find(',');
    if (second == std::string::npos) {
        Text = TrimBlanks(rest);
    } else {
        Text = TrimBlanks(rest.substr(0, second));
        Detail = TrimBlanks(rest.substr(second + 1));
    }
    return true;
}

void TveskChemView2Error::JoinMessage() {
    Message = std::to_string(Code) + ", " + Text + ", " + Detail;
}

void TveskChemView2Error::SetException(const std::exception& e) {
    Code = CodeException;
    Text = "Exception " + ClassName(typeid(e));
    Detail = e.what();
    JoinMessage();
}

void TveskChemView2Error::SetUnknownException() {
    Code = CodeException;
    Text = "Exception unknown";
    Detail = "unknown exception";
    JoinMessage();
}

void TveskChemView2Error::SetNoHandle() {
    Code = CodeNoHandle;
    Text = "invalid object";
    Detail = "chemview object not defined or not valid";
    JoinMessage();
}

// ---- margins ---------------------------------------------------------------------------------

TveskChemView2Rect TveskChemView2Margins::ApplyMargins(const TveskChemView2DC& dc,
                                                       const TveskChemView2Rect& rect) const {
    using LL = long long;
    TveskChemView2Rect r = rect;
    switch (Mode) {
        case mmDeviceUnits:
            r.Left = CheckedInt(LL{r.Left} + Left);
            r.Top = CheckedInt(LL{r.Top} + Top);
            r.Right = CheckedInt(LL{r.Right} - Right);
            r.Bottom = CheckedInt(LL{r.Bottom} - Bottom);
            break;
        case mmPercent: {
            const int width = CheckedInt(LL{rect.Right} - rect.Left);
            const int height = CheckedInt(LL{rect.Bottom} - rect.Top);
            r.Left = CheckedInt(LL{r.Left} + platform::MulDiv(width, Left, 100));
            r.Top = CheckedInt(LL{r.Top} + platform::MulDiv(height, Top, 100));
            r.Right = CheckedInt(LL{r.Right} - platform::MulDiv(width, Right, 100));
            r.Bottom = CheckedInt(LL{r.Bottom} - platform::MulDiv(height, Bottom, 100));
            break;
        }
        case mmMillimeters:
            r.Left = CheckedInt(LL{r.Left} + MillimetresToPixels(Left, dc.PixelsPerInchX));
            r.Top = CheckedInt(LL{r.Top} + MillimetresToPixels(Top, dc.PixelsPerInchY));
            r.Right = CheckedInt(LL{r.Right} - MillimetresToPixels(Right, dc.PixelsPerInchX));
            r.Bottom = CheckedInt(LL{r.Bottom} - MillimetresToPixels(Bottom, dc.PixelsPerInchY));
            break;
        default:
            break;
    }
    return r;
}

// ---- views -----------------------------------------------------------------------------------

namespace {

// The rule of every view operation: an exception becomes error 101 (and a trace line) and
// the result false.
template <typename Body>
bool ViewGuarded(const char* source, TveskChemView2Error& error, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        TraceException(source, e);
        GuardedVoid(source, [&] { error.SetException(e); });
    } catch (...) {
        TraceException(source);
        GuardedVoid(source, [&] { error.SetUnknownException(); });
    }
    return false;
}

const TveskChemView2Exports& Require(const std::shared_ptr<const TveskChemView2Exports>& exports) {
    if (!exports) throw std::logic_error("structure viewer library not loaded");
    return *exports;
}

}  // namespace

TveskChemView2::TveskChemView2(std::shared_ptr<const TveskChemView2Exports> exports)
    : Error(std::make_unique<TveskChemView2Error>()),
      Margins(std::make_unique<TveskChemView2Margins>()),
      FExports(std::move(exports)) {}

TveskChemView2::~TveskChemView2() = default;

void TveskChemView2::ParseViewError(const char* exportName) {
    std::string text(ViewErrBuf, ::strnlen(ViewErrBuf, sizeof ViewErrBuf));
    // A failure must not read as "no error".
    if (TrimBlanks(text).empty()) text = std::string("-1, ") + exportName + " failed";
    Error->ParseError(text);
}

TveskMolView2::TveskMolView2(std::shared_ptr<const TveskChemView2Exports> exports,
                             const TveskChemView2MolProperties& properties)
    : TveskChemView2(std::move(exports)),
      Properties(std::make_unique<TveskChemView2MolProperties>(properties)) {}

TveskMolView2::~TveskMolView2() {
    if (FViewerHandle != 0) CloseView();
}

bool TveskMolView2::OpenMolString(const std::string& text) {
    return ViewGuarded("TveskMolView2.OpenMolString", *Error, [&] {
        Error->Clear();
        CloseView();
        const TveskChemView2Exports& lib = Require(FExports);
        ViewErrBuf[0] = '\0';
        if (Succeeded(
                lib.OpenMolString(&FViewerHandle, text.c_str(), ViewErrBuf, ErrBufSizeTold))) {
            return Configure();
        }
        FViewerHandle = 0;
        ParseViewError("OpenMolString");
        return false;
    });
}

bool TveskMolView2::OpenMolFile(const std::string& fileName) {
    return ViewGuarded("TveskMolView2.OpenMolFile", *Error, [&] {
        Error->Clear();
        CloseView();
        const TveskChemView2Exports& lib = Require(FExports);
        ViewErrBuf[0] = '\0';
        if (Succeeded(
                lib.OpenMolFile(&FViewerHandle, fileName.c_str(), ViewErrBuf, ErrBufSizeTold))) {
            return Configure();
        }
        FViewerHandle = 0;
        ParseViewError("OpenMolFile");
        return false;
    });
}

bool TveskMolView2::CloseView() {
    return ViewGuarded("TveskMolView2.CloseView", *Error, [&] {
        Error->Clear();
        FHighlightSent = false;
        if (FViewerHandle == 0) return true;
        const std::uintptr_t handle = FViewerHandle;
        // The handle is gone whatever the library answers: it is never used again.
        FViewerHandle = 0;
        const TveskChemView2Exports& lib = Require(FExports);
        ViewErrBuf[0] = '\0';
        if (Succeeded(lib.DestroyMolFile(handle, ViewErrBuf, ErrBufSizeTold))) return true;
        ParseViewError("DestroyMolFile");
        return false;
    });
}

bool TveskMolView2::Configure() {
    return ViewGuarded("TveskMolView2.Configure", *Error, [&] {
        Error->Clear();
        if (FViewerHandle == 0) {
            Error->SetNoHandle();
            return false;
        }
        const TveskChemView2Exports& lib = Require(FExports);
        MolConfigRecord record;
        Properties->WriteToRecord(record);
        ViewErrBuf[0] = '\0';
        if (!Succeeded(lib.SetMolFileConfiguration(FViewerHandle, record.Bytes.data(), ViewErrBuf,
                                                   ErrBufSizeTold))) {
            ParseViewError("SetMolFileConfiguration");
            return false;
        }
        if (lib.SetMolFileDrawSizes != nullptr) {
            ViewErrBuf[0] = '\0';
            if (!Succeeded(lib.SetMolFileDrawSizes(FViewerHandle, DrawSizes.BondLength,
                                                   DrawSizes.MinLabelSize, DrawSizes.LineWidth,
                                                   ViewErrBuf, ErrBufSizeTold))) {
                ParseViewError("SetMolFileDrawSizes");
                return false;
            }
        }
        SendHighlight(lib);
        return true;
    });
}

void TveskMolView2::SendHighlight(const TveskChemView2Exports& lib) {
    if (lib.SetMolFileHighlight == nullptr || (Highlight.Empty() && !FHighlightSent)) return;
    const auto count = [](const std::vector<std::int32_t>& v) {
        return static_cast<TInt>(std::min<std::size_t>(v.size(), 1u << 20));
    };
    ViewErrBuf[0] = '\0';
    if (Succeeded(lib.SetMolFileHighlight(
            FViewerHandle, Highlight.Atoms.data(), count(Highlight.Atoms), Highlight.Bonds.data(),
            count(Highlight.Bonds), Highlight.Colour, ViewErrBuf, ErrBufSizeTold))) {
        FHighlightSent = !Highlight.Empty();
        return;
    }
    TraceMessage("TveskMolView2.Configure", tlWarning, "%s",
                 std::string(ViewErrBuf, ::strnlen(ViewErrBuf, sizeof ViewErrBuf)).c_str());
    ViewErrBuf[0] = '\0';
}

bool TveskMolView2::CanHighlight() const {
    return FExports && FExports->SetMolFileHighlight != nullptr;
}

bool TveskMolView2::Draw(const TveskChemView2DC& dc, const TveskChemView2Rect& rect) {
    return ViewGuarded("TveskMolView2.Draw", *Error, [&] {
        Error->Clear();
        if (FViewerHandle == 0) {
            Error->SetNoHandle();
            return false;
        }
        const TveskChemView2Exports& lib = Require(FExports);
        const TveskChemView2Rect target = Margins->ApplyMargins(dc, rect);
        const TLibRasterDC surface{dc.Pixels, dc.Width, dc.Height, dc.StrideBytes};
        const TLibRect libRect{target.Left, target.Top, target.Right, target.Bottom};
        ViewErrBuf[0] = '\0';
        const TDrawMol draw = HighQuality ? lib.DrawMolFileHQ : lib.DrawMolFile;
        if (Succeeded(draw(FViewerHandle, &surface, &libRect, ViewErrBuf, ErrBufSizeTold))) {
            return true;
        }
        ParseViewError(HighQuality ? "DrawMolFileHQ" : "DrawMolFile");
        return false;
    });
}

std::string TveskMolView2::SettingsKey() const {
    return ChemView2SettingsKey(*Properties, *Margins, HighQuality);
}

bool TveskMolView2::ApplySettingsKey(const std::string& key) {
    return Guarded("TveskMolView2.ApplySettingsKey", false, [&] {
        MolConfigRecord record;
        std::int32_t tail[6] = {};
        if (key.size() != record.Bytes.size() + sizeof tail) return false;
        std::memcpy(record.Bytes.data(), key.data(), record.Bytes.size());
        std::memcpy(tail, key.data() + record.Bytes.size(), sizeof tail);
        Properties->ReadFromRecord(record);
        Margins->Mode = static_cast<std::uint8_t>(tail[0]);
        Margins->Left = tail[1];
        Margins->Top = tail[2];
        Margins->Right = tail[3];
        Margins->Bottom = tail[4];
        HighQuality = tail[5] != 0;
        return true;
    });
}

std::string ChemView2SettingsKey(const TveskChemView2MolProperties& properties,
                                 const TveskChemView2Margins& margins, bool highQuality) {
    return Guarded("ChemView2SettingsKey", std::string(), [&] {
        MolConfigRecord record;
        properties.WriteToRecord(record);
        std::string key(reinterpret_cast<const char*>(record.Bytes.data()), record.Bytes.size());
        const std::int32_t tail[] = {margins.Mode,  margins.Left,   margins.Top,
                                     margins.Right, margins.Bottom, highQuality ? 1 : 0};
        key.append(reinterpret_cast<const char*>(tail), sizeof tail);
        return key;
    });
}

// ---- pool ------------------------------------------------------------------------------------

TveskChemView2Pool::TveskChemView2Pool()
    : MolProperties(std::make_unique<TveskChemView2MolProperties>()),
      RxnProperties(std::make_unique<TveskChemView2RxnProperties>()) {
    GuardedVoid("TveskChemView2Pool.Create", [&] {
        auto exports = std::make_shared<TveskChemView2Exports>();
        exports->Library = platform::TLibraryRef(LibraryFile());
        if (!exports->Library) {
            LastError = platform::LibraryError();
            return;
        }
        bool all = true;
        for (const char* name : ExportNames) {
            if (exports->Library.Proc(name) == nullptr) {
                LastError = platform::LibraryError();
                all = false;
                break;
            }
        }
        if (!all) return;
        const platform::TLibraryRef& lib = exports->Library;
        exports->OpenMolString = reinterpret_cast<TOpenMol>(lib.Proc("OpenMolString"));
        exports->OpenMolFile = reinterpret_cast<TOpenMol>(lib.Proc("OpenMolFile"));
        exports->DestroyMolFile = reinterpret_cast<TDestroyMol>(lib.Proc("DestroyMolFile"));
        exports->SetMolFileConfiguration =
            reinterpret_cast<TSetMolConfiguration>(lib.Proc("SetMolFileConfiguration"));
        exports->DrawMolFile = reinterpret_cast<TDrawMol>(lib.Proc("DrawMolFile"));
        exports->DrawMolFileHQ = reinterpret_cast<TDrawMol>(lib.Proc("DrawMolFileHQ"));
        // Later than the required set: without it pictures are fitted, as they always were.
        exports->SetMolFileDrawSizes =
            reinterpret_cast<TSetMolDrawSizes>(lib.Proc("SetMolFileDrawSizes"));
        // Later still: without it search hits are shown unmarked.
        exports->SetMolFileHighlight =
            reinterpret_cast<TSetMolHighlight>(lib.Proc("SetMolFileHighlight"));
        exports->GetDefaultMolFileConfiguration =
            reinterpret_cast<TGetDefaultConfiguration>(lib.Proc("GetDefaultMolFileConfiguration"));
        exports->GetDefaultRxnFileConfiguration =
            reinterpret_cast<TGetDefaultConfiguration>(lib.Proc("GetDefaultRxnFileConfiguration"));
        exports->SetDefaultMolFileConfiguration =
            reinterpret_cast<TSetDefaultConfiguration>(lib.Proc("SetDefaultMolFileConfiguration"));
        exports->SetDefaultRxnFileConfiguration =
            reinterpret_cast<TSetDefaultConfiguration>(lib.Proc("SetDefaultRxnFileConfiguration"));
        FExports = std::move(exports);
        FPoolValid = true;
        ReadDefaults();
    });
    Margins = std::make_unique<TveskChemView2Margins>();
}

TveskChemView2Pool::~TveskChemView2Pool() {
    // Views still alive hold their own reference; the library goes with the last of them.
    GuardedVoid("TveskChemView2Pool.Destroy", [&] { FExports.reset(); });
}

void TveskChemView2Pool::ReadDefaults() {
    GuardedVoid("TveskChemView2Pool.ReadDefaults", [&] {
        char errBuf[TveskChemView2::ViewErrBufSize] = {};
        // Read into copies: a failed call leaves a zeroed record, and reading that would
        // replace every default by zero (no fonts, no text, hydrogens hidden).
        MolConfigRecord molRecord;
        if (Succeeded(FExports->GetDefaultMolFileConfiguration(molRecord.Bytes.data(), errBuf,
                                                               ErrBufSizeTold))) {
            TveskChemView2MolProperties read(*MolProperties);
            read.ReadFromRecord(molRecord);
            MolProperties->Assign(read);
        } else {
            TraceMessage("TveskChemView2Pool.ReadDefaults", tlWarning, "%s",
                         std::string(errBuf, ::strnlen(errBuf, sizeof errBuf)).c_str());
        }
        errBuf[0] = '\0';
        RxnConfigRecord rxnRecord;
        if (Succeeded(FExports->GetDefaultRxnFileConfiguration(rxnRecord.Bytes.data(), errBuf,
                                                               ErrBufSizeTold))) {
            TveskChemView2RxnProperties read(*RxnProperties);
            read.ReadFromRecord(rxnRecord);
            RxnProperties->Assign(read);
        } else {
            TraceMessage("TveskChemView2Pool.ReadDefaults", tlWarning, "%s",
                         std::string(errBuf, ::strnlen(errBuf, sizeof errBuf)).c_str());
        }
    });
    MolProperties->Display->Flag4 = false;
    RxnProperties->Display->Flag4 = false;
    WriteDefaults();
}

bool TveskChemView2Pool::WriteDefaults() {
    return Guarded("TveskChemView2Pool.WriteDefaults", false, [&] {
        if (!FPoolValid || !FExports) return false;
        char errBuf[TveskChemView2::ViewErrBufSize] = {};
        MolConfigRecord molRecord;
        MolProperties->WriteToRecord(molRecord);
        if (!Succeeded(FExports->SetDefaultMolFileConfiguration(molRecord.Bytes.data(), errBuf,
                                                                ErrBufSizeTold))) {
            LastError = std::string(errBuf, ::strnlen(errBuf, sizeof errBuf));
            if (LastError.empty()) LastError = "SetDefaultMolFileConfiguration failed";
            return false;
        }
        errBuf[0] = '\0';
        RxnConfigRecord rxnRecord;
        RxnProperties->WriteToRecord(rxnRecord);
        if (!Succeeded(FExports->SetDefaultRxnFileConfiguration(rxnRecord.Bytes.data(), errBuf,
                                                                ErrBufSizeTold))) {
            LastError = std::string(errBuf, ::strnlen(errBuf, sizeof errBuf));
            if (LastError.empty()) LastError = "SetDefaultRxnFileConfiguration failed";
            return false;
        }
        return true;
    });
}

std::unique_ptr<TveskMolView2> TveskChemView2Pool::CreateMolView() {
    return Guarded("TveskChemView2Pool.CreateMolView", std::unique_ptr<TveskMolView2>(), [&] {
        if (!FPoolValid) return std::unique_ptr<TveskMolView2>();
        auto view = std::make_unique<TveskMolView2>(FExports, *MolProperties);
        view->Margins->Assign(*Margins);
        return view;
    });
}

std::unique_ptr<TveskMolView2> TveskChemView2Pool::CreateMolViewFromString(
    const std::string& molText) {
    std::unique_ptr<TveskMolView2> view = CreateMolView();
    if (view) view->OpenMolString(molText);
    return view;
}

void TveskChemView2Pool::ReleaseMolView(std::unique_ptr<TveskMolView2> view) {
    GuardedVoid("TveskChemView2Pool.ReleaseMolView", [&] { view.reset(); });
}

std::string TveskChemView2Pool::SettingsKey() const {
    return ChemView2SettingsKey(*MolProperties, *Margins, true);
}
