#pragma once
// The command line's messages in the system's language. Texts are stored in German with their
// scope key, as everywhere in the program; the English and French ones come from the program's
// dictionaries, turned into a table at build time, because the tool runs without Qt.

#include <initializer_list>
#include <string>

struct TZelmarToolDictionaryEntry {
    const char* Language;  // "EN", "FR"
    const char* Native;
    const char* Translation;
};
// Generated from translations/*.ts; ends with an entry of nulls.
extern const TZelmarToolDictionaryEntry kZelmarToolDictionary[];

// The language of messages from LC_ALL, LC_MESSAGES or LANG, as two upper-case letters: "DE"
// (also for Spanish, which has no dictionary of its own and reads the native texts, as in the
// program), "FR", or "EN" for English, the C locale and every other language.
std::string ToolLanguageFromEnvironment();

// Hands the language's table to LoadTranslatedText.
void UseToolLanguage(const std::string& language);

// The stored text as shown, each "%s" replaced by the next argument.
std::string ToolText(const char* stored, std::initializer_list<std::string> args = {});
