#pragma once
// Helpers of the binding tests: temporary folders, small SD texts, a trace capture.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "vesk_Trace.h"

namespace chemTest {

namespace fs = std::filesystem;

class TTempDir {
public:
    TTempDir() {
        std::string pattern = (fs::temp_directory_path() / "zelmar_chem_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        Root = pattern;
    }
    ~TTempDir() {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    std::string Path(const std::string& name) const { return (Root / name).string(); }

private:
    fs::path Root;
};

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A V2000 block; atoms are element symbols placed on a line, bonds join neighbours.
inline std::string MolBlock(const std::string& title, const std::vector<std::string>& atoms) {
    std::ostringstream out;
    char line[128];
    out << title << "\n  zelmar-test\n\n";
    const int bonds = atoms.empty() ? 0 : static_cast<int>(atoms.size()) - 1;
    std::snprintf(line, sizeof line, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n",
                  static_cast<int>(atoms.size()), bonds);
    out << line;
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        std::snprintf(line, sizeof line,
                      "%10.4f%10.4f%10.4f %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n",
                      1.3 * static_cast<double>(i), 0.0, 0.0, atoms[i].c_str());
        out << line;
    }
    for (int b = 1; b <= bonds; ++b) {
        std::snprintf(line, sizeof line, "%3d%3d  1  0\n", b, b + 1);
        out << line;
    }
    out << "M  END\n";
    return out.str();
}

using TItems = std::vector<std::pair<std::string, std::vector<std::string>>>;

inline std::string Record(const std::string& mol, const TItems& items) {
    std::string text = mol;
    for (const auto& item : items) {
        text += "> <" + item.first + ">\n";
        for (const std::string& line : item.second) text += line + "\n";
        text += "\n";
    }
    return text + "$$$$\n";
}

// Switches tracing on for the given levels into a file of the folder; Lines() stops it and
// returns the message lines that contain the text.
class TTraceCapture {
public:
    TTraceCapture(const TTempDir& dir, const std::string& levels) : Dir(dir) {
        WriteFile(Dir.Path("prog.ETC"), "[TRACE]\nTrace=1\nLevel=" + levels +
                                             "\nTraceFile=trace.log\nOutput=TEXT\n");
        TraceReadConfiguration(Dir.Path("module.so"), Dir.Path("prog"));
    }
    ~TTraceCapture() { TraceShutdown(); }
    std::vector<std::string> Lines(const std::string& containing) {
        TraceShutdown();
        std::vector<std::string> found;
        std::istringstream in(ReadFile(Dir.Path("trace.log")));
        for (std::string line; std::getline(in, line);) {
            if (line.find(containing) != std::string::npos) found.push_back(line);
        }
        return found;
    }

private:
    const TTempDir& Dir;
};

// The shared real SD files, or empty when they are not there.
inline std::string CorpusDir() {
    const std::string dir = ZELMAR_SDF_CORPUS_DIR;
    return fs::is_directory(dir) ? dir : std::string();
}

}  // namespace chemTest
