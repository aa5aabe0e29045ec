// Runs the benchmarks, then prints how the look-up path and Show compare
// with the bare cost of their own queries.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the median stands for the benchmark; without, the one run.
        for (const auto& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && !medians.count(name))
                times[name] = run.GetAdjustedRealTime();
        }
        for (const auto& [name, t] : medians) times[name] = t;
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
    std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const struct {
        const char* path;
        const char* direct;
        const char* line;
    } ratios[] = {
        {"BM_LookupPath", "BM_LookupQueriesThroughSoci",
         "look-up path / its own queries through SOCI: "},
        {"BM_Show", "BM_ShowQueriesThroughSoci", "Show / its own queries through SOCI: "},
    };
    for (const auto& r : ratios) {
        auto path = reporter.times.find(r.path);
        auto direct = reporter.times.find(r.direct);
        if (path != reporter.times.end() && direct != reporter.times.end() && direct->second > 0)
            std::cout << r.line << path->second / direct->second << "\n";
    }
    benchmark::Shutdown();
    return 0;
}
