// Datei -> Exportieren... on a shared file, as a user does it: the dialog answered, the file
// dialog answered, the written file checked against zelmar-tool and against the file read;
// a failing export; the dialog in German and English (ZELMAR_DIALOG_SHOTS=folder).
#include <sys/resource.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "Zelmar_Dialog_Export.h"

using namespace sheetTest;

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes beyond this many bytes fail while the object lives (as on a full disk).
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &FOld); }

private:
    rlimit FOld{};
};

// Answers the export dialog with a format and a record choice, clicking as a user does.
TDialogWatcher::TAnswer Choose(const char* format, const char* records, const QString& shot = {}) {
    return [format, records, shot](QDialog* dialog) {
        auto* formatButton = dialog->findChild<QRadioButton*>(QLatin1String(format));
        auto* recordButton = dialog->findChild<QRadioButton*>(QLatin1String(records));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("BtnOK"));
        if (formatButton == nullptr || recordButton == nullptr || ok == nullptr) {
            dialog->reject();
            return;
        }
        // On the round mark: a radio button takes clicks on its mark and its text only.
        for (QRadioButton* button : {formatButton, recordButton})
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                              QPoint(6, button->height() / 2));
        if (!shot.isEmpty()) Shot(dialog, shot);
        QTest::mouseClick(ok, Qt::LeftButton);
    };
}

QString ToolPath() {
    return QFileInfo(QStringLiteral(ZELMAR_PROGRAM)).dir().filePath(QStringLiteral("zelmar-tool"));
}

// A private copy of a shared file, so that exports land beside it.
QString CopyOf(const QTemporaryDir& dir, const char* name) {
    const QString file = dir.filePath(QLatin1String(name));
    if (!QFile::copy(DataFile(name), file)) return {};
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    return file;
}

}  // namespace

class TestSheetExporting : public QObject {
    Q_OBJECT

private slots:
    void tickedRowsAsCsvAreTheToolsTableWithoutTheUntickedOnes() {
        QTemporaryDir dir;
        const QString file = CopyOf(dir, "nci_aids_props.sdf");
        QVERIFY(!file.isEmpty());
        TShownForm shown;
        QAction* exportAction = shown.Form.findChild<QAction*>("FileExport");
        QVERIFY(exportAction != nullptr);
        shown.Form.UpdateActions();
        QVERIFY(!exportAction->isEnabled());  // no sheet
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        QCOMPARE(sheet->List()->GetCount(), 200);
        ClickCell(sheet->Grid(), 1, 1);
        ClickCell(sheet->Grid(), 1, 5);
        QCOMPARE(sheet->List()->GetUnselectedCount(), 2);
        shown.Form.UpdateActions();
        QVERIFY(exportAction->isEnabled());
        const bool modified = sheet->IsModified();

        TDialogWatcher watcher;
        watcher.Expect(Choose("RbCsv", "RbCheckedRecords", QStringLiteral("export_de")));
        watcher.ExpectFile(dir.filePath("ticked"));  // the suffix comes with the format
        exportAction->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY2(watcher.Unexpected.isEmpty(), qPrintable(watcher.Unexpected.join('|')));
        const QByteArray exported = Bytes(dir.filePath("ticked.csv"));
        QVERIFY(!exported.isEmpty());

        const QString toolOut = dir.filePath("tool.csv");
        QCOMPARE(QProcess::execute(ToolPath(), {"export", file, "-o", toolOut}), 0);
        // This file has no line breaks in its values: one line per record.
        QList<QByteArray> lines = Bytes(toolOut).split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(lines.size(), 201);
        lines.removeAt(5);
        lines.removeAt(1);
        QCOMPARE(exported, lines.join('\n') + '\n');
        // The sheet is as it was: every record, the same ticks, its own file.
        QCOMPARE(sheet->List()->GetCount(), 200);
        QCOMPARE(sheet->List()->GetUnselectedCount(), 2);
        QCOMPARE(sheet->IsModified(), modified);
        QCOMPARE(sheet->List()->GetFileName(), file.toStdString());
    }

    void anSDExportIsTheFileByteForByteAndAsksBeforeReplacing() {
        QTemporaryDir dir;
        const QString file = CopyOf(dir, "crlf_utf8_names.sdf");
        QVERIFY(!file.isEmpty());
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        shown.Form.UpdateActions();
        QAction* exportAction = shown.Form.findChild<QAction*>("FileExport");
        {
            TDialogWatcher watcher;
            watcher.Expect(Choose("RbSDFile", "RbAllRecords"));
            // Another suffix is kept, and the format's is added.
            watcher.ExpectFile(dir.filePath("copy.txt"));
            exportAction->trigger();
            QVERIFY(watcher.AllAnswered());
            QVERIFY(watcher.Unexpected.isEmpty());
        }
        QCOMPARE(Bytes(dir.filePath("copy.txt.sdf")), Bytes(file));
        QVERIFY(!QFile::exists(dir.filePath("copy.txt")));

        // The same name again: the question comes, and No leaves the file alone.
        {
            QFile old(dir.filePath("copy.txt.sdf"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old content");
        }
        TDialogWatcher watcher;
        watcher.Expect(Choose("RbSDFile", "RbAllRecords"));
        watcher.ExpectFile(dir.filePath("copy.txt.sdf"));
        watcher.ExpectNo();
        exportAction->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(watcher.Texts.value(0).contains(dir.filePath("copy.txt.sdf")));
        QCOMPARE(Bytes(dir.filePath("copy.txt.sdf")), QByteArray("old content"));
    }

    void aFailingExportNamesTheFileAndLeavesItsOldContent() {
        QTemporaryDir dir;
        const QString file = CopyOf(dir, "pubchem_sample.sdf");
        QVERIFY(!file.isEmpty());
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        shown.Form.UpdateActions();
        QAction* exportAction = shown.Form.findChild<QAction*>("FileExport");
        for (const char* format : {"RbSDFile", "RbCsv", "RbXlsx"}) {
            const QString target = dir.filePath(QStringLiteral("full.") +
                                                (format == QLatin1String("RbSDFile") ? "sdf"
                                                 : format == QLatin1String("RbCsv")  ? "csv"
                                                                                     : "xlsx"));
            {
                QFile old(target);
                QVERIFY(old.open(QIODevice::WriteOnly));
                old.write("old content");
            }
            TDialogWatcher watcher;
            watcher.Expect(Choose(format, "RbAllRecords"));
            watcher.ExpectFile(target);
            watcher.ExpectYes();  // replace it
            watcher.ExpectOk();   // the failure
            {
                TFileSizeLimit limit(4 * 1024);
                exportAction->trigger();
            }
            QVERIFY2(watcher.AllAnswered(), format);
            QVERIFY(watcher.Unexpected.isEmpty());
            QCOMPARE(watcher.Texts.size(), 2);
            QVERIFY2(watcher.Texts[1].contains(target), qPrintable(watcher.Texts[1]));
            QVERIFY(watcher.Texts[1].contains("konnte nicht geschrieben werden"));
            QCOMPARE(Bytes(target), QByteArray("old content"));
            // Nothing half-written is left beside it.
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
            QFile::remove(target);
        }
    }

    void theDialogSpeaksTheInterfaceLanguage() {
        TTestLanguage english("en");
        TZelmar_DialogExport dialog;
        dialog.SetRecordCounts(245, 12);
        dialog.SetChoice({TZelmarExportFormat::Xlsx, true, false});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Shot(&dialog, QStringLiteral("export_en"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Export"));
        QCOMPARE(dialog.RbCheckedRecords->text(), QStringLiteral("Only the &ticked ones (12)"));
        QCOMPARE(dialog.RbAllRecords->text(), QStringLiteral("&All (245)"));
        QVERIFY(dialog.RbXlsx->isChecked());
        QVERIFY(dialog.CbSmiles->isEnabled());
        dialog.CbSmiles->setChecked(true);
        QVERIFY(dialog.Choice().WithSmiles);
        // An SD file keeps its molecules: no SMILES column to add.
        dialog.RbSDFile->setChecked(true);
        QVERIFY(!dialog.CbSmiles->isEnabled());
        QVERIFY(!dialog.Choice().WithSmiles);
        // Without a ticked record only all records can be chosen.
        dialog.SetRecordCounts(245, 0);
        QVERIFY(!dialog.RbCheckedRecords->isEnabled());
        QVERIFY(dialog.RbAllRecords->isChecked());
        QCOMPARE(dialog.Choice().OnlyChecked, false);
    }
};

QTEST_MAIN(TestSheetExporting)
#include "test_sheet_exporting.moc"
