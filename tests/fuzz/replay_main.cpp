// Feeds every file of the folders named on the command line to a fuzz target once: its
// corpus as a plain test, in any build, without libFuzzer.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        inputs.insert(inputs.end(), std::filesystem::directory_iterator(argv[i]), {});
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        std::cout << input.filename().string() << std::endl; // a crash then shows which input
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::cout << inputs.size() << " inputs" << std::endl;
    return inputs.empty() ? 1 : 0; // an empty or missing corpus would pass untested
}
