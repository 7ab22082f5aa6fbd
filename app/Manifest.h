#pragma once

#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXList.h"

// Appends the entries of the manifest at path to entries, in file order: one
// per line, a line ending after its line feed (the last one may lack it),
// its text ending at an embedded zero byte, and the trailing blanks, tabs,
// carriage returns and line feeds cut. A file that cannot be opened, or
// whose size the file system does not give, adds nothing.
//
// The entries are those of the line-by-line loop
//     while (stream.available() != -1 && readLine(stream, line)) { trimRight; addLast }
// but the file is read in large blocks: that loop asks the file system for
// the size and seeks back once per line.
void readManifest(const QXSDK::QXString& path, QXSDK::TQXList<QXSDK::QXString>& entries);
