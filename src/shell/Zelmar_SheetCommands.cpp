#include "Zelmar_SheetCommands.h"

#include <QAction>
#include <QMenu>

#include "Zelmar_Dialog_GotoRecord.h"
#include "Zelmar_Dialog_ShowLoadErrors.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

void ShowLoadErrorsDialog(QWidget* owner, const TZelmarRecordRefs& errors,
                          std::function<int(const TZelmarSDFileData*)> getIndex,
                          std::function<void(int)> gotoIndex) {
    GuardedVoid("TZelmarWindow.ShowLoadErrors", [&] {
        TZelmar_DialogLoadErrors dialog(owner);
        dialog.OnGetIndex = std::move(getIndex);
        dialog.OnGotoIndex = std::move(gotoIndex);
        dialog.Init(errors);
        dialog.exec();
    });
}

}  // namespace

TZelmarSheetCommands::TZelmarSheetCommands(TZelmar_FormMain* form) : QObject(form), Form(form) {
    ActGotoRecord = new QAction(form);
    ActGotoRecord->setObjectName(QStringLiteral("ActGotoRecord"));
    connect(ActGotoRecord, &QAction::triggered, this, [this] { ActGotoRecordExecute(); });
    form->addAction(ActGotoRecord);
    Retranslate();
}

void TZelmarSheetCommands::Retranslate() {
    ActGotoRecord->setText(Shown("Zelmar_FormMain##  Gehe zu..."));
    const QString hint = Shown(
        "Zelmar_FormMain##  Springt zum angegebenen Datensatz|Springt zum angegebenen "
        "Datensatz des aktuellen Datenblattes");
    ActGotoRecord->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    ActGotoRecord->setStatusTip(hint.section(QLatin1Char('|'), 1));
}

void TZelmarSheetCommands::FillMenu(QMenu* menu) const {
    menu->addAction(ActGotoRecord);
}

void TZelmarSheetCommands::UpdateActions() {
    const TZelmarWindow* sheet = Form->GetCurrentChildWindow();
    ActGotoRecord->setEnabled(sheet != nullptr && sheet->CanGotoRecord());
}

void TZelmarSheetCommands::ActGotoRecordExecute() {
    GuardedVoid("TZelmar_FormMain.ActGotoRecordExecute", [&] {
        // The enabling is recomputed only now and then: ask the sheet again.
        TZelmarWindow* sheet = Form->GetCurrentChildWindow();
        if (sheet != nullptr && sheet->CanGotoRecord()) sheet->DoGotoRecord();
    });
}

bool TZelmarSheetCommands::AskRecordNo(QWidget* owner, int recordCount, int& recordNo) {
    return Guarded("TZelmarWindow.DoGotoRecord", false, [&] {
        TZelmar_DialogGotoRecord dialog(owner);
        dialog.SetRecordCount(recordCount);
        if (dialog.exec() != QDialog::Accepted) return false;
        recordNo = dialog.GetRecordNo();
        return true;
    });
}

void TZelmarSheetCommands::PlugDialogs(TZelmarWindow* sheet) {
    sheet->OnAskRecordNo = &TZelmarSheetCommands::AskRecordNo;
    sheet->OnShowLoadErrorsDialog = &ShowLoadErrorsDialog;
}
