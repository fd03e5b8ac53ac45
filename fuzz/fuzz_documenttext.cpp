// Document encodings and charset declarations. A file that opens unchanged (its text holds
// no replacement character) saves back to the same bytes; any text saves to bytes that open
// to it again when its encoding can hold it. Rewriting the charset changes the declarations
// only: the text between them stays as it was, and the charset list then shows the new one.
#include "FuzzSupport.h"

#include "util/CharsetDeclarations.h"
#include "util/DocumentText.h"

using namespace DocumentText;

namespace {

constexpr QChar kReplacement(0xFFFD);

void checkEncodings(const QByteArray &bytes)
{
    const QString encoding = DetectEncoding(bytes);
    FUZZ_CHECK(IsEncodingName(encoding));
    const QString text = DecodeText(bytes, encoding);
    QByteArray saved;
    FUZZ_CHECK(EncodeText(text, encoding, &saved));
    if (!text.contains(kReplacement))
        FUZZ_CHECK(saved == bytes);
    FUZZ_CHECK(DecodeText(saved, encoding) == text);
    // Any text through the Unicode encodings.
    for (const QString &unicode : {Utf8, Utf8Bom, LittleEndian, BigEndian}) {
        QByteArray out;
        FUZZ_CHECK(EncodeText(text, unicode, &out));
        FUZZ_CHECK(DecodeText(out, unicode) == text);
    }
}

void checkCharsets(const QString &text)
{
    const int shown = SetCBCharset(text);
    FUZZ_CHECK(shown == NoCharsetChange || (shown >= 0 && shown < CBCharsetItems().size()));

    const auto before = CharsetDeclarations::Find(text, 102);
    QString rewritten;
    const bool changed = ReplaceCharsetInDocument(text, QStringLiteral("iso-8859-15"), &rewritten);
    FUZZ_CHECK(changed == !before.isEmpty());
    if (!changed)
        return;
    const auto after = CharsetDeclarations::Find(rewritten, 102);
    FUZZ_CHECK(after.size() == before.size());
    int pos = 0;
    int newPos = 0;
    for (int i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(QStringView(text).sliced(pos, before[i].DeclStart - pos)
                   == QStringView(rewritten).sliced(newPos, after[i].DeclStart - newPos));
        FUZZ_CHECK(QStringView(rewritten).sliced(after[i].ValueStart, after[i].ValueEnd - after[i].ValueStart)
                   == QLatin1String("iso-8859-15"));
        pos = before[i].DeclEnd;
        newPos = after[i].DeclEnd;
    }
    FUZZ_CHECK(QStringView(text).sliced(pos) == QStringView(rewritten).sliced(newPos));
    FUZZ_CHECK(SetCBCharset(rewritten) == CBCharsetItems().indexOf(QStringLiteral("iso-8859-15")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    checkEncodings(bytes);
    checkCharsets(QString::fromUtf8(bytes));
    return 0;
}
