// Runs the benchmarks with the standard flags (--benchmark_format,
// --benchmark_out, ...), then prints how the look-up path and Show compare
// with the bare cost of their own queries: on stdout after the console
// table, on stderr when stdout carries JSON or CSV.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

// Each path beside the same statements run straight through SOCI.
struct Ratio {
    const char* path;
    const char* direct;
    const char* label;
};
constexpr Ratio kRatios[] = {
    {"BM_LookupPath", "BM_LookupQueriesThroughSoci",
     "look-up path / its own queries through SOCI: "},
    {"BM_Show", "BM_ShowQueriesThroughSoci", "Show / its own queries through SOCI: "},
};

// Hands every report to the display reporter the flags chose and keeps each
// benchmark's time: the median when repeated, else its one run.
class RatioReporter : public benchmark::BenchmarkReporter {
public:
    explicit RatioReporter(benchmark::BenchmarkReporter* display) : display_(display) {}

    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration)
                runs_[name] = run.GetAdjustedRealTime();
        }
        display_->ReportRuns(runs);
    }
    void Finalize() override { display_->Finalize(); }

    bool console() const { return dynamic_cast<benchmark::ConsoleReporter*>(display_) != nullptr; }
    // 0 when a benchmark did not run (a filter left it out).
    double time(const std::string& name) const {
        if (auto it = medians_.find(name); it != medians_.end()) return it->second;
        if (auto it = runs_.find(name); it != runs_.end()) return it->second;
        return 0;
    }

private:
    benchmark::BenchmarkReporter* display_;  // owned by the benchmark library
    std::map<std::string, double> medians_;
    std::map<std::string, double> runs_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter(benchmark::CreateDefaultDisplayReporter());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Ratio& r : kRatios) {
        const double path = reporter.time(r.path);
        const double direct = reporter.time(r.direct);
        if (path > 0 && direct > 0)
            (reporter.console() ? std::cout : std::cerr) << r.label << path / direct << "\n";
    }
    benchmark::Shutdown();
    return 0;
}
