#pragma once
// The temporary copy of a document that Tidy and the preview read. It lies beside
// the document so that relative links work; a file of that name that the program
// did not put there is never replaced nor deleted.
#include <QString>

#include <functional>

namespace TemporaryCopy {

// The copy moves from oldPath to wanted: the old copy is deleted when the program
// chose it; wanted is used when no file of the user's is there, else fallback (a
// folder of the program's own).
// Returns the new path of the copy.
QString Move(const QString &oldPath, const QString &wanted, const QString &fallback);
// Writes the copy at *path with write(); where it cannot be written (a folder that is
// read-only or gone), it moves to fallback and is written there. *path follows the copy.
bool Write(QString *path, const QString &fallback, const std::function<bool(const QString &path)> &write);
// Deletes the copy when the program chose its path or it lies at ownPath (in the
// program's own folder); false when it left it alone.
bool Remove(const QString &path, const QString &ownPath);

} // namespace TemporaryCopy
