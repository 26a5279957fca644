#pragma once
// The message text lookup every shown text passes through. Qt-free: it translates nothing
// until the user interface hands it the dictionary as a lookup.

#include <functional>
#include <string>

// scope: the text's scope key (the window or dialog name before "##", empty if none);
// nativeText: the text behind the key without its leading blanks. Returns the translation
// into the current language, or an empty text to keep the native one.
using TTranslationLookup =
    std::function<std::string(const std::string& scope, const std::string& nativeText)>;

// Sets the lookup; an empty function removes it. Meant to be called once by the UI thread
// before workers run; safe at any time.
void SetTranslationLookup(TTranslationLookup lookup);

// The text as it is shown: translated if a lookup is set and knows it, the scope key removed
// ("Scope##  Text" -> "Text"; or the first nine characters if the ninth is '#'), every "<BR>"
// turned into a line break ("\n"), leading and trailing blanks and control characters cut.
std::string LoadTranslatedText(const std::string& text);
