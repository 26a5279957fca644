#include "Zelmar_Object_HintManager.h"

#include <QApplication>
#include <QCursor>
#include <QStyle>
#include <QWidget>

#include "Zelmar_Hint_Molecule.h"
#include "Zelmar_Hint_StatusBar.h"
#include "vesk_Guard.h"

namespace {
// A shown hint is replaced this quickly when what it shows changes.
constexpr int kReshowMs = 20;
}  // namespace

TZelmarHintManager::TZelmarHintManager(QObject* parent) : QObject(parent) {
    FShowTimer.setSingleShot(true);
    connect(&FShowTimer, &QTimer::timeout, this, [this] { ShowPending(); });
}

TZelmarHintManager::~TZelmarHintManager() = default;

int TZelmarHintManager::ShowDelay() const {
    const bool shown =
        (FMoleculeWnd && FMoleculeWnd->isVisible()) || (FStatusWnd && FStatusWnd->isVisible());
    if (shown) return kReshowMs;
    return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
}

void TZelmarHintManager::SetMoleculeHint(QWidget* control, int width, const QString& caption,
                                         const std::string& molFile, int height,
                                         const TveskChemView2Highlight& highlight) {
    GuardedVoid("TZelmarHintManager.SetMoleculeHint", [&] {
        const bool changed = molFile != FCurrentMolFile || highlight != FCurrentHighlight || !FInfo;
        if (!changed && FControl == control && FMolecule) return;
        if (changed) {
            FCurrentMolFile = molFile;
            FCurrentHighlight = highlight;
            auto info = std::make_unique<TZelmarMoleculeHintInfo>();
            info->MolFile = molFile;
            info->Width = width * 2 / 3;
            info->Height = height * 2 / 3;
            info->Caption = caption;
            info->OnGetMolViewerPool = OnGetMolViewerPool;
            info->Highlight = highlight;
            FInfo = std::move(info);
        }
        if (FStatusWnd) FStatusWnd->hide();
        FControl = control;
        FMolecule = true;
        FShowTimer.start(ShowDelay());
    });
}

void TZelmarHintManager::SetStatusBarHint(QWidget* control, const QString& text) {
    GuardedVoid("TZelmarHintManager.SetStatusBarHint", [&] {
        if (FControl == control && !FMolecule && FStatusText == text &&
            (FShowTimer.isActive() || (FStatusWnd && FStatusWnd->isVisible())))
            return;
        if (FMoleculeWnd) FMoleculeWnd->hide();
        FControl = control;
        FMolecule = false;
        FStatusText = text;
        FShowTimer.start(ShowDelay());
    });
}

void TZelmarHintManager::SetNoHint(QWidget* control) {
    GuardedVoid("TZelmarHintManager.SetNoHint", [&] {
        if (control == nullptr || FControl != control) return;
        FShowTimer.stop();
        if (FMoleculeWnd) FMoleculeWnd->hide();
        if (FStatusWnd) FStatusWnd->hide();
        FControl = nullptr;
    });
}

void TZelmarHintManager::ShowPending() {
    GuardedVoid("TZelmarHintManager.HandleOnShowHint", [&] {
        QWidget* control = FControl.data();
        if (control == nullptr || !control->isVisible()) return;
        if (FMolecule) {
            if (!FInfo || FInfo->MolFile.empty()) return;
            if (!FMoleculeWnd) FMoleculeWnd = std::make_unique<TZelmarWndMolecule>();
            FMoleculeWnd->ActivateHintData(*FInfo, QCursor::pos() + QPoint(16, 16));
        } else {
            if (!FStatusWnd) FStatusWnd = std::make_unique<TZelmar_HintWndStatusbar>();
            const QPoint cursor = control->mapFromGlobal(QCursor::pos());
            FStatusWnd->ActivateHintData(FStatusText, control->mapToGlobal(QPoint(cursor.x(), 0)));
        }
    });
}
