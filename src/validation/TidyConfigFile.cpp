#include "validation/TidyConfigFile.h"

#include "util/DocumentText.h"
#include "util/uDivFiles.h"

#include "platform/Platform.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace {

bool isControlOrBlank(QChar c)
{
    return c.unicode() <= 32;
}

QString trimControl(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && isControlOrBlank(text.at(begin)))
        ++begin;
    while (end > begin && isControlOrBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString trimRightControl(const QString &text)
{
    int end = text.size();
    while (end > 0 && isControlOrBlank(text.at(end - 1)))
        --end;
    return text.left(end);
}

bool startsIndented(const QString &rawLine)
{
    return !rawLine.isEmpty() && (rawLine.at(0) == QLatin1Char(' ') || rawLine.at(0) == QLatin1Char('\t'));
}

// A continuation line loses its indent of (at most) two blanks; whatever blank
// follows belonged to the value, after the comma where the line was cut.
QString continuationText(const QString &rawLine)
{
    int skip = 0;
    while (skip < 2 && skip < rawLine.size()
           && (rawLine.at(skip) == QLatin1Char(' ') || rawLine.at(skip) == QLatin1Char('\t')))
        ++skip;
    return trimRightControl(rawLine.mid(skip));
}

bool entryLess(const TidyConfigEntry &a, const TidyConfigEntry &b)
{
    const int c = QString(a.name + QLatin1Char(';') + a.value)
                      .compare(b.name + QLatin1Char(';') + b.value, Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    return a.name < b.name;
}

// A cut after position i is possible when text follows that the reader will
// not take for a comment line.
bool canCutAfter(const QString &rest, int i)
{
    if (rest.at(i) != QLatin1Char(','))
        return false;
    const QString after = trimControl(rest.mid(i + 1));
    return !after.isEmpty() && !after.startsWith(QLatin1Char('/')) && !after.startsWith(QLatin1Char('#'));
}

// One option as file lines. Only tag lists are cut, and only after a comma, so
// that the reader can put the value back together exactly.
void appendOptionLines(QStringList &lines, const TidyConfigEntry &entry, bool cutAtCommas)
{
    const QString first = entry.name + QStringLiteral(": ");
    const int width = TidyConfiguration::WrapWidth;
    if (!cutAtCommas || first.size() + entry.value.size() <= width) {
        lines.append(first + entry.value);
        return;
    }
    QString prefix = first;
    QString rest = entry.value;
    while (prefix.size() + rest.size() > width) {
        const int room = width - prefix.size();
        int cut = -1;
        // The last comma that keeps the line within the width, text left after it.
        for (int i = qMin(room, int(rest.size()) - 1) - 1; i >= 0; --i) {
            if (canCutAfter(rest, i)) {
                cut = i;
                break;
            }
        }
        // A single name longer than the room: the line runs on to its comma.
        if (cut < 0) {
            for (int i = qMax(room, 0); i < rest.size() - 1; ++i) {
                if (canCutAfter(rest, i)) {
                    cut = i;
                    break;
                }
            }
        }
        if (cut < 0)
            break;
        lines.append(prefix + rest.left(cut + 1));
        rest = rest.mid(cut + 1);
        prefix = QStringLiteral("  ");
    }
    lines.append(prefix + rest);
}

} // namespace

void TidyConfiguration::setComments(const QStringList &lines)
{
    m_comments.clear();
    for (const QString &text : lines) {
        const QStringList parts = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
        for (const QString &part : parts) {
            const QString comment = trimRightControl(part);
            if (!comment.isEmpty())
                m_comments.append(comment);
        }
    }
}

int TidyConfiguration::indexOf(const QString &normalizedName) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name == normalizedName)
            return i;
    }
    return -1;
}

bool TidyConfiguration::contains(const QString &name) const
{
    return indexOf(TidyOptionModel::NormalizedName(name)) >= 0;
}

QString TidyConfiguration::value(const QString &name) const
{
    const int i = indexOf(TidyOptionModel::NormalizedName(name));
    return i < 0 ? QString() : m_entries.at(i).value;
}

bool TidyConfiguration::addOption(const QString &name, const QString &value)
{
    const QString normalized = TidyOptionModel::NormalizedName(name);
    if (!IsValidOptionName(normalized) || indexOf(normalized) >= 0)
        return false;
    m_entries.append({normalized, NormalizedValue(value)});
    return true;
}

bool TidyConfiguration::setValue(const QString &name, const QString &value)
{
    const QString normalized = TidyOptionModel::NormalizedName(name);
    if (!IsValidOptionName(normalized))
        return false;
    const int i = indexOf(normalized);
    if (i < 0)
        m_entries.append({normalized, NormalizedValue(value)});
    else
        m_entries[i].value = NormalizedValue(value);
    return true;
}

bool TidyConfiguration::removeOption(const QString &name)
{
    const int i = indexOf(TidyOptionModel::NormalizedName(name));
    if (i < 0)
        return false;
    m_entries.removeAt(i);
    return true;
}

void TidyConfiguration::clear()
{
    m_comments.clear();
    m_entries.clear();
}

bool TidyConfiguration::sameAs(const TidyConfiguration &other) const
{
    if (m_comments != other.m_comments || m_entries.size() != other.m_entries.size())
        return false;
    for (const TidyConfigEntry &entry : m_entries) {
        const int i = other.indexOf(entry.name);
        if (i < 0 || other.m_entries.at(i).value != entry.value)
            return false;
    }
    return true;
}

QList<TidyConfigBlock> TidyConfiguration::blocks(const TidyOptionModel &model) const
{
    QList<TidyConfigBlock> result;
    for (TidyOptionClass optionClass : TidyOptionModel::Classes()) {
        TidyConfigBlock block;
        block.optionClass = optionClass;
        block.title = TidyOptionModel::ClassTitle(optionClass);
        for (const TidyConfigEntry &entry : m_entries) {
            if (model.classOf(entry.name) == optionClass)
                block.entries.append(entry);
        }
        if (block.entries.isEmpty())
            continue;
        std::sort(block.entries.begin(), block.entries.end(), entryLess);
        result.append(block);
    }
    return result;
}

QList<TidyConfigEntry> TidyConfiguration::unclassified(const TidyOptionModel &model) const
{
    QList<TidyConfigEntry> result;
    for (const TidyConfigEntry &entry : m_entries) {
        if (model.classOf(entry.name) == TidyOptionClass::clNone)
            result.append(entry);
    }
    std::sort(result.begin(), result.end(), entryLess);
    return result;
}

QString TidyConfiguration::toText(const TidyOptionModel &model) const
{
    QStringList lines;
    for (const QString &comment : m_comments)
        lines.append(QStringLiteral("//") + comment);
    auto addEntry = [&](const TidyConfigEntry &entry) {
        appendOptionLines(lines, entry, model.typeOf(entry.name) == TidyValueType::tpTagNames);
    };
    for (const TidyConfigBlock &block : blocks(model)) {
        for (const TidyConfigEntry &entry : block.entries)
            addEntry(entry);
    }
    // Kept rather than dropped: Tidy may know options this program does not.
    for (const TidyConfigEntry &entry : unclassified(model))
        addEntry(entry);

    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QByteArray TidyConfiguration::toBytes(const TidyOptionModel &model) const
{
    // Reading takes a leading U+FEFF for the file's mark; a text that begins with one
    // is written behind a mark of its own, so that it reads back whole.
    const QString text = toText(model);
    QByteArray bytes;
    DocumentText::EncodeText(text, text.startsWith(QChar(0xFEFF)) ? DocumentText::Utf8Bom : DocumentText::Utf8, &bytes);
    return bytes;
}

bool TidyConfiguration::save(const QString &path, const TidyOptionModel &model, QString *error) const
{
    return WriteFileReplacing(path, toBytes(model), error);
}

TidyConfiguration TidyConfiguration::FromText(const QString &text)
{
    TidyConfiguration config;
    int pending = -1;  // the entry that an indented line continues
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString &raw : lines) {
        const QString t = trimControl(raw);
        if (t.isEmpty())
            continue;
        if (t.startsWith(QLatin1String("//")) || t.startsWith(QLatin1Char('#'))) {
            const QString comment = trimRightControl(t.mid(t.startsWith(QLatin1Char('#')) ? 1 : 2));
            if (!comment.isEmpty())
                config.m_comments.append(comment);
            // Comments stand apart from the options: a value goes on after one.
            continue;
        }
        // Tidy continues a value on lines that begin with a blank; a line
        // without a colon after an option is taken as continuing it as well,
        // as older files were written.
        if (pending >= 0 && (startsIndented(raw) || !t.contains(QLatin1Char(':')))) {
            config.m_entries[pending].value +=
                startsIndented(raw) ? continuationText(raw) : t;
            continue;
        }
        const int colon = t.indexOf(QLatin1Char(':'));
        const QString name = colon < 0 ? QString() : TidyOptionModel::NormalizedName(t.left(colon));
        if (!IsValidOptionName(name)) {
            // Neither an option nor a continuation: keep the text rather than lose it.
            config.m_comments.append(t);
            pending = -1;
            continue;
        }
        const QString value = trimControl(t.mid(colon + 1));
        // A repeated option: the later line wins, as it does for Tidy.
        pending = config.indexOf(name);
        if (pending < 0) {
            config.m_entries.append({name, value});
            pending = config.m_entries.size() - 1;
        } else {
            config.m_entries[pending].value = value;
        }
    }
    for (TidyConfigEntry &entry : config.m_entries)
        entry.value = NormalizedValue(entry.value);
    return config;
}

TidyConfiguration TidyConfiguration::FromBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return FromText(text);
    return FromText(FromAnsi(bytes));
}

bool TidyConfiguration::Load(const QString &path, TidyConfiguration *config, QString *error)
{
    QFile file(path);
    if (!file.exists()) {
        if (error)
            *error = QStringLiteral("No such file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (config)
        *config = FromBytes(bytes);
    return true;
}

bool TidyConfiguration::IsValidOptionName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('#')))
        return false;
    for (const QChar c : name) {
        if (isControlOrBlank(c) || c == QLatin1Char(':') || c.isSpace())
            return false;
    }
    return true;
}

QString TidyConfiguration::NormalizedValue(const QString &value)
{
    QString result = value;
    for (QChar &c : result) {
        if ((c.unicode() < 32 && c != QLatin1Char('\t')) || c.unicode() == 0x7F
            || c == QChar(0x2028) || c == QChar(0x2029))
            c = QLatin1Char(' ');
    }
    return trimControl(result);
}

QString TidyEncodingName(const QString &documentEncoding)
{
    if (documentEncoding == QLatin1String("Ansi"))
        return QStringLiteral("win1252");
    if (documentEncoding == QLatin1String("UTF8") || documentEncoding == QLatin1String("UTF8Bom"))
        return QStringLiteral("utf8");
    if (documentEncoding == QLatin1String("LittleEndian"))
        return QStringLiteral("utf16le");
    if (documentEncoding == QLatin1String("BigEndian"))
        return QStringLiteral("utf16be");
    return QString();
}

QString TidyOutputBom(const QString &documentEncoding)
{
    if (documentEncoding == QLatin1String("Ansi") || documentEncoding == QLatin1String("UTF8"))
        return QStringLiteral("no");
    if (documentEncoding == QLatin1String("UTF8Bom") || documentEncoding == QLatin1String("LittleEndian")
        || documentEncoding == QLatin1String("BigEndian"))
        return QStringLiteral("yes");
    return QString();
}

TidyConfiguration TidyRunConfig(const TidyConfiguration &current, const QString &documentEncoding)
{
    TidyConfiguration run = current;
    const QString tidyName = TidyEncodingName(documentEncoding);
    if (tidyName.isEmpty())
        return run;
    // char-encoding would set both directions again, depending on its place.
    run.removeOption(QStringLiteral("char-encoding"));
    run.setValue(QStringLiteral("input-encoding"), tidyName);
    run.setValue(QStringLiteral("output-encoding"), tidyName);
    run.setValue(QStringLiteral("output-bom"), TidyOutputBom(documentEncoding));
    return run;
}

bool WriteTidyRunConfig(const QString &path, const TidyConfiguration &current,
                        const TidyOptionModel &model, const QString &documentEncoding,
                        QString *error)
{
    return TidyRunConfig(current, documentEncoding).save(path, model, error);
}

QStringList TidyTagNames(const QString &value)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    return value.split(separators, Qt::SkipEmptyParts);
}

QString TidyTagList(const QStringList &names)
{
    QStringList all;
    for (const QString &text : names)
        all += TidyTagNames(text);
    return all.join(QStringLiteral(", "));
}

int TidyTabSize(const TidyConfiguration &config)
{
    bool ok = false;
    const int size = config.value(QStringLiteral("tab-size")).toInt(&ok);
    // Tidy takes 0 as well, and then counts a tab as one column.
    return ok && size >= 0 ? size : 8;
}
