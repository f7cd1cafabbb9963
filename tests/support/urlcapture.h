#pragma once

#include "core/browser.h"

#include <QList>
#include <QUrl>

// Takes the desktop's place for the web addresses the program hands to it
// while the object lives, and collects them. A capture that does not open
// stands for a desktop without a browser: each opening fails.
class UrlCapture
{
public:
    explicit UrlCapture(bool opens = true)
        : m_previous(browser::setOpener([this, opens](const QUrl &url) {
              urls.append(url);
              return opens;
          }))
    {
    }
    ~UrlCapture() { browser::setOpener(std::move(m_previous)); }
    UrlCapture(const UrlCapture &) = delete;
    UrlCapture &operator=(const UrlCapture &) = delete;

    QList<QUrl> urls;

private:
    std::function<bool(const QUrl &)> m_previous;
};
