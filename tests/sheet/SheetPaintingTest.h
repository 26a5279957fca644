#pragma once
// The painting tests, one QtTest class spread over the files of this folder.

#include <QObject>

class TestSheetPainting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    // test_TextPainting.cpp
    void wrappedTextBreaksAtBlanksAndLineEnds();
    void numbersInTheGeneralFormat();
    void formulaDigitsAfterLettersAreSubscripts();
    void bytesShowAsUtf8OrWindows1252();

    // test_CellPainting.cpp
    void headerTextIsCentredWithEllipsis();
    void dataTextWrapsAndIsClippedAtTheCellBottom();
    void blankTextPaintsOnlyTheBackground();
    void numbersPaintAsTheirText();
    void weightsShowTheInterfaceLanguagesSeparator();
    void aWeightThatCannotBeComputedPaintsNothing();
    void backgroundComesFromTheOwner();
    void checkboxIsCentred();
    void headerCornersAreRounded();
    void fieldPainterDrawsKindImageAndName();
    void failuresStayInTheirCell();

    // test_StructurePainting.cpp
    void selectedStructureIsWhiteAndTheNextIsNot();
    void structuresShareOneBondLengthThatFollowsTheRowHeight();
    void picturesAreCachedPerMoleculeSizeStateAndSettings();
    void cacheStaysWithinItsBound();
    void sampleGridPicture();

    // test_PictureRenderer.cpp
    void displaySettingsTravelWithTheRequest();
    void rowsScrolledPastAreNotDrawn();
    void withoutAViewerTheCellIsDrawnInPlace();
};
