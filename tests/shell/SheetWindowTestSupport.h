#pragma once
// Sheet windows driven as a user drives them: a main window with real files from the shared
// folder, clicks on grid cells, and waiting until a sheet has loaded.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>

#include "ZelmarDialogWatcher.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Window.h"

namespace sheetTest {

inline QString DataFile(const char* name) {
    return QStringLiteral(ZELMAR_SDF_DATA_DIR "/") + QString::fromLatin1(name);
}

inline bool WaitLoaded(TZelmarWindow* sheet, int timeoutMs = 60000) {
    return QTest::qWaitFor(
        [&] { return sheet != nullptr && !sheet->Loading() && sheet->List()->GetLoadFinished(); },
        timeoutMs);
}

// Opens the file in a new sheet of the form and waits until it has loaded.
inline TZelmarWindow* Open(TZelmar_FormMain& form, const QString& file) {
    const int before = static_cast<int>(form.SheetWindows().size());
    form.DoOpenNewFile(file.toStdString());
    if (form.SheetWindows().size() <= before) return nullptr;
    TZelmarWindow* sheet = form.SheetWindows().last();
    if (auto* child = qobject_cast<QMdiSubWindow*>(sheet->parentWidget())) child->showMaximized();
    return WaitLoaded(sheet) ? sheet : nullptr;
}

// The widget under a grid cell's centre and the point in it.
inline QWidget* CellTarget(TZelmarSheetGrid* grid, int column, int row, QPoint& at) {
    if (column >= grid->FixedCols()) {
        grid->scrollTo(grid->model()->index(std::max(row - 1, 0), column - grid->FixedCols()));
        QApplication::processEvents();
    }
    const QRect rect = grid->CellRect(column, row);
    const QPoint centre = rect.center();
    QWidget* target = grid->childAt(centre);
    if (target == nullptr) target = grid;
    at = target->mapFrom(grid, centre);
    return target;
}

inline void ClickCell(TZelmarSheetGrid* grid, int column, int row) {
    QPoint at;
    QWidget* target = CellTarget(grid, column, row, at);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
}

inline void MoveOverCell(TZelmarSheetGrid* grid, int column, int row) {
    QPoint at;
    QWidget* target = CellTarget(grid, column, row, at);
    QCursor::setPos(target->mapToGlobal(at));
    QTest::mouseMove(target, at);
}

// The grid column of the visible field with the name, or -1.
inline int ColumnOf(TZelmarWindow* sheet, const std::string& name) {
    for (int column = 1; column < sheet->Grid()->ColCount(); ++column) {
        const TZelmarField* field = sheet->List()->GetVisibleField(column - 1);
        if (field != nullptr && field->Name == name) return column;
    }
    return -1;
}

inline std::string Value(TZelmarWindow* sheet, int row, const std::string& fieldName) {
    TZelmarSDFileData* record = sheet->List()->GetSDFileData(row - 1);
    TZelmarField* field = sheet->List()->GetFieldByName(fieldName);
    TZelmarDataCarrier data;
    if (record == nullptr || field == nullptr || !record->GetDataForField(field, &data)) return {};
    return data.Text();
}

// Keeps the user settings of this test program (recent files, zoom, column kinds) in a
// folder of its own, emptied, so that test programs running at the same time never share
// them and the user's own settings are never touched. Call before the first settings are read.
inline void UseOwnSettings() {
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
}

// A writable copy of a shared file in the folder, replacing an earlier one, for tests that
// save; empty when it cannot be made.
inline QString WritableCopy(const QTemporaryDir& folder, const char* shared,
                            const char* name = "sheet.sdf") {
    const QString file = folder.filePath(QString::fromLatin1(name));
    QFile::remove(file);
    if (!QFile::copy(DataFile(shared), file)) return {};
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    return file;
}

// Closes every sheet of the form, answering "don't save" for each changed one.
inline void CloseAllSheetsDiscarding(TZelmar_FormMain& form) {
    TDialogWatcher watcher;
    for (TZelmarWindow* sheet : form.SheetWindows())
        if (sheet->IsModified()) watcher.ExpectDiscard();
    form.MdiArea()->closeAllSubWindows();
}

// A form shown offscreen.
struct TShownForm {
    TZelmar_FormMain Form{TCommandLine{"/LNG=DE"}};
    TShownForm() {
        Form.show();
        (void)QTest::qWaitForWindowExposed(&Form);
    }
};

}  // namespace sheetTest
