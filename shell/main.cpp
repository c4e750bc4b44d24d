// Nutrimap: a desktop database of foods and recipes rated per blood type.
#include "launchers.h"
#include "platform/dialogunits.h"
#include "program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nutrimap"));
    QApplication::setApplicationVersion(QStringLiteral(NUTRIMAP_VERSION));
    QApplication::setFont(nm::platform::windowFont());
    nm::shell::Program program(nm::shell::programLaunchers());
    return program.run();
}
