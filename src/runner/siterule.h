// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// The site a web app keeps to: the registrable domain of an address (the part a person or
// company can register, found with the Public Suffix List), so that mail.example.co.uk and
// www.example.co.uk are one site while a.github.io and b.github.io are two. Scheme and port do
// not count: http and https of one domain are one site. An IP address, a single-label host and a
// public suffix itself are each a site of their own. All local files are one site; any other
// address without a host (about:blank, data:) belongs to no site.
QString SiteOf(const QUrl &url);

// Both addresses belong to one site (an address of no site is never the same site).
bool IsSameSite(const QUrl &a, const QUrl &b);
