#include "resourcepaths.h"

namespace nm::res {

QString sunIcon() {
    return QStringLiteral(":/icons/sun.svg");
}
QString benefitIcon() {
    return QStringLiteral(":/icons/button_ok.svg");
}
QString avoidIcon() {
    return QStringLiteral(":/icons/button_cance.svg");
}
QString neutralIcon() {
    return QStringLiteral(":/icons/kcmx.svg");
}
QString handCursor() {
    return QStringLiteral(":/cursors/hand2.svg");
}
QString titlePicture() {
    return QStringLiteral(":/pictures/nutrimap.svg");
}
QString portraitPicture() {
    return QStringLiteral(":/pictures/portrait.svg");
}
QString helpFolder() {
    return QStringLiteral(":/help");
}
QString helpContentsPage() {
    return QStringLiteral("contents.htm");
}

} // namespace nm::res
