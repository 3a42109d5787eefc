// The main of the fuzz targets outside a libFuzzer build: every file of the folders (or the
// files) named on the command line goes once through LLVMFuzzerTestOneInput, in name order.
// `--seeded RUNS BYTES SEED` instead feeds RUNS inputs of BYTES bytes drawn from a generator
// started at SEED: the same inputs on every run, so a failure is repeatable.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int runSeeded(unsigned long runs, unsigned long bytes, unsigned long seed)
{
    std::mt19937 generator(static_cast<std::mt19937::result_type>(seed));
    std::vector<uint8_t> input(bytes);
    for (unsigned long run = 0; run < runs; ++run) {
        for (uint8_t &byte : input)
            byte = static_cast<uint8_t>(generator());
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%lu seeded inputs\n", runs);
    return runs == 0 ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    if (argc == 5 && std::string(argv[1]) == "--seeded")
        return runSeeded(std::stoul(argv[2]), std::stoul(argv[3]), std::stoul(argv[4]));
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const fs::directory_entry &entry : fs::directory_iterator(path)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        } else {
            inputs.push_back(path);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path &path : inputs) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "could not read %s\n", path.c_str());
            return 1;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
