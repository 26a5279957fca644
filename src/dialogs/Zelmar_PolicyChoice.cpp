#include "Zelmar_PolicyChoice.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

#include "Zelmar_Translater.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

struct TRule {
    const char* Name;  // the box's object name
    const char* Box;   // stored texts
    const char* Hint;
    const char* Caption;
};

const TRule kRules[4] = {
    {"CbIgnoreSalts", "ZelmarPolicyChoice##  Salze und Lösungsmittel ignorieren",
     "ZelmarPolicyChoice##  Nur das größte organische Fragment zählt (Gegenionen und "
     "Lösungsmittel fallen weg).",
     "ZelmarPolicyChoice##  ohne Salze"},
    {"CbIgnoreCharges", "ZelmarPolicyChoice##  Ladungen ignorieren",
     "ZelmarPolicyChoice##  Säuren, Basen und Zwitterionen zählen in ihrer neutralen Form.",
     "ZelmarPolicyChoice##  ohne Ladungen"},
    {"CbIgnoreIsotopes", "ZelmarPolicyChoice##  Isotope ignorieren",
     "ZelmarPolicyChoice##  Markierte Atome (13C, D, T) zählen wie unmarkierte.",
     "ZelmarPolicyChoice##  ohne Isotope"},
    {"CbTautomers", "ZelmarPolicyChoice##  Tautomere als ein Molekül",
     "ZelmarPolicyChoice##  Wasserstoff, der zwischen Heteroatomen wandert, zählt nicht "
     "(2-Pyridon = 2-Hydroxypyridin); Keto- und Enolform bleiben getrennt.",
     "ZelmarPolicyChoice##  Tautomere vereint"},
};

}  // namespace

TZelmarPolicyChoice::TZelmarPolicyChoice(QWidget* parent, int columns) : QWidget(parent) {
    setObjectName(QStringLiteral("PolicyChoice"));
    columns = std::max(columns, 1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    for (int i = 0; i < 4; ++i) {
        Boxes[i] = new QCheckBox(Shown(kRules[i].Box), this);
        Boxes[i]->setObjectName(QString::fromLatin1(kRules[i].Name));
        Hints[i] = new QLabel(Shown(kRules[i].Hint), this);
        Hints[i]->setObjectName(QString::fromLatin1(kRules[i].Name) + QStringLiteral("Hint"));
        Hints[i]->setWordWrap(true);
        // Under the box's text, a little smaller, so that the boxes stand out.
        Hints[i]->setIndent(20);
        QFont small = Hints[i]->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        Hints[i]->setFont(small);
        Hints[i]->setBuddy(Boxes[i]);
        auto* rule = new QVBoxLayout;
        rule->setSpacing(0);
        rule->setContentsMargins(0, 0, 0, 4);
        rule->addWidget(Boxes[i]);
        rule->addWidget(Hints[i]);
        rule->addStretch(1);
        grid->addLayout(rule, i / columns, i % columns);
    }
    for (int c = 0; c < columns; ++c) grid->setColumnStretch(c, 1);
}

int TZelmarPolicyChoice::TickedPolicy() const {
    int policy = 0;
    for (int i = 0; i < 4; ++i)
        if (Boxes[i]->isChecked()) policy |= 1 << i;
    return policy;
}

int TZelmarPolicyChoice::Policy() const {
    return isEnabled() ? TickedPolicy() : 0;
}

void TZelmarPolicyChoice::SetPolicy(int policy) {
    for (int i = 0; i < 4; ++i) Boxes[i]->setChecked((policy & (1 << i)) != 0);
}

QString TZelmarPolicyChoice::Caption(int policy) {
    return Guarded("TZelmarPolicyChoice.Caption", QString(), [&] {
        QStringList words;
        for (int i = 0; i < 4; ++i)
            if ((policy & (1 << i)) != 0) words << Shown(kRules[i].Caption);
        return words.join(QStringLiteral(", "));
    });
}
