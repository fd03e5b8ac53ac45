// Reading and writing in pieces. A file read in pieces of any size gives the encoding and
// the text that reading it whole gives, within a size limit of its own size; it reports a
// loss exactly when that text written back in its encoding would not give its bytes. Any
// text written in pieces gives the bytes it gives written whole, in every encoding.
#include "FuzzSupport.h"

#include "util/DocumentStream.h"
#include "util/DocumentText.h"
#include "platform/Platform.h"

#include <QTemporaryFile>

using namespace DocumentText;

namespace {

void checkWriting(const QByteArray &utf8, qsizetype piece)
{
    const QString text = Utf8Text(utf8);
    FUZZ_CHECK(Utf8FitsInAnsi(utf8) == FitsInAnsi(text));
    for (const QString &encoding : EncodingNames()) {
        QByteArray whole;
        QByteArray pieces;
        FUZZ_CHECK(EncodeText(text, encoding, &whole));
        FUZZ_CHECK(EncodeUtf8(utf8, encoding, [&](const char *data, qsizetype size) {
            pieces.append(data, size);
            return true;
        }, piece));
        FUZZ_CHECK(pieces == whole);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const qsizetype piece = 4 + FuzzTakeByte(data, size) % 32;
    const QByteArray bytes = FuzzBytes(data, size);
    QTemporaryFile file;
    FUZZ_CHECK(file.open() && file.write(bytes) == bytes.size() && file.flush());
    struct Collect : Utf8Sink {
        QByteArray bytes;
        void append(const char *data, qsizetype size) override { bytes.append(data, size); }
        void clear() override { bytes.clear(); }
    } collect;
    DocumentReader reader;
    reader.setPieceSize(piece);
    FUZZ_CHECK(reader.open(file.fileName(), bytes.size()) == DocumentReader::Problem::None);
    FUZZ_CHECK(reader.read(collect) == DocumentReader::Problem::None);
    const QString encoding = DetectEncoding(bytes);
    FUZZ_CHECK(reader.encoding() == encoding);
    const QString text = DecodeText(bytes, encoding);
    FUZZ_CHECK(collect.bytes == text.toUtf8());
    QByteArray saved;
    FUZZ_CHECK(EncodeText(text, encoding, &saved));
    FUZZ_CHECK(reader.lossless() == (saved == bytes));

    checkWriting(collect.bytes, piece);
    // Any text, a leading U+FEFF included.
    checkWriting(Utf8Text(bytes).toUtf8(), piece);
    return 0;
}
