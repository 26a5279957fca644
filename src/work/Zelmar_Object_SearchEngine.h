#pragma once
// Decides whether one value matches a query: texts by equality, prefix or containment (with
// or without case), numbers against one or two bounds, molecules by substructure or exact
// structure through the structure search library. One engine per search run; nothing here
// throws, every failure is traced and counts as no hit. Qt-free.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_DataCarrier.h"

class TZelmarChemSearchEngine;

// Search options, bit flags combined in one integer.
enum TZelmarSearchOption : int {
    soContains = 2,        // text: contains; molecule: substructure
    soExact = 4,           // text: equal; molecule: exact structure (any query without 2)
    soBeginsWith = 8,      // text: begins with
    soCaseSensitive = 16,  // text: respect case
    soRange = 32,          // number strictly between the two bounds
    soLessThan = 64,       // number below the bound
    soGreaterThan = 128,   // number above the bound
};

// A molecule's exact-structure key: molecules with keys are identical structures exactly when
// the keys' texts are equal (under the stereo setting they were made with).
struct TZelmarStructureKey {
    enum TKind : std::uint8_t { skUnreadable, skEmpty, skKey };
    TKind Kind = skUnreadable;
    std::string Text;  // skKey only
};

class TZelmarSearchEngine {
public:
    // Loads and initialises its own structure search binding (a failure there only makes
    // structure checks false), then takes the query; a null query leaves it without one.
    explicit TZelmarSearchEngine(const TZelmarDataCarrier* query);
    ~TZelmarSearchEngine();
    TZelmarSearchEngine(const TZelmarSearchEngine&) = delete;
    TZelmarSearchEngine& operator=(const TZelmarSearchEngine&) = delete;

    // Replaces the query; null leaves the engine without one (every check is then false).
    void SetCurrentQueryData(const TZelmarDataCarrier* query);
    void SetConsiderStereo(bool flag);
    // True when the value has the query's kind and matches it under the options. A number
    // query (the weight's kind) also checks the text of a numeric data field's value.
    bool CheckForHit(const TZelmarDataCarrier* value, int options);
    // The decimal separator of the data texts a number query reads.
    void SetDecimalSeparator(char separator) { FDecimalSeparator = separator; }
    // A measured value matches only when every number its qualifier allows does: ">10" is
    // greater than 9 and not less than 5, and equal to nothing.
    bool CheckQualifiedNumber(const TZelmarQualifiedNumber& number, int options) const;
    // The molecule's exact-structure key; unreadable without the structure search library.
    TZelmarStructureKey StructureKey(const std::string& molText, bool considerStereo);

    TZelmarChemSearchEngine* ChemEngine() const { return FChemEngine.get(); }
    bool QuerySet() const { return FQuerySet; }
    TZelmarFieldKind QueryKind() const { return FQueryKind; }
    const std::string& QueryText() const { return FQueryText; }
    double QueryValue1() const { return FQueryValue1; }
    double QueryValue2() const { return FQueryValue2; }

private:
    bool CheckExactString(const std::string& value, bool caseSensitive);
    bool CheckSubString(const std::string& value, bool caseSensitive);
    bool CheckBeginWidthString(const std::string& value, bool caseSensitive);
    bool CheckSSS(const std::string& molText);
    bool CheckExactStructure(const std::string& molText);
    bool CheckNumber(double value, int options) const;
    // The query text as compared: trimmed, decoded, upper case unless case-sensitive; made
    // once per query and case mode.
    const std::u32string& ComparableQuery(bool caseSensitive);

    std::unique_ptr<TZelmarChemSearchEngine> FChemEngine;
    bool FQuerySet = false;
    TZelmarFieldKind FQueryKind = ecsdtNone;
    std::string FQueryText;
    double FQueryValue1 = 0.0;
    double FQueryValue2 = 0.0;
    std::u32string FComparableQuery[2];  // index 1: case-sensitive
    bool FComparableQueryReady[2] = {false, false};
    char FDecimalSeparator = '.';
};

// The text rules' view of a value, exposed for the engine's tests: the bytes trimmed of
// control characters and blanks at both ends, decoded as UTF-8 when valid, else as
// Windows-1252, and (unless caseSensitive) upper-cased by the user's locale.
std::u32string ZelmarComparableText(const std::string& bytes, bool caseSensitive);

// Stored bytes as UTF-8 the way the sheet shows them: unchanged when they are valid UTF-8,
// otherwise read as Windows-1252. For what leaves the program as text (exported tables).
std::string ZelmarShownTextAsUtf8(std::string_view bytes);

// Exact-structure keys of many molecules: keys[k] for molTexts[k], made on up to two threads,
// each with its own engine. The texts must stay unchanged meanwhile. progress(done) runs on
// the calling thread between parts of the work; false stops it, and then the answer is false
// and the keys are incomplete. False also on failure.
bool ZelmarStructureKeys(const std::vector<std::string_view>& molTexts, bool considerStereo,
                         std::vector<TZelmarStructureKey>& keys,
                         const std::function<bool(std::size_t done)>& progress);

// A hash of the molecule's constitution as a V2000 molfile draws it: atoms other than hydrogen
// by element (any other atom symbol as one kind) and their connections, bond orders, charges,
// isotopes and stereo left out. Molecules that exact comparison calls identical always have the
// same hash, so a hash that no other molecule shares proves a molecule unique cheaply. False
// (no hash) for texts it does not read, V3000 among them.
bool ZelmarConstitutionHash(std::string_view molText, std::uint64_t& hash);
// The same for many molecules, on up to two threads, as ZelmarStructureKeys.
bool ZelmarConstitutionHashes(const std::vector<std::string_view>& molTexts,
                              std::vector<std::uint64_t>& hashes, std::vector<bool>& known,
                              const std::function<bool(std::size_t done)>& progress);
