#pragma once

#include "qxsdk/component/ImplQXComponent.h"
#include "qxsdk/component/QXComponent.h"
#include "tests/support/EventLog.h"
#include "tests/support/TestWindow.h"

#include <string>

// A component for tests: its handlers write into an event log and answer
// what the test sets; its paint fills the area in a colour of the test's.
class ProbeComponent : public QXSDK::QXComponent {
public:
    ProbeComponent(testsupport::EventLog& log, const std::string& name = "own") : QXObject(), log(log), name(name)
    {
        // Held by the test: createChild and friends retain and release it.
        retain();
    }



    int paintAnswer = 1;
    COLORREF paintColour = RGB(255, 0, 0);
    int pressAnswer = 1;
    int closingAnswer = 1;
    int actionCount = 0;

    int paint(QXSDK::QXRect area, QXSDK::IQXGraphics* surface) override
    {
        log.push_back(name + ".paint");
        QXSDK::QXColor* background = surface->getBackground();
        background->setValue(static_cast<int>(paintColour));
        background->release();
        surface->fillRect(area);
        return paintAnswer;
    }
    int mousePressed(QXSDK::QXPoint p) override
    {
        log.push_back(name + ".mousePressed(" + std::to_string(p.getX()) + "," + std::to_string(p.getY()) + ")");
        return pressAnswer;
    }
    int mouseMoved(QXSDK::QXPoint p) override
    {
        log.push_back(name + ".mouseMoved(" + std::to_string(p.getX()) + "," + std::to_string(p.getY()) + ")");
        return 1;
    }
    int mouseEntered() override { log.push_back(name + ".mouseEntered"); return 1; }
    int mouseExited() override { log.push_back(name + ".mouseExited"); return 1; }
    int mouseHovered(QXSDK::QXPoint) override { log.push_back(name + ".mouseHovered"); return 1; }
    int closing() override { log.push_back(name + ".closing"); return closingAnswer; }
    int destroyed() override { log.push_back(name + ".destroyed"); return 1; }
    int timerFired() override { log.push_back(name + ".timerFired"); return 1; }
    int actionPerformed(QXSDK::QXObject*, int, long long) override { ++actionCount; return 1; }

private:
    testsupport::EventLog& log;
    std::string name;
};
