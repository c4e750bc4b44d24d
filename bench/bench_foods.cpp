// Food list speed on 100 000 generated foods in 20 groups, with notes:
//  (a) the list's refresh (its filtered view read, the row formatting of every row and the model reset),
//      against the bare read of the list's own view (same join, order and filter) while the list is open,
//      and, for comparison, against the same read with no list open and against the read without the join;
//  (b) a click on a filter box until the list has been read again and painted, with all 100 000 foods
//      listed (the window's opening state, where the filter lets every food through).

#include "foods/browsefood.h"
#include "platform/messages.h"
#include "platform/session.h"
#include "platform/updateform.h"
#include "store/datastore.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace nm;
using store::TableId;

namespace {

constexpr int kFoods = 100000;
constexpr int kGroups = 20;
// Benefit and Neutral for O: what the filter builder writes for those three boxes.
const char* kFilter = "(FOO:BloodO = 4 OR FOO:BloodO = 2)";

class Quiet : public platform::MessageService {
public:
    void notice(const QString& t, const QString& x) override { report("notice", t, x); }
    bool askYesNo(const QString& t, const QString& x) override {
        report("question", t, x);
        return false;
    }
    platform::Answer askYesNoCancel(const QString& t, const QString& x, platform::Answer d) override {
        report("question", t, x);
        return d;
    }
    void fatal(const QString& t, const QString& x) override { report("fatal", t, x); }

private:
    static void report(const char* kind, const QString& t, const QString& x) {
        std::fprintf(stderr, "%s: %s: %s\n", kind, t.toUtf8().constData(), x.toUtf8().constData());
    }
};

Quiet& messages() {
    static Quiet q;
    return q;
}

const char* kSyllables[] = {"ba", "ko", "ri", "men", "sa", "tu", "le", "vo", "qui", "na", "do", "pe", "zi", "ma"};
const int kRatings[] = {4, 2, 1, 0};

QString foodName(quint32 n) {
    QString s;
    for (int i = 0; i < 4; ++i) {
        s += QLatin1String(kSyllables[n % 14]);
        n /= 14;
    }
    s[0] = s.at(0).toUpper();
    return s + QLatin1Char(' ') + QString::number(n);
}

// The generated files, made once per run.
QTemporaryDir& dataDir() {
    static QTemporaryDir dir;
    static bool made = false;
    if (made)
        return dir;
    made = true;
    store::DataStore st(messages(), dir.path());
    store::TableManager& groups = st.table(TableId::Group);
    store::TableManager& food = st.table(TableId::Food);
    groups.open();
    food.open();
    st.begin();
    for (int g = 1; g <= kGroups; ++g) {
        groups.buffer().clear();
        groups.buffer().setInteger(QStringLiteral("GRP:KEYIDGROUP"), g);
        groups.buffer().setText(QStringLiteral("GRP:TYPE"), QStringLiteral("Group %1").arg(g));
        groups.insert();
    }
    for (int i = 0; i < kFoods; ++i) {
        const auto u = static_cast<quint32>(i) * 2654435761u;
        store::Record& r = food.buffer();
        r.clear();
        r.setInteger(QStringLiteral("FOO:KEYIDFOOD"), i + 1);
        r.setText(QStringLiteral("FOO:NAME"), foodName(u));
        // One food in forty has no group: the outer join keeps it.
        const int group = (u >> 11) % 40 == 0 ? 0 : static_cast<int>(u % kGroups) + 1;
        r.setInteger(QStringLiteral("FOO:KEYIDGROUP"), group);
        r.setText(QStringLiteral("FOO:GROUPNAME"), group ? QStringLiteral("Group %1").arg(group) : QString());
        r.setInteger(QStringLiteral("FOO:BLOODO"), kRatings[(u >> 3) % 4]);
        r.setInteger(QStringLiteral("FOO:BLOODA"), kRatings[(u >> 5) % 4]);
        r.setInteger(QStringLiteral("FOO:BLOODB"), kRatings[(u >> 7) % 4]);
        r.setInteger(QStringLiteral("FOO:BLOODAB"), kRatings[(u >> 9) % 4]);
        r.setText(QStringLiteral("FOO:NOTES"),
                  QStringLiteral("Type A: keep cool and dry\r\nType O: best eaten fresh; pairs well with rice %1").arg(i));
        food.insert();
    }
    st.commit();
    return dir;
}

platform::Services& services() {
    static platform::Services s;
    s.messages = &messages();
    return s;
}

std::unique_ptr<foods::BrowseFood> openList() {
    auto w = std::make_unique<foods::BrowseFood>(services(), std::make_unique<platform::Session>(messages(),
                                                                                                 dataDir().path()));
    w->show();
    QApplication::processEvents();
    return w;
}

template <class W>
W* child(QWidget& w, const char* name) {
    return w.findChild<W*>(QLatin1String(name));
}

// Ticks Benefit, Neutral and O after "Clear filter": the filter of the bare read.
void tickBenefitNeutralO(foods::BrowseFood& w) {
    child<QPushButton>(w, "BUTTONCLEARFILTER")->click();
    for (const char* box : {"LOC:FBENEFIT", "LOC:FNEUTRAL", "LOC:FO"})
        child<QCheckBox>(w, box)->click();
}

// The bare read: the list's own view (Food in name order, outer-joined to Group, with the filter the
// boxes gave) loaded whole, and nothing else.
void BareViewRead(benchmark::State& state, bool filtered) {
    auto w = openList();
    if (filtered)
        tickBenefitNeutralO(*w);
    store::View& view = w->list().storeView();
    qsizetype count = 0;
    for (auto _ : state) {
        QVector<store::ViewRow> rows;
        view.load(rows);
        count = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(count);
}

// The same rows without the join, as the store's own benchmark reads them.
void BareViewReadNoJoin(benchmark::State& state) {
    platform::Session session(messages(), dataDir().path());
    session.store().relation(TableId::Food).open();
    store::View view(session.store(), TableId::Food, QStringLiteral("FOO:KEYNAME"));
    view.setFilter(QString::fromUtf8(kFilter));
    qsizetype count = 0;
    for (auto _ : state) {
        QVector<store::ViewRow> rows;
        view.load(rows);
        count = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(count);
}

// The list's view read in a session of its own, with no list open: no other rows are held meanwhile.
void BareViewReadAlone(benchmark::State& state) {
    platform::Session session(messages(), dataDir().path());
    session.store().relation(TableId::Food).open();
    store::View view(session.store(), TableId::Food, QStringLiteral("FOO:KEYNAME"));
    view.setJoin(TableId::Group, QStringLiteral("FOO:KEYIDGROUP"), QStringLiteral("GRP:KEYIDGROUP"));
    qsizetype count = 0;
    for (auto _ : state) {
        QVector<store::ViewRow> rows;
        view.load(rows);
        count = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(count);
}

void ListRefresh(benchmark::State& state, bool filtered) {
    auto w = openList();
    if (filtered)
        tickBenefitNeutralO(*w);
    if (filtered && w->filterExpression() != QString::fromUtf8(kFilter))
        state.SkipWithError("the boxes did not give the benchmark's filter");
    for (auto _ : state)
        w->list().refresh();
    state.counters["rows"] = static_cast<double>(w->list().rowCount());
}

// A click on the OR box with every food listed: the filter is built again, the list read whole and
// formatted, and the list painted.
void FilterClickToShown(benchmark::State& state) {
    auto w = openList();
    auto* orBox = child<QCheckBox>(*w, "LOC:OR");
    QTableView* view = child<QTableView>(*w, "LIST");
    for (auto _ : state) {
        orBox->click();
        view->viewport()->repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(w->list().rowCount());
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            // With repetitions, the median of each; otherwise the single run.
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median") {
                std::string name = r.run_name.function_name;
                if (!r.run_name.args.empty())
                    name += "/" + r.run_name.args;
                real[name] = r.GetAdjustedRealTime();
                cpu[name] = r.GetAdjustedCPUTime();
            }
        }
    }
    std::map<std::string, double> real, cpu;
};

// Real time is what the user waits for; CPU time says the same with less noise when the machine is busy.
void ratio(const RatioReporter& r, const std::string& a, const std::string& b, const char* goal) {
    const auto x = r.real.find(a), y = r.real.find(b);
    const auto xc = r.cpu.find(a), yc = r.cpu.find(b);
    if (x != r.real.end() && y != r.real.end() && y->second > 0 && yc->second > 0)
        std::printf("%s / %s: %.2f real, %.2f CPU%s\n", a.c_str(), b.c_str(), x->second / y->second,
                    xc->second / yc->second, goal);
}

}  // namespace

BENCHMARK_CAPTURE(BareViewRead, Filtered, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BareViewReadNoJoin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListRefresh, Filtered, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BareViewRead, All, false)->Unit(benchmark::kMillisecond);
BENCHMARK(BareViewReadAlone)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListRefresh, All, false)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterClickToShown)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The windows need an application object; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    dataDir();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    ratio(reporter, "ListRefresh/Filtered", "BareViewRead/Filtered", " (goal: at most 1.30)");
    ratio(reporter, "ListRefresh/All", "BareViewRead/All", " (goal: at most 1.30)");
    ratio(reporter, "ListRefresh/Filtered", "BareViewReadNoJoin", "");
    ratio(reporter, "ListRefresh/All", "BareViewReadAlone", "");
    benchmark::Shutdown();
    return 0;
}
