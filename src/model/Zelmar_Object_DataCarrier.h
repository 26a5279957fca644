#pragma once
// One value of one field kind, the currency between records, grid, searches and editors.
// Empty tells a carrier that was never set apart from one set to an empty text or to false:
// writing an empty carrier into a record deletes the value, writing an empty text keeps it.

#include <string>
#include <utility>

#include "Zelmar_Object_Fields.h"

class TZelmarDataCarrier {
public:
    TZelmarDataCarrier() = default;

    void Clear();
    // Clear, then a copy of the source (a null source leaves the carrier cleared).
    void Assign(const TZelmarDataCarrier* source);

    // Setters make the carrier non-empty; none of them changes the kind.
    void SetText(std::string text);
    void SetValue(double value);
    void SetValueFrom(double value);
    void SetValueTo(double value);
    void SetChecked(bool checked);
    // Set by whoever fills the carrier (records when they read a value).
    void SetKind(TZelmarFieldKind kind) { FKind = kind; }

    TZelmarFieldKind Kind() const { return FKind; }
    const std::string& Text() const { return FText; }
    // Hands the text over, leaving it empty: for readers that keep it anyway.
    std::string TakeText() { return std::move(FText); }
    double Value() const { return FValue; }
    // The number a query compares with (its lower bound for ranges); a record's weight too.
    double ValueFrom() const { return FValueFrom; }
    double ValueTo() const { return FValueTo; }
    bool Checked() const { return FChecked; }
    bool Empty() const { return FEmpty; }

    bool IsText() const;    // data text, formula, molecule, identifiers
    bool IsNumber() const;  // molecular weight

private:
    TZelmarFieldKind FKind = ecsdtNone;
    std::string FText;
    double FValue = 0.0;
    double FValueFrom = 0.0;
    double FValueTo = 0.0;
    bool FChecked = false;
    bool FEmpty = true;
};
