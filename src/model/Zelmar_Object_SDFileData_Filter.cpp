// Narrowing a sheet in place: the filter bar's queries run through the search engine over
// every record, and the hits become the rows shown.
#include <string>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

namespace {

using TRecordSet = TZelmarRecordStore::TRecordSet;

void Collect(const TZelmarRecordRefs& hits, TRecordSet& shown) {
    for (int i = 0; i < hits.GetCount(); ++i) shown.insert(hits.GetObject(i));
}

}  // namespace

bool TZelmarSDFileDataList::FilterRows(const TZelmarField* field, const std::string& typed) {
    return Guarded("TZelmarSDFileDataList.FilterRows", false, [&] {
        if (typed.find_first_not_of(" \t") == std::string::npos) {
            FRows->Clear();
            return true;
        }
        std::vector<const TZelmarField*> fields;
        if (field != nullptr) {
            fields.push_back(field);
        } else {
            TZelmarFieldRefs searchable;
            EnumSearchableFields(searchable);
            for (int i = 0; i < searchable.GetCount(); ++i) {
                const TZelmarField* candidate = searchable.GetObject(i);
                if (candidate->Kind == ecsdtDataText || candidate->Kind == ecsdtFormula)
                    fields.push_back(candidate);
            }
        }
        TRecordSet shown;
        for (const TZelmarField* each : fields) {
            // Looking at every field, a number is looked for as text, as it is written.
            const bool numbers =
                field != nullptr && (each->IsNumericData() || each->Kind == ecsdtMolweight);
            TZelmarFilterQuery parsed;
            if (!ZelmarParseFilterQuery(typed, each->Kind, numbers, DisplayDecimalSeparator(),
                                        parsed))
                return false;
            TZelmarDataCarrier query;
            query.SetKind(parsed.Kind);
            if (parsed.Kind == ecsdtMolweight) {
                query.SetValueFrom(parsed.From);
                query.SetValueTo(parsed.To);
            } else {
                query.SetText(parsed.Text);
            }
            TZelmarRecordRefs hits;
            if (!SearchDataForField(each, &query, false, &hits, false, parsed.Options))
                return false;
            Collect(hits, shown);
        }
        FRows->ShowOnly(shown);
        return true;
    });
}

bool TZelmarSDFileDataList::FilterRowsByStructure(const std::string& molFile, int options,
                                                  bool considerStereo) {
    return Guarded("TZelmarSDFileDataList.FilterRowsByStructure", false, [&] {
        const TZelmarField* field = GetChemistryField();
        if (field == nullptr) return false;
        TZelmarDataCarrier query;
        query.SetKind(ecsdtChemistry);
        query.SetText(molFile);
        TZelmarRecordRefs hits;
        if (!SearchDataForField(field, &query, false, &hits, considerStereo, options)) return false;
        TRecordSet shown;
        Collect(hits, shown);
        FRows->ShowOnly(shown);
        return true;
    });
}
