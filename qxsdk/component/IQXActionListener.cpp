#include "qxsdk/component/IQXActionListener.h"

namespace QXSDK {

IQXActionListener::IQXActionListener() : QXObject()
{
}

IQXActionListener::~IQXActionListener()
{
}

int IQXActionListener::actionPerformed(QXObject*, int, long long)
{
    return 1;
}

} // namespace QXSDK
