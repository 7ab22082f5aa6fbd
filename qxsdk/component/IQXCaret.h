#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// A component's text caret. Windows keeps one caret per thread, so only the
// focused component's caret should be created and shown at a time. The
// operations that touch the system caret answer 0 here; ComponentCaret
// provides them.
class IQXCaret : public virtual QXObject {
public:
    IQXCaret();
    // Releases the attachment.
    ~IQXCaret() override;
    IQXCaret(const IQXCaret&) = delete;
    IQXCaret& operator=(const IQXCaret&) = delete;

    virtual int getWidth();
    virtual int getHeight();
    // The attachment with one reference added for the caller, or null.
    virtual QXObject* getAttachment();
    // Takes effect when the caret is next created.
    virtual void setWidth(int width);
    // Stores the height; a live caret of another height is re-created and shown.
    virtual void setHeight(int height);
    // Keeps object (retained), releasing the one kept before.
    virtual void setAttachment(QXObject* object);
    virtual int createCaret();
    virtual int showCaret();
    virtual int hideCaret();
    // Client coordinates of the window that owns the system caret.
    virtual int setCaretPosition(int x, int y);
    virtual int destroyCaret();
    // Changes the blink time of the whole system.
    virtual int setBlinkTime(int milliseconds);
    virtual int getBlinkTime();

protected:
    int width;
    int height;

private:
    QXObject* attachment;
};

} // namespace QXSDK
