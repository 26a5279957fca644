// The load-error dialog on its own: which entries it lists and in what order, how it draws
// them, and that a click hands the record number on while the dialog stays open.
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <vector>

#include "Zelmar_Dialog_ShowLoadErrors.h"

namespace {

// Stands in for a sheet: records at their positions, and the load-error list pointing at some.
struct TSheet {
    std::vector<std::unique_ptr<TZelmarSDFileData>> Records;
    TZelmarRecordRefs Errors;

    explicit TSheet(int count) {
        for (int i = 0; i < count; ++i)
            Records.push_back(std::make_unique<TZelmarSDFileData>(false));
    }
    // Record number n (from 1) failed with the text.
    void Fail(int n, const std::string& text) { Errors.AddObject(text, Records[n - 1].get()); }
    int IndexOf(const TZelmarSDFileData* record) const {
        for (std::size_t i = 0; i < Records.size(); ++i)
            if (Records[i].get() == record) return static_cast<int>(i);
        return -1;
    }
};

std::vector<int> Numbers(const TZelmar_DialogLoadErrors& dialog) {
    std::vector<int> numbers;
    for (const auto& entry : dialog.Entries()) numbers.push_back(entry.RecordNo);
    return numbers;
}

}  // namespace

class TestLoadErrorsDialog : public QObject {
    Q_OBJECT

private slots:
    void listsTheErrorsHighestRecordNumberFirst() {
        TSheet sheet(25);
        sheet.Fail(7, "seven");
        sheet.Fail(3, "three");
        sheet.Fail(20, "twenty");
        TZelmar_DialogLoadErrors dialog;
        dialog.OnGetIndex = [&](const TZelmarSDFileData* record) { return sheet.IndexOf(record); };
        dialog.Init(sheet.Errors);
        QCOMPARE(Numbers(dialog), (std::vector<int>{20, 7, 3}));
        const auto entries = dialog.Entries();
        QCOMPARE(entries[0].Text, std::string("twenty"));
        QCOMPARE(entries[1].Text, std::string("seven"));
        QCOMPARE(entries[2].Text, std::string("three"));
        QCOMPARE(dialog.ListBox->count(), 3);
    }

    void errorsOfRecordsGoneFromTheSheetCountAsZeroAndComeLast() {
        TSheet sheet(5);
        sheet.Fail(2, "two");
        auto gone = std::make_unique<TZelmarSDFileData>(false);
        sheet.Errors.AddObject("gone first", gone.get());
        sheet.Fail(4, "four");
        auto alsoGone = std::make_unique<TZelmarSDFileData>(false);
        sheet.Errors.AddObject("gone second", alsoGone.get());
        sheet.Errors.AddObject("no record at all", nullptr);
        TZelmar_DialogLoadErrors dialog;
        dialog.OnGetIndex = [&](const TZelmarSDFileData* record) { return sheet.IndexOf(record); };
        dialog.Init(sheet.Errors);
        QCOMPARE(Numbers(dialog), (std::vector<int>{4, 2, 0, 0}));
        QCOMPARE(dialog.Entries()[2].Text, std::string("gone first"));
        QCOMPARE(dialog.Entries()[3].Text, std::string("gone second"));
    }

    void withoutAWayToNumberRecordsNothingIsListed() {
        TSheet sheet(3);
        sheet.Fail(1, "one");
        TZelmar_DialogLoadErrors dialog;
        dialog.Init(sheet.Errors);
        QCOMPARE(dialog.ListBox->count(), 0);
    }

    void aFailingHookListsNothingAndDoesNotThrow() {
        TSheet sheet(3);
        sheet.Fail(1, "one");
        TZelmar_DialogLoadErrors dialog;
        dialog.OnGetIndex = [](const TZelmarSDFileData*) -> int { throw std::runtime_error("x"); };
        dialog.Init(sheet.Errors);
        QCOMPARE(dialog.ListBox->count(), 0);
    }

    void clickingAnEntryHandsOnItsNumberAndKeepsTheDialogOpen() {
        TSheet sheet(30);
        sheet.Fail(12, "twelve");
        sheet.Fail(27, "twenty-seven");
        std::vector<int> wanted;
        TZelmar_DialogLoadErrors dialog;
        dialog.OnGetIndex = [&](const TZelmarSDFileData* record) { return sheet.IndexOf(record); };
        dialog.OnGotoIndex = [&](int n) { wanted.push_back(n); };
        dialog.Init(sheet.Errors);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(wanted.empty());  // listing alone scrolls nothing
        const QRect second = dialog.ListBox->visualItemRect(dialog.ListBox->item(1));
        QTest::mouseClick(dialog.ListBox->viewport(), Qt::LeftButton, {}, second.center());
        QVERIFY(!wanted.empty());
        QCOMPARE(wanted.back(), 12);
        QVERIFY(dialog.isVisible());
        // Clicking the same entry again scrolls again: the user may have scrolled away.
        wanted.clear();
        QTest::mouseClick(dialog.ListBox->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(wanted, std::vector<int>{12});
        const QRect first = dialog.ListBox->visualItemRect(dialog.ListBox->item(0));
        QTest::mouseClick(dialog.ListBox->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(wanted.back(), 27);
        dialog.BtnOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void drawsNumberAndTextInTheHeaderColumns() {
        TSheet sheet(3);
        sheet.Fail(3, std::string(400, 'W'));
        TZelmar_DialogLoadErrors dialog;
        dialog.OnGetIndex = [&](const TZelmarSDFileData* record) { return sheet.IndexOf(record); };
        dialog.Init(sheet.Errors);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.HeaderControl->count(), 2);
        QCOMPARE(dialog.HeaderControl->sectionSize(0), 75);
        QCOMPARE(dialog.HeaderControl->sectionSize(1), 5000);
        QCOMPARE(dialog.HeaderControl->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Index"));
        QCOMPARE(dialog.HeaderControl->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Error Text"));
        const QRect row = dialog.ListBox->visualItemRect(dialog.ListBox->item(0));
        QCOMPARE(row.height(), TZelmar_DialogLoadErrors::EntryHeight);
        QCOMPARE(row.width(), dialog.ListBox->viewport()->width());

        // Ink of the number lies inside the first column, the text starts right of it and
        // stops inside the list: one line, shortened.
        const auto inkColumns = [&] {
            const QImage image = dialog.ListBox->viewport()->grab().toImage();
            const QRgb background = image.pixel(image.width() - 1, row.top());
            std::vector<int> columns;
            for (int x = 0; x < image.width(); ++x)
                for (int y = row.top(); y <= row.bottom(); ++y)
                    if (image.pixel(x, y) != background) {
                        columns.push_back(x);
                        break;
                    }
            return columns;
        };
        std::vector<int> ink = inkColumns();
        QVERIFY(!ink.empty());
        QVERIFY(ink.front() >= 2);
        const auto firstTextInk = [](const std::vector<int>& columns, int from) {
            for (int x : columns)
                if (x >= from) return x;
            return -1;
        };
        QVERIFY(firstTextInk(ink, 2 + 75) >= 2 + 75 + 4);
        QVERIFY(ink.back() <= dialog.ListBox->viewport()->width() - 2);
        // A wider first column moves the text along.
        dialog.HeaderControl->resizeSection(0, 150);
        QApplication::processEvents();
        ink = inkColumns();
        QVERIFY(firstTextInk(ink, 2 + 75) >= 2 + 150 + 4);
    }
};

QTEST_MAIN(TestLoadErrorsDialog)
#include "test_load_errors_dialog.moc"
