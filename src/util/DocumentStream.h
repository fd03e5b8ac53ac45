#pragma once
// Reading and writing documents in pieces: a file goes to the editor as UTF-8 and the
// editor's UTF-8 goes back to the file, converted a piece at a time, so that a large
// page never sits in memory more than once beside the editor's own copy.
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>

namespace DocumentText {

// Receives a document's text as UTF-8, in order.
class Utf8Sink {
public:
    virtual ~Utf8Sink() = default;
    // A hint of the whole text's size, before the first piece.
    virtual void reserve(qint64 bytes) { Q_UNUSED(bytes); }
    virtual void append(const char *data, qsizetype size) = 0;
    // Forget what was appended: the text starts again.
    virtual void clear() = 0;
};

class DocumentReader {
public:
    enum class Problem { None, CannotOpen, TooLarge, ReadFailed };

    // More than the editor can hold.
    static constexpr qint64 DefaultSizeLimit = qint64(2) * 1024 * 1024 * 1024;

    // Opens the file and checks its size; nothing is read yet.
    Problem open(const QString &path, qint64 sizeLimit = DefaultSizeLimit);
    // Reads the file through once, detecting its encoding as DetectEncoding does on the
    // whole file, and hands the text to the sink; the same text as DecodeText gives.
    Problem read(Utf8Sink &sink);

    // The size of the pieces read (tests use small ones).
    void setPieceSize(qsizetype bytes) { m_pieceSize = qMax<qsizetype>(bytes, 4); }
    qint64 size() const { return m_size; }
    // One of the five encoding names, once read.
    QString encoding() const { return m_encoding; }
    // False when some bytes did not decode in that encoding (they show as U+FFFD): the
    // text written back would not give the file's bytes.
    bool lossless() const { return m_lossless; }
    // The system's reason, with the path, when open or read failed.
    QString error() const { return m_error; }

private:
    bool fill(QByteArray &buffer, qsizetype *held, bool *atEnd);

    QFile m_file;
    qint64 m_size = 0;
    qint64 m_sizeLimit = DefaultSizeLimit;
    qint64 m_read = 0;
    qsizetype m_pieceSize = 1024 * 1024;
    QString m_encoding;
    QString m_error;
    bool m_lossless = true;
};

// The text of UTF-8 bytes that carry no byte-order mark (a piece, the editor's buffer): a
// U+FEFF at their start is a character as anywhere else, where QString::fromUtf8 would
// drop it. Each ill-formed byte shows as U+FFFD; *lossless tells whether there was none.
QString Utf8Text(QByteArrayView utf8, bool *lossless = nullptr);
// The text of UTF-16 bytes, the mark left out; a lone surrogate and an odd last byte show
// as U+FFFD, and *lossless tells whether there was none.
QString Utf16Text(QByteArrayView bytes, bool littleEndian, bool *lossless = nullptr);

// Hands UTF-8 bytes to the writer in the encoding (its mark first), converting a piece at
// a time; a piece never splits a character. False when the writer refuses a piece or the
// encoding is not one of the five.
bool EncodeUtf8(QByteArrayView utf8, const QString &encoding,
                const std::function<bool(const char *, qsizetype)> &write, qsizetype pieceSize = 1024 * 1024);
// Writes UTF-8 text to a file in the encoding, replacing it only once all is written
// (as WriteFileReplacing does). False with the reason in *error.
bool SaveUtf8AsType(const QString &path, QByteArrayView utf8, const QString &encoding, QString *error);

// True when every character of the UTF-8 text survives the trip to ANSI.
bool Utf8FitsInAnsi(QByteArrayView utf8);
bool IsAscii(QByteArrayView bytes);

// The start of a UTF-8 text up to the end of its first lines, and a margin beyond so a
// tag begun there ends in it; never more than maxBytes, never cut inside a character.
qsizetype HeadLength(QByteArrayView utf8, int lines, qsizetype maxBytes);

} // namespace DocumentText
