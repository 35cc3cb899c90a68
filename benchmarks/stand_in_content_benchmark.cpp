// Writing the whole stand-in content folder with `quorvella-assets
// --stand-in`, as a plain ./run.sh does on a fresh machine. "Time" is wall
// time; cpu_s is the tool's processor time, the steadier on a busy machine.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace {

double children_cpu_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_write_stand_in_content(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "stand-in-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const double cpu_before = children_cpu_seconds();
    int run = 0;
    for (auto _ : state) {
        const std::string command = std::string(QUORVELLA_ASSETS_BINARY) + " --stand-in '" + folder + "/" +
                                    std::to_string(run++) + "' > /dev/null";
        if (system(command.c_str()) != 0) {
            state.SkipWithError("writing failed");
            break;
        }
    }
    state.counters["cpu_s"] = (children_cpu_seconds() - cpu_before) / run;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_write_stand_in_content)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
