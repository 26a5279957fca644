#include <QApplication>
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
        QVERIFY(watcher.Texts[0].contains("invalid"));
    }

    void onlyAnOpenArgumentIsHandedOver() {
        auto form = std::make_unique<TZelmar_FormMain>(TCommandLine{});
        QVERIFY(!HandOverToRunningInstance({"/OPENX=a.sdf", "/LNG=EN"}));
        form.reset();
        // Nobody listens any more.
        QVERIFY(!HandOverToRunningInstance({"/OPEN=/tmp/a.sdf"}));
    }

    void languageChoosesTheDictionary() {
        TZelmar_FormMain form({});
        const std::string unknown = "Zelmar_FormMain##  Unbekannte Dateiversion";
        form.SetNewLanguage("ENGLISH");
        QCOMPARE(LoadTranslatedText(unknown), std::string("Unknown file version"));
        // This test program carries no version; the program does.
        QCOMPARE(form.StatusText(), QStringLiteral(" File version: Unknown file version - Zelmar, a tool for SD files"));
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
