#pragma once
// The configuration records: their defaults, their checks, and the few values drawing uses.

#include <array>
#include <cstdint>
#include <string>

#include "veskChemViewer.h"

namespace vcv {

using MolRecordBytes = std::array<uint8_t, VESK_MOL_CONFIG_SIZE>;
using RxnRecordBytes = std::array<uint8_t, VESK_RXN_CONFIG_SIZE>;

struct FontStyle {
    std::string Face;
    bool Bold = false;
    bool Italic = false;
    double Size = 0.0;
    uint32_t Colour = 0;  // COLORREF 0x00BBGGRR
};

// What a molecule record means to a picture and to the texts.
struct DrawStyle {
    int HydrogenMode = 3;
    bool ShowMapping = false;
    uint32_t BondColour = 0;
    FontStyle Labels;     // font 1
    FontStyle EmptyText;  // font 2
    FontStyle Factors;    // font 14
    std::string EmptyStructureText = "No-Structure";
    std::string DecimalSeparator = ".";
    std::string FormulaSeparator = " * ";
};

// Pixel sizes a caller sets per handle, apart from the record; zeros keep the engine's own.
struct DrawSizes {
    double BondLength = 0;    // > 0: mean bond length; the picture shrinks only to fit
    double MinLabelSize = 0;  // smallest font size of atom labels
    double LineWidth = 0;     // width of bond lines
};

MolRecordBytes DefaultMolRecord();
RxnRecordBytes DefaultRxnRecord();

// Fail with ERR_RECORD unless size and version fields are the ones this library knows.
void CheckMolRecord(const TveskMolConfigRecord& record);
void CheckRxnRecord(const TveskRxnConfigRecord& record);

DrawStyle StyleFromMolRecord(const TveskMolConfigRecord& record);

}  // namespace vcv
