#pragma once
// Driving dialogs as a user does: the program's dictionaries, clicks on list entries and
// their check marks, and screenshots for looking at a dialog (ZELMAR_DIALOG_SHOTS=folder).

#include <QDir>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTranslator>
#include <QtTest>
#include <memory>

#include "Zelmar_Translater.h"

// The language as the program sets it: the compiled dictionary installed for Qt and handed
// to LoadTranslatedText. Native (German) texts again when it goes.
class TTestLanguage {
public:
    explicit TTestLanguage(const char* code) {
        const QString file = QStringLiteral(":/i18n/zelmar_%1.qm").arg(QLatin1String(code));
        if (!FDictionary.load(file)) qWarning("dictionary %s not found", qPrintable(file));
        QCoreApplication::installTranslator(&FDictionary);
        SetTranslationLookup(
            [dictionary = &FDictionary](const std::string& scope, const std::string& native) {
                return dictionary->translate(scope.c_str(), native.c_str()).toStdString();
            });
    }
    ~TTestLanguage() {
        SetTranslationLookup({});
        QCoreApplication::removeTranslator(&FDictionary);
    }
    TTestLanguage(const TTestLanguage&) = delete;
    TTestLanguage& operator=(const TTestLanguage&) = delete;

private:
    QTranslator FDictionary;
};

inline void ClickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item != nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(item).center());
}

// A click on the entry's check mark, where the style puts it.
inline void ClickCheck(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item != nullptr);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = item->text();
    const QRect check =
        list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, check.center());
}

// Saves the widget's picture as <folder>/<name>.png when ZELMAR_DIALOG_SHOTS names a folder.
inline void Shot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("ZELMAR_DIALOG_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QApplication::processEvents();
    widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
