// Start-up time: from process start to the main frame shown, against a minimal Qt program that shows
// an empty main window, both measured in this run. Each iteration starts a fresh process (this program
// again, in a child mode) in an empty directory and times it until the child reports its window shown:
// the first pass of the event loop after show().
#include "shell/launchers.h"
#include "shell/program.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <string>

namespace {

const char* gSelf = nullptr;
std::map<std::string, double> gMeanSeconds;

[[noreturn]] void reportShownAndEnd() {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    std::_Exit(0);
}

int childMinimal(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(965, 546);
    window.show();
    QTimer::singleShot(0, [] { reportShownAndEnd(); });
    return QApplication::exec();
}

int childNutrimap(int argc, char** argv) {
    QApplication app(argc, argv);
    nm::shell::Program program(nm::shell::ListLaunchers{});
    // Queued before the frame opens, so it runs in the loop's first pass after the frame is shown.
    QTimer::singleShot(0, [] { reportShownAndEnd(); });
    return program.run();
}

double timeChild(const char* mode) {
    QTemporaryDir dir;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    QElapsedTimer timer;
    timer.start();
    child.start(QString::fromLocal8Bit(gSelf), {QString::fromLatin1(mode)});
    while (!child.canReadLine() && child.waitForReadyRead(10000)) {
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const bool shown = child.readLine().startsWith("shown");
    child.waitForFinished(10000);
    return shown ? seconds : -1.0;
}

void run(benchmark::State& state, const char* mode) {
    double total = 0;
    for (auto _ : state) {
        const double seconds = timeChild(mode);
        if (seconds < 0) {
            state.SkipWithError("the child never showed its window");
            return;
        }
        state.SetIterationTime(seconds);
        total += seconds;
    }
    gMeanSeconds[mode] = total / double(state.iterations());
}

void BM_MinimalQtMainWindowShown(benchmark::State& state) {
    run(state, "--child-minimal");
}
void BM_NutrimapMainFrameShown(benchmark::State& state) {
    run(state, "--child-nutrimap");
}

BENCHMARK(BM_MinimalQtMainWindowShown)->UseManualTime()->Iterations(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NutrimapMainFrameShown)->UseManualTime()->Iterations(12)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child-minimal") == 0)
        return childMinimal(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--child-nutrimap") == 0)
        return childNutrimap(argc, argv);
    gSelf = argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const auto minimal = gMeanSeconds.find("--child-minimal");
    const auto frame = gMeanSeconds.find("--child-nutrimap");
    if (minimal != gMeanSeconds.end() && frame != gMeanSeconds.end() && minimal->second > 0)
        std::printf("main frame shown / minimal window shown: %.2f (goal: at most 1.50)\n",
                    frame->second / minimal->second);
    benchmark::Shutdown();
    return 0;
}
