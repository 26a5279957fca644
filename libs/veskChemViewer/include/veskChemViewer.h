/*
 * veskChemViewer: draws molecules and reactions from MDL molfile / RXN text into a caller's
 * raster surface, and answers formula, mass and composition questions about them.
 *
 * Conventions shared by every export
 * ----------------------------------
 * - Results are int32_t; only the low byte counts: non-zero = success, 0 = failure.
 * - Every export ends with (char* ErrBuf, int32_t ErrBufSize). On failure the library writes
 *   "number, text" or "number, text, detail" there (the number is one of VESK_VIEWER_ERR_*),
 *   cut to ErrBufSize - 1 bytes and always zero-terminated; nothing is written past ErrBufSize.
 *   On success an empty text is written. ErrBuf may be NULL or ErrBufSize <= 0: then nothing
 *   is written.
 * - Handles are uintptr_t numbers handed out by the Open... exports; 0 is never a handle and a
 *   destroyed handle is never handed out again, so a stale handle gives VESK_VIEWER_ERR_HANDLE.
 *   Molecule and reaction handles are not interchangeable.
 * - Out arguments are pointers to the caller's variables; a NULL out argument is an error
 *   (VESK_VIEWER_ERR_ARGUMENT), never a crash. No C++ exception leaves the library.
 * - Text results are written into a caller's buffer (Buffer, BufferSize). If the text and its
 *   zero do not fit, the call fails with VESK_VIEWER_ERR_BUFFER (the detail names the size
 *   needed) and Buffer holds an empty text: a cut formula would be a wrong formula.
 *
 * Threads
 * -------
 * A handle is used by one thread at a time. Different handles may be opened, configured,
 * drawn and destroyed from different threads at the same time. The default configurations
 * are shared and guarded inside the library; a handle takes a copy of the current default
 * when it is opened.
 *
 * Drawing
 * -------
 * Pictures go into a TveskRasterDC (premultiplied ARGB32, the layout of
 * QImage::Format_ARGB32_Premultiplied) inside a rectangle in pixel coordinates (Right and Bottom
 * exclusive). The picture is scaled to fit the rectangle (or drawn at the bond length set with
 * SetMolFileDrawSizes) and centred in it; no pixel outside the
 * rectangle (or outside the surface) is touched, and the background is not painted: the caller
 * paints it first. A rectangle of zero or negative width or height draws nothing and succeeds.
 * The ...HQ exports draw antialiased, the others without antialiasing.
 *
 * What the configuration record means to a picture (everything else is stored and returned):
 * - HydrogenMode: 0 no hydrogens shown, 1 hydrogens at hetero atoms (OH, NH2, inner NH), 2 at
 *   terminal atoms of any element (CH3, =CH2, OH, NH2, =NH; a lone atom counts as terminal),
 *   3 at both, 4 at every atom (each atom then gets its label, e.g. CH2).
 *   Hetero atoms always show their symbol, with or without hydrogens.
 *   Any other value draws as 3. Explicit hydrogen atoms of the molfile are folded into these
 *   labels (hydrogens that carry an isotope or stand alone stay atoms).
 * - BondColour: the colour of bonds and of carbon labels; Fonts1to8[0] (font 1): colour of the
 *   other atom labels (a bond to a labelled hetero atom is drawn half in its label colour) and
 *   the label size relative to its default 48; labels use the drawing engine's own typeface.
 *   Colours are COLORREF values 0x00BBGGRR.
 * - Font 2 (Fonts1to8[1]): face, bold, italic, colour and size (relative to 32) of the text drawn
 *   for an empty molecule or reaction, EmptyStructureText (default "No-Structure"); an empty
 *   EmptyStructureText draws nothing.
 * - Font 14: face, colour and size (relative to font 1) of stoichiometry factors in reactions.
 * - MappingOn: atom map numbers are drawn (":1") only when set.
 * - DecimalSeparator: used in mass and composition texts; FormulaSeparator: between the parts
 *   of the ...FormulaEx texts.
 * Molecules with 3D coordinates (or without usable coordinates) are drawn from 2D coordinates
 * computed once when opened. Molecules that cannot be kekulized are drawn with aromatic bonds.
 *
 * Stoichiometry factors
 * ---------------------
 * A factor is the number of times a component stands in a reaction: "2 H2 + O2 > 2 H2O".
 * - A molecule handle's factor is n when its molfile holds n identical copies of one unit (all
 *   its fragments occur a multiple of n times; two waters give 2, CuSO4 with five waters gives
 *   1); an empty molecule gives 0. RemoveMolFileStoichiometryFactor keeps one unit, so that
 *   drawing, formula and mass then describe the unit and the factor becomes 1.
 * - In a reaction each reactant and product (Index: reactants 0..R-1, then products R..R+P-1)
 *   has a factor from 1 to 999. When a reaction is opened, a component made of n identical
 *   copies is kept as one unit with factor n. A factor above 1 is drawn in front of its
 *   component and enters the reaction formula and masses. Set changes it, Remove sets it to 1.
 */
#ifndef VESKCHEMVIEWER_H
#define VESKCHEMVIEWER_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define VESK_VIEWER_API __declspec(dllexport)
#else
#define VESK_VIEWER_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define VESK_VIEWER_STATIC_ASSERT(c, m) static_assert(c, m)
extern "C" {
#else
#define VESK_VIEWER_STATIC_ASSERT(c, m) _Static_assert(c, m)
#endif

/* Error numbers in front of the error text. */
#define VESK_VIEWER_ERR_HANDLE 1   /* unknown, destroyed or wrong kind of handle */
#define VESK_VIEWER_ERR_ARGUMENT 2 /* NULL pointer, bad index, bad surface or value */
#define VESK_VIEWER_ERR_FILE 3     /* a file could not be read */
#define VESK_VIEWER_ERR_PARSE 4    /* the molfile or RXN text could not be read */
#define VESK_VIEWER_ERR_RECORD 5   /* configuration record of wrong size or version */
#define VESK_VIEWER_ERR_BUFFER 6   /* text result does not fit the caller's buffer */
#define VESK_VIEWER_ERR_DRAW 7     /* drawing failed */
#define VESK_VIEWER_ERR_INTERNAL 9 /* unexpected failure inside the library */

/* The device context: the caller's pixels, premultiplied ARGB32, row after row. */
typedef struct TveskRasterDC {
    uint32_t* Pixels;
    int32_t Width;
    int32_t Height;
    int32_t StrideBytes; /* bytes from one row to the next: a multiple of 4, >= Width * 4 */
} TveskRasterDC;

/* A rectangle in pixels; Right and Bottom are exclusive. */
typedef struct TveskRect {
    int32_t Left, Top, Right, Bottom;
} TveskRect;

#pragma pack(push, 1)

/* A font as the configuration record stores it (the shape of a Windows LOGFONTA). */
typedef struct TveskLogFont {
    int32_t lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
    uint8_t lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision, lfClipPrecision,
        lfQuality, lfPitchAndFamily;
    char lfFaceName[32];
} TveskLogFont;

/* Font block: the font, its size in points and its colour (COLORREF 0x00BBGGRR). */
typedef struct TveskFontBlock {
    TveskLogFont LogFont;
    double Size;
    uint32_t Colour;
} TveskFontBlock;

/* The same with the size on an 8-byte boundary (fonts 9 and 10). */
typedef struct TveskFontBlockAligned {
    TveskLogFont LogFont;
    uint8_t Reserved1[4];
    double Size;
    uint32_t Colour;
    uint8_t Reserved2[4];
} TveskFontBlockAligned;

/* Flags are 32-bit: written as 0 or -1, read as non-zero = true. */
#define VESK_MOL_CONFIG_SIZE 1400
#define VESK_MOL_CONFIG_VERSION 6

/* Molecule configuration record. Defaults in brackets. */
typedef struct TveskMolConfigRecord {
    int32_t Size;                   /*    0: 1400 */
    int32_t Version;                /*    4: 6 */
    int32_t ScalingMode;            /*    8: [0] */
    uint8_t Reserved12[4];          /*   12 */
    double ScalingValues[3];        /*   16: [0.25, 0.125, 0.5] */
    int32_t HydrogenMode;           /*   40: [3] see the drawing notes above */
    TveskFontBlock Fonts1to8[8];    /*   44: fonts 1-8 [Arial; 48, 32, 32, 32, 32, 32, 32, 20] */
    int32_t MappingOn;              /*  620: flag [false] */
    double MappingValues[2];        /*  624: [12.0, 4.0] */
    uint32_t BondColour;            /*  640: [0, black] */
    uint8_t Reserved644[4];         /*  644 */
    double BondValues[11];          /*  648: [96, 2, 16, 9, 16, 9, 12, 12, 6, 6, 3] */
    int32_t ReactingCentreValue;    /*  736: [2] */
    uint32_t ReactingCentreColour;  /*  740: [255] */
    TveskFontBlockAligned Font9;    /*  744: [Arial 32] */
    double ReactingCentreValues[3]; /*  824: [32, 12, 9] */
    TveskFontBlockAligned Font10;   /*  848: [Arial 20] */
    double BracketValues[2];        /*  928: [3.0, 0.1] */
    int32_t BracketValue3;          /*  944: [0] */
    TveskFontBlock Font11;          /*  948: [Arial 32] */
    TveskFontBlock Font12;          /* 1020: [Arial 12] */
    TveskFontBlock Font13;          /* 1092: [Arial 8] */
    char DecimalSeparator[16];      /* 1164: up to 14 characters and a zero [the locale's] */
    int32_t DisplayValue1180;       /* 1180: [3] */
    double DisplayValue1184;        /* 1184: [8.0] */
    double DisplayValue1192;        /* 1192: [4.0] */
    int32_t DisplayFlag1;           /* 1200: [false] */
    int32_t DisplayFlag2;           /* 1204: [false] */
    int32_t DisplayValue1208;       /* 1208: [4] */
    char FormulaSeparator[16];      /* 1212: up to 14 characters and a zero [" * "] */
    int32_t DisplayFlag3;           /* 1228: [false] */
    int32_t StoichiometryOn;        /* 1232: flag [false] */
    TveskFontBlock Font14;          /* 1236: [Arial 72] */
    uint8_t Reserved1308[4];        /* 1308 */
    double StoichiometryValue;      /* 1312: [48.0] */
    int32_t StoichiometryValue2;    /* 1320: [3] */
    char EmptyStructureText[64];    /* 1324: up to 62 characters and a zero ["No-Structure"] */
    int32_t DisplayFlag4;           /* 1388: [false] */
    int32_t DisplayFlag5;           /* 1392: [true] */
    uint8_t Reserved1396[4];        /* 1396 */
} TveskMolConfigRecord;

#define VESK_RXN_CONFIG_SIZE 1512
#define VESK_RXN_CONFIG_VERSION 1

/* Reaction configuration record; the embedded molecule record carries fonts, display, bonds,
   reacting centres, mapping, brackets and stoichiometry for the reaction's components. */
typedef struct TveskRxnConfigRecord {
    int32_t Size;                  /*    0: 1512 */
    int32_t Version;               /*    4: 1 */
    int32_t ScalingMode;           /*    8: [0] */
    uint8_t Reserved12[4];         /*   12 */
    double ScalingValues[3];       /*   16: [0.25, 0.125, 0.5] */
    double ReactionValue;          /*   40: [30.0] */
    double PlusValues[2];          /*   48: [6.0, 40.0] */
    int32_t PlusValue3;            /*   64: [0] */
    uint8_t Reserved68[4];         /*   68 */
    double ArrowValues[4];         /*   72: [6.0, 160.0, 30.0, 30.0] */
    int32_t ArrowValue5;           /*  104: [0] */
    uint8_t Reserved108[4];        /*  108 */
    TveskMolConfigRecord Molecule; /*  112: size 1400, version 6 */
} TveskRxnConfigRecord;

#pragma pack(pop)

VESK_VIEWER_STATIC_ASSERT(sizeof(TveskLogFont) == 60, "LOGFONTA shape");
VESK_VIEWER_STATIC_ASSERT(sizeof(TveskFontBlock) == 72, "font block");
VESK_VIEWER_STATIC_ASSERT(sizeof(TveskMolConfigRecord) == VESK_MOL_CONFIG_SIZE, "mol record");
VESK_VIEWER_STATIC_ASSERT(sizeof(TveskRxnConfigRecord) == VESK_RXN_CONFIG_SIZE, "rxn record");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskMolConfigRecord, MappingOn) == 620, "offset 620");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskMolConfigRecord, Font9) == 744, "offset 744");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskMolConfigRecord, Font10) == 848, "offset 848");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskMolConfigRecord, DecimalSeparator) == 1164, "1164");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskMolConfigRecord, Font14) == 1236, "offset 1236");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskMolConfigRecord, EmptyStructureText) == 1324, "1324");
VESK_VIEWER_STATIC_ASSERT(offsetof(TveskRxnConfigRecord, Molecule) == 112, "offset 112");

/* ---- Default configurations ------------------------------------------------------------ */

/* Fills *Record with the current default molecule configuration. The caller sets Size (1400)
   and Version (6) first; other values give VESK_VIEWER_ERR_RECORD and nothing is written. */
VESK_VIEWER_API int32_t GetDefaultMolFileConfiguration(TveskMolConfigRecord* Record, char* ErrBuf,
                                                       int32_t ErrBufSize);
/* As above for reactions: Size 1512, Version 1, Molecule.Size 1400, Molecule.Version 6. */
VESK_VIEWER_API int32_t GetDefaultRxnFileConfiguration(TveskRxnConfigRecord* Record, char* ErrBuf,
                                                       int32_t ErrBufSize);
/* Replace the default configuration that handles opened later start with. The record is kept
   byte for byte (GetDefault... returns it unchanged); sizes and versions as above, else
   VESK_VIEWER_ERR_RECORD and the default stays. Handles already open keep their settings. */
VESK_VIEWER_API int32_t SetDefaultMolFileConfiguration(const TveskMolConfigRecord* Record,
                                                       char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t SetDefaultRxnFileConfiguration(const TveskRxnConfigRecord* Record,
                                                       char* ErrBuf, int32_t ErrBufSize);

/* ---- Molecules ---------------------------------------------------------------------------- */

/* Opens a molecule from molfile text (V2000 or V3000; for SD text the first record). Writes the
   new handle to *Handle (0 on failure). An empty or blank text opens the empty molecule, which
   draws EmptyStructureText. Text whose chemistry does not sanitize (valences, aromaticity) is
   still opened and drawn. Errors: ARGUMENT (NULL), PARSE (the block cannot be read). */
VESK_VIEWER_API int32_t OpenMolString(uintptr_t* Handle, const char* MolText, char* ErrBuf,
                                      int32_t ErrBufSize);
/* As OpenMolString, reading the file FileName. Errors also: FILE (cannot be read). */
VESK_VIEWER_API int32_t OpenMolFile(uintptr_t* Handle, const char* FileName, char* ErrBuf,
                                    int32_t ErrBufSize);
/* Releases a molecule handle. Errors: HANDLE. */
VESK_VIEWER_API int32_t DestroyMolFile(uintptr_t Handle, char* ErrBuf, int32_t ErrBufSize);
/* Gives the handle its own configuration (kept byte for byte). Errors: HANDLE, ARGUMENT,
   RECORD (size 1400 and version 6 required). */
VESK_VIEWER_API int32_t SetMolFileConfiguration(uintptr_t Handle,
                                                const TveskMolConfigRecord* Record, char* ErrBuf,
                                                int32_t ErrBufSize);
/* Pixel sizes of the handle's pictures, kept until set again (configurations leave them alone);
   0 restores each one's default. BondLength: bonds are drawn this long on average (a lone atom
   as if it had bonds), the picture centred in the rectangle and shrunk only when it would not
   fit; default 0 scales every picture to fit its rectangle. MinLabelSize: the smallest font
   size of atom labels, also in a shrunk picture (default 6). LineWidth: bond lines (default 2).
   Each value from 0 to 4096. Errors: HANDLE, ARGUMENT (a value out of range or not a number). */
VESK_VIEWER_API int32_t SetMolFileDrawSizes(uintptr_t Handle, double BondLength,
                                            double MinLabelSize, double LineWidth, char* ErrBuf,
                                            int32_t ErrBufSize);
/* Marks part of the molecule, e.g. the atoms and bonds a substructure search matched: later
   pictures draw the AtomCount atoms Atoms[] and the BondCount bonds Bonds[] on a band of
   Colour (COLORREF 0x00BBGGRR; the high byte is ignored), opaque, under the bonds and labels,
   which keep their own colours. Indices are 0-based in the order of the molfile's atom and
   bond blocks; repeated indices count once. Hydrogen atoms folded into labels and their bonds
   have no band of their own. Both counts 0 clears the marks (the lists may then be NULL). The
   marks stay until set again, also over SetMolFileConfiguration; a stoichiometry factor
   removed takes the marks of the removed copies with it. On failure the previous marks stay.
   Errors: HANDLE (also a reaction handle), ARGUMENT (a negative count, a NULL list with a
   count above 0, an index outside the molfile's atoms or bonds; the detail names it). */
VESK_VIEWER_API int32_t SetMolFileHighlight(uintptr_t Handle, const int32_t* Atoms,
                                            int32_t AtomCount, const int32_t* Bonds,
                                            int32_t BondCount, uint32_t Colour, char* ErrBuf,
                                            int32_t ErrBufSize);
/* Draws the molecule into *Rect of *DC (see "Drawing"). Errors: HANDLE, ARGUMENT (NULL, a
   surface with bad size or stride, a rectangle wider or higher than 65536), DRAW. */
VESK_VIEWER_API int32_t DrawMolFile(uintptr_t Handle, const TveskRasterDC* DC,
                                    const TveskRect* Rect, char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t DrawMolFileHQ(uintptr_t Handle, const TveskRasterDC* DC,
                                      const TveskRect* Rect, char* ErrBuf, int32_t ErrBufSize);
/* Writes to *Result the rectangle, within *Rect, that holds every pixel DrawMolFile(HQ) would
   paint into *Rect (measured from the drawing's outlines, so it may be a pixel wider than the
   painted pixels); a picture that paints nothing gives {Left, Top, Left, Top} of *Rect. */
VESK_VIEWER_API int32_t GetMolFileRect(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result,
                                       char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetMolFileRectHQ(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result,
                                         char* ErrBuf, int32_t ErrBufSize);
/* Molecular formula in Hill order, e.g. "C8H10N4O2"; charges as "+" / "-" suffix; an empty
   molecule gives "". */
VESK_VIEWER_API int32_t GetMolFileFormula(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                          char* ErrBuf, int32_t ErrBufSize);
/* Formula by fragments: each distinct fragment in Hill order, preceded by its count when it
   occurs more than once, joined by FormulaSeparator, e.g. "CuO4S * 5H2O". */
VESK_VIEWER_API int32_t GetMolFileFormulaEx(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                            char* ErrBuf, int32_t ErrBufSize);
/* Average molecular mass in g/mol (0 for the empty molecule). */
VESK_VIEWER_API int32_t GetMolFileMassAsDouble(uintptr_t Handle, double* Mass, char* ErrBuf,
                                               int32_t ErrBufSize);
/* The mass as text with two decimals and DecimalSeparator, e.g. "194.19". */
VESK_VIEWER_API int32_t GetMolFileMass(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                       char* ErrBuf, int32_t ErrBufSize);
/* As GetMolFileMass with Decimals (0..9) decimals. */
VESK_VIEWER_API int32_t GetMolFileMassEx(uintptr_t Handle, int32_t Decimals, char* Buffer,
                                         int32_t BufferSize, char* ErrBuf, int32_t ErrBufSize);
/* Elemental composition in mass per cent, Hill order, two decimals, DecimalSeparator:
   "C 49.48 %; H 5.19 %; N 28.85 %; O 16.48 %". */
VESK_VIEWER_API int32_t GetMolFileCompositionString(uintptr_t Handle, char* Buffer,
                                                    int32_t BufferSize, char* ErrBuf,
                                                    int32_t ErrBufSize);
/* See "Stoichiometry factors". */
VESK_VIEWER_API int32_t GetMolFileStoichiometryFactor(uintptr_t Handle, int32_t* Factor,
                                                      char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t RemoveMolFileStoichiometryFactor(uintptr_t Handle, char* ErrBuf,
                                                         int32_t ErrBufSize);

/* ---- Reactions ---------------------------------------------------------------------------- */

/* Opens a reaction from RXN text (V2000 or V3000): reactants, an arrow, products; agents are
   not drawn. An empty or blank text opens the empty reaction. Errors as OpenMolString. */
VESK_VIEWER_API int32_t OpenRxnString(uintptr_t* Handle, const char* RxnText, char* ErrBuf,
                                      int32_t ErrBufSize);
VESK_VIEWER_API int32_t OpenRxnFile(uintptr_t* Handle, const char* FileName, char* ErrBuf,
                                    int32_t ErrBufSize);
VESK_VIEWER_API int32_t DestroyRxnFile(uintptr_t Handle, char* ErrBuf, int32_t ErrBufSize);
/* Record sizes and versions as for SetDefaultRxnFileConfiguration. */
VESK_VIEWER_API int32_t SetRxnFileConfiguration(uintptr_t Handle,
                                                const TveskRxnConfigRecord* Record, char* ErrBuf,
                                                int32_t ErrBufSize);
/* Reactants, "+" signs, the arrow and products in one row, all at one scale. */
VESK_VIEWER_API int32_t DrawRxnFile(uintptr_t Handle, const TveskRasterDC* DC,
                                    const TveskRect* Rect, char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t DrawRxnFileHQ(uintptr_t Handle, const TveskRasterDC* DC,
                                      const TveskRect* Rect, char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileReactantCount(uintptr_t Handle, int32_t* Count, char* ErrBuf,
                                                int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileProductCount(uintptr_t Handle, int32_t* Count, char* ErrBuf,
                                               int32_t ErrBufSize);
/* Painted rectangles as for GetMolFileRect: the whole reaction, or one reactant / product
   (Index from 0, its stoichiometry factor included). Errors also: ARGUMENT (Index). */
VESK_VIEWER_API int32_t GetRxnFileRect(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result,
                                       char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileReactantRect(uintptr_t Handle, const TveskRect* Rect,
                                               int32_t Index, TveskRect* Result, char* ErrBuf,
                                               int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileProductRect(uintptr_t Handle, const TveskRect* Rect,
                                              int32_t Index, TveskRect* Result, char* ErrBuf,
                                              int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileRectHQ(uintptr_t Handle, const TveskRect* Rect, TveskRect* Result,
                                         char* ErrBuf, int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileReactantRectHQ(uintptr_t Handle, const TveskRect* Rect,
                                                 int32_t Index, TveskRect* Result, char* ErrBuf,
                                                 int32_t ErrBufSize);
VESK_VIEWER_API int32_t GetRxnFileProductRectHQ(uintptr_t Handle, const TveskRect* Rect,
                                                int32_t Index, TveskRect* Result, char* ErrBuf,
                                                int32_t ErrBufSize);
/* The reaction as formulas: "2 H2 + O2 > 2 H2O" (factors above 1 in front). */
VESK_VIEWER_API int32_t GetRxnFileFormula(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                          char* ErrBuf, int32_t ErrBufSize);
/* As GetRxnFileFormula with each component written as in GetMolFileFormulaEx. */
VESK_VIEWER_API int32_t GetRxnFileFormulaEx(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                            char* ErrBuf, int32_t ErrBufSize);
/* Mass of the reactant side: the sum of factor x mass over the reactants. */
VESK_VIEWER_API int32_t GetRxnFileMassAsDouble(uintptr_t Handle, double* Mass, char* ErrBuf,
                                               int32_t ErrBufSize);
/* Masses of both sides, two decimals: "36.03 > 36.03". */
VESK_VIEWER_API int32_t GetRxnFileMass(uintptr_t Handle, char* Buffer, int32_t BufferSize,
                                       char* ErrBuf, int32_t ErrBufSize);
/* As GetRxnFileMass with Decimals (0..9) decimals. */
VESK_VIEWER_API int32_t GetRxnFileMassEx(uintptr_t Handle, int32_t Decimals, char* Buffer,
                                         int32_t BufferSize, char* ErrBuf, int32_t ErrBufSize);
/* Composition of both sides (factors counted), as GetMolFileCompositionString: "... > ...". */
VESK_VIEWER_API int32_t GetRxnFileCompositionString(uintptr_t Handle, char* Buffer,
                                                    int32_t BufferSize, char* ErrBuf,
                                                    int32_t ErrBufSize);
/* Factor of component Index (reactants 0..R-1, then products). See "Stoichiometry factors".
   Errors also: ARGUMENT (Index out of range, Factor outside 1..999). */
VESK_VIEWER_API int32_t GetRxnFileStoichiometryFactor(uintptr_t Handle, int32_t Index,
                                                      int32_t* Factor, char* ErrBuf,
                                                      int32_t ErrBufSize);
VESK_VIEWER_API int32_t SetRxnFileStoichiometryFactor(uintptr_t Handle, int32_t Index,
                                                      int32_t Factor, char* ErrBuf,
                                                      int32_t ErrBufSize);
VESK_VIEWER_API int32_t RemoveRxnFileStoichiometryFactor(uintptr_t Handle, int32_t Index,
                                                         char* ErrBuf, int32_t ErrBufSize);

#ifdef __cplusplus
}
#endif

#endif /* VESKCHEMVIEWER_H */
