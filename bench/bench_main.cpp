// Runs the benchmarks with the standard flags (--benchmark_format,
// --benchmark_out, ...), then prints how each library path compares with the
// bare cost of its own statements run straight through SOCI, and the
// figures that have a goal of their own, each next to its goal: on stdout
// after the console table, on stderr when stdout carries JSON or CSV.
//
// Ratios are of CPU time (the medians with --benchmark_repetitions, else the
// one run): the machines these run on are shared, and wall-clock time
// swings with whatever else runs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "qelt/host/session.h"

namespace {

// A path beside the same statements run straight through SOCI.
struct Ratio {
    const char* path;
    const char* direct;
    const char* label;
    double goal;  // at most
};
constexpr Ratio kRatios[] = {
    {"BM_LookupPath", "BM_LookupQueriesThroughSoci",
     "look-up path / its own statements through SOCI", 1.15},
    {"BM_Show", "BM_ShowQueriesThroughSoci", "Show / its own statements through SOCI", 1.5},
    {"BM_SchemeClickApply", "BM_SchemeClickQueriesThroughSoci",
     "scheme applied on click (200 columns) / its own statements through SOCI", 1.5},
};

// A figure with an absolute goal, in milliseconds of CPU time.
struct Limit {
    const char* benchmark;
    const char* label;
    double goalMs;  // at most
};
constexpr Limit kLimits[] = {
    {"BM_SchemeApply", "scheme applied to the open dialog (300 columns)", 2.0},
};

double Milliseconds(double time, benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond:
            return time / 1e6;
        case benchmark::kMicrosecond:
            return time / 1e3;
        case benchmark::kMillisecond:
            return time;
        default:
            return time * 1e3;
    }
}

// Hands every report to the display reporter the flags chose and keeps each
// benchmark's CPU time in milliseconds: the median when repeated, else its
// one run.
class GoalReporter : public benchmark::BenchmarkReporter {
public:
    explicit GoalReporter(benchmark::BenchmarkReporter* display) : display_(display) {}

    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            const std::string& name = run.run_name.function_name;
            const double ms = Milliseconds(run.GetAdjustedCPUTime(), run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = ms;
            else if (run.run_type == Run::RT_Iteration)
                runs_[name] = ms;
        }
        display_->ReportRuns(runs);
    }
    void Finalize() override { display_->Finalize(); }

    bool console() const { return dynamic_cast<benchmark::ConsoleReporter*>(display_) != nullptr; }
    // 0 when a benchmark did not run (a filter left it out).
    double ms(const std::string& name) const {
        if (auto it = medians_.find(name); it != medians_.end()) return it->second;
        if (auto it = runs_.find(name); it != runs_.end()) return it->second;
        return 0;
    }

private:
    benchmark::BenchmarkReporter* display_;  // owned by the benchmark library
    std::map<std::string, double> medians_;
    std::map<std::string, double> runs_;
};

std::string Fixed(double v, int decimals) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(decimals) << v;
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    // A path and its statements are compared run by run: with repetitions,
    // their runs take turns, so that a change in the machine's load hits
    // both sides alike. A flag given on the command line wins.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    bool given = false;
    for (int i = 1; i < argc; ++i)
        given =
            given || std::string(argv[i]).rfind("--benchmark_enable_random_interleaving", 0) == 0;
    if (!given) args.insert(args.begin() + 1, interleave.data());
    argc = static_cast<int>(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // Every question is answered OK, as the default sink does, without a
    // line on stderr for each message of every iteration.
    qelt::host::SetMessageSink([](const qelt::host::Message&) { return 1; });
    GoalReporter reporter(benchmark::CreateDefaultDisplayReporter());
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::ostream& out = reporter.console() ? std::cout : std::cerr;
    out << "\n";
    for (const Ratio& r : kRatios) {
        const double path = reporter.ms(r.path);
        const double direct = reporter.ms(r.direct);
        if (path > 0 && direct > 0)
            out << r.label << ": " << Fixed(path / direct, 2) << " (goal <= " << r.goal
                << "; CPU time " << Fixed(path, 3) << " ms / " << Fixed(direct, 3) << " ms)\n";
    }
    for (const Limit& l : kLimits)
        if (const double ms = reporter.ms(l.benchmark); ms > 0)
            out << l.label << ": " << Fixed(ms, 3) << " ms CPU (goal <= " << l.goalMs << " ms)\n";
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        out << "peak resident size of this run: " << Fixed(usage.ru_maxrss / 1024.0, 1) << " MiB\n";
    benchmark::Shutdown();
    return 0;
}
