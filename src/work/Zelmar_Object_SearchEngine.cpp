#include "Zelmar_Object_SearchEngine.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cwchar>
#include <locale>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_WorkInParts.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code, as Windows maps them.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF); false leaves out
// partly filled.
bool DecodeUtf8(std::string_view bytes, std::u32string& out) {
    out.clear();
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1Fu, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0Fu, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07u, least = 0x10000;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > bytes.size()) return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0u) != 0x80u) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        out.push_back(code);
        i += static_cast<std::size_t>(length);
    }
    return true;
}

void DecodeCp1252(std::string_view bytes, std::u32string& out) {
    out.clear();
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80] : char32_t{byte});
    }
}

// Trim as the sheet trims: control characters and blanks (bytes up to 0x20) at both ends.
std::string_view TrimBytes(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) --last;
    return text.substr(first, last - first);
}

// Upper case by the user's locale (LC_ALL, LC_CTYPE, LANG). A locale that is not installed,
// or the plain "C" one that knows only ASCII, gives way to C.UTF-8; should that be missing
// too, Latin-1 and the Windows-1252 letters are mapped by hand.
class TUpperCase {
public:
    TUpperCase() {
        for (const char* name : {"", "C.UTF-8", "C.utf8"}) {
            try {
                std::locale locale(name);
                const auto& facet = std::use_facet<std::ctype<wchar_t>>(locale);
                if (facet.toupper(static_cast<wchar_t>(0xE4)) == static_cast<wchar_t>(0xC4)) {
                    FLocale = locale;
                    FFacet = &std::use_facet<std::ctype<wchar_t>>(FLocale);
                    return;
                }
            } catch (const std::exception&) {
                // not installed: try the next one
            }
        }
    }

    char32_t operator()(char32_t c) const {
        if (c < 0x80) return c >= U'a' && c <= U'z' ? c - 0x20 : c;
        if (FFacet != nullptr && c <= static_cast<char32_t>(WCHAR_MAX))
            return static_cast<char32_t>(FFacet->toupper(static_cast<wchar_t>(c)));
        if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
        switch (c) {
            case 0xFF:
                return 0x178;
            case 0x161:
                return 0x160;
            case 0x153:
                return 0x152;
            case 0x17E:
                return 0x17D;
            default:
                return c;
        }
    }

private:
    std::locale FLocale = std::locale::classic();
    const std::ctype<wchar_t>* FFacet = nullptr;
};

const TUpperCase& UpperCase() {
    static const TUpperCase upper;
    return upper;
}

}  // namespace

std::u32string ZelmarComparableText(const std::string& bytes, bool caseSensitive) {
    const std::string_view trimmed = TrimBytes(bytes);
    std::u32string text;
    if (!DecodeUtf8(trimmed, text)) DecodeCp1252(trimmed, text);
    if (!caseSensitive) {
        const TUpperCase& upper = UpperCase();
        for (char32_t& c : text) c = upper(c);
    }
    return text;
}

std::string ZelmarShownTextAsUtf8(std::string_view bytes) {
    std::u32string text;
    if (DecodeUtf8(bytes, text)) return std::string(bytes);
    DecodeCp1252(bytes, text);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char32_t c : text) {
        // Windows-1252 reaches no further than U+2122: one to three bytes.
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// ---- TZelmarSearchEngine ---------------------------------------------------------------------

TZelmarSearchEngine::TZelmarSearchEngine(const TZelmarDataCarrier* query)
    : FChemEngine(std::make_unique<TZelmarChemSearchEngine>()) {
    // Nobody shows this error: structure checks simply answer false without the library.
    std::string error;
    FChemEngine->Init(error);
    SetCurrentQueryData(query);
}

TZelmarSearchEngine::~TZelmarSearchEngine() = default;

void TZelmarSearchEngine::SetCurrentQueryData(const TZelmarDataCarrier* query) {
    FQuerySet = false;
    FQueryKind = ecsdtNone;
    FQueryText.clear();
    FQueryValue1 = 0.0;
    FQueryValue2 = 0.0;
    FComparableQueryReady[0] = FComparableQueryReady[1] = false;
    if (query == nullptr) return;
    FQuerySet = Guarded("TZelmarSearchEngine.CheckForHit.SetCurrentQueryData", false, [&] {
        FQueryKind = ZelmarIsIdentifierKind(query->Kind()) ? ecsdtDataText : query->Kind();
        switch (FQueryKind) {
            case ecsdtDataText:
            case ecsdtFormula:
                FQueryText = query->Text();
                break;
            case ecsdtMolweight:
                FQueryValue1 = query->ValueFrom();
                FQueryValue2 = query->ValueTo();
                break;
            case ecsdtChemistry:
                FChemEngine->SetQuery(query->Text());
                break;
            default:
                break;
        }
        return true;
    });
}

void TZelmarSearchEngine::SetConsiderStereo(bool flag) {
    GuardedVoid("TZelmarSearchEngine.SetConsiderStereo",
                [&] { FChemEngine->SetConsiderStereo(flag); });
}

bool TZelmarSearchEngine::CheckForHit(const TZelmarDataCarrier* value, int options) {
    return Guarded("TZelmarSearchEngine.CheckForHit", false, [&] {
        if (value == nullptr) return false;
        if (!FQuerySet) throw std::runtime_error("No query Data Set");
        if (FQueryKind == ecsdtMolweight && value->Kind() == ecsdtDataText) {
            TZelmarQualifiedNumber number;
            return ParseQualifiedNumber(value->Text(), number, FDecimalSeparator) &&
                   CheckQualifiedNumber(number, options);
        }
        // Identifiers are texts to a search, whatever column they come from.
        const TZelmarFieldKind kind =
            ZelmarIsIdentifierKind(value->Kind()) ? ecsdtDataText : value->Kind();
        if (kind != FQueryKind) return false;
        const bool caseSensitive = (options & soCaseSensitive) != 0;
        switch (kind) {
            case ecsdtDataText:
            case ecsdtFormula:
                if ((options & soBeginsWith) != 0)
                    return CheckBeginWidthString(value->Text(), caseSensitive);
                if ((options & soContains) != 0)
                    return CheckSubString(value->Text(), caseSensitive);
                return CheckExactString(value->Text(), caseSensitive);
            case ecsdtChemistry:
                return (options & soContains) != 0 ? CheckSSS(value->Text())
                                                   : CheckExactStructure(value->Text());
            case ecsdtMolweight:
                return CheckNumber(value->Value(), options);
            default:
                return false;
        }
    });
}

const std::u32string& TZelmarSearchEngine::ComparableQuery(bool caseSensitive) {
    const int mode = caseSensitive ? 1 : 0;
    if (!FComparableQueryReady[mode]) {
        FComparableQuery[mode] = ZelmarComparableText(FQueryText, caseSensitive);
        FComparableQueryReady[mode] = true;
    }
    return FComparableQuery[mode];
}

bool TZelmarSearchEngine::CheckExactString(const std::string& value, bool caseSensitive) {
    return Guarded("TZelmarSearchEngine.CheckExactString", false, [&] {
        return ZelmarComparableText(value, caseSensitive) == ComparableQuery(caseSensitive);
    });
}

bool TZelmarSearchEngine::CheckSubString(const std::string& value, bool caseSensitive) {
    return Guarded("TZelmarSearchEngine.CheckSubString", false, [&] {
        const std::u32string& query = ComparableQuery(caseSensitive);
        // An empty query is found nowhere.
        return !query.empty() &&
               ZelmarComparableText(value, caseSensitive).find(query) != std::u32string::npos;
    });
}

bool TZelmarSearchEngine::CheckBeginWidthString(const std::string& value, bool caseSensitive) {
    return Guarded("TZelmarSearchEngine.CheckBeginWidthString", false, [&] {
        const std::u32string& query = ComparableQuery(caseSensitive);
        return !query.empty() &&
               ZelmarComparableText(value, caseSensitive).compare(0, query.size(), query) == 0;
    });
}

bool TZelmarSearchEngine::CheckSSS(const std::string& molText) {
    return Guarded("TZelmarSearchEngine.CheckSSS", false,
                   [&] { return FChemEngine->IsSubstructureHit(molText); });
}

bool TZelmarSearchEngine::CheckExactStructure(const std::string& molText) {
    return Guarded("TZelmarSearchEngine.CheckExactStructure", false,
                   [&] { return FChemEngine->IsExactHit(molText); });
}

TZelmarStructureKey TZelmarSearchEngine::StructureKey(const std::string& molText,
                                                      bool considerStereo) {
    return Guarded("TZelmarSearchEngine.StructureKey", TZelmarStructureKey(), [&] {
        TZelmarStructureKey key;
        const int made = FChemEngine->ExactMatchKey(molText, considerStereo, key.Text);
        key.Kind = made > 0    ? TZelmarStructureKey::skKey
                   : made == 0 ? TZelmarStructureKey::skEmpty
                               : TZelmarStructureKey::skUnreadable;
        return key;
    });
}

bool TZelmarSearchEngine::CheckNumber(double value, int options) const {
    if ((options & soRange) != 0) return FQueryValue1 < value && value < FQueryValue2;
    if ((options & soLessThan) != 0) return value < FQueryValue1;
    if ((options & soGreaterThan) != 0) return value > FQueryValue1;
    return value == FQueryValue1;
}

bool TZelmarSearchEngine::CheckQualifiedNumber(const TZelmarQualifiedNumber& number,
                                               int options) const {
    const double v = number.Value;
    if (number.Qualifier == TZelmarQualifier::None) return CheckNumber(v, options);
    // The options in CheckNumber's order: a range or an equal value is never certain for a
    // value open to one side.
    const bool less = (options & soRange) == 0 && (options & soLessThan) != 0;
    const bool greater = (options & (soRange | soLessThan)) == 0 && (options & soGreaterThan) != 0;
    switch (number.Qualifier) {
        case TZelmarQualifier::Less:  // every x below v
            return less && v <= FQueryValue1;
        case TZelmarQualifier::LessEqual:
            return less && v < FQueryValue1;
        case TZelmarQualifier::Greater:
            return greater && v >= FQueryValue1;
        case TZelmarQualifier::GreaterEqual:
            return greater && v > FQueryValue1;
        default:
            return false;
    }
}

// ---- TZelmarSDFileDataList::SearchDataForField -----------------------------------------------

namespace {

struct TSearchItem {
    TZelmarSDFileData* Record = nullptr;
    TZelmarDataCarrier Value;
    bool Hit = false;
};

// Structure tests cost far more than fetching a record, so a structure search shares them with
// helper engines on the other cores, block by block. Each helper keeps one thread for the whole
// search (a thread per block would cost more than a second search's checks).
// Blocks start small, so that the first hits come soon, and grow: a helper woken for a block
// may take a scheduler's time slice to start, which a block of a few microseconds' checks
// (molecules kept from an earlier search) would be over before it had begun.
constexpr std::size_t kItemsPerEngineAndBlock = 64;
constexpr std::size_t kMostItemsPerEngineAndBlock = 1024;
constexpr unsigned kMostEngines = 4;

// One block being checked: every engine takes the next unchecked item until none is left, so
// that a few large molecules do not keep one engine busy while the others wait.
struct TBlockWork {
    std::vector<TSearchItem>* Block = nullptr;
    std::atomic<std::size_t> Next{0};
    int Options = 0;
};

void CheckClaimed(TZelmarSearchEngine& engine, TBlockWork& work) {
    std::vector<TSearchItem>& block = *work.Block;
    for (std::size_t k = work.Next.fetch_add(1); k < block.size(); k = work.Next.fetch_add(1))
        block[k].Hit = engine.CheckForHit(&block[k].Value, work.Options);
}

class TSearchHelper {
public:
    TSearchHelper(const TZelmarDataCarrier* query, bool considerStereo) : FEngine(query) {
        FEngine.SetConsiderStereo(considerStereo);
        FThread = std::thread([this] { Run(); });
    }
    ~TSearchHelper() {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FQuit = true;
        }
        FChanged.notify_all();
        FThread.join();
    }
    TSearchHelper(const TSearchHelper&) = delete;
    TSearchHelper& operator=(const TSearchHelper&) = delete;

    void Start(TBlockWork* work) {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FWork = work;
            FBusy = true;
        }
        FChanged.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(FMutex);
        FChanged.wait(lock, [this] { return !FBusy; });
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(FMutex);
        for (;;) {
            FChanged.wait(lock, [this] { return FBusy || FQuit; });
            if (!FBusy) return;
            lock.unlock();
            // CheckForHit traps its own failures, so the share always ends.
            CheckClaimed(FEngine, *FWork);
            lock.lock();
            FBusy = false;
            FChanged.notify_all();
        }
    }

    TZelmarSearchEngine FEngine;
    std::mutex FMutex;
    std::condition_variable FChanged;
    TBlockWork* FWork = nullptr;
    bool FBusy = false;
    bool FQuit = false;
    std::thread FThread;
};

std::vector<std::unique_ptr<TSearchHelper>> CreateHelpers(const TZelmarField* field,
                                                          const TZelmarDataCarrier* query,
                                                          bool considerStereo) {
    std::vector<std::unique_ptr<TSearchHelper>> helpers;
    if (field->Kind != ecsdtChemistry || query->Kind() != ecsdtChemistry) return helpers;
    const unsigned cores =
        std::min(std::max(std::thread::hardware_concurrency(), 1u), kMostEngines);
    try {
        for (unsigned k = 1; k < cores; ++k)
            helpers.push_back(std::make_unique<TSearchHelper>(query, considerStereo));
    } catch (const std::system_error&) {
        // No more threads to be had: search with the helpers there are.
    }
    return helpers;
}

}  // namespace

bool TZelmarSDFileDataList::SearchDataForField(const TZelmarField* field,
                                               const TZelmarDataCarrier* query, bool onlySelected,
                                               TZelmarRecordRefs* results, bool considerStereo,
                                               int options) {
    if (field == nullptr || query == nullptr || results == nullptr) return true;
    bool started = false;
    const bool completed = Guarded("TZelmarSDFileDataList.SearchDataForField", false, [&] {
        TZelmarSearchEngine engine(query);
        engine.SetConsiderStereo(considerStereo);
        engine.SetDecimalSeparator(field->DecimalSeparator);
        // Before the helpers: they finish their share of them before they go.
        std::vector<TSearchItem> blocks[2];
        TBlockWork work;
        work.Options = options;
        const std::vector<std::unique_ptr<TSearchHelper>> helpers =
            CreateHelpers(field, query, considerStereo);
        // Without helpers every record is checked before the next progress call.
        std::size_t blockSize =
            helpers.empty() ? 1 : kItemsPerEngineAndBlock * (helpers.size() + 1);
        const std::size_t mostBlockSize =
            helpers.empty() ? 1 : kMostItemsPerEngineAndBlock * (helpers.size() + 1);

        started = true;
        if (OnStartSearch) OnStartSearch(this);
        // Identifiers not kept yet are made first, on every core, as the search's first part.
        if (ZelmarIsIdentifierKind(field->Kind) && !MakeIdentifiers(field->Kind, OnSearchProgress))
            return false;
        const int count = GetCount();
        bool goOn = true;
        int i = 0;
        auto fill = [&](std::vector<TSearchItem>& block) {
            block.clear();
            blockSize = std::min(blockSize * 2, mostBlockSize);
            block.reserve(blockSize);
            for (; i < count && goOn && block.size() < blockSize; ++i) {
                if (OnSearchProgress && !OnSearchProgress(this, platform::MulDiv(i, 100, count))) {
                    goOn = false;  // the records before this one are still checked
                    break;
                }
                TZelmarSDFileData* record = GetSDFileData(i);
                if (record == nullptr || (onlySelected && !record->Selected)) continue;
                block.emplace_back();
                block.back().Record = record;
                if (!record->GetDataForField(field, &block.back().Value)) block.pop_back();
            }
        };
        fill(blocks[0]);
        for (int current = 0; !blocks[current].empty(); current = 1 - current) {
            work.Block = &blocks[current];
            work.Next = 0;
            for (const std::unique_ptr<TSearchHelper>& helper : helpers) helper->Start(&work);
            // The next block is fetched while the helpers check this one.
            if (helpers.empty())
                blocks[1 - current].clear();
            else
                fill(blocks[1 - current]);
            CheckClaimed(engine, work);
            for (const std::unique_ptr<TSearchHelper>& helper : helpers) helper->Wait();
            for (const TSearchItem& item : blocks[current])
                if (item.Hit) results->AddObject(std::string(), item.Record);
            if (helpers.empty()) fill(blocks[1 - current]);
        }
        return goOn;
    });
    // Also after a failure: whoever showed the search as running must see it end.
    if (started && OnEndSearch)
        GuardedVoid("TZelmarSDFileDataList.SearchDataForField", [&] { OnEndSearch(this); });
    return completed;
}

// ---- ZelmarStructureKeys and ZelmarConstitutionHashes ----------------------------------------

namespace {

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    h *= 0xFF51AFD7ED558CCDULL;
    return h ^ (h >> 33);
}

// Element symbols; whatever else a molfile names an atom (A, Q, L, R#, *) counts as one kind.
bool IsElementSymbol(std::string_view symbol) {
    static const char* const kSymbols =
        " He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge "
        "As Se Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm "
        "Eu Gd Tb Dy Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U "
        "Np Pu Am Cm Bk Cf Es Fm Md No Lr Rf Db Sg Bh Hs Mt Ds Rg Cn Nh Fl Mc Lv Ts Og ";
    if (symbol.empty() || symbol.size() > 2) return false;
    const std::string padded = " " + std::string(symbol) + " ";
    return std::string_view(kSymbols).find(padded) != std::string_view::npos;
}

bool ParseCount(std::string_view field, int& value) {
    value = 0;
    bool digits = false;
    for (const char c : field) {
        if (c == ' ') {
            if (digits) return false;
            continue;
        }
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        digits = true;
    }
    return digits;
}

}  // namespace

bool ZelmarConstitutionHash(std::string_view molText, std::uint64_t& hash) {
    // V2000 only: the header's three lines, the counts line, atoms, bonds.
    std::vector<std::string_view> lines;
    std::string_view text(molText);
    while (!text.empty() && lines.size() < 4) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    if (lines.size() < 4 || lines[3].size() < 6 || lines[3].find("V3000") != std::string_view::npos)
        return false;
    int atoms = 0;
    int bonds = 0;
    if (!ParseCount(lines[3].substr(0, 3), atoms) || !ParseCount(lines[3].substr(3, 3), bonds))
        return false;
    auto nextLine = [&text](std::string_view& line) {
        if (text.empty()) return false;
        const std::size_t end = text.find('\n');
        line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        return true;
    };
    // Hydrogens drop out: explicit or implicit, D or T, they never tell structures apart here.
    std::vector<int> heavy(static_cast<std::size_t>(atoms), -1);
    std::vector<std::uint64_t> label;
    std::string_view line;
    for (int i = 0; i < atoms; ++i) {
        if (!nextLine(line) || line.size() < 34) return false;
        std::string_view symbol = line.substr(31, 3);
        while (!symbol.empty() && symbol.front() == ' ') symbol.remove_prefix(1);
        while (!symbol.empty() && symbol.back() == ' ') symbol.remove_suffix(1);
        if (symbol == "H" || symbol == "D" || symbol == "T") continue;
        heavy[static_cast<std::size_t>(i)] = static_cast<int>(label.size());
        label.push_back(IsElementSymbol(symbol) ? std::hash<std::string_view>()(symbol)
                                                : 0x2A2A2A2AULL);
    }
    // Bond orders drop out too: Kekule and aromatic forms, and charge-separated drawings, are
    // one structure to exact comparison.
    std::vector<std::vector<int>> neighbours(label.size());
    std::size_t heavyBonds = 0;
    for (int b = 0; b < bonds; ++b) {
        int from = 0;
        int to = 0;
        if (!nextLine(line) || line.size() < 6 || !ParseCount(line.substr(0, 3), from) ||
            !ParseCount(line.substr(3, 3), to) || from < 1 || to < 1 || from > atoms || to > atoms)
            return false;
        const int a = heavy[static_cast<std::size_t>(from - 1)];
        const int c = heavy[static_cast<std::size_t>(to - 1)];
        if (a < 0 || c < 0) continue;
        neighbours[static_cast<std::size_t>(a)].push_back(c);
        neighbours[static_cast<std::size_t>(c)].push_back(a);
        ++heavyBonds;
    }
    // A few rounds of neighbourhood refinement; the sorted atom labels make the hash.
    std::vector<std::uint64_t> next(label.size());
    std::vector<std::uint64_t> around;
    for (int round = 0; round < 4; ++round) {
        for (std::size_t i = 0; i < label.size(); ++i) {
            around.clear();
            for (const int n : neighbours[i]) around.push_back(label[static_cast<std::size_t>(n)]);
            std::sort(around.begin(), around.end());
            std::uint64_t h = Mix(label[i], around.size());
            for (const std::uint64_t a : around) h = Mix(h, a);
            next[i] = h;
        }
        label.swap(next);
    }
    std::sort(label.begin(), label.end());
    std::uint64_t h = Mix(label.size(), heavyBonds);
    for (const std::uint64_t l : label) h = Mix(h, l);
    hash = h;
    return true;
}

bool ZelmarConstitutionHashes(const std::vector<std::string_view>& molTexts,
                              std::vector<std::uint64_t>& hashes, std::vector<bool>& known,
                              const std::function<bool(std::size_t done)>& progress) {
    return Guarded("ZelmarConstitutionHashes", false, [&] {
        hashes.assign(molTexts.size(), 0);
        std::vector<char> made(molTexts.size(), 0);
        const bool complete = ZelmarRunInParts(
            molTexts.size(),
            [&](std::size_t first, std::size_t end, unsigned) {
                for (std::size_t k = first; k < end; ++k)
                    made[k] = ZelmarConstitutionHash(molTexts[k], hashes[k]) ? 1 : 0;
            },
            progress, ZelmarWorkThreads());
        known.assign(made.begin(), made.end());
        return complete;
    });
}

bool ZelmarStructureKeys(const std::vector<std::string_view>& molTexts, bool considerStereo,
                         std::vector<TZelmarStructureKey>& keys,
                         const std::function<bool(std::size_t done)>& progress) {
    return Guarded("ZelmarStructureKeys", false, [&] {
        keys.assign(molTexts.size(), TZelmarStructureKey());
        if (molTexts.empty()) return !progress || progress(0);
        // One engine per thread, made here so that a failing one fails the call, not a thread.
        const unsigned workers = ZelmarWorkThreads();
        std::vector<std::unique_ptr<TZelmarSearchEngine>> engines;
        for (unsigned worker = 0; worker < workers; ++worker)
            engines.push_back(std::make_unique<TZelmarSearchEngine>(nullptr));
        return ZelmarRunInParts(
            molTexts.size(),
            [&](std::size_t first, std::size_t end, unsigned worker) {
                for (std::size_t k = first; k < end; ++k)
                    keys[k] =
                        engines[worker]->StructureKey(std::string(molTexts[k]), considerStereo);
            },
            progress, workers);
    });
}
