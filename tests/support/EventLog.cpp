#include "tests/support/EventLog.h"

#include <initializer_list>
#include <utility>

namespace testsupport {

int RecordingListener::note(QXSDK::QXObject* source, const std::string& event, const std::string& args)
{
    lastSource = source;
    log.push_back(name + ":" + event + "(" + args + ")");
    auto found = answers.find(event);
    return found == answers.end() ? 1 : found->second;
}

std::string RecordingListener::rect(QXSDK::QXRect& r)
{
    return std::to_string(r.getX()) + "," + std::to_string(r.getY()) + "," + std::to_string(r.getWidth()) + "," +
           std::to_string(r.getHeight());
}

namespace {

using Listener = QXSDK::IQXComponentListener;

std::string named(int code, std::initializer_list<std::pair<int, const char*>> names)
{
    for (const auto& name : names)
        if (name.first == code) return name.second;
    return std::to_string(code);
}

} // namespace

std::string RecordingListener::activationState(int state)
{
    return named(state, {{Listener::kActivated, "activated"},
                         {Listener::kActivatedByClick, "byClick"},
                         {Listener::kDeactivated, "deactivated"}});
}

std::string RecordingListener::resizeKind(int kind)
{
    return named(kind, {{Listener::kMaxHidden, "maxHidden"},
                        {Listener::kMaximized, "maximized"},
                        {Listener::kMaxShown, "maxShown"},
                        {Listener::kMinimized, "minimized"},
                        {Listener::kRestored, "restored"}});
}

std::string RecordingListener::showReason(int reason)
{
    return named(reason, {{Listener::kShowCalled, "showCalled"},
                          {Listener::kCoveredByZoom, "coveredByZoom"},
                          {Listener::kOwnerMinimized, "ownerMinimized"},
                          {Listener::kOwnerRestored, "ownerRestored"}});
}

int RecordingListener::onFilesDropped(QXSDK::QXObject* s, QXSDK::TQXList<QXSDK::QXString> files)
{
    std::vector<std::string> names;
    for (int more = files.moveFirst(); more; more = files.moveNext()) names.push_back(files.getCurrent()->getData());
    droppedLists.push_back(names);
    // Change the copy: the next receiver must not see it.
    files.clear();
    return note(s, "dropped", std::to_string(names.size()));
}

int RecordingActionListener::actionPerformed(QXSDK::QXObject* source, int id, long long value)
{
    lastSource = source;
    log.push_back(name + ":action(" + std::to_string(id) + "," + std::to_string(value) + ")");
    return result;
}

} // namespace testsupport
