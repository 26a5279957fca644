#pragma once
// Painting of one grid cell: background, then the value the owner hands over in a data
// carrier (text, formula, structure, number, check box). The painter knows nothing of
// records or fields; it asks its owner through events. Structures are drawn by molecule
// views borrowed per cell, or with a picture renderer by its workers while a light placeholder
// stands in; finished structure pictures are kept in a bounded cache so that scrolling
// repaints cells without drawing them again.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_DataCarrier.h"
#include "vesk_ChemView2.h"

class QPainter;
class TZelmarField;
class TveskMolView2;
class TZelmarPictureRenderer;

// The grid's draw state of a cell.
enum TZelmarGridDrawStateFlag : unsigned {
    gdSelected = 1,
    gdFocused = 2,
    gdFixed = 4,
};
using TZelmarGridDrawState = unsigned;

// Images of one size, drawn by index.
class TZelmarImageList {
public:
    TZelmarImageList(int width, int height) : FWidth(width), FHeight(height) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return static_cast<int>(FImages.size()); }
    // Scaled to the list's size if it has another one.
    void Add(const QPixmap& image);
    // Top-left corner at (x, y); nothing for an index outside the list.
    void Draw(QPainter& canvas, int x, int y, int index) const;

private:
    int FWidth;
    int FHeight;
    QList<QPixmap> FImages;
};

// Finished structure pictures, the least recently used dropped first once the pictures and
// their keys take more than MaxBytes. User-interface thread only.
struct TZelmarCellPictureKey {
    std::string MolText;
    int Width = 0;   // device pixels
    int Height = 0;  // device pixels
    bool Selected = false;
    std::string Settings;           // TveskMolView2::SettingsKey
    TveskChemView2DrawSizes Sizes;  // device pixels
    // The marked part of a search hit; empty for a plain picture.
    TveskChemView2Highlight Highlight;
};

// Grid pictures are drawn at one bond length that follows the picture height, so that a
// sheet's molecules compare by size; sizes in device pixels for a cell of the given height in
// pixels of the interface at the device pixel ratio.
TveskChemView2DrawSizes CellPictureSizes(int cellHeight, double ratio);

class TZelmarCellPictureCache {
public:
    static constexpr std::size_t DefaultMaxBytes = std::size_t{32} * 1024 * 1024;

    explicit TZelmarCellPictureCache(std::size_t maxBytes = DefaultMaxBytes);
    TZelmarCellPictureCache(const TZelmarCellPictureCache&) = delete;
    TZelmarCellPictureCache& operator=(const TZelmarCellPictureCache&) = delete;

    // The picture, or nullptr; valid until the next Insert or Clear.
    const QImage* Find(const TZelmarCellPictureKey& key);
    void Insert(const TZelmarCellPictureKey& key, const QImage& picture);
    void Clear();

    std::size_t Bytes() const { return FBytes; }
    std::size_t Count() const { return FEntries.size(); }
    std::size_t MaxBytes() const { return FMaxBytes; }
    std::size_t Hits() const { return FHits; }
    std::size_t Misses() const { return FMisses; }

    // The cache the painters use unless given another one.
    static TZelmarCellPictureCache& Shared();

private:
    struct TEntry;
    struct TKey {
        std::string MolText;
        int Width, Height;
        bool Selected;
        std::uint32_t SettingsId;
        TveskChemView2DrawSizes Sizes;
        TveskChemView2Highlight Highlight;
        bool operator==(const TKey& other) const;
    };
    struct TKeyHash {
        std::size_t operator()(const TKey& key) const;
    };
    struct TEntry {
        TKey Key;
        QImage Picture;
        std::size_t Bytes;
    };

    bool MakeKey(const TZelmarCellPictureKey& key, bool add, TKey& out);
    void Evict();

    std::size_t FMaxBytes;
    std::size_t FBytes = 0;
    std::size_t FHits = 0;
    std::size_t FMisses = 0;
    std::list<TEntry> FEntries;  // most recently used first
    std::unordered_map<TKey, std::list<TEntry>::iterator, TKeyHash> FIndex;
    // Display settings are long (a whole configuration record); entries carry a number.
    std::unordered_map<std::string, std::uint32_t> FSettingsIds;
    std::uint32_t FNextSettingsId = 1;
};

class TZelmarDataPainter {
public:
    using TGetDataEvent = std::function<bool(TZelmarDataPainter* sender, int row, int column,
                                             TZelmarDataCarrier& data)>;
    using TGetBgColorEvent = std::function<bool(TZelmarDataPainter* sender, int row, int column,
                                                QColor& color, TZelmarGridDrawState state)>;
    using TPaintSpecialBackgroundEvent =
        std::function<bool(TZelmarDataPainter* sender, QPainter& canvas, const QRect& rect,
                           const QColor& color, int column, int row)>;
    using TGetMolViewerEvent = std::function<std::unique_ptr<TveskMolView2>(
        TZelmarDataPainter* sender, const std::string& molText, int flags)>;
    using TReleaseMolViewerEvent =
        std::function<void(TZelmarDataPainter* sender, std::unique_ptr<TveskMolView2> view)>;
    using TGetMolViewerSettingsEvent = std::function<std::string(TZelmarDataPainter* sender)>;
    // Answers of OnGetStructureHighlight.
    enum THighlightAnswer : int { hlNone = 0, hlMarked = 1, hlPending = 2 };
    using TGetStructureHighlightEvent =
        std::function<int(TZelmarDataPainter* sender, int row, int column,
                          const std::string& molText, TveskChemView2Highlight& highlight)>;

    TZelmarDataPainter() = default;
    TZelmarDataPainter(const TZelmarDataPainter&) = delete;
    TZelmarDataPainter& operator=(const TZelmarDataPainter&) = delete;

    // One cell: background, then the content 2 pixels inside, centred on row 0 and column 0.
    void PaintTo(QPainter* canvas, const QRect& rect, int column, int row,
                 TZelmarGridDrawState state);
    void PaintBackGround(QPainter* canvas, const QRect& rect, int column, int row,
                         TZelmarGridDrawState state);
    void PaintData(QPainter* canvas, const QRect& rect, bool centred,
                   const TZelmarDataCarrier* data, TZelmarGridDrawState state);
    // A numeric field's value as written, right-aligned on one line.
    void PaintNumberText(QPainter* canvas, const QRect& rect, const std::string& text);
    void PaintStringValue(QPainter* canvas, const QRect& rect, bool centred,
                          const std::string& text);
    // In the general format with the interface language's decimal separator.
    void PaintDoubleValue(QPainter* canvas, const QRect& rect, double value);
    void PaintFormula(QPainter* canvas, const QRect& rect, const std::string& text);
    void PaintChemistry(QPainter* canvas, const QRect& rect, const std::string& molText,
                        TZelmarGridDrawState state);
    void PaintCheckbox(QPainter* canvas, const QRect& rect, bool ticked);
    // Header cells with a rounded top-left (top-right) corner on the window colour.
    void PaintLeftEcke(QPainter* canvas, const QRect& rect, const QColor& color);
    void PaintRightEcke(QPainter* canvas, const QRect& rect, const QColor& color);

    TGetDataEvent OnGetData;
    // Whether the grid column holds numbers: its values are right-aligned, as in spreadsheets.
    std::function<bool(int column)> OnIsNumberColumn;
    TGetBgColorEvent OnGetBgColor;
    TPaintSpecialBackgroundEvent OnPaintSpecialBackground;
    // Image 0 a cleared box, image 1 a ticked one; not owned.
    const TZelmarImageList* CheckboxImages = nullptr;
    // Lends a view prepared for the molfile text (flags 0) and takes it back.
    TGetMolViewerEvent OnGetMolViewer;
    TReleaseMolViewerEvent OnReleaseMolViewer;
    // Optional: the SettingsKey of the views OnGetMolViewer would lend now (the pool's
    // SettingsKey). With it a cached picture is shown without borrowing a view at all.
    TGetMolViewerSettingsEvent OnGetMolViewerSettings;
    // Optional: the marked part of the structure in a cell PaintTo paints (a search hit's
    // match): hlMarked with the highlight set, hlNone for a plain picture, hlPending while the
    // owner is still finding it (a placeholder is painted; the owner repaints the cell).
    TGetStructureHighlightEvent OnGetStructureHighlight;
    // Not owned; nullptr draws every structure afresh.
    TZelmarCellPictureCache* PictureCache = &TZelmarCellPictureCache::Shared();
    // Not owned. With it (and a cache and OnGetMolViewerSettings) a structure not in the cache
    // is asked for and a placeholder painted; the owner puts the finished picture into the
    // cache and repaints the cell. Without it structures are drawn while painting.
    TZelmarPictureRenderer* Renderer = nullptr;
    // Placeholders painted so far, for the owner to see whether a frame was complete.
    int PlaceholdersPainted = 0;

private:
    void PaintPlaceholder(QPainter* canvas, const QRect& rect);
    // An identifier cell whose value is still being made.
    void PaintIdentifierPlaceholder(QPainter* canvas, const QRect& rect,
                                    TZelmarGridDrawState state);
    bool RequestPicture(const TZelmarCellPictureKey& key, QPainter* canvas, qreal ratio);

    // The cell PaintTo paints, for the requests of pictures drawn elsewhere.
    int FCellColumn = -1;
    int FCellRow = -1;
    void PaintEcke(QPainter* canvas, const QRect& rect, const QColor& color, bool left);
};

// A structure on the highlight colour: fonts 1 to 13 and the bonds white (font 14 keeps its
// own). The view sends the properties when it is configured or opened next.
void SetSelectedLook(TveskMolView2& view);

class TZelmarFieldPainter {
public:
    explicit TZelmarFieldPainter(const TZelmarImageList* images = nullptr) : Images(images) {}

    // Index into Images for the field's kind; -1 for none, check box or no field.
    int GetImageIndex(const TZelmarField* field, bool selected) const;
    // The kind's image, then the display name on one line, centred vertically. The caller
    // paints the background and chooses font and colour.
    void PaintTo(QPainter* canvas, const TZelmarField* field, bool selected,
                 const QRect& rect) const;

    const TZelmarImageList* Images;  // not owned
};
