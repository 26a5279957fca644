#pragma once
// Helpers of the core tests: a temporary folder, small SD texts, and pumping the queue that
// stands for the UI thread.

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ZelmarMolfileBuilder.h"
#include "ZelmarTestTempDir.h"

#include "vesk_Dispatcher.h"

namespace testing_support {

using TTempDir = TTestTempDir;

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A V2000 molecule block, atoms in a chain, as the routines library hands blocks out.
inline std::string MolBlock(const std::string& title, const std::vector<std::string>& atoms) {
    molfile_support::TMolfile molfile = molfile_support::Chain(title, "  test", atoms, 1.5);
    molfile.LongBondLines = true;
    return molfile.Text();
}

using TItems = std::vector<std::pair<std::string, std::vector<std::string>>>;

// One SD record: the block, the data items, "$$$$".
inline std::string SDRecord(const std::string& molBlock, const TItems& items) {
    std::string text = molBlock;
    for (const auto& [name, lines] : items) {
        text += "> <" + name + ">\n";
        for (const auto& line : lines) text += line + "\n";
        text += "\n";
    }
    return text + "$$$$\n";
}

// Runs the posted calls until the condition holds; false after the time-out.
template <typename Condition>
bool PumpUntil(platform::TQueuedUiDispatcher& ui, Condition done,
               std::chrono::seconds timeout = std::chrono::seconds(120)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        ui.WaitAndProcess(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace testing_support
