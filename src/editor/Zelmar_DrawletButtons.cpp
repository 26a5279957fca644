#include "Zelmar_DrawletButtons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <cstring>

const std::vector<TZelmarDrawletButton>& DrawletButtons() {
    static const std::vector<TZelmarDrawletButton> buttons = {
        // Top tool bar: the drawing as a whole, bonds, reaction parts and charges.
        {"BtnNew", "NewClick", "ZelmarDialogEditChemistry##  Neu|Öffnet ein neues Dokument", false,
         false, false},
        {"BtnUndo", "UndoClick",
         "ZelmarDialogEditChemistry##  Rückgängig|Macht die letzte Eingabe rückgängig", false,
         false, false},
        {"BtnSelect", "SelectClick",
         "ZelmarDialogEditChemistry##  Selektieren|Wechselt in den Selektiermodus", true, false,
         false},
        {"BtnMove", "MoveClick", "ZelmarDialogEditChemistry##  Bewegen|Bewegt die Zeichenfläche",
         true, false, false},
        {"BtnCenter", "CrossHairClick",
         "ZelmarDialogEditChemistry##  Zentrieren|Zentriert die Zeichenfläche auf die einzelnen "
         "Elemente",
         false, false, false},
        {"BtnAlign", "ArrangeClick",
         "ZelmarDialogEditChemistry##  Anordnen|Ordnet die Elemente auf der Zeichenfläche an",
         false, false, false},
        {"BtnDelete", "DeleteClick",
         "ZelmarDialogEditChemistry##  Löschen|Löscht einzelne Elemente", true, false, false},
        {"BtnSingleBond", "SingleBondClick",
         "ZelmarDialogEditChemistry##  Einzelbindung|Zeichnet eine Einzelbindung", true, false,
         false},
        {"BtnDoubleBond", "DoubleBondClick",
         "ZelmarDialogEditChemistry##  Doppelbindung|Zeichnet eine Doppelbindung", true, false,
         false},
        {"BtnTripleBond", "TripleBondClick",
         "ZelmarDialogEditChemistry##  Dreifachbindung|Zeichnet eine Dreifachbindung", true, false,
         false},
        {"BtnUpWedges", "StereoBondUpClick",
         "ZelmarDialogEditChemistry##  Keil|Zeichnet einen Keil", true, false, false},
        {"BtnDownWedges", "StereoBondDownClick",
         "ZelmarDialogEditChemistry##  gestr. Keil|Zeichnet einen gestrichelten Keil", true, false,
         false},
        {"BtnSpecialBonds", "AnyBondClick",
         "ZelmarDialogEditChemistry##  Spez. Bindung|Zeichnet spezielle Bindungen", true, false,
         false},
        {"BtnSingleBondChains", "ChainClick",
         "ZelmarDialogEditChemistry##  gezackte Bindung|Zeichnet eine gezackte Bindung", true,
         false, false},
        {"BtnBrackets", "BracketClick", "ZelmarDialogEditChemistry##  Klammern|Zeichnet Klammern",
         true, false, false},
        {"BtnReacPlus", "PlusClick",
         "ZelmarDialogEditChemistry##  Reaktions-Plus|Zeichnet ein Reaktions-Plus", true, false,
         false},
        {"BtnReacArrow", "RXNArrowClick",
         "ZelmarDialogEditChemistry##  Reaktions-Pfeil|Zeichnet einen Reaktions-Pfeil", true, false,
         false},
        {"BtnMap", "MappingClick", "ZelmarDialogEditChemistry##  Mapping|Zeichnet Mapping-Nummern",
         true, false, false},
        {"BtnAddPosCharge", "ChargePlusClick",
         "ZelmarDialogEditChemistry##  Positive Ladung|Fügt eine positive Ladung zu einem Atom "
         "hinzu",
         true, false, false},
        {"BtnAddNegCharge", "ChargeMinusClick",
         "ZelmarDialogEditChemistry##  Negative Ladung|Fügt eine negative Ladung zu einem Atom "
         "hinzu",
         true, false, false},
        {"BtnChiral", "ChiralClick",
         "ZelmarDialogEditChemistry##  Chiral-Flag|Zeichnet ein Chiral-Flag", true, false, false},
        {"BtnInfo", "InfoClick",
         "ZelmarDialogEditChemistry##  Info|Zeigt Infos über das Programm an", false, false, true},
        // Left tool bar: rings, then atoms.
        {"BtnPropan", "TriangleClick",
         "ZelmarDialogEditChemistry##  Cyclo-Propan|Zeichnet einen Propan-Kreis", true, true,
         false},
        {"BtnButan", "SquareClick",
         "ZelmarDialogEditChemistry##  Cyclo-Butan|Zeichnet einen Butan-Kreis", true, true, false},
        {"BtnPentan", "Pentagon1Click",
         "ZelmarDialogEditChemistry##  Cyclo-Pentan|Zeichnet einen Pentan-Kreis", true, true,
         false},
        {"BtnPentadiene", "Pentagon2Click",
         "ZelmarDialogEditChemistry##  Cyclo-Pentadien|Zeichnet einen Pentadien-Kreis", true, true,
         false},
        {"BtnHexan", "Hexagon1Click",
         "ZelmarDialogEditChemistry##  Cyclo-Hexan|Zeichnet einen Hexan-Kreis", true, true, false},
        {"BtnBenzen1", "Hexagon2Click",
         "ZelmarDialogEditChemistry##  Benzen|Zeichnet einen Benzen-Kreis", true, true, false},
        {"BtnBenzen2", "Hexagon3Click",
         "ZelmarDialogEditChemistry##  Benzen|Zeichnet einen Benzen-Kreis", true, true, false},
        {"BtnHeptan", "HeptagonClick",
         "ZelmarDialogEditChemistry##  Cyclo-Heptan|Zeichnet einen Heptan-Kreis", true, true,
         false},
        {"BtnOktan", "OctagonClick",
         "ZelmarDialogEditChemistry##  Cyclo-Oktan|Zeichnet einen Oktan-Kreis", true, true, false},
        {"BtnC", "AtomCClick", "ZelmarDialogEditChemistry##  C-Atom|Zeichnet ein C-Atom", true,
         true, false},
        {"BtnN", "AtomNClick", "ZelmarDialogEditChemistry##  N-Atom|Zeichnet ein N-Atom", true,
         true, false},
        {"BtnO", "AtomOClick", "ZelmarDialogEditChemistry##  O-Atom|Zeichnet ein O-Atom", true,
         true, false},
        {"BtnS", "AtomSClick", "ZelmarDialogEditChemistry##  S-Atom|Zeichnet ein S-Atom", true,
         true, false},
        {"BtnF", "AtomFClick", "ZelmarDialogEditChemistry##  F-Atom|Zeichnet ein F-Atom", true,
         true, false},
        {"BtnCl", "AtomClClick", "ZelmarDialogEditChemistry##  Cl-Atom|Zeichnet ein Cl-Atom", true,
         true, false},
        {"BtnBr", "AtomBrClick", "ZelmarDialogEditChemistry##  Br-Atom|Zeichnet ein Br-Atom", true,
         true, false},
        {"BtnP", "AtomPClick", "ZelmarDialogEditChemistry##  P-Atom|Zeichnet ein P-Atom", true,
         true, false},
        {"BtnAtomDlg", "AtomXClick",
         "ZelmarDialogEditChemistry##  Periodensystem|Öffnet das Periodensystem", false, true,
         true},
        {"BtnA", "AtomAClick", "ZelmarDialogEditChemistry##  Any Atom|Zeichnet ein 'Any Atom'",
         true, true, false},
        {"BtnQ", "AtomQClick", "ZelmarDialogEditChemistry##  Query Atom|Zeichnet ein Query Atom",
         true, true, false},
    };
    return buttons;
}

namespace {

constexpr int kSize = 24;
const QColor kInk(0x26, 0x32, 0x38);

QPointF Corner(int sides, int i, double radius) {
    // The first corner points up, as ring templates are usually drawn.
    const double angle = -M_PI / 2 + 2 * M_PI * i / sides;
    return {12 + radius * std::cos(angle), 12.5 + radius * std::sin(angle)};
}

// A ring of sides corners; inner lines on the listed edges mark double bonds.
void PaintRing(QPainter& p, int sides, std::initializer_list<int> doubleEdges,
               bool aromatic = false) {
    QPolygonF ring;
    for (int i = 0; i < sides; ++i) ring << Corner(sides, i, 9);
    p.drawPolygon(ring);
    for (int edge : doubleEdges) {
        const QPointF a = Corner(sides, edge, 6.2), b = Corner(sides, edge + 1, 6.2);
        p.drawLine(a + (b - a) * 0.15, b - (b - a) * 0.15);
    }
    if (aromatic) p.drawEllipse(QPointF(12, 12.5), 4.5, 4.5);
}

void PaintText(QPainter& p, const QString& text, const QColor& colour, int pixelSize) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void PaintArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head;
    head << to << to - d * 5 + n * 3 << to - d * 5 - n * 3;
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void PaintWedge(QPainter& p, bool hashed) {
    const QPointF tip(5, 19), end(19, 5);
    const QPointF n(3, 3);  // half the width at the wide end, across the bond
    if (!hashed) {
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF() << tip << end + n << end - n);
        p.setBrush(Qt::NoBrush);
        return;
    }
    for (int i = 1; i <= 6; ++i) {
        const double t = i / 6.0;
        const QPointF c = tip + (end - tip) * t;
        p.drawLine(c + n * t, c - n * t);
    }
}

void PaintSymbol(QPainter& p, const char* name) {
    const auto is = [name](const char* other) { return std::strcmp(name, other) == 0; };
    const QPointF a(5, 19), b(19, 5), shift(2.2, 2.2);
    if (is("BtnSingleBond")) {
        p.drawLine(a, b);
    } else if (is("BtnDoubleBond")) {
        p.drawLine(a - shift, b - shift);
        p.drawLine(a + shift, b + shift);
    } else if (is("BtnTripleBond")) {
        p.drawLine(a, b);
        p.drawLine(a - shift * 1.6, b - shift * 1.6);
        p.drawLine(a + shift * 1.6, b + shift * 1.6);
    } else if (is("BtnUpWedges") || is("BtnDownWedges")) {
        PaintWedge(p, is("BtnDownWedges"));
    } else if (is("BtnSpecialBonds")) {
        QPen pen = p.pen();
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.drawLine(a, b);
    } else if (is("BtnSingleBondChains")) {
        p.drawPolyline(QPolygonF() << QPointF(3, 15) << QPointF(8, 9) << QPointF(12, 15)
                                   << QPointF(16, 9) << QPointF(21, 15));
    } else if (is("BtnPropan")) {
        PaintRing(p, 3, {});
    } else if (is("BtnButan")) {
        PaintRing(p, 4, {});
    } else if (is("BtnPentan")) {
        PaintRing(p, 5, {});
    } else if (is("BtnPentadiene")) {
        PaintRing(p, 5, {1, 3});
    } else if (is("BtnHexan")) {
        PaintRing(p, 6, {});
    } else if (is("BtnBenzen1")) {
        PaintRing(p, 6, {0, 2, 4});
    } else if (is("BtnBenzen2")) {
        PaintRing(p, 6, {}, true);
    } else if (is("BtnHeptan")) {
        PaintRing(p, 7, {});
    } else if (is("BtnOktan")) {
        PaintRing(p, 8, {});
    } else if (is("BtnBrackets")) {
        p.drawPolyline(QPolygonF()
                       << QPointF(8, 4) << QPointF(4, 4) << QPointF(4, 20) << QPointF(8, 20));
        p.drawPolyline(QPolygonF()
                       << QPointF(16, 4) << QPointF(20, 4) << QPointF(20, 20) << QPointF(16, 20));
    } else if (is("BtnReacPlus")) {
        p.drawLine(QPointF(12, 5), QPointF(12, 19));
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
    } else if (is("BtnReacArrow")) {
        PaintArrow(p, QPointF(3, 12), QPointF(21, 12));
    } else if (is("BtnMap")) {
        PaintText(p, QStringLiteral("1:1"), kInk, 10);
    } else if (is("BtnAddPosCharge") || is("BtnAddNegCharge")) {
        p.drawEllipse(QPointF(12, 12), 8, 8);
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        if (is("BtnAddPosCharge")) p.drawLine(QPointF(12, 8), QPointF(12, 16));
    } else if (is("BtnChiral")) {
        PaintText(p, QStringLiteral("Chi"), kInk, 10);
    } else if (is("BtnInfo")) {
        p.drawEllipse(QPointF(12, 12), 9, 9);
        PaintText(p, QStringLiteral("i"), QColor(0x15, 0x65, 0xc0), 13);
    } else if (is("BtnSelect")) {
        QPen pen = p.pen();
        pen.setStyle(Qt::DashLine);
        pen.setWidthF(1.2);
        p.setPen(pen);
        p.drawRect(QRectF(4, 5, 16, 14));
    } else if (is("BtnMove")) {
        PaintArrow(p, QPointF(12, 12), QPointF(12, 3));
        PaintArrow(p, QPointF(12, 12), QPointF(12, 21));
        PaintArrow(p, QPointF(12, 12), QPointF(3, 12));
        PaintArrow(p, QPointF(12, 12), QPointF(21, 12));
    } else if (is("BtnCenter")) {
        p.drawEllipse(QPointF(12, 12), 6, 6);
        p.drawLine(QPointF(12, 2), QPointF(12, 22));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
    } else if (is("BtnAlign")) {
        for (int y : {6, 12, 18}) p.drawLine(QPointF(4, y), QPointF(20, y));
    } else if (is("BtnDelete")) {
        p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
    } else if (is("BtnUndo")) {
        QPainterPath path;
        path.moveTo(6, 10);
        path.cubicTo(10, 4, 20, 6, 19, 14);
        path.cubicTo(18, 19, 12, 20, 9, 18);
        p.drawPath(path);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF() << QPointF(3, 6) << QPointF(9, 13) << QPointF(3, 13));
    } else if (is("BtnNew")) {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF() << QPointF(5, 3) << QPointF(14, 3) << QPointF(19, 8)
                                  << QPointF(19, 21) << QPointF(5, 21));
        p.drawPolyline(QPolygonF() << QPointF(14, 3) << QPointF(14, 8) << QPointF(19, 8));
    } else if (is("BtnAtomDlg")) {
        p.setPen(QPen(kInk, 1));
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 5; ++col)
                if (row > 0 || col == 0 || col == 4)
                    p.drawRect(QRectF(2 + col * 4, 4 + row * 4, 4, 4));
    }
}

// Atom buttons show their symbol in the colour structures use for the element.
QColor ElementColour(const QString& symbol) {
    if (symbol == QLatin1String("N")) return QColor(0x1e, 0x4f, 0xd8);
    if (symbol == QLatin1String("O")) return QColor(0xd3, 0x2f, 0x2f);
    if (symbol == QLatin1String("S")) return QColor(0xb0, 0x8a, 0x00);
    if (symbol == QLatin1String("F") || symbol == QLatin1String("Cl"))
        return QColor(0x2e, 0x7d, 0x32);
    if (symbol == QLatin1String("Br")) return QColor(0x8d, 0x27, 0x1c);
    if (symbol == QLatin1String("P")) return QColor(0xe6, 0x6a, 0x00);
    return kInk;
}

QPixmap Paint(const TZelmarDrawletButton& button, qreal scale) {
    QPixmap pixmap(QSize(kSize, kSize) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QString method = QString::fromLatin1(button.Method);
    const bool atom =
        method.startsWith(QLatin1String("Atom")) && method != QLatin1String("AtomXClick");
    if (atom) {
        const QString symbol = method.mid(4).chopped(5);
        PaintText(p, symbol, ElementColour(symbol), symbol.size() > 1 ? 13 : 15);
    } else {
        PaintSymbol(p, button.Name);
    }
    return pixmap;
}

}  // namespace

QIcon DrawletButtonIcon(const TZelmarDrawletButton& button) {
    QIcon icon;
    icon.addPixmap(Paint(button, 1));
    icon.addPixmap(Paint(button, 2));
    return icon;
}
