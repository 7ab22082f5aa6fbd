#pragma once

#include "qxsdk/core/IQXIOStream.h"
#include "qxsdk/core/QXParam.h"
#include "qxsdk/core/QXString.h"

namespace QXSDK {

// A parameter table read from and written to a text file of key=value lines.
// Lines are trimmed of space, tab, CR and LF; empty lines and lines starting
// with '#' are skipped; the key ends at the first '=', a line without one is
// a key with an empty value; the last occurrence of a key wins. save writes
// every entry in key order as key=value followed by CR LF.
//
// Ownership: streams passed in stay their caller's; nothing here retains,
// closes or releases them.
class QXProperties : public virtual QXParam {
public:
    QXProperties();
    ~QXProperties() override;

    // Replaces the table by the stream's lines, read from its start; 0 for a
    // null stream (table unchanged).
    virtual int load(IQXIOStream* in);
    // Replaces the table by the file's lines; 0 (table unchanged) when the
    // file cannot be opened.
    virtual int load(QXString path);
    // Writes the table in one write; 1 when every byte was written.
    virtual int save(IQXIOStream* out);
    // Creates or truncates the file and writes the table into it.
    virtual int save(QXString path);
    // One line with its line end; 0 at the end of data.
    virtual int readLine(IQXIOStream* in, QXString& line);
};

} // namespace QXSDK
