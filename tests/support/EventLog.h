#pragma once

#include "qxsdk/component/IQXActionListener.h"
#include "qxsdk/component/IQXComponentListener.h"
#include "qxsdk/component/QXComponent.h"

#include <map>
#include <string>
#include <vector>

namespace testsupport {

// One list of event lines that listeners and components write into, so a
// test can check the order of delivery across them.
using EventLog = std::vector<std::string>;

// A component listener that writes "name:event(args)" for every event it
// receives and answers what the test told it to (1 unless set).
class RecordingListener : public QXSDK::IQXComponentListener {
public:
    RecordingListener(EventLog& log, const std::string& name) : QXObject(), log(log), name(name) {}

    // The answer for one event name ("pressed", "closing", ...).
    void answer(const std::string& event, int result) { answers[event] = result; }
    // The source of the last event.
    QXSDK::QXObject* lastSource = nullptr;
    // The dropped-file lists received, each as delivered.
    std::vector<std::vector<std::string>> droppedLists;

    int onPaint(QXSDK::QXObject* s, QXSDK::QXRect a, QXSDK::IQXGraphics*) override { return note(s, "paint", rect(a)); }
    int onPaintFrame(QXSDK::QXObject* s, QXSDK::QXRect a, QXSDK::IQXGraphics*) override { return note(s, "paintFrame", rect(a)); }
    int onMousePressed(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "pressed", point(p)); }
    int onMouseReleased(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "released", point(p)); }
    int onMouseDoubleClicked(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "doubleClicked", point(p)); }
    int onRightMousePressed(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "rightPressed", point(p)); }
    int onRightMouseReleased(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "rightReleased", point(p)); }
    int onRightMouseDoubleClicked(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "rightDoubleClicked", point(p)); }
    int onMouseMoved(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "moved", point(p)); }
    int onFocusGained(QXSDK::QXObject* s) override { return note(s, "focusGained", ""); }
    int onFocusLost(QXSDK::QXObject* s) override { return note(s, "focusLost", ""); }
    int onCursorRequested(QXSDK::QXObject* s) override { return note(s, "cursor", ""); }
    int onKeyTyped(QXSDK::QXObject* s, int c, int d) override { return note(s, "typed", numbers(c, d)); }
    int onKeyPressed(QXSDK::QXObject* s, int k, int d) override { return note(s, "keyPressed", numbers(k, d)); }
    int onKeyReleased(QXSDK::QXObject* s, int k, int d) override { return note(s, "keyReleased", numbers(k, d)); }
    int onResized(QXSDK::QXObject* s, int kind, unsigned short w, unsigned short h) override
    {
        return note(s, "resized", resizeKind(kind) + "," + std::to_string(w) + "," + std::to_string(h));
    }
    int onMoved(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "movedTo", point(p)); }
    int onClosing(QXSDK::QXObject* s) override { return note(s, "closing", ""); }
    int onVisibilityChanged(QXSDK::QXObject* s, int shown, int reason) override
    {
        return note(s, "visibility", std::to_string(shown) + "," + showReason(reason));
    }
    int onDestroyed(QXSDK::QXObject* s) override { return note(s, "destroyed", ""); }
    int onActivated(QXSDK::QXObject* s, int state, int minimized) override
    {
        return note(s, "activated", activationState(state) + "," + std::to_string(minimized));
    }
    int onTimer(QXSDK::QXObject* s) override { return note(s, "timer", ""); }
    int onMouseActivated(QXSDK::QXObject* s) override { return note(s, "mouseActivated", ""); }
    int onCommand(QXSDK::QXObject* s, int m, int w, int l) override { return note(s, "command", numbers(m, w) + "," + std::to_string(l)); }
    int onMessage(QXSDK::QXObject* s, int m, int w, int l) override { return note(s, "message", numbers(m, w) + "," + std::to_string(l)); }
    int onMouseExited(QXSDK::QXObject* s) override { return note(s, "exited", ""); }
    int onMouseEntered(QXSDK::QXObject* s) override { return note(s, "entered", ""); }
    int onMouseHovered(QXSDK::QXObject* s, QXSDK::QXPoint p) override { return note(s, "hovered", point(p)); }
    int onFilesDropped(QXSDK::QXObject* s, QXSDK::TQXList<QXSDK::QXString> files) override;
    int onHotKey(QXSDK::QXObject* s, int id, int m, int k) override { return note(s, "hotKey", numbers(id, m) + "," + std::to_string(k)); }

private:
    int note(QXSDK::QXObject* source, const std::string& event, const std::string& args);
    static std::string point(QXSDK::QXPoint& p) { return std::to_string(p.getX()) + "," + std::to_string(p.getY()); }
    static std::string rect(QXSDK::QXRect& r);
    static std::string numbers(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
    // The names of the listener codes, the number for any other.
    static std::string activationState(int state);
    static std::string resizeKind(int kind);
    static std::string showReason(int reason);

    EventLog& log;
    std::string name;
    std::map<std::string, int> answers;
};

// An action listener that writes "name:action(source?,id,value)".
class RecordingActionListener : public QXSDK::IQXActionListener {
public:
    RecordingActionListener(EventLog& log, const std::string& name) : QXObject(), log(log), name(name) {}
    int actionPerformed(QXSDK::QXObject* source, int id, long long value) override;
    QXSDK::QXObject* lastSource = nullptr;
    int result = 1;

private:
    EventLog& log;
    std::string name;
};

} // namespace testsupport
