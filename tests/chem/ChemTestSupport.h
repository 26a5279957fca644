#pragma once
// Helpers of the binding tests: a temporary folder, small SD texts, a trace capture.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ZelmarMolfileBuilder.h"
#include "ZelmarTestTempDir.h"

#include "vesk_Trace.h"

namespace chemTest {

namespace fs = std::filesystem;

using TTempDir = TTestTempDir;

// A V2000 block of a chain of the given atoms.
inline std::string MolBlock(const std::string& title, const std::vector<std::string>& atoms) {
    return molfile_support::Chain(title, "  zelmar-test", atoms, 1.3).Text();
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

// Traces the given levels into a file of the folder; Lines() stops tracing and returns the
// lines that contain the text.
class TTraceCapture {
public:
    TTraceCapture(const TTempDir& dir, const std::string& levels) : Dir(dir) {
        Dir.Write("prog.ETC",
                  "[TRACE]\nTrace=1\nLevel=" + levels + "\nTraceFile=trace.log\nOutput=TEXT\n");
        TraceReadConfiguration(Dir.Path("module.so"), Dir.Path("prog"));
    }
    ~TTraceCapture() { TraceShutdown(); }
    std::vector<std::string> Lines(const std::string& containing) const {
        TraceShutdown();
        std::ifstream in(Dir.Path("trace.log"), std::ios::binary);
        std::vector<std::string> found;
        for (std::string line; std::getline(in, line);) {
            if (line.find(containing) != std::string::npos) found.push_back(line);
        }
        return found;
    }

private:
    const TTempDir& Dir;
};

}  // namespace chemTest
