#pragma once
// Combines two open sheets into the records of a third, molecule by molecule: the molecules
// both hold, all records, or either side less the other's molecules. Only checked records
// take part; records of equal molecules are all kept, never merged.
// Use: create, set OnGetAvailableSheets and OnGetNextSearchResultCaption, exec(); on Accepted
// show GetResultList() (copies owned by the dialog) in a new sheet captioned GetOutputName().

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_SDFileData.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class TZelmarHelpHeader;
class TZelmarMixSelector;
class TZelmarPolicyChoice;

// A sheet as mixing sees it.
struct TZelmarMixSheet {
    std::string Caption;                    // the window's caption, usually the file's path
    TZelmarSDFileDataList* List = nullptr;  // the sheet's records, not owned
    // Optional: true while the sheet still counts its file's entries (it has no records yet).
    std::function<bool()> Indexing;
    // Optional: the sheet's window. Pending events run during a mix; should the window close
    // meanwhile, the mix stops before it reaches the freed records.
    QPointer<QObject> Window;
};

// The window side of mixing, on top of the record lists' set operations.
class TZelmarMixWindows {
public:
    // (list, position, count) -> go on.
    using TProgress = std::function<bool(TZelmarSDFileDataList* list, int position, int count)>;
    enum TOperation { moIntersect = 1, moMerge = 2, moLeftMinusRight = 3, moRightMinusLeft = 4 };

    // Reads every record of both sheets (left first), mixes them by the operation (1 to 4) on
    // the comparison field (molecules compared under the duplicate policy, 0: exact structure)
    // and appends owned copies of the resulting records to result.
    // False, with result unchanged, when a progress handler stops it or it fails.
    static bool MixWindows(const TZelmarMixSheet* left, const TZelmarMixSheet* right,
                           const TProgress& mixing, const TProgress& verifyRight,
                           const TProgress& verifyLeft, TZelmarRecordRefs& result,
                           const TZelmarField* field, int operation, int policy = 0);
    // The caption; short: the file name without folder and extension.
    static std::string GetCaption(const TZelmarMixSheet* sheet, bool shortName);
};

class TZelmarDialogMixSheets : public QDialog {
    Q_OBJECT
public:
    using TGetAvailableSheetsEvent =
        std::function<bool(TZelmarDialogMixSheets* sender, std::vector<TZelmarMixSheet>& sheets)>;
    using TGetNextSearchResultCaptionEvent =
        std::function<void(TZelmarDialogMixSheets* sender, std::string& caption)>;

    explicit TZelmarDialogMixSheets(QWidget* owner = nullptr);
    ~TZelmarDialogMixSheets() override;

    TGetAvailableSheetsEvent OnGetAvailableSheets;
    TGetNextSearchResultCaptionEvent OnGetNextSearchResultCaption;

    // The name for the result sheet, trimmed (UTF-8).
    std::string GetOutputName() const;
    // The chosen sheets, or null.
    const TZelmarMixSheet* GetCurrentLeftWindow() const;
    const TZelmarMixSheet* GetCurrentRightWindow() const;
    // The chosen operation (TZelmarMixWindows::TOperation), 0 when none.
    int GetOperation() const { return FOperation; }
    void SelectOperation(int operation);
    // TZelmarDuplicatePolicy bits the molecules are compared under; 0 for merging (which
    // compares nothing) and when the search library makes no policy keys.
    int GetPolicy() const;
    void SetPolicy(int policy);
    // Copies of the resulting records after a successful mix; freed with the dialog.
    const TZelmarRecordRefs& GetResultList() const { return FResultList; }
    bool Mixing() const { return FMixing; }

    TZelmarHelpHeader* HelpHeader;
    QListWidget* LbLeftSheets;
    QListWidget* LbRightSheets;
    std::array<TZelmarMixSelector*, 4> Selectors;
    TZelmarPolicyChoice* PolicyChoice;
    QLineEdit* EdOutputName;
    QWidget* PanelProgress;
    QLabel* LabelAction;
    QProgressBar* ProgressBar;
    QPushButton* BtnAbort;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

public slots:
    // OK mixes and closes only when the mix succeeded; while mixing, Cancel and Esc stop it.
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeSheetColumn(const QString& caption, QListWidget*& list, const char* name,
                             int width);
    QWidget* MakeOperationColumn();
    QWidget* MakeOutputGroup();
    QWidget* MakePolicyGroup();
    void UpdatePolicyChoice();
    QWidget* MakeProgressPanel();
    void FillListBox(QListWidget* list);
    const TZelmarMixSheet* SheetOf(const QListWidget* list) const;
    void CheckOkButton();
    bool DoMakeMixOperation();
    void DeleteResultList();
    void SetChoicesEnabled(bool enabled);
    bool ShowProgress(const QString& action, int position, int count);
    // A chosen sheet whose window was there when the mix began has closed since.
    bool ChosenSheetClosed() const;
    bool HandleOnVerifyLeftDataConsistency(TZelmarSDFileDataList* list, int position, int count);
    bool HandleOnVerifyRightDataConsistency(TZelmarSDFileDataList* list, int position, int count);
    bool HandleOnMixingData(TZelmarSDFileDataList* list, int position, int count);
    void BtnAbortClick();

    std::vector<TZelmarMixSheet> FSheets;
    TZelmarRecordRefs FResultList;
    TZelmarField FChemistryField;
    int FOperation = 0;
    bool FAbort = false;
    bool FMixing = false;
    bool FPolicyKeys = false;
    int FMixPolicy = 0;  // taken when the mix starts: the choice is disabled meanwhile
    QElapsedTimer FSinceEvents;
    QString FActionVerifyLeft;
    QString FActionVerifyRight;
    QString FActionMixing;
    std::vector<QWidget*> FChoices;
    // The sheets of the running mix, and whether each had a window when it began.
    const TZelmarMixSheet* FMixLeft = nullptr;
    const TZelmarMixSheet* FMixRight = nullptr;
    bool FLeftHadWindow = false;
    bool FRightHadWindow = false;
};
