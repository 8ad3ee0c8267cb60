#pragma once

#include "app/CWFApp.h"

#include <QString>

#include <functional>
#include <vector>

class CMainFrame;
class CRPUser;

// The program on a fresh copy of the demo installation, its main window shown
// (offscreen) at its default size, and the ways an operator reaches each of
// its screens. The caller keeps the program folder and profile temporary.
class ScreenTour
{
public:
    struct Stop
    {
        QString name;
        // Puts the screen into the main window; false when it cannot.
        std::function<bool(ScreenTour&)> go;
    };

    ScreenTour();
    ~ScreenTour();
    ScreenTour(const ScreenTour&) = delete;
    ScreenTour& operator=(const ScreenTour&) = delete;

    bool Start();
    CMainFrame* Frame() const { return m_frame; }
    CWFDoc* Document() { return m_app.Document(); }

    // Lets the window finish laying out and painting what was switched.
    static void Settle();

    void Command(unsigned command);
    // The cardholder form of a demo cardholder of a set, by their tree rows.
    CRPUser* CardholderForm(const QString& set, int row);
    // Presses the caption's button among the left pane's push buttons.
    bool ClickLeft(const QString& caption);
    // Shows a page of the tab widget of the right pane or the left pane.
    bool RightTab(int index);
    bool LeftTab(int index);

    // Every view an operator reaches through the main window, page by page.
    static std::vector<Stop> Stops();

private:
    CWFApp m_app;
    CMainFrame* m_frame = nullptr;
};
