// The C entry points for molecules and data items. Each one validates its handles and
// arguments, runs its body inside Guard and reports failures through ErrBuf.

#include "veskChemRoutines.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "vesk_Exports.h"
#include "vesk_Molecule.h"

using namespace vesk;

// ---- molecules ----

extern "C" std::int32_t OpenMolString(std::uintptr_t* MolHandle, const char* MolText,
                                      std::int32_t Flags, std::int32_t Reserved_, char* ErrBuf,
                                      std::int32_t ErrBufSize) {
    if (MolHandle) *MolHandle = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(MolHandle, "MolHandle", error) || !Reserved(Reserved_, "Reserved", error)) {
            return false;
        }
        if (Flags & ~(VESK_MOL_PARSE_NOW | VESK_MOL_SANITIZE)) {
            error = "unknown flags " + std::to_string(Flags);
            return false;
        }
        if (!MolText || IsBlankText(MolText)) {
            error = "the molecule text is empty";
            return false;
        }
        int flags = (Flags & VESK_MOL_PARSE_NOW ? Molecule::kParseNow : 0) |
                    (Flags & VESK_MOL_SANITIZE ? Molecule::kSanitize : 0);
        auto molecule = std::make_shared<Molecule>(MolText, flags);
        if ((Flags & VESK_MOL_PARSE_NOW) && !molecule->Parse(error)) return false;
        *MolHandle = Handles<Molecule>().Add(std::move(molecule));
        return true;
    });
}

extern "C" std::int32_t DestroyMolFile(std::uintptr_t MolHandle, char* ErrBuf,
                                       std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        return Release<Molecule>(MolHandle, "molecule", error);
    });
}

extern "C" std::int32_t GetMolFileFormula(std::uintptr_t MolHandle, char* Formula,
                                          std::int32_t FormulaSize, char* ErrBuf,
                                          std::int32_t ErrBufSize) {
    CopyOut("", Formula, FormulaSize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        std::string formula;
        return molecule && molecule->Formula(formula, error) &&
               CopyToCaller(formula, Formula, FormulaSize, "formula", error);
    });
}

extern "C" std::int32_t GetMolFileFormulaEx(std::uintptr_t MolHandle, const char* Separator,
                                            char* Formula, std::int32_t FormulaSize, char* ErrBuf,
                                            std::int32_t ErrBufSize) {
    CopyOut("", Formula, FormulaSize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        std::string formula;
        return molecule && molecule->FragmentFormulas(Separator ? Separator : "", formula, error) &&
               CopyToCaller(formula, Formula, FormulaSize, "formula", error);
    });
}

extern "C" std::int32_t GetMolFileSmiles(std::uintptr_t MolHandle, char* Smiles,
                                         std::int32_t SmilesSize, char* ErrBuf,
                                         std::int32_t ErrBufSize) {
    CopyOut("", Smiles, SmilesSize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        std::string smiles;
        if (!molecule || !molecule->Smiles(smiles, error)) return false;
        if (CopyToCaller(smiles, Smiles, SmilesSize, "SMILES", error)) return true;
        // A cut SMILES would be another molecule: none at all.
        CopyOut("", Smiles, SmilesSize);
        return false;
    });
}

extern "C" std::int32_t GetMolFileInchi(std::uintptr_t MolHandle, char* Inchi,
                                        std::int32_t InchiSize, char* ErrBuf,
                                        std::int32_t ErrBufSize) {
    CopyOut("", Inchi, InchiSize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        std::string inchi;
        if (!molecule || !molecule->Inchi(inchi, error)) return false;
        if (CopyToCaller(inchi, Inchi, InchiSize, "InChI", error)) return true;
        // A cut InChI names another molecule, or none.
        CopyOut("", Inchi, InchiSize);
        return false;
    });
}

extern "C" std::int32_t GetMolFileInchiKey(std::uintptr_t MolHandle, char* InchiKey,
                                           std::int32_t InchiKeySize, char* ErrBuf,
                                           std::int32_t ErrBufSize) {
    CopyOut("", InchiKey, InchiKeySize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        std::string key;
        if (!molecule || !molecule->InchiKey(key, error)) return false;
        if (CopyToCaller(key, InchiKey, InchiKeySize, "InChIKey", error)) return true;
        CopyOut("", InchiKey, InchiKeySize);
        return false;
    });
}

extern "C" std::int32_t GetMolFileMass(std::uintptr_t MolHandle, double* Mass, char* ErrBuf,
                                       std::int32_t ErrBufSize) {
    if (Mass) *Mass = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Mass, "Mass", error)) return false;
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        return molecule && molecule->Mass(*Mass, error);
    });
}

extern "C" std::int32_t GetMolFileOrgString(std::uintptr_t MolHandle, char** MolText, char* ErrBuf,
                                            std::int32_t ErrBufSize) {
    if (MolText) *MolText = nullptr;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(MolText, "MolText", error)) return false;
        auto molecule = Lookup<Molecule>(MolHandle, "molecule", error);
        if (!molecule) return false;
        const std::string& text = molecule->Text();
        char* copy = static_cast<char*>(std::malloc(text.size() + 1));
        if (!copy) {
            error = "out of memory";
            return false;
        }
        std::memcpy(copy, text.c_str(), text.size() + 1);
        *MolText = copy;
        return true;
    });
}

// ---- data items and lists ----

extern "C" std::int32_t CreateEmptySDFileDataEntryList(std::uintptr_t* DataEntryList, char* ErrBuf,
                                                       std::int32_t ErrBufSize) {
    if (DataEntryList) *DataEntryList = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(DataEntryList, "DataEntryList", error)) return false;
        *DataEntryList = Handles<DataListObject>().Add(std::make_shared<DataListObject>());
        return true;
    });
}

extern "C" std::int32_t DestroySDFileDataEntryList(std::uintptr_t DataEntryList, char* ErrBuf,
                                                   std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        return Release<DataListObject>(DataEntryList, "data list", error);
    });
}

extern "C" std::int32_t CreateSDFileDataEntry(std::uintptr_t* DataEntry, const char* Name,
                                              std::int32_t NameLength, char* ErrBuf,
                                              std::int32_t ErrBufSize) {
    if (DataEntry) *DataEntry = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(DataEntry, "DataEntry", error)) return false;
        if (!Name) {
            error = "the item name is NULL";
            return false;
        }
        if (NameLength < VESK_ZERO_TERMINATED) {
            error = "invalid name length " + std::to_string(NameLength);
            return false;
        }
        auto entry = std::make_shared<DataEntryObject>();
        entry->item = std::make_shared<SDDataItem>();
        if (NameLength == VESK_ZERO_TERMINATED) {
            entry->item->name = Name;
        } else {
            entry->item->name.assign(Name, static_cast<std::size_t>(NameLength));
        }
        *DataEntry = Handles<DataEntryObject>().Add(std::move(entry));
        return true;
    });
}

extern "C" std::int32_t AddSDFileDataLine(std::uintptr_t DataEntry, const char* Line, char* ErrBuf,
                                          std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto entry = Lookup<DataEntryObject>(DataEntry, "data item", error);
        if (!entry) return false;
        if (!Line) {
            error = "the line is NULL";
            return false;
        }
        std::lock_guard<std::mutex> lock(entry->mutex);
        if (entry->item.use_count() > 1) entry->item = std::make_shared<SDDataItem>(*entry->item);
        LineCursor cursor(Line);
        std::string_view piece;
        bool any = false;
        while (cursor.Next(piece)) {
            entry->item->lines.emplace_back(piece);
            any = true;
        }
        if (!any) entry->item->lines.emplace_back();  // an empty line is still a line
        return true;
    });
}

extern "C" std::int32_t AddSDFileDataEntry(std::uintptr_t DataEntryList, std::uintptr_t DataEntry,
                                           char* ErrBuf, std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto list = Lookup<DataListObject>(DataEntryList, "data list", error);
        if (!list) return false;
        auto entry = Lookup<DataEntryObject>(DataEntry, "data item", error);
        if (!entry) return false;
        std::shared_ptr<SDDataItem> item;
        {
            std::lock_guard<std::mutex> lock(entry->mutex);
            item = entry->item;  // shared; the entry copies before its next change
        }
        std::lock_guard<std::mutex> lock(list->mutex);
        list->items.push_back(std::move(item));
        return true;
    });
}

extern "C" std::int32_t DestroySDFileDataEntry(std::uintptr_t DataEntry, char* ErrBuf,
                                               std::int32_t ErrBufSize) {
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        return Release<DataEntryObject>(DataEntry, "data item", error);
    });
}

extern "C" std::int32_t GetSDFileDataEntryCount(std::uintptr_t DataEntryList, std::int32_t* Count,
                                                char* ErrBuf, std::int32_t ErrBufSize) {
    if (Count) *Count = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Count, "Count", error)) return false;
        auto list = Lookup<DataListObject>(DataEntryList, "data list", error);
        if (!list) return false;
        std::lock_guard<std::mutex> lock(list->mutex);
        *Count = static_cast<std::int32_t>(list->items.size());
        return true;
    });
}

extern "C" std::int32_t GetSDFileDataEntryNo(std::uintptr_t DataEntryList,
                                             std::uintptr_t* DataEntry, std::int32_t Index_,
                                             char* ErrBuf, std::int32_t ErrBufSize) {
    if (DataEntry) *DataEntry = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(DataEntry, "DataEntry", error)) return false;
        auto list = Lookup<DataListObject>(DataEntryList, "data list", error);
        if (!list) return false;
        auto entry = std::make_shared<DataEntryObject>();
        {
            std::lock_guard<std::mutex> lock(list->mutex);
            if (!Index(Index_, list->items.size(), "data item", error)) return false;
            entry->item = list->items[static_cast<std::size_t>(Index_)];
        }
        *DataEntry = Handles<DataEntryObject>().Add(std::move(entry));
        return true;
    });
}

extern "C" std::int32_t GetSDFileDataEntryName(std::uintptr_t DataEntry, char* Name,
                                               std::int32_t NameSize, char* ErrBuf,
                                               std::int32_t ErrBufSize) {
    CopyOut("", Name, NameSize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto entry = Lookup<DataEntryObject>(DataEntry, "data item", error);
        if (!entry) return false;
        std::lock_guard<std::mutex> lock(entry->mutex);
        return CopyToCaller(entry->item->name, Name, NameSize, "item name", error);
    });
}

extern "C" std::int32_t GetSDFileDataLineCount(std::uintptr_t DataEntry, std::int32_t* Count,
                                               char* ErrBuf, std::int32_t ErrBufSize) {
    if (Count) *Count = 0;
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        if (!Out(Count, "Count", error)) return false;
        auto entry = Lookup<DataEntryObject>(DataEntry, "data item", error);
        if (!entry) return false;
        std::lock_guard<std::mutex> lock(entry->mutex);
        *Count = static_cast<std::int32_t>(entry->item->lines.size());
        return true;
    });
}

extern "C" std::int32_t GetSDFileDataLineNo(std::uintptr_t DataEntry, std::int32_t Index_,
                                            char* Line, std::int32_t LineSize, char* ErrBuf,
                                            std::int32_t ErrBufSize) {
    CopyOut("", Line, LineSize);
    return Guard(ErrBuf, ErrBufSize, [&](std::string& error) {
        auto entry = Lookup<DataEntryObject>(DataEntry, "data item", error);
        if (!entry) return false;
        std::lock_guard<std::mutex> lock(entry->mutex);
        const std::vector<std::string>& lines = entry->item->lines;
        if (!Index(Index_, lines.size(), "value line", error)) return false;
        if (CopyToCaller(lines[static_cast<std::size_t>(Index_)], Line, LineSize, "value line",
                         error)) {
            return true;
        }
        error += " (item \"" + entry->item->name + "\", line " + std::to_string(Index_ + 1) + ")";
        return false;
    });
}
