// The alphanumeric search dialog: which query panel a field's kind shows, when "Suchen" may
// be pressed, what the number edits let through, and the query and options it gives back.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "ZelmarDialogTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_Dialog_SearchAlphanumeric.h"
#include "Zelmar_HelpHeader.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SearchEngine.h"

namespace {

// A sheet's fields: the defaults and two data fields.
struct TFields {
    TZelmarFieldList List;
    TFields() {
        List.CreateDefaultFields();
        List.CreateField("NAME", ecsdtDataText, "");
        List.CreateField("CAS", ecsdtDataText, "CAS number");
    }
    TZelmarDialog_SearchAlphanumeric::TEnumFieldsEvent Searchable() {
        return [this](TZelmarFieldRefs& out) { List.EnumSearchableFields(out); };
    }
    TZelmarDialog_SearchAlphanumeric::TEnumFieldsEvent OnlyMolecules() {
        return [this](TZelmarFieldRefs& out) {
            out.AddObject("", List.GetFieldByName(kFieldNameChemistry));
        };
    }
};

// Searchable default fields come first: formula (0), weight (1), then NAME (2), CAS (3).
constexpr int kFormulaRow = 0;
constexpr int kWeightRow = 1;
constexpr int kNameRow = 2;

void ShowAndPick(TZelmarDialog_SearchAlphanumeric& dialog, int row) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ClickRow(dialog.LbFieldList, row);
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
}

}  // namespace

class TestSearchAlphanumericDialog : public QObject {
    Q_OBJECT

private slots:
    void withoutAnEnumeratorItCannotBeMade() {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 TZelmarDialog_SearchAlphanumeric(nullptr, nullptr));
    }

    void theFieldsKindChoosesThePanel() {
        TFields fields;
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
        ShowAndPick(dialog, kFormulaRow);
        QCOMPARE(dialog.LbFieldList->count(), 4);
        QVERIFY(dialog.PanelSearchString->isVisible());
        QVERIFY(!dialog.PanelSearchFloat->isVisible());
        ClickRow(dialog.LbFieldList, kWeightRow);
        QVERIFY(!dialog.PanelSearchString->isVisible());
        QVERIFY(dialog.PanelSearchFloat->isVisible());
        QCOMPARE(dialog.GetCurrentSearchField()->Name, std::string(kFieldNameMolweight));
        ClickRow(dialog.LbFieldList, kNameRow);
        QVERIFY(dialog.PanelSearchString->isVisible());
        QCOMPARE(dialog.GetCurrentSearchField()->Name, std::string("NAME"));
    }

    void onlyMoleculeFieldsShowNoPanelAndNeverSearch() {
        TFields fields;
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.OnlyMolecules());
        ShowAndPick(dialog, 0);
        QVERIFY(!dialog.PanelSearchString->isVisible());
        QVERIFY(!dialog.PanelSearchFloat->isVisible());
        QVERIFY(!dialog.BtnOk->isEnabled());
        QVERIFY(dialog.GetCurrentSearchData() == nullptr);
    }

    void aTextQueryNeedsMoreThanBlanksAndComesBackTrimmed() {
        TFields fields;
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
        ShowAndPick(dialog, kNameRow);
        QVERIFY(!dialog.BtnOk->isEnabled());
        QTest::keyClicks(dialog.EdSearchString, QStringLiteral("   "));
        QVERIFY(!dialog.BtnOk->isEnabled());
        QTest::keyClicks(dialog.EdSearchString, QStringLiteral("Benzol  "));
        QVERIFY(dialog.BtnOk->isEnabled());
        const TZelmarDataCarrier* query = dialog.GetCurrentSearchData();
        QVERIFY(query != nullptr);
        QCOMPARE(query->Kind(), ecsdtDataText);
        QCOMPARE(query->Text(), std::string("Benzol"));
        QCOMPARE(dialog.GetSearchOptions(), int(soExact));
        Click(dialog.RbBeginWith);
        QCOMPARE(dialog.GetSearchOptions(), int(soBeginsWith));
        Click(dialog.RbSubstringSearch);
        Click(dialog.ChkCaseSensitive);
        QCOMPARE(dialog.GetSearchOptions(), int(soContains | soCaseSensitive));
        QTest::keyClick(dialog.EdSearchString, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void numberEditsTakeDigitsAndOneSeparatorNotFirst() {
        TFields fields;
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
        ShowAndPick(dialog, kWeightRow);
        const QString separator = QChar::fromLatin1(DisplayDecimalSeparator());
        QTest::keyClicks(dialog.EdFloatStart, separator);
        QCOMPARE(dialog.EdFloatStart->text(), QString());
        QTest::keyClicks(dialog.EdFloatStart, QStringLiteral("-1a2") + separator +
                                                  QStringLiteral("5") + separator +
                                                  QStringLiteral("7e"));
        QCOMPARE(dialog.EdFloatStart->text(),
                 QStringLiteral("12") + separator + QStringLiteral("57"));
        QTest::keyClick(dialog.EdFloatStart, Qt::Key_Backspace);
        QTest::keyClick(dialog.EdFloatStart, Qt::Key_Backspace);
        QTest::keyClick(dialog.EdFloatStart, Qt::Key_Backspace);
        // The separator went with the text; a new one may be typed.
        QTest::keyClicks(dialog.EdFloatStart, separator + QStringLiteral("25"));
        QCOMPARE(dialog.EdFloatStart->text(),
                 QStringLiteral("12") + separator + QStringLiteral("25"));
        const TZelmarDataCarrier* query = dialog.GetCurrentSearchData();
        QVERIFY(query != nullptr);
        QCOMPARE(query->Kind(), ecsdtMolweight);
        QCOMPARE(query->ValueFrom(), 12.25);
        QCOMPARE(dialog.GetSearchOptions(), int(soExact));
        // Pasted text is not typed: it is checked as input instead.
        dialog.EdFloatStart->setText(QStringLiteral("inf"));
        QVERIFY(!dialog.BtnOk->isEnabled());
    }

    // Numbers are typed as the sheet shows them, with the interface language's separator,
    // also when the system's locale has another one (English interface, German system).
    void numbersAreTypedWithTheInterfaceLanguagesSeparator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const char separator : {'.', ','}) {
            SetDisplayDecimalSeparator(separator);
            TFields fields;
            TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
            ShowAndPick(dialog, kWeightRow);
            const char other = separator == '.' ? ',' : '.';
            QTest::keyClicks(dialog.EdFloatStart, QStringLiteral("122") + QChar::fromLatin1(other) +
                                                      QChar::fromLatin1(separator) +
                                                      QStringLiteral("123"));
            QCOMPARE(dialog.EdFloatStart->text(),
                     QStringLiteral("122") + QChar::fromLatin1(separator) + QStringLiteral("123"));
            const TZelmarDataCarrier* query = dialog.GetCurrentSearchData();
            QVERIFY(query != nullptr);
            QCOMPARE(query->ValueFrom(), 122.123);
        }
        SetDisplayDecimalSeparator('.');
        QLocale::setDefault(QLocale::c());
    }

    void aRangeWantsBothEndsAndLessThanOnlyTheFirst() {
        TFields fields;
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
        ShowAndPick(dialog, kWeightRow);
        QVERIFY(!dialog.EdFloatEnd->isEnabled());
        QTest::keyClicks(dialog.EdFloatStart, QStringLiteral("100"));
        QVERIFY(dialog.BtnOk->isEnabled());
        Click(dialog.RbSearchBetween);
        QVERIFY(dialog.EdFloatEnd->isEnabled());
        QVERIFY(!dialog.BtnOk->isEnabled());
        QTest::keyClicks(dialog.EdFloatEnd, QStringLiteral("200"));
        QVERIFY(dialog.BtnOk->isEnabled());
        const TZelmarDataCarrier* query = dialog.GetCurrentSearchData();
        QCOMPARE(query->ValueFrom(), 100.0);
        QCOMPARE(query->ValueTo(), 200.0);
        QCOMPARE(dialog.GetSearchOptions(), int(soRange));
        dialog.EdFloatEnd->clear();
        QVERIFY(!dialog.BtnOk->isEnabled());
        Click(dialog.RbSearchBelow);
        QVERIFY(dialog.BtnOk->isEnabled());
        QVERIFY(!dialog.EdFloatEnd->isEnabled());
        QCOMPARE(dialog.GetSearchOptions(), int(soLessThan));
        Click(dialog.RbSearchOver);
        QCOMPARE(dialog.GetSearchOptions(), int(soGreaterThan));
    }

    void aChoiceLeftInTheHiddenPanelDoesNotChangeATextSearch() {
        TFields fields;
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
        ShowAndPick(dialog, kWeightRow);
        Click(dialog.RbSearchBetween);
        ClickRow(dialog.LbFieldList, kNameRow);
        Click(dialog.RbSubstringSearch);
        QCOMPARE(dialog.GetSearchOptions(), int(soContains));
        Click(dialog.RbBeginWith);
        QCOMPARE(dialog.GetSearchOptions(), int(soBeginsWith));
    }

    void cancelGivesNothingToSearch() {
        TFields fields;
        TDialogWatcher watcher;
        watcher.Expect([](QDialog* shown) {
            auto* dialog = qobject_cast<TZelmarDialog_SearchAlphanumeric*>(shown);
            if (dialog == nullptr) return shown->reject();
            QTest::keyClicks(dialog->EdSearchString, QStringLiteral("x"));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
    }

    void textsInGermanAndEnglish() {
        for (const char* language : {"de", "en"}) {
            TTestLanguage dictionary(language);
            TFields fields;  // the default fields' captions in the language
            TZelmarDialog_SearchAlphanumeric dialog(nullptr, fields.Searchable());
            ShowAndPick(dialog, kNameRow);
            QTest::keyClicks(dialog.EdSearchString, QStringLiteral("Benz"));
            const bool english = QByteArray(language) == "en";
            QCOMPARE(dialog.windowTitle(), english ? QStringLiteral("Alphanumerical search")
                                                   : QStringLiteral("Alphanumerische Suche"));
            QCOMPARE(dialog.BtnOk->text(),
                     english ? QStringLiteral("Search") : QStringLiteral("Suchen"));
            QVERIFY(dialog.vwh->InfoText().contains(QLatin1Char('\n')));
            QCOMPARE(dialog.size(), QSize(537, 375));
            Shot(&dialog,
                 QStringLiteral("search_alphanumeric_text_%1").arg(QLatin1String(language)));
            ClickRow(dialog.LbFieldList, kWeightRow);
            QTest::keyClicks(dialog.EdFloatStart, QStringLiteral("100"));
            Click(dialog.RbSearchBetween);
            Shot(&dialog,
                 QStringLiteral("search_alphanumeric_number_%1").arg(QLatin1String(language)));
        }
    }
};

QTEST_MAIN(TestSearchAlphanumericDialog)
#include "test_search_alphanumeric_dialog.moc"
