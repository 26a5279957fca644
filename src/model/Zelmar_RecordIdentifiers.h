#pragma once
// The identifiers of records' molecules: canonical SMILES, standard InChI and InChIKey, as the
// identifier columns, copies and exports show them. Made by the routines library on up to two
// threads, each with its own routines manager, and kept with each record for its molecule text
// (TZelmarKeptStructureKeys): asking again for an unchanged molecule makes nothing anew, an
// edited molecule is made anew. Qt-free; the UI thread, like every operation on records.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Zelmar_Object_Fields.h"

class TZelmarSDFileData;

// (done, total) on the calling thread between parts; false stops.
using TZelmarIdentifierProgress = std::function<bool(std::size_t done, std::size_t total)>;

// values[k] for records[k] of an identifier kind: empty for a null record, a molecule without
// atoms, one that cannot be read and every one when the routines library cannot be loaded
// (then nothing is kept). The records must be loaded and stay unchanged meanwhile.
// False when stopped (the values incomplete, what was made is kept), for a kind that is no
// identifier, and on failure.
bool ZelmarRecordIdentifiers(const std::vector<TZelmarSDFileData*>& records, TZelmarFieldKind kind,
                             std::vector<std::string>& values,
                             const TZelmarIdentifierProgress& progress);

// Only what is kept: true with the value when the record's identifier of that kind is known
// for its molecule as it is now; false when it still has to be made.
bool ZelmarKeptIdentifier(const TZelmarSDFileData& record, TZelmarFieldKind kind,
                          std::string& value);

// The record's identifier, made now when it is not kept (one record, this thread).
std::string ZelmarRecordIdentifier(TZelmarSDFileData& record, TZelmarFieldKind kind);

// How many identifiers the routines library has been asked for so far, by every caller.
std::int64_t ZelmarIdentifiersMade();
