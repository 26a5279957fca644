// The sheet's status bar: its texts, the progress of long work, the record count and the
// marks for changes and load errors.
#include <QApplication>
#include <QProgressBar>

#include "Zelmar_SheetGrid.h"
#include "Zelmar_SheetStatusBar.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

void TZelmarWindow::StatusText(const std::string& text) {
    FStatusBar->SetStatusText(QString::fromStdString(text));
}

void TZelmarWindow::ShowProgress(int value) {
    FStatusBar->ProgressBar()->setValue(value);
}

bool TZelmarWindow::StatusProgress(int value) {
    return Guarded("TZelmarWindow.StatusProgress", false, [&] {
        // Keeps the window responsive and lets ESC reach the flags while the list works. A
        // search asks before every record, far more often than anyone could see or press,
        // and a progress bar repaints at once when its per cent changes.
        constexpr qint64 kShownEveryMs = 25;
        if (FProgressShown.isValid() && FProgressShown.elapsed() < kShownEveryMs) return true;
        ShowProgress(value);
        QCoreApplication::processEvents();
        FProgressShown.start();
        return true;
    });
}

void TZelmarWindow::ShowProgressBar(bool show) {
    FStatusBar->ProgressBar()->setVisible(show);
}

void TZelmarWindow::ShowRecordInfo(int loaded, int total) {
    std::string text;
    if (loaded == total && FList->Rows().Active()) {
        text = FillPlaceholders(LoadTranslatedText("ZelmarWindow##  %d von %d Einträgen"),
                                {std::to_string(FList->Rows().RowCount()), std::to_string(total)});
    } else if (loaded != total) {
        text = FillPlaceholders(LoadTranslatedText("ZelmarWindow##  %d von %d Einträgen geladen"),
                                {std::to_string(loaded), std::to_string(total)});
    } else if (total == 1) {
        text = LoadTranslatedText("ZelmarWindow##  1 Eintrag");
    } else {
        text = FillPlaceholders(LoadTranslatedText("ZelmarWindow##  %d Einträge"),
                                {std::to_string(total)});
    }
    FStatusBar->SetRecordInfo(QString::fromStdString(text));
}

void TZelmarWindow::UpdateStatusIcons() {
    FStatusBar->SetModified(FModified);
    FStatusBar->SetLoadErrors(FList->HasLoadErrors());
    FStatusBar->update();
}

void TZelmarWindow::SetModified() {
    if (!FModified) FModified = true;
    UpdateStatusIcons();
}

void TZelmarWindow::SetBusyCursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    }
}

void TZelmarWindow::Refresh() {
    if (FGrid->isVisible()) FGrid->RepaintAll();
}

void TZelmarWindow::RefreshSelection() {
    FGrid->RepaintCell(FSelectedCol, FSelectedRow);
}
