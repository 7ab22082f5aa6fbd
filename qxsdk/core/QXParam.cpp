#include "qxsdk/core/QXParam.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace QXSDK {

namespace {

QXString text(const char* s)
{
    return QXString(s ? s : "");
}

} // namespace

QXParam::QXParam() : QXObject(), Map()
{
    appendTypeName("QXParam");
}

QXParam::QXParam(const QXParam& other) : QXObject(), Map(other)
{
    appendTypeName("QXParam");
}

QXParam& QXParam::operator=(const QXParam& other)
{
    Map::operator=(other);
    return *this;
}

QXParam::~QXParam()
{
}

int QXParam::set(const QXString& key, const char* value)
{
    return set(key, text(value));
}

int QXParam::set(const char* key, const char* value)
{
    return set(text(key), text(value));
}

int QXParam::set(const char* key, const QXString& value)
{
    return set(text(key), value);
}

int QXParam::set(const QXString& key, const QXString& value)
{
    remove(key);
    return put(key, value);
}

int QXParam::getString(const char* key, char* buffer, int size)
{
    return getString(text(key), buffer, size);
}

int QXParam::getString(const QXString& key, char* buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    QXString value;
    if (!get(key, value)) return 0;
    const char* bytes = value.getData() ? value.getData() : "";
    if (value.getLength() < size) {
        std::memcpy(buffer, bytes, static_cast<size_t>(value.getLength()) + 1);
    } else {
        std::memcpy(buffer, bytes, static_cast<size_t>(size) - 1);
        buffer[size - 1] = '\0';
    }
    return 1;
}

int QXParam::get(const char* key, QXString& value)
{
    return get(text(key), value);
}

int QXParam::get(const QXString& key, QXString& value)
{
    return Map::get(key, value);
}

QXString QXParam::getString(const QXString& key, const char* defaultValue)
{
    return getString(key, text(defaultValue));
}

QXString QXParam::getString(const char* key, const QXString& defaultValue)
{
    return getString(text(key), defaultValue);
}

QXString QXParam::getString(const char* key, const char* defaultValue)
{
    return getString(text(key), text(defaultValue));
}

QXString QXParam::getString(const QXString& key, const QXString& defaultValue)
{
    QXString value(defaultValue);
    get(key, value);
    return value;
}

int QXParam::takeInt(const char* key)
{
    return takeInt(text(key));
}

int QXParam::takeInt(const QXString& key)
{
    QXString value = remove(key);
    if (!value.getData() || value.getLength() == 0) return 0;
    return static_cast<int>(std::strtol(value.getData(), nullptr, 10));
}

void QXParam::clear()
{
    Map::clear();
}

QXObject* QXParam::clone()
{
    QXParam* copy = new (std::nothrow) QXParam(*this);
    if (!copy) return nullptr;
    copy->retain();
    return copy;
}

} // namespace QXSDK
