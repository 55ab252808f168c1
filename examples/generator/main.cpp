// lp-datagen: writes the sample load-pull data files, or one large file for benchmarks.

#include "datafilewriter.h"
#include "exampledatasets.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr std::size_t bytesPerMegabyte = 1000 * 1000;

int usage()
{
    std::cerr << "usage: lp-datagen examples <directory>\n"
                 "       lp-datagen large <file> [megabytes, default 100]\n";
    return 2;
}

// Writes the file, making its folder first when it is missing.
bool writeFile(const std::string &path, const std::string &text)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        std::cerr << "lp-datagen: cannot write " << path << "\n";
    return static_cast<bool>(file);
}

int writeExamples(const std::string &directory)
{
    for (const LpDataGen::ExampleFile &example : LpDataGen::exampleFiles()) {
        if (!writeFile(directory + "/" + example.fileName,
                       LpDataGen::generateDataFile(example.plan)))
            return 1;
    }
    return 0;
}

int writeLarge(const std::string &path, const char *megabytes)
{
    const long size = megabytes ? std::strtol(megabytes, nullptr, 10) : 100;
    if (size <= 0)
        return usage();
    const auto plan = LpDataGen::largeFilePlan(static_cast<std::size_t>(size) * bytesPerMegabyte);
    return writeFile(path, LpDataGen::generateDataFile(plan)) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "examples" && argc == 3)
        return writeExamples(argv[2]);
    if (command == "large" && (argc == 3 || argc == 4))
        return writeLarge(argv[2], argc == 4 ? argv[3] : nullptr);
    return usage();
}
