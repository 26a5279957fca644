#include "Zelmar_ToolArguments.h"

#include "Zelmar_ToolFiles.h"
#include "Zelmar_ToolTexts.h"

TZelmarToolArguments::TZelmarToolArguments(const std::string& command,
                                           const std::vector<std::string>& args,
                                           const std::set<std::string>& valueOptions,
                                           const std::set<std::string>& flags)
    : FCommand(command) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
            FFiles.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::string value;
        bool inlineValue = false;
        const std::size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            inlineValue = true;
        }
        if (valueOptions.count(name) != 0) {
            if (!inlineValue) {
                if (i + 1 >= args.size())
                    throw TZelmarToolError(ToolText(
                        "ZelmarTool##  %s: Der Option \"%s\" fehlt ihr Wert.", {command, name}));
                value = args[++i];
            }
            FValues[name] = value;
        } else if (flags.count(name) != 0 && !inlineValue) {
            FFlags.insert(name);
        } else {
            throw TZelmarToolError(
                ToolText("ZelmarTool##  %s: unbekannte Option \"%s\". Hilfe: zelmar-tool %s --help",
                         {command, arg, command}));
        }
    }
}

bool TZelmarToolArguments::Has(const std::string& option) const {
    return FFlags.count(option) != 0 || FValues.count(option) != 0;
}

std::string TZelmarToolArguments::Value(const std::string& option) const {
    const auto found = FValues.find(option);
    return found == FValues.end() ? std::string() : found->second;
}

std::string TZelmarToolArguments::Required(const std::string& option) const {
    if (FValues.count(option) == 0)
        throw TZelmarToolError(ToolText(
            "ZelmarTool##  %s: Bitte die Option \"%s\" angeben. Hilfe: zelmar-tool %s --help",
            {FCommand, option, FCommand}));
    return Value(option);
}

void TZelmarToolArguments::ExpectFiles(std::size_t count) const {
    if (FFiles.size() == count) return;
    throw TZelmarToolError(
        count == 1
            ? ToolText("ZelmarTool##  %s: Bitte genau eine Eingabedatei angeben.", {FCommand})
            : ToolText("ZelmarTool##  %s: Bitte genau zwei Eingabedateien angeben.", {FCommand}));
}
