#pragma once
#include <QString>

namespace qk {

// The help document, looked for in the working directory the program started in.
constexpr const char* HelpDocumentName = "MRX OI.PDF";

// The document HELP opens: the start directory's copy when it is there, else the installed copy
// when that is there, else the start directory's path (whose opening then fails and is reported).
QString HelpDocumentPath(const QString& startDirectory);

// The folder of the installed copy: share/qk3xx of the prefix the program is installed in, found
// from the executable's own folder so that the tree can be installed under any prefix.
QString InstalledHelpDirectory();

// Tests point the installed copy's folder elsewhere. Returns the previous one.
QString SetInstalledHelpDirectory(QString directory);

// Opens the document with the desktop's default viewer and waits for the viewer with the
// program's windows minimised. False when the document is missing or the viewer fails.
bool OpenHelpDocument(const QString& path);

// The program that opens the document; tests put a fake viewer here. Returns the previous one.
QString SetHelpViewer(QString program);

}  // namespace qk
