#pragma once
// Entries of the field choosers: the field's kind as a small picture, then its display name,
// drawn by the program-wide field painter; with a check mark in front where the list has
// check marks. An entry holds its field (not owned) under FieldRole.

#include <QStyledItemDelegate>

class QListWidget;
class QListWidgetItem;
class TZelmarField;
class TZelmarFieldPainter;

// The painter every field chooser draws with, made on first request with the pictures of
// the field kinds; it lives as long as the program.
const TZelmarFieldPainter* ZelmarFieldPainter();

class TZelmarFieldListDelegate : public QStyledItemDelegate {
public:
    static constexpr int FieldRole = Qt::UserRole + 1;
    static constexpr int EntryHeight = 18;

    // source: where an entry's fail-safe trace goes ("Class.LbFieldListDrawItem").
    TZelmarFieldListDelegate(const char* source, QObject* parent);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Null uses no painter: entries then show their display name only.
    const TZelmarFieldPainter* FieldPainter;

private:
    const char* FSource;
};

// The field an entry holds, or null.
TZelmarField* FieldOfItem(const QListWidgetItem* item);
// Appends an entry holding the field.
QListWidgetItem* AddFieldItem(QListWidget* list, TZelmarField* field);
