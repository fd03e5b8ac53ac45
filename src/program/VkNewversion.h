#pragma once
// The check for a newer version: one HEAD request to the service address, then, only
// when it answers 200 (redirections are not followed), a GET whose reply names the state
// of the running version between "<ver>" and "</ver>". Asynchronous: nothing here waits
// for the network.
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// The GET address: "address?A=digits of the version", every blank made "_".
QString VersionQuery(const QString &address, const QString &fullVersion);
// The text between the first "<ver>" and the first "</ver>"; both tags must lie within the
// reply's first 65535 characters. Empty when a tag is missing or they are out of order.
QString VersionInReply(const QString &reply);
// True unless the service says "OldVersion".
bool IsCurrentVersion(const QString &versionText);

class TVersionCheck : public QObject {
    Q_OBJECT
public:
    explicit TVersionCheck(QObject *parent = nullptr);
    ~TVersionCheck() override;
    // Sends the HEAD request; each request gives up after timeoutMs.
    void Start(const QString &address, const QString &fullVersion, int timeoutMs);
    // Drops the check in progress: Finished is not emitted.
    void Abandon();
    bool IsRunning() const { return !m_reply.isNull(); }

signals:
    // The text between the tags; empty after any failure, a status other than 200 or a
    // reply without the tags.
    void Finished(const QString &versionText);

private:
    void headFinished();
    void getReadyRead();
    void getFinished();
    void finish(const QString &versionText);
    QNetworkReply *send(const QString &address, bool head);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QString m_query;
    QByteArray m_body;
    int m_timeoutMs = 10000;
};
