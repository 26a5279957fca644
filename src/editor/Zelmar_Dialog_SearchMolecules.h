#pragma once
// "Suche nach Molekülen": the query drawing of a structure search, exact or substructure,
// with or without tetrahedral stereo chemistry. One instance keeps the last query, the mode
// and the stereo setting from one search to the next.

#include "Zelmar_DrawletDialog.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;

class TZelmarDialog_SearchMolecules : public TZelmarDrawletDialog {
    Q_OBJECT
public:
    explicit TZelmarDialog_SearchMolecules(QWidget* parent = nullptr);

    // The query to start from; an empty text keeps the one drawn before.
    void SetMolecule(const std::string& molecule);
    // The drawing as the query (reads it from the page first).
    std::string GetQueryMolecule();
    // 4: exact structure, 2: substructure, 1: neither chosen.
    int GetSearchMode() const;
    bool GetConsiderStereo() const;
    void GetChemString() override;

    QRadioButton* RbExact = nullptr;
    QRadioButton* RbSSS = nullptr;
    QCheckBox* CbConsiderStereoChem = nullptr;

protected:
    bool AcceptClose() override;
    void Retranslate() override;
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* FModeBox = nullptr;
};
