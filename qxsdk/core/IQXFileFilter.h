#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

namespace QXSDK {

// Chooses the entries of a directory listing.
class IQXFileFilter : public virtual QXObject {
public:
    ~IQXFileFilter() override {}
    // Nonzero keeps the entry of that bare name.
    virtual int accept(QXString name) = 0;
};

} // namespace QXSDK
