#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

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
// choice. Accepted downloads show in the strip "DownloadBar", which the window places and which
// is hidden while it holds no download.
class TDownloadManager : public QObject
{
    Q_OBJECT

public:
    TDownloadManager(QWebEngineProfile *profile, QWidget *window, QObject *parent = nullptr);

    QWidget *Bar() const { return FBar; }

Q_SIGNALS:
    // The strip was shown, hidden or changed its height: the window lays itself out again.
    void BarChanged();

private:
    void DownloadRequested(QWebEngineDownloadRequest *download);
    void RemoveItem(TDownloadItem *item);

    QWidget *FWindow;
    QWidget *FBar;
    QVBoxLayout *FBarLayout;
};
