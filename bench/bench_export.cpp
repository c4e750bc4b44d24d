// List export speed and memory: 100 000 rows of 10 columns, shaped like the food list, written as
// CSV, XLSX and RTF files, against the same CSV bytes written with plain std::ofstream in the same
// run. Counters: rows per second, file size, the peak of heap in use above the level at the start
// of an export (every malloc of the process is counted, libxlsxwriter's included), and the export's
// time as a multiple of the baseline's.

#include "platform/export/csvwriter.h"
#include "platform/export/tablewriter.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <vector>

// ---- counting allocator: glibc's own functions under ours, so C and C++ allocations are seen.
#if !defined(__SANITIZE_ADDRESS__)
#define NM_COUNT_HEAP 1
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
void* __libc_memalign(size_t, size_t);
}

namespace {
std::atomic<long long> g_inUse{0};
std::atomic<long long> g_peak{0};

void counted(void* p) {
    if (!p)
        return;
    const long long now = g_inUse.fetch_add(static_cast<long long>(malloc_usable_size(p))) +
                          static_cast<long long>(malloc_usable_size(p));
    long long peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}
void uncounted(void* p) {
    if (p)
        g_inUse.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
}
}  // namespace

extern "C" {
void* malloc(size_t n) {
    void* p = __libc_malloc(n);
    counted(p);
    return p;
}
void* calloc(size_t n, size_t size) {
    void* p = __libc_calloc(n, size);
    counted(p);
    return p;
}
void* realloc(void* old, size_t n) {
    uncounted(old);
    void* p = __libc_realloc(old, n);
    counted(p ? p : (n ? old : nullptr));
    return p;
}
void free(void* p) {
    uncounted(p);
    __libc_free(p);
}
void* memalign(size_t align, size_t n) {
    void* p = __libc_memalign(align, n);
    counted(p);
    return p;
}
void* aligned_alloc(size_t align, size_t n) {
    return memalign(align, n);
}
int posix_memalign(void** out, size_t align, size_t n) {
    void* p = memalign(align, n);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}
void* valloc(size_t n) {
    return memalign(4096, n);
}
void* pvalloc(size_t n) {
    return memalign(4096, (n + 4095) & ~size_t(4095));
}
}
#endif

using namespace nm::platform;

namespace {

constexpr int kRows = 100000;

const char* kSyllables[] = {"ba", "ko", "ri", "men", "sa", "tu", "le", "vo", "qui", "na", "dö", "pé", "zi", "mä"};
const char* kWords[] = {"Benefit", "Neutral", "Avoid", ""};
const char* kGroups[] = {"Vegetables", "Fruit", "Fish, seafood", "Meat \"lean\"", "Grains", "Nuts & seeds"};

struct Data {
    ExportTable table;
    QVector<QStringList> rows;                         // what the export service reads
    std::vector<std::vector<std::string>> utf8Rows;     // the same cells for the baseline
};

const Data& data() {
    static const Data d = [] {
        Data x;
        x.table.name = QStringLiteral("BrowseFood");
        x.table.titles = {QStringLiteral("Food list"), QStringLiteral("Benefit, O AND A")};
        const int widths[] = {50, 3, 10, 3, 10, 3, 10, 3, 10, 20};
        for (int w : widths)
            x.table.columns << ExportColumn{QString(), w, Qt::AlignCenter};
        x.rows.reserve(kRows);
        for (quint32 i = 0; i < kRows; ++i) {
            std::string name;
            quint32 n = i * 2654435761u;
            for (int s = 0; s < 4; ++s) {
                name += kSyllables[n % 14];
                n /= 14;
            }
            name += " " + std::to_string(i);
            std::vector<std::string> cells{name};
            for (int b = 0; b < 4; ++b) {
                const int r = int((i >> (2 * b)) % 4);
                cells.push_back(r == 0 ? (b == 3 ? "*" : " * ") : "");
                cells.push_back(kWords[r]);
            }
            cells.push_back(kGroups[i % 6]);
            QStringList q;
            for (const std::string& c : cells)
                q << QString::fromStdString(c);
            x.rows << q;
            x.utf8Rows.push_back(std::move(cells));
        }
        return x;
    }();
    return d;
}

// The baseline: the same records, quoted by the same rule, straight into a stream.
void appendCsvField(std::string& out, const std::string& s) {
    bool quote = !s.empty() && (s.front() == ' ' || s.back() == ' ');
    quote = quote || s.find_first_of(",\"\r\n") != std::string::npos;
    if (!quote) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void writeBaseline(const std::string& path) {
    const Data& d = data();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string line = "\xEF\xBB\xBF";
    for (const QString& t : d.table.titles) {
        appendCsvField(line, t.toStdString());
        line += "\r\n";
    }
    out << line;
    for (const auto& row : d.utf8Rows) {
        line.clear();
        for (size_t c = 0; c < row.size(); ++c) {
            if (c)
                line += ',';
            appendCsvField(line, row[c]);
        }
        line += "\r\n";
        out << line;
    }
}

double g_baselineSeconds = 0;

struct Measure {
    long long heapStart = 0;
    long long heapPeak = 0;
    double seconds = 0;
    int runs = 0;
};

template <typename Body>
void timed(benchmark::State& state, Measure& m, Body&& body) {
#ifdef NM_COUNT_HEAP
    const long long before = g_inUse.load();
    g_peak.store(before);
#endif
    const auto t0 = std::chrono::steady_clock::now();
    body();
    const auto t1 = std::chrono::steady_clock::now();
    const double s = std::chrono::duration<double>(t1 - t0).count();
    state.SetIterationTime(s);
    m.seconds += s;
    ++m.runs;
#ifdef NM_COUNT_HEAP
    m.heapPeak = std::max(m.heapPeak, g_peak.load() - before);
#endif
}

void report(benchmark::State& state, const Measure& m, const QString& path, bool baseline) {
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    state.counters["peak_heap_MB"] = double(m.heapPeak) / 1e6;
    const double mean = m.runs ? m.seconds / m.runs : 0;
    if (baseline)
        g_baselineSeconds = mean;
    else if (g_baselineSeconds > 0)
        state.counters["x_baseline"] = mean / g_baselineSeconds;
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    state.counters["process_maxrss_MB"] = double(u.ru_maxrss) / 1e3;
}

void BM_CsvOfstreamBaseline(benchmark::State& state) {
    data();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("baseline.csv"));
    Measure m;
    for (auto _ : state)
        timed(state, m, [&] { writeBaseline(path.toStdString()); });
    report(state, m, path, true);
}

void exportBenchmark(benchmark::State& state, ExportKind kind) {
    const Data& d = data();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.") + exportFileSuffix(kind));
    Measure m;
    for (auto _ : state) {
        timed(state, m, [&] {
            VectorRowSource rows(d.rows);   // shares the rows' storage, as a list model's own would be
            const ExportResult r = exportToFile(kind, d.table, rows, path);
            if (!r)
                state.SkipWithError(r.text.toUtf8().constData());
        });
    }
    if (kind == ExportKind::Csv) {
        // The baseline is worth comparing only if it writes the very same bytes.
        const QString base = dir.filePath(QStringLiteral("baseline.csv"));
        writeBaseline(base.toStdString());
        QFile a(path), b(base);
        if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.readAll() != b.readAll())
            state.SkipWithError("the baseline's bytes differ from the export's");
    }
    report(state, m, path, false);
}

void BM_ExportCsv(benchmark::State& state) {
    exportBenchmark(state, ExportKind::Csv);
}
void BM_ExportXlsx(benchmark::State& state) {
    exportBenchmark(state, ExportKind::Excel);
}
void BM_ExportRtf(benchmark::State& state) {
    exportBenchmark(state, ExportKind::Rtf);
}

}  // namespace

// The baseline runs first so the others can state their time as a multiple of it.
BENCHMARK(BM_CsvOfstreamBaseline)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ExportCsv)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ExportXlsx)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ExportRtf)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

BENCHMARK_MAIN();
