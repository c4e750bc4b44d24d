#include "dialogunits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace nm::platform {

QFont windowFont() {
    static const QString family = [] {
        const QStringList candidates = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                        QStringLiteral("/usr/share/fonts/truetype/wine/tahoma.ttf")};
        for (const QString& path : candidates) {
            const int id = QFontDatabase::addApplicationFont(path);
            if (id >= 0) {
                const QStringList families = QFontDatabase::applicationFontFamilies(id);
                if (!families.isEmpty())
                    return families.first();
            }
        }
        if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
            return QStringLiteral("Tahoma");
        return QStringLiteral("DejaVu Sans");
    }();
    QFont font(family);
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics fm(font);
    // The classic average width: the mean advance of the 52 Latin letters, rounded.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int total = fm.horizontalAdvance(letters);
    m_baseX = qMax(1, (total / 26 + 1) / 2);
    m_baseY = qMax(1, fm.height());
}

}  // namespace nm::platform
