// zelmar-tool: the sheet's commands on the command line, for scripts and pipelines.
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Collation.h"
#include "Zelmar_ToolCommands.h"
#include "Zelmar_ToolFiles.h"
#include "Zelmar_ToolTexts.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Folders.h"
#include "vesk_Library.h"

namespace {

struct TCommand {
    const char* Name;
    int (*Run)(const TZelmarToolArgs& args);
    const char* Usage;
    const char* Help;  // stored text
};

const TCommand kCommands[] = {
    {"info", RunToolInfo, "zelmar-tool info FILE [--json]",
     "ZelmarTool##  Zeigt Datensätze, Felder mit ihrer Art (Datenfelder: text oder number), "
     "nicht lesbare Datensätze und Kodierung der Datei."},
    {"sort", RunToolSort,
     "zelmar-tool sort FILE --by FIELD [--desc] [--natural] [--kind text|number] -o OUT",
     "ZelmarTool##  Sortiert die Datensätze nach einem Feld, wie ein Klick auf die "
     "Spaltenüberschrift: Zahlenfelder nach dem Wert, Text nach dem Gebietsschema. --natural "
     "vergleicht Ziffernfolgen eines Datenfelds nach ihrem Wert (CHEMBL9 vor CHEMBL10); --kind "
     "liest ein Datenfeld als Text oder als Zahlen."},
    {"search", RunToolSearch,
     "zelmar-tool search FILE (--substructure Q.mol | --exact Q.mol) [--stereo] -o OUT\n"
     "  zelmar-tool search FILE --field F (--text T [--contains|--begins] [--case] | --equal X)"
     " [--kind text|number] -o OUT\n"
     "  zelmar-tool search FILE --field weight|F (--min A [--max B] | --max B | --equal X)"
     " [--kind number] -o OUT",
     "ZelmarTool##  Schreibt die Treffer einer Struktur-, Text- oder Zahlensuche. --min, --max "
     "und --equal suchen in weight und in Zahlenfeldern nach dem Wert; --min und --max zählen "
     "Werte echt darüber bzw. darunter, \">10\" ist größer als 9 und nie gleich 10."},
    {"duplicates", RunToolDuplicates,
     "zelmar-tool duplicates FILE --by FIELD [--stereo] [--policy RULES] [--kind text|number] "
     "[--json] -o OUT",
     "ZelmarTool##  Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe "
     "(in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der "
     "Standardfehlerausgabe. --policy salts,charges,isotopes,tautomers (jede Auswahl, durch "
     "Kommas getrennt) lässt Moleküle auch dann gleich sein, wenn sie sich nur in Salzen und "
     "Lösungsmitteln, Ladungen, Isotopen oder als Tautomere unterscheiden."},
    {"mix", RunToolMix,
     "zelmar-tool mix LEFT RIGHT --op intersect|merge|left-minus-right|right-minus-left "
     "[--policy RULES] -o OUT",
     "ZelmarTool##  Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von "
     "Datenblättern; --policy vergleicht die Moleküle nach denselben Regeln wie duplicates."},
    {"export", RunToolExport,
     "zelmar-tool export FILE -o OUT.csv|OUT.tsv [--fields A,B,...] [--format csv|tsv]",
     "ZelmarTool##  Schreibt eine Tabelle mit Kopfzeile: die Datenfelder, Summenformel und "
     "Molekulargewicht."},
};

void PrintUsage(std::FILE* to) {
    std::string text = ToolText(
        "ZelmarTool##  Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, "
        "formula, weight, molecule, smiles, inchi oder inchikey; - liest die Standardeingabe "
        "oder schreibt die Standardausgabe.");
    text += "\n\n";
    for (const TCommand& command : kCommands)
        text += "  " + std::string(command.Usage) + "\n    " + ToolText(command.Help) + "\n";
    text += "\n  zelmar-tool COMMAND --help\n  zelmar-tool --version\n\n";
    text += ToolText(
        "ZelmarTool##  Rückgabewert: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf oder "
        "fehlerhafte Eingabe.");
    std::fprintf(to, "%s\n", text.c_str());
}

// The libraries are found as the program finds them: beside the tool, then in the shared
// folder, then by the system's search.
void CheckLibraries() {
    const std::string common = platform::GetCommonFilesFolder();
    if (!common.empty())
        platform::PrependToLibrarySearchList(common + "/" + platform::SharedFolderName);
    TveskMolManager molecules;
    if (!molecules.IsLibLoaded())
        throw TZelmarToolError(ToolText("ZelmarTool##  Die Bibliothek %s wurde nicht gefunden.",
                                        {RoutinesLibraryName}));
    TZelmarChemSearchEngine search;
    std::string error;
    search.Init(error);
    if (!search.Initialized())
        throw TZelmarToolError(ToolText("ZelmarTool##  Die Bibliothek %s wurde nicht gefunden.",
                                        {ChemSearchLibraryName}));
}

}  // namespace

int main(int argc, char** argv) {
    // Texts sort and compare by the user's locale, as in the program; numbers in the output
    // do not follow it (Zelmar_Numbers).
    std::setlocale(LC_ALL, "");
    // A file size limit then fails the write with a message instead of killing the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::string language = ToolLanguageFromEnvironment();
    UseToolLanguage(language);
    // Under the C locale texts sort by the language's collation, as in the program.
    SetCollationLanguage(language);
    std::ios::sync_with_stdio(true);
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string& name = all[0];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    if (name == "--version") {
        std::printf("zelmar-tool %s\n", ZELMAR_TOOL_VERSION);
        return 0;
    }
    for (const TCommand& command : kCommands) {
        if (name != command.Name) continue;
        const TZelmarToolArgs args(all.begin() + 1, all.end());
        for (const std::string& arg : args)
            if (arg == "--help" || arg == "-h") {
                std::printf("%s\n  %s\n", command.Usage, ToolText(command.Help).c_str());
                return 0;
            }
        try {
            CheckLibraries();
            return command.Run(args);
        } catch (const std::exception& e) {
            std::fflush(stdout);
            std::fprintf(stderr, "zelmar-tool: %s\n", e.what());
            return 2;
        }
    }
    std::fprintf(
        stderr, "zelmar-tool: %s\n",
        ToolText("ZelmarTool##  Unbekannter Befehl \"%s\". Hilfe: zelmar-tool --help", {name})
            .c_str());
    return 2;
}
