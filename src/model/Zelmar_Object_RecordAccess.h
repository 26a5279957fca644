#pragma once
// What the sorter and the duplicate finder may do with a sheet's records, and no more: they
// never see the list's locks, threads or files.

#include <vector>

class TZelmarSDFileData;

class IZelmarRecordAccess {
public:
    virtual ~IZelmarRecordAccess() = default;
    virtual int RecordCount() = 0;
    // The records at first..first+count-1 (null outside the list), each read first when it has
    // not been tried yet. One call takes the record lock once, not once per record.
    virtual void RecordsAt(int first, int count, std::vector<TZelmarSDFileData*>& out) = 0;
    // Under the record lock, the k-th record becomes the one that was at order[k] (order: the
    // positions 0..order.size()-1 in some order). Records added since stay behind them.
    virtual void ReorderRecords(const std::vector<int>& order) = 0;
    // false stops the running operation. The molecule sort reports its second half as a search.
    virtual bool SortProgress(int percent) = 0;
    virtual bool SearchProgress(int percent) = 0;
};
