#include "Zelmar_ExportCommand.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

#include "Zelmar_BusyCursor.h"
#include "Zelmar_Dialog_Export.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// The last choice, for the next export in this run.
TZelmarExportChoice& LastChoice() {
    static TZelmarExportChoice choice;
    return choice;
}

// The file to write, with the format's suffix; empty when cancelled. Starts beside the
// sheet's file, under its name.
std::string AskTarget(QWidget* owner, TZelmarWindow* sheet, TZelmarExportFormat format) {
    const QString suffix = TZelmar_DialogExport::Suffix(format);
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setWindowTitle(Shown("Zelmar_DialogExport##  Exportieren nach"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Asked below, once the name has its suffix.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilter(TZelmar_DialogExport::NameFilter(format));
    const QFileInfo source(QString::fromStdString(sheet->List()->GetFileName()));
    const QString base = source.fileName().isEmpty() ? QString::fromStdString(sheet->Caption())
                                                     : source.completeBaseName();
    if (source.fileName().isEmpty()) {
        dialog.selectFile(base + QLatin1Char('.') + suffix);
    } else {
        dialog.setDirectory(source.absolutePath());
        dialog.selectFile(source.absoluteDir().filePath(base + QLatin1Char('.') + suffix));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().first().trimmed();
    // A name with another suffix keeps it and gets the format's, so that no program reads
    // the file as something it is not.
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + suffix;
    if (QFileInfo::exists(path) &&
        !MessageBoxes().AskQuestion(
            FillPlaceholders(LoadTranslatedText("Zelmar_DialogExport##  Die Datei \"%s\" gibt es "
                                                "schon.<BR>Möchten Sie sie ersetzen?"),
                             {path.toStdString()})))
        return {};
    return path.toStdString();
}

}  // namespace

bool ExportSheetAsked(QWidget* owner, TZelmarWindow* sheet) {
    return Guarded("TZelmar_FormMain.FileExportExecute", false, [&] {
        if (sheet == nullptr || !sheet->CanSaveAs()) return false;
        // A cell being typed in belongs to the sheet that is exported.
        sheet->Grid()->CloseEditor();
        TZelmarSDFileDataList& list = *sheet->List();
        TZelmar_DialogExport ask(owner);
        ask.SetRecordCounts(list.GetCount(), list.GetCount() - list.GetUnselectedCount());
        ask.SetChoice(LastChoice());
        if (ask.exec() != QDialog::Accepted) return false;
        const TZelmarExportChoice choice = ask.Choice();
        LastChoice() = choice;
        const std::string path = AskTarget(owner, sheet, choice.Format);
        if (path.empty()) return false;

        // Modal once it shows (after a short while), so that nothing closes, sorts or edits
        // the sheet while its records are written.
        QProgressDialog progress(
            QString::fromStdString(FillPlaceholders(
                LoadTranslatedText("Zelmar_DialogExport##  Exportiere \"%s\" ..."), {path})),
            Shown("Zelmar_DialogExport##  Abbrechen"), 0, 100, owner);
        progress.setObjectName(QStringLiteral("ExportProgress"));
        progress.setWindowTitle(Shown("Zelmar_DialogExport##  Exportieren"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        TBusyCursor busy;
        TZelmarExportOptions options;
        options.Format = choice.Format;
        options.OnlyChecked = choice.OnlyChecked;
        options.WithSmiles = choice.WithSmiles;
        int shown = -1;
        std::string error;
        const TZelmarExportResult result = ZelmarExportSheet(
            list, options, path,
            [&](int percent) {
                if (percent != shown) progress.setValue(shown = percent);
                return !progress.wasCanceled();
            },
            error);
        progress.close();
        if (result == TZelmarExportResult::Failed)
            MessageBoxes().ShowError(FillPlaceholders(
                LoadTranslatedText("Zelmar_DialogExport##  Die Datei \"%s\" konnte nicht "
                                   "geschrieben werden.<BR>Fehlermeldung: %s"),
                {path, error.empty() ? "?" : error}));
        return result == TZelmarExportResult::Written;
    });
}
