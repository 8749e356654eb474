#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A small HTTP server on 127.0.0.1 for the browsing tests. A response may announce more bytes
// than it has: the server sends what it has and keeps the connection open, so a download stays
// in progress for as long as the test needs.
class TBrowsingTestServer : public QTcpServer
{
public:
    struct TResponse
    {
        QByteArray ContentType = "text/html; charset=utf-8";
        QByteArray Body;
        QByteArray ExtraHeaders;     // complete header lines, each ending in \r\n
        qint64 AnnouncedLength = -1; // above Body's size: the rest never comes
    };

    TBrowsingTestServer()
    {
        connect(this, &QTcpServer::newConnection, this, &TBrowsingTestServer::Accept);
        listen(QHostAddress::LocalHost);
    }

    void Serve(const QByteArray &path, const TResponse &response) { FResponses[path] = response; }
    void Serve(const QByteArray &path, const QByteArray &html)
    {
        FResponses[path] = {"text/html; charset=utf-8", html, {}, -1};
    }

    QUrl Url(const QByteArray &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort()) +
                    QString::fromLatin1(path));
    }

    // The paths requested so far, in order.
    const QList<QByteArray> &Requests() const { return FRequests; }
    qsizetype Count(const QByteArray &path) const { return FRequests.count(path); }

private:
    void Accept()
    {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void Read(QTcpSocket *socket)
    {
        QByteArray &buffer = FBuffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        QByteArray path = buffer.left(buffer.indexOf("\r\n")).split(' ').value(1);
        FBuffers.remove(socket);
        path = path.left(path.indexOf('?') < 0 ? path.size() : path.indexOf('?'));
        FRequests.append(path);
        const auto found = FResponses.constFind(path);
        if (found == FResponses.cend()) {
            socket->write(
                "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
        const TResponse &response = *found;
        const qint64 length = std::max<qint64>(response.AnnouncedLength, response.Body.size());
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + response.ContentType +
                      "\r\nContent-Length: " + QByteArray::number(length) +
                      "\r\nCache-Control: no-store\r\nConnection: close\r\n" +
                      response.ExtraHeaders + "\r\n" + response.Body);
        if (length == response.Body.size())
            socket->disconnectFromHost();
    }

    QHash<QByteArray, TResponse> FResponses;
    QHash<QTcpSocket *, QByteArray> FBuffers;
    QList<QByteArray> FRequests;
};
