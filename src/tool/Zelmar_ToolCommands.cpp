// sort, search, duplicates and mix: the sheet's commands on a record list read as a sheet reads
// it, the result written as a result sheet would save it.
#include "Zelmar_ToolCommands.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_SetOperations.h"
#include "Zelmar_ToolArguments.h"
#include "Zelmar_ToolFiles.h"
#include "Zelmar_ToolTexts.h"
#include "vesk_ChemRoutines.h"

namespace {

// A result sheet holds copies of the hits, in the order found; saving it writes them.
int WriteResults(const TZelmarRecordRefs& hits, const std::string& out,
                 TZelmarToolProgress& progress) {
    TZelmarSDFileDataList result(nullptr);
    result.Assign(hits);
    WriteSDFile(result, out, progress);
    return hits.IsEmpty() ? 1 : 0;
}

std::string ReadQueryFile(const std::string& name) {
    std::string text;
    if (name == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(name, std::ios::binary);
        if (!in)
            throw TZelmarToolError(
                ToolText("ZelmarTool##  Die Abfrage \"%s\" kann nicht gelesen werden.", {name}));
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    TveskMolManager molecules;
    if (text.find_first_not_of(" \t\r\n") == std::string::npos || !molecules.CanOpenMolString(text))
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Abfrage \"%s\" ist kein lesbares Molekül.", {name}));
    return text;
}

double NumberArgument(const std::string& text) {
    double value = 0.0;
    // Machine input: a decimal point in every locale, as in the tool's output.
    if (!ParseFloat(text, value))
        throw TZelmarToolError(ToolText("ZelmarTool##  \"%s\" ist keine Zahl.", {text}));
    return value;
}

std::string TrimmedQuery(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

// The number search of the weight and of numeric data fields: --equal, or --min and --max
// (strictly above and below, either alone as a bound to one side).
int NumberQuery(const TZelmarToolArguments& a, TZelmarDataCarrier& query) {
    // A data field's value is read as a number only by a query of the weight's kind.
    query.SetKind(ecsdtMolweight);
    const bool bounds = a.Has("--min") || a.Has("--max");
    if (a.Has("--equal") && bounds)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  search: --equal schließt --min und --max aus."));
    if (a.Has("--equal")) {
        query.SetValueFrom(NumberArgument(a.Value("--equal")));
        return soExact;
    }
    if (a.Has("--min") && a.Has("--max")) {
        query.SetValueFrom(NumberArgument(a.Value("--min")));
        query.SetValueTo(NumberArgument(a.Value("--max")));
        return soRange;
    }
    query.SetValueFrom(NumberArgument(a.Value(a.Has("--min") ? "--min" : "--max")));
    return a.Has("--min") ? soGreaterThan : soLessThan;
}

// The query and options of the sheet's text and number search dialog.
int FieldQuery(const TZelmarToolArguments& a, const TZelmarField* field, const std::string& name,
               TZelmarDataCarrier& query) {
    const bool numbers = a.Has("--min") || a.Has("--max");
    const bool textOptions =
        a.Has("--text") || a.Has("--contains") || a.Has("--begins") || a.Has("--case");
    if (field->Kind == ecsdtChemistry)
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  search: Moleküle werden mit --substructure oder --exact gesucht."));
    if (field->Kind == ecsdtMolweight) {
        if (textOptions || (!numbers && !a.Has("--equal")))
            throw TZelmarToolError(
                ToolText("ZelmarTool##  search: Das Feld weight wird mit --min, --max oder --equal "
                         "durchsucht."));
        return NumberQuery(a, query);
    }
    if (numbers && textOptions)
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  search: --min und --max suchen Zahlen, --text sucht Text: bitte nur "
            "eines davon."));
    // A numeric field's text is still searched with --text; --equal there compares numbers.
    if (field->IsNumericData() && !textOptions && (numbers || a.Has("--equal")))
        return NumberQuery(a, query);
    if (numbers)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  search: --min und --max gelten nur für weight und "
                     "Zahlenfelder, nicht für %s.",
                     {name}));
    query.SetKind(field->Kind);
    if (a.Has("--text") == a.Has("--equal"))
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  search: Bitte --text oder --equal angeben. Hilfe: zelmar-tool search "
            "--help"));
    query.SetText(TrimmedQuery(a.Has("--text") ? a.Value("--text") : a.Value("--equal")));
    int options = soExact;
    if (a.Has("--contains")) options = soContains;
    if (a.Has("--begins")) options = soBeginsWith;
    if (a.Has("--contains") && a.Has("--begins"))
        throw TZelmarToolError(
            ToolText("ZelmarTool##  search: --contains und --begins schließen einander aus."));
    if (a.Has("--equal") && (a.Has("--contains") || a.Has("--begins")))
        throw TZelmarToolError(
            ToolText("ZelmarTool##  search: --equal sucht den ganzen Wert; für Teile --text mit "
                     "--contains oder --begins."));
    if (a.Has("--case")) options += soCaseSensitive;
    return options;
}

// --kind, checked before any file is read: "text", "number", or empty when not given.
std::string KindArgument(const TZelmarToolArguments& a, const std::string& command) {
    if (!a.Has("--kind")) return std::string();
    const std::string kind = a.Value("--kind");
    if (kind != "text" && kind != "number")
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  %s: --kind ist text oder number, nicht \"%s\".", {command, kind}));
    return kind;
}

// The kind as the field editor sets it: chosen, so that deciding the kinds again keeps it.
void ChooseKind(TZelmarField* field, const std::string& kind, const std::string& command,
                const std::string& name) {
    if (kind.empty()) return;
    if (field->Kind != ecsdtDataText)
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  %s: --kind gilt nur für Datenfelder, nicht für %s.", {command, name}));
    const bool numeric = kind == "number";
    // A field read as text has no separator of its own; numbers typed into files use a point.
    if (numeric && !field->Numeric) field->DecimalSeparator = '.';
    field->Numeric = numeric;
    field->KindChosen = true;
}

void ExpectOutput(const TZelmarToolArguments& a, const std::string& command) {
    if (!a.Has("-o"))
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  %s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).",
            {command}));
}

}  // namespace

int RunToolSort(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("sort", args, {"--by", "-o", "--kind"}, {"--desc", "--natural"});
    a.ExpectFiles(1);
    ExpectOutput(a, "sort");
    const std::string by = a.Required("--by");
    const std::string kind = KindArgument(a, "sort");
    CheckOutputFile(a.Value("-o"), a.Files());
    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    sheet.ReportLoadErrors();
    TZelmarField* field = sheet.FieldByName(by);
    ChooseKind(field, kind, "sort", by);
    if (a.Has("--natural")) {
        if (field->Kind != ecsdtDataText)
            throw TZelmarToolError(ToolText(
                "ZelmarTool##  sort: --natural gilt nur für Datenfelder, nicht für %s.", {by}));
        // A numeric field keeps sorting by value, which is what natural order gives its digits.
        field->NaturalOrder = true;
    }
    TZelmarSDFileDataList& list = sheet.List();
    const std::string sorting = ToolText("ZelmarTool##  Sortieren:") + " " + sheet.ShownName();
    list.OnSortProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(sorting, percent);
    };
    // A molecule sort reports its second half as a search.
    list.OnSearchProgress = list.OnSortProgress;
    const bool sorted = list.SortForField(field, a.Has("--desc") ? 2 : 1);
    list.OnSortProgress = nullptr;
    list.OnSearchProgress = nullptr;
    progress.Done();
    if (!sorted)
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  \"%s\" konnte nicht nach %s sortiert werden.", {sheet.ShownName(), by}));
    WriteSDFile(list, a.Value("-o"), progress);
    return 0;
}

int RunToolSearch(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("search", args,
                                 {"--substructure", "--exact", "--field", "--text", "--min",
                                  "--max", "--equal", "-o", "--kind"},
                                 {"--stereo", "--contains", "--begins", "--case"});
    a.ExpectFiles(1);
    ExpectOutput(a, "search");
    const std::string kind = KindArgument(a, "search");
    const bool molecule = a.Has("--substructure") || a.Has("--exact");
    if (molecule == a.Has("--field") || (a.Has("--substructure") && a.Has("--exact")))
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  search: Bitte entweder --substructure Q.mol, --exact Q.mol oder "
            "--field F angeben. Hilfe: zelmar-tool search --help"));
    const std::string queryFile = a.Value(a.Has("--exact") ? "--exact" : "--substructure");
    if (molecule && queryFile == "-" && a.Files()[0] == "-")
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Standardeingabe kann nur einmal gelesen werden."));
    CheckOutputFile(a.Value("-o"), a.Files());
    // A bad query is told before a large file is read.
    const std::string molText = molecule ? ReadQueryFile(queryFile) : std::string();

    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    sheet.ReportLoadErrors();
    TZelmarSDFileDataList& list = sheet.List();
    TZelmarDataCarrier query;
    TZelmarField* field = nullptr;
    int options = 0;
    if (molecule) {
        field = list.GetChemistryField();
        ChooseKind(field, kind, "search", "molecule");
        query.SetKind(field->Kind);
        query.SetText(molText);
        options = a.Has("--exact") ? soExact : soContains;
    } else {
        field = sheet.FieldByName(a.Value("--field"));
        ChooseKind(field, kind, "search", a.Value("--field"));
        options = FieldQuery(a, field, a.Value("--field"), query);
    }
    const std::string searching = ToolText("ZelmarTool##  Suchen:") + " " + sheet.ShownName();
    list.OnSearchProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(searching, percent);
    };
    TZelmarRecordRefs hits;
    const bool searched =
        list.SearchDataForField(field, &query, true, &hits, a.Has("--stereo"), options);
    list.OnSearchProgress = nullptr;
    progress.Done();
    if (!searched)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Suche in \"%s\" ist fehlgeschlagen.", {sheet.ShownName()}));
    return WriteResults(hits, a.Value("-o"), progress);
}

namespace {

// The duplicate policy of --policy, 0 without it; a word the tool does not know is a usage
// error before any file is read.
int PolicyArgument(const TZelmarToolArguments& a, const char* command) {
    if (!a.Has("--policy")) return 0;
    int policy = 0;
    std::string bad;
    if (!ZelmarParsePolicy(a.Value("--policy"), policy, bad))
        throw TZelmarToolError(
            ToolText("ZelmarTool##  %s: --policy nimmt salts, charges, isotopes und tautomers, "
                     "durch Kommas getrennt, nicht \"%s\".",
                     {command, bad}));
    return policy;
}

// A policy needs a search library that makes its keys; without, comparing exactly would pass
// for the answer asked for.
void CheckPolicyKeys(int policy) {
    if (policy != 0 && !ZelmarPolicyKeysAvailable())
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Bibliothek %s kennt keine Duplikatregeln (--policy).",
                     {ChemSearchLibraryName}));
}

}  // namespace

int RunToolDuplicates(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("duplicates", args, {"--by", "-o", "--kind", "--policy"},
                                 {"--stereo", "--json"});
    a.ExpectFiles(1);
    ExpectOutput(a, "duplicates");
    const std::string by = a.Required("--by");
    const std::string kind = KindArgument(a, "duplicates");
    const int policy = PolicyArgument(a, "duplicates");
    CheckOutputFile(a.Value("-o"), a.Files());
    CheckPolicyKeys(policy);
    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    sheet.ReportLoadErrors();
    TZelmarField* field = sheet.FieldByName(by);
    ChooseKind(field, kind, "duplicates", by);
    // Only molecules have rules to set aside.
    if (policy != 0 && field->Kind != ecsdtChemistry)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  duplicates: --policy gilt nur für --by molecule."));
    TZelmarSDFileDataList& list = sheet.List();
    const std::string searching = ToolText("ZelmarTool##  Suchen:") + " " + sheet.ShownName();
    list.OnSearchProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(searching, percent);
    };
    list.OnSortProgress = list.OnSearchProgress;
    TZelmarRecordRefs hits;
    const bool searched = list.SearchForDuplicates(field, a.Has("--stereo"), &hits, policy);
    list.OnSearchProgress = nullptr;
    list.OnSortProgress = nullptr;
    progress.Done();
    if (!searched)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Suche in \"%s\" ist fehlgeschlagen.", {sheet.ShownName()}));
    if (a.Has("--json")) {
        // Each hit's text is its group's number; groups come one after another.
        std::vector<int> sizes;
        std::string last;
        for (int i = 0; i < hits.GetCount(); ++i) {
            if (i == 0 || hits.GetText(i) != last) sizes.push_back(0);
            ++sizes.back();
            last = hits.GetText(i);
        }
        std::string json = "{\"groups\":" + std::to_string(sizes.size()) +
                           ",\"records\":" + std::to_string(hits.GetCount()) + ",\"sizes\":[";
        for (std::size_t i = 0; i < sizes.size(); ++i)
            json += (i > 0 ? "," : "") + std::to_string(sizes[i]);
        std::cerr << json << "]}\n";
    }
    return WriteResults(hits, a.Value("-o"), progress);
}

int RunToolMix(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("mix", args, {"--op", "-o", "--policy"}, {});
    a.ExpectFiles(2);
    ExpectOutput(a, "mix");
    const std::string op = a.Required("--op");
    int operation = 0;
    if (op == "intersect") operation = TZelmarSetOperations::opIntersect;
    if (op == "merge") operation = TZelmarSetOperations::opMerge;
    if (op == "left-minus-right") operation = TZelmarSetOperations::opLeftMinusRight;
    if (op == "right-minus-left") operation = TZelmarSetOperations::opRightMinusLeft;
    if (operation == 0)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  mix: --op ist intersect, merge, left-minus-right oder "
                     "right-minus-left, nicht \"%s\".",
                     {op}));
    const int policy = PolicyArgument(a, "mix");
    if (a.Files()[0] == "-" && a.Files()[1] == "-")
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Standardeingabe kann nur einmal gelesen werden."));
    CheckOutputFile(a.Value("-o"), a.Files());
    CheckPolicyKeys(policy);
    TZelmarToolProgress progress;
    TZelmarToolSheet left;
    TZelmarToolSheet right;
    left.Load(a.Files()[0], progress);
    left.ReportLoadErrors();
    right.Load(a.Files()[1], progress);
    right.ReportLoadErrors();
    // The mixing dialog compares the records' molecules.
    const TZelmarField* field = left.List().GetChemistryField();
    TZelmarSDFileDataList target(nullptr);
    const std::string mixing = ToolText("ZelmarTool##  Mischen:") + " " + op;
    target.OnMixProgress = [&](TZelmarSDFileDataList*, int done, int total) {
        return progress.Show(mixing, total > 0 ? static_cast<int>(100LL * done / total) : 0);
    };
    TZelmarSetOperations operations;
    const bool mixed =
        operations.Mix(operation, &left.List(), &right.List(), field, &target, policy);
    target.OnMixProgress = nullptr;
    progress.Done();
    if (!mixed)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  \"%s\" und \"%s\" konnten nicht gemischt werden.",
                     {left.ShownName(), right.ShownName()}));
    WriteSDFile(target, a.Value("-o"), progress);
    return target.GetCount() == 0 ? 1 : 0;
}
