#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "Zelmar_CheckProcess.h"
#include "Zelmar_Form_Main.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"

// Answers every message box that appears and remembers its text.
class TMessageBoxWatcher : public QObject {
public:
    QStringList Texts;

    TMessageBoxWatcher() {
        connect(&Timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Texts << box->text();
                box->accept();
            }
        });
        Timer.start(20);
    }

private:
    QTimer Timer;
};

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    // Starts a second program with the arguments in the folder and waits until it ends.
    static int RunSecondStart(const QStringList& args, const QString& folder) {
        QProcess second;
        second.setWorkingDirectory(folder);
        second.start(QStringLiteral(ZELMAR_PROGRAM), args);
        if (!second.waitForStarted(10000)) return -1;
        QSignalSpy finished(&second, &QProcess::finished);
        if (!finished.wait(30000)) {
            second.kill();
            return -2;
        }
        return second.exitCode();
    }

private slots:
    void handsARelativePathOverAsAnAbsoluteOne() {
        TZelmar_FormMain form({});
        QVERIFY(form.AcceptsOpenRequests());
        TMessageBoxWatcher watcher;  // the named file does not exist
        QTemporaryDir folder;
        QStringList opened;
        connect(&form, &TZelmar_FormMain::FileOpenRequested, this,
                [&](const QString& path) { opened << path; });

        QCOMPARE(RunSecondStart({"/open=sub/Mixed Case ä.sdf"}, folder.path()), 0);
        QCOMPARE(opened, QStringList{folder.path() + "/sub/Mixed Case ä.sdf"});
    }

    void secondStartWaitsUntilTheRequestIsHandled() {
        TZelmar_FormMain form({});
        TMessageBoxWatcher watcher;  // the named file does not exist
        QProcess* sender = nullptr;
        QProcess::ProcessState stateWhileHandling = QProcess::NotRunning;
        connect(&form, &TZelmar_FormMain::FileOpenRequested, this, [&] {
            // Keep the sender waiting a while: it must not end before we answer.
            QTest::qSleep(300);
            stateWhileHandling = sender->state();
        });
        QProcess second;
        sender = &second;
        second.start(QStringLiteral(ZELMAR_PROGRAM), {"/OPEN=/tmp/a.sdf"});
        QVERIFY(second.waitForStarted(10000));
        QSignalSpy finished(&second, &QProcess::finished);
        QVERIFY(finished.wait(30000));
        QCOMPARE(stateWhileHandling, QProcess::Running);
        QCOMPARE(second.exitCode(), 0);
    }

    void emptyPathIsAnInvalidRequest() {
        TZelmar_FormMain form({});
        TMessageBoxWatcher watcher;
        QSignalSpy opened(&form, &TZelmar_FormMain::FileOpenRequested);
        QTemporaryDir folder;
        QCOMPARE(RunSecondStart({"/OPEN="}, folder.path()), 0);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(watcher.Texts.size(), 1);
        // In the interface language, which follows the system's (German under LANG=de_DE).
        QCOMPARE(watcher.Texts[0],
                 QString::fromStdString(LoadTranslatedText(
                     "Zelmar_FormMain##  Zelmar has received an invalid \"file open\" command "
                     "(zero atom ID)")));
    }

    void onlyNamedFilesAreHandedOver() {
        auto form = std::make_unique<TZelmar_FormMain>(TCommandLine{});
        QVERIFY(!HandOverToRunningInstance({"/LNG=EN", "/noxpstyle"}));
        form.reset();
        // Nobody listens any more.
        QVERIFY(!HandOverToRunningInstance({"/OPEN=/tmp/a.sdf"}));
    }

    // A start on another display of the same user opens its own window; one on the same
    // display, written with its screen number, hands its file over.
    void onlyAStartOnTheSameDisplayHandsItsFileOver() {
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":70");
        TZelmar_FormMain form({});
        if (display.isNull()) {
            qunsetenv("DISPLAY");
        } else {
            qputenv("DISPLAY", display);
        }
        TMessageBoxWatcher watcher;  // the named file does not exist
        QSignalSpy opened(&form, &TZelmar_FormMain::FileOpenRequested);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QProcess other;
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":71"));
        other.setProcessEnvironment(environment);
        other.start(QStringLiteral(ZELMAR_PROGRAM), {"/OPEN=/tmp/a.sdf"});
        QVERIFY(other.waitForStarted(10000));
        // It keeps running with a window of its own.
        QVERIFY(!other.waitForFinished(3000));
        QCOMPARE(opened.count(), 0);
        other.kill();
        other.waitForFinished(10000);

        QProcess same;
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":70.0"));
        same.setProcessEnvironment(environment);
        same.start(QStringLiteral(ZELMAR_PROGRAM), {"/OPEN=/tmp/b.sdf"});
        QVERIFY(same.waitForStarted(10000));
        QSignalSpy finished(&same, &QProcess::finished);
        QVERIFY(finished.wait(30000));
        QCOMPARE(same.exitCode(), 0);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().first().toString(), QStringLiteral("/tmp/b.sdf"));
    }

    void plainFileArgumentsAreHandedOverAfterTheOpenFile() {
        TZelmar_FormMain form({});
        TMessageBoxWatcher watcher;  // the named files do not exist
        QTemporaryDir folder;
        QStringList opened;
        connect(&form, &TZelmar_FormMain::FileOpenRequested, this,
                [&](const QString& path) { opened << path; });

        // "/OPENX=b.sdf" is no switch: it names a file in the root folder.
        QCOMPARE(RunSecondStart({"a.sdf", "/LNG=EN", "/OPENX=b.sdf", "/open=c.sdf", "/tmp/d e.sdf"},
                                folder.path()),
                 0);
        QCOMPARE(opened, (QStringList{folder.path() + "/c.sdf", folder.path() + "/a.sdf",
                                      "/OPENX=b.sdf", "/tmp/d e.sdf"}));
        // Each missing file is reported by its own sheet, the last ones maybe after the hand-over.
        QTRY_COMPARE(watcher.Texts.size(), 4);
    }

    void twoPlainFileArgumentsOpenTwoSheets() {
        const QString one = QStringLiteral(ZELMAR_SDF_DATA_DIR "/pubchem_single.sdf");
        const QString many = QStringLiteral(ZELMAR_SDF_DATA_DIR "/nci_aids_props.sdf");
        if (!QFileInfo::exists(one) || !QFileInfo::exists(many))
            QSKIP("the real SD files are missing");
        TMessageBoxWatcher watcher;
        TZelmar_FormMain form({"/LNG=EN", one.toStdString(), many.toStdString()});
        form.show();
        QVERIFY(QTest::qWaitFor([&] { return form.SheetWindows().size() == 2; }, 30000));
        const auto sheets = form.SheetWindows();
        for (TZelmarWindow* sheet : sheets) {
            QVERIFY(QTest::qWaitFor(
                [&] { return !sheet->Loading() && sheet->List()->GetLoadFinished(); }, 60000));
        }
        QCOMPARE(QString::fromStdString(sheets[0]->Caption()), one);
        QCOMPARE(sheets[0]->List()->GetCount(), 1);
        QCOMPARE(QString::fromStdString(sheets[1]->Caption()), many);
        QCOMPARE(sheets[1]->List()->GetCount(), 200);
        QVERIFY(watcher.Texts.isEmpty());
    }

    void languageChoosesTheDictionary() {
        TZelmar_FormMain form({});
        const std::string unknown = "Zelmar_FormMain##  Unbekannte Dateiversion";
        form.SetNewLanguage("ENGLISH");
        QCOMPARE(LoadTranslatedText(unknown), std::string("Unknown file version"));
        // This test program carries no version; the program does.
        QCOMPARE(
            form.StatusText(),
            QStringLiteral(" File version: Unknown file version - Zelmar, a tool for SD files"));
        QCOMPARE(GetFileVersionString(ZELMAR_PROGRAM), std::string("1.0.0"));
        form.SetNewLanguage("FRA");
        QCOMPARE(LoadTranslatedText(unknown), std::string("Version de fichier inconnue"));
        form.SetNewLanguage("IT");  // no such dictionary: unchanged
        QCOMPARE(LoadTranslatedText(unknown), std::string("Version de fichier inconnue"));
        form.SetNewLanguage("ES");  // known language without texts: native
        QCOMPARE(LoadTranslatedText(unknown), std::string("Unbekannte Dateiversion"));
        form.SetNewLanguage("DEU");
        QCOMPARE(LoadTranslatedText(unknown), std::string("Unbekannte Dateiversion"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
