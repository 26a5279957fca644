#include "vesk_SDRecord.h"

#include <cstring>

namespace vesk {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimRightBlanks(std::string_view s) {
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool IsMolBlockEnd(std::string_view line) {
    return StartsWith(line, "M  END") && IsBlankLine(TrimRightBlanks(line.substr(6)));
}

// A counts line carrying its version stamp; unstamped (old) counts lines are only trusted in
// their regular place.
bool IsStampedCountsLine(std::string_view line) {
    line = TrimRightBlanks(line);
    if (line.size() < 5) return false;
    std::string_view stamp = line.substr(line.size() - 5);
    return stamp == "V2000" || stamp == "V3000";
}

// Where the molecule block starts and ends among a record's lines.
struct MolBlockScan {
    std::size_t start = 0;                      // first line of the block
    std::size_t end = std::string_view::npos;   // the "M  END" line
    std::size_t stop = std::string_view::npos;  // the line that ended the search otherwise
};

// Some writers put blank lines before a record; the header then is shifted and the counts line
// is not the fourth line. The extra blank lines are recognised only when the shifted counts line
// carries its version stamp, so a legitimately blank name line is never dropped.
MolBlockScan ScanMolBlock(const std::vector<std::string_view>& lines) {
    MolBlockScan scan;
    if (lines.size() > 3 && !IsStampedCountsLine(lines[3])) {
        std::size_t blanks = 0;
        while (blanks < lines.size() && IsBlankLine(lines[blanks])) ++blanks;
        for (std::size_t s = 1; s <= blanks && s + 3 < lines.size(); ++s) {
            if (IsStampedCountsLine(lines[s + 3])) {
                scan.start = s;
                break;
            }
        }
    }
    // The block's own lines after the counts line never start with '>' or "$$$$", so meeting
    // one means "M  END" is missing.
    for (std::size_t i = scan.start + 4; i < lines.size(); ++i) {
        if (IsMolBlockEnd(lines[i])) {
            scan.end = i;
            return scan;
        }
        if (!lines[i].empty() && lines[i][0] == '>') {
            scan.stop = i;
            return scan;
        }
        if (IsRecordSeparator(lines[i])) {
            scan.stop = i;
            return scan;
        }
    }
    return scan;
}

void AppendLines(std::string& out, const std::vector<std::string_view>& lines, std::size_t from,
                 std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        out.append(lines[i].data(), lines[i].size());
        out.push_back('\n');
    }
}

}  // namespace

bool LineCursor::Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const char* begin = text_.data() + pos_;
    std::size_t rest = text_.size() - pos_;
    const void* nl = std::memchr(begin, '\n', rest);
    std::size_t len = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - begin) : rest;
    pos_ += nl ? len + 1 : len;
    line = TrimLineEnd(std::string_view(begin, len));
    return true;
}

std::string_view TrimLineEnd(std::string_view line) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool IsBlankLine(std::string_view line) {
    for (char c : line) {
        if (!IsBlank(c)) return false;
    }
    return true;
}

bool IsRecordSeparator(std::string_view line) {
    if (!StartsWith(line, "$$$$")) return false;
    for (std::size_t i = 4; i < line.size(); ++i) {
        if (!IsBlank(line[i]) && line[i] != '\r') return false;
    }
    return true;
}

std::string_view DataHeaderName(std::string_view line) {
    std::size_t lt = line.find('<', 1);
    if (lt != std::string_view::npos) {
        std::size_t gt = line.find('>', lt + 1);
        if (gt != std::string_view::npos) return line.substr(lt + 1, gt - lt - 1);
        return TrimRightBlanks(line.substr(lt + 1));
    }
    std::size_t p = 1;
    while (p < line.size() && IsBlank(line[p])) ++p;
    std::size_t q = p;
    while (q < line.size() && !IsBlank(line[q])) ++q;
    return line.substr(p, q - p);
}

bool SplitSDRecord(std::string_view text, SDRecord& record, std::string& error) {
    record.molBlock.clear();
    record.items.clear();

    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line) && !IsRecordSeparator(line)) lines.push_back(line);

    MolBlockScan scan = ScanMolBlock(lines);
    if (scan.end == std::string_view::npos) {
        if (lines.size() < scan.start + 4) {
            error = "the record has only " + std::to_string(lines.size()) +
                    " lines, too few for a molecule block";
        } else if (scan.stop != std::string_view::npos) {
            error = "the molecule block has no \"M  END\" line before line " +
                    std::to_string(scan.stop + 1) + " of the record";
        } else {
            error = "the molecule block has no \"M  END\" line";
        }
        return false;
    }

    std::size_t blockSize = 0;
    for (std::size_t i = scan.start; i <= scan.end; ++i) blockSize += lines[i].size() + 1;
    record.molBlock.reserve(blockSize);
    AppendLines(record.molBlock, lines, scan.start, scan.end + 1);

    // A value runs to the next blank line; lines that follow it without a new header belong to
    // no item.
    std::size_t i = scan.end + 1;
    while (i < lines.size()) {
        if (lines[i].empty() || lines[i][0] != '>') {
            ++i;
            continue;
        }
        SDItem& item = record.items.emplace_back();
        item.name = DataHeaderName(lines[i]);
        ++i;
        while (i < lines.size() && !IsBlankLine(lines[i])) item.lines.push_back(lines[i++]);
    }
    return true;
}

const char* const kEmptyMolBlock =
    "\n  -ISIS-  07200413512D\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n";

bool MolBlockForWriting(std::string_view molText, std::string& block, std::string& error) {
    std::vector<std::string_view> lines;
    LineCursor cursor(molText);
    std::string_view line;
    while (cursor.Next(line)) lines.push_back(line);

    MolBlockScan scan = ScanMolBlock(lines);
    block.clear();
    if (scan.end != std::string_view::npos) {
        // The header lines come before the search for "M  END"; a "$$$$" there would still
        // split the record.
        for (std::size_t i = scan.start; i < scan.end; ++i) {
            if (IsRecordSeparator(lines[i])) {
                error = "line " + std::to_string(i + 1) +
                        " of the molecule text is \"$$$$\", which would end the record";
                return false;
            }
        }
        AppendLines(block, lines, scan.start, scan.end + 1);
        return true;
    }

    // No "M  END": keep the text (without trailing blank lines) and close the block, so the
    // record stays readable. Lines that would end the block or the record make that impossible.
    std::size_t to = lines.size();
    while (to > scan.start && IsBlankLine(lines[to - 1])) --to;
    for (std::size_t i = scan.start; i < to; ++i) {
        if (IsRecordSeparator(lines[i])) {
            error = "line " + std::to_string(i + 1) +
                    " of the molecule text is \"$$$$\", which would end the record";
            return false;
        }
        if (i >= scan.start + 4 && !lines[i].empty() && lines[i][0] == '>') {
            error = "the molecule text has no \"M  END\" line and its line " +
                    std::to_string(i + 1) + " would read back as a data item";
            return false;
        }
    }
    if (to < scan.start + 4) {
        // Too short for a header and a counts line: the closed block would not read back.
        error = "the molecule text has no \"M  END\" line and only " +
                std::to_string(to - scan.start) + " lines, too few for a molecule block";
        return false;
    }
    AppendLines(block, lines, scan.start, to);
    block += "M  END\n";
    return true;
}

bool AppendSDRecord(std::string& out, std::string_view molBlock,
                    const std::vector<const SDDataItem*>& items, std::string& error) {
    std::size_t size = molBlock.size() + 6;
    for (const SDDataItem* item : items) {
        if (item->name.find_first_of(">\r\n") != std::string::npos) {
            error = "the item name \"" + item->name +
                    "\" holds '>' or a line break and cannot be written";
            return false;
        }
        size += item->name.size() + 6;
        for (const std::string& valueLine : item->lines) {
            if (IsRecordSeparator(valueLine)) {
                error = "a value line of item \"" + item->name +
                        R"(" is "$$$$", which would end the record)";
                return false;
            }
            size += valueLine.size() + 1;
        }
    }

    out.reserve(out.size() + size);
    out.append(molBlock.data(), molBlock.size());
    for (const SDDataItem* item : items) {
        out += "> <";
        out += item->name;
        out += ">\n";
        for (const std::string& valueLine : item->lines) {
            std::string_view v = TrimLineEnd(valueLine);
            if (IsBlankLine(v)) continue;
            out.append(v.data(), v.size());
            out.push_back('\n');
        }
        out.push_back('\n');
    }
    out += "$$$$\n";
    return true;
}

}  // namespace vesk
