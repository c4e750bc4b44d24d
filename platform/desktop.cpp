#include "desktop.h"

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace nm::platform {

bool SystemDesktop::fullWindowDrag() const {
#ifdef Q_OS_WIN
    BOOL on = FALSE;
    return SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &on, 0) && on;
#else
    // X11 and Wayland window managers keep this to themselves; there is nothing to switch.
    return false;
#endif
}

void SystemDesktop::setFullWindowDrag(bool on) {
#ifdef Q_OS_WIN
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, on ? TRUE : FALSE, nullptr,
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
#else
    Q_UNUSED(on);
#endif
}

} // namespace nm::platform
