// The molecule editor and the molecule search dialog with the real editor page, in a main
// window over real files: editing structure cells, the new-record row, refusals, the page's
// own dialogs, and structure searches checked against the search library itself.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "EditorTestSupport.h"
#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "ZelmarTestTempDir.h"
#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Dialog_EditChemistry.h"
#include "Zelmar_Dialog_SearchMolecules.h"
#include "Zelmar_FilterBar.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_PictureRenderer.h"
#include "Zelmar_SheetStatusBar.h"
#include "vesk_ChemRoutines.h"

#include <unistd.h>

using namespace editorTest;
using namespace sheetTest;

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The molfile of the record at the position in an SD file's text.
std::string MolfileOfRecord(const std::string& sdf, int position) {
    size_t start = 0;
    for (int i = 0; i < position && start != std::string::npos; ++i) {
        start = sdf.find("$$$$", start);
        if (start != std::string::npos) start += 5;
    }
    const size_t end = start == std::string::npos ? start : sdf.find("M  END", start);
    if (end == std::string::npos) return {};
    return sdf.substr(start, end + 6 - start) + "\n";
}

std::string Formula(const std::string& molfile) {
    TveskMolManager routines;
    std::string formula;
    double mass = 0;
    return routines.GetFormulaAndMass(molfile, formula, mass) ? formula : std::string("?");
}

QAction* Action(TZelmar_FormMain& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

QImage CellPicture(TZelmarWindow* sheet, int column, int row) {
    (void)QTest::qWaitFor([&] { return sheet->Renderer()->Pending() == 0; }, 20000);
    QApplication::processEvents();
    return sheet->Grid()->viewport()->grab().toImage().copy(sheet->Grid()->CellRect(column, row));
}

}  // namespace

class TestEditorDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<TTestTempDir> Temp;
    std::unique_ptr<TShownForm> Shown;
    TZelmarWindow* Sheet = nullptr;
    std::string SheetFile;
    int Structure = -1;
    QStringList MessageTexts;  // of the last molecule search

    TZelmar_FormMain& Form() { return Shown->Form; }
    TZelmarDialogEditChemistry* Editor() { return Form().EditChemistryDialog(); }

    // Starts a molecule edit of the cell with F2 and lets the answer drive the dialog.
    void EditCell(int row, const std::function<void(TZelmarDialogEditChemistry*)>& answer) {
        QVERIFY(Sheet->Grid()->SelectCell(Structure, row));
        TDialogWatcher watcher;
        bool edited = false;
        watcher.Expect([&](QDialog* dialog) {
            auto* editor = qobject_cast<TZelmarDialogEditChemistry*>(dialog);
            if (editor == nullptr) {
                dialog->reject();
                return;
            }
            edited = true;
            answer(editor);
        });
        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        QVERIFY(watcher.AllAnswered());
        QVERIFY2(edited, qPrintable(watcher.Texts.join("; ")));
        QVERIFY2(watcher.Unexpected.isEmpty(), qPrintable(watcher.Unexpected.join("; ")));
    }

    // Hits of the query among the sheet's molecules, by the search library itself.
    static int LibraryHits(TZelmarWindow* sheet, const std::string& query, bool exact,
                           bool stereo) {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        if (!error.empty()) qFatal("search library: %s", error.c_str());
        engine.SetQuery(query);
        engine.SetConsiderStereo(stereo);
        int hits = 0;
        for (int row = 1; row <= sheet->List()->GetCount(); ++row) {
            const std::string molecule = Value(sheet, row, kFieldNameChemistry);
            hits += exact ? engine.IsExactHit(molecule) : engine.IsSubstructureHit(molecule);
        }
        return hits;
    }

    // Runs the molecule search command with the answer driving its dialog; the hits of the
    // result window it opened, or -1 for none.
    int SearchMolecules(
        const std::function<void(TZelmarDialog_SearchMolecules*, TDialogWatcher&)>& answer) {
        Form().UpdateActions();
        QAction* search = Action(Form(), "ActSearchMolecule");
        if (!search->isEnabled()) return -2;
        const int windows = static_cast<int>(Form().SheetWindows().size());
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* searchDialog = qobject_cast<TZelmarDialog_SearchMolecules*>(dialog);
            if (searchDialog == nullptr) {
                dialog->reject();
                return;
            }
            answer(searchDialog, watcher);
        });
        search->trigger();
        MessageTexts = watcher.Texts;
        if (!watcher.AllAnswered() || !watcher.Unexpected.isEmpty()) {
            qWarning("unexpected: %s", qPrintable(watcher.Unexpected.join("; ")));
            return -3;
        }
        if (Form().SheetWindows().size() == windows) return -1;
        return Form().SheetWindows().last()->List()->GetCount();
    }

private slots:
    void initTestCase() {
        Temp = std::make_unique<TTestTempDir>();
        SheetFile = Temp->Path("aids.sdf");
        std::filesystem::copy_file(DataFile("nci_aids_props.sdf").toStdString(), SheetFile);
        Shown = std::make_unique<TShownForm>();
        Sheet = Open(Form(), QString::fromStdString(SheetFile));
        QVERIFY(Sheet != nullptr);
        Structure = ColumnOf(Sheet, kFieldNameChemistry);
        QVERIFY(Structure > 0);
        // Both dialogs were made and started loading their page while the window first showed.
        QVERIFY(Editor()->WebBrowser() != nullptr);
        QVERIFY(Form().SearchMoleculesDialog()->WebBrowser() != nullptr);
    }

    // Right after the start the page is still starting: from the key on, the busy cursor is
    // there until the dialog shows, and the dialog shows with the page ready.
    void aColdFirstEditShowsTheBusyCursorUntilTheDialogShows() {
        QVERIFY2(!Editor()->PageReady(), "the page was ready before the first edit");
        QVERIFY(Sheet->Grid()->SelectCell(Structure, 1));
        int samples = 0, withoutCursor = 0;
        bool waiting = true, readyWhenShown = false;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            waiting = waiting && !Editor()->isVisible();
            if (!waiting) return;
            ++samples;
            withoutCursor += QApplication::overrideCursor() == nullptr;
        });
        sampler.start(5);
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            readyWhenShown = Editor()->PageReady() && Canvas(Editor()) != nullptr;
            Click(dialog, "BtnCancel");
        });
        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        QVERIFY(watcher.AllAnswered());
        QVERIFY(samples > 10);  // the page took a while, or nothing was looked at
        QCOMPARE(withoutCursor, 0);
        QVERIFY(readyWhenShown);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(!Sheet->IsModified());
    }

    // OK or Cancel without a change is no edit, also when the same molecule was pasted over
    // the drawing: the cell keeps its bytes and the sheet stays unmodified.
    void okOrCancelOnAnUnchangedDrawingLeavesTheSheetUnmodified() {
        QVERIFY(!Sheet->IsModified());
        const std::string before = Value(Sheet, 2, kFieldNameChemistry);
        EditCell(2, [](TZelmarDialogEditChemistry* editor) { Click(editor, "BtnOK"); });
        QVERIFY(!Sheet->IsModified());
        QCOMPARE(Value(Sheet, 2, kFieldNameChemistry), before);
        EditCell(2, [](TZelmarDialogEditChemistry* editor) { Click(editor, "BtnCancel"); });
        QVERIFY(!Sheet->IsModified());
        EditCell(2, [&](TZelmarDialogEditChemistry* editor) {
            Click(editor, "BtnNew");
            QGuiApplication::clipboard()->setText(QString::fromStdString(before));
            Click(editor, "BtnPaste");
            QCOMPARE(CountsField(Drawing(editor), 0),
                     CountsField(QString::fromStdString(before), 0));
            Click(editor, "BtnOK");
        });
        QVERIFY(!Sheet->IsModified());
        QCOMPARE(Value(Sheet, 2, kFieldNameChemistry), before);
    }

    // Ctrl+V in the drawing is the paste button: it takes and refuses the same texts. While
    // one of the page's own dialogs is open the key is the page's.
    void ctrlVInTheDrawingPastesAsThePasteButtonDoes() {
        const std::string first = Value(Sheet, 1, kFieldNameChemistry);
        const QString other = QString::fromStdString(
            MolfileOfRecord(ReadText(DataFile("nci_aids_props.sdf").toStdString()), 5));
        const int otherAtoms = CountsField(other, 0);
        TZelmarDialogEditChemistry* editor = Editor();
        QVERIFY(editor->SetMolecule(first));
        QVERIFY(otherAtoms != CountsField(Drawing(editor), 0));
        const auto atoms = [&] { return CountsField(Drawing(editor), 0); };
        const auto ctrlV = [&] {
            QTest::keyClick(Canvas(editor), Qt::Key_V, Qt::ControlModifier);
            Pause(300);
        };
        TDialogWatcher watcher;
        bool pasted = false;
        int afterRefusal = -1, inPageDialog = -1;
        watcher.Expect([&](QDialog* dialog) {
            Canvas(editor)->setFocus();
            QGuiApplication::clipboard()->setText(other);
            ctrlV();
            pasted = WaitUntil([&] { return atoms() == otherAtoms; }, 5000);
            watcher.ExpectOk();
            QGuiApplication::clipboard()->setText(QStringLiteral("no molecule at all"));
            ctrlV();
            afterRefusal = atoms();
            QGuiApplication::clipboard()->setText(QString::fromStdString(first));
            Click(dialog, "BtnAtomDlg");
            QVERIFY(WaitUntil([&] { return editor->PageDialogOpen(); }, 5000));
            ctrlV();
            inPageDialog = atoms();
            editor->WebBrowser()->page()->runJavaScript(
                "document.querySelector('.Ketcher-root dialog header button').click()");
            QVERIFY(WaitUntil([&] { return !editor->PageDialogOpen(); }, 5000));
            Click(dialog, "BtnCancel");
        });
        editor->exec();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(pasted);
        QCOMPARE(afterRefusal, otherAtoms);
        QCOMPARE(inPageDialog, otherAtoms);
        QCOMPARE(watcher.Texts, QStringList{"Ungültige Chemiedaten im Clipboard"});
    }

    // The About box names the editor in the version bundled with the page, and its licence,
    // whose text is bundled too.
    void theAboutBoxNamesTheBundledEditorAndItsLicence() {
        const QString notice = QString::fromStdString(
            ReadText((TZelmarDrawletDialog::DrawletFolder() + "/NOTICE").toStdString()));
        const QString version = TZelmarDrawletDialog::EditorVersion();
        QVERIFY2(notice.contains("Ketcher, version " + version), qPrintable(version));
        QVERIFY(QFile::exists(TZelmarDrawletDialog::DrawletFolder() + "/LICENSE"));
        TDialogWatcher watcher;
        QString versions, licence;
        watcher.Expect([&](QDialog* dialog) {
            versions = dialog->findChild<QLabel*>("LabelVersions")->text();
            licence = dialog->findChild<QLabel*>("LabelNotice")->text();
            dialog->accept();
        });
        Action(Form(), "ActHelpAbout")->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY2(versions.contains("<td>Ketcher</td><td style='padding-left:16px'>" + version),
                 qPrintable(versions));
        QVERIFY2(licence.contains("Ketcher") && licence.contains("Apache-Lizenz 2.0"),
                 qPrintable(licence));
    }

    void aModeButtonStaysTheOnlyOnePressedAndChoosesThePageTool() {
        EditCell(1, [](TZelmarDialogEditChemistry* editor) {
            Click(editor, "BtnNew");
            Click(editor, "BtnDoubleBond");
            const auto pressed = [&] {
                QStringList names;
                for (QToolButton* button : editor->findChildren<QToolButton*>())
                    if (button->isCheckable() && button->isChecked()) names << button->objectName();
                return names;
            };
            QCOMPARE(pressed(), QStringList{"BtnDoubleBond"});
            // The page draws with that tool: a click on the empty canvas gives a double bond.
            ClickCanvas(editor, CanvasCentre(editor));
            const QString drawing = Drawing(editor);
            QCOMPARE(CountsField(drawing, 1), 1);
            QCOMPARE(BondsOfOrder(drawing, 2), 1);
            Click(editor, "BtnN");
            QCOMPARE(pressed(), QStringList{"BtnN"});
            Click(editor, "BtnCancel");
        });
    }

    void okWritesTheDrawnMoleculeIntoTheCellItsPictureAndTheFile() {
        const std::string before = Value(Sheet, 1, kFieldNameChemistry);
        const QImage pictureBefore = CellPicture(Sheet, Structure, 1);
        EditCell(1, [](TZelmarDialogEditChemistry* editor) {
            DrawBenzene(editor);
            QCOMPARE(CountsField(Drawing(editor), 0), 6);
            Click(editor, "BtnOK");
        });
        const std::string after = Value(Sheet, 1, kFieldNameChemistry);
        QVERIFY(after != before);
        QCOMPARE(Formula(after), std::string("C6H6"));
        QVERIFY(Sheet->IsModified());
        QVERIFY(CellPicture(Sheet, Structure, 1) != pictureBefore);

        Form().UpdateActions();
        Action(Form(), "FileSave")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !Sheet->IsModified(); }, 20000));
        const std::string saved = ReadText(SheetFile);
        QCOMPARE(Formula(MolfileOfRecord(saved, 0)), std::string("C6H6"));
        const std::string backup = ReadText(Temp->Path("aids.BAK"));
        QVERIFY(Formula(MolfileOfRecord(backup, 0)) != "C6H6");
        QCOMPARE(MolfileOfRecord(saved, 1), MolfileOfRecord(backup, 1));
    }

    void cancelLeavesTheCellAsItWas() {
        const std::string before = Value(Sheet, 2, kFieldNameChemistry);
        EditCell(2, [](TZelmarDialogEditChemistry* editor) {
            DrawBenzene(editor);
            Click(editor, "BtnCancel");
        });
        QCOMPARE(Value(Sheet, 2, kFieldNameChemistry), before);
        QVERIFY(!Sheet->IsModified());
    }

    void theNewRecordRowTakesADrawnMoleculeAndCancelTakesTheRecordBack() {
        const int count = Sheet->List()->GetCount();
        const int newRow = Sheet->Grid()->RowCount() - 1;
        EditCell(newRow, [](TZelmarDialogEditChemistry* editor) {
            DrawBenzene(editor);
            Click(editor, "BtnOK");
        });
        QCOMPARE(Sheet->List()->GetCount(), count + 1);
        QCOMPARE(Formula(Value(Sheet, count + 1, kFieldNameChemistry)), std::string("C6H6"));

        EditCell(Sheet->Grid()->RowCount() - 1, [](TZelmarDialogEditChemistry* editor) {
            QCOMPARE(Drawing(editor), QString());  // the new record's molecule is empty
            Click(editor, "BtnCancel");
        });
        QCOMPARE(Sheet->List()->GetCount(), count + 1);
    }

    void aReactionInAMoleculeCellIsRefusedAndLeftAsItIs() {
        TZelmarField* field = Sheet->List()->GetFieldByName(kFieldNameChemistry);
        TZelmarDataCarrier reaction;
        reaction.SetKind(field->Kind);
        reaction.SetText(ReadText(DataFile("rxn/amide_v2000.rxn").toStdString()));
        QVERIFY(reaction.Text().find("$RXN") == 0);
        Sheet->List()->GetSDFileData(3)->SetDataForField(field, &reaction);
        QVERIFY(Sheet->Grid()->SelectCell(Structure, 4));
        TDialogWatcher watcher;
        watcher.ExpectOk();
        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(watcher.Texts,
                 QStringList{"Eine Reaktion kann nicht als Molekül bearbeitet werden."});
        QCOMPARE(Value(Sheet, 4, kFieldNameChemistry), reaction.Text());
    }

    // Paste takes molecules only, import MOL files with molecules only; a refusal leaves the
    // drawing as it was.
    void pasteAndImportRefuseWhatIsNoMolecule() {
        const std::string benzene = Value(Sheet, 1, kFieldNameChemistry);
        const std::string other =
            MolfileOfRecord(ReadText(DataFile("nci_aids_props.sdf").toStdString()), 5);
        WriteText(Temp->Path("other.txt"), other);
        WriteText(Temp->Path("other.MOL"), other);
        WriteText(Temp->Path("broken.mol"), "not a molecule\n");
        const std::string noAtoms =
            "\n  empty\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n";
        TZelmarDialogEditChemistry* editor = Editor();
        QVERIFY(editor->SetMolecule(benzene));
        TDialogWatcher watcher;
        QStringList steps;
        watcher.Expect([&](QDialog* dialog) {
            const auto atoms = [&] { return CountsField(Drawing(editor), 0); };
            const auto refused = [&](const char* step, const char* button) {
                watcher.ExpectOk();
                Click(dialog, button);
                steps << QString::fromLatin1(step) + ":" + QString::number(atoms());
            };
            QGuiApplication::clipboard()->setText(QStringLiteral("no molecule at all"));
            refused("text", "BtnPaste");
            QGuiApplication::clipboard()->setText(QString::fromStdString(noAtoms));
            refused("no atoms", "BtnPaste");
            watcher.ExpectFile(QString::fromStdString(Temp->Path("other.txt")));
            refused("txt", "BtnImport");
            watcher.ExpectFile(QString::fromStdString(Temp->Path("broken.mol")));
            refused("broken", "BtnImport");
            watcher.ExpectFile(QString::fromStdString(Temp->Path("other.MOL")));
            Click(dialog, "BtnImport");
            steps << QStringLiteral("MOL:%1").arg(atoms());
            QGuiApplication::clipboard()->setText(QString::fromStdString(benzene));
            Click(dialog, "BtnPaste");
            steps << QStringLiteral("paste:%1").arg(atoms());
            Click(dialog, "BtnCancel");
        });
        editor->exec();
        QVERIFY(watcher.AllAnswered());
        const QString otherAtoms = QString::number(CountsField(QString::fromStdString(other), 0));
        QCOMPARE(steps, (QStringList{"text:6", "no atoms:6", "txt:6", "broken:6",
                                     "MOL:" + otherAtoms, "paste:6"}));
        QCOMPARE(
            watcher.Texts,
            (QStringList{"Ungültige Chemiedaten im Clipboard", "Ungültige Chemiedaten im Clipboard",
                         "Unbekannte Dateierweiterung", "Ungültige Chemiedaten in Datei"}));
    }

    // The page's own dialogs live in the page: while one is open the host's tool bars and OK
    // wait for it.
    void thePeriodicTableKeepsTheToolBarsAndOkWaiting() {
        TZelmarDialogEditChemistry* editor = Editor();
        QVERIFY(editor->SetMolecule(std::string()));
        TDialogWatcher watcher;
        bool waited = false, back = false;
        watcher.Expect([&](QDialog* dialog) {
            Click(dialog, "BtnAtomDlg");
            QVERIFY(WaitUntil([&] { return editor->PageDialogOpen(); }, 5000));
            QCOMPARE(editor->GetDLTActiveDialogCaption(), std::string("Periodic Table"));
            waited = !Button(dialog, "BtnOK")->isEnabled() &&
                     !Button(dialog, "BtnNew")->isEnabled() && !Button(dialog, "BtnC")->isEnabled();
            editor->WebBrowser()->page()->runJavaScript(
                "document.querySelector('.Ketcher-root dialog header button').click()");
            QVERIFY(WaitUntil([&] { return !editor->PageDialogOpen(); }, 5000));
            back = Button(dialog, "BtnOK")->isEnabled() && Button(dialog, "BtnNew")->isEnabled();
            Click(dialog, "BtnCancel");
        });
        editor->exec();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(waited);
        QVERIFY(back);
    }

    void withoutTheEditorPageOnlyCancelWorks() {
        TZelmarDrawletDialog::SetDrawletFolder(QString::fromStdString(Temp->Path("nowhere")));
        TZelmarDialogEditChemistry editor(&Form());
        TZelmarDialog_SearchMolecules search(&Form());
        TZelmarDrawletDialog::SetDrawletFolder(QString());
        QVERIFY(editor.WebBrowser() == nullptr && search.WebBrowser() == nullptr);
        for (TZelmarDrawletDialog* dialog : {static_cast<TZelmarDrawletDialog*>(&editor),
                                             static_cast<TZelmarDrawletDialog*>(&search)}) {
            TDialogWatcher watcher;
            bool layout = false;
            watcher.Expect([&](QDialog* shown) {
                auto* area = shown->findChild<QStackedWidget*>();
                layout =
                    area->currentWidget()->objectName() == QLatin1String("PaintBoxNoDrawlet") &&
                    !Button(shown, "BtnOK")->isEnabled() &&
                    QApplication::focusWidget() == Button(shown, "BtnCancel");
                watcher.ExpectOk();
                Click(shown, "BtnSingleBond");
                Click(shown, "BtnCancel");
            });
            dialog->exec();
            QVERIFY(watcher.AllAnswered());
            QVERIFY(layout);
            QCOMPARE(watcher.Texts, QStringList{"Kein Chemieeditor vorhanden"});
        }
    }

    void aDrawnSubstructureFindsWhatTheSearchLibraryFinds() {
        TZelmarWindow* sheet = Open(Form(), DataFile("nci_aids_props.sdf"));
        QVERIFY(sheet != nullptr);
        bool substructureFirst = false;
        const int hits =
            SearchMolecules([&](TZelmarDialog_SearchMolecules* dialog, TDialogWatcher&) {
                substructureFirst = dialog->RbSSS->isChecked() && !dialog->RbExact->isChecked();
                DrawBenzene(dialog);
                Click(dialog, "BtnOK");
            });
        QVERIFY(substructureFirst);
        QCOMPARE(Formula(Form().LastMoleculeQuery), std::string("C6H6"));
        const int expected = LibraryHits(sheet, Form().LastMoleculeQuery, false, false);
        QVERIFY(expected > 0 && expected < sheet->List()->GetCount());
        QCOMPARE(hits, expected);
        QCOMPARE(QString::fromStdString(Form().SheetWindows().last()->Caption()),
                 QStringLiteral("Suchergebnis - 1"));
        // The result marks where the drawn ring lies in each hit, and its tool tip says so.
        TZelmarWindow* result = Form().SheetWindows().last();
        QVERIFY(result->HitHighlight() != nullptr);
        QCOMPARE(result->HitHighlight()->Query(), Form().LastMoleculeQuery);
        QVERIFY(
            result->parentWidget()->toolTip().endsWith(QStringLiteral("Treffer hervorgehoben")));
    }

    // The filter bar's structure button: the query drawn in the structure search's dialog
    // narrows the sheet in place to what the search library finds, with no result window.
    void aDrawnStructureNarrowsTheSheetInPlace() {
        TZelmarWindow* sheet = Open(Form(), DataFile("nci_aids_props.sdf"));
        QVERIFY(sheet != nullptr);
        const auto windows = Form().SheetWindows().size();
        QTRY_VERIFY(Action(Form(), "ActSearchFilter")->isEnabled());
        Action(Form(), "ActSearchFilter")->trigger();
        auto* button = sheet->FilterBar()->findChild<QToolButton*>("FilterStructure");
        QVERIFY(button != nullptr && button->isVisible());
        // A text filter first: the structure takes its place.
        QTest::keyClicks(sheet->FilterBar()->Edit(), "Cl");
        QTRY_VERIFY(sheet->Grid()->RowCount() - 2 < 200);
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* search = qobject_cast<TZelmarDialog_SearchMolecules*>(dialog);
            if (search == nullptr) {
                dialog->reject();
                return;
            }
            DrawBenzene(search);
            Click(search, "BtnOK");
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(watcher.AllAnswered() && watcher.Unexpected.isEmpty());
        const int expected = LibraryHits(sheet, Form().LastMoleculeQuery, false, false);
        QVERIFY(expected > 0 && expected < 200);
        QCOMPARE(sheet->Grid()->RowCount() - 2, expected);
        QCOMPARE(Form().SheetWindows().size(), windows);
        QVERIFY(button->isChecked());
        QCOMPARE(sheet->StatusBar()->RecordInfo(),
                 QStringLiteral("%1 von 200 Einträgen").arg(expected));
        QTest::qWait(500);  // longer than the bar's pause after typing: nothing undoes it
        QCOMPARE(sheet->Grid()->RowCount() - 2, expected);
        QTest::keyClick(sheet->FilterBar()->Edit(), Qt::Key_Escape);
        QCOMPARE(sheet->Grid()->RowCount() - 2, 200);
        QVERIFY(!button->isChecked());
    }

    // The query and the mode of the last search come back; an exact search with and without
    // tetrahedral stereo chemistry counts as the library does.
    void exactSearchesWithAndWithoutStereoFindWhatTheSearchLibraryFinds() {
        TZelmarWindow* sheet = Open(Form(), DataFile("chiral_flag_examples.sdf"));
        QVERIFY(sheet != nullptr);
        const std::string query = Value(sheet, 2, kFieldNameChemistry);
        const std::string previous = Form().LastMoleculeQuery;
        int shownAtoms = -1;
        const int plain =
            SearchMolecules([&](TZelmarDialog_SearchMolecules* dialog, TDialogWatcher&) {
                shownAtoms = CountsField(Drawing(dialog), 0);
                QGuiApplication::clipboard()->setText(QString::fromStdString(query));
                Click(dialog, "BtnPaste");
                Click(dialog, "RbExact");
                Click(dialog, "BtnOK");
            });
        QCOMPARE(shownAtoms, CountsField(QString::fromStdString(previous), 0));
        QCOMPARE(plain, LibraryHits(sheet, Form().LastMoleculeQuery, true, false));
        QVERIFY(plain >= 1);
        // An exact hit is the query as a whole: nothing in it is marked.
        QVERIFY(Form().SheetWindows().last()->HitHighlight() == nullptr);
        QVERIFY(!Form().SheetWindows().last()->parentWidget()->toolTip().contains(
            QStringLiteral("Treffer hervorgehoben")));

        bool exactKept = false;
        // Back from the result window to the sheet.
        Form().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(sheet->parentWidget()));
        const int stereo =
            SearchMolecules([&](TZelmarDialog_SearchMolecules* dialog, TDialogWatcher&) {
                exactKept = dialog->RbExact->isChecked();
                Click(dialog, "CbConsiderStereoChem");
                Click(dialog, "BtnOK");
            });
        QVERIFY(exactKept);
        QCOMPARE(stereo, LibraryHits(sheet, Form().LastMoleculeQuery, true, true));
        QVERIFY(stereo >= 1);
    }

    void searchingWithAnEmptyDrawingIsRefused() {
        bool stillOpen = false;
        const int hits =
            SearchMolecules([&](TZelmarDialog_SearchMolecules* dialog, TDialogWatcher& watcher) {
                watcher.ExpectOk();
                Click(dialog, "BtnNew");
                Click(dialog, "BtnOK");
                stillOpen = dialog->isVisible();
                Click(dialog, "BtnCancel");
            });
        QCOMPARE(hits, -1);
        QVERIFY(stillOpen);
        QCOMPARE(MessageTexts,
                 QStringList{"Bitte definieren Sie die chemischen Daten, nach denen Sie suchen "
                             "möchten."});
    }

    // Export follows the drawing the page reports, copy and cut give its text, help opens
    // the page's help beside the dialog.
    void exportCopyCutAndHelp() {
        TZelmarDialogEditChemistry* editor = Editor();
        QVERIFY(editor->SetMolecule(std::string()));
        const std::string exported = Temp->Path("drawn.mol");
        TDialogWatcher watcher;
        bool emptyExport = true, drawnExport = false, helpShown = false;
        QString copied, cut, afterCut;
        watcher.Expect([&](QDialog* dialog) {
            WaitUntil([&] { return !Button(dialog, "BtnExport")->isEnabled(); }, 5000);
            emptyExport = Button(dialog, "BtnExport")->isEnabled();
            DrawBenzene(editor);
            drawnExport = WaitUntil([&] { return Button(dialog, "BtnExport")->isEnabled(); }, 5000);
            watcher.ExpectFile(QString::fromStdString(exported));
            Click(dialog, "BtnExport");
            Click(dialog, "BtnCopy");
            copied = QGuiApplication::clipboard()->text();
            QGuiApplication::clipboard()->clear();
            Click(dialog, "BtnCut");
            cut = QGuiApplication::clipboard()->text();
            afterCut = Drawing(editor);
            Click(dialog, "BtnHelp");
            auto* help = dialog->findChild<QWebEngineView*>("HelpWindow");
            helpShown = help != nullptr && WaitUntil([&] {
                            return help->isVisible() &&
                                   help->url().fileName() == "drawletHelp.htm" &&
                                   help->title() == QStringLiteral("Drawlet");
                        });
            if (help != nullptr) help->close();
            Click(dialog, "BtnCancel");
        });
        editor->exec();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(!emptyExport);
        QVERIFY(drawnExport);
        QCOMPARE(Formula(ReadText(exported)), std::string("C6H6"));
        QCOMPARE(copied.toStdString(), ReadText(exported));
        QCOMPARE(cut, copied);
        QCOMPARE(afterCut, QString());
        QVERIFY(helpShown);
        // Nothing the page did left this machine.
        QCOMPARE(editor->Bridge()->Requests().Blocked(), 0);
    }

    // The page never goes elsewhere, neither on the network nor to another file.
    void thePageStaysOnItsOwnFile() {
        TZelmarDialogEditChemistry* editor = Editor();
        QVERIFY(editor->ReloadDrawlet());
        const int before = editor->Bridge()->Requests().Blocked();
        for (const char* target : {"https://example.org/", "file:///etc/hostname"}) {
            editor->WebBrowser()->page()->runJavaScript(
                QStringLiteral("location.href = '%1';").arg(QLatin1String(target)));
            QVERIFY(WaitUntil([&] { return editor->Bridge()->Requests().Blocked() > before; }));
        }
        QVERIFY(WaitUntil([&] { return editor->Bridge()->Requests().Blocked() == before + 2; }));
        QVERIFY(editor->CheckValidEditor());
        QVERIFY(editor->SetMolecule(Value(Sheet, 3, kFieldNameChemistry)));
    }

    // Pictures of both dialogs with a molecule, in German and English, when
    // ZELMAR_DIALOG_SHOTS names a folder.
    void screenshotsInGermanAndEnglish() {
        const std::string molecule = Value(Sheet, 3, kFieldNameChemistry);
        for (const char* language : {"DE", "EN"}) {
            Form().SetNewLanguage(language);
            const QString suffix = QString::fromLatin1(language).toLower();
            TDialogWatcher watcher;
            watcher.Expect([&](QDialog* dialog) {
                Pause(800);
                Shot(dialog, "editor_edit_molecule_" + suffix);
                Click(dialog, "BtnCancel");
            });
            QVERIFY(Editor()->SetMolecule(molecule));
            Editor()->exec();
            QCOMPARE(Editor()->windowTitle(), QString::fromLatin1(language) == "DE"
                                                  ? QStringLiteral("Molekül Bearbeiten")
                                                  : QStringLiteral("Edit molecule"));
            TZelmarDialog_SearchMolecules* search = Form().SearchMoleculesDialog();
            watcher.Expect([&](QDialog* dialog) {
                Pause(800);
                Shot(dialog, "editor_search_molecules_" + suffix);
                Click(dialog, "BtnCancel");
            });
            search->SetMolecule(molecule);
            search->exec();
            QVERIFY(watcher.AllAnswered());
        }
        Form().SetNewLanguage("DE");
    }
};

int main(int argc, char** argv) {
    TZelmarDrawletDialog::PrepareBrowserEnvironment();
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-gpu");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QString("zelmar-editor-%1").arg(getuid()));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext=false");
    QApplication app(argc, argv);
    TestEditorDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_editor_dialogs.moc"
