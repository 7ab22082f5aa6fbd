#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// Receives action events (a button was pressed, ...): an id and a 64-bit
// value from a source component.
class IQXActionListener : public virtual QXObject {
public:
    IQXActionListener();
    ~IQXActionListener() override;

    // Answers 1 by default.
    virtual int actionPerformed(QXObject* source, int id, long long value);
};

} // namespace QXSDK
