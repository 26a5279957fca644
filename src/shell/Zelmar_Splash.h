#pragma once
// The start-up picture shown while the main window prepares its dialogs; it goes when the
// object does.

#include <memory>

class QSplashScreen;
class QWidget;

class TZelmarSplash {
public:
    explicit TZelmarSplash(QWidget* mainWindow);
    ~TZelmarSplash();
    TZelmarSplash(const TZelmarSplash&) = delete;
    TZelmarSplash& operator=(const TZelmarSplash&) = delete;

private:
    std::unique_ptr<QSplashScreen> FScreen;
    QWidget* const FMainWindow;
};
