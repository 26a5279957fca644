#pragma once
// SD record text: splitting a record into its molecule block and data items, and the reverse
// (one record's text for writing). No RDKit here: the scanner, the fuzzer and the speed-critical
// reading path use it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Lines end at LF; any CRs before the LF (or before the end of the text) are not part of the
// line. Reading and writing use this one rule so that written files read back unchanged.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}
    // Next line without its line end; false at the end of the text.
    bool Next(std::string_view& line);
    // Offset of the byte after the last line returned.
    std::size_t Position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string_view TrimLineEnd(std::string_view line);  // drops trailing CRs

// Empty or only blanks (space, tab).
bool IsBlankLine(std::string_view line);

// "$$$$" followed by nothing but blanks or CRs. Works on lines with or without their CRs.
bool IsRecordSeparator(std::string_view line);

// The name a data header line (first byte '>') declares: the text between the first '<' and
// the next '>'; the rest of the line (trailing blanks dropped) when the '>' is missing; the
// first word when there is no '<' at all ("> DT12").
std::string_view DataHeaderName(std::string_view headerLine);

// False, with the line named in `error`, when the text holds a NUL byte: such a text would be cut
// short at the C boundary.
bool CheckNoNulByte(std::string_view text, std::string& error);

struct SDItem {
    std::string_view name;
    std::vector<std::string_view> lines;
};

struct SDRecord {
    std::string molBlock;  // LF line ends, ends with "M  END" and LF
    std::vector<SDItem> items;
};

// Splits one record. `text` starts at the record's first byte; reading stops at the first
// "$$$$" line or the end of the text. A value runs up to the next empty line. The items' views
// point into `text`. On failure `error` says why the molecule block could not be separated, or
// that the text holds a NUL byte.
bool SplitSDRecord(std::string_view text, SDRecord& record, std::string& error);

// The molecule block as the writer puts it into a file (LF line ends, nothing after "M  END",
// "M  END" added when missing). Fails when the text holds a line that would end the block or the
// record early when read back.
bool MolBlockForWriting(std::string_view molText, std::string& block, std::string& error);

// The empty molecule block written for a record without a molecule.
extern const char* const kEmptyMolBlock;

// A data item as the library holds it between reading and writing.
struct SDDataItem {
    std::string name;
    std::vector<std::string> lines;
};

// How an edited record is written. With the record's text as it was read (`original`), its
// line ends are used, items keep their header lines (the n-th item of a name takes the header
// of the n-th item of that name there), items whose value lines did not change are copied byte
// for byte, and with keepOriginalMolecule the molecule part (everything before the first item)
// is copied too. Without an original, `crlf` chooses the line ends and headers are "> <NAME>".
struct SDWriteStyle {
    std::string_view original;
    bool keepOriginalMolecule = false;
    bool crlf = false;
};

// Appends one complete record (molecule block, items, "$$$$") to `out`; `molBlock` must come
// from MolBlockForWriting. Empty value lines are left out (they would end the value); lines of
// blanks stay. Fails, leaving `out` unchanged, when an item could not be read back as given.
bool AppendSDRecord(std::string& out, std::string_view molBlock,
                    const std::vector<const SDDataItem*>& items, std::string& error,
                    const SDWriteStyle& style = SDWriteStyle());

// Whether the text's first line ends with CR LF.
bool UsesCrLf(std::string_view text);

// Appends a record's text as it was read, byte for byte; a text that does not end with a "$$$$"
// line (the last record of a file without one) gets one, with the text's own line ends. The
// result tells whether the text ended without a line end: the next record then needs one first.
bool AppendRecordText(std::string& out, std::string_view text);

}  // namespace vesk
