// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <utility>

// A small HTTP server on 127.0.0.1 for the tests: serves the pages it was given and records
// every request it gets with the headers the tests look at. A response may announce
// more bytes than it has: the server sends what it has and keeps the connection open, so a
// download stays in progress for as long as the test needs.
class THttpTestServer : public QTcpServer
{
public:
    struct TRequest
    {
        QByteArray Path; // with its query
        QByteArray UserAgent;
        QByteArray Cookie;
        QByteArray Authorization;
    };

    struct TResponse
    {
        QByteArray ContentType = "text/html; charset=utf-8";
        QByteArray Body;
        QByteArray ExtraHeaders;     // complete header lines, each ending in \r\n
        qint64 AnnouncedLength = -1; // above Body's size: the rest never comes
    };

    THttpTestServer()
    {
        connect(this, &QTcpServer::newConnection, this, &THttpTestServer::Accept);
        listen(QHostAddress::LocalHost);
    }

    // Serves path (without query) with body from now on.
    void Serve(const QByteArray &path, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8",
               const QByteArray &extraHeaders = {})
    {
        FPages.insert(path, {contentType, body, extraHeaders});
    }
    void Serve(const QByteArray &path, const TResponse &response) { FPages.insert(path, response); }
    // Serves body for every path not given to Serve, instead of "404 Not Found".
    void ServeOtherPaths(const QByteArray &body)
    {
        FOtherPaths = TResponse{"text/html; charset=utf-8", body, {}, -1};
    }

    // From now on path (without query) is served only to requests that sign in as user with
    // password (HTTP Basic); others get "401 Unauthorized" asking for it under realm.
    void RequireSignIn(const QByteArray &path, const QByteArray &user, const QByteArray &password,
                       const QByteArray &realm)
    {
        FSignIns.insert(path, {"Basic " + (user + ':' + password).toBase64(), realm});
    }

    QUrl Url(const QByteArray &pathAndQuery) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort()) +
                    QString::fromLatin1(pathAndQuery));
    }

    const QList<TRequest> &Requests() const { return FRequests; }
    void ClearRequests() { FRequests.clear(); }
    // How many requests asked for path (without query).
    qsizetype Count(const QByteArray &path) const
    {
        return std::count_if(
            FRequests.cbegin(), FRequests.cend(),
            [&path](const TRequest &request) { return request.Path.split('?').first() == path; });
    }

    // The first request whose path (with query) is pathAndQuery, or null.
    const TRequest *Find(const QByteArray &pathAndQuery) const
    {
        for (const TRequest &request : FRequests) {
            if (request.Path == pathAndQuery)
                return &request;
        }
        return nullptr;
    }

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
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.clear();
        TRequest request;
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.Path = requestLine.value(1);
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "user-agent")
                request.UserAgent = value;
            else if (name == "cookie")
                request.Cookie = value;
            else if (name == "authorization")
                request.Authorization = value;
        }
        FRequests.append(request);

        const QByteArray path = request.Path.split('?').first();
        FBuffers.remove(socket);
        const auto signIn = FSignIns.constFind(path);
        if (signIn != FSignIns.cend() && request.Authorization != signIn->first) {
            const QByteArray body = "<title>Denied</title>denied";
            socket->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"" +
                          signIn->second + "\"\r\nContent-Type: text/html\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
            return;
        }
        const auto found = FPages.constFind(path);
        if (found == FPages.cend() && !FOtherPaths) {
            socket->write(
                "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
        const TResponse &page = found != FPages.cend() ? *found : *FOtherPaths;
        const qint64 length = std::max<qint64>(page.AnnouncedLength, page.Body.size());
        socket->write(
            "HTTP/1.1 200 OK\r\nContent-Type: " + page.ContentType +
            "\r\nCache-Control: no-store\r\nContent-Length: " + QByteArray::number(length) +
            "\r\n" + page.ExtraHeaders + "Connection: close\r\n\r\n" + page.Body);
        if (length == page.Body.size())
            socket->disconnectFromHost();
    }

    QMap<QByteArray, TResponse> FPages;
    QMap<QByteArray, std::pair<QByteArray, QByteArray>> FSignIns; // the header expected, the realm
    std::optional<TResponse> FOtherPaths;
    QList<TRequest> FRequests;
    QMap<QTcpSocket *, QByteArray> FBuffers;
};
