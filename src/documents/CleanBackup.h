#pragma once
// The text of a document as it stood before Clean, kept in a file so that the clean can be
// undone when the editor's own undo history no longer reaches it.
#include <QString>

#include <optional>

class TDocument;

class CleanBackup {
public:
    explicit CleanBackup(const QString &path) : m_path(path) {}

    // Keeps the document's text exactly, whatever its encoding; false with the reason.
    bool Write(TDocument *document, QString *error);
    bool Exists() const;
    // The kept text; nothing, with the reason, when the file cannot be read.
    std::optional<QString> Read(QString *error) const;

private:
    QString m_path;
};
