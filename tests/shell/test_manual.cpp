// The user manual as a user reaches it: F1 in the main window and Help -> Manual open it in
// the interface language, its contents and links lead to the pages and sections they name,
// and the three languages' pages are complete: the same sections, every picture there.
#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "Zelmar_HelpWindow.h"

using namespace sheetTest;

// Helpers' failures end only the helper: the test stops after them.
#define ZELMAR_CHECKED(call)                    \
    do {                                        \
        call;                                   \
        if (QTest::currentTestFailed()) return; \
    } while (false)

namespace {

const QStringList kLanguages = {QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("fr")};

QString FileName(const QUrl& url) {
    return url.path().section(QLatin1Char('/'), -1);
}

QStringList Anchors(const TZelmarHelpWindow::TPage& page) {
    QStringList anchors;
    for (const auto& section : page.Sections) anchors << section.Anchor;
    return anchors;
}

}  // namespace

class TestManual : public QObject {
    Q_OBJECT

private:
    TShownForm* Shown = nullptr;

    TZelmar_FormMain& Form() { return Shown->Form; }
    TZelmarHelpWindow* Manual() { return Form().findChild<TZelmarHelpWindow*>(); }

    // F1 where the keyboard is in the main window.
    void PressF1() {
        Form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form()));
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QCOMPARE(target->window(), &Form());
        QTest::keyClick(target, Qt::Key_F1);
        QVERIFY(Manual() != nullptr);
        QTRY_VERIFY(Manual()->isVisible());
    }

    void VerifyShows(const QString& language, const QString& title) {
        QCOMPARE(Manual()->Language(), language);
        QCOMPARE(Manual()->Browser()->source(), TZelmarHelpWindow::IndexUrl(language));
        QCOMPARE(Manual()->Browser()->documentTitle(), title);
        QVERIFY(Manual()->windowTitle().startsWith(title));
        QVERIFY(Manual()->Contents()->topLevelItemCount() > 1);
    }

private slots:
    void initTestCase() { UseOwnSettings(); }

    void init() {
        Shown = new TShownForm;
        QVERIFY(Open(Form(), QStringLiteral(ZELMAR_SOURCE_DIR "/examples/zelmar_examples.sdf")));
        Form().SheetWindows().first()->Grid()->setFocus();
    }

    void cleanup() {
        delete Shown;
        Shown = nullptr;
    }

    void f1AndTheHelpMenuOpenTheManualInTheInterfaceLanguage() {
        ZELMAR_CHECKED(PressF1());
        ZELMAR_CHECKED(VerifyShows(QStringLiteral("de"), QStringLiteral("Zelmar-Handbuch")));
        QVERIFY(Manual()->Browser()->toPlainText().contains(QStringLiteral("Datenblatt")));

        // An open manual follows the switch; after closing, F1 brings up the new language.
        Form().SetNewLanguage("EN");
        ZELMAR_CHECKED(VerifyShows(QStringLiteral("en"), QStringLiteral("Zelmar Manual")));
        QCOMPARE(Manual()->findChild<QAction*>("ActHelpBack")->text(), QStringLiteral("Back"));
        Manual()->close();
        Form().SetNewLanguage("FRA");
        ZELMAR_CHECKED(PressF1());
        ZELMAR_CHECKED(VerifyShows(QStringLiteral("fr"), QStringLiteral("Manuel de Zelmar")));
        QVERIFY(Manual()->Browser()->toPlainText().contains(QStringLiteral("feuille de données")));
        Manual()->close();

        // Spanish has no texts of its own: German, as every other text.
        Form().SetNewLanguage("ES");
        auto* help = Form().findChild<QMenu*>(QStringLiteral("MenuHelp"));
        QVERIFY(help != nullptr);
        QAction* manual = Form().findChild<QAction*>(QStringLiteral("ActHelpManual"));
        QVERIFY(help->actions().contains(manual));
        QVERIFY(
            help->actions().contains(Form().findChild<QAction*>(QStringLiteral("ActHelpAbout"))));
        QCOMPARE(manual->text(), QStringLiteral("&Handbuch"));
        manual->trigger();
        QTRY_VERIFY(Manual()->isVisible());
        ZELMAR_CHECKED(VerifyShows(QStringLiteral("de"), QStringLiteral("Zelmar-Handbuch")));
    }

    void contentsLinksAndHistoryLeadWhereTheySay() {
        ZELMAR_CHECKED(PressF1());
        for (const QString& language : kLanguages) {
            Form().SetNewLanguage(language.toUpper().toStdString());
            QCOMPARE(Manual()->Language(), language);
            QTreeWidget* contents = Manual()->Contents();
            QTextBrowser* browser = Manual()->Browser();
            for (int i = 0; i < contents->topLevelItemCount(); ++i) {
                QTreeWidgetItem* page = contents->topLevelItem(i);
                contents->scrollToItem(page);
                QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                                  contents->visualItemRect(page).center());
                QCOMPARE(browser->source(), page->data(0, Qt::UserRole).toUrl());
                QCOMPARE(browser->documentTitle(), page->text(0));
                for (int j = 0; j < page->childCount(); ++j) {
                    QTreeWidgetItem* section = page->child(j);
                    contents->scrollToItem(section);
                    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                                      contents->visualItemRect(section).center());
                    QCOMPARE(browser->source().fragment(),
                             section->data(0, Qt::UserRole).toUrl().fragment());
                    QCOMPARE(contents->currentItem(), section);
                }
            }
            // Back and forward walk the pages just visited.
            const QUrl last = browser->source();
            QAction* back = Manual()->findChild<QAction*>("ActHelpBack");
            QAction* forward = Manual()->findChild<QAction*>("ActHelpForward");
            QVERIFY(back->isEnabled());
            back->trigger();
            QVERIFY(browser->source() != last);
            QVERIFY(forward->isEnabled());
            forward->trigger();
            QCOMPARE(browser->source(), last);
            Manual()->findChild<QAction*>("ActHelpHome")->trigger();
            QCOMPARE(browser->source(), TZelmarHelpWindow::IndexUrl(language));

            // Every link in the pages names a page of the manual and a section it has.
            for (const auto& page : TZelmarHelpWindow::ReadPages(language)) {
                for (const QString& link : TZelmarHelpWindow::Links(page.Url)) {
                    const QUrl target(link);
                    QUrl file = target;
                    file.setFragment(QString());
                    QVERIFY2(QFile::exists(QLatin1Char(':') + file.path()), qPrintable(link));
                    if (target.hasFragment())
                        QVERIFY2(
                            Anchors(TZelmarHelpWindow::ReadPage(file)).contains(target.fragment()),
                            qPrintable(link));
                }
            }
        }
    }

    void everyLanguageHasTheSamePagesSectionsAndPictures() {
        const auto german = TZelmarHelpWindow::ReadPages(QStringLiteral("de"));
        QVERIFY(german.size() > 5);
        for (const QString& language : kLanguages) {
            const auto pages = TZelmarHelpWindow::ReadPages(language);
            QCOMPARE(pages.size(), german.size());
            for (std::size_t i = 0; i < pages.size(); ++i) {
                const QString name = language + QLatin1Char('/') + FileName(pages[i].Url);
                QCOMPARE(FileName(pages[i].Url), FileName(german[i].Url));
                QVERIFY2(!pages[i].Title.isEmpty(), qPrintable(name));
                QVERIFY2(pages[i].Sections.size() > 1, qPrintable(name));
                QCOMPARE(Anchors(pages[i]), Anchors(german[i]));
                for (const auto& section : pages[i].Sections)
                    QVERIFY2(!section.Title.isEmpty(), qPrintable(name + '#' + section.Anchor));
                QStringList pictures;
                for (const QString& image : TZelmarHelpWindow::Images(pages[i].Url)) {
                    QVERIFY2(image.startsWith(QStringLiteral("qrc:/manual/") + language),
                             qPrintable(image));
                    QVERIFY2(!QImage(QLatin1Char(':') + QUrl(image).path()).isNull(),
                             qPrintable(image));
                    pictures << FileName(QUrl(image));
                }
                QStringList germanPictures;
                for (const QString& image : TZelmarHelpWindow::Images(german[i].Url))
                    germanPictures << FileName(QUrl(image));
                QCOMPARE(pictures, germanPictures);
            }
        }
    }
};

QTEST_MAIN(TestManual)
#include "test_manual.moc"
