#pragma once
// The file-structure upgrade service's registration: made once per program run, before any list window
// opens. A registered table whose stored layout or version differs from the current one is converted
// when it is opened; a table that is not registered (RecepieGroup) is never converted.

#include "tables.h"

#include <QList>
#include <QString>
#include <utility>

namespace nm::store {

struct UpgradeTable {
    TableId id;
    QString fileName;
    QString label;
    QString prefix;
    int version;
};

struct UpgradeRegistration {
    QList<std::pair<QString, int>> options; // "BadFile" 0, "SPCreate" 1
    QString driver;                         // "Tps"
    std::pair<QString, int> ignoreDriver;   // "AllFiles" 1
    QList<UpgradeTable> tables;             // Food, Group, Recepie, RecepieIng, TimeSheet
};

// Registers the tables; guarded, so only the first call of a run does it. Returns whether this call did.
// The data store calls it too, so a table is never opened before the registration is made.
bool registerUpgradeService();
const UpgradeRegistration& upgradeRegistration();
bool isRegisteredForUpgrade(TableId id);

} // namespace nm::store
