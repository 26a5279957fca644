#pragma once
// Binding to the structure viewer library (libveskChemViewer.so): a pool that loads the
// library and keeps the program-wide display properties, and molecule views that each hold
// one molecule opened in the library and draw it into a raster surface. Nothing here throws:
// results are booleans with the reason in the view's Error or the pool's LastError.
// A pool and its views belong to one thread at a time; views of one pool may be handed to
// other threads and used there side by side (the library keeps each handle to itself). Qt-free.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "vesk_ChemView2Properties.h"

// The file the pool loads: "libveskChemViewer.so".
extern const char* const ViewerLibraryName;

// Tests only: pools created from now on load this file (a path, or a bare name searched as
// usual) instead of ViewerLibraryName; an empty text restores the default.
void SetViewerLibraryFile(const std::string& file);

// The device context: the caller's pixels in premultiplied ARGB32 (the layout of
// QImage::Format_ARGB32_Premultiplied), row after row, and the resolution that millimetre
// margins are converted with.
struct TveskChemView2DC {
    std::uint32_t* Pixels = nullptr;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t StrideBytes = 0;
    std::int32_t PixelsPerInchX = 96;
    std::int32_t PixelsPerInchY = 96;
};

// Right and bottom are exclusive.
struct TveskChemView2Rect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Pixel sizes of a molecule's pictures (the library's SetMolFileDrawSizes). BondLength > 0 draws
// bonds that long, the picture shrunk only when it would not fit; zeros keep the library's own
// (fitted to the rectangle, labels from 6 pixels, lines of 2).
struct TveskChemView2DrawSizes {
    double BondLength = 0;
    double MinLabelSize = 0;
    double LineWidth = 0;
    bool operator==(const TveskChemView2DrawSizes& other) const {
        return BondLength == other.BondLength && MinLabelSize == other.MinLabelSize &&
               LineWidth == other.LineWidth;
    }
    bool operator!=(const TveskChemView2DrawSizes& other) const { return !(*this == other); }
};

// Atoms and bonds of a molecule drawn on a band of one colour (the library's
// SetMolFileHighlight): 0-based indices in the order of the molfile's atom and bond blocks.
// Empty lists mark nothing.
struct TveskChemView2Highlight {
    std::vector<std::int32_t> Atoms;
    std::vector<std::int32_t> Bonds;
    std::uint32_t Colour = 0;  // COLORREF 0x00BBGGRR
    bool Empty() const { return Atoms.empty() && Bonds.empty(); }
    bool operator==(const TveskChemView2Highlight& other) const {
        return Atoms == other.Atoms && Bonds == other.Bonds && (Empty() || Colour == other.Colour);
    }
    bool operator!=(const TveskChemView2Highlight& other) const { return !(*this == other); }
};

class TveskChemView2Error {
public:
    static constexpr int CodeNone = 0;
    static constexpr int CodeException = 101;
    static constexpr int CodeNoHandle = 102;

    void Clear();
    // "number, text[, detail]" as the library writes it. Message takes the whole text; a text
    // without comma sets nothing else and gives false.
    bool ParseError(const std::string& text);
    // Code 101 with "Exception <class>" and the exception's message.
    void SetException(const std::exception& e);
    void SetUnknownException();
    // Code 102: no molecule open.
    void SetNoHandle();

    int Code = CodeNone;
    std::string Text;
    std::string Detail;
    std::string Message;

private:
    void JoinMessage();
};

class TveskChemView2Margins {
public:
    enum TMode : std::uint8_t { mmNone = 0, mmDeviceUnits = 1, mmPercent = 2, mmMillimeters = 3 };

    void Assign(const TveskChemView2Margins& source) { *this = source; }
    // The rectangle with the margins taken off; std::overflow_error when a value does not
    // fit an integer.
    TveskChemView2Rect ApplyMargins(const TveskChemView2DC& dc,
                                    const TveskChemView2Rect& rect) const;

    std::uint8_t Mode = mmNone;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct TveskChemView2Exports;

// A view of one structure in the library. Derived classes close their handle in their own
// destructor (a base destructor cannot reach the override).
class TveskChemView2 {
public:
    static constexpr std::int32_t ViewErrBufSize = 256;

    virtual ~TveskChemView2();
    TveskChemView2(const TveskChemView2&) = delete;
    TveskChemView2& operator=(const TveskChemView2&) = delete;

    virtual bool OpenMolString(const std::string& text) = 0;
    virtual bool OpenMolFile(const std::string& fileName) = 0;
    virtual bool CloseView() = 0;

    std::uintptr_t ViewerHandle() const { return FViewerHandle; }

    std::unique_ptr<TveskChemView2Error> Error;
    // The library is told one byte less, so its text always ends inside the buffer.
    char ViewErrBuf[ViewErrBufSize] = {};
    bool HighQuality = true;
    std::unique_ptr<TveskChemView2Margins> Margins;

protected:
    explicit TveskChemView2(std::shared_ptr<const TveskChemView2Exports> exports);

    // The error text of the last call, or for a failure without one "-1, <export> failed".
    void ParseViewError(const char* exportName);

    // Keeps the library loaded while the view lives, also past its pool.
    std::shared_ptr<const TveskChemView2Exports> FExports;
    std::uintptr_t FViewerHandle = 0;
};

class TveskMolView2 : public TveskChemView2 {
public:
    // Made by TveskChemView2Pool.
    TveskMolView2(std::shared_ptr<const TveskChemView2Exports> exports,
                  const TveskChemView2MolProperties& properties);
    ~TveskMolView2() override;

    bool OpenMolString(const std::string& text) override;
    bool OpenMolFile(const std::string& fileName) override;
    bool CloseView() override;
    // Sends Properties, DrawSizes and Highlight to the library; needed after changing them.
    // A highlight the library refuses (an index outside the molecule) is traced and the
    // picture drawn without marks: a stale match must not cost the picture.
    bool Configure();
    bool Draw(const TveskChemView2DC& dc, const TveskChemView2Rect& rect);

    // A key that differs whenever the picture of the same molecule at the same size would:
    // properties, margins and quality.
    std::string SettingsKey() const;
    // Takes over properties, margins and quality from a SettingsKey, so that a view made on one
    // thread draws as the pool that gave the key would. False (view unchanged) for a text that
    // is no key. Call before opening: opening sends the properties.
    bool ApplySettingsKey(const std::string& key);

    std::unique_ptr<TveskChemView2MolProperties> Properties;
    // Not part of SettingsKey: callers choose them per picture. A library without the export
    // draws every picture fitted.
    TveskChemView2DrawSizes DrawSizes;
    // Not part of SettingsKey either: the marks of this molecule only. A library without the
    // export draws no marks.
    TveskChemView2Highlight Highlight;
    // Whether the library draws marks at all (it has SetMolFileHighlight).
    bool CanHighlight() const;

private:
    void SendHighlight(const TveskChemView2Exports& lib);
    // The handle carries marks that a later Configure must clear.
    bool FHighlightSent = false;
};

class TveskChemView2Pool {
public:
    TveskChemView2Pool();
    ~TveskChemView2Pool();
    TveskChemView2Pool(const TveskChemView2Pool&) = delete;
    TveskChemView2Pool& operator=(const TveskChemView2Pool&) = delete;

    // Nothing when the pool is not valid; otherwise a view with copies of MolProperties and
    // Margins.
    std::unique_ptr<TveskMolView2> CreateMolView();
    // As CreateMolView, then OpenMolString; the view comes back even if opening failed (its
    // Error says why).
    std::unique_ptr<TveskMolView2> CreateMolViewFromString(const std::string& molText);
    void ReleaseMolView(std::unique_ptr<TveskMolView2> view);
    // Hands MolProperties, then (only if that worked) RxnProperties to the library as the
    // defaults of handles opened later. False with LastError on failure.
    bool WriteDefaults();

    // The SettingsKey a view made now would have.
    std::string SettingsKey() const;

    bool PoolValid() const { return FPoolValid; }

    std::unique_ptr<TveskChemView2MolProperties> MolProperties;
    std::unique_ptr<TveskChemView2RxnProperties> RxnProperties;
    std::string LastError;
    std::unique_ptr<TveskChemView2Margins> Margins;

private:
    void ReadDefaults();

    std::shared_ptr<const TveskChemView2Exports> FExports;
    bool FPoolValid = false;
};

// The settings key of a view with these properties, margins and quality.
std::string ChemView2SettingsKey(const TveskChemView2MolProperties& properties,
                                 const TveskChemView2Margins& margins, bool highQuality);
