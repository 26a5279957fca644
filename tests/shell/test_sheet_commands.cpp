// The record commands as a user reaches them: the main window's menus, tool bar and
// shortcuts and the sheet's pop-up menu, on real files. Enabled states follow the sheet's
// state; clipboard, clear, new records and MOL files write through to the records.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "Zelmar_SheetActions.h"
#include "Zelmar_SheetCells.h"
#include "vesk_ChemRoutines.h"

using namespace sheetTest;

namespace {

QAction* Action(TZelmar_FormMain& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

std::string FormulaOf(const std::string& molfile) {
    TveskMolManager molecules;
    std::string formula;
    double mass = 0;
    molecules.GetFormulaAndMass(molfile, formula, mass);
    return formula;
}

// A file of the real records of nci_aids_props.sdf repeated until it takes a while to load.
QString WriteLargeFile(const QString& folder, int copies) {
    QFile source(DataFile("nci_aids_props.sdf"));
    if (!source.open(QIODevice::ReadOnly)) return {};
    const QByteArray records = source.readAll();
    const QString path = folder + "/large.sdf";
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly)) return {};
    for (int i = 0; i < copies; ++i) target.write(records);
    return path;
}

}  // namespace

class TestSheetCommands : public QObject {
    Q_OBJECT

private:
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;

    TZelmar_FormMain& Form() { return Shown->Form; }

    // Makes the cell current, as a click would, and recomputes the commands' states.
    void Select(int column, int row) {
        QVERIFY(Sheet->Grid()->SelectCell(column, row));
        Form().UpdateActions();
    }

    void LeaveWithoutSaving() {
        if (Shown == nullptr) return;
        TDialogWatcher watcher;
        for (TZelmarWindow* sheet : Form().SheetWindows())
            if (sheet->IsModified()) watcher.ExpectDiscard();
        Form().MdiArea()->closeAllSubWindows();
    }

private slots:
    void init() {
        Shown = new TShownForm;
        Sheet = Open(Form(), DataFile("nci_aids_props.sdf"));
        QVERIFY(Sheet != nullptr);
        Sheet->Grid()->setFocus();
        QApplication::clipboard()->clear();
    }

    void cleanup() {
        LeaveWithoutSaving();
        delete Shown;
        Shown = nullptr;
        Sheet = nullptr;
    }

    void commandsFollowTheStateOfTheCurrentSheet() {
        const char* sheetCommands[] = {"ActNewRecord",        "ActSelectAll",  "ActUnselectAll",
                                       "ActDeleteUnSelected", "ActGotoRecord", "ActionCopy"};
        // idle and unmodified, on a text cell
        Select(ColumnOf(Sheet, "CLOGP"), 1);
        for (const char* name : sheetCommands) QVERIFY2(Action(Form(), name)->isEnabled(), name);
        QVERIFY(!Action(Form(), "FileSave")->isEnabled());
        QVERIFY(Action(Form(), "FileSaveAs")->isEnabled());
        QVERIFY(!Action(Form(), "ActDeleteLoadErrors")->isEnabled());  // no load errors

        // modified
        Action(Form(), "ActUnselectAll")->trigger();
        Form().UpdateActions();
        QVERIFY(Sheet->IsModified());
        QVERIFY(Action(Form(), "FileSave")->isEnabled());

        // loading: the loader is held while the states are read
        QTemporaryDir folder;
        const QString large = WriteLargeFile(folder.path(), 150);
        Form().DoOpenNewFile(large.toStdString());
        TZelmarWindow* loading = Form().SheetWindows().last();
        QVERIFY(QTest::qWaitFor([&] { return !loading->Indexing(); }, 60000));
        if (!loading->List()->PauseLoaderThread()) QSKIP("the file loaded before it was held");
        Form().UpdateActions();
        QVERIFY(loading->Loading());
        for (const char* name :
             {"ActSelectAll", "ActUnselectAll", "ActDeleteUnSelected", "FileSave", "FileSaveAs"})
            QVERIFY2(!Action(Form(), name)->isEnabled(), name);
        QVERIFY(Action(Form(), "ActNewRecord")->isEnabled());
        QVERIFY(Action(Form(), "ActGotoRecord")->isEnabled());
        loading->List()->ContinueLoaderThread();
        QVERIFY(WaitLoaded(loading));

        // no sheet at all
        LeaveWithoutSaving();
        QTRY_VERIFY(Form().SheetWindows().isEmpty());
        Form().UpdateActions();
        for (const char* name : sheetCommands) QVERIFY2(!Action(Form(), name)->isEnabled(), name);
        for (const char* name : {"ActionPaste", "ActionClearCell", "ActionImportMOLFile"})
            QVERIFY2(!Action(Form(), name)->isEnabled(), name);
    }

    void clipboardCommandsKnowWhatEachColumnTakes() {
        QApplication::clipboard()->setText(QStringLiteral("not a molecule"));
        // computed columns take nothing, but a weight copies as its number
        for (const std::string& name :
             {std::string(kFieldNameFormula), std::string(kFieldNameMolweight)}) {
            Select(ColumnOf(Sheet, name), 1);
            for (const char* command : {"ActionCut", "ActionPaste", "ActionClearCell"})
                QVERIFY2(!Action(Form(), command)->isEnabled(), command);
        }
        Action(Form(), "ActionCopy")->trigger();
        const double weight = QApplication::clipboard()->text().toDouble();
        QVERIFY(weight > 10.0);
        QVERIFY(!QApplication::clipboard()->text().contains(QLatin1Char(',')));

        // a text that is no molecule pastes into a text column, not into the structure column
        QApplication::clipboard()->setText(QStringLiteral("not a molecule"));
        Select(ColumnOf(Sheet, kFieldNameChemistry), 1);
        QVERIFY(!Action(Form(), "ActionPaste")->isEnabled());
        Select(ColumnOf(Sheet, "CLOGP"), 2);
        QVERIFY(Action(Form(), "ActionPaste")->isEnabled());
    }

    void cutPasteAndClearWriteThroughToTheRecords() {
        const int clogp = ColumnOf(Sheet, "CLOGP");
        const std::string first = Value(Sheet, 1, "CLOGP");
        QVERIFY(!first.empty());
        Select(clogp, 1);
        QTest::keyClick(Sheet->Grid(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().toStdString(), first);
        QVERIFY(Value(Sheet, 1, "CLOGP").empty());
        QVERIFY(Sheet->IsModified());

        Select(clogp, 3);
        QTest::keyClick(Sheet->Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Value(Sheet, 3, "CLOGP"), first);

        // Del clears the cell; inside the in-place editor it stays the editor's key
        QTest::keyClick(Sheet->Grid(), Qt::Key_Delete);
        QVERIFY(Value(Sheet, 3, "CLOGP").empty());
        Select(clogp, 4);
        const std::string fourth = Value(Sheet, 4, "CLOGP");
        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(Sheet->Grid()->OpenEditor());
        QVERIFY(editor != nullptr);
        editor->setCursorPosition(0);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(editor->text().toStdString(), fourth.substr(1));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(Value(Sheet, 4, "CLOGP"), fourth);
    }

    void commandsInTheNewRecordRowCreateTheRecord() {
        const int count = Sheet->List()->GetCount();
        const int newRow = Sheet->Grid()->RowCount() - 1;
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        Select(ColumnOf(Sheet, "CLOGP"), newRow);
        Action(Form(), "ActionPaste")->trigger();
        QCOMPARE(Sheet->List()->GetCount(), count + 1);
        QCOMPARE(Value(Sheet, count + 1, "CLOGP"), std::string("pasted"));
        QCOMPARE(Sheet->Grid()->RowCount(), newRow + 2);  // a new new-record row

        Select(ColumnOf(Sheet, "CLOGP"), Sheet->Grid()->RowCount() - 1);
        Action(Form(), "ActionClearCell")->trigger();
        QCOMPARE(Sheet->List()->GetCount(), count + 2);
        QVERIFY(Sheet->IsModified());
    }

    void aMoleculeGoesOutToAMolFileAndComesBackIntoANewRecord() {
        QTemporaryDir folder;
        const QString path = folder.path() + "/exported.mol";
        const int structure = ColumnOf(Sheet, kFieldNameChemistry);
        const std::string original = Value(Sheet, 2, kFieldNameChemistry);
        Select(structure, 2);
        {
            TDialogWatcher watcher;
            watcher.ExpectFile(path);
            Action(Form(), "ActionExportMOLFile")->trigger();
            QVERIFY(watcher.AllAnswered());
        }
        QVERIFY(QFile::exists(path));

        const int count = Sheet->List()->GetCount();
        Select(structure, Sheet->Grid()->RowCount() - 1);
        {
            TDialogWatcher watcher;
            watcher.ExpectFile(path);
            Action(Form(), "ActionImportMOLFile")->trigger();
            QVERIFY(watcher.AllAnswered());
        }
        QCOMPARE(Sheet->List()->GetCount(), count + 1);
        const std::string imported = Value(Sheet, count + 1, kFieldNameChemistry);
        QVERIFY(imported.find("\r\n") != std::string::npos);  // kept with CR LF line ends
        QVERIFY(!FormulaOf(original).empty());
        QCOMPARE(FormulaOf(imported), FormulaOf(original));
    }

    void thePopUpMenuTicksAndDeletesRecords() {
        const int count = Sheet->List()->GetCount();
        QPoint at;
        QWidget* target = CellTarget(Sheet->Grid(), ColumnOf(Sheet, "CLOGP"), 5, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &click);
        QMenu* menu = Sheet->Actions()->Menu();
        QTRY_VERIFY(menu->isVisible());
        Shot(menu, QStringLiteral("popup_menu"));
        QCOMPARE(Sheet->Grid()->CurrentRow(), 5);  // the clicked cell became current
        QVERIFY(Sheet->Actions()->ActUnselectAll->isEnabled());
        QVERIFY(!Sheet->Actions()->ActDeleteLoadErrors->isEnabled());
        Sheet->Actions()->ActUnselectAll->trigger();
        menu->hide();
        for (int i = 0; i < count; ++i) QVERIFY(!Sheet->List()->GetSDFileData(i)->Selected);

        // tick two records again, delete the rest
        const int checkbox = ColumnOf(Sheet, kFieldNameCheckbox);
        ClickCell(Sheet->Grid(), checkbox, 1);
        ClickCell(Sheet->Grid(), checkbox, 3);
        const std::string kept = Value(Sheet, 3, "CLOGP");
        Sheet->Actions()->UpdateActions();
        Sheet->Actions()->ActDeleteUnSelected->trigger();
        QCOMPARE(Sheet->List()->GetCount(), 2);
        QCOMPARE(Value(Sheet, 2, "CLOGP"), kept);
        QCOMPARE(Sheet->Grid()->RowCount(), 4);  // captions, two records, new-record row
    }

    void searchResultsOpenAsNumberedSheetsOfCopies() {
        TZelmarRecordRefs hits;
        for (int i : {4, 9, 16}) hits.AddObject("", Sheet->List()->GetSDFileData(i));
        TZelmarWindow* first = Form().CreateSearchResultWindow(&hits, "", "CLOGP > 3");
        TZelmarWindow* second = Form().CreateSearchResultWindow(&hits, "");
        QVERIFY(first != nullptr && second != nullptr);
        QCOMPARE(first->Caption(), std::string("Suchergebnis - 1"));
        QCOMPARE(second->Caption(), std::string("Suchergebnis - 2"));
        QCOMPARE(first->parentWidget()->toolTip(), QStringLiteral("CLOGP > 3"));
        QCOMPARE(first->List()->GetCount(), 3);
        QCOMPARE(Value(first, 2, "CLOGP"), Value(Sheet, 10, "CLOGP"));
        QVERIFY(first->List()->GetFileName().empty());
        // copies: a change in the result leaves the file's sheet alone
        const std::string original = Value(Sheet, 5, "CLOGP");
        first->Grid()->SelectCell(ColumnOf(first, "CLOGP"), 1);
        first->ClearCell();
        QCOMPARE(Value(Sheet, 5, "CLOGP"), original);

        // the number counts the result windows open now
        {
            TDialogWatcher watcher;
            watcher.ExpectDiscard();  // the cleared result is not saved
            first->parentWidget()->close();
        }
        QTRY_COMPARE(Form().SheetWindows().size(), 2);
        QCOMPARE(Form().GetNextSearchWindowCaption(), std::string("Suchergebnis - 2"));

        // nothing found: a message and no window
        TZelmarRecordRefs none;
        TDialogWatcher watcher;
        watcher.ExpectOk();
        QVERIFY(Form().CreateSearchResultWindow(&none, "") == nullptr);
        QCOMPARE(watcher.Texts, QStringList{"Keine Suchergebnisse vorhanden"});
        QCOMPARE(Form().SheetWindows().size(), 2);
    }

    void aDuplicateResultShadesEveryOtherGroup() {
        TZelmarRecordRefs hits;
        QVERIFY(Sheet->SearchForDuplicates(Sheet->List()->GetFieldByName(kFieldNameFormula), false,
                                           &hits));
        QVERIFY(hits.GetCount() >= 4);
        TZelmarWindow* result = Form().CreateSearchResultWindow(&hits, "");
        QVERIFY(result != nullptr);
        QVERIFY(result->Cells()->HasRecordGroups());
        int shaded = 0;
        for (int row = 1; row <= hits.GetCount(); ++row) {
            QColor color;
            result->Cells()->HandleOnGetBgColor(row, 2, color, TZelmarGridDrawState{});
            const bool evenGroup = std::stoi(hits.GetText(row - 1)) % 2 == 0;
            QCOMPARE(color == TZelmarSheetCells::GroupShade(), evenGroup);
            shaded += evenGroup ? 1 : 0;
        }
        QVERIFY(shaded > 0);
        // a deleted record leaves its group; what stays keeps its shade
        result->Grid()->SelectCell(1, 1);
        result->UnselectAll();
        result->List()->GetSDFileData(1)->Selected = true;
        result->DeleteUnselected();
        QCOMPARE(result->List()->GetCount(), 1);
        QColor color;
        result->Cells()->HandleOnGetBgColor(1, 2, color, TZelmarGridDrawState{});
        QCOMPARE(color == TZelmarSheetCells::GroupShade(), std::stoi(hits.GetText(1)) % 2 == 0);
    }

    void theAboutBoxNamesEveryLibraryAndItsVersion() {
        QString versions;
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("LabelVersions")))
                versions = label->text();
            dialog->accept();
        });
        Action(Form(), "ActHelpAbout")->trigger();
        QVERIFY(watcher.AllAnswered());
        for (const char* part : {"libveskChemRoutines.so", "libveskChemViewer.so",
                                 "libveskChemSearch.so", "RDKit", "Qt"})
            QVERIFY2(versions.contains(QLatin1String(part)), part);
        QVERIFY(!versions.contains(QStringLiteral("nicht gefunden")));
        QVERIFY(QRegularExpression(QStringLiteral("RDKit</td><td[^>]*>20\\d\\d\\."))
                    .match(versions)
                    .hasMatch());
    }
};

QTEST_MAIN(TestSheetCommands)
#include "test_sheet_commands.moc"
