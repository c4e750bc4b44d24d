// Recipe form speed on a recipe of 500 ingredient lines, among 10 such recipes and 2 000 foods:
//  (a) the bare read of the ingredient view (RecepieIng outer-joined to Food, ranged on the recipe);
//  (b) the ingredient list's fill on opening: ratings reset, the same view read, every row folded into
//      the ratings and the model reset;
//  (c) the whole recipe form opened on the recipe (built, record prepared, list filled, shown);
//  (d) the return from the ingredient form: Cancel on an unchanged line until the ratings are reset, the
//      list read and folded again and the line highlighted.
// (b), (c) and (d) are given against (a) measured in the same run.

#include "platform/messages.h"
#include "platform/session.h"
#include "platform/updateform.h"
#include "recipes/ingredienttexts.h"
#include "recipes/updingedients.h"
#include "recipes/uprecepies.h"
#include "store/datastore.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace nm;
using store::TableId;

namespace {

constexpr int kFoods = 2000;
constexpr int kRecipes = 10;
constexpr int kLines = 500;
constexpr int kTargetRecipe = 5;   // the recipe opened, in the middle of the file
const int kRatings[] = {4, 2, 1, 0};

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

platform::Services& services() {
    static platform::Services s;
    s.messages = &messages();
    return s;
}

recipes::BloodCodes codesOf(quint32 u) {
    return {static_cast<std::uint8_t>(kRatings[(u >> 3) % 4]), static_cast<std::uint8_t>(kRatings[(u >> 5) % 4]),
            static_cast<std::uint8_t>(kRatings[(u >> 7) % 4]), static_cast<std::uint8_t>(kRatings[(u >> 9) % 4])};
}

// The generated files, made once per run. The stored rating words are the ones the lines give, so an
// unchanged recipe closes without a question.
QTemporaryDir& dataDir() {
    static QTemporaryDir dir;
    static bool made = false;
    if (made)
        return dir;
    made = true;
    store::DataStore st(messages(), dir.path());
    store::TableManager& food = st.table(TableId::Food);
    store::TableManager& recipe = st.table(TableId::Recepie);
    store::TableManager& line = st.table(TableId::RecepieIng);
    food.open();
    recipe.open();
    line.open();
    st.begin();
    for (int i = 0; i < kFoods; ++i) {
        const auto u = static_cast<quint32>(i) * 2654435761u;
        const recipes::BloodCodes c = codesOf(u);
        store::Record& r = food.buffer();
        r.clear();
        r.setInteger(QStringLiteral("FOO:KEYIDFOOD"), i + 1);
        r.setText(QStringLiteral("FOO:NAME"), QStringLiteral("Food %1").arg(u % 100000, 5, 10, QLatin1Char('0')));
        r.setInteger(QStringLiteral("FOO:BLOODO"), c[0]);
        r.setInteger(QStringLiteral("FOO:BLOODA"), c[1]);
        r.setInteger(QStringLiteral("FOO:BLOODB"), c[2]);
        r.setInteger(QStringLiteral("FOO:BLOODAB"), c[3]);
        food.insert();
    }
    int lineId = 0;
    for (int rec = 1; rec <= kRecipes; ++rec) {
        recipes::RecipeRatingFold fold;
        for (int n = 0; n < kLines; ++n) {
            const int foodId = (rec * 7919 + n * 31) % kFoods + 1;
            const recipes::BloodCodes c = codesOf(static_cast<quint32>(foodId - 1) * 2654435761u);
            const recipes::IngredientTexts t = recipes::ingredientTexts(c);
            fold.fold(c);
            store::Record& r = line.buffer();
            r.clear();
            r.setInteger(QStringLiteral("REI:KEYIDING"), ++lineId);
            r.setInteger(QStringLiteral("REI:KEYIDRECEPIE"), rec);
            r.setInteger(QStringLiteral("REI:KEYIDFOOD"), foodId);
            r.setText(QStringLiteral("REI:QUANTITY"), QStringLiteral("%1 g").arg(n * 5));
            r.setText(QStringLiteral("REI:NOTES"), QStringLiteral("finely chopped"));
            r.setText(QStringLiteral("REI:BENEFIT"), t.benefit);
            r.setText(QStringLiteral("REI:NEUTRAL"), t.neutral);
            r.setText(QStringLiteral("REI:AVOID"), t.avoid);
            r.setInteger(QStringLiteral("REI:BLOODO"), c[0]);
            r.setInteger(QStringLiteral("REI:BLOODA"), c[1]);
            r.setInteger(QStringLiteral("REI:BLOODB"), c[2]);
            r.setInteger(QStringLiteral("REI:BLOODAB"), c[3]);
            line.insert();
        }
        store::Record& r = recipe.buffer();
        r.clear();
        r.setInteger(QStringLiteral("REC:KEYIDRECEPIE"), rec);
        r.setText(QStringLiteral("REC:NAME"), QStringLiteral("Recipe %1").arg(rec));
        r.setText(QStringLiteral("REC:ORATE"), fold.word(recipes::BloodType::O));
        r.setText(QStringLiteral("REC:ARATE"), fold.word(recipes::BloodType::A));
        r.setText(QStringLiteral("REC:BRATE"), fold.word(recipes::BloodType::B));
        r.setText(QStringLiteral("REC:ABRATE"), fold.word(recipes::BloodType::AB));
        r.setText(QStringLiteral("REC:METHOD"), QStringLiteral("Mix everything."));
        recipe.insert();
    }
    st.commit();
    return dir;
}

// (a) The ingredient list's view, read bare.
void BareViewRead(benchmark::State& state) {
    platform::Session session(messages(), dataDir().path());
    session.store().relation(TableId::RecepieIng).open();
    store::View view(session.store(), TableId::RecepieIng, QStringLiteral("REI:KEYRECEPIE"));
    view.setJoin(TableId::Food, QStringLiteral("REI:KEYIDFOOD"), QStringLiteral("FOO:KEYIDFOOD"));
    view.setRange(QStringLiteral("REI:KEYIDRECEPIE"), kTargetRecipe);
    QVector<store::ViewRow> rows;
    for (auto _ : state) {
        view.load(rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}

// The recipe form opened for a change on the target recipe, in a session of its own.
struct OpenForm {
    platform::Session session{messages(), dataDir().path()};
    std::shared_ptr<platform::UpdateCall> call;
    recipes::UpRecepies* form = nullptr;

    bool open() {
        session.store().relation(TableId::Recepie).open();
        if (!session.store().table(TableId::Recepie).fetch(QStringLiteral("REC:KEYID"), {kTargetRecipe}).ok())
            return false;
        call = platform::UpdateCall::start(session, platform::Request::Change,
                                           platform::UpdateForm::procedure<recipes::UpRecepies>(services()), nullptr,
                                           [](platform::Response) {});
        form = qobject_cast<recipes::UpRecepies*>(call->form());
        return form != nullptr;
    }
    void close() {
        if (call)
            call->abandon();
        call.reset();
        form = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ~OpenForm() { close(); }
};

// (b) What the form does with its list on opening, again and again on one open form.
void ListFillOnOpening(benchmark::State& state) {
    OpenForm f;
    if (!f.open()) {
        state.SkipWithError("the recipe form did not open");
        return;
    }
    for (auto _ : state)
        f.form->recomputeRatings();
    state.counters["rows"] = static_cast<double>(f.form->ingredients().rowCount());
}

// (c) The whole form: built, started, list filled and folded, shown; closed outside the timing.
void FormOpen(benchmark::State& state) {
    for (auto _ : state) {
        OpenForm f;
        if (!f.open()) {
            state.SkipWithError("the recipe form did not open");
            return;
        }
        state.PauseTiming();
        f.close();
        state.ResumeTiming();
    }
}

// (d) Cancel on an unchanged ingredient until the recipe form has reset, refilled and refolded.
void ReturnFromIngredientForm(benchmark::State& state) {
    OpenForm f;
    if (!f.open()) {
        state.SkipWithError("the recipe form did not open");
        return;
    }
    platform::ListControl& list = f.form->ingredients();
    const QStringList before = {f.form->ratingLabel(recipes::BloodType::A)->text(),
                                f.form->ratingLabel(recipes::BloodType::O)->text()};
    for (auto _ : state) {
        state.PauseTiming();
        list.setCurrentRow(kLines / 2);
        f.form->changeButton()->click();
        auto* g = qobject_cast<recipes::UpdIngedients*>(list.openForm());
        if (!g) {
            state.SkipWithError("the ingredient form did not open");
            return;
        }
        state.ResumeTiming();
        g->pressCancel();
        state.PauseTiming();
        if (list.formOpen() || list.currentRow() != kLines / 2) {
            state.SkipWithError("the ingredient form did not return to its line");
            return;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    const QStringList after = {f.form->ratingLabel(recipes::BloodType::A)->text(),
                               f.form->ratingLabel(recipes::BloodType::O)->text()};
    if (after != before)
        state.SkipWithError("the ratings changed on a return without changes");
    state.counters["rows"] = static_cast<double>(list.rowCount());
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median") {
                real[r.run_name.function_name] = r.GetAdjustedRealTime();
                cpu[r.run_name.function_name] = r.GetAdjustedCPUTime();
            }
        }
    }
    std::map<std::string, double> real, cpu;
};

void ratio(const RatioReporter& r, const std::string& a, const std::string& b) {
    const auto x = r.real.find(a), y = r.real.find(b);
    const auto xc = r.cpu.find(a), yc = r.cpu.find(b);
    if (x != r.real.end() && y != r.real.end() && y->second > 0 && yc->second > 0)
        std::printf("%s / %s: %.2f real, %.2f CPU\n", a.c_str(), b.c_str(), x->second / y->second,
                    xc->second / yc->second);
}

}  // namespace

BENCHMARK(BareViewRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ListFillOnOpening)->Unit(benchmark::kMillisecond);
BENCHMARK(FormOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(ReturnFromIngredientForm)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    dataDir();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    ratio(reporter, "ListFillOnOpening", "BareViewRead");
    ratio(reporter, "FormOpen", "BareViewRead");
    ratio(reporter, "ReturnFromIngredientForm", "BareViewRead");
    benchmark::Shutdown();
    return 0;
}
