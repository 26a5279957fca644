// sort, search, duplicates and mix: the sheet's commands on a record list read as a sheet reads
// it, the result written as a result sheet would save it.
#include "Zelmar_ToolCommands.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "Zelmar_Numbers.h"
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

// The query and options of the sheet's text and number search dialog.
int FieldQuery(const TZelmarToolArguments& a, const TZelmarField* field,
               TZelmarDataCarrier& query) {
    query.SetKind(field->Kind);
    const bool numbers = a.Has("--min") || a.Has("--max");
    if (field->Kind == ecsdtMolweight) {
        if (a.Has("--text") || a.Has("--contains") || a.Has("--begins") || a.Has("--case"))
            throw TZelmarToolError(
                ToolText("ZelmarTool##  search: Das Feld weight wird mit --min, --max oder --equal "
                         "durchsucht."));
        if (a.Has("--equal")) {
            query.SetValueFrom(NumberArgument(a.Value("--equal")));
            return soExact;
        }
        if (!numbers)
            throw TZelmarToolError(
                ToolText("ZelmarTool##  search: Das Feld weight wird mit --min, --max oder --equal "
                         "durchsucht."));
        if (a.Has("--min") && a.Has("--max")) {
            query.SetValueFrom(NumberArgument(a.Value("--min")));
            query.SetValueTo(NumberArgument(a.Value("--max")));
            return soRange;
        }
        query.SetValueFrom(NumberArgument(a.Value(a.Has("--min") ? "--min" : "--max")));
        return a.Has("--min") ? soGreaterThan : soLessThan;
    }
    if (field->Kind == ecsdtChemistry)
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  search: Moleküle werden mit --substructure oder --exact gesucht."));
    if (numbers)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  search: --min und --max gelten nur für das Feld weight."));
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

void ExpectOutput(const TZelmarToolArguments& a, const std::string& command) {
    if (!a.Has("-o"))
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  %s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).",
            {command}));
}

}  // namespace

int RunToolSort(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("sort", args, {"--by", "-o"}, {"--desc"});
    a.ExpectFiles(1);
    ExpectOutput(a, "sort");
    const std::string by = a.Required("--by");
    CheckOutputFile(a.Value("-o"), a.Files());
    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    sheet.ReportLoadErrors();
    TZelmarField* field = sheet.FieldByName(by);
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
    const TZelmarToolArguments a(
        "search", args,
        {"--substructure", "--exact", "--field", "--text", "--min", "--max", "--equal", "-o"},
        {"--stereo", "--contains", "--begins", "--case"});
    a.ExpectFiles(1);
    ExpectOutput(a, "search");
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
    const TZelmarField* field = nullptr;
    int options = 0;
    if (molecule) {
        field = list.GetChemistryField();
        query.SetKind(field->Kind);
        query.SetText(molText);
        options = a.Has("--exact") ? soExact : soContains;
    } else {
        field = sheet.FieldByName(a.Value("--field"));
        options = FieldQuery(a, field, query);
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

int RunToolDuplicates(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("duplicates", args, {"--by", "-o"}, {"--stereo", "--json"});
    a.ExpectFiles(1);
    ExpectOutput(a, "duplicates");
    const std::string by = a.Required("--by");
    CheckOutputFile(a.Value("-o"), a.Files());
    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    sheet.ReportLoadErrors();
    const TZelmarField* field = sheet.FieldByName(by);
    TZelmarSDFileDataList& list = sheet.List();
    const std::string searching = ToolText("ZelmarTool##  Suchen:") + " " + sheet.ShownName();
    list.OnSearchProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(searching, percent);
    };
    list.OnSortProgress = list.OnSearchProgress;
    TZelmarRecordRefs hits;
    const bool searched = list.SearchForDuplicates(field, a.Has("--stereo"), &hits);
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
    const TZelmarToolArguments a("mix", args, {"--op", "-o"}, {});
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
    if (a.Files()[0] == "-" && a.Files()[1] == "-")
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Standardeingabe kann nur einmal gelesen werden."));
    CheckOutputFile(a.Value("-o"), a.Files());
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
    const bool mixed = operations.Mix(operation, &left.List(), &right.List(), field, &target);
    target.OnMixProgress = nullptr;
    progress.Done();
    if (!mixed)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  \"%s\" und \"%s\" konnten nicht gemischt werden.",
                     {left.ShownName(), right.ShownName()}));
    WriteSDFile(target, a.Value("-o"), progress);
    return target.GetCount() == 0 ? 1 : 0;
}
