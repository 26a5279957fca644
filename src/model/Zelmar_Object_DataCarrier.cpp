#include "Zelmar_Object_DataCarrier.h"

#include <utility>

#include "vesk_Guard.h"

void TZelmarDataCarrier::Clear() {
    FKind = ecsdtNone;
    FText.clear();
    FValue = 0.0;
    FValueFrom = 0.0;
    FValueTo = 0.0;
    FChecked = false;
    FEmpty = true;
}

void TZelmarDataCarrier::Assign(const TZelmarDataCarrier* source) {
    GuardedVoid("TZelmarDataCarrier.Assign", [&] {
        if (source == this) return;
        Clear();
        if (source == nullptr) return;
        FKind = source->FKind;
        FText = source->FText;
        FValue = source->FValue;
        FValueFrom = source->FValueFrom;
        FValueTo = source->FValueTo;
        FChecked = source->FChecked;
        FEmpty = source->FEmpty;
    });
}

void TZelmarDataCarrier::SetText(std::string text) {
    FText = std::move(text);
    FEmpty = false;
}

void TZelmarDataCarrier::SetValue(double value) {
    FValue = value;
    FEmpty = false;
}

void TZelmarDataCarrier::SetValueFrom(double value) {
    FValueFrom = value;
    FEmpty = false;
}

void TZelmarDataCarrier::SetValueTo(double value) {
    FValueTo = value;
    FEmpty = false;
}

void TZelmarDataCarrier::SetChecked(bool checked) {
    FChecked = checked;
    FEmpty = false;
}

bool TZelmarDataCarrier::IsText() const {
    return FKind == ecsdtDataText || FKind == ecsdtFormula || FKind == ecsdtChemistry ||
           ZelmarIsIdentifierKind(FKind);
}

bool TZelmarDataCarrier::IsNumber() const {
    return FKind == ecsdtMolweight;
}
