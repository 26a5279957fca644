// Qt's own texts in the interface language: the labels and buttons of the program's file
// dialog, standard buttons no text of ours names, and the edit boxes' context menus. Each
// language replaces the one before; English brings Qt's native texts back.
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "ZelmarDialogTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_FileDialogs.h"
#include "Zelmar_QtTranslations.h"

namespace {

// The caption, "Look in", file name label and Cancel button of the MOL file dialog.
QStringList MolFileDialogTexts(bool save, const QString& shot) {
    QStringList texts;
    TDialogWatcher watcher;
    watcher.Expect([&texts, shot](QDialog* dialog) {
        Shot(dialog, shot);
        texts << dialog->windowTitle();
        for (const char* name : {"lookInLabel", "fileNameLabel"})
            if (auto* label = dialog->findChild<QLabel*>(QLatin1String(name)))
                texts << label->text();
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
                texts << cancel->text();
        dialog->reject();
    });
    const std::string chosen =
        AskMolFileName(nullptr, save, QStringLiteral("Titel"), QStringLiteral("MOL (*.mol)|*.mol"),
                       QStringLiteral("MolDialog"));
    if (!chosen.empty() || !watcher.AllAnswered()) texts << QStringLiteral("?");
    return texts;
}

QString CloseButtonText() {
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Close);
    return box.button(QMessageBox::Close)->text();
}

// Without its shortcut, which Qt writes after a tab.
QString FirstContextMenuEntry() {
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    return menu->actions().isEmpty()
               ? QString()
               : menu->actions().constFirst()->text().section(QLatin1Char('\t'), 0, 0);
}

}  // namespace

class TestQtTranslations : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(UseQtTranslations("EN")); }

    void fileDialogsSpeakTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("German") << "DEU"
                                << QStringList{"Titel", "Suchen in:", "Datei&name:", "Abbrechen"};
        QTest::newRow("French") << "FRA"
                                << QStringList{"Titel",
                                               "Voir dans :", "&Nom de fichier :", "Annuler"};
        QTest::newRow("Spanish, as German")
            << "ES" << QStringList{"Titel", "Suchen in:", "Datei&name:", "Abbrechen"};
        QTest::newRow("English") << "ENU"
                                 << QStringList{"Titel", "Look in:", "File &name:", "Cancel"};
    }
    void fileDialogsSpeakTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        QVERIFY(UseQtTranslations(language.toStdString()));
        QCOMPARE(MolFileDialogTexts(false, "open_mol_" + language), texts);
        QCOMPARE(MolFileDialogTexts(true, "save_mol_" + language), texts);
    }

    void eachLanguageReplacesTheOneBefore() {
        QVERIFY(UseQtTranslations("DE"));
        QCOMPARE(CloseButtonText(), QStringLiteral("Schließen"));
        QCOMPARE(FirstContextMenuEntry(), QStringLiteral("&Rückgängig"));
        QVERIFY(UseQtTranslations("FR"));
        QCOMPARE(CloseButtonText(), QStringLiteral("Fermer"));
        QCOMPARE(FirstContextMenuEntry(), QStringLiteral("&Annuler"));
        QVERIFY(UseQtTranslations("DE"));
        QCOMPARE(CloseButtonText(), QStringLiteral("Schließen"));
        QVERIFY(UseQtTranslations("EN"));
        QCOMPARE(CloseButtonText(), QStringLiteral("Close"));
        QCOMPARE(FirstContextMenuEntry(), QStringLiteral("&Undo"));
    }
};

QTEST_MAIN(TestQtTranslations)
#include "test_qt_translations.moc"
