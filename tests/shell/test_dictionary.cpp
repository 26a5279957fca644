// Every stored message in the sources ("Scope##  native text") must be in the dictionary of
// each language, with a translation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

std::string XmlUnescape(std::string text) {
    text = ReplaceAll(text, "&quot;", "\"");
    text = ReplaceAll(text, "&apos;", "'");
    text = ReplaceAll(text, "&lt;", "<");
    text = ReplaceAll(text, "&gt;", ">");
    return ReplaceAll(text, "&amp;", "&");
}

using TMessage = std::pair<std::string, std::string>;  // scope, native text

// The stored messages of all C++ sources under src/ (scope keys name Zelmar windows).
std::set<TMessage> MessagesInSources() {
    // Adjacent string literals form one message.
    const std::regex joinLiterals("\"\\s*\\n\\s*\"");
    const std::regex stored("\"(Zelmar[A-Za-z_]*)##  ((?:[^\"\\\\]|\\\\.)*)\"");
    std::set<TMessage> messages;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(ZELMAR_SOURCE_DIR) / "src")) {
        const auto extension = entry.path().extension();
        if (extension != ".cpp" && extension != ".h") continue;
        const std::string code = std::regex_replace(ReadFile(entry.path()), joinLiterals, "");
        for (std::sregex_iterator it(code.begin(), code.end(), stored), end; it != end; ++it)
            messages.insert({(*it)[1], ReplaceAll((*it)[2], "\\\"", "\"")});
    }
    return messages;
}

// scope, source -> translation of one dictionary file.
std::map<TMessage, std::string> Dictionary(const std::string& language) {
    const std::string ts =
        ReadFile(fs::path(ZELMAR_SOURCE_DIR) / "translations" / ("zelmar_" + language + ".ts"));
    // Contexts are cut out by plain searching: a regular expression spanning a whole context
    // recurses once per character in libstdc++ and overflows the stack on large ones.
    const std::regex message(
        "<source>([^<]*)</source>\\s*(?:<comment>[^<]*</comment>\\s*)?"
        "<translation[^>]*>([^<]*)</translation>");
    std::map<TMessage, std::string> entries;
    for (size_t start = ts.find("<context>"); start != std::string::npos;
         start = ts.find("<context>", start + 1)) {
        const size_t nameStart = ts.find("<name>", start) + 6;
        const size_t nameEnd = ts.find("</name>", nameStart);
        const size_t end = ts.find("</context>", nameEnd);
        if (nameEnd == std::string::npos || end == std::string::npos) break;
        const std::string name = ts.substr(nameStart, nameEnd - nameStart);
        for (size_t m = ts.find("<message>", nameEnd); m != std::string::npos && m < end;
             m = ts.find("<message>", m + 1)) {
            const std::string one = ts.substr(m, ts.find("</message>", m) - m);
            std::smatch found;
            if (std::regex_search(one, found, message))
                entries[{name, XmlUnescape(found[1])}] = XmlUnescape(found[2]);
        }
    }
    return entries;
}

}  // namespace

TEST(Dictionary, EveryStoredMessageIsTranslatedIntoEachLanguage) {
    const auto messages = MessagesInSources();
    ASSERT_FALSE(messages.empty());
    for (const std::string language : {"de", "en", "fr"}) {
        const auto dictionary = Dictionary(language);
        for (const auto& message : messages) {
            const auto found = dictionary.find(message);
            ASSERT_NE(found, dictionary.end())
                << language << ": missing " << message.first << "##  " << message.second;
            EXPECT_FALSE(found->second.empty())
                << language << ": empty translation of " << message.second;
            // A placeholder must survive translation.
            EXPECT_EQ(message.second.find("%s") != std::string::npos,
                      found->second.find("%s") != std::string::npos)
                << language << ": " << message.second;
        }
    }
}

TEST(Dictionary, AllLanguagesHoldTheSameMessages) {
    const auto german = Dictionary("de");
    for (const std::string language : {"en", "fr"}) {
        const auto other = Dictionary(language);
        ASSERT_EQ(other.size(), german.size()) << language;
        for (const auto& entry : german)
            EXPECT_EQ(other.count(entry.first), 1u) << entry.first.second;
    }
}
