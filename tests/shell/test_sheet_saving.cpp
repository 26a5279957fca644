// Saving sheets: the backup of the replaced file, load errors, unticked records, a save that
// fails while writing, and the close query.
#include <sys/resource.h>
#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "SheetWindowTestSupport.h"

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

}  // namespace

class TestSheetSaving : public QObject {
    Q_OBJECT

private slots:
    void savingOverAFileKeepsItAsBackupAndWritesOnlyTickedRecords() {
        QTemporaryDir dir;
        const QString file = dir.filePath("sheet.sdf");
        QVERIFY(QFile::copy(DataFile("nci_aids_props.sdf"), file));
        const QByteArray original = Bytes(file);
        {
            QFile old(dir.filePath("sheet.BAK"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an older backup");
        }
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        ClickCell(sheet->Grid(), 1, 1);
        ClickCell(sheet->Grid(), 1, 5);
        shown.Form.UpdateActions();
        QAction* save = shown.Form.findChild<QAction*>("FileSave");
        QVERIFY(save->isEnabled());
        TDialogWatcher watcher;
        watcher.ExpectOk();  // the two unticked records are named before they go
        save->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(watcher.Texts.first().startsWith("2 Datensätze sind nicht markiert"));
        QCOMPARE(Bytes(dir.filePath("sheet.BAK")), original);
        QCOMPARE(sheet->List()->GetCount(), 198);
        QVERIFY(!sheet->IsModified());
        QCOMPARE(Bytes(file).count("$$$$"), 198);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary left
    }

    void aSheetWithLoadErrorsAsksAndSavesWithoutThem() {
        QTemporaryDir dir;
        const QString file = dir.filePath("broken.sdf");
        QVERIFY(QFile::copy(DataFile("malformed/missing_m_end.sdf"), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray original = Bytes(file);
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        if (!sheet->List()->HasLoadErrors()) QSKIP("the file has no unreadable record here");
        const int count = sheet->List()->GetCount();
        {
            TDialogWatcher watcher;
            watcher.ExpectNo();
            QVERIFY(!sheet->Save(false));
            QVERIFY(watcher.AllAnswered());
            QCOMPARE(Bytes(file), original);
            QVERIFY(!QFile::exists(dir.filePath("broken.BAK")));
            QCOMPARE(sheet->List()->GetCount(), count);
        }
        TDialogWatcher watcher;
        watcher.ExpectYes();
        QVERIFY(sheet->Save(false));
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(!sheet->List()->HasLoadErrors());
        QVERIFY(sheet->List()->GetCount() < count);
        QCOMPARE(Bytes(file).count("$$$$"), sheet->List()->GetCount());
    }

    void aSaveThatFailsWhileWritingLeavesTheFileAsItWas() {
        QTemporaryDir dir;
        const QString file = dir.filePath("big.sdf");
        QVERIFY(QFile::copy(DataFile("pubchem_sample.sdf"), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray original = Bytes(file);
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        ClickCell(sheet->Grid(), 1, 3);
        TDialogWatcher watcher;
        watcher.ExpectOk();  // the unticked record
        watcher.ExpectOk();  // the write error
        bool saved = true;
        {
            TFileSizeLimit limit(64 * 1024);
            saved = sheet->Save(false);
        }
        QVERIFY(!saved);
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(Bytes(file), original);  // the backup went back under the user's name
        QVERIFY(!QFile::exists(dir.filePath("big.BAK")));
        QVERIFY(sheet->IsModified());
        QVERIFY(!sheet->Saving());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    void closingAModifiedSheetAsks() {
        QTemporaryDir dir;
        const QString file = dir.filePath("sheet.sdf");
        QVERIFY(QFile::copy(DataFile("pubchem_sample.sdf"), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray original = Bytes(file);
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, file);
        QVERIFY(sheet != nullptr);
        ClickCell(sheet->Grid(), 1, 2);
        QMdiSubWindow* child = shown.Form.MdiArea()->subWindowList().first();
        {
            // Save, the save fails, and No to closing anyway: the sheet stays.
            TDialogWatcher watcher;
            watcher.ExpectSave();
            watcher.ExpectOk();  // the unticked record
            watcher.ExpectOk();  // the write error
            watcher.ExpectNo();
            TFileSizeLimit limit(64 * 1024);
            QVERIFY(!child->close());
            QVERIFY(watcher.AllAnswered());
            QVERIFY(watcher.Texts.last().contains("konnte nicht gespeichert werden"));
        }
        QCOMPARE(shown.Form.SheetWindows().size(), 1);
        QCOMPARE(Bytes(file), original);
        // Don't save: closes without saving.
        TDialogWatcher watcher;
        watcher.ExpectDiscard();
        QVERIFY(child->close());
        QTRY_VERIFY(shown.Form.SheetWindows().isEmpty());
        QCOMPARE(Bytes(file), original);
    }

    void aNewSheetAsksForANameAndCancellingChangesNothing() {
        QTemporaryDir dir;
        TShownForm shown;
        shown.Form.findChild<QAction*>("FileNew")->trigger();
        TZelmarWindow* sheet = shown.Form.SheetWindows().first();
        TDialogWatcher watcher;
        watcher.ExpectCancel();
        QVERIFY(!sheet->Save(false));
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(sheet->Caption(), std::string("Zelmar1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }
};

QTEST_MAIN(TestSheetSaving)
#include "test_sheet_saving.moc"
