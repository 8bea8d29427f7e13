// Replays a fuzz target's corpus, then a fixed series of mutations of it, so the
// target runs under CTest and the sanitizers of the test build without libFuzzer.
// The mutations are drawn from a seeded generator: fixed unless --seed or
// QX_TEST_SEED gives another, and printed before the first mutation, so a
// failure replays with the same seed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Mutate(Bytes& data, std::mt19937& rng)
{
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < edits; ++i) {
        const std::size_t pos = data.empty() ? 0 : rng() % data.size();
        switch (rng() % 6) {
        case 0:
            if (!data.empty()) data[pos] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            break;
        case 1:
            if (!data.empty()) data[pos] = static_cast<std::uint8_t>(rng());
            break;
        case 2:
            data.insert(data.begin() + static_cast<std::ptrdiff_t>(pos), static_cast<std::uint8_t>(rng()));
            break;
        case 3:
            if (!data.empty()) data.erase(data.begin() + static_cast<std::ptrdiff_t>(pos));
            break;
        case 4:
            data.resize(pos);
            break;
        default: {
            static const std::uint8_t kInteresting[] = {0x00, 0xFF, 0x7F, 0x80, 0x01, 0x10};
            if (!data.empty()) data[pos] = kInteresting[rng() % sizeof kInteresting];
            break;
        }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    long mutations = 0;
    std::uint32_t seed = 20261210;
    if (const char* given = std::getenv("QX_TEST_SEED"); given != nullptr && *given != '\0')
        seed = static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10));
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--mutations" && i + 1 < argc) {
            mutations = std::strtol(argv[++i], nullptr, 10);
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file()) corpus.push_back(ReadAll(entry.path()));
        } else {
            corpus.push_back(ReadAll(arg));
        }
    }
    if (corpus.empty()) corpus.emplace_back();

    for (const Bytes& input : corpus)
        LLVMFuzzerTestOneInput(input.data(), input.size());

    std::fprintf(stderr, "mutation seed %u (replay with --seed %u)\n", seed, seed);
    std::mt19937 rng(seed);
    for (long n = 0; n < mutations; ++n) {
        Bytes input = corpus[rng() % corpus.size()];
        Mutate(input, rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::fprintf(stderr, "\n%zu corpus inputs and %ld mutations passed (seed %u)\n", corpus.size(), mutations, seed);
    return 0;
}
