#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Translater.h"
#include "vesk_QtDispatcher.h"

class TestToolkit : public QObject {
    Q_OBJECT

private slots:
    void postedCallsRunInTheMainThread() {
        TQtUiDispatcher dispatcher;
        QThread* mainThread = QThread::currentThread();
        std::atomic<int> inMain{0};
        std::thread worker([&] {
            for (int i = 0; i < 100; ++i)
                dispatcher.Post([&] { inMain += QThread::currentThread() == mainThread ? 1 : 0; });
        });
        worker.join();
        QCOMPARE(inMain.load(), 0);  // nothing runs before the event loop does
        QTRY_COMPARE(inMain.load(), 100);
    }

    void postedCallsRunInOrderAndNotAfterTheDispatcherWent() {
        std::vector<int> order;
        auto dispatcher = std::make_unique<TQtUiDispatcher>();
        std::thread worker([&] {
            for (int i = 0; i < 50; ++i) dispatcher->Post([&order, i] { order.push_back(i); });
        });
        worker.join();
        std::vector<int> expected(50);
        for (int i = 0; i < 50; ++i) expected[static_cast<std::size_t>(i)] = i;
        QTRY_COMPARE(order.size(), expected.size());
        QCOMPARE(order, expected);
        bool ran = false;
        dispatcher->Post([&ran] { ran = true; });
        dispatcher.reset();
        QTest::qWait(50);
        QVERIFY(!ran);
    }

    void boxesShowTranslatedTextAndAnswerQuestions() {
        QString shown;
        QTimer::singleShot(50, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(MessageBoxes().AskQuestion("ZelmarWindow##  Wirklich?<BR>Ja"));
        QCOMPARE(shown, QStringLiteral("Wirklich?\nJa"));

        QTimer::singleShot(50, this, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!MessageBoxes().AskQuestion("ZelmarWindow##  Wirklich?"));
    }

    void errorBoxResetsTheBusyCursor() {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        bool cursorWasReset = false;
        QTimer::singleShot(50, this, [&] {
            cursorWasReset = QApplication::overrideCursor() == nullptr;
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        MessageBoxes().ShowError("plain text");
        QVERIFY(cursorWasReset);
    }
};

QTEST_MAIN(TestToolkit)
#include "test_toolkit.moc"
