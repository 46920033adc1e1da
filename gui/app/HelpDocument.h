#pragma once
#include <QString>

namespace qk {

// The help document, looked for beside the program, in the folder it started in, then installed.
constexpr const char* HelpDocumentName = "MRX OI.PDF";

// The document HELP opens: the first copy there is in the program's own folder, the start
// directory and the installed copy's folder, in this order; when there is none, the path beside
// the program (whose opening then fails and is reported).
QString HelpDocumentPath(const QString& startDirectory);

// The program's own folder; tests point it elsewhere. Returns the previous one.
QString ProgramHelpDirectory();
QString SetProgramHelpDirectory(QString directory);

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
