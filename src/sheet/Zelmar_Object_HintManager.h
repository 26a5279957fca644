#pragma once
// The one router of the sheets' hints: a molecule hint (the structure under the mouse, drawn
// large with the field's name as a caption bar) and a status-bar hint (a text placed just above
// a sheet's status bar). Controls are given a hint; the manager shows it after the platform's
// tool-tip delay, and replaces a shown one at once when the molecule changes.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "vesk_ChemView2.h"

class QWidget;
class TveskChemView2Pool;
class TZelmarWndMolecule;
class TZelmar_HintWndStatusbar;

// What the molecule hint window shows.
struct TZelmarMoleculeHintInfo {
    std::string MolFile;
    int Width = 200;
    int Height = 100;
    QString Caption;
    std::function<TveskChemView2Pool*()> OnGetMolViewerPool;
    // The part of a search hit that matched, drawn marked as in the grid.
    TveskChemView2Highlight Highlight;
};

class TZelmarHintManager : public QObject {
    Q_OBJECT
public:
    explicit TZelmarHintManager(QObject* parent = nullptr);
    ~TZelmarHintManager() override;

    // width and height: the sheet window's; the hint takes two thirds of each.
    void SetMoleculeHint(QWidget* control, int width, const QString& caption,
                         const std::string& molFile, int height,
                         const TveskChemView2Highlight& highlight = {});
    void SetStatusBarHint(QWidget* control, const QString& text);
    void SetNoHint(QWidget* control);

    // The hint windows, for placement checks; null until first shown.
    TZelmarWndMolecule* MoleculeWindow() const { return FMoleculeWnd.get(); }
    TZelmar_HintWndStatusbar* StatusBarWindow() const { return FStatusWnd.get(); }
    const TZelmarMoleculeHintInfo* CurrentMoleculeHint() const { return FInfo.get(); }

    // The main window's viewer pool, copied into each hint info.
    std::function<TveskChemView2Pool*()> OnGetMolViewerPool;

private:
    void ShowPending();
    // The delay before showing: the tool-tip delay, or almost none while a hint is shown.
    int ShowDelay() const;

    std::string FCurrentMolFile;
    TveskChemView2Highlight FCurrentHighlight;
    std::unique_ptr<TZelmarMoleculeHintInfo> FInfo;
    std::unique_ptr<TZelmarWndMolecule> FMoleculeWnd;
    std::unique_ptr<TZelmar_HintWndStatusbar> FStatusWnd;
    QPointer<QWidget> FControl;  // whose hint is pending or shown
    bool FMolecule = false;      // the pending hint is the molecule hint
    QString FStatusText;
    QTimer FShowTimer;
};
