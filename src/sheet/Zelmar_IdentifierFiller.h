#pragma once
// Makes the values of a sheet's identifier columns (SMILES, InChI, InChIKey) in the background
// of the user-interface thread: in small batches between events, each batch on the work
// threads, the rows in view first, then the rest of the sheet, so that the window never waits
// long for one batch. The values are kept with the records; the grid is repainted after each
// batch. Stands still while the sheet is busy (sorting, searching, saving, copying).

#include <QObject>
#include <QTimer>

class TZelmarWindow;

class TZelmarIdentifierFiller : public QObject {
    Q_OBJECT
public:
    explicit TZelmarIdentifierFiller(TZelmarWindow* sheet);

    // A cell of the grid row was shown without its value: batches start (the rows in view).
    void Wanted(int row);
    // The columns or the records changed: the whole sheet is looked through again.
    void Restart();
    // Values are still being made.
    bool Running() const { return FTimer.isActive(); }
    // Batches made so far, for tests and the benchmark.
    int Batches() const { return FBatches; }

private:
    void Step();

    TZelmarWindow* const FSheet;
    QTimer FTimer;
    int FNextRecord = 0;   // where the look through the rest of the sheet goes on
    int FBatchSize = 16;   // grows or shrinks so that one batch takes about kBatchMs
    bool FGaveUp = false;  // nothing could be made (no routines library): until Restart
    int FBatches = 0;
};
