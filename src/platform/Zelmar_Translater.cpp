#include "Zelmar_Translater.h"

#include <memory>
#include <mutex>
#include <utility>

#include "vesk_Guard.h"

namespace {

std::mutex LookupMutex;
std::shared_ptr<const TTranslationLookup> CurrentLookup;

std::shared_ptr<const TTranslationLookup> Lookup() {
    std::lock_guard<std::mutex> lock(LookupMutex);
    return CurrentLookup;
}

// Position of the "##" that ends a scope key: one that comes before the first blank.
std::string::size_type ScopeKeyEnd(const std::string& text) {
    const std::string::size_type marks = text.find("##");
    if (marks == std::string::npos) return marks;
    const std::string::size_type blank = text.find(' ');
    return blank == std::string::npos || marks < blank ? marks : std::string::npos;
}

// The nine-character form ("12345678#") is a stored key only; a translation whose ninth
// character happens to be '#' must stay whole.
std::string RemoveScopeKey(const std::string& text, bool storedText) {
    const std::string::size_type marks = ScopeKeyEnd(text);
    if (marks != std::string::npos) return text.substr(marks + 2);
    if (storedText && text.size() >= 9 && text[8] == '#') return text.substr(9);
    return text;
}

void ReplaceLineBreaks(std::string& text) {
    static const std::string tag = "<BR>";
    std::string::size_type pos = 0;
    while ((pos = text.find(tag, pos)) != std::string::npos) {
        text.replace(pos, tag.size(), "\n");
        pos += 1;
    }
}

// Blanks and control characters: every byte up to ' ' (bytes of UTF-8 sequences are above).
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Trim(const std::string& text) {
    std::string::size_type first = 0;
    std::string::size_type last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string Translate(const TTranslationLookup& lookup, const std::string& text) {
    std::string scope;
    std::string native = text;
    const std::string::size_type marks = ScopeKeyEnd(text);
    if (marks != std::string::npos) {
        scope = text.substr(0, marks);
        const std::string::size_type start = text.find_first_not_of(' ', marks + 2);
        native = start == std::string::npos ? std::string() : text.substr(start);
    }
    return lookup(scope, native);
}

}  // namespace

void SetTranslationLookup(TTranslationLookup lookup) {
    auto shared = lookup ? std::make_shared<const TTranslationLookup>(std::move(lookup)) : nullptr;
    std::lock_guard<std::mutex> lock(LookupMutex);
    CurrentLookup = std::move(shared);
}

std::string LoadTranslatedText(const std::string& text) {
    return Guarded("LoadTranslatedText", std::string(), [&text] {
        std::string shown;
        if (const auto lookup = Lookup()) {
            // A failing dictionary must not cost the message: show it untranslated.
            shown = Guarded("LoadTranslatedText", std::string(),
                            [&] { return Translate(*lookup, text); });
        }
        shown = shown.empty() ? RemoveScopeKey(text, true) : RemoveScopeKey(shown, false);
        ReplaceLineBreaks(shown);
        return Trim(shown);
    });
}
