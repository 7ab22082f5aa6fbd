#pragma once

#include "qxsdk/core/QXString.h"

// The files of the installation that the uninstaller knows by name, all in
// the program's own directory beside uninstall.exe.

// The manifest: what was installed, the product's registry key last.
constexpr char kManifestFile[] = "install.txt";
// The former file type of each image extension.
constexpr char kAssociationsFile[] = "filelink.txt";
// The product's Explorer shell extension.
constexpr char kShellExtensionFile[] = "VexloShellEx.dll";

// The full path of one of them: programDir (no trailing backslash), a
// backslash, the name.
inline QXSDK::QXString installationFile(const QXSDK::QXString& programDir, const char* name)
{
    return programDir + "\\" + name;
}
