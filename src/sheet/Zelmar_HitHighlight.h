#pragma once
// The marked part of each hit in the result sheet of a substructure search. The sheet keeps
// the query and its stereo setting; the match of a record is found when its row is first
// painted and kept with the size and hash of the molecule text it was found in. A record shows
// its match only while its molecule is the text it was a hit with: an edit (in the editor, a
// paste, an undo) loses it at once, and the undo that brings the text back brings it back.
// The marks never enter the records, so a saved sheet holds none. UI thread only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vesk_ChemView2.h"

class TZelmarChemSearchEngine;
class TZelmarSDFileData;
class TZelmarSDFileDataList;

class TZelmarHitHighlight {
public:
    // A light amber, COLORREF 0x00BBGGRR: under black bonds on the grid's grey and the group
    // shade, and under white bonds on the selection's blue it reads as the part that matched.
    static constexpr std::uint32_t DefaultColour = 0x0040B0FF;

    TZelmarHitHighlight(std::string queryMolFile, bool considerStereo);
    ~TZelmarHitHighlight();
    TZelmarHitHighlight(const TZelmarHitHighlight&) = delete;
    TZelmarHitHighlight& operator=(const TZelmarHitHighlight&) = delete;

    // Loads the search library and sets the query; false when it cannot tell where a query
    // lies (no library, or one without GetQueryMatch): then nothing is marked.
    bool Start();
    // The records of the list are the hits, each with the molecule text it has now.
    void NoteHits(TZelmarSDFileDataList& list);
    // The marks of the record's molecule, given as the text the cell shows: false when it has
    // none (no hit, edited since, not found again, or no library).
    bool Find(const TZelmarSDFileData* record, std::string_view molText,
              TveskChemView2Highlight& highlight);

    const std::string& Query() const { return FQuery; }
    bool ConsiderStereo() const { return FConsiderStereo; }
    std::uint32_t Colour = DefaultColour;
    // Matches asked of the library so far.
    std::size_t MatchesMade() const { return FMatchesMade; }

private:
    struct THit {
        std::size_t MolSize = 0;
        std::uint64_t MolHash = 0;
        bool Known = false;  // the match was looked for
        bool Found = false;
        std::vector<std::int32_t> Atoms;
        std::vector<std::int32_t> Bonds;
    };

    const std::string FQuery;
    const bool FConsiderStereo;
    std::unique_ptr<TZelmarChemSearchEngine> FEngine;
    bool FStarted = false;
    std::unordered_map<const TZelmarSDFileData*, THit> FHits;
    std::size_t FMatchesMade = 0;
};
