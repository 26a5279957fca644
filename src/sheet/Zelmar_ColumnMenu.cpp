#include "Zelmar_ColumnMenu.h"

#include <QAction>
#include <QMenu>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Window.h"

TZelmarColumnMenu::TZelmarColumnMenu(TZelmarWindow* sheet)
    : QObject(sheet), FSheet(sheet), FMenu(new QMenu(sheet)) {
    FMenu->setObjectName(QStringLiteral("ColumnMenu"));
    ActColumnNumbers = MakeAction(this, "ActColumnNumbers");
    ActColumnNaturalOrder = MakeAction(this, "ActColumnNaturalOrder");
    ActColumnStatistics = MakeAction(this, "ActColumnStatistics");
    ActColumnNumbers->setCheckable(true);
    ActColumnNaturalOrder->setCheckable(true);
    connect(ActColumnNumbers, &QAction::triggered, this,
            [this](bool checked) { FSheet->SetColumnNumbers(FColumn, checked); });
    connect(ActColumnNaturalOrder, &QAction::triggered, this,
            [this](bool checked) { FSheet->SetColumnNaturalOrder(FColumn, checked); });
    connect(ActColumnStatistics, &QAction::triggered, this,
            [this] { FSheet->ShowColumnStatistics(FColumn); });
    FMenu->addActions({ActColumnNumbers, ActColumnNaturalOrder});
    FMenu->addSeparator();
    FMenu->addAction(ActColumnStatistics);
    Retranslate();
}

void TZelmarColumnMenu::Retranslate() {
    SetCaptionAndHint(ActColumnNumbers, "ZelmarWindow##  Werte als Zahlen",
                      "ZelmarWindow##  Werte als Zahlen|Sortiert, sucht und vergleicht die Werte "
                      "dieser Spalte als Zahlen");
    SetCaptionAndHint(ActColumnNaturalOrder, "ZelmarWindow##  Natürliche Reihenfolge",
                      "ZelmarWindow##  Natürliche Reihenfolge|Sortiert Ziffernfolgen nach ihrem "
                      "Wert (CHEMBL9 vor CHEMBL10)");
    SetCaptionAndHint(ActColumnStatistics, "ZelmarWindow##  Spaltenstatistik...",
                      "ZelmarWindow##  Spaltenstatistik|Zeigt Anzahl, Minimum, Maximum, "
                      "Mittelwert, Median und Verteilung der Werte dieser Spalte");
}

void TZelmarColumnMenu::UpdateActions(const TZelmarField* field) {
    const bool data = field != nullptr && field->Kind == ecsdtDataText;
    ActColumnNumbers->setEnabled(data);
    ActColumnNumbers->setChecked(data && field->Numeric);
    ActColumnNaturalOrder->setEnabled(data && !field->Numeric);
    ActColumnNaturalOrder->setChecked(data && !field->Numeric && field->NaturalOrder);
    ActColumnStatistics->setEnabled(data ||
                                    (field != nullptr && field->Kind == ecsdtMolweight));
}

void TZelmarColumnMenu::Popup(int gridColumn, const QPoint& globalPos) {
    FColumn = gridColumn;
    Retranslate();  // the language may have changed since the sheet opened
    UpdateActions(FSheet->FieldOfColumn(gridColumn));
    FMenu->popup(globalPos);
}
