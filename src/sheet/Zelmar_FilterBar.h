#pragma once
// The bar above a sheet's grid that narrows the sheet in place: a field (or every field), the
// text or number typed, and a structure drawn in the structure search's dialog. It knows no
// records: it says what the user asked for, a moment after the typing stops or at once on
// Enter, and the sheet does the filtering.

#include <QString>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

class TZelmarFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit TZelmarFilterBar(QWidget* parent);

    // (shown name, field name) of the fields offered; an empty field name is every field.
    // The choice stays when its field is offered again.
    void SetFields(const std::vector<std::pair<QString, std::string>>& fields);
    std::string FieldName() const;
    QString Text() const;
    void SetText(const QString& text);
    // Shows the bar with the text selected for typing over, in the current language.
    void Open();
    // A query the sheet could not read: marked, with the reason as the field's tool tip.
    void MarkInvalid(const QString& reason);
    // The query in force, shown as the bar's state ("Struktur" while a structure filters).
    void ShowStructureActive(bool active);

    QLineEdit* Edit() const { return FEdit; }
    QComboBox* Fields() const { return FFields; }

signals:
    void FilterRequested();
    void StructureRequested();
    // Esc or the close button: the filter goes and the bar hides.
    void CloseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Retranslate();
    void TextEdited();

    QLabel* FLabel;
    QComboBox* FFields;
    QLineEdit* FEdit;
    QToolButton* FStructure;
    QToolButton* FClose;
    QTimer* FPause;
};
