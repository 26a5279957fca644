#include "Zelmar_Hint_Molecule.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include "vesk_ChemView2.h"
#include "vesk_Guard.h"

QRect KeepOnDesktop(const QRect& rect) {
    const QScreen* screen = QGuiApplication::screenAt(rect.topLeft());
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return rect;
    const QRect desk = screen->availableGeometry();
    QRect placed = rect;
    if (placed.bottom() > desk.bottom()) placed.moveTop(desk.bottom() - placed.height() + 1);
    if (placed.right() > desk.right()) placed.moveLeft(desk.right() - placed.width() + 1);
    if (placed.left() < desk.left()) placed.moveLeft(desk.left());
    if (placed.top() < desk.top()) placed.moveTop(desk.top());
    return placed;
}

TZelmarWndMolecule::TZelmarWndMolecule()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FPool(std::make_unique<TveskChemView2Pool>()) {
    setObjectName(QStringLiteral("MoleculeHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    FPool->Margins->Mode = TveskChemView2Margins::mmPercent;
    FPool->Margins->Left = FPool->Margins->Top = FPool->Margins->Right = FPool->Margins->Bottom = 5;
}

TZelmarWndMolecule::~TZelmarWndMolecule() = default;

void TZelmarWndMolecule::ActivateHintData(const TZelmarMoleculeHintInfo& info, const QPoint& at) {
    GuardedVoid("TZelmarWndMolecule.ActivateHintData", [&] {
        FInfo = info;
        // Hints show hydrogens and labels as the grid does.
        if (FInfo.OnGetMolViewerPool) {
            if (TveskChemView2Pool* main = FInfo.OnGetMolViewerPool(); main != nullptr)
                FPool->MolProperties->Assign(*main->MolProperties);
        }
        const QRect rect = KeepOnDesktop(QRect(at, QSize(FInfo.Width, FInfo.Height + 4)));
        setGeometry(rect);
        show();
        raise();
        update();
    });
}

int TZelmarWndMolecule::CaptionBarHeight() const {
    QFont bold = font();
    bold.setBold(true);
    return QFontMetrics(bold).height() + 8;
}

void TZelmarWndMolecule::paintEvent(QPaintEvent*) {
    GuardedVoid("TZelmarWndMolecule.Paint", [&] {
        if (FInfo.MolFile.empty()) return;
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
        const int bar = CaptionBarHeight();
        painter.fillRect(QRect(0, 0, width(), bar), QColor(0, 0, 255));
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(QRect(4, 0, width() - 8, bar), Qt::AlignVCenter | Qt::TextSingleLine,
                         FInfo.Caption);
        std::unique_ptr<TveskMolView2> view = FPool->CreateMolView();
        if (!view) return;
        view->Highlight = FInfo.Highlight;  // sent when opened
        view->OpenMolString(FInfo.MolFile);
        const QRect area(0, bar, width(), height() - bar);
        if (area.height() <= 0 || area.width() <= 0) return;
        QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(palette().color(QPalette::ToolTipBase));
        TveskChemView2DC dc;
        dc.Pixels = reinterpret_cast<std::uint32_t*>(picture.bits());
        dc.Width = picture.width();
        dc.Height = picture.height();
        dc.StrideBytes = static_cast<std::int32_t>(picture.bytesPerLine());
        TveskChemView2Rect target;
        target.Right = picture.width();
        target.Bottom = picture.height();
        view->Draw(dc, target);
        FPool->ReleaseMolView(std::move(view));
        painter.drawImage(area.topLeft(), picture);
    });
}
