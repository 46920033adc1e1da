#pragma once
#include <QString>

namespace qk {

// The help document, looked for in the working directory the program started in.
constexpr const char* HelpDocumentName = "MRX OI.PDF";

// Opens the document with the desktop's default viewer and waits for the viewer with the
// program's windows minimised. False when the document is missing or the viewer fails.
bool OpenHelpDocument(const QString& path);

// The program that opens the document; tests put a fake viewer here. Returns the previous one.
QString SetHelpViewer(QString program);

}  // namespace qk
