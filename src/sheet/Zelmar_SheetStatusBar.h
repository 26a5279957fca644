#pragma once
// A sheet window's status bar: five panels (modified icon, load-error icon, record
// information, the place of the progress bar, status text) and the progress bar over panel 3.

#include <QWidget>
#include <functional>

class QProgressBar;

class TZelmarSheetStatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int Height = 23;
    explicit TZelmarSheetStatusBar(QWidget* parent = nullptr);

    void SetModified(bool modified);
    void SetLoadErrors(bool loadErrors);
    // Panels 2 and 4 show their text after three blanks.
    void SetRecordInfo(const QString& text);
    void SetStatusText(const QString& text);
    QString RecordInfo() const { return FRecordInfo; }
    QString StatusText() const { return FStatusText; }
    QProgressBar* ProgressBar() const { return FProgress; }
    // The panel under a point, or -1.
    int PanelAt(const QPoint& pos) const;
    QRect PanelRect(int panel) const;
    // Sum of the widths of the panels before it.
    int GetLeftOfStatusPanel(int panel) const;
    void PlaceProgressBar();

    // Mouse over a panel (-1 when it leaves) and clicks.
    std::function<void(int panel)> OnPanelHover;
    std::function<void(int panel)> OnPanelClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int PanelWidth(int panel) const;

    QProgressBar* FProgress;
    QString FRecordInfo;
    QString FStatusText;
    bool FModified = false;
    bool FLoadErrors = false;
};
