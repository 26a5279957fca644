// info and export: what a sheet shows of a file, as JSON or as a table. Numbers are written with
// a decimal point in every locale; texts as UTF-8, the way the sheet shows their bytes.
#include <cstdio>
#include <iostream>
#include <sstream>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_TableExport.h"
#include "Zelmar_ToolArguments.h"
#include "Zelmar_ToolCommands.h"
#include "Zelmar_ToolFiles.h"
#include "Zelmar_ToolTexts.h"

namespace {

// A data field's kind is the one the sheet decided when the file was read.
std::string FieldKind(const TZelmarField* field) {
    switch (field->Kind) {
        case ecsdtFormula:
            return "formula";
        case ecsdtMolweight:
            return "weight";
        case ecsdtChemistry:
            return "molecule";
        case ecsdtSmiles:
        case ecsdtInchi:
        case ecsdtInchiKey:
            return ZelmarExportColumnName(field);
        default:
            return field->Numeric ? "number" : "text";
    }
}

}  // namespace

std::string ToolJsonString(const std::string& bytes) {
    const std::string text = ZelmarShownTextAsUtf8(bytes);
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    json += escaped;
                } else {
                    json += c;
                }
        }
    }
    return json + "\"";
}

int RunToolInfo(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("info", args, {}, {"--json"});
    a.ExpectFiles(1);
    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    TZelmarSDFileDataList& list = sheet.List();
    std::vector<std::pair<std::string, std::string>> fields;  // name, kind
    for (int i = 0; i < list.GetFieldCount(); ++i) {
        const TZelmarField* field = list.GetField(i);
        const std::string name = ToolFieldName(field);
        if (!name.empty()) fields.emplace_back(name, FieldKind(field));
    }
    std::ostringstream out;
    if (a.Has("--json")) {
        out << "{\"file\":" << ToolJsonString(sheet.ShownName())
            << ",\"records\":" << list.GetCount() << ",\"fields\":[";
        for (std::size_t i = 0; i < fields.size(); ++i)
            out << (i > 0 ? "," : "") << "{\"name\":" << ToolJsonString(fields[i].first)
                << ",\"kind\":\"" << fields[i].second << "\"}";
        out << "],\"load_errors\":[";
        const auto& errors = sheet.LoadErrors();
        for (std::size_t i = 0; i < errors.size(); ++i)
            out << (i > 0 ? "," : "") << "{\"record\":" << errors[i].Record
                << ",\"line\":" << errors[i].Line
                << ",\"reason\":" << ToolJsonString(errors[i].Reason) << "}";
        out << "],\"encoding\":\"" << sheet.Encoding() << "\"}\n";
    } else {
        out << ToolText("ZelmarTool##  Datei:") << " " << sheet.ShownName() << "\n"
            << ToolText("ZelmarTool##  Datensätze:") << " " << list.GetCount() << "\n"
            << ToolText("ZelmarTool##  Kodierung:") << " " << sheet.Encoding() << "\n"
            << ToolText("ZelmarTool##  Felder:") << "\n";
        for (const auto& field : fields)
            out << "  " << ZelmarShownTextAsUtf8(field.first) << "\t" << field.second << "\n";
        out << ToolText("ZelmarTool##  Nicht lesbare Datensätze:") << " "
            << sheet.LoadErrors().size() << "\n";
        for (const TZelmarToolLoadError& error : sheet.LoadErrors())
            out << "  " << error.Record << "\t" << error.Line << "\t"
                << ZelmarShownTextAsUtf8(error.Reason) << "\n";
    }
    WriteTextFile(out.str(), "-");
    return 0;
}

int RunToolExport(const TZelmarToolArgs& args) {
    const TZelmarToolArguments a("export", args, {"-o", "--fields", "--format"}, {});
    a.ExpectFiles(1);
    if (!a.Has("-o"))
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  %s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).",
            {"export"}));
    const std::string out = a.Value("-o");
    std::string format = a.Value("--format");
    if (format.empty()) {
        const std::size_t dot = out.rfind('.');
        const std::string extension = dot == std::string::npos ? std::string() : out.substr(dot);
        format = extension == ".tsv" || extension == ".tab" ? "tsv" : "csv";
    }
    if (format != "csv" && format != "tsv")
        throw TZelmarToolError(
            ToolText("ZelmarTool##  export: --format ist csv oder tsv, nicht \"%s\".", {format}));
    CheckOutputFile(out, a.Files());
    TZelmarToolProgress progress;
    TZelmarToolSheet sheet;
    sheet.Load(a.Files()[0], progress);
    sheet.ReportLoadErrors();
    TZelmarSDFileDataList& list = sheet.List();

    std::vector<const TZelmarField*> columns;
    if (a.Has("--fields")) {
        const std::string names = a.Value("--fields");
        for (std::size_t start = 0; start <= names.size();) {
            const std::size_t comma = std::min(names.find(',', start), names.size());
            columns.push_back(sheet.FieldByName(names.substr(start, comma - start)));
            start = comma + 1;
        }
    } else {
        // The data fields in the sheet's order, then formula and weight.
        for (int i = 0; i < list.GetFieldCount(); ++i)
            if (list.GetField(i)->Kind == ecsdtDataText) columns.push_back(list.GetField(i));
        columns.push_back(sheet.FieldByName("formula"));
        columns.push_back(sheet.FieldByName("weight"));
    }
    const std::string exporting = ToolText("ZelmarTool##  Schreiben:") + " " + out;
    std::string table;
    ZelmarMakeTextTable(
        list, columns, format == "tsv", false,
        [&](int percent) { return progress.Show(exporting, percent); }, table);
    progress.Done();
    WriteTextFile(table, out);
    return 0;
}
