#pragma once
// The temporary copy of a document that Tidy and the preview read. It lies beside
// the document so that relative links work; a file of that name that the program
// did not put there is never replaced nor deleted.
#include <QSet>
#include <QString>

#include <functional>

class TemporaryCopy {
public:
    // The copy is named name; ownFolder (ending with a separator) is the program's own
    // folder, where the copy lies at first and wherever a document's folder cannot take it.
    TemporaryCopy(const QString &ownFolder, const QString &name);

    QString Path() const { return m_path; }
    // The copy moves into folder (ending with a separator): the old copy is deleted when
    // the program put it there; where a file of the user's lies, the program's folder serves.
    void MoveTo(const QString &folder);
    // Writes the copy with write(); where it cannot be written (a folder that is read-only
    // or gone), it moves to the program's folder and is written there.
    bool Write(const std::function<bool(const QString &path)> &write);
    // Deletes the copy when the program chose its path or it lies in the program's folder;
    // false when it left it alone.
    bool Remove();

private:
    QString ownPath() const { return m_ownFolder + m_name; }
    bool isOurs(const QString &path) const;
    bool remove(const QString &path) const;
    void moveToPath(const QString &wanted);

    QString m_ownFolder;
    QString m_name;
    QString m_path;
    // Paths chosen while no file was there: whatever lies there later is the program's copy.
    QSet<QString> m_chosen;
};
