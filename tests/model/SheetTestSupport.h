#pragma once
// Built sheets for the sorting, duplicate and mixing tests: records with a molecule and
// one-line data items, identified by their "id" item.

#include <string>
#include <utility>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

namespace sheet_support {

inline TZelmarField Field(TZelmarFieldKind kind, const std::string& name = "") {
    TZelmarField field;
    field.Kind = kind;
    field.Name = name;
    return field;
}

inline void Set(TZelmarSDFileData* record, TZelmarFieldKind kind, const std::string& name,
                const std::string& text) {
    const TZelmarField field = Field(kind, name);
    TZelmarDataCarrier value;
    value.SetText(text);
    record->SetDataForField(&field, &value);
}

// A molecule with one centre atom and single-bonded ligands (CCl4, ...).
inline std::string StarBlock(const std::string& centre, const std::vector<std::string>& ligands) {
    std::vector<std::string> atoms{centre};
    atoms.insert(atoms.end(), ligands.begin(), ligands.end());
    // MolBlock chains the atoms; rebind every bond to the centre.
    const std::string chain = testing_support::MolBlock("star", atoms);
    std::string head = chain.substr(0, chain.find("M  END"));
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < head.size()) {
        const std::size_t end = head.find('\n', pos);
        lines.push_back(head.substr(pos, end - pos));
        pos = end + 1;
    }
    const std::size_t firstBond = 4 + atoms.size();
    char line[64];
    for (std::size_t i = firstBond; i < lines.size(); ++i) {
        std::snprintf(line, sizeof line, "%3d%3d  1  0  0  0  0", 1, static_cast<int>(i - firstBond + 2));
        lines[i] = line;
    }
    std::string block;
    for (const auto& l : lines) block += l + "\n";
    return block + "M  END\n";
}

inline TZelmarSDFileData* AddRecord(TZelmarSDFileDataList& list, const std::string& molBlock,
                                    const std::string& id,
                                    const std::vector<std::pair<std::string, std::string>>& items = {}) {
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    Set(record, ecsdtChemistry, "", molBlock);
    Set(record, ecsdtDataText, "id", id);
    for (const auto& [name, value] : items) Set(record, ecsdtDataText, name, value);
    return record;
}

inline std::string Id(TZelmarSDFileData* record) {
    if (record == nullptr) return "<null>";
    const TZelmarField id = Field(ecsdtDataText, "id");
    TZelmarDataCarrier value;
    return record->GetDataForField(&id, &value) ? value.Text() : "<none>";
}

inline std::vector<std::string> Ids(TZelmarSDFileDataList& list) {
    std::vector<std::string> ids;
    for (int i = 0; i < list.GetCount(); ++i) ids.push_back(Id(list.GetSDFileData(i)));
    return ids;
}

inline std::vector<std::string> Ids(const TZelmarRecordRefs& refs) {
    std::vector<std::string> ids;
    for (const auto& item : refs) ids.push_back(Id(item.Object));
    return ids;
}

const std::string kEthanol = testing_support::MolBlock("ethanol", {"C", "C", "O"});
const std::string kEther = testing_support::MolBlock("ether", {"C", "O", "C"});

}  // namespace sheet_support
