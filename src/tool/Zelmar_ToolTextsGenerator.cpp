// Build step: the ZelmarTool context of the program's dictionaries as a C++ table, so that the
// command line speaks the same translations as the program without Qt at run time.
// Usage: zelmar_tool_texts_gen OUT.cpp LANG=FILE.ts ...
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
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

// A C string literal of the bytes; octal escapes keep UTF-8 intact whatever follows.
std::string Literal(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            out += octal;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Between(const std::string& text, std::size_t from, const std::string& open,
                    const std::string& close, std::size_t limit) {
    const std::size_t start = text.find(open, from);
    if (start == std::string::npos || start > limit) return std::string();
    const std::size_t begin = text.find('>', start) + 1;
    const std::size_t end = text.find(close, begin);
    return end == std::string::npos ? std::string() : text.substr(begin, end - begin);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: zelmar_tool_texts_gen OUT.cpp LANG=FILE.ts ...\n";
        return 2;
    }
    std::ostringstream out;
    out << "// Generated from the dictionaries' ZelmarTool context; do not edit.\n"
           "#include \"Zelmar_ToolTexts.h\"\n\n"
           "const TZelmarToolDictionaryEntry kZelmarToolDictionary[] = {\n";
    int entries = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos) return 2;
        const std::string language = arg.substr(0, equals);
        std::ifstream in(arg.substr(equals + 1), std::ios::binary);
        const std::string ts((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
        if (ts.empty()) {
            std::cerr << "cannot read " << arg.substr(equals + 1) << "\n";
            return 1;
        }
        const std::size_t context = ts.find("<name>ZelmarTool</name>");
        if (context == std::string::npos) continue;
        const std::size_t end = ts.find("</context>", context);
        for (std::size_t m = ts.find("<message>", context); m < end;
             m = ts.find("<message>", m + 1)) {
            const std::size_t messageEnd = ts.find("</message>", m);
            const std::string source = Between(ts, m, "<source>", "</source>", messageEnd);
            const std::string translation =
                Between(ts, m, "<translation", "</translation>", messageEnd);
            if (source.empty() || translation.empty()) continue;
            out << "    {" << Literal(language) << ", " << Literal(XmlUnescape(source)) << ", "
                << Literal(XmlUnescape(translation)) << "},\n";
            ++entries;
        }
    }
    out << "    {nullptr, nullptr, nullptr}};\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    return file && entries > 0 ? 0 : 1;
}
