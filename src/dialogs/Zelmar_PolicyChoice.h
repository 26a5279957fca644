#pragma once
// The choice of a duplicate policy (TZelmarDuplicatePolicy bits) where dialogs compare
// molecules: one check box per rule with a line saying what it sets aside. The one place of
// these texts, for the duplicate search and for mixing.

#include <QString>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;

class TZelmarPolicyChoice : public QWidget {
    Q_OBJECT
public:
    // The rules in rows of `columns` (one under the other, or side by side in a wide dialog).
    explicit TZelmarPolicyChoice(QWidget* parent, int columns = 1);

    // The ticked rules; 0 while the choice is disabled (it then does not apply).
    int Policy() const;
    // Ticks the boxes of the policy's bits, also while disabled (kept for when it applies).
    void SetPolicy(int policy);
    // The ticked rules whether or not the choice applies now.
    int TickedPolicy() const;

    // The policy's rules in words for captions ("ohne Salze, Tautomere vereint"); empty for 0.
    static QString Caption(int policy);

    // In the order of the bits: salts, charges, isotopes, tautomers.
    std::array<QCheckBox*, 4> Boxes;
    std::array<QLabel*, 4> Hints;
};
