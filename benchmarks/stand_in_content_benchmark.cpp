// Writing the whole stand-in content folder with `quorvella-assets
// --stand-in`, as a plain ./run.sh does on a fresh machine. "Time" is wall
// time; cpu_s is the tool's processor time, the steadier on a busy machine.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

// Processor time of the children waited for so far: /proc/self/stat's
// cutime and cstime, in the kernel's 1/100 s ticks.
double children_cpu_seconds()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t name_end = text.rfind(')');  // the name may hold spaces
    if (name_end == std::string::npos)
        return 0.0;
    std::istringstream fields(text.substr(name_end + 2));
    std::string field;
    double ticks = 0.0;
    // Fields 3 to 17 follow the name; cutime and cstime are 16 and 17.
    for (int number = 3; number <= 17 && fields >> field; ++number)
        if (number >= 16)
            ticks += std::stod(field);
    return ticks / 100.0;
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
