#include "LocalServer.h"

#include <QNetworkProxy>
#include <QTcpSocket>

LocalServer::LocalServer()
{
    // A proxy of the machine would never reach it.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
    });
}

QString LocalServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1/version.php").arg(m_server.serverPort());
}

void LocalServer::serve(QTcpSocket *socket)
{
    QByteArray &pending = m_pending[socket];
    pending += socket->readAll();
    int end;
    while ((end = pending.indexOf("\r\n\r\n")) >= 0) {
        const QList<QByteArray> line = pending.left(pending.indexOf("\r\n")).split(' ');
        pending.remove(0, end + 4);
        requests << QString::fromLatin1(line.value(0) + ' ' + line.value(1));
        if (silent)
            continue;
        const bool head = line.value(0) == "HEAD";
        const int status = head && line.value(1) == "/version.php" ? headStatus : 200;
        const QByteArray moved = status / 100 == 3 ? "\r\nLocation: /moved.php" : "";
        socket->write("HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Not Found") + moved
                      + "\r\nContent-Type: text/html\r\nContent-Length: "
                      + QByteArray::number(head ? 0 : body.size()) + "\r\n\r\n" + (head ? QByteArray() : body));
    }
}
