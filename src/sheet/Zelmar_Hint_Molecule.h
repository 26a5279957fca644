#pragma once
// The molecule hint: a frameless tool-tip window with the field's name in a blue caption bar
// and the structure drawn below by a viewer pool of its own.

#include <QWidget>
#include <memory>

#include "Zelmar_Object_HintManager.h"

class TveskChemView2Pool;

class TZelmarWndMolecule : public QWidget {
    Q_OBJECT
public:
    TZelmarWndMolecule();
    ~TZelmarWndMolecule() override;

    // Takes size, molecule and caption; placed near the point and kept on the desktop.
    void ActivateHintData(const TZelmarMoleculeHintInfo& info, const QPoint& at);
    const TZelmarMoleculeHintInfo& Info() const { return FInfo; }
    int CaptionBarHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZelmarMoleculeHintInfo FInfo;
    std::unique_ptr<TveskChemView2Pool> FPool;
};

// Moves a rectangle onto the screen that holds its top-left corner.
QRect KeepOnDesktop(const QRect& rect);
