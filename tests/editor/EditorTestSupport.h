#pragma once
// Driving the molecule editor dialogs as a user does: their buttons, clicks on the page's
// canvas, and reading the drawing back. Waits run a plain event loop: answers from the page
// never arrive inside QTest's own waits.

#include <QAbstractButton>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineView>
#include <QtTest>
#include <functional>
#include <string>

#include "Zelmar_DrawletBridge.h"
#include "Zelmar_DrawletDialog.h"

namespace editorTest {

inline void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 20000) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (condition()) return true;
        Pause(50);
    }
    return condition();
}

inline QAbstractButton* Button(QWidget* dialog, const char* name) {
    return dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
}

inline void Click(QWidget* dialog, const char* name) {
    QAbstractButton* button = Button(dialog, name);
    if (button == nullptr) qFatal("no button %s", name);
    QTest::mouseClick(button, Qt::LeftButton);
    Pause(50);
}

inline QWidget* Canvas(TZelmarDrawletDialog* dialog) {
    return dialog->WebBrowser()->focusProxy();
}

inline QPoint CanvasCentre(TZelmarDrawletDialog* dialog) {
    return dialog->WebBrowser()->rect().center();
}

inline void ClickCanvas(TZelmarDrawletDialog* dialog, QPoint at) {
    QTest::mouseMove(Canvas(dialog), at);
    Pause(50);
    QTest::mouseClick(Canvas(dialog), Qt::LeftButton, Qt::NoModifier, at);
    Pause(200);
    // Away from the drawing, so that no tool preview hangs under the mouse.
    QTest::mouseMove(Canvas(dialog), QPoint(3, 3));
    Pause(100);
}

inline QString Drawing(TZelmarDrawletDialog* dialog) {
    return dialog->Bridge()->CallText(QStringLiteral("getMolFile"));
}

// Atoms and bonds of a V2000 molfile's counts line; -1 when there is none.
inline int CountsField(const QString& molfile, int field) {
    const QStringList lines = molfile.split(QLatin1Char('\n'));
    return lines.size() > 3 ? lines[3].mid(field * 3, 3).trimmed().toInt() : -1;
}

inline int BondsOfOrder(const QString& molfile, int order) {
    const QStringList lines = molfile.split(QLatin1Char('\n'));
    const int atoms = CountsField(molfile, 0), bonds = CountsField(molfile, 1);
    int count = 0;
    for (int i = 0; i < bonds && 4 + atoms + i < lines.size(); ++i)
        count += lines[4 + atoms + i].mid(6, 3).trimmed().toInt() == order;
    return count;
}

// A new drawing with one benzene ring, drawn with the ring tool.
inline void DrawBenzene(TZelmarDrawletDialog* dialog) {
    Click(dialog, "BtnNew");
    Click(dialog, "BtnBenzen1");
    ClickCanvas(dialog, CanvasCentre(dialog));
}

}  // namespace editorTest
