#include "Zelmar_Object_DataPainter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <utility>

#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_PictureRenderer.h"
#include "vesk_ChemView2.h"
#include "vesk_FormulaPainter.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"
#include "vesk_Trace.h"

namespace {

constexpr std::uint32_t White = 0x00FFFFFF;
// Fonts 1 to 13 of a view turn white on the highlight; font 14 (stoichiometry) keeps its own.
constexpr int SelectedFontCount = 13;
// A settings key seen once stays known; this many distinct ones empty the cache.
constexpr std::size_t MaxSettingsIds = 64;
// Bookkeeping of an entry beyond its picture and text.
constexpr std::size_t EntryOverhead = 128;

// Runs a step when the scope ends, also while an exception passes.
template <typename Step>
class TScopeExit {
public:
    explicit TScopeExit(Step step) : FStep(std::move(step)) {}
    ~TScopeExit() { FStep(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Step FStep;
};

// Restores the painter's state when the scope ends.
class TPainterState {
public:
    explicit TPainterState(QPainter* canvas) : FCanvas(canvas) { FCanvas->save(); }
    ~TPainterState() { FCanvas->restore(); }
    TPainterState(const TPainterState&) = delete;
    TPainterState& operator=(const TPainterState&) = delete;

private:
    QPainter* FCanvas;
};

bool CanPaint(const QPainter* canvas) {
    return canvas != nullptr && canvas->isActive();
}

// One line, "..." at the end when too wide.
QString ElideEnd(const QFontMetrics& fm, const QString& text, int width) {
    if (fm.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid) + dots) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    if (low > 0 && text[low - 1].isHighSurrogate()) --low;
    return text.left(low) + dots;
}

}  // namespace

// ---- image list ------------------------------------------------------------------------------

void TZelmarImageList::Add(const QPixmap& image) {
    if (image.width() == FWidth && image.height() == FHeight) {
        FImages.append(image);
    } else {
        FImages.append(
            image.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

void TZelmarImageList::Draw(QPainter& canvas, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    canvas.drawPixmap(x, y, FImages[index]);
}

// ---- picture cache ---------------------------------------------------------------------------

bool TZelmarCellPictureCache::TKey::operator==(const TKey& other) const {
    return Width == other.Width && Height == other.Height && Selected == other.Selected &&
           SettingsId == other.SettingsId && Sizes == other.Sizes && MolText == other.MolText &&
           Highlight == other.Highlight;
}

std::size_t TZelmarCellPictureCache::TKeyHash::operator()(const TKey& key) const {
    std::size_t h = std::hash<std::string>()(key.MolText);
    const std::size_t parts[] = {static_cast<std::size_t>(key.Width),
                                 static_cast<std::size_t>(key.Height),
                                 static_cast<std::size_t>(key.Selected),
                                 key.SettingsId,
                                 std::hash<double>()(key.Sizes.BondLength),
                                 key.Highlight.Atoms.size(),
                                 key.Highlight.Bonds.size()};
    for (std::size_t part : parts) h ^= part + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h;
}

TZelmarCellPictureCache::TZelmarCellPictureCache(std::size_t maxBytes) : FMaxBytes(maxBytes) {}

TZelmarCellPictureCache& TZelmarCellPictureCache::Shared() {
    static TZelmarCellPictureCache cache;
    return cache;
}

bool TZelmarCellPictureCache::MakeKey(const TZelmarCellPictureKey& key, bool add, TKey& out) {
    auto found = FSettingsIds.find(key.Settings);
    if (found == FSettingsIds.end()) {
        if (!add) return false;
        if (FSettingsIds.size() >= MaxSettingsIds) Clear();
        found = FSettingsIds.emplace(key.Settings, FNextSettingsId++).first;
    }
    out = TKey{key.MolText,   key.Width, key.Height,   key.Selected,
               found->second, key.Sizes, key.Highlight};
    return true;
}

const QImage* TZelmarCellPictureCache::Find(const TZelmarCellPictureKey& key) {
    TKey k;
    if (!MakeKey(key, false, k)) {
        ++FMisses;
        return nullptr;
    }
    const auto found = FIndex.find(k);
    if (found == FIndex.end()) {
        ++FMisses;
        return nullptr;
    }
    ++FHits;
    FEntries.splice(FEntries.begin(), FEntries, found->second);
    return &found->second->Picture;
}

void TZelmarCellPictureCache::Insert(const TZelmarCellPictureKey& key, const QImage& picture) {
    const std::size_t bytes =
        static_cast<std::size_t>(picture.sizeInBytes()) + key.MolText.size() + EntryOverhead;
    if (picture.isNull() || bytes > FMaxBytes) return;
    TKey k;
    MakeKey(key, true, k);
    const auto found = FIndex.find(k);
    if (found != FIndex.end()) {
        FBytes -= found->second->Bytes;
        FEntries.erase(found->second);
        FIndex.erase(found);
    }
    FEntries.push_front(TEntry{k, picture, bytes});
    FIndex.emplace(std::move(k), FEntries.begin());
    FBytes += bytes;
    Evict();
}

void TZelmarCellPictureCache::Evict() {
    while (FBytes > FMaxBytes && !FEntries.empty()) {
        FBytes -= FEntries.back().Bytes;
        FIndex.erase(FEntries.back().Key);
        FEntries.pop_back();
    }
}

void TZelmarCellPictureCache::Clear() {
    FIndex.clear();
    FEntries.clear();
    FSettingsIds.clear();
    FBytes = 0;
}

// ---- data painter ----------------------------------------------------------------------------

TveskChemView2DrawSizes CellPictureSizes(int cellHeight, double ratio) {
    // A fifth of the height: a ring of six stands a little over a third of it high, and the
    // molecules of a typical sheet fill the default row's cell as they did when fitted.
    constexpr double kBondPerHeight = 0.2;
    if (!(ratio > 0)) ratio = 1.0;
    const double height = std::max(cellHeight, 1);
    const double bond = kBondPerHeight * height;
    TveskChemView2DrawSizes sizes;
    sizes.BondLength = bond * ratio;
    // Labels drawn in proportion to such bonds are too small to read below a row of about 140
    // pixels: from 8 pixels in the smallest rows, up to 11 where the proportion takes over.
    sizes.MinLabelSize = std::clamp(height / 10.0, 8.0, 11.0) * ratio;
    // Lines thicken with the bonds, from one pixel in small rows to two and a half.
    sizes.LineWidth = std::clamp(bond / 10.0, 1.0, 2.5) * ratio;
    return sizes;
}

void TZelmarDataPainter::PaintTo(QPainter* canvas, const QRect& rect, int column, int row,
                                 TZelmarGridDrawState state) {
    GuardedVoid("TZelmarDataPainter.PaintTo", [&] {
        if (!OnGetData || !CanPaint(canvas)) return;
        PaintBackGround(canvas, rect, column, row, state);
        TZelmarDataCarrier data;
        if (OnGetData(this, row, column, data)) {
            FCellColumn = column;
            FCellRow = row;
            const TScopeExit forget([this] { FCellColumn = FCellRow = -1; });
            PaintData(canvas, rect.adjusted(2, 2, -2, -2), row == 0 || column == 0, &data, state);
        }
    });
}

void TZelmarDataPainter::PaintBackGround(QPainter* canvas, const QRect& rect, int column, int row,
                                         TZelmarGridDrawState state) {
    GuardedVoid("TZelmarDataPainter.PaintBackGround", [&] {
        if (!OnGetBgColor || !CanPaint(canvas)) return;
        QColor color;
        if (!OnGetBgColor(this, row, column, color, state)) return;
        if (OnPaintSpecialBackground &&
            OnPaintSpecialBackground(this, *canvas, rect, color, column, row)) {
            return;
        }
        canvas->fillRect(rect, color);
    });
}

void TZelmarDataPainter::PaintData(QPainter* canvas, const QRect& rect, bool centred,
                                   const TZelmarDataCarrier* data, TZelmarGridDrawState state) {
    GuardedVoid("TZelmarDataPainter.PaintData", [&] {
        if (data == nullptr || data->Kind() == ecsdtNone || !CanPaint(canvas)) return;
        const TPainterState saved(canvas);
        const QPalette palette = QGuiApplication::palette();
        canvas->setPen((state & gdSelected) != 0 ? palette.color(QPalette::HighlightedText)
                                                 : palette.color(QPalette::Text));
        switch (data->Kind()) {
            case ecsdtDataText:
                if (!centred && OnIsNumberColumn && OnIsNumberColumn(FCellColumn))
                    PaintNumberText(canvas, rect, data->Text());
                else
                    PaintStringValue(canvas, rect, centred, data->Text());
                break;
            case ecsdtFormula:
                PaintFormula(canvas, rect, data->Text());
                break;
            case ecsdtChemistry:
                PaintChemistry(canvas, rect, data->Text(), state);
                break;
            case ecsdtMolweight:
                // A weight that could not be computed has no value: the cell stays empty.
                if (!data->Empty()) PaintDoubleValue(canvas, rect, data->Value());
                break;
            case ecsdtCheckbox:
                PaintCheckbox(canvas, rect, data->Checked());
                break;
            case ecsdtSmiles:
            case ecsdtInchi:
            case ecsdtInchiKey:
                // Made in the background: until it is there a quiet mark stands in.
                if (data->Empty())
                    PaintIdentifierPlaceholder(canvas, rect, state);
                else
                    PaintStringValue(canvas, rect, centred, data->Text());
                break;
            default:
                break;
        }
    });
}

void TZelmarDataPainter::PaintIdentifierPlaceholder(QPainter* canvas, const QRect& rect,
                                                    TZelmarGridDrawState state) {
    const QPalette palette = QGuiApplication::palette();
    const TPainterState saved(canvas);
    canvas->setBackgroundMode(Qt::TransparentMode);
    canvas->setPen(palette.color(QPalette::Disabled, (state & gdSelected) != 0
                                                         ? QPalette::HighlightedText
                                                         : QPalette::Text));
    canvas->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString(QChar(0x2026)));
}

void TZelmarDataPainter::PaintStringValue(QPainter* canvas, const QRect& rect, bool centred,
                                          const std::string& text) {
    GuardedVoid("TZelmarDataPainter.PaintDoubleValue", [&] {
        if (!CanPaint(canvas)) return;
        const QString shown = TextFromBytes(text);
        if (TrimBlanks(shown).isEmpty()) return;
        const TPainterState saved(canvas);
        canvas->setBackgroundMode(Qt::TransparentMode);
        if (centred) {
            QString line = shown;
            line.replace(QLatin1String("\r\n"), QLatin1String(" "));
            line.replace(QLatin1Char('\r'), QLatin1Char(' '));
            line.replace(QLatin1Char('\n'), QLatin1Char(' '));
            const QFontMetrics fm(canvas->font());
            canvas->drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                             ElideEnd(fm, line, rect.width()));
        } else {
            QRect area = rect;
            DrawWrappedText(canvas, shown, -1, dtWordBreak | dtEndEllipsis, area);
        }
    });
}

void TZelmarDataPainter::PaintNumberText(QPainter* canvas, const QRect& rect,
                                         const std::string& text) {
    GuardedVoid("TZelmarDataPainter.PaintNumberText", [&] {
        const QString shown = TrimBlanks(TextFromBytes(text));
        // A value of several lines is no number: it is shown as any text.
        if (shown.contains(QLatin1Char('\n'))) return PaintStringValue(canvas, rect, false, text);
        const TPainterState saved(canvas);
        canvas->setBackgroundMode(Qt::TransparentMode);
        const QFontMetrics fm(canvas->font());
        canvas->drawText(rect, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                         ElideEnd(fm, shown, rect.width()));
    });
}

void TZelmarDataPainter::PaintDoubleValue(QPainter* canvas, const QRect& rect, double value) {
    GuardedVoid("TZelmarDataPainter.PaintDoubleValue", [&] {
        PaintStringValue(canvas, rect, false, FormatFloatGeneral(value, DisplayDecimalSeparator()));
    });
}

void TZelmarDataPainter::PaintFormula(QPainter* canvas, const QRect& rect,
                                      const std::string& text) {
    GuardedVoid("TZelmarDataPainter.PaintFormula", [&] {
        if (!CanPaint(canvas)) return;
        // The clip goes with the saved state, also when drawing fails.
        const TPainterState saved(canvas);
        canvas->setBackgroundMode(Qt::TransparentMode);
        canvas->setClipRect(rect, Qt::IntersectClip);
        DrawFormula(canvas, rect, TextFromBytes(text), 0);
    });
}

void TZelmarDataPainter::PaintChemistry(QPainter* canvas, const QRect& rect,
                                        const std::string& molText, TZelmarGridDrawState state) {
    static const char* const source = "TZelmarDataPainter.PaintChemistry";
    GuardedVoid(source, [&] {
        if (!OnGetMolViewer || !OnReleaseMolViewer || !CanPaint(canvas)) return;
        if (rect.width() <= 0 || rect.height() <= 0) return;
        const qreal ratio = canvas->device()->devicePixelRatioF();
        TZelmarCellPictureKey key;
        key.Width = qCeil(rect.width() * ratio);
        key.Height = qCeil(rect.height() * ratio);
        key.Selected = (state & gdSelected) != 0;
        key.Sizes = CellPictureSizes(rect.height(), ratio);
        if (OnGetStructureHighlight && FCellRow >= 0) {
            const int answer =
                OnGetStructureHighlight(this, FCellRow, FCellColumn, molText, key.Highlight);
            if (answer == hlPending) {
                PaintPlaceholder(canvas, rect);
                return;
            }
            if (answer != hlMarked) key.Highlight = {};
        }
        if (PictureCache != nullptr) {
            key.MolText = molText;
            if (OnGetMolViewerSettings) key.Settings = OnGetMolViewerSettings(this);
            if (!key.Settings.empty()) {
                if (const QImage* picture = PictureCache->Find(key)) {
                    canvas->drawImage(QRectF(rect), *picture);
                    return;
                }
                if (RequestPicture(key, canvas, ratio)) {
                    PaintPlaceholder(canvas, rect);
                    return;
                }
            }
        }

        std::unique_ptr<TveskMolView2> view = OnGetMolViewer(this, molText, 0);
        if (!view) return;
        const TScopeExit giveBack(
            [&] { GuardedVoid(source, [&] { OnReleaseMolViewer(this, std::move(view)); }); });

        if (PictureCache != nullptr && key.Settings.empty()) {
            key.Settings = view->SettingsKey();
            if (!key.Settings.empty()) {
                if (const QImage* picture = PictureCache->Find(key)) {
                    canvas->drawImage(QRectF(rect), *picture);
                    return;
                }
            }
        }
        if (key.Selected) SetSelectedLook(*view);
        view->DrawSizes = key.Sizes;
        view->Highlight = key.Highlight;
        view->Configure();

        // Drawn on its own transparent picture, then laid over the cell's background.
        QImage picture(key.Width, key.Height, QImage::Format_ARGB32_Premultiplied);
        if (picture.isNull()) return;
        picture.fill(Qt::transparent);
        TveskChemView2DC dc;
        dc.Pixels = reinterpret_cast<std::uint32_t*>(picture.bits());
        dc.Width = picture.width();
        dc.Height = picture.height();
        dc.StrideBytes = static_cast<std::int32_t>(picture.bytesPerLine());
        dc.PixelsPerInchX = qRound(canvas->device()->logicalDpiX() * ratio);
        dc.PixelsPerInchY = qRound(canvas->device()->logicalDpiY() * ratio);
        if (!view->Draw(dc, {0, 0, dc.Width, dc.Height})) {
            TraceMessage(source, tlWarning, "%s", view->Error->Message.c_str());
            return;
        }
        picture.setDevicePixelRatio(ratio);
        canvas->drawImage(QRectF(rect), picture);
        if (PictureCache != nullptr && !key.Settings.empty()) PictureCache->Insert(key, picture);
    });
}

bool TZelmarDataPainter::RequestPicture(const TZelmarCellPictureKey& key, QPainter* canvas,
                                        qreal ratio) {
    if (Renderer == nullptr || FCellRow < 0) return false;
    const QPaintDevice* device = canvas->device();
    return Renderer->Request(key, qRound(device->logicalDpiX() * ratio),
                             qRound(device->logicalDpiY() * ratio), ratio, {FCellColumn, FCellRow});
}

// A faint ring where the structure will be: light enough not to read as a molecule.
void TZelmarDataPainter::PaintPlaceholder(QPainter* canvas, const QRect& rect) {
    ++PlaceholdersPainted;
    const qreal radius = std::min(rect.width(), rect.height()) * 0.22;
    if (radius < 3) return;
    const TPainterState saved(canvas);
    canvas->setRenderHint(QPainter::Antialiasing, true);
    QColor ink = canvas->pen().color();
    ink.setAlpha(48);
    canvas->setPen(QPen(ink, 1.5));
    canvas->setBrush(Qt::NoBrush);
    const QPointF centre = QRectF(rect).center();
    QPolygonF ring;
    for (int i = 0; i < 6; ++i) {
        const qreal angle = M_PI / 6 + i * M_PI / 3;
        ring << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    canvas->drawPolygon(ring);
}

void SetSelectedLook(TveskMolView2& view) {
    for (int i = 0; i < SelectedFontCount; ++i) view.Properties->Fonts->Font(i).SetColor(White);
    view.Properties->Bonds->Color = White;
}

void TZelmarDataPainter::PaintCheckbox(QPainter* canvas, const QRect& rect, bool ticked) {
    GuardedVoid("TZelmarDataPainter.PaintCheckbox", [&] {
        if (CheckboxImages == nullptr || !CanPaint(canvas)) return;
        const int x = rect.left() + rect.width() / 2 - CheckboxImages->Width() / 2;
        const int y = rect.top() + rect.height() / 2 - CheckboxImages->Height() / 2;
        CheckboxImages->Draw(*canvas, x, y, ticked ? 1 : 0);
    });
}

void TZelmarDataPainter::PaintLeftEcke(QPainter* canvas, const QRect& rect, const QColor& color) {
    GuardedVoid("TZelmarDataPainter.PaintLeftEcke", [&] { PaintEcke(canvas, rect, color, true); });
}

void TZelmarDataPainter::PaintRightEcke(QPainter* canvas, const QRect& rect, const QColor& color) {
    GuardedVoid("TZelmarDataPainter.PaintRightEcke",
                [&] { PaintEcke(canvas, rect, color, false); });
}

void TZelmarDataPainter::PaintEcke(QPainter* canvas, const QRect& rect, const QColor& color,
                                   bool left) {
    if (!CanPaint(canvas) || rect.width() <= 0 || rect.height() <= 0) return;
    const int right = rect.left() + rect.width();   // exclusive
    const int bottom = rect.top() + rect.height();  // exclusive
    // A square as high as a wide rectangle at its outer end, as wide as a tall one at its top.
    QRect square;
    if (rect.height() < rect.width()) {
        const int side = rect.height();
        square = QRect(left ? rect.left() : right - side, rect.top(), side, side);
    } else {
        square = QRect(rect.left(), rect.top(), rect.width(), rect.width());
    }
    const int middleX = square.left() + square.width() / 2;
    const int middleY = square.top() + square.height() / 2;

    const TPainterState saved(canvas);
    canvas->fillRect(rect, QGuiApplication::palette().color(QPalette::Base));
    canvas->setPen(Qt::NoPen);
    canvas->setBrush(color);
    canvas->setRenderHint(QPainter::Antialiasing, true);
    canvas->drawEllipse(square);
    if (left) {
        canvas->fillRect(QRect(middleX, rect.top(), right - middleX, rect.height()), color);
        canvas->fillRect(QRect(square.left(), middleY, middleX - square.left(), bottom - middleY),
                         color);
    } else {
        canvas->fillRect(QRect(rect.left(), rect.top(), middleX - rect.left(), rect.height()),
                         color);
        const int squareRight = square.left() + square.width();
        canvas->fillRect(QRect(middleX, middleY, squareRight - middleX, bottom - middleY), color);
    }
}

// ---- field painter ---------------------------------------------------------------------------

int TZelmarFieldPainter::GetImageIndex(const TZelmarField* field, bool selected) const {
    if (field == nullptr) return -1;
    switch (field->Kind) {
        case ecsdtDataText:
        case ecsdtFormula:
        case ecsdtSmiles:
        case ecsdtInchi:
        case ecsdtInchiKey:
            return selected ? 4 : 1;
        case ecsdtChemistry:
            return selected ? 3 : 0;
        case ecsdtMolweight:
            return selected ? 5 : 2;
        default:
            return -1;
    }
}

void TZelmarFieldPainter::PaintTo(QPainter* canvas, const TZelmarField* field, bool selected,
                                  const QRect& rect) const {
    GuardedVoid("TZelmarFieldPainter.PaintTo", [&] {
        if (!CanPaint(canvas) || field == nullptr) return;
        const QString text = TextFromBytes(field->GetDisplayName());
        const int image = GetImageIndex(field, selected);
        QRect area = rect;
        area.setLeft(area.left() + 4);
        if (Images != nullptr && image >= 0 && image < Images->Count()) {
            Images->Draw(*canvas, area.left(), area.top(), image);
            area.setLeft(area.left() + Images->Width() + 4);
        }
        DrawWrappedText(canvas, text, -1, dtVCenter | dtSingleLine | dtEndEllipsis, area);
    });
}
