#include "Zelmar_SearchCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_BusyCursor.h"
#include "Zelmar_Dialog_ChooseField.h"
#include "Zelmar_Dialog_SearchAlphanumeric.h"
#include "Zelmar_Dialog_SearchMolecules.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_PolicyChoice.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace {

QString FieldName(const TZelmarField* field) {
    return field != nullptr ? QString::fromStdString(field->GetDisplayName()) : QString();
}

// What a result window shows in its tool tip: the sheet, the field and the query.
QString QueryOrigin(TZelmarWindow* sheet, const TZelmarField* field,
                    const TZelmarDataCarrier* query) {
    QString what;
    if (query != nullptr && query->IsNumber()) {
        what = QString::number(query->ValueFrom());
        if (query->ValueTo() != query->ValueFrom())
            what += QStringLiteral(" - ") + QString::number(query->ValueTo());
    } else if (query != nullptr) {
        what = QStringLiteral("\"%1\"").arg(QString::fromStdString(query->Text()));
    }
    return ShownText("Zelmar_FormMain##  Suche nach %1 in %2 von %3")
        .arg(what, FieldName(field), QString::fromStdString(sheet->Caption()));
}

}  // namespace

TZelmarSearchCommands::TZelmarSearchCommands(TZelmar_FormMain* form) : QObject(form), Form(form) {
    ActSearchMolecule = MakeAction(form, "ActSearchMolecule", QStringLiteral("search-molecule"));
    ActSearchAlphanumeric =
        MakeAction(form, "ActSearchAlphanumeric", QStringLiteral("search-text"));
    ActSearchDuplicates =
        MakeAction(form, "ActSearchDuplicates", QStringLiteral("search-duplicates"));
    connect(ActSearchMolecule, &QAction::triggered, this, [this] { ActSearchMoleculeExecute(); });
    connect(ActSearchAlphanumeric, &QAction::triggered, this,
            [this] { ActSearchAlphanumericExecute(); });
    connect(ActSearchDuplicates, &QAction::triggered, this,
            [this] { ActSearchDuplicatesExecute(); });
    ActSearchFilter =
        MakeAction(form, "ActSearchFilter", QStringLiteral("search-text"), QKeySequence::Find);
    connect(ActSearchFilter, &QAction::triggered, this, [this] { ActSearchFilterExecute(); });
    for (QAction* action :
         {ActSearchMolecule, ActSearchAlphanumeric, ActSearchDuplicates, ActSearchFilter})
        form->addAction(action);
    Retranslate();
}

void TZelmarSearchCommands::Retranslate() {
    SetCaptionAndHint(ActSearchMolecule, "Zelmar_FormMain##  Suche nach Molekülen...",
                      "Zelmar_FormMain##  Suche nach Molekülen|Durchsucht das aktuelle "
                      "Datenblatt nach Strukturen");
    SetCaptionAndHint(ActSearchAlphanumeric,
                      "Zelmar_FormMain##  Suche nach alphanumerischen Daten...",
                      "Zelmar_FormMain##  Suche nach alphanumerischen Daten|Durchsucht ein Feld "
                      "des aktuellen Datenblattes nach einem Text oder einer Zahl");
    SetCaptionAndHint(ActSearchDuplicates, "Zelmar_FormMain##  Suche nach Duplikaten...",
                      "Zelmar_FormMain##  Suche nach Duplikaten|Findet Datensätze mit gleichen "
                      "Werten oder gleichen Molekülen");
    SetCaptionAndHint(ActSearchFilter, "Zelmar_FormMain##  Filtern...",
                      "Zelmar_FormMain##  Filtern|Zeigt im Datenblatt nur die Datensätze, die "
                      "einem Text, einer Zahl oder einer Struktur entsprechen");
}

void TZelmarSearchCommands::FillMenu(QMenu* menu) const {
    menu->addActions({ActSearchMolecule, ActSearchAlphanumeric});
    menu->addSeparator();
    menu->addAction(ActSearchDuplicates);
    menu->addSeparator();
    menu->addAction(ActSearchFilter);
}

void TZelmarSearchCommands::UpdateActions() {
    const TZelmarWindow* sheet = Form->GetCurrentChildWindow();
    const bool canSearch = sheet != nullptr && sheet->CanSearch();
    ActSearchAlphanumeric->setEnabled(canSearch);
    ActSearchFilter->setEnabled(sheet != nullptr && sheet->CanFilter());
    ActSearchDuplicates->setEnabled(canSearch);
    ActSearchMolecule->setEnabled(canSearch);
}

void TZelmarSearchCommands::ActSearchMoleculeExecute() {
    GuardedVoid("TZelmar_FormMain.ActSearchMoleculeExecute", [&] {
        QPointer<TZelmarWindow> sheet = Form->GetCurrentChildWindow();
        if (sheet.isNull() || !sheet->CanSearch()) return;
        TZelmarDialog_SearchMolecules* dialog;
        {
            const TBusyCursor busy;  // the dialog may still be loading its page
            dialog = Form->SearchMoleculesDialog();
        }
        dialog->SetMolecule(Form->LastMoleculeQuery);
        if (dialog->exec() != QDialog::Accepted || sheet.isNull()) return;
        Form->LastMoleculeQuery = dialog->GetQueryMolecule();
        const int mode = dialog->GetSearchMode();
        const bool stereo = dialog->GetConsiderStereo();
        TZelmarRecordRefs hits;
        bool found = false;
        {
            const TBusyCursor busy;
            found = sheet->SearchForChemistry(Form->LastMoleculeQuery, mode, &hits, stereo);
        }
        if (!found || sheet.isNull()) return;
        const QString kind = mode == 2 ? ShownText("Zelmar_FormMain##  Substruktur")
                                       : ShownText("Zelmar_FormMain##  exakte Struktur");
        const QString origin =
            (stereo ? ShownText("Zelmar_FormMain##  Struktursuche (%1, mit Stereochemie) in %2")
                    : ShownText("Zelmar_FormMain##  Struktursuche (%1) in %2"))
                .arg(kind, QString::fromStdString(sheet->Caption()));
        TZelmarWindow* result = Form->CreateSearchResultWindow(&hits, std::string(), origin);
        // Only a substructure hit has a part that matched; an exact hit matches as a whole.
        if (result == nullptr || mode != soContains) return;
        if (result->SetHitHighlight(Form->LastMoleculeQuery, stereo) &&
            result->parentWidget() != nullptr) {
            result->parentWidget()->setToolTip(
                origin + QLatin1Char('\n') + ShownText("Zelmar_FormMain##  Treffer hervorgehoben"));
        }
    });
}

void TZelmarSearchCommands::ActSearchAlphanumericExecute() {
    GuardedVoid("TZelmar_FormMain.ActSearchAlphanumericExecute", [&] {
        // A sheet whose loading ends with no readable record closes itself, also while the
        // dialog is open.
        QPointer<TZelmarWindow> sheet = Form->GetCurrentChildWindow();
        if (sheet.isNull() || !sheet->CanSearch()) return;
        TZelmarDialog_SearchAlphanumeric dialog(Form, [sheet](TZelmarFieldRefs& fields) {
            if (!sheet.isNull()) sheet->EnumSearchableFields(fields);
        });
        if (dialog.exec() != QDialog::Accepted || sheet.isNull()) return;
        const TZelmarDataCarrier* query = dialog.GetCurrentSearchData();
        const TZelmarField* field = dialog.GetCurrentSearchField();
        if (query == nullptr || field == nullptr) return;
        TZelmarRecordRefs hits;
        if (sheet->SearchFor(field, query, &hits, false, dialog.GetSearchOptions()))
            Form->CreateSearchResultWindow(&hits, std::string(), QueryOrigin(sheet, field, query));
    });
}

void TZelmarSearchCommands::ActSearchDuplicatesExecute() {
    GuardedVoid("TZelmar_FormMain.ActSearchDuplicatesExecute", [&] {
        QPointer<TZelmarWindow> sheet = Form->GetCurrentChildWindow();
        if (sheet.isNull() || !sheet->CanSearch()) return;
        TZelmarDialogChooseFields dialog(Form, [sheet](TZelmarFieldRefs& fields) {
            if (!sheet.isNull()) sheet->EnumSelectableFields(fields);
        });
        dialog.SetConsiderStereoChem(FDuplicateStereo);
        dialog.SetPolicy(FDuplicatePolicy);
        if (dialog.exec() != QDialog::Accepted || sheet.isNull()) return;
        // The boxes as ticked, also where they did not apply to this field.
        FDuplicateStereo = dialog.CbConsiderStereoChem->isChecked();
        FDuplicatePolicy = dialog.PolicyChoice->TickedPolicy();
        const TZelmarField* field = dialog.GetCurrentField();
        const int policy = dialog.Policy();
        TZelmarRecordRefs hits;
        if (!sheet->SearchForDuplicates(field, dialog.ConsiderStereoChem(), &hits, policy)) return;
        const QString fieldName =
            field != nullptr ? FieldName(field) : ShownText("Zelmar_FormMain##  Molekül");
        const QString caption = policy == 0
                                    ? ShownText("Zelmar_FormMain##  Duplikate nach %1 in %2")
                                          .arg(fieldName, QString::fromStdString(sheet->Caption()))
                                    : ShownText("Zelmar_FormMain##  Duplikate nach %1 (%2) in %3")
                                          .arg(fieldName, TZelmarPolicyChoice::Caption(policy),
                                               QString::fromStdString(sheet->Caption()));
        // The window's caption names the policy too: results under different rules differ.
        const std::string windowCaption =
            policy == 0 ? std::string()
                        : Form->GetNextSearchWindowCaption() + " (" +
                              TZelmarPolicyChoice::Caption(policy).toStdString() + ")";
        Form->CreateSearchResultWindow(&hits, windowCaption, caption);
    });
}

void TZelmarSearchCommands::ActSearchFilterExecute() {
    GuardedVoid("TZelmar_FormMain.ActSearchFilterExecute", [&] {
        TZelmarWindow* sheet = Form->GetCurrentChildWindow();
        if (sheet != nullptr) sheet->OpenFilterBar();
    });
}

void TZelmarSearchCommands::PlugFilter(TZelmarWindow* sheet) {
    sheet->OnAskFilterStructure = [this](TZelmarWindow* owner, std::string& molFile, int& options,
                                         bool& considerStereo) {
        return AskFilterStructure(owner, molFile, options, considerStereo);
    };
}

bool TZelmarSearchCommands::AskFilterStructure(TZelmarWindow* sheet, std::string& molFile,
                                               int& options, bool& considerStereo) {
    return Guarded("TZelmar_FormMain.AskFilterStructure", false, [&] {
        QPointer<TZelmarWindow> guard(sheet);
        TZelmarDialog_SearchMolecules* dialog;
        {
            const TBusyCursor busy;  // the dialog may still be loading its page
            dialog = Form->SearchMoleculesDialog();
        }
        dialog->SetMolecule(Form->LastMoleculeQuery);
        if (dialog->exec() != QDialog::Accepted || guard.isNull()) return false;
        Form->LastMoleculeQuery = dialog->GetQueryMolecule();
        molFile = Form->LastMoleculeQuery;
        options = dialog->GetSearchMode();
        considerStereo = dialog->GetConsiderStereo();
        return true;
    });
}
