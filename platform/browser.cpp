#include "browser.h"

#include "messages.h"

#include <QDesktopServices>

namespace nm::platform {

QString DesktopBrowser::failureText(const QUrl& url) {
    return QStringLiteral("The web browser could not be started for %1.").arg(url.toDisplayString());
}

bool DesktopBrowser::open(const QUrl& url) {
    if (url.isValid() && QDesktopServices::openUrl(url))
        return true;
    m_messages.notice(failureTitle(), failureText(url));
    return false;
}

} // namespace nm::platform
