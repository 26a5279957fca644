#pragma once
// A column's statistics: counts, the spread of its numbers with a histogram, and its most
// frequent values. The figures are gathered before the window shows, with progress and a
// Cancel button for big files.

#include <QDialog>
#include <QWidget>

#include "Zelmar_ColumnStatistics.h"

class QLabel;
class QPushButton;
class QTableWidget;
class TZelmarField;
class TZelmarSDFileDataList;

// The histogram's bars, from the minimum on the left to the maximum on the right.
class TZelmarHistogram : public QWidget {
    Q_OBJECT
public:
    explicit TZelmarHistogram(QWidget* owner);
    void SetBins(std::vector<int> bins);
    QSize sizeHint() const override { return {360, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> FBins;
};

class TZelmarDialogColumnStatistics : public QDialog {
    Q_OBJECT
public:
    explicit TZelmarDialogColumnStatistics(QWidget* owner = nullptr);

    // Gathers the figures of the field; false when the user stopped it (nothing to show).
    bool Gather(TZelmarSDFileDataList& list, const TZelmarField& field);
    const TZelmarColumnStatistics& Statistics() const { return FStatistics; }

    QLabel* LabelFigures;
    TZelmarHistogram* Histogram;
    QTableWidget* TableTopValues;
    QPushButton* BtnClose;

private:
    void ShowStatistics(const TZelmarField& field);

    TZelmarColumnStatistics FStatistics;
};
