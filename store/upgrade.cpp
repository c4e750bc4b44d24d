#include "upgrade.h"

#include <QMutex>

namespace nm::store {

namespace {

QMutex& mutex() {
    static QMutex m;
    return m;
}

UpgradeRegistration& registry() {
    static UpgradeRegistration r;
    return r;
}

bool& registered() {
    static bool done = false;
    return done;
}

} // namespace

bool registerUpgradeService() {
    QMutexLocker lock(&mutex());
    if (registered())
        return false;
    UpgradeRegistration& r = registry();
    r.options.append({QStringLiteral("BadFile"), 0});
    r.driver = QStringLiteral("Tps");
    r.ignoreDriver = {QStringLiteral("AllFiles"), 1};
    r.options.append({QStringLiteral("SPCreate"), 1});
    for (TableId id :
         {TableId::Food, TableId::Group, TableId::Recepie, TableId::RecepieIng, TableId::TimeSheet}) {
        const TableDef& t = tableDef(id);
        r.tables.append({id, t.fileName, t.label, t.prefix, t.version});
    }
    registered() = true;
    return true;
}

const UpgradeRegistration& upgradeRegistration() {
    QMutexLocker lock(&mutex());
    return registry();
}

bool isRegisteredForUpgrade(TableId id) {
    QMutexLocker lock(&mutex());
    for (const UpgradeTable& t : registry().tables) {
        if (t.id == id)
            return true;
    }
    return false;
}

} // namespace nm::store
