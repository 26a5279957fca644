#include "vesk_SDRecord.h"

#include <algorithm>
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

bool CheckNoNulByte(std::string_view text, std::string& error) {
    const std::size_t nul = text.find('\0');
    if (nul == std::string_view::npos) return true;
    const std::size_t line =
        1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + nul, '\n'));
    error = "line " + std::to_string(line) +
            " of the record holds a NUL byte, which cannot be passed on as text";
    return false;
}

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
    if (!CheckNoNulByte(text, error)) return false;

    // A plain local table: this library is loaded and unloaded at run time, and thread-local
    // objects of an unloaded library break the leak checker's thread walk.
    std::vector<std::string_view> lines;
    lines.reserve(128);
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
        // Only an empty line ends a value: a line of blanks is part of it.
        while (i < lines.size() && !lines[i].empty()) item.lines.push_back(lines[i++]);
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

namespace {

// A record's text taken apart by position, for copying its untouched parts.
struct OriginalItem {
    std::string_view name;
    std::string_view header;  // without line end
    std::vector<std::string_view> lines;
    std::string_view text;        // header and value lines with their line ends
    std::string_view terminator;  // the empty line that ended the value, if any
};

struct OriginalLayout {
    std::string_view molSection;  // everything before the first item
    std::vector<OriginalItem> items;
};

bool ScanOriginal(std::string_view text, OriginalLayout& layout) {
    struct Line {
        std::string_view view;  // without line end
        std::size_t begin;
        std::size_t end;  // after the line end
    };
    std::vector<Line> lines;
    LineCursor cursor(text);
    std::string_view line;
    for (std::size_t begin = 0; cursor.Next(line); begin = cursor.Position()) {
        if (IsRecordSeparator(line)) break;
        lines.push_back({line, begin, cursor.Position()});
    }
    std::vector<std::string_view> views;
    views.reserve(lines.size());
    for (const Line& l : lines) views.push_back(l.view);
    const MolBlockScan scan = ScanMolBlock(views);
    if (scan.end == std::string_view::npos) return false;

    std::size_t i = scan.end + 1;
    while (i < lines.size() && (lines[i].view.empty() || lines[i].view[0] != '>')) ++i;
    const std::size_t molEnd = i < lines.size() ? lines[i].begin
                               : lines.empty()  ? 0
                                                : lines.back().end;
    layout.molSection = text.substr(0, molEnd);
    while (i < lines.size()) {
        if (lines[i].view.empty() || lines[i].view[0] != '>') {
            ++i;
            continue;
        }
        OriginalItem& item = layout.items.emplace_back();
        const std::size_t begin = lines[i].begin;
        item.header = lines[i].view;
        item.name = DataHeaderName(item.header);
        std::size_t end = lines[i].end;
        ++i;
        for (; i < lines.size() && !lines[i].view.empty(); ++i) {
            item.lines.push_back(lines[i].view);
            end = lines[i].end;
        }
        item.text = text.substr(begin, end - begin);
        if (i < lines.size())
            item.terminator = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    }
    return true;
}

// The n-th original item of that name, or nullptr.
const OriginalItem* FindOriginal(const OriginalLayout& layout, const std::string& name, int nth) {
    for (const OriginalItem& item : layout.items) {
        if (item.name == name && nth-- == 0) return &item;
    }
    return nullptr;
}

bool SameLines(const std::vector<std::string>& lines,
               const std::vector<std::string_view>& original) {
    if (lines.size() != original.size()) return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (TrimLineEnd(lines[i]) != original[i]) return false;
    }
    return true;
}

// Appends text whose line ends are LF with the chosen line ends instead.
void AppendWithLineEnds(std::string& out, std::string_view text, std::string_view lineEnd) {
    std::size_t start = 0;
    for (std::size_t nl = text.find('\n'); nl != std::string_view::npos;
         nl = text.find('\n', start)) {
        out.append(text.data() + start, nl - start);
        out.append(lineEnd.data(), lineEnd.size());
        start = nl + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

void AppendEndingLine(std::string& out, std::string_view text, std::string_view lineEnd) {
    out.append(text.data(), text.size());
    if (text.empty() || text.back() != '\n') out.append(lineEnd.data(), lineEnd.size());
}

bool CheckWritable(const SDDataItem& item, std::string& error) {
    if (item.name.find_first_of(">\r\n") != std::string::npos) {
        error =
            "the item name \"" + item.name + "\" holds '>' or a line break and cannot be written";
        return false;
    }
    for (const std::string& valueLine : item.lines) {
        if (IsRecordSeparator(valueLine)) {
            error = "a value line of item \"" + item.name +
                    R"(" is "$$$$", which would end the record)";
            return false;
        }
    }
    return true;
}

}  // namespace

bool UsesCrLf(std::string_view text) {
    const std::size_t nl = text.find('\n');
    return nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r';
}

bool AppendSDRecord(std::string& out, std::string_view molBlock,
                    const std::vector<const SDDataItem*>& items, std::string& error,
                    const SDWriteStyle& style) {
    for (const SDDataItem* item : items) {
        if (!CheckWritable(*item, error)) return false;
    }
    OriginalLayout original;
    const bool haveOriginal = !style.original.empty() && ScanOriginal(style.original, original);
    if (style.keepOriginalMolecule && !haveOriginal) {
        // Never an empty molecule in place of one that could not be found.
        error = "the molecule of the original record text could not be found";
        return false;
    }
    const bool crlf = style.original.empty() ? style.crlf : UsesCrLf(style.original);
    const std::string_view lineEnd = crlf ? "\r\n" : "\n";

    if (haveOriginal && style.keepOriginalMolecule)
        AppendEndingLine(out, original.molSection, lineEnd);
    else
        AppendWithLineEnds(out, molBlock, lineEnd);
    std::vector<std::pair<const std::string*, int>> seen;  // name, items of it so far
    for (const SDDataItem* item : items) {
        int nth = 0;
        for (auto& name : seen) {
            if (*name.first == item->name) nth = ++name.second;
        }
        if (nth == 0) seen.emplace_back(&item->name, 0);
        const OriginalItem* old = haveOriginal ? FindOriginal(original, item->name, nth) : nullptr;
        if (old != nullptr && SameLines(item->lines, old->lines)) {
            AppendEndingLine(out, old->text, lineEnd);
            out.append(old->terminator.empty() ? lineEnd : old->terminator);
            continue;
        }
        if (old != nullptr) {
            out.append(old->header.data(), old->header.size());
        } else {
            out += "> <";
            out += item->name;
            out += '>';
        }
        out.append(lineEnd.data(), lineEnd.size());
        for (const std::string& valueLine : item->lines) {
            std::string_view v = TrimLineEnd(valueLine);
            if (v.empty()) continue;
            out.append(v.data(), v.size());
            out.append(lineEnd.data(), lineEnd.size());
        }
        out.append(lineEnd.data(), lineEnd.size());
    }
    out += "$$$$";
    out.append(lineEnd.data(), lineEnd.size());
    return true;
}

bool AppendRecordText(std::string& out, std::string_view text) {
    out.append(text.data(), text.size());
    // The last line that is not blank decides whether the record is closed.
    bool closed = false;
    std::size_t end = text.size();
    while (end > 0) {
        std::size_t lineEnd = end;
        if (text[lineEnd - 1] == '\n') --lineEnd;
        const std::size_t nl =
            lineEnd == 0 ? std::string_view::npos : text.rfind('\n', lineEnd - 1);
        const std::size_t begin = nl == std::string_view::npos ? 0 : nl + 1;
        const std::string_view line = TrimLineEnd(text.substr(begin, lineEnd - begin));
        if (!IsBlankLine(line)) {
            closed = IsRecordSeparator(line);
            break;
        }
        end = begin;
    }
    const bool openLine = !text.empty() && text.back() != '\n';
    if (closed) return openLine;
    const std::string_view lineEnd = UsesCrLf(text) ? "\r\n" : "\n";
    if (openLine) out.append(lineEnd.data(), lineEnd.size());
    out += "$$$$";
    out.append(lineEnd.data(), lineEnd.size());
    return false;
}

}  // namespace vesk
