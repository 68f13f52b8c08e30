// Runs a fuzz target over files, without libFuzzer: the corpus, and every
// input that once made a target fail, are replayed on each build as an
// ordinary test. The target aborts on a broken property, which fails the test.
//
//   replay_NAME PATH...     PATH: a file, or a folder whose files are replayed
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
        } else if (std::filesystem::is_regular_file(argv[i])) {
            files.emplace_back(argv[i]);
        } else {
            std::fprintf(stderr, "replay: no such file or folder: %s\n", argv[i]);
            return 2;
        }
        for (const auto& file : files)
            Replay(file);
        count += files.size();
    }
    if (count == 0) {
        std::fprintf(stderr, "replay: no input to replay\n");
        return 2;
    }
    std::printf("replayed %zu inputs\n", count);
    return 0;
}
