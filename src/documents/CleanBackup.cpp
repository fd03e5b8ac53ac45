#include "documents/CleanBackup.h"

#include "documents/DocumentFile.h"
#include "documents/TDocument.h"
#include "util/DocumentStream.h"
#include "util/uDivFiles.h"

#include <QFile>
#include <QFileInfo>

bool CleanBackup::Write(TDocument *document, QString *error)
{
    // The editor's own bytes, not a copy: nothing changes them while the file is written.
    const QByteArrayView buffer = EditorBuffer(document->editor());
    return WriteFileReplacing(m_path, QByteArray::fromRawData(buffer.data(), buffer.size()), error);
}

bool CleanBackup::Exists() const
{
    return QFileInfo::exists(m_path);
}

std::optional<QString> CleanBackup::Read(QString *error) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return DocumentText::Utf8Text(file.readAll());
}
