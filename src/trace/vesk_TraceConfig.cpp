// The trace unit's configuration: the INI file, where it is found, and what its keys mean.
#include <dlfcn.h>
#include <link.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_TraceSupport.h"
#include "vesk_TraceUnit.h"

namespace veskTraceImpl {

namespace {

namespace fs = std::filesystem;

const char* const kKeywords[] = {"",      "INFORMATION", "SUCCESS", "WARNING",
                                 "ERROR", "FATALERROR",  "DEBUG"};

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = AsciiUpper(c);
    return result;
}

}  // namespace

TLevelMask ParseLevels(std::string_view levels) {
    TLevelMask mask = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = levels.find(',', start);
        const std::string word = Upper(Trim(levels.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
        if (word == "NONE") return 0;
        if (word == "ALL") return kAllLevels;
        for (unsigned level = 1; level <= 6; ++level) {
            if (word == kKeywords[level]) mask |= 1u << level;
        }
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return mask;
}

bool ParseIniInteger(std::string_view text, long& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    long long result = 0;
    for (const char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        result = result * base + digit;
        if (result > static_cast<long long>(INT_MAX) + 1)
            return false;  // 32-bit, as INI integers are
    }
    if (negative) result = -result;
    if (result > INT_MAX || result < INT_MIN) return false;
    value = static_cast<long>(result);
    return true;
}

bool TIniSection::Load(const std::string& path, std::string_view section) {
    Keys.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string raw;
    bool first = true;
    bool inSection = false;
    bool seenSection = false;  // only the first section of that name counts, as on Windows
    while (std::getline(in, raw)) {
        std::string_view line = raw;
        if (first && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // UTF-8 BOM
        first = false;
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name = Trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            if (inSection) break;
            inSection = !seenSection && EqualsNoCase(name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        if (!key.empty()) Keys.emplace_back(std::string(key), std::string(value));
    }
    return true;
}

const std::string* TIniSection::Find(std::string_view key) const {
    for (const auto& entry : Keys) {
        if (EqualsNoCase(entry.first, key)) return &entry.second;
    }
    return nullptr;
}

bool TIniSection::Has(std::string_view key) const {
    return Find(key) != nullptr;
}

std::string TIniSection::ReadString(std::string_view key, const std::string& defaultValue) const {
    const std::string* value = Find(key);
    return value ? *value : defaultValue;
}

long TIniSection::ReadInteger(std::string_view key, long defaultValue) const {
    const std::string* text = Find(key);
    long value = 0;
    return (text && ParseIniInteger(*text, value)) ? value : defaultValue;
}

bool TIniSection::ReadBool(std::string_view key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

std::string FindConfigurationFile(const std::string& modulePath, const std::string& programPath) {
    std::vector<fs::path> candidates;
    for (const std::string* path : {&modulePath, &programPath}) {
        if (path->empty()) continue;
        fs::path etc(*path);
        etc.replace_extension(".ETC");
        candidates.push_back(etc);
    }
    for (const std::string* path : {&modulePath, &programPath}) {
        if (path->empty()) continue;
        candidates.push_back(fs::path(*path).parent_path() / "TRACE.INI");
    }
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return candidate.string();
    }
    return {};
}

std::string DefaultProgramPath() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::string DefaultModulePath() {
    Dl_info info{};
    link_map* map = nullptr;
    // Any address inside this binary will do; the link map tells a library (its path) from the
    // program itself (empty name; dladdr would give argv[0], which may be relative).
    if (::dladdr1(reinterpret_cast<void*>(&DefaultModulePath), &info,
                  reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) != 0 &&
        map != nullptr && map->l_name != nullptr && map->l_name[0] != '\0') {
        return map->l_name;
    }
    return DefaultProgramPath();
}

std::string ComDeviceName(int port) {
    return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace veskTraceImpl
