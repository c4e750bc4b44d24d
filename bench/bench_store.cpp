// Data store speed on 100 000 generated foods with notes:
//  (a) the food list's view loaded whole in name order under a two-rating filter, against the same rows
//      read straight through the SQLite C API in the same run;
//  (b) 100 000 inserts in one transaction;
//  (c) 1 000 prime-and-store cycles, one record at a time, as a batch-insert form does.

#include "store/datastore.h"
#include "store/sqlutil.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace nm::store;

namespace {

constexpr int kFoods = 100000;
const char* kFilter = "(FOO:BloodO = 4 OR FOO:BloodO = 2)";

class Quiet : public Messenger {
public:
    void notice(const QString& t, const QString& x) override { report("notice", t, x); }
    bool askYesNo(const QString& t, const QString& x) override {
        report("question", t, x);
        return false;
    }
    void fatal(const QString& t, const QString& x) override { report("fatal", t, x); }

private:
    static void report(const char* kind, const QString& t, const QString& x) {
        std::fprintf(stderr, "%s: %s: %s\n", kind, t.toUtf8().constData(), x.toUtf8().constData());
    }
};

Quiet& messenger() {
    static Quiet q;
    return q;
}

const char* kSyllables[] = {"ba", "ko",  "ri", "men", "sa", "tu", "le",
                            "vo", "qui", "na", "do",  "pe", "zi", "ma"};

QString foodName(quint32 n) {
    QString s;
    for (int i = 0; i < 4; ++i) {
        s += QLatin1String(kSyllables[n % 14]);
        n /= 14;
    }
    s[0] = s.at(0).toUpper();
    return s + QLatin1Char(' ') + QString::number(n);
}

const int kRatings[] = {4, 2, 1, 0};

void fillFood(Record& r, int i) {
    const auto u = static_cast<quint32>(i) * 2654435761u;
    r.setText(QStringLiteral("FOO:NAME"), foodName(u));
    r.setInteger(QStringLiteral("FOO:KEYIDGROUP"), static_cast<int>(u % 20) + 1);
    r.setInteger(QStringLiteral("FOO:BLOODO"), kRatings[(u >> 3) % 4]);
    r.setInteger(QStringLiteral("FOO:BLOODA"), kRatings[(u >> 5) % 4]);
    r.setInteger(QStringLiteral("FOO:BLOODB"), kRatings[(u >> 7) % 4]);
    r.setInteger(QStringLiteral("FOO:BLOODAB"), kRatings[(u >> 9) % 4]);
    r.setText(QStringLiteral("FOO:GROUPNAME"), QStringLiteral("Group %1").arg(u % 20 + 1));
    r.setText(QStringLiteral("FOO:NOTES"),
              QStringLiteral("Notes on food %1: keep cool and dry, best eaten fresh; pairs well with rice.")
                  .arg(i));
}

// The generated food file, made once per run.
QTemporaryDir& foodDir() {
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        DataStore st(messenger(), dir.path());
        TableManager& food = st.table(TableId::Food);
        food.open();
        st.begin();
        for (int i = 0; i < kFoods; ++i) {
            food.buffer().clear();
            fillFood(food.buffer(), i);
            food.insert();
        }
        st.commit();
    }
    return dir;
}

void FoodViewLoad(benchmark::State& state) {
    DataStore st(messenger(), foodDir().path());
    st.table(TableId::Food).open();
    View view(st, TableId::Food, QStringLiteral("FOO:KEYNAME"));
    view.setFilter(QString::fromUtf8(kFilter));
    QVector<ViewRow> rows;
    for (auto _ : state) {
        view.load(rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}

struct PlainFood {
    qint64 rowId;
    int id, group, o, a, b, ab;
    QString name, groupName, notes;
};

// The same query the view runs (a table scan and a sort, the quicker plan), with plain C++ values per row.
void StraightRead(benchmark::State& state) {
    foodDir();
    sqlite3* db = nullptr;
    sqlite3_open_v2(
        QFile::encodeName(QDir(foodDir().path()).filePath(QStringLiteral("FOOD.TPS"))).constData(), &db,
        SQLITE_OPEN_READONLY, nullptr);
    sql::registerCollation(db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(
        db,
        "SELECT rowid, KEYIDFOOD, KEYIDGROUP, NAME, BLOODO, BLOODA, BLOODB, BLOODAB, GROUPNAME, NOTES "
        "FROM Food WHERE +NAME <> '' AND (BLOODO = ?1 OR BLOODO = ?2) "
        "ORDER BY NAME COLLATE UNICODE_NOCASE, rowid",
        -1, &stmt, nullptr);
    auto text = [&](int col) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, col)),
                                 sqlite3_column_bytes(stmt, col));
    };
    std::vector<PlainFood> rows;
    for (auto _ : state) {
        rows.clear();
        sqlite3_bind_int(stmt, 1, 4);
        sqlite3_bind_int(stmt, 2, 2);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            rows.push_back({sqlite3_column_int64(stmt, 0), sqlite3_column_int(stmt, 1),
                            sqlite3_column_int(stmt, 2), sqlite3_column_int(stmt, 4),
                            sqlite3_column_int(stmt, 5), sqlite3_column_int(stmt, 6),
                            sqlite3_column_int(stmt, 7), text(3), text(8), text(9)});
        }
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void Insert100kInOneTransaction(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        auto st = std::make_unique<DataStore>(messenger(), dir->path());
        TableManager& food = st->table(TableId::Food);
        food.open();
        state.ResumeTiming();
        st->begin();
        for (int i = 0; i < kFoods; ++i) {
            food.buffer().clear();
            fillFood(food.buffer(), i);
            food.insert();
        }
        st->commit();
        state.PauseTiming();
        st.reset();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["records/s"] = benchmark::Counter(kFoods, benchmark::Counter::kIsIterationInvariantRate);
}

void PrimeAndStore1000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        auto st = std::make_unique<DataStore>(messenger(), dir->path());
        TableManager& food = st->table(TableId::Food);
        food.open();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            food.primeAutoInc();
            fillFood(food.buffer(), i);
            food.insert();
        }
        state.PauseTiming();
        st.reset();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["cycles/s"] = benchmark::Counter(1000, benchmark::Counter::kIsIterationInvariantRate);
}

// Remembers each benchmark's time, so the closing line can give the view's ratio to the straight read.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "mean")
                times[r.run_name.function_name] = r.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(StraightRead)->Unit(benchmark::kMillisecond);
BENCHMARK(FoodViewLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(Insert100kInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PrimeAndStore1000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto view = reporter.times.find("FoodViewLoad");
    const auto straight = reporter.times.find("StraightRead");
    if (view != reporter.times.end() && straight != reporter.times.end() && straight->second > 0)
        std::printf("Food view / straight read: %.2f (goal: at most 1.50)\n",
                    view->second / straight->second);
    benchmark::Shutdown();
    return 0;
}
