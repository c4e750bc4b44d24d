#include "exporttypes.h"

#include <algorithm>

namespace nm::platform {

QString exportKindCode(ExportKind kind) {
    switch (kind) {
    case ExportKind::Print:
        return QStringLiteral("WMF");
    case ExportKind::Rtf:
        return QStringLiteral("RTF");
    case ExportKind::Excel:
        return QStringLiteral("XLS");
    case ExportKind::Csv:
        return QStringLiteral("CSV");
    }
    return {};
}

bool exportKindFromCode(const QString& code, ExportKind* kind) {
    for (ExportKind k : {ExportKind::Print, ExportKind::Rtf, ExportKind::Excel, ExportKind::Csv}) {
        if (code.trimmed().compare(exportKindCode(k), Qt::CaseInsensitive) == 0) {
            if (kind)
                *kind = k;
            return true;
        }
    }
    return false;
}

QString exportFileSuffix(ExportKind kind) {
    switch (kind) {
    case ExportKind::Rtf:
        return QStringLiteral("rtf");
    case ExportKind::Excel:
        return QStringLiteral("xlsx");
    case ExportKind::Csv:
        return QStringLiteral("csv");
    case ExportKind::Print:
        break;
    }
    return {};
}

ExportPage exportPage(const ExportOptions& o) {
    double w = o.width;
    double h = o.height;
    if (w < 50 || h < 50 || w > 2000 || h > 2000) {
        w = 210;
        h = 297;
    }
    ExportPage page;
    page.portrait = o.portrait != 0;
    page.widthMm = page.portrait ? std::min(w, h) : std::max(w, h);
    page.heightMm = page.portrait ? std::max(w, h) : std::min(w, h);
    auto margin = [](std::int32_t mm) { return std::clamp(double(mm), 0.0, 100.0); };
    page.leftMm = margin(o.mLeft) + margin(o.gutter);
    page.rightMm = margin(o.mRight);
    page.topMm = margin(o.mTop);
    page.bottomMm = margin(o.mBottom);
    return page;
}

}  // namespace nm::platform
