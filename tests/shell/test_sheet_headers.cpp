// What the frame and a sheet's captions tell the user while they work: the sort arrow of the
// sorted column, the whole name of a cut caption, the frame's title, the texts of the main
// status bar, and the row a go-to lands on.
#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "Zelmar_Dialog_ShowLoadErrors.h"
#include "Zelmar_FrozenColumn.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_SheetStatusBar.h"

using namespace sheetTest;

namespace {

// A command as the menus offer it: enabled from the current sheet's state first.
QAction* Action(TZelmar_FormMain& form, const char* name) {
    form.UpdateActions();
    return form.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// The arrow painted in the right end of a column's caption: 0 none, 1 up, 2 down.
int ArrowOf(TZelmarWindow* sheet, int column) {
    QWidget* header = sheet->Grid()->ColumnHeaderWidget();
    QRect cell = sheet->Grid()->CellRect(column, 0);
    cell.moveTopLeft(header->mapFrom(sheet->Grid(), cell.topLeft()));
    const QImage caption = header->grab(cell).toImage();
    std::vector<int> widths;  // of the dark rows, top to bottom
    for (int y = 2; y < caption.height() - 2; ++y) {
        int dark = 0;
        for (int x = caption.width() - 16; x < caption.width() - 2; ++x)
            dark += qGray(caption.pixel(x, y)) < 128 ? 1 : 0;
        if (dark > 0) widths.push_back(dark);
    }
    if (widths.size() < 3) return 0;
    return widths.front() < widths.back() ? 1 : 2;
}

// The tool tip a user gets after resting the mouse on a caption.
QString ToolTipOverCaption(TZelmarSheetGrid* grid, int column) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QStringLiteral("(stays)");
    QWidget* header = grid->ColumnHeaderWidget();
    const QRect cell = grid->CellRect(column, 0);
    const QPoint at = header->mapFrom(grid, cell.center());
    QHelpEvent help(QEvent::ToolTip, at, header->mapToGlobal(at));
    QApplication::sendEvent(header, &help);
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }, 300)) return {};
    return QToolTip::text();
}

// What the desktop shows as a title: on X11 and Wayland Qt appends a display name the program
// set for itself to every window title that does not end with it.
QString ShownTitle(const QWidget& window) {
    const QString title = window.windowTitle();
    const QString display = QGuiApplication::applicationDisplayName();
    if (display == QCoreApplication::applicationName() || title.endsWith(display)) return title;
    return title + QString::fromUtf8(" \u2014 ") + display;
}

// Whole, or out of the way.
bool Fits(const QLabel* label) {
    return !label->isVisible() ||
           label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

}  // namespace

class TestSheetHeaders : public QObject {
    Q_OBJECT

private:
    TShownForm* Shown = nullptr;

    TZelmar_FormMain& Form() { return Shown->Form; }

    void LeaveWithoutSaving() {
        TDialogWatcher watcher;
        for (TZelmarWindow* sheet : Form().SheetWindows())
            if (sheet->IsModified()) watcher.ExpectDiscard();
        Form().MdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }

    // Row 1, a text column current, as a click leaves it.
    TZelmarWindow* OpenProps() {
        TZelmarWindow* sheet = Open(Form(), DataFile("nci_aids_props.sdf"));
        if (sheet != nullptr) ClickCell(sheet->Grid(), ColumnOf(sheet, "CLOGP"), 1);
        return sheet;
    }

private slots:
    void init() { Shown = new TShownForm; }

    void cleanup() {
        LeaveWithoutSaving();
        delete Shown;
        Shown = nullptr;
    }

    // Scrolled sideways, the molecule column stays at the left edge with its caption: the
    // same pictures, a click there is a click on the molecule, and a cell it would cover
    // comes out beside it when it becomes current.
    void theMoleculeColumnStaysInViewWhileTheCellsScrollSideways() {
        TZelmarWindow* sheet = OpenProps();
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        const int molecule = ColumnOf(sheet, kFieldNameChemistry);
        QCOMPARE(molecule, grid->FixedCols());
        const QRect home = grid->CellRect(molecule, 1);
        QTest::qWait(300);  // the pictures are drawn in the background
        const QImage picture = grid->grab(home).toImage();

        QScrollBar* sideways = grid->horizontalScrollBar();
        sideways->setValue(sideways->maximum());
        QVERIFY(sideways->value() > home.width());
        const QRect kept = grid->CellRect(molecule, 1);
        QCOMPARE(kept, home);
        int column = -1, row = -1;
        QVERIFY(grid->CellAt(kept.center(), column, row));
        QCOMPARE(column, molecule);
        const QRect caption = grid->CellRect(molecule, 0);
        QVERIFY(grid->CellAt(caption.center(), column, row));
        QCOMPARE(column, molecule);
        QCOMPARE(row, 0);
        QTRY_VERIFY(grid->grab(kept).toImage() == picture);
        Shot(sheet, "frozen-molecule-column");

        const int scrolled = sideways->value();
        ClickCell(grid, molecule, 2);
        QCOMPARE(grid->CurrentCol(), molecule);
        QCOMPARE(grid->CurrentRow(), 2);
        QCOMPARE(sideways->value(), scrolled);

        // Going right from the molecule lands on a column that lay under it.
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->CurrentCol(), molecule + 1);
        QVERIFY(grid->CellRect(molecule + 1, 2).left() >= kept.right());

        sideways->setValue(0);
        QCOMPARE(grid->CellRect(molecule, 1), home);
        QVERIFY(!grid->FrozenColumn()->isVisible());
    }

    void theSortArrowFollowsTheLastSortWhileItsOrderHolds() {
        TZelmarWindow* sheet = OpenProps();
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        const int clogp = ColumnOf(sheet, "CLOGP");
        const int amw = ColumnOf(sheet, "AMW");
        QCOMPARE(ArrowOf(sheet, clogp), 0);

        ClickCell(grid, clogp, 0);
        QCOMPARE(sheet->List()->SortDirection, std::uint8_t(1));
        QCOMPARE(ArrowOf(sheet, clogp), 1);
        QCOMPARE(ArrowOf(sheet, amw), 0);
        ClickCell(grid, clogp, 0);  // the same column again: the other way round
        QCOMPARE(ArrowOf(sheet, clogp), 2);
        ClickCell(grid, amw, 0);  // the arrow moves to the newly sorted column
        QCOMPARE(ArrowOf(sheet, amw), 1);
        QCOMPARE(ArrowOf(sheet, clogp), 0);

        // A new record at the end breaks the order; the next sort shows it again.
        Action(Form(), "ActNewRecord")->trigger();
        QCOMPARE(ArrowOf(sheet, amw), 0);
        ClickCell(grid, amw, 0);
        QCOMPARE(ArrowOf(sheet, amw), 2);

        // Another field list (the field editor's OK) ends it too.
        TZelmarFieldList fields;
        QVERIFY(sheet->FillCopyOfFieldList(fields));
        sheet->SetNewFields(&fields);
        QCOMPARE(ArrowOf(sheet, ColumnOf(sheet, "AMW")), 0);
    }

    void aCutCaptionShowsItsWholeNameAsToolTip() {
        TZelmarWindow* sheet = OpenProps();
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        const QString longName = QStringLiteral("NUM_LIPINSKIHACCEPTORS");
        const int cut = ColumnOf(sheet, longName.toStdString());
        const int clogp = ColumnOf(sheet, "CLOGP");
        QCOMPARE(ToolTipOverCaption(grid, cut), longName);
        QCOMPARE(ToolTipOverCaption(grid, clogp), QString());  // it fits: no tip

        // Just wide enough for the name; sorted, the arrow takes room and cuts it.
        const int width = grid->ColumnHeaderWidget()->fontMetrics().horizontalAdvance(longName);
        grid->SetColWidth(cut, width + 8);
        QApplication::processEvents();
        QCOMPARE(ToolTipOverCaption(grid, cut), QString());
        ClickCell(grid, cut, 0);
        QCOMPARE(ArrowOf(sheet, cut), 1);
        QCOMPARE(ToolTipOverCaption(grid, cut), longName);
    }

    void theTitleNamesTheProgramAndTheCurrentSheetOnce() {
        QTest::qWait(100);  // the start-up work after the first showing is done
        QCOMPARE(ShownTitle(Form()), QStringLiteral("Zelmar"));
        TZelmarWindow* first = Open(Form(), DataFile("nci_aids_props.sdf"));  // maximized
        QVERIFY(first != nullptr);
        const QString firstTitle = "Zelmar - [" + DataFile("nci_aids_props.sdf") + "]";
        QCOMPARE(ShownTitle(Form()), firstTitle);
        auto* firstChild = qobject_cast<QMdiSubWindow*>(first->parentWidget());
        firstChild->showNormal();
        QCOMPARE(ShownTitle(Form()), firstTitle);
        QVERIFY(Open(Form(), DataFile("crlf.sdf")) != nullptr);
        QCOMPARE(ShownTitle(Form()), "Zelmar - [" + DataFile("crlf.sdf") + "]");
        Form().MdiArea()->setActiveSubWindow(firstChild);  // maximized like the other one
        QCOMPARE(ShownTitle(Form()), firstTitle);
        Form().MdiArea()->closeAllSubWindows();
        QTRY_COMPARE(ShownTitle(Form()), QStringLiteral("Zelmar"));
    }

    void theMainStatusBarShowsItsTextsWholeInEveryLanguage() {
        QLabel* hints = Form().findChild<QLabel*>(QStringLiteral("HintPanel"));
        QLabel* version = Form().findChild<QLabel*>(QStringLiteral("VersionPanel"));
        QVERIFY(hints != nullptr && version != nullptr);
        const QSize defaultSize = Form().size();
        for (const char* language : {"DEU", "ENU", "FRA"}) {
            Form().SetNewLanguage(language);
            for (const QSize size : {defaultSize, QSize(1280, 800)}) {
                Form().resize(size);
                QApplication::processEvents();
                QVERIFY2(version->isVisible() && Fits(version), qPrintable(version->text()));
                for (QAction* action : Form().findChildren<QAction*>()) {
                    if (action->statusTip().isEmpty()) continue;
                    QStatusTipEvent tip(action->statusTip());
                    QApplication::sendEvent(&Form(), &tip);
                    QApplication::processEvents();
                    QVERIFY2(hints->isVisible() && Fits(hints) && Fits(version),
                             qPrintable(action->statusTip()));
                }
                // Without a hint the version text is back, whole.
                QStatusTipEvent none{QString()};
                QApplication::sendEvent(&Form(), &none);
                QApplication::processEvents();
                QVERIFY(version->isVisible() && Fits(version));
            }
        }
        Form().SetNewLanguage("DEU");
    }

    void aGoToMakesTheRecordTheCurrentRow() {
        TZelmarWindow* sheet = OpenProps();
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        const int clogp = ColumnOf(sheet, "CLOGP");
        const std::string first = Value(sheet, 1, "CLOGP");
        TDialogWatcher watcher;
        watcher.Expect([](QDialog* dialog) {
            auto* number = dialog->findChild<QLineEdit*>();
            if (number == nullptr) return dialog->reject();
            number->selectAll();
            QTest::keyClicks(number, QStringLiteral("150"));
            QTest::keyClick(number, Qt::Key_Return);
        });
        Action(Form(), "ActGotoRecord")->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QCOMPARE(grid->TopRow(), 150);
        QCOMPARE(grid->CurrentRow(), 150);
        QCOMPARE(grid->CurrentCol(), clogp);
        QVERIFY(grid->selectionModel()->isSelected(grid->currentIndex()));

        // What is typed next goes into the record gone to, not into the one clicked before.
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(grid->OpenEditor());
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("7.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(grid->OpenEditor() == nullptr);
        QCOMPARE(Value(sheet, 150, "CLOGP"), std::string("7.5"));
        QCOMPARE(Value(sheet, 1, "CLOGP"), first);

        // The load-error list's go-to: the failed record (without "M  END") becomes current.
        TZelmarWindow* errors = Open(Form(), DataFile("malformed/missing_m_end.sdf"));
        QVERIFY(errors != nullptr && errors->List()->HasLoadErrors());
        watcher.Expect([](QDialog* shownDialog) {
            auto* dialog = qobject_cast<TZelmar_DialogLoadErrors*>(shownDialog);
            if (dialog == nullptr || dialog->ListBox->count() == 0) return shownDialog->reject();
            const QRect first = dialog->ListBox->visualItemRect(dialog->ListBox->item(0));
            QTest::mouseClick(dialog->ListBox->viewport(), Qt::LeftButton, {}, first.center());
            dialog->BtnOK->click();
        });
        TZelmarSheetStatusBar* bar = errors->StatusBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->PanelRect(1).center());
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(errors->Grid()->CurrentRow(), 16);
        QVERIFY(errors->Grid()->selectionModel()->isSelected(errors->Grid()->currentIndex()));
    }
};

QTEST_MAIN(TestSheetHeaders)
#include "test_sheet_headers.moc"
