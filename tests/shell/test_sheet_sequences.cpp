// The sequences people make across features: edit, save, edit again; open the field dialog,
// close it, type; close a changed sheet and think better of it; quit with changes.
#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "SheetWindowTestSupport.h"

using namespace sheetTest;

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether some record of the file has the value in the data item.
bool HasValue(const QByteArray& file, const char* item, const char* value) {
    const QRegularExpression pattern(
        QStringLiteral("<%1>[^\n]*\n%2\n").arg(QLatin1String(item), QLatin1String(value)));
    return pattern.match(QString::fromLatin1(file)).hasMatch();
}

QStringList ButtonTexts(QDialog* dialog) {
    QStringList texts;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        for (QAbstractButton* button : box->buttons()) texts << button->text().remove('&');
    }
    texts.sort();
    return texts;
}

}  // namespace

class TestSheetSequences : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;
    QString File;

    TZelmar_FormMain& Form() { return Shown->Form; }
    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(Sheet->Grid()->OpenEditor()); }
    QAction* Action(const char* name) { return Form().findChild<QAction*>(name); }

    // A key pressed where the keyboard is, as a user presses it.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    // Types into the current cell and ends the edit with Enter.
    // Types any text, also characters without a key of their own (as an input method does).
    static void TypeText(QWidget* target, const QString& text) {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }

    // Offscreen there is no window manager to give the frame back its activation when a
    // dialog closes: the test does it, as the desktop would.
    void FrameActiveAgain() {
        Form().activateWindow();
        QTRY_VERIFY(Form().isActiveWindow());
    }

    void TypeIntoCurrentCell(const char* text) {
        QTest::keyClicks(Sheet->Grid(), text);
        QVERIFY(Editor() != nullptr);
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
    }

    void Modify() {
        QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "CLOGP"), 3));
        TypeIntoCurrentCell("1");
        QVERIFY(Sheet->IsModified());
    }

private slots:
    void initTestCase() { UseOwnSettings(); }

    void init() {
        File = WritableCopy(Dir, "nci_aids_props.sdf");
        QVERIFY(!File.isEmpty());
        Shown = new TShownForm;
        Sheet = Open(Form(), File);
        QVERIFY(Sheet != nullptr);
        Sheet->Grid()->setFocus();
    }

    void cleanup() {
        if (Shown == nullptr) return;
        CloseAllSheetsDiscarding(Form());
        delete Shown;
        Shown = nullptr;
        Sheet = nullptr;
    }

    // The keyboard reaches the grid from the start, after a dialog and after an edit.
    void theKeyboardBelongsToTheCurrentGrid() {
        TZelmarSheetGrid* grid = Sheet->Grid();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
        QVERIFY(grid->SelectCell(ColumnOf(Sheet, "CLOGP"), 1));
        Press(Qt::Key_Down);
        QCOMPARE(grid->CurrentRow(), 2);
        Press(Qt::Key_PageDown);
        QVERIFY(grid->CurrentRow() > 2);

        QVERIFY(grid->SelectCell(ColumnOf(Sheet, "CLOGP"), 2));
        TypeIntoCurrentCell("5");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
        Press(Qt::Key_Down);
        QCOMPARE(grid->CurrentRow(), 3);

        TDialogWatcher watcher;
        watcher.ExpectCancel();
        QTRY_VERIFY(Action("ActEditFields")->isEnabled());
        Action("ActEditFields")->trigger();
        QVERIFY(watcher.AllAnswered());
        FrameActiveAgain();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));

        // Every menu has its Alt key.
        for (const char* name :
             {"MenuFile", "MenuEdit", "MenuCurrentSheet", "MenuSearch", "MenuWindow", "MenuHelp"}) {
            auto* menu = Form().findChild<QMenu*>(name);
            QVERIFY2(menu != nullptr, name);
            const QKeySequence mnemonic = QKeySequence::mnemonic(menu->title());
            QVERIFY2(!mnemonic.isEmpty(), name);
            QTest::keyClick(QApplication::focusWidget(), mnemonic[0].key(), Qt::AltModifier);
            QTRY_VERIFY2(menu->isVisible(), name);
            QTest::keyClick(menu, Qt::Key_Escape);
            QTRY_VERIFY(!menu->isVisible());
            QTest::keyClick(Form().menuBar(), Qt::Key_Escape);
        }
    }

    // A file that opens while the frame is not the active window (after a dialog, or handed
    // over from a second start) stays the current sheet, with the keyboard, once it is again.
    void aFileOpenedWhileTheFrameIsInactiveStaysCurrent() {
        TDialogWatcher watcher;
        watcher.ExpectCancel();
        QTRY_VERIFY(Action("ActEditFields")->isEnabled());
        Action("ActEditFields")->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(!Form().isActiveWindow());
        TZelmarWindow* opened = Open(Form(), DataFile("chembl_examples.sdf"));
        QVERIFY(opened != nullptr && opened != Sheet);
        FrameActiveAgain();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened->Grid()));
        QCOMPARE(Form().GetCurrentChildWindow(), opened);
    }

    void escOnTheCloseQuestionKeepsTheSheetAndItsEdits() {
        Modify();
        QMdiSubWindow* child = Form().MdiArea()->subWindowList().first();
        QStringList buttons;
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            buttons = ButtonTexts(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!child->close());
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(buttons, QStringList({"Abbrechen", "Nicht speichern", "Speichern"}));
        QCOMPARE(Form().SheetWindows().size(), 1);
        QVERIFY(Sheet->IsModified());
        QCOMPARE(Value(Sheet, 3, "CLOGP"), std::string("1"));

        // Cancel does the same; Save writes the file and closes.
        watcher.ExpectButton(QMessageBox::Cancel);
        QVERIFY(!child->close());
        QCOMPARE(Form().SheetWindows().size(), 1);
        watcher.ExpectSave();
        QVERIFY(child->close());
        QVERIFY(watcher.AllAnswered());
        QTRY_VERIFY(Form().SheetWindows().isEmpty());
        QVERIFY(HasValue(Bytes(File), "CLOGP", "1"));
    }

    void cancelWhenQuittingKeepsTheProgramAndEverySheet() {
        TZelmarWindow* first = Sheet;
        Modify();
        Sheet = Open(Form(), DataFile("chembl_examples.sdf"));
        QVERIFY(Sheet != nullptr);
        QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "chembl_id"), 1));
        TypeIntoCurrentCell("X");
        TDialogWatcher watcher;
        watcher.ExpectEscape();
        Action("FileExit")->trigger();
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(watcher.Texts.size(), 1);  // the second sheet was not asked
        QVERIFY(Form().isVisible());
        QCOMPARE(Form().SheetWindows().size(), 2);
        QVERIFY(first->IsModified());
        QVERIFY(Sheet->IsModified());
    }

    void theCloseQuestionSpeaksEnglishInTheEnglishInterface() {
        delete Shown;
        Shown = nullptr;
        TZelmar_FormMain form{TCommandLine{"/LNG=EN"}};
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.DoOpenNewFile(File.toStdString());
        Sheet = form.SheetWindows().last();
        QVERIFY(WaitLoaded(Sheet));
        Modify();
        QStringList buttons;
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            buttons = ButtonTexts(dialog);
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                box->button(QMessageBox::Discard)->click();
        });
        form.MdiArea()->closeAllSubWindows();
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(buttons, QStringList({"Cancel", "Don't save", "Save"}));
        QTRY_VERIFY(form.SheetWindows().isEmpty());
        Shown = new TShownForm;  // for cleanup
        Sheet = nullptr;
    }

    // The field dialog replaces the field list: typing right after must write to the
    // renamed field of the current record, not to a freed one.
    void typingAfterTheFieldDialogEditsTheRenamedField() {
        const int column = ColumnOf(Sheet, "CLOGP");
        ClickCell(Sheet->Grid(), column, 2);
        TDialogWatcher watcher;
        watcher.Expect([](QDialog* dialog) {
            auto* fields = dialog->findChild<QListWidget*>("LbFieldList");
            const QList<QListWidgetItem*> items = fields->findItems("CLOGP", Qt::MatchExactly);
            if (items.isEmpty()) return dialog->reject();
            fields->setCurrentItem(items.first());
            auto* name = dialog->findChild<QLineEdit*>("EdFieldName");
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, "LOGP");
            QTest::mouseClick(dialog->findChild<QPushButton*>("BtnOk"), Qt::LeftButton);
        });
        QTRY_VERIFY(Action("ActEditFields")->isEnabled());
        Action("ActEditFields")->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(Sheet->List()->GetFieldByName("LOGP") != nullptr);

        FrameActiveAgain();
        Press(Qt::Key_F2);
        QVERIFY(Editor() != nullptr);
        Editor()->selectAll();
        QTest::keyClicks(Editor(), "3.5");
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(Value(Sheet, 2, "LOGP"), std::string("3.5"));

        // And a letter typed on the cell starts an edit of it too.
        TypeIntoCurrentCell("7");
        QCOMPARE(Value(Sheet, 2, "LOGP"), std::string("7"));
    }

    // Unticked records are not written: the user hears how many, may cancel, and typing
    // after the save goes to the record the current cell shows now.
    void savingWithoutUntickedRecordsThenTypingEditsTheRecordShownNow() {
        const int column = ColumnOf(Sheet, "CLOGP");
        const std::string second = Value(Sheet, 2, "CLOGP");
        ClickCell(Sheet->Grid(), column, 1);
        ClickCell(Sheet->Grid(), 1, 1);  // untick row 1
        QVERIFY(!Sheet->List()->GetSDFileData(0)->Selected);
        ClickCell(Sheet->Grid(), column, 1);
        const QByteArray original = Bytes(File);
        QTRY_VERIFY(Action("FileSave")->isEnabled());  // commands follow the sheet when idle
        {
            TDialogWatcher watcher;
            watcher.ExpectEscape();
            Press(Qt::Key_S, Qt::ControlModifier);
            QVERIFY(watcher.AllAnswered());
            QCOMPARE(watcher.Texts.size(), 1);
            QVERIFY(watcher.Texts.first().startsWith("1 Datensatz ist nicht markiert"));
            QCOMPARE(Bytes(File), original);
            QCOMPARE(Sheet->List()->GetCount(), 200);
            QVERIFY(Sheet->IsModified());
        }
        FrameActiveAgain();
        {
            TDialogWatcher watcher;
            watcher.ExpectOk();
            Press(Qt::Key_S, Qt::ControlModifier);
            QVERIFY(watcher.AllAnswered());
        }
        FrameActiveAgain();
        QCOMPARE(Sheet->List()->GetCount(), 199);
        QVERIFY(!Sheet->IsModified());
        QCOMPARE(Value(Sheet, 1, "CLOGP"), second);

        TypeIntoCurrentCell("9");
        QCOMPARE(Value(Sheet, 1, "CLOGP"), std::string("9"));
        QVERIFY(Sheet->IsModified());
        // Edit, save, edit again, save again: the second edit reaches the file.
        QTRY_VERIFY(Action("FileSave")->isEnabled());
        TDialogWatcher watcher;
        Press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(!Sheet->IsModified());
        QVERIFY(HasValue(Bytes(File), "CLOGP", "9"));
        QCOMPARE(Bytes(File).count("$$$$"), 199);
    }

    // Typed text goes into the file in the encoding its values are shown in, so that a saved
    // file never mixes encodings; a UTF-8 file gets UTF-8.
    void typedUmlautsAreStoredInTheFilesOwnEncoding() {
        const struct {
            const char* File;
            QByteArray Stored;
        } cases[] = {
            {"latin1_values.sdf", QByteArray("M\xFCller \xB1 1\x80")},
            {"v3000_utf8_values.sdf", QByteArray("M\xC3\xBCller \xC2\xB1 1\xE2\x82\xAC")},
        };
        for (const auto& c : cases) {
            const QString file = Dir.filePath(QString::fromLatin1(c.File));
            QFile::remove(file);
            QVERIFY(QFile::copy(DataFile(c.File), file));
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
            Sheet = Open(Form(), file);
            QVERIFY(Sheet != nullptr);
            QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "cas.rn"), 1));
            Press(Qt::Key_F2);
            QVERIFY(Editor() != nullptr);
            Editor()->selectAll();
            TypeText(Editor(), QString::fromUtf8("Müller ± 1€"));
            QTest::keyClick(Editor(), Qt::Key_Return);
            QTRY_VERIFY(Editor() == nullptr);
            QCOMPARE(QByteArray::fromStdString(Value(Sheet, 1, "cas.rn")), c.Stored);
            // Pasted text too.
            QApplication::clipboard()->setText(QString::fromUtf8("Müller ± 1€"));
            QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "cas.index.name"), 1));
            QTRY_VERIFY(Action("ActionPaste")->isEnabled());
            Action("ActionPaste")->trigger();
            QCOMPARE(QByteArray::fromStdString(Value(Sheet, 1, "cas.index.name")), c.Stored);
            QTRY_VERIFY(Action("FileSave")->isEnabled());
            TDialogWatcher watcher;
            Press(Qt::Key_S, Qt::ControlModifier);
            QVERIFY(watcher.Unexpected.isEmpty());
            QVERIFY2(Bytes(file).contains("\n" + c.Stored + "\n"), c.File);
        }
    }

    // Close a file, open it again from Datei → Zuletzt geöffnet: the newest comes first, a
    // file opened twice is listed once, and a file that is not there is not listed.
    void aClosedFileOpensAgainFromTheRecentFiles() {
        {
            TDialogWatcher watcher;
            watcher.ExpectOk();  // the missing file's message
            Form().DoOpenNewFile(Dir.filePath("missing.sdf").toStdString());
            QTRY_VERIFY(watcher.AllAnswered());
        }
        TZelmarWindow* other = Open(Form(), DataFile("chembl_examples.sdf"));
        QVERIFY(other != nullptr);
        Form().MdiArea()->closeAllSubWindows();
        QTRY_VERIFY(Form().SheetWindows().empty());
        QTest::qWait(50);
        auto* menu = Form().findChild<QMenu*>(QStringLiteral("MenuRecentFiles"));
        QVERIFY(menu != nullptr);
        emit menu->aboutToShow();
        QStringList entries;
        for (QAction* action : menu->actions()) entries << action->text();
        QVERIFY2(entries.size() >= 2, qPrintable(entries.join("; ")));
        QVERIFY(entries[0].endsWith(QFileInfo(DataFile("chembl_examples.sdf")).absoluteFilePath()));
        QVERIFY(entries[1].endsWith(QFileInfo(File).absoluteFilePath()));
        QVERIFY(entries.filter(QStringLiteral("missing.sdf")).isEmpty());
        menu->actions()[1]->trigger();
        QVERIFY(WaitLoaded(Form().SheetWindows().last()));
        QCOMPARE(QFileInfo(QString::fromStdString(Form().SheetWindows().last()->Caption()))
                     .absoluteFilePath(),
                 QFileInfo(File).absoluteFilePath());
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), entries.size());  // listed once
        QVERIFY(menu->actions()[0]->text().endsWith(QFileInfo(File).absoluteFilePath()));
    }
};

QTEST_MAIN(TestSheetSequences)
#include "test_sheet_sequences.moc"
