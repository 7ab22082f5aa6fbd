#pragma once

#include "qxsdk/component/ImplQXComponent.h"
#include "qxsdk/component/QXContainer.h"
#include "qxsdk/graphics/ComponentGraphics.h"
#include "tests/support/EventLog.h"
#include "tests/support/TestWindow.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

// A pop-up container window on the test display that holds widgets under
// test and logs the actions they queue to it.
class WidgetHost : public QXSDK::QXContainer {
public:
    explicit WidgetHost(testsupport::EventLog& log) : QXObject(), log(log) { retain(); }

    int actionPerformed(QXSDK::QXObject*, int id, long long value) override
    {
        log.push_back("action " + std::to_string(id) + " " + std::to_string(value));
        return 1;
    }

private:
    testsupport::EventLog& log;
};

// The back buffer of a component, read pixel by pixel.
class BufferView {
public:
    explicit BufferView(QXSDK::QXComponent& component)
    {
        QXSDK::IQXGraphics* graphics = component.getGraphics();
        surface = dynamic_cast<QXSDK::ComponentGraphics*>(graphics);
        graphics->release(); // the binding keeps it alive
        QXSDK::QXSize size = component.getSize();
        width = size.getWidth();
        height = size.getHeight();
    }
    COLORREF at(int x, int y) const { return GetPixel(surface->getMemoryDC(), x, y); }
    // Pixels of the rectangle [x1, x2) x [y1, y2) that have the colour.
    int count(COLORREF colour, int x1, int y1, int x2, int y2) const
    {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += at(x, y) == colour;
        return n;
    }
    // Pixels of the rectangle that are nearer to `ink` than to `paper`: text
    // drawn in `ink`, antialiased edges included.
    int countInk(COLORREF ink, COLORREF paper, int x1, int y1, int x2, int y2) const
    {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += nearer(at(x, y), ink, paper);
        return n;
    }
    static bool nearer(COLORREF pixel, COLORREF ink, COLORREF paper) { return distance(pixel, ink) < distance(pixel, paper); }
    static int distance(COLORREF a, COLORREF b)
    {
        return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b));
    }
    // Bounding box of the pixels that are not the colour; empty when none.
    RECT boxOfOthers(COLORREF colour) const
    {
        RECT box = {width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) != colour) {
                    box.left = x < box.left ? x : box.left;
                    box.top = y < box.top ? y : box.top;
                    box.right = x > box.right ? x : box.right;
                    box.bottom = y > box.bottom ? y : box.bottom;
                }
        return box;
    }

    int width = 0;
    int height = 0;

private:
    QXSDK::ComponentGraphics* surface = nullptr;
};
