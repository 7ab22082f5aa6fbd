#pragma once

#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXMap.h"

namespace QXSDK {

// String-to-string parameter table in key order. C-string arguments read a
// null pointer as the empty string; keys and values are not kept by reference.
class QXParam : public virtual TQXMap<QXString, QXString> {
public:
    QXParam();
    // Inserts every entry of other in its order.
    QXParam(const QXParam& other);
    QXParam& operator=(const QXParam& other);
    ~QXParam() override;

    virtual int set(const QXString& key, const char* value);
    virtual int set(const char* key, const char* value);
    virtual int set(const char* key, const QXString& value);
    // Replaces any entry for key by the pair; answers the insertion's result.
    virtual int set(const QXString& key, const QXString& value);
    virtual int getString(const char* key, char* buffer, int size);
    // Copies the value with its terminator into buffer, truncated to size - 1
    // bytes; 0 for a missing key, a null buffer or a size below 1.
    virtual int getString(const QXString& key, char* buffer, int size);
    virtual int get(const char* key, QXString& value);
    // Copies the value into value; 0 (value untouched) for a missing key.
    int get(const QXString& key, QXString& value) override;
    virtual QXString getString(const QXString& key, const char* defaultValue);
    virtual QXString getString(const char* key, const QXString& defaultValue);
    virtual QXString getString(const char* key, const char* defaultValue);
    // The value of key, or a copy of defaultValue when absent.
    virtual QXString getString(const QXString& key, const QXString& defaultValue);
    virtual int takeInt(const char* key);
    // Removes key and answers its value as a decimal integer (0 when absent).
    virtual int takeInt(const QXString& key);
    // Removes every entry.
    void clear() override;

    // A new QXParam (retained once) with every entry; null when memory runs out.
    QXObject* clone() override;

private:
    using Map = TQXMap<QXString, QXString>;
};

} // namespace QXSDK
