#pragma once

#include <QString>
#include <QUrl>

namespace tombolix {

struct Services;

// Where the program keeps the files it writes (lists, pictures, public draw files), decided once
// at start-up: its own folder when a file "tombolix.portable" stands there and the folder takes a
// real write (the Windows zip and the build tree carry that file); otherwise the user's documents
// folder + "/Tombolix" (~/문서/Tombolix on a Korean desktop), made when first needed. A zip
// unpacked where the user may not write falls back to the documents folder too.
QString decideFilesFolder(const QString &programFolder, const QString &documentsFolder);

// The path of a file the program writes, in its files folder, which this makes when it is not
// there yet. A folder that cannot be made stays missing: the write fails and says so.
QString pathToWrite(const Services &services, const QString &fileName);

// The help page: beside the program (the zip, the build tree) or where a package installs it.
QUrl helpPage(const QString &programFolder);

// The entrants' page that checks a public draw (tombolix-verify.html): beside the program (the
// zip, the build tree), or in the data folder a package installs it in (…/share/tombolix); an
// empty address when neither holds it.
QUrl verifierPage(const QString &programFolder);

} // namespace tombolix
