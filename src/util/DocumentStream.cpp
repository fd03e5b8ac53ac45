#include "util/DocumentStream.h"

#include "platform/Platform.h"
#include "util/DocumentText.h"
#include "util/uDivFiles.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

namespace DocumentText {

namespace {

constexpr qsizetype CheckPiece = 1024 * 1024;

bool isContinuation(unsigned char b)
{
    return b >= 0x80 && b <= 0xBF;
}

// Length of the well-formed UTF-8 sequence at data[i], 0 when there is none.
int sequenceLength(const unsigned char *data, qsizetype n, qsizetype i)
{
    const unsigned char lead = data[i];
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > n || data[i + 1] < low || data[i + 1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(data[i + k]))
            return 0;
    }
    return length;
}

// Where the first ill-formed byte is (n when none); *nonAscii tells whether a
// well-formed non-ASCII character comes before it.
qsizetype firstInvalidUtf8(const char *bytes, qsizetype n, bool *nonAscii)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes);
    *nonAscii = false;
    qsizetype i = 0;
    while (i < n) {
        // Eight ASCII bytes at a time: most of a page.
        while (i + 8 <= n) {
            quint64 word;
            std::memcpy(&word, data + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = sequenceLength(data, n, i);
        if (length == 0)
            return i;
        *nonAscii = true;
        i += length;
    }
    return n;
}

// The length of the longest start of the bytes that ends after an ASCII byte, so that
// no character and no ill-formed sequence is split; 0 when there is no ASCII byte.
qsizetype cutAfterAscii(const char *data, qsizetype n)
{
    for (qsizetype i = n; i > 0; --i) {
        if (static_cast<unsigned char>(data[i - 1]) < 0x80)
            return i;
    }
    return 0;
}

// A cut for UTF-8 text: after an ASCII byte, else before a lead byte.
qsizetype utf8Cut(const char *data, qsizetype n)
{
    const qsizetype ascii = cutAfterAscii(data, n);
    if (ascii > 0)
        return ascii;
    for (qsizetype i = n - 1; i > 0; --i) {
        if (!isContinuation(static_cast<unsigned char>(data[i])))
            return i;
    }
    return n;
}

// Well-formed UTF-8 to Windows-1252 character by character; a character ANSI cannot
// hold becomes "?", as ToAnsi makes it.
QByteArray utf8ToAnsi(QByteArrayView utf8)
{
    const auto *data = reinterpret_cast<const unsigned char *>(utf8.data());
    const qsizetype n = utf8.size();
    // Every character ANSI holds lies below U+2200; asked once each.
    constexpr char32_t TableEnd = 0x2200;
    static const QByteArray table = [] {
        QString all;
        for (char32_t code = 0; code < TableEnd; ++code)
            all += QChar(char16_t(code));
        return ToAnsi(all);
    }();
    QByteArray out(n, Qt::Uninitialized);
    char *to = out.data();
    for (qsizetype i = 0; i < n;) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            *to++ = char(lead);
            ++i;
            continue;
        }
        const int length = sequenceLength(data, n, i);
        char32_t code = lead & (0xFF >> (length + 1));
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (data[i + k] & 0x3F);
        if (code >= 0xA0 && code <= 0xFF)
            *to++ = char(code);
        else if (code < TableEnd)
            *to++ = table[code];
        else
            *to++ = ToAnsi(Utf8Text(QByteArrayView(data + i, length))).at(0);
        i += length;
    }
    out.truncate(to - out.constData());
    return out;
}

void appendUtf8(Utf8Sink &sink, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty())
        sink.append(bytes.constData(), bytes.size());
}

// Hands the pieces on, and before the first tells the sink the whole size to expect,
// judged from how much the first piece grew or shrank in conversion.
class EstimatingSink : public Utf8Sink {
public:
    EstimatingSink(Utf8Sink &sink, qint64 total) : m_sink(sink), m_total(total) {}
    // The bytes of the file the next piece comes from.
    void setSource(qsizetype bytes) { m_source = bytes; }
    void append(const char *data, qsizetype size) override
    {
        if (!m_reserved) {
            m_reserved = true;
            const double ratio = m_source > 0 ? double(size) / double(m_source) : 1.0;
            m_sink.reserve(qint64(ratio * 1.02 * double(m_total)));
        }
        m_sink.append(data, size);
    }
    void clear() override { m_sink.clear(); }

private:
    Utf8Sink &m_sink;
    qint64 m_total;
    qsizetype m_source = 0;
    bool m_reserved = false;
};

enum class Mode { Detecting, Ansi, Utf8Bom, Utf16LE, Utf16BE };

QString encodingOf(Mode mode, bool nonAscii)
{
    switch (mode) {
    case Mode::Detecting: return nonAscii ? Utf8 : Ansi;
    case Mode::Ansi: return Ansi;
    case Mode::Utf8Bom: return Utf8Bom;
    case Mode::Utf16LE: return LittleEndian;
    case Mode::Utf16BE: return BigEndian;
    }
    return Ansi;
}

// Windows-1252 to UTF-8 byte by byte: Latin-1 bytes are their own code points, and the
// 32 bytes from 80 to 9F are looked up once.
void appendAnsi(Utf8Sink &sink, const char *data, qsizetype n)
{
    if (IsAscii(QByteArrayView(data, n))) {
        sink.append(data, n);
        return;
    }
    static const QList<QByteArray> high = [] {
        QList<QByteArray> list;
        for (int b = 0x80; b < 0xA0; ++b)
            list << FromAnsi(QByteArray(1, char(b))).toUtf8();
        return list;
    }();
    // At most three bytes each (the euro sign).
    QByteArray out(n * 3, Qt::Uninitialized);
    char *to = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b < 0x80) {
            *to++ = char(b);
        } else if (b < 0xA0) {
            const QByteArray &bytes = high[b - 0x80];
            std::memcpy(to, bytes.constData(), bytes.size());
            to += bytes.size();
        } else {
            *to++ = char(0xC0 | (b >> 6));
            *to++ = char(0x80 | (b & 0x3F));
        }
    }
    sink.append(out.constData(), to - out.constData());
}

} // namespace

QString Utf8Text(QByteArrayView utf8, bool *lossless)
{
    // Stateless, so that a cut-off last character shows rather than vanishes.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    QString text = decoder.decode(utf8);
    if (lossless)
        *lossless = !decoder.hasError();
    return text;
}

QString Utf16Text(QByteArrayView bytes, bool littleEndian, bool *lossless)
{
    QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    const bool oddByte = bytes.size() % 2 != 0;
    QString text = decoder.decode(oddByte ? bytes.chopped(1) : bytes);
    bool whole = !oddByte;
    // The decoder keeps halves of characters, which no encoding can write back.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text.at(i).isSurrogate())
            continue;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else {
            text[i] = QChar(QChar::ReplacementCharacter);
            whole = false;
        }
    }
    if (oddByte)
        text += QChar(QChar::ReplacementCharacter);
    if (lossless)
        *lossless = whole;
    return text;
}

DocumentReader::Problem DocumentReader::open(const QString &path, qint64 sizeLimit)
{
    m_file.close();
    m_file.setFileName(path);
    m_encoding.clear();
    m_error.clear();
    m_lossless = true;
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, m_file.errorString());
        return Problem::CannotOpen;
    }
    m_size = m_file.size();
    m_sizeLimit = sizeLimit;
    m_read = 0;
    if (m_size > sizeLimit) {
        m_error = QStringLiteral("\"%1\" is larger than the editor can hold.").arg(path);
        m_file.close();
        return Problem::TooLarge;
    }
    return Problem::None;
}

bool DocumentReader::fill(QByteArray &buffer, qsizetype *held, bool *atEnd)
{
    while (!*atEnd && *held < buffer.size()) {
        const qint64 got = m_file.read(buffer.data() + *held, buffer.size() - *held);
        if (got < 0) {
            m_error = QStringLiteral("Cannot read file \"%1\". %2").arg(m_file.fileName(), m_file.errorString());
            return false;
        }
        if (got == 0)
            *atEnd = true;
        *held += got;
        // A device that never ends (or a file that grows while read) is not read forever.
        m_read += got;
        if (m_read > m_sizeLimit) {
            m_error = QStringLiteral("\"%1\" is larger than the editor can hold.").arg(m_file.fileName());
            return false;
        }
    }
    return true;
}

DocumentReader::Problem DocumentReader::read(Utf8Sink &target)
{
    if (!m_file.isOpen()) {
        m_error = QStringLiteral("Cannot read file \"%1\".").arg(m_file.fileName());
        return Problem::ReadFailed;
    }
    // A device that tells no size gets whole pieces.
    QByteArray buffer(m_size > 0 ? qMin<qint64>(m_pieceSize, qMax<qint64>(m_size, 4)) : m_pieceSize, Qt::Uninitialized);
    qsizetype held = 0;
    bool atEnd = false;
    if (!fill(buffer, &held, &atEnd))
        return Problem::ReadFailed;

    const auto starts = [&](const char *mark, qsizetype length) {
        return held >= length && std::memcmp(buffer.constData(), mark, length) == 0;
    };
    Mode mode = Mode::Detecting;
    qsizetype skip = 0;
    if (starts("\xEF\xBB\xBF", 3)) {
        mode = Mode::Utf8Bom;
        skip = 3;
    } else if (starts("\xFF\xFE", 2)) {
        mode = Mode::Utf16LE;  // FF never appears in UTF-8
        skip = 2;
    } else if (starts("\xFE\xFF", 2)) {
        mode = Mode::Utf16BE;
        skip = 2;
    }
    const bool utf16 = mode == Mode::Utf16LE || mode == Mode::Utf16BE;
    EstimatingSink sink(target, m_size - skip);
    std::memmove(buffer.data(), buffer.constData() + skip, held - skip);
    held -= skip;

    bool nonAscii = false;
    while (held > 0) {
        const char *data = buffer.constData();
        qsizetype cut = held;
        if (!atEnd) {
            if (mode == Mode::Detecting || mode == Mode::Utf8Bom) {
                cut = cutAfterAscii(data, held);
            } else if (utf16) {
                cut = held & ~qsizetype(1);
                // A surrogate pair stays whole.
                const auto high = static_cast<unsigned char>(data[cut - (mode == Mode::Utf16LE ? 1 : 2)]);
                if (high >= 0xD8 && high <= 0xDB)
                    cut -= 2;
            }
            if (cut == 0) {
                // No place to cut in a whole buffer: take more.
                buffer.resize(buffer.size() * 2);
                if (!fill(buffer, &held, &atEnd))
                    return Problem::ReadFailed;
                continue;
            }
        }

        sink.setSource(cut);
        switch (mode) {
        case Mode::Detecting: {
            bool before = false;
            const qsizetype bad = firstInvalidUtf8(data, cut, &before);
            if (bad == cut) {
                sink.append(data, cut);
                nonAscii = nonAscii || before;
            } else if (!nonAscii && !before) {
                // Only ASCII so far, which reads the same in ANSI.
                mode = Mode::Ansi;
                appendAnsi(sink, data, cut);
            } else {
                // UTF-8 characters, then a stray byte: the whole file is ANSI.
                mode = Mode::Ansi;
                sink.clear();
                if (!m_file.seek(0)) {
                    m_error = QStringLiteral("Cannot read file \"%1\". %2").arg(m_file.fileName(), m_file.errorString());
                    return Problem::ReadFailed;
                }
                held = 0;
                atEnd = false;
                m_read = 0;
                if (!fill(buffer, &held, &atEnd))
                    return Problem::ReadFailed;
                continue;
            }
            break;
        }
        case Mode::Ansi:
            appendAnsi(sink, data, cut);
            break;
        case Mode::Utf8Bom: {
            bool before = false;
            if (firstInvalidUtf8(data, cut, &before) == cut) {
                sink.append(data, cut);
            } else {
                m_lossless = false;
                appendUtf8(sink, Utf8Text(QByteArrayView(data, cut)));
            }
            break;
        }
        case Mode::Utf16LE:
        case Mode::Utf16BE: {
            bool whole = true;
            appendUtf8(sink, Utf16Text(QByteArrayView(data, cut), mode == Mode::Utf16LE, &whole));
            m_lossless = m_lossless && whole;
            break;
        }
        }
        std::memmove(buffer.data(), buffer.constData() + cut, held - cut);
        held -= cut;
        if (!fill(buffer, &held, &atEnd))
            return Problem::ReadFailed;
    }
    m_encoding = encodingOf(mode, nonAscii);
    m_file.close();
    return Problem::None;
}

bool EncodeUtf8(QByteArrayView utf8, const QString &encoding,
                const std::function<bool(const char *, qsizetype)> &write, qsizetype pieceSize)
{
    pieceSize = qMax<qsizetype>(pieceSize, 4);
    const char *data = utf8.data();
    const qsizetype n = utf8.size();
    if (encoding == Utf8)
        return n == 0 || write(data, n);
    if (encoding == Utf8Bom)
        return write("\xEF\xBB\xBF", 3) && (n == 0 || write(data, n));
    const bool ansi = encoding == Ansi;
    const bool little = encoding == LittleEndian;
    if (!ansi && !little && encoding != BigEndian)
        return false;
    if (!ansi && !write(little ? "\xFF\xFE" : "\xFE\xFF", 2))
        return false;
    QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    for (qsizetype at = 0; at < n;) {
        qsizetype length = n - at;
        if (length > pieceSize)
            length = utf8Cut(data + at, pieceSize);
        const QByteArrayView piece(data + at, length);
        bool nonAscii = false;
        if (ansi && IsAscii(piece)) {
            if (!write(piece.data(), length))
                return false;
        } else if (ansi && firstInvalidUtf8(piece.data(), length, &nonAscii) == length) {
            const QByteArray bytes = utf8ToAnsi(piece);
            if (!write(bytes.constData(), bytes.size()))
                return false;
        } else {
            const QString text = Utf8Text(piece);
            const QByteArray bytes = ansi ? ToAnsi(text) : QByteArray(encoder.encode(text));
            if (!write(bytes.constData(), bytes.size()))
                return false;
        }
        at += length;
    }
    return true;
}

bool SaveUtf8AsType(const QString &path, QByteArrayView utf8, const QString &encoding, QString *error)
{
    if (!IsEncodingName(encoding)) {
        *error = QStringLiteral("Unknown encoding \"%1\": \"%2\" was not written.").arg(encoding, path);
        return false;
    }
    return WriteFileReplacing(
        path, [&](const auto &write) { return EncodeUtf8(utf8, encoding, write); }, error);
}

bool IsAscii(QByteArrayView bytes)
{
    const char *data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < n; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

bool Utf8FitsInAnsi(QByteArrayView utf8)
{
    const char *data = utf8.data();
    const qsizetype n = utf8.size();
    for (qsizetype at = 0; at < n;) {
        qsizetype length = n - at;
        if (length > CheckPiece)
            length = utf8Cut(data + at, CheckPiece);
        const QByteArrayView piece(data + at, length);
        if (!IsAscii(piece) && !FitsInAnsi(Utf8Text(piece)))
            return false;
        at += length;
    }
    return true;
}

qsizetype HeadLength(QByteArrayView utf8, int lines, qsizetype maxBytes)
{
    const char *data = utf8.data();
    const qsizetype n = qMin(utf8.size(), maxBytes);
    qsizetype end = n;
    int counted = 0;
    for (qsizetype k = 0; k < n; ++k) {
        if (data[k] == '\n' || (data[k] == '\r' && !(k + 1 < n && data[k + 1] == '\n'))) {
            if (++counted == lines) {
                end = k + 1;
                break;
            }
        }
    }
    // A declaration begun on the last line may run on a while.
    end = qMin(n, end + 64 * 1024);
    if (end == utf8.size())
        return end;
    while (end > 0 && isContinuation(static_cast<unsigned char>(data[end])))
        --end;
    return end;
}

} // namespace DocumentText
