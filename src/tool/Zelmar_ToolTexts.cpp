#include "Zelmar_ToolTexts.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

#include "Zelmar_Translater.h"

std::string ToolLanguageFromEnvironment() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    std::string code = locale.substr(0, 2);
    for (char& c : code)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (code == "DE" || code == "ES") return "DE";
    if (code == "FR") return "FR";
    return "EN";
}

void UseToolLanguage(const std::string& language) {
    auto table = std::make_shared<std::map<std::string, std::string>>();
    for (const TZelmarToolDictionaryEntry* entry = kZelmarToolDictionary;
         entry->Language != nullptr; ++entry)
        if (language == entry->Language) (*table)[entry->Native] = entry->Translation;
    if (table->empty()) {
        SetTranslationLookup(nullptr);
        return;
    }
    SetTranslationLookup([table](const std::string& scope, const std::string& native) {
        if (scope != "ZelmarTool") return std::string();
        const auto found = table->find(native);
        return found == table->end() ? std::string() : found->second;
    });
}

std::string ToolText(const char* stored, std::initializer_list<std::string> args) {
    std::string text = LoadTranslatedText(stored);
    std::size_t pos = 0;
    for (const std::string& arg : args) {
        pos = text.find("%s", pos);
        if (pos == std::string::npos) break;
        text.replace(pos, 2, arg);
        pos += arg.size();
    }
    return text;
}
