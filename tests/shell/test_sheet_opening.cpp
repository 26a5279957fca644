// Opening files in sheet windows: real files, record information, unusable files and names,
// a second start and dropped files, and the file and window commands.
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "SheetWindowTestSupport.h"
#include "Zelmar_SheetStatusBar.h"
#include "Zelmar_Translater.h"

using namespace sheetTest;

class TestSheetOpening : public QObject {
    Q_OBJECT

private:
    static QAction* Action(TZelmar_FormMain& form, const char* name) {
        return form.findChild<QAction*>(QString::fromLatin1(name));
    }

    // A file of many small records, so that loading takes a noticeable while.
    static QString ManyRecords(const QTemporaryDir& dir, int count) {
        const QString path = dir.filePath(QStringLiteral("many.sdf"));
        std::ofstream out(path.toStdString(), std::ios::binary);
        for (int i = 0; i < count; ++i) {
            out << "rec\n  test\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
                   "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                   "    1.2000    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
                   "  1  2  1  0\nM  END\n>  <No>\n"
                << i << "\n\n$$$$\n";
        }
        return path;
    }

public:
    // Three records, the second without the end of its molecule.
    static QString BrokenSecondRecord(const QTemporaryDir& dir) {
        const QString path = dir.filePath(QStringLiteral("broken.sdf"));
        const std::string atom =
            "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n";
        const std::string head = "\n  test\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n" + atom;
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << "a" << head << "M  END\n>  <No>\n1\n\n$$$$\n"
            << "b" << head << ">  <No>\n2\n\n$$$$\n"
            << "c" << head << "M  END\n>  <No>\n3\n\n$$$$\n";
        return path;
    }

private slots:
    void opensARealFileWithOneRowPerRecordAndOneColumnPerField() {
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, DataFile("nci_aids_props.sdf"));
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        QCOMPARE(sheet->List()->GetCount(), 200);
        QCOMPARE(grid->RowCount(), 202);  // captions, 200 records, the new-record row
        QCOMPARE(grid->ColCount(), sheet->List()->GetVisibleFieldCount() + 1);
        QVERIFY(ColumnOf(sheet, "CLOGP") > 0);
        QCOMPARE(grid->FixedCols(), 2);  // row numbers and check boxes
        QCOMPARE(grid->ColWidth(1), 32);
        QCOMPARE(grid->RowHeight(0), 24);
        QVERIFY(grid->ColWidth(0) >= grid->fontMetrics().horizontalAdvance("202"));
        QCOMPARE(sheet->StatusBar()->RecordInfo(), QStringLiteral("200 Einträge"));
        QVERIFY(sheet->StatusBar()->StatusText().isEmpty());
        QVERIFY(!sheet->StatusBar()->ProgressBar()->isVisible());
        QCOMPARE(sheet->Caption(), DataFile("nci_aids_props.sdf").toStdString());
        QVERIFY(!sheet->IsModified());
    }

    void recordInformationTellsOneManyAndPartlyLoaded() {
        TShownForm shown;
        TZelmarWindow* one = Open(shown.Form, DataFile("pubchem_single.sdf"));
        QVERIFY(one != nullptr);
        QCOMPARE(one->StatusBar()->RecordInfo(), QStringLiteral("1 Eintrag"));
        // One of its three records cannot be read.
        QTemporaryDir dir;
        TZelmarWindow* partly = Open(shown.Form, BrokenSecondRecord(dir));
        QVERIFY(partly != nullptr);
        QCOMPARE(partly->StatusBar()->RecordInfo(), QStringLiteral("2 von 3 Einträgen geladen"));
        QVERIFY(partly->List()->HasLoadErrors());
        shown.Form.SetNewLanguage("EN");
        TZelmarWindow* english = Open(shown.Form, DataFile("crlf.sdf"));
        QVERIFY(english != nullptr);
        QCOMPARE(english->StatusBar()->RecordInfo(), QStringLiteral("6 entries"));
        shown.Form.SetNewLanguage("DE");
    }

    void aFileWithoutReadableRecordsIsReportedAndItsSheetCloses() {
        TShownForm shown;
        TDialogWatcher watcher;
        watcher.ExpectOk();
        shown.Form.DoOpenNewFile(DataFile("malformed/empty.sdf").toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(shown.Form.SheetWindows().isEmpty(), 20000);
        QVERIFY(watcher.Unexpected.isEmpty());
        QCOMPARE(watcher.Titles, QStringList{QStringLiteral("Fehlermeldung")});
        QVERIFY(watcher.Texts[0].contains(QStringLiteral("empty.sdf")));
    }

    void invalidNamesCloseTheirSheetAfterTheMessage() {
        TShownForm shown;
        for (const char* name : {"/tmp/file.sd", "   ", ""}) {
            TDialogWatcher watcher;
            watcher.ExpectOk();
            shown.Form.DoOpenNewFile(name);
            QTRY_VERIFY(watcher.AllAnswered());
            QTRY_VERIFY(shown.Form.SheetWindows().isEmpty());
            QVERIFY2(watcher.Texts.value(0).startsWith(QStringLiteral("Ungültiger Dateiname")),
                     name);
        }
        // The extension in any letter case is accepted.
        QTemporaryDir dir;
        const QString upper = dir.filePath(QStringLiteral("UPPER.SDF"));
        QVERIFY(QFile::copy(DataFile("crlf.sdf"), upper));
        TZelmarWindow* sheet = Open(shown.Form, upper);
        QVERIFY(sheet != nullptr);
        QCOMPARE(sheet->List()->GetCount(), 6);
    }

    void aSecondStartOpensItsFileInTheRunningWindow() {
        TShownForm shown;
        QVERIFY(shown.Form.AcceptsOpenRequests());
        QProcess second;
        second.start(QStringLiteral(ZELMAR_PROGRAM), {"/OPEN=" + DataFile("crlf.sdf")});
        QVERIFY(second.waitForStarted(10000));
        QSignalSpy finished(&second, &QProcess::finished);
        QVERIFY(finished.wait(30000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(shown.Form.SheetWindows().size(), 1);
        TZelmarWindow* sheet = shown.Form.SheetWindows().first();
        QVERIFY(WaitLoaded(sheet));
        QCOMPARE(sheet->List()->GetCount(), 6);
    }

    void droppedFilesOpenUntilTheFirstThatIsNoSdFile() {
        TShownForm shown;
        TDialogWatcher watcher;
        watcher.ExpectOk();
        shown.Form.DropFiles({QUrl::fromLocalFile(DataFile("crlf.sdf")),
                              QUrl::fromLocalFile(DataFile("NOTES.md")),
                              QUrl::fromLocalFile(DataFile("pubchem_single.sdf"))});
        QTRY_VERIFY(watcher.AllAnswered());
        QCOMPARE(watcher.Texts,
                 QStringList{QString::fromStdString(LoadTranslatedText(
                     "Zelmar_FormMain##  Invalid file selected. Please select a SD file"))});
        QCOMPARE(shown.Form.SheetWindows().size(), 1);
        QVERIFY(WaitLoaded(shown.Form.SheetWindows().first()));
        QCOMPARE(shown.Form.SheetWindows().first()->List()->GetCount(), 6);
    }

    void commandsFollowTheCurrentSheetAndTheWindowMenuListsSheets() {
        TShownForm shown;
        TZelmar_FormMain& form = shown.Form;
        form.UpdateActions();
        QVERIFY(Action(form, "FileNew")->isEnabled());
        QVERIFY(Action(form, "FileOpen")->isEnabled());
        QVERIFY(Action(form, "FileExit")->isEnabled());
        for (const char* name : {"FileClose", "FileSave", "FileSaveAs", "WindowCascade",
                                 "WindowTileHorizontal", "ActWindowRestoreAll"})
            QVERIFY2(!Action(form, name)->isEnabled(), name);

        Action(form, "FileNew")->trigger();
        Action(form, "FileNew")->trigger();
        QCOMPARE(form.SheetWindows().size(), 2);
        QCOMPARE(form.SheetWindows()[0]->Caption(), std::string("Zelmar1"));
        QCOMPARE(form.SheetWindows()[1]->Caption(), std::string("Zelmar2"));
        form.MdiArea()->setActiveSubWindow(form.MdiArea()->subWindowList().first());
        form.UpdateActions();
        QVERIFY(Action(form, "FileClose")->isEnabled());
        QVERIFY(!Action(form, "FileSave")->isEnabled());  // not modified
        QVERIFY(Action(form, "FileSaveAs")->isEnabled());
        QVERIFY(Action(form, "WindowTileVertical")->isEnabled());

        auto* menu = form.findChild<QMenu*>(QStringLiteral("MenuWindow"));
        QVERIFY(menu != nullptr);
        emit menu->aboutToShow();
        QStringList listed;
        for (QAction* entry : menu->actions())
            if (entry->objectName() == QLatin1String("WindowListEntry")) listed << entry->text();
        QCOMPARE(listed, (QStringList{"&1 Zelmar1", "&2 Zelmar2"}));

        Action(form, "WindowTileVertical")->trigger();
        const QList<QMdiSubWindow*> children = form.MdiArea()->subWindowList();
        QVERIFY(children[0]->geometry().right() < children[1]->geometry().left());
        Action(form, "WindowMinimizeAll")->trigger();
        QVERIFY(children[0]->isMinimized() && children[1]->isMinimized());
        Action(form, "ActWindowRestoreAll")->trigger();
        QVERIFY(!children[0]->isMinimized() && !children[1]->isMinimized());

        Action(form, "FileClose")->trigger();
        QTRY_COMPARE(form.SheetWindows().size(), 1);
    }

    void aLoadingSheetTakesTicksAndClosesWithoutAsking() {
        QTemporaryDir dir;
        const QString file = ManyRecords(dir, 60000);
        TShownForm shown;
        TDialogWatcher watcher;
        shown.Form.DoOpenNewFile(file.toStdString());
        TZelmarWindow* sheet = shown.Form.SheetWindows().value(0);
        QVERIFY(sheet != nullptr);
        QVERIFY(QTest::qWaitFor([&] { return sheet->Loading() && !sheet->Indexing(); }, 30000));
        if (!sheet->Loading()) QSKIP("the file loaded before the sheet could be used");
        ClickCell(sheet->Grid(), 1, 2);
        QVERIFY(!sheet->List()->GetSDFileData(1)->Selected);
        QVERIFY(sheet->IsModified());
        QVERIFY(sheet->Loading());
        QPointer<TZelmarWindow> alive(sheet);
        shown.Form.MdiArea()->closeAllSubWindows();
        QTRY_VERIFY(alive.isNull());
        QVERIFY(watcher.Texts.isEmpty());
    }

    // While the records load, the counter shows how many have loaded so far.
    void theRecordCounterCountsWhileTheFileLoads() {
        QTemporaryDir dir;
        const QString file = ManyRecords(dir, 60000);
        TShownForm shown;
        shown.Form.DoOpenNewFile(file.toStdString());
        TZelmarWindow* sheet = shown.Form.SheetWindows().value(0);
        QVERIFY(sheet != nullptr);
        QVERIFY(QTest::qWaitFor([&] { return sheet->Loading() && !sheet->Indexing(); }, 30000));
        const QRegularExpression counter(QStringLiteral("^(\\d+) von 60000 Einträgen geladen$"));
        int seen = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QRegularExpressionMatch match =
                    counter.match(sheet->StatusBar()->RecordInfo());
                if (match.hasMatch()) seen = std::max(seen, match.captured(1).toInt());
                return seen > 0 || !sheet->Loading();
            },
            30000));
        // Loading 60000 records takes seconds and the counter moves with every percent.
        QVERIFY(seen > 0 && seen < 60000);
        QVERIFY(WaitLoaded(sheet));
        QCOMPARE(sheet->StatusBar()->RecordInfo(), QStringLiteral("60000 Einträge"));
    }
};

QTEST_MAIN(TestSheetOpening)
#include "test_sheet_opening.moc"
