#pragma once
// Lists the records of a sheet that failed to load, highest record number first, with their
// error texts. Clicking an entry asks the caller to scroll the sheet to that record; the
// dialog stays open. The list is built once, by Init.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"

class QHeaderView;
class QListWidget;
class QPushButton;
class TZelmarHelpHeader;

class TZelmar_DialogLoadErrors : public QDialog {
    Q_OBJECT
public:
    // 0-based position of a record in the sheet, -1 when it is not there.
    using TGetIndexEvent = std::function<int(const TZelmarSDFileData* record)>;
    // Scrolls the sheet so that the record number is its top row.
    using TGotoIndexEvent = std::function<void(int recordNo)>;

    struct TEntry {
        std::string Text;
        int RecordNo = 0;
    };

    explicit TZelmar_DialogLoadErrors(QWidget* owner = nullptr);

    // Set before Init.
    TGetIndexEvent OnGetIndex;
    TGotoIndexEvent OnGotoIndex;

    void Init(const TZelmarRecordRefs& loadErrors);
    // The entries as listed, top to bottom.
    std::vector<TEntry> Entries() const;
    static constexpr int EntryHeight = 18;

    TZelmarHelpHeader* HelpHeader;
    QHeaderView* HeaderControl;
    QListWidget* ListBox;
    QPushButton* BtnOK;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<TEntry> BuildIndexList(const TZelmarRecordRefs& loadErrors) const;
    static void SortIndexList(std::vector<TEntry>& entries);
    void ListBoxClick();
};
