// Every committed corpus input through its harness: the crashes found so far stay
// fixed, under the sanitizers of the ordinary test build.
#include "fuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using entry = int (*)(const std::uint8_t*, std::size_t);

struct corpusInput {
    std::string target;
    entry harness;
    std::filesystem::path path;
};

// Test listings name the input file instead of dumping the record's bytes.
void PrintTo(const corpusInput& input, std::ostream* os) {
    *os << input.path.filename().string();
}

std::vector<corpusInput> corpus() {
    std::vector<corpusInput> inputs;
    auto add = [&](const char* target, entry harness) {
        const auto folder = std::filesystem::path(MARLOVAN_FUZZ_CORPUS) / target;
        std::vector<std::filesystem::path> files;
        std::error_code ec;
        for (const auto& file : std::filesystem::directory_iterator(folder, ec))
            if (file.is_regular_file())
                files.push_back(file.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files)
            inputs.push_back({target, harness, file});
    };
#define MARLOVAN_ADD_FUZZ_TARGET(name) add(#name, fuzz_##name);
    MARLOVAN_FUZZ_TARGETS(MARLOVAN_ADD_FUZZ_TARGET)
#undef MARLOVAN_ADD_FUZZ_TARGET
    return inputs;
}

std::string testName(const testing::TestParamInfo<corpusInput>& info) {
    std::string name = info.param.target + "_" + info.param.path.filename().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class fuzzCorpus : public testing::TestWithParam<corpusInput> {};

TEST_P(fuzzCorpus, runsCleanly) {
    std::ifstream in(GetParam().path, std::ios::binary);
    ASSERT_TRUE(in) << GetParam().path;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    // An exact-size heap copy, so reading one byte past the input is an ASan report.
    std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[bytes.size()]);
    std::memcpy(input.get(), bytes.data(), bytes.size());
    EXPECT_EQ(GetParam().harness(input.get(), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(corpus, fuzzCorpus, testing::ValuesIn(corpus()), testName);

// An empty or missing corpus folder would make the tests above pass by running nothing.
TEST(fuzzCorpusFolders, everyTargetHasInputs) {
    for (const char* target : {
#define MARLOVAN_NAME_FUZZ_TARGET(name) #name,
             MARLOVAN_FUZZ_TARGETS(MARLOVAN_NAME_FUZZ_TARGET)
#undef MARLOVAN_NAME_FUZZ_TARGET
         }) {
        const auto inputs = corpus();
        EXPECT_TRUE(std::any_of(inputs.begin(), inputs.end(),
                                [&](const corpusInput& i) { return i.target == target; }))
            << "no corpus inputs for " << target;
    }
}

} // namespace
