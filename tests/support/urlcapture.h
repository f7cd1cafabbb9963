#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// Receives the web addresses the program hands to the desktop while it lives.
class UrlCapture : public QObject
{
    Q_OBJECT

public:
    UrlCapture()
    {
        for (const char *scheme : {"http", "https", "file", "javascript"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");
    }
    ~UrlCapture() override
    {
        for (const char *scheme : {"http", "https", "file", "javascript"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QList<QUrl> urls;

public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};
