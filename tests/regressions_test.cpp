#include "fuzzworld.h"
#include "support/gametest.h"

#include <chrono>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct Reader
{
    const char* name;
    void (FuzzWorld::*play)(const std::string&);
};

const Reader READERS[] = {{"map", &FuzzWorld::playMap},
                          {"script", &FuzzWorld::playScript},
                          {"dialogue", &FuzzWorld::playDialogue},
                          {"save", &FuzzWorld::playSave}};

std::string contentOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// Every input that ever hurt the game (a crash, a hang, memory without end, a player left
// stranded, a save lost) is kept under fuzz/regressions/<reader>/ and played again here,
// as the fuzzers play it: none may abort, run the sanitizers into a fault or take more
// than a moment.
class RegressionTest : public GameTest, public ::testing::WithParamInterface<Reader>
{
};

TEST_P(RegressionTest, NoKeptInputHurtsTheGameAnyMore)
{
    const fs::path folder = fs::path(KORVANE_SOURCE_DIR) / "fuzz" / "regressions" / GetParam().name;
    FuzzWorld world(KORVANE_SOURCE_DIR);
    int played = 0;
    for (const fs::directory_entry& input : fs::directory_iterator(folder)) {
        const auto start = std::chrono::steady_clock::now();
        (world.*GetParam().play)(contentOf(input.path()));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), 5.0) << input.path() << " took " << took.count() << " s";
        ++played;
    }
    EXPECT_GT(played, 0) << "each reader keeps the inputs of the faults it had";
}

INSTANTIATE_TEST_SUITE_P(Readers, RegressionTest, ::testing::ValuesIn(READERS),
                         [](const ::testing::TestParamInfo<Reader>& info) { return std::string(info.param.name); });
