#include "Zelmar_RecordSmiles.h"

#include "Zelmar_RecordIdentifiers.h"

bool ZelmarRecordSmiles(const std::vector<TZelmarSDFileData*>& records,
                        std::vector<std::string>& smiles,
                        const std::function<bool(std::size_t done, std::size_t total)>& progress) {
    // The SMILES column's values: made and kept in one place for both.
    return ZelmarRecordIdentifiers(records, ecsdtSmiles, smiles, progress);
}
