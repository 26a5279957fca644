#include "Zelmar_ColumnMenu.h"

#include <QAction>
#include <QMenu>
#include <utility>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Translater.h"
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

    FIdentifiers = new QMenu(FMenu);
    FIdentifiers->setObjectName(QStringLiteral("IdentifiersMenu"));
    ActColumnSmiles = MakeAction(this, "ActColumnSmiles");
    ActColumnInchi = MakeAction(this, "ActColumnInchi");
    ActColumnInchiKey = MakeAction(this, "ActColumnInchiKey");
    for (const auto& [action, kind] :
         {std::pair{ActColumnSmiles, ecsdtSmiles}, std::pair{ActColumnInchi, ecsdtInchi},
          std::pair{ActColumnInchiKey, ecsdtInchiKey}}) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, kind = kind](bool checked) { FSheet->SetIdentifierColumn(kind, checked); });
        FIdentifiers->addAction(action);
    }
    ActColumnTakeOver = MakeAction(this, "ActColumnTakeOver");
    connect(ActColumnTakeOver, &QAction::triggered, this,
            [this] { FSheet->TakeOverIdentifierColumn(FColumn); });
    FMenu->addSeparator();
    FMenu->addMenu(FIdentifiers);
    FMenu->addAction(ActColumnTakeOver);
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
    FIdentifiers->setTitle(
        QString::fromStdString(LoadTranslatedText("ZelmarWindow##  Kennungen einblenden")));
    SetCaptionAndHint(ActColumnSmiles, "ZelmarWindow##  SMILES",
                      "ZelmarWindow##  SMILES|Zeigt die kanonischen SMILES der Moleküle in einer "
                      "eigenen Spalte");
    SetCaptionAndHint(ActColumnInchi, "ZelmarWindow##  InChI",
                      "ZelmarWindow##  InChI|Zeigt die Standard-InChI der Moleküle in einer "
                      "eigenen Spalte");
    SetCaptionAndHint(ActColumnInchiKey, "ZelmarWindow##  InChIKey",
                      "ZelmarWindow##  InChIKey|Zeigt die Standard-InChIKeys der Moleküle in "
                      "einer eigenen Spalte");
    SetCaptionAndHint(ActColumnTakeOver, "ZelmarWindow##  Als Datenfeld übernehmen",
                      "ZelmarWindow##  Als Datenfeld übernehmen|Macht aus dieser Spalte ein "
                      "Datenfeld mit den Werten aller Datensätze, das gespeichert wird");
}

void TZelmarColumnMenu::UpdateActions(const TZelmarField* field) {
    const bool data = field != nullptr && field->Kind == ecsdtDataText;
    ActColumnNumbers->setEnabled(data);
    ActColumnNumbers->setChecked(data && field->Numeric);
    ActColumnNaturalOrder->setEnabled(data && !field->Numeric);
    ActColumnNaturalOrder->setChecked(data && !field->Numeric && field->NaturalOrder);
    ActColumnStatistics->setEnabled(data || (field != nullptr && field->Kind == ecsdtMolweight));
    const bool canChange = FSheet->IsIdle();
    for (const auto& [action, kind] :
         {std::pair{ActColumnSmiles, ecsdtSmiles}, std::pair{ActColumnInchi, ecsdtInchi},
          std::pair{ActColumnInchiKey, ecsdtInchiKey}}) {
        action->setChecked(FSheet->HasIdentifierColumn(kind));
        action->setEnabled(canChange);
    }
    ActColumnTakeOver->setEnabled(field != nullptr && ZelmarIsIdentifierKind(field->Kind) &&
                                  FSheet->CanEditFields());
}

void TZelmarColumnMenu::Popup(int gridColumn, const QPoint& globalPos) {
    FColumn = gridColumn;
    Retranslate();  // the language may have changed since the sheet opened
    UpdateActions(FSheet->FieldOfColumn(gridColumn));
    FMenu->popup(globalPos);
}
