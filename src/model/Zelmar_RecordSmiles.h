#pragma once
// The canonical SMILES of records' molecules, as copies and exports show them. Made on up to
// two threads, each with its own routines manager, and kept with each record for its molecule
// text: copying or exporting the same records again makes none anew. Qt-free.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class TZelmarSDFileData;

// smiles[k] for records[k]: empty for a null record, an empty molecule and one that cannot be
// read. The records must be loaded and stay unchanged meanwhile (UI thread). progress(done,
// total) runs on the calling thread between parts; false stops, and then the answer is false
// and the SMILES incomplete. False also on failure.
bool ZelmarRecordSmiles(const std::vector<TZelmarSDFileData*>& records,
                        std::vector<std::string>& smiles,
                        const std::function<bool(std::size_t done, std::size_t total)>& progress);
