// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
class TPermissionManager;

// The name a download is proposed under, from the name the site suggests: its last path
// component, with control characters, path separators and characters file systems refuse
// replaced by "_", without leading dots or blanks, at most 255 bytes of UTF-8 with the extension
// kept; "download" when nothing is left. The site chooses the name, never the folder.
QString DownloadFileName(const QString &suggested);

// The user's downloads folder, created when it is missing.
QString DownloadsFolder();

// One download in the download strip: its file name, progress, and Cancel, then Open once the
// file is complete.
class TDownloadItem : public QWidget
{
    Q_OBJECT

public:
    TDownloadItem(QWebEngineDownloadRequest *download, QWidget *parent = nullptr);

    QString FilePath() const { return FFilePath; }
    QWebEngineDownloadRequest *Download() const { return FDownload; }

Q_SIGNALS:
    void Dismissed();

private:
    void UpdateProgress();
    void UpdateState();
    void CancelButtonClick();
    void OpenButtonClick();

    QPointer<QWebEngineDownloadRequest> FDownload;
    QString FFilePath;
    QProgressBar *FProgressBar;
    QLabel *FStatusLabel;
    QPushButton *FCancelButton;
    QPushButton *FOpenButton;
};

// The downloads of a web app's browsing profile. Each one asks where to save (in the user's
// downloads folder first, under the name the site suggests); nothing is saved without that
// choice. A page that starts another download without a user action in between asks the
// permission "download multiple files" first. Accepted downloads show in the strip
// "DownloadBar", which the window places and which is hidden while it holds no download.
class TDownloadManager : public QObject
{
    Q_OBJECT

public:
    // Without a permission manager the question is asked every time and nothing is kept.
    TDownloadManager(QWebEngineProfile *profile, QWidget *window,
                     TPermissionManager *permissions = nullptr, QObject *parent = nullptr);

    ~TDownloadManager() override;

    QWidget *Bar() const { return FBar; }

    // Makes this the manager of page's downloads only (a further window of the web app): they
    // show in this window, and the others' managers leave them alone. A page still blank is not
    // kept: a window opened blank for a download closes once the download has started.
    void KeepToPage(QWebEnginePage *page);

Q_SIGNALS:
    // The strip was shown, hidden or changed its height: the window lays itself out again.
    void BarChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DownloadRequested(QWebEngineDownloadRequest *download);
    bool Keeps(const QWebEngineDownloadRequest *download) const;
    void RemoveItem(TDownloadItem *item);

    QWidget *FWindow;
    QPointer<QWebEnginePage> FPage; // the one page whose downloads are this manager's, if kept
    TPermissionManager *FPermissions;
    // Downloads started since the user last pressed a key or a button in the window.
    int FDownloadsSinceUserAction = 0;
    QWidget *FBar;
    QVBoxLayout *FBarLayout;
};
