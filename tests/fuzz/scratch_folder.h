// A folder of the fuzz targets' own under the temp folder (TMPDIR), removed at exit: the
// readers under test take file names, so every input is written to a file first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

struct ScratchFolder {
    std::filesystem::path dir;

    explicit ScratchFolder(const std::string& name) {
        dir = std::filesystem::temp_directory_path() /
              ("tanglor_fuzz_" + name + "_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Removes the old file first: rewriting in place makes the file system flush it, which
    // slows a run of thousands of inputs to a crawl.
    std::string write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        const std::filesystem::path file = dir / name;
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return file.string();
    }
};

// Stops the run where a reader broke a promise; libFuzzer saves the input that did it.
#define FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
