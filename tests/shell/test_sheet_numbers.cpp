// Columns of numbers as a chemist meets them in a real file: sorted by value from the header,
// switched between numbers and text in the header's menu (and remembered for the file),
// their statistics, number searches on them, and natural order for names with numbers.
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <map>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "Zelmar_ColumnMenu.h"
#include "Zelmar_Dialog_ColumnStatistics.h"
#include "Zelmar_Dialog_EditFields.h"
#include "Zelmar_Dialog_SearchAlphanumeric.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_Sorter.h"

using namespace sheetTest;

namespace {

QAction* Action(TZelmar_FormMain& form, const char* name) {
    form.UpdateActions();
    return form.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

double Number(const std::string& text) {
    double value = 0.0;
    return ParseFloat(text, value) ? value : -1e300;
}

}  // namespace

class TestSheetNumbers : public QObject {
    Q_OBJECT

    TShownForm* Shown = nullptr;
    QTemporaryDir Dir;
    QString File;

    TZelmar_FormMain& Form() { return Shown->Form; }

    std::vector<std::string> Column(TZelmarWindow* sheet, const char* field) {
        std::vector<std::string> values;
        for (int row = 1; row <= sheet->List()->GetCount(); ++row)
            values.push_back(Value(sheet, row, field));
        return values;
    }

    // Right-clicks the column's caption: the column menu, shown, for that column.
    QMenu* ColumnMenuOf(TZelmarWindow* sheet, int column) {
        QWidget* header = sheet->Grid()->ColumnHeaderWidget();
        const QRect cell = sheet->Grid()->CellRect(column, 0);
        const QPoint at = header->mapFrom(sheet->Grid(), cell.center());
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, header->mapToGlobal(at));
        QApplication::sendEvent(header, &click);
        QMenu* menu = sheet->ColumnMenu()->Menu();
        return QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000) ? menu : nullptr;
    }

    QAction* MenuAction(QMenu* menu, const char* name) {
        for (QAction* action : menu->actions())
            if (action->objectName() == QLatin1String(name)) return action;
        return nullptr;
    }

    void Choose(TZelmarWindow* sheet, int column, const char* action) {
        QMenu* menu = ColumnMenuOf(sheet, column);
        QVERIFY(menu != nullptr);
        QAction* chosen = MenuAction(menu, action);
        QVERIFY(chosen != nullptr && chosen->isEnabled());
        chosen->trigger();
        menu->hide();
    }

    void CloseAll() {
        TDialogWatcher watcher;
        for (TZelmarWindow* sheet : Form().SheetWindows())
            if (sheet->IsModified()) watcher.ExpectDiscard();
        Form().MdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }

private slots:
    void initTestCase() {
        UseOwnSettings();
        File = Dir.filePath(QStringLiteral("props.sdf"));
        QVERIFY(QFile::copy(DataFile("nci_aids_props.sdf"), File));
    }

    void init() { Shown = new TShownForm; }

    void cleanup() {
        CloseAll();
        delete Shown;
        Shown = nullptr;
    }

    void aNumberColumnSortsByValueAndTheChoiceOfTextIsKeptForTheFile() {
        TZelmarWindow* sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        const int clogp = ColumnOf(sheet, "CLOGP");
        QVERIFY(sheet->List()->GetFieldByName("CLOGP")->Numeric);
        QMenu* menu = ColumnMenuOf(sheet, clogp);
        QVERIFY(menu != nullptr);
        QVERIFY(MenuAction(menu, "ActColumnNumbers")->isChecked());
        QVERIFY(!MenuAction(menu, "ActColumnNaturalOrder")->isEnabled());
        menu->hide();

        ClickCell(sheet->Grid(), clogp, 0);
        std::vector<std::string> values = Column(sheet, "CLOGP");
        QVERIFY(std::is_sorted(values.begin(), values.end(), [](auto& a, auto& b) {
            return Number(a) < Number(b);
        }));
        // As text, "-0.5" and "10.2" would sit elsewhere: the order is the numbers'.
        QVERIFY(Number(values.front()) < 0);
        ClickCell(sheet->Grid(), clogp, 0);
        values = Column(sheet, "CLOGP");
        QVERIFY(std::is_sorted(values.rbegin(), values.rend(), [](auto& a, auto& b) {
            return Number(a) < Number(b);
        }));

        // As text the sorted column sorts again at once, by its texts, the same way round.
        Choose(sheet, clogp, "ActColumnNumbers");
        QVERIFY(!sheet->List()->GetFieldByName("CLOGP")->Numeric);
        values = Column(sheet, "CLOGP");
        QVERIFY(std::is_sorted(values.rbegin(), values.rend(), [](auto& a, auto& b) {
            return TZelmarSorter::CompareStringKeys(a, b) < 0;
        }));
        CloseAll();

        // Opened again, the file's CLOGP is text as the user chose; another file's is not.
        sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        QVERIFY(!sheet->List()->GetFieldByName("CLOGP")->Numeric);
        Choose(sheet, ColumnOf(sheet, "CLOGP"), "ActColumnNumbers");
        TZelmarWindow* other = Open(Form(), DataFile("nci_aids_props.sdf"));
        QVERIFY(other != nullptr && other->List()->GetFieldByName("CLOGP")->Numeric);
        CloseAll();
        sheet = Open(Form(), File);
        QVERIFY(sheet->List()->GetFieldByName("CLOGP")->Numeric);
    }

    // The field dialog shows a column's kind and changes it, and the file keeps the choice.
    void theFieldDialogShowsAndSetsTheKind() {
        TZelmarWindow* sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        int shown = -1;
        bool enabledForWeight = true;
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* fields = qobject_cast<TZelmarDialog_EditFields*>(dialog);
            QVERIFY(fields != nullptr);
            for (int row = 0; row < fields->LbFieldList->count(); ++row) {
                fields->LbFieldList->setCurrentRow(row);
                const QString name = fields->LbFieldList->item(row)->text();
                if (name == QLatin1String("Molekulargewicht"))
                    enabledForWeight = fields->CbValueKind->isEnabled();
                if (name == QLatin1String("AMW")) break;
            }
            shown = fields->CbValueKind->currentIndex();
            // Chosen with the keyboard, as in any combo box.
            fields->CbValueKind->setFocus();
            QTest::keyClick(fields->CbValueKind, Qt::Key_Up);
            QTest::mouseClick(fields->BtnOk, Qt::LeftButton);
        });
        Action(Form(), "ActEditFields")->trigger();
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(shown, 1);
        QVERIFY(!enabledForWeight);
        QVERIFY(!sheet->List()->GetFieldByName("AMW")->Numeric);
        CloseAll();
        sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        QVERIFY(!sheet->List()->GetFieldByName("AMW")->Numeric);
    }

    // A big file's column of numbers is one long before the file has loaded.
    void aBigFilesNumbersAreNumbersWhileItLoads() {
        const QString big = Dir.filePath(QStringLiteral("big.sdf"));
        {
            QFile out(big);
            QVERIFY(out.open(QIODevice::WriteOnly));
            const QByteArray mol = "\n  made\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
                                   "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                                   "M  END\n";
            for (int i = 0; i < 150000; ++i)
                out.write(mol + "> <IC50>\n" + QByteArray::number(i % 997) + ".5\n\n$$$$\n");
        }
        Form().DoOpenNewFile(big.toStdString());
        TZelmarWindow* sheet = Form().SheetWindows().last();
        bool loadingWhenNumeric = false;
        QVERIFY(QTest::qWaitFor([&] {
            const TZelmarField* field = sheet->List()->GetFieldByName("IC50");
            if (field == nullptr || !field->Numeric) return false;
            loadingWhenNumeric = sheet->Loading();
            return true;
        }, 60000));
        QVERIFY(loadingWhenNumeric);
        QVERIFY(WaitLoaded(sheet));
        QVERIFY(sheet->List()->GetFieldByName("IC50")->Numeric);
    }

    void theStatisticsOfAColumnCountWhatTheFileHolds() {
        TZelmarWindow* sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        std::vector<double> numbers;
        for (const std::string& text : Column(sheet, "CLOGP")) numbers.push_back(Number(text));
        std::sort(numbers.begin(), numbers.end());
        QString figures;
        int bars = 0;
        int topRows = -1;
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* statistics = qobject_cast<TZelmarDialogColumnStatistics*>(dialog);
            QVERIFY(statistics != nullptr);
            figures = statistics->LabelFigures->text();
            bars = static_cast<int>(statistics->Statistics().Histogram.size());
            topRows = statistics->TableTopValues->rowCount();
            QTest::mouseClick(statistics->BtnClose, Qt::LeftButton);
        });
        Choose(sheet, ColumnOf(sheet, "CLOGP"), "ActColumnStatistics");
        QVERIFY(watcher.AllAnswered());
        QVERIFY2(figures.contains(QStringLiteral("Datensätze: 200, leer: 0, keine Zahl: 0")),
                 qPrintable(figures));
        const QString min = QString::fromStdString(FormatFloatGeneral(numbers.front(), ','));
        const QString max = QString::fromStdString(FormatFloatGeneral(numbers.back(), ','));
        QVERIFY2(figures.contains(QStringLiteral("Minimum: ") + min), qPrintable(figures));
        QVERIFY2(figures.contains(QStringLiteral("Maximum: ") + max), qPrintable(figures));
        QCOMPARE(bars, TZelmarColumnStatistics::kHistogramBins);
        QCOMPARE(topRows, 0);  // numbers have their histogram

        // A text column: its most frequent values, the commonest first.
        std::map<std::string, int> counts;
        for (const std::string& text : Column(sheet, "LIPINSKI_VIOLATIONS")) ++counts[text];
        int commonest = 0;
        for (const auto& [text, count] : counts) commonest = std::max(commonest, count);
        std::vector<std::pair<std::string, int>> top;
        watcher.Expect([&](QDialog* dialog) {
            top = qobject_cast<TZelmarDialogColumnStatistics*>(dialog)->Statistics().TopValues;
            dialog->accept();
        });
        Choose(sheet, ColumnOf(sheet, "LIPINSKI_VIOLATIONS"), "ActColumnStatistics");
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(static_cast<int>(top.size()),
                 std::min<int>(static_cast<int>(counts.size()), TZelmarColumnStatistics::kTopValues));
        QCOMPARE(top.front().second, commonest);
    }

    void aNumberSearchOnADataColumnFindsTheValuesAbove() {
        TZelmarWindow* sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        const std::vector<std::string> values = Column(sheet, "CLOGP");
        const auto expected = std::count_if(values.begin(), values.end(),
                                            [](const std::string& v) { return Number(v) > -1.5; });
        QVERIFY(expected > 0 && expected < 200);
        bool numberPanel = false;
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* search = qobject_cast<TZelmarDialog_SearchAlphanumeric*>(dialog);
            QVERIFY(search != nullptr);
            for (int row = 0; row < search->LbFieldList->count(); ++row)
                if (search->LbFieldList->item(row)->text() == QLatin1String("CLOGP"))
                    search->LbFieldList->setCurrentRow(row);
            numberPanel = search->RbSearchOver->isVisible() && !search->EdSearchString->isVisible();
            search->RbSearchOver->click();
            // Typed as a German user types it: a minus and a decimal comma.
            QTest::keyClicks(search->EdFloatStart, QStringLiteral("-1,5"));
            search->BtnOk->click();
        });
        Action(Form(), "ActSearchAlphanumeric")->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(numberPanel);
        TZelmarWindow* result = Form().SheetWindows().last();
        QVERIFY(result != sheet);
        QCOMPARE(result->List()->GetCount(), static_cast<int>(expected));
    }

    void namesWithNumbersInNaturalOrder() {
        TZelmarWindow* sheet = Open(Form(), DataFile("chembl_examples.sdf"));
        QVERIFY(sheet != nullptr);
        const char* id = "chembl_id";
        const int column = ColumnOf(sheet, id);
        QVERIFY(column > 0);
        Choose(sheet, column, "ActColumnNaturalOrder");
        ClickCell(sheet->Grid(), column, 0);
        const std::vector<std::string> ids = Column(sheet, id);
        QVERIFY(std::is_sorted(ids.begin(), ids.end(), [](auto& a, auto& b) {
            return TZelmarSorter::CompareNaturalKeys(a, b) < 0;
        }));
        // In text order the seven digits of CHEMBL1946170 would come first.
        QCOMPARE(ids.back(), std::string("CHEMBL1946170"));
    }

    // The sorted number column and the statistics window in both languages; the pictures go
    // to ZELMAR_DIALOG_SHOTS when it names a folder.
    void screenshotsInGermanAndEnglish() {
        TZelmarWindow* sheet = Open(Form(), File);
        QVERIFY(sheet != nullptr);
        const int clogp = ColumnOf(sheet, "CLOGP");
        ClickCell(sheet->Grid(), clogp, 0);
        sheet->Grid()->scrollTo(sheet->Grid()->model()->index(0, clogp - sheet->Grid()->FixedCols()));
        for (const char* language : {"DE", "EN"}) {
            Form().SetNewLanguage(language);
            const QString suffix = QString::fromLatin1(language).toLower();
            Shot(&Form(), QStringLiteral("sheet_sorted_numbers_") + suffix);
            QString title;
            TDialogWatcher watcher;
            watcher.Expect([&](QDialog* dialog) {
                title = dialog->windowTitle();
                Shot(dialog, QStringLiteral("column_statistics_") + suffix);
                dialog->accept();
            });
            Choose(sheet, clogp, "ActColumnStatistics");
            QVERIFY(watcher.AllAnswered());
            QCOMPARE(title, QString::fromLatin1(language) == "DE"
                                ? QStringLiteral("Spaltenstatistik - CLOGP")
                                : QStringLiteral("Column statistics - CLOGP"));
        }
        Form().SetNewLanguage("DE");
    }
};

QTEST_MAIN(TestSheetNumbers)
#include "test_sheet_numbers.moc"
