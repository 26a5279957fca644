/*
 * veskChemRoutines: molecule handles, SD file reading and writing, formula and mass.
 *
 * Plain C interface of libveskChemRoutines.so. The program loads the library at run time and
 * looks each export up by name; this header is for the library's own tests and for anyone
 * writing a replacement that keeps the same calling contract.
 *
 * Common rules
 * - Every export returns int32_t: a non-zero low byte means success, 0 means failure. Callers
 *   test the low byte only.
 * - The last two arguments are ErrBuf and ErrBufSize. On failure the library writes a
 *   zero-terminated English message into ErrBuf; on success it writes an empty text. Nothing is
 *   ever written past ErrBufSize bytes; a NULL ErrBuf or a size <= 0 is allowed (no message).
 * - Handles are opaque uintptr_t values, never 0 for a live object. A handle that was never
 *   issued, is already destroyed, or belongs to another kind (a list handle passed as a molecule
 *   handle) makes the call fail with a message; it never crashes.
 * - Out arguments are pointers to the caller's variables and must not be NULL. On failure an out
 *   handle is set to 0, an out text pointer to NULL.
 * - Texts are bytes, zero-terminated; the library neither checks nor converts encodings. A text
 *   therefore ends at its first NUL byte.
 * - Text out-buffers (formula, item name, value line): when the text and its terminating zero do
 *   not fit, the call FAILS, and the buffer holds the start of the text, cut before the last
 *   UTF-8 character that would not fit completely, zero-terminated. Nothing is written past the
 *   given size. A caller must not mistake such a cut text for the whole value.
 * - No C++ exception leaves the library.
 *
 * Threads
 * - Every export may be called from any thread. Calls on the same handle are serialised inside
 *   the library; calls on different handles run in parallel. A file opened on one thread may be
 *   read by index from any other. Destroying a handle while another thread still uses it is
 *   safe: the object lives until that call returns, and later calls fail.
 * - The progress callback of OpenSDFileRA3 runs on the calling thread, with no library lock
 *   held.
 *
 * Line ends and record layout
 * - Reading accepts LF and CR LF line ends (also mixed). Record boundaries are lines that are
 *   exactly "$$$$", trailing blanks and CR allowed. A stretch of blank lines between two
 *   boundaries is not a record; a last record without "$$$$" is.
 * - A record's molecule block runs up to and including its "M  END" line (V2000 and V3000); the
 *   block handed out keeps every byte as read except that line ends become LF, and it always
 *   ends with "M  END" and LF. Blank lines that a broken writer put before a record (so that
 *   the counts line is not the fourth line) are left out.
 * - Data items follow: a header line starting with '>', then value lines up to the next empty
 *   line or the end of the record; a line of blanks is part of the value. Header forms: "> <NAME>",
 *   ">  <NAME>  (12)", "> 25 <NAME>", "> <NAME> $type=real" (the name is the text between the
 *   first '<' and the next '>', or the rest of the line when '>' is missing) and "> DT12" (no
 *   angle brackets: the first word is the name). Names and value lines keep their bytes; only
 *   a final CR is removed. Lines after the molecule block or after a value's blank line that do
 *   not start a new item belong to no item and are skipped.
 * - A record whose text holds a NUL byte cannot be handed out as zero-terminated texts: reading
 *   it into handles fails with a message naming the line; its bytes can still be read whole
 *   (GetSDFileEntryTextRA) and written back (AddSDFileEntryText).
 * - A file opened for reading by index keeps a fingerprint of its bytes. While the file keeps
 *   the size and modification time it had when it was scanned its records are read as they are;
 *   after any change a record is read only if its bytes are still the scanned ones (a touched
 *   file, or one with records appended, still reads; one rewritten or cut short fails).
 * - Writing composes records with LF line ends unless told otherwise (AddSDFileEntryEx); a
 *   record's text as read is written byte for byte (AddSDFileEntryText).
 * - The output file never replaces its target half written: records go into a new file beside
 *   the target, which takes the target's place in one rename when DestroySDFileProducer has
 *   flushed it to disk. Until then, and after any failure or AbortSDFileProducer, the target
 *   is untouched and no new file is left behind.
 */
#ifndef VESKCHEMROUTINES_H
#define VESKCHEMROUTINES_H

#include <stdint.h> /* NOLINT(modernize-deprecated-headers): a C header */

#if defined(VESK_ROUTINES_BUILDING)
#define VESK_ROUTINES_API __attribute__((visibility("default")))
#else
#define VESK_ROUTINES_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Called by OpenSDFileRA3 while it scans the file: Progress is a whole per cent (0..100),
 * reported only when it changes. Return non-zero to go on, 0 to cancel the scan. */
typedef int32_t (*TveskProgressCallback)(int32_t Progress, void* UserData); /* NOLINT */

/* OpenMolString flags (combine with |). */
#define VESK_MOL_DEFAULT 0   /* keep the text, parse it when a formula or mass is asked for */
#define VESK_MOL_PARSE_NOW 1 /* parse at once; fail when the atoms cannot be read */
#define VESK_MOL_SANITIZE                                              \
    2 /* formula and mass from RDKit's own reader with full sanitizing \
         (slow; for cross-checks). Unsanitizable blocks fall back to   \
         the unsanitized molecule as usual. */

/* CreateSDFileDataEntry: NameLength -1 means Name is zero-terminated. */
#define VESK_ZERO_TERMINATED (-1)

/* AddSDFileEntry, AddSDFileEntryEx: WriteMolecule. */
#define VESK_WRITE_EMPTY_MOLECULE 0 /* write the empty molecule block, whatever MolHandle is */
#define VESK_WRITE_MOLECULE 1       /* write MolHandle's block (the empty block for handle 0) */
#define VESK_WRITE_ORIGINAL_MOLECULE                                                 \
    2 /* AddSDFileEntryEx only: copy the original record's molecule part (everything \
         before its first data item) byte for byte */

/* AddSDFileEntryEx: LineEnds of a record written without an original text. */
#define VESK_LINE_ENDS_LF 0
#define VESK_LINE_ENDS_CRLF 1

/* ---- Molecules ------------------------------------------------------------------------ */

/* Opens a molecule from molfile text (V2000 or V3000 block). The handle keeps the text byte for
 * byte. With VESK_MOL_DEFAULT nothing is parsed here, so any non-blank text opens; an empty or
 * all-blank text fails. Reserved must be 0. Release the handle with DestroyMolFile. */
VESK_ROUTINES_API int32_t OpenMolString(uintptr_t* MolHandle, const char* MolText, int32_t Flags,
                                        int32_t Reserved, char* ErrBuf, int32_t ErrBufSize);

/* Releases a molecule handle. */
VESK_ROUTINES_API int32_t DestroyMolFile(uintptr_t MolHandle, char* ErrBuf, int32_t ErrBufSize);

/* Molecular formula in Hill order (C, then H, then the other elements alphabetically; without
 * carbon all alphabetically), counting implicit and explicit hydrogens; isotopes count as their
 * element (D and T as H). A net charge follows the formula: "+", "-", "+2", "-3". A molecule
 * without atoms gives an empty formula (success). Fails when the atoms cannot be read. The
 * molecule is parsed on the first chemical request and at most once per handle. */
VESK_ROUTINES_API int32_t GetMolFileFormula(uintptr_t MolHandle, char* Formula, int32_t FormulaSize,
                                            char* ErrBuf, int32_t ErrBufSize);

/* As GetMolFileFormula, but one formula per connected fragment in the order of their first
 * atoms, with Separator between them (NULL counts as ""). Each fragment formula carries its
 * own charge. */
VESK_ROUTINES_API int32_t GetMolFileFormulaEx(uintptr_t MolHandle, const char* Separator,
                                              char* Formula, int32_t FormulaSize, char* ErrBuf,
                                              int32_t ErrBufSize);

/* The molecule as canonical SMILES with stereo chemistry (RDKit's, of the sanitized molecule;
 * of the molecule as read when it cannot be sanitized). A molecule without atoms gives an empty
 * text (success). Fails when the atoms cannot be read or the text does not fit; then Smiles is
 * empty, never a cut SMILES (which would be another molecule). */
VESK_ROUTINES_API int32_t GetMolFileSmiles(uintptr_t MolHandle, char* Smiles, int32_t SmilesSize,
                                           char* ErrBuf, int32_t ErrBufSize);

/* The molecule's standard InChI ("InChI=1S/..."), made by the IUPAC InChI library from the
 * molecule text as given (V2000 or V3000), as the InChI program makes it from the same molfile.
 * A molecule without atoms gives an empty text (success). Fails with the reason when the text
 * cannot be read, the InChI library refuses the molecule (its message; its warnings are no
 * failure) or the text does not fit; then Inchi is empty, never a cut InChI. */
VESK_ROUTINES_API int32_t GetMolFileInchi(uintptr_t MolHandle, char* Inchi, int32_t InchiSize,
                                          char* ErrBuf, int32_t ErrBufSize);

/* The standard InChIKey of that InChI (27 characters, "XXXXXXXXXXXXXX-YYYYYYYYFV-P"); empty
 * for a molecule without atoms. Fails as GetMolFileInchi does. */
VESK_ROUTINES_API int32_t GetMolFileInchiKey(uintptr_t MolHandle, char* InchiKey,
                                             int32_t InchiKeySize, char* ErrBuf,
                                             int32_t ErrBufSize);

/* Average molecular weight (g/mol, IUPAC atomic weights; labelled isotopes use their isotope
 * mass) including hydrogens. A molecule without atoms gives 0 (success). */
VESK_ROUTINES_API int32_t GetMolFileMass(uintptr_t MolHandle, double* Mass, char* ErrBuf,
                                         int32_t ErrBufSize);

/* The handle's molecule text: for OpenMolString the text as given, for a record read from a
 * file its molecule block. *MolText receives a zero-terminated copy allocated with malloc; the
 * caller releases it with free. */
VESK_ROUTINES_API int32_t GetMolFileOrgString(uintptr_t MolHandle, char** MolText, char* ErrBuf,
                                              int32_t ErrBufSize);

/* ---- Data items and item lists --------------------------------------------------------- */

/* A new empty list of data items. Release it with DestroySDFileDataEntryList. */
VESK_ROUTINES_API int32_t CreateEmptySDFileDataEntryList(uintptr_t* DataEntryList, char* ErrBuf,
                                                         int32_t ErrBufSize);

/* Releases a list and the items it holds (item handles obtained from it stay valid). */
VESK_ROUTINES_API int32_t DestroySDFileDataEntryList(uintptr_t DataEntryList, char* ErrBuf,
                                                     int32_t ErrBufSize);

/* A new data item with that name and no value lines. NameLength is VESK_ZERO_TERMINATED or
 * the name's length in bytes. Release it with DestroySDFileDataEntry. */
VESK_ROUTINES_API int32_t CreateSDFileDataEntry(uintptr_t* DataEntry, const char* Name,
                                                int32_t NameLength, char* ErrBuf,
                                                int32_t ErrBufSize);

/* Appends one value line (without line end) to the item. A text holding line breaks is
 * appended as several lines; CRs at the end of a line are dropped, as reading does. */
VESK_ROUTINES_API int32_t AddSDFileDataLine(uintptr_t DataEntry, const char* Line, char* ErrBuf,
                                            int32_t ErrBufSize);

/* Appends a copy of the item to the list; the caller still owns (and destroys) DataEntry, and
 * later changes to it do not reach the list. */
VESK_ROUTINES_API int32_t AddSDFileDataEntry(uintptr_t DataEntryList, uintptr_t DataEntry,
                                             char* ErrBuf, int32_t ErrBufSize);

/* Releases an item handle. */
VESK_ROUTINES_API int32_t DestroySDFileDataEntry(uintptr_t DataEntry, char* ErrBuf,
                                                 int32_t ErrBufSize);

/* Number of items in the list. */
VESK_ROUTINES_API int32_t GetSDFileDataEntryCount(uintptr_t DataEntryList, int32_t* Count,
                                                  char* ErrBuf, int32_t ErrBufSize);

/* A new handle to the list's item at Index (from 0). Adding lines through it does not change
 * the list. Release it with DestroySDFileDataEntry. */
VESK_ROUTINES_API int32_t GetSDFileDataEntryNo(uintptr_t DataEntryList, uintptr_t* DataEntry,
                                               int32_t Index, char* ErrBuf, int32_t ErrBufSize);

/* The item's name into Name (NameSize bytes; see the buffer rule above). */
VESK_ROUTINES_API int32_t GetSDFileDataEntryName(uintptr_t DataEntry, char* Name, int32_t NameSize,
                                                 char* ErrBuf, int32_t ErrBufSize);

/* Number of value lines of the item. */
VESK_ROUTINES_API int32_t GetSDFileDataLineCount(uintptr_t DataEntry, int32_t* Count, char* ErrBuf,
                                                 int32_t ErrBufSize);

/* Value line Index (from 0) into Line (LineSize bytes; see the buffer rule above). */
VESK_ROUTINES_API int32_t GetSDFileDataLineNo(uintptr_t DataEntry, int32_t Index, char* Line,
                                              int32_t LineSize, char* ErrBuf, int32_t ErrBufSize);

/* ---- Reading SD files ------------------------------------------------------------------ */

/* Opens an SD file for sequential reading (SDFileEndReached, GetNextSDFileEntry). The file is
 * scanned once for its record boundaries here. A missing, unreadable or empty file, or one
 * without any record, fails. Release the handle with DestroySDFile. */
VESK_ROUTINES_API int32_t OpenSDFile(uintptr_t* FileHandle, const char* FileName, char* ErrBuf,
                                     int32_t ErrBufSize);

/* Opens an SD file for reading by index: scans it once, keeping only each record's start
 * offset, and calls Callback (may be NULL) with UserData and the whole per cent scanned each
 * time that value changes, from 0 to 100. Returning 0 from the callback cancels: the call fails
 * and no handle is made. Errors as for OpenSDFile. The handle also supports sequential reading.
 */
VESK_ROUTINES_API int32_t OpenSDFileRA3(uintptr_t* FileHandle, const char* FileName, void* UserData,
                                        TveskProgressCallback Callback, char* ErrBuf,
                                        int32_t ErrBufSize);

/* Number of records found by the scan. */
VESK_ROUTINES_API int32_t GetSDFileEntryCountRA(uintptr_t FileHandle, int32_t* Count, char* ErrBuf,
                                                int32_t ErrBufSize);

/* Reads record Index (from 0): *MolHandle receives a molecule handle holding the record's
 * molecule block (not parsed yet), *DataEntryList a list of its data items in file order; the
 * caller destroys both. Reserved must be 0. A record whose molecule block cannot be separated
 * (no "M  END" line) fails with a message naming the record; other records still read. Fails
 * too when the file changed on disk since it was scanned. */
VESK_ROUTINES_API int32_t GetSDFileEntryRA(uintptr_t FileHandle, int32_t Index,
                                           uintptr_t* MolHandle, int32_t Reserved,
                                           uintptr_t* DataEntryList, char* ErrBuf,
                                           int32_t ErrBufSize);

/* The bytes of record Index (from 0) exactly as the file holds them: from the record's first
 * byte up to the next record's first byte (so its "$$$$" line and any blank stretch after it
 * are included), or to the end of the file. *Text receives a malloc'ed copy with a zero byte
 * after its *Length bytes (the record itself may hold NUL bytes); the caller frees it. Fails
 * when the file changed on disk in a way that moved or altered the record's bytes. */
VESK_ROUTINES_API int32_t GetSDFileEntryTextRA(uintptr_t FileHandle, int32_t Index, char** Text,
                                               int32_t* Length, char* ErrBuf, int32_t ErrBufSize);

/* Splits one record's text (as GetSDFileEntryTextRA hands it out) like GetSDFileEntryRA:
 * *MolHandle receives its molecule block, *DataEntryList its data items; the caller destroys
 * both. Reserved must be 0. Fails for a text without a separable molecule block and for a text
 * holding a NUL byte. */
VESK_ROUTINES_API int32_t OpenSDFileEntryText(const char* Text, int32_t Length,
                                              uintptr_t* MolHandle, int32_t Reserved,
                                              uintptr_t* DataEntryList, char* ErrBuf,
                                              int32_t ErrBufSize);

/* ReadSDFileEntryRA: Flags. */
#define VESK_READ_FORMULA 1 /* also the formula and mass of the record's molecule */

/* Reads record Index (from 0) in one call, for readers that want everything at once: *Text
 * receives its bytes as GetSDFileEntryTextRA hands them out, *Packed the record taken apart as
 * OpenSDFileEntryText would (both malloc'ed, zero byte after their lengths; the caller frees
 * both). Fails only when the bytes cannot be read. The packed layout, integers int32_t and
 * the mass a double, both in the machine's byte order, a "text" being an int32_t length and
 * that many bytes:
 *   status: 1 = taken apart, 0 = not (a text with the reason follows, and nothing else)
 *   text: the molecule block, LF line ends
 *   formula status: 1 = computed, 0 = failed, -1 = not asked for
 *   text: the formula (as GetMolFileFormula), or why it failed, or empty
 *   double: the mass (as GetMolFileMass), 0 unless computed
 *   item count, then per item: text name, line count, the lines as texts */
VESK_ROUTINES_API int32_t ReadSDFileEntryRA(uintptr_t FileHandle, int32_t Index, int32_t Flags,
                                            char** Text, int32_t* TextLength, char** Packed,
                                            int32_t* PackedLength, char* ErrBuf,
                                            int32_t ErrBufSize);

/* *EndReached := 1 when sequential reading has passed the last record, else 0. */
VESK_ROUTINES_API int32_t SDFileEndReached(uintptr_t FileHandle, uint8_t* EndReached, char* ErrBuf,
                                           int32_t ErrBufSize);

/* Reads the next record sequentially, as GetSDFileEntryRA. A record that fails is still passed
 * (the next call reads the one after it); at the end the call fails. */
VESK_ROUTINES_API int32_t GetNextSDFileEntry(uintptr_t FileHandle, uintptr_t* MolHandle,
                                             int32_t Reserved, uintptr_t* DataEntryList,
                                             char* ErrBuf, int32_t ErrBufSize);

/* Sequential reading progress in per cent of the file's bytes (0..100). */
VESK_ROUTINES_API int32_t GetSDFileProgress(uintptr_t FileHandle, double* Progress, char* ErrBuf,
                                            int32_t ErrBufSize);

/* Closes the file and releases the handle. */
VESK_ROUTINES_API int32_t DestroySDFile(uintptr_t FileHandle, char* ErrBuf, int32_t ErrBufSize);

/* ---- Writing SD files ------------------------------------------------------------------ */

/* Starts an output file that will replace FileName (through a symbolic link, if FileName is
 * one) when DestroySDFileProducer completes it; FileName itself is not touched before that. An
 * existing FileName must be a writable regular file; its mode and, where allowed, its owner are
 * kept. Release the handle with DestroySDFileProducer (complete) or AbortSDFileProducer. */
VESK_ROUTINES_API int32_t CreateNewSDFile(uintptr_t* Producer, const char* FileName, char* ErrBuf,
                                          int32_t ErrBufSize);

/* Appends one record: the molecule block (see WriteMolecule; line ends become LF, anything after
 * its "M  END" line is left out, and a missing "M  END" line is added), then per item
 * "> <NAME>", its value lines and an empty line, then "$$$$". MolHandle 0 writes the empty
 * molecule block. DataEntryList may be 0 (no items). Reserved1 and Reserved2 must be 0.
 * Empty value lines are left out: SD values cannot hold them (an empty line ends the value);
 * lines of blanks are written. The record is refused, and nothing of it written, when it cannot
 * be read back as written: a "$$$$" line in the molecule block or a value, or an item name
 * holding '>' or a line break. Write errors (disk full) fail this call or DestroySDFileProducer;
 * their message names the record (counted from 1 in the output) whose bytes could not be
 * written. */
VESK_ROUTINES_API int32_t AddSDFileEntry(uintptr_t Producer, uintptr_t MolHandle,
                                         int32_t WriteMolecule, int32_t Reserved1,
                                         uintptr_t DataEntryList, int32_t Reserved2, char* ErrBuf,
                                         int32_t ErrBufSize);

/* As AddSDFileEntry, for a record that was read from a file and then changed. OrgText (OrgLength
 * bytes, may hold NUL bytes; NULL with 0 for none) is the record's text as it was read. With
 * it, the record is written with the original's line ends; an item keeps the header line of
 * the original item of the same name (the n-th item of a name pairs with the n-th there), and
 * an item whose value lines equal that original item's is copied byte for byte; with
 * VESK_WRITE_ORIGINAL_MOLECULE the original's molecule part is copied byte for byte. Without
 * it, LineEnds (VESK_LINE_ENDS_LF or VESK_LINE_ENDS_CRLF) chooses the line ends. */
VESK_ROUTINES_API int32_t AddSDFileEntryEx(uintptr_t Producer, uintptr_t MolHandle,
                                           int32_t WriteMolecule, uintptr_t DataEntryList,
                                           const char* OrgText, int32_t OrgLength, int32_t LineEnds,
                                           char* ErrBuf, int32_t ErrBufSize);

/* Appends a record's text exactly as it was read (Length bytes, NUL bytes allowed), as
 * GetSDFileEntryTextRA hands it out. A text that does not end with a "$$$$" line (the last
 * record of a file that lacked one) gets one, with the text's own line ends; a text ending
 * without a line end gets one only if another record follows. */
VESK_ROUTINES_API int32_t AddSDFileEntryText(uintptr_t Producer, const char* Text, int32_t Length,
                                             char* ErrBuf, int32_t ErrBufSize);

/* Flushes the records to disk, puts the new file in the target's place in one rename and
 * releases the handle. Fails, leaving the target untouched and removing the new file, when not
 * everything could be written (or an earlier write failed). */
VESK_ROUTINES_API int32_t DestroySDFileProducer(uintptr_t Producer, char* ErrBuf,
                                                int32_t ErrBufSize);

/* Drops the new file and releases the handle; the target stays as it was. */
VESK_ROUTINES_API int32_t AbortSDFileProducer(uintptr_t Producer, char* ErrBuf, int32_t ErrBufSize);

#ifdef __cplusplus
}
#endif

#endif /* VESKCHEMROUTINES_H */
