#include "program/VkNewversion.h"

#include "util/VelKandrixUtils.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {
// The tags count only within this many characters of the reply.
constexpr int ReplyWindow = 65535;
// Enough bytes for that many characters in UTF-8; a longer reply is not read further.
constexpr qint64 ReplyBytes = qint64(ReplyWindow) * 4;
} // namespace

QString VersionQuery(const QString &address, const QString &fullVersion)
{
    QString query = QStringLiteral("%1?A=%2").arg(address, KeepDigits(fullVersion));
    query.replace(QLatin1Char(' '), QLatin1Char('_'));
    return query;
}

QString VersionInReply(const QString &reply)
{
    const QString head = reply.left(ReplyWindow);
    const int open = head.indexOf(QLatin1String("<ver>"));
    const int close = head.indexOf(QLatin1String("</ver>"));
    if (open < 0 || close < 0)
        return QString();
    const int begin = open + 5;
    return close > begin ? head.mid(begin, close - begin) : QString();
}

bool IsCurrentVersion(const QString &versionText)
{
    return versionText != QLatin1String("OldVersion");
}

TVersionCheck::TVersionCheck(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

TVersionCheck::~TVersionCheck()
{
    Abandon();
}

QNetworkReply *TVersionCheck::send(const QString &address, bool head)
{
    const QUrl url(address);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return nullptr;
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    // A moved service answers with its redirection, which is not 200: the check ends there.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    return head ? m_network->head(request) : m_network->get(request);
}

void TVersionCheck::Start(const QString &address, const QString &fullVersion, int timeoutMs)
{
    Abandon();
    m_timeoutMs = timeoutMs;
    m_query = VersionQuery(address, fullVersion);
    m_body.clear();
    m_reply = send(address, true);
    if (!m_reply)
        return;
    connect(m_reply, &QNetworkReply::finished, this, &TVersionCheck::headFinished);
}

void TVersionCheck::Abandon()
{
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void TVersionCheck::headFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        finish(QString());
        return;
    }
    m_reply = send(m_query, false);
    if (!m_reply) {
        finish(QString());
        return;
    }
    connect(m_reply, &QNetworkReply::readyRead, this, &TVersionCheck::getReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &TVersionCheck::getFinished);
}

void TVersionCheck::getReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->read(ReplyBytes - m_body.size());
    if (m_body.size() < ReplyBytes)
        return;
    // The tags lie in what has come: the rest is not waited for.
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    finish(VersionInReply(QString::fromUtf8(m_body)));
}

void TVersionCheck::getFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        finish(QString());
        return;
    }
    m_body += reply->read(ReplyBytes - m_body.size());
    finish(VersionInReply(QString::fromUtf8(m_body)));
}

void TVersionCheck::finish(const QString &versionText)
{
    m_body.clear();
    emit Finished(versionText);
}
