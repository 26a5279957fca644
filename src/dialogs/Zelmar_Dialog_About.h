#pragma once
// The about box: what the program is, and the versions of the program, of its chemistry
// libraries and of the toolkits under them. The caller hands in the version lines:
//   TZelmar_DialogAbout box(owner); box.SetVersions({{"Zelmar", "1.0.0"}, ...}); box.exec();

#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class TZelmarHelpHeader;

class TZelmar_DialogAbout : public QDialog {
    Q_OBJECT
public:
    using TVersionLines = std::vector<std::pair<QString, QString>>;  // what, version

    explicit TZelmar_DialogAbout(QWidget* owner = nullptr);

    void SetVersions(const TVersionLines& lines);

    TZelmarHelpHeader* Header;
    QLabel* LabelVersions;
    QLabel* LabelNotice;
    QPushButton* BtnOK;
};
