#pragma once
#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A small HTTP server on 127.0.0.1 that records each request line and answers HEAD and GET
// as told (a redirection of the service leads to another page, which answers 200); silent,
// it accepts connections and never answers.
class LocalServer : public QObject {
    Q_OBJECT
public:
    int headStatus = 200;
    QByteArray body;
    bool silent = false;
    QStringList requests;

    LocalServer();
    // The address of the version service it stands for.
    QString address() const;

private:
    void serve(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_pending;
};
