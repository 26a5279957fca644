#pragma once
// The marked part of each hit in the result sheet of a substructure search. The sheet keeps
// the query and its stereo setting; the match of a record is found when its row is first
// painted and kept with the size and hash of the molecule text it was found in. Matches are
// made on a thread of their own (a large molecule takes milliseconds to read), the newest
// asked for first; the cell waits with a placeholder and is painted again when it is there. A
// record shows its match only while its molecule is the text it was a hit with: an edit (in the
// editor, a paste, an undo) loses it at once, and the undo that brings the text back brings it
// back. The marks never enter the records, so a saved sheet holds none. UI thread only, but for the
// matching thread inside.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "vesk_ChemView2.h"
#include "vesk_Dispatcher.h"

class TZelmarChemSearchEngine;
class TZelmarSDFileData;
class TZelmarSDFileDataList;

class TZelmarHitHighlight {
public:
    // A light amber, COLORREF 0x00BBGGRR: under black bonds on the grid's grey and the group
    // shade, and under white bonds on the selection's blue it reads as the part that matched.
    static constexpr std::uint32_t DefaultColour = 0x0040B0FF;

    // What Find answers.
    enum TAnswer : int { haNone = 0, haMarked = 1, haPending = 2 };

    // Matches reach the UI thread through the dispatcher (not owned).
    TZelmarHitHighlight(std::string queryMolFile, bool considerStereo,
                        platform::TUiDispatcher* dispatcher);
    // Waits for the match being made; those still queued are dropped.
    ~TZelmarHitHighlight();
    TZelmarHitHighlight(const TZelmarHitHighlight&) = delete;
    TZelmarHitHighlight& operator=(const TZelmarHitHighlight&) = delete;

    // Loads the search library and sets the query; false when it cannot tell where a query
    // lies (no library, or one without GetQueryMatch): then nothing is marked.
    bool Start();
    // A match asked for by Find is there: the record's cells may be painted again.
    std::function<void(const TZelmarSDFileData* record)> OnMatched;
    // The records of the list are the hits, each with the molecule text it has now.
    void NoteHits(TZelmarSDFileDataList& list);
    // The marks of the record's molecule, given as the text the cell shows: haNone when it has
    // none (no hit, edited since, not found again, or no library), haPending while its match
    // is being made (OnMatched tells when it is there).
    int Find(const TZelmarSDFileData* record, std::string_view molText,
             TveskChemView2Highlight& highlight);

    const std::string& Query() const { return FQuery; }
    bool ConsiderStereo() const { return FConsiderStereo; }
    std::uint32_t Colour = DefaultColour;
    // Matches made so far, and asked for and not yet there.
    std::size_t MatchesMade() const { return FMatchesMade; }
    std::size_t Pending() const { return FPending; }

private:
    struct THit {
        std::size_t MolSize = 0;
        std::uint64_t MolHash = 0;
        bool Known = false;  // the match was looked for
        bool Asked = false;  // and is being made
        bool Found = false;
        std::vector<std::int32_t> Atoms;
        std::vector<std::int32_t> Bonds;
    };

    struct TJob {
        const TZelmarSDFileData* Record;
        std::string MolText;
        std::size_t MolSize;
        std::uint64_t MolHash;
    };
    void MatchLoop();
    void Deliver(TJob job, bool found, std::vector<std::int32_t> atoms,
                 std::vector<std::int32_t> bonds);

    const std::string FQuery;
    const bool FConsiderStereo;
    platform::TUiDispatcher* const FDispatcher;
    bool FStarted = false;
    bool FAvailable = false;
    std::unordered_map<const TZelmarSDFileData*, THit> FHits;
    std::size_t FMatchesMade = 0;
    std::size_t FPending = 0;

    std::unique_ptr<TZelmarChemSearchEngine> FEngine;  // the matching thread's
    std::mutex FMutex;                                 // guards FJobs and FStop
    std::condition_variable FWake;
    std::deque<TJob> FJobs;
    bool FStop = false;
    std::thread FThread;
    // Declared last: revoked first, so no match is delivered into a highlight being destroyed.
    platform::TLifetime FLifetime;
};
