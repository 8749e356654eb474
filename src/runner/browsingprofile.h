// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QWebEngineProfile;

// The browsing data (cookies, storage, cache) a web app window uses.

// The persistent profile of the web app with this Id: kept between runs under the program's data
// folder, session cookies included, so a user who signed in stays signed in. Windows of the same
// Id in one process share one profile; it lives as long as one of them holds it.
std::shared_ptr<QWebEngineProfile> PersistentBrowsingProfile(const QByteArray &id);

// A profile that keeps nothing after it is released (the designer's preview).
std::shared_ptr<QWebEngineProfile> OffTheRecordBrowsingProfile();

// The folder of a web app's browsing data. The Id comes from a file anyone can edit, so only a
// hash of it reaches the file system.
QString BrowsingProfileFolder(const QByteArray &id);
