#include "resources/atomicfile.h"
#include "resources/contentfile.h"
#include "support/gametest.h"

#include <chrono>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

// What a data file may name, and what the game agrees to open.
class ContentFileTest : public GameTest
{
};

TEST_F(ContentFileTest, OnlyPathsInsideTheDataFolderAreConfined)
{
    for (const char* inside :
         {"data\\maps\\01_USB\\01_USB.zi", "data/maps/x.zi", "data\\graphics\\map\\T\\..\\common\\levier.png",
          "data\\.\\saves\\01\\save.sv", "data\\\\sounds\\a.ogg"})
        EXPECT_TRUE(isConfinedGamePath(inside)) << inside;
    for (const char* outside : {"/etc/passwd", "\\\\server\\share\\x", "C:\\data\\x", "c:data\\x", "data\\..\\..\\x",
                                "data\\maps\\..\\..\\x", "..\\data\\x", "maps\\x", "data", "data\\", "", "./data/x"})
        EXPECT_FALSE(isConfinedGamePath(outside)) << outside;
    EXPECT_FALSE(isConfinedGamePath(std::string("data\\x\0/../../../etc/passwd", 27)));
    EXPECT_EQ(confinedHostPath("data\\graphics\\map\\T\\..\\common\\levier.png"), "data/graphics/map/common/levier.png")
        << "the game resolves the steps, the system never climbs a link";
}

TEST_F(ContentFileTest, DevicesPipesFoldersAndLargeFilesAreNeverOpened)
{
    fs::create_directories("data/x");
    ASSERT_EQ(mkfifo("data/x/pipe", 0644), 0);
    fs::create_symlink("/dev/zero", "data/x/zero");
    fs::create_symlink("/dev/stdin", "data/x/stdin");
    writeFile("data\\x\\big.txt", std::string(MAX_TEXT_FILE_SIZE + 1, 'a'));
    writeFile("data\\x\\limit.txt", std::string(MAX_TEXT_FILE_SIZE, 'a'));
    fs::create_symlink(fs::absolute("data/x/limit.txt"), "data/x/link.txt");

    const auto start = std::chrono::steady_clock::now();
    for (const char* refused :
         {"data\\x\\pipe", "data\\x\\zero", "data\\x\\stdin", "data\\x", "data\\x\\big.txt", "data\\x\\missing.txt"}) {
        EXPECT_EQ(openContentFile(refused), nullptr) << refused;
        EXPECT_FALSE(isReadableContentFile(refused, MAX_TEXT_FILE_SIZE)) << refused;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "nothing blocked";

    for (const char* read : {"data\\x\\limit.txt", "data\\x\\link.txt"}) {
        std::unique_ptr<std::istream> file = openContentFile(read);
        ASSERT_NE(file, nullptr) << read;
        std::string all(std::istreambuf_iterator<char>(*file), {});
        EXPECT_EQ(all.size(), MAX_TEXT_FILE_SIZE) << "a file at the limit is read whole";
    }
}

TEST_F(ContentFileTest, FilesAreWrittenOnlyInTheSaveFolderAndWholeOrNotAtAll)
{
    fs::create_directories("data/saves/01");
    auto write = [](const std::string& gamePath, const std::string& content) {
        return writeAtomically(gamePath, [&content](std::ostream& file) { file << content; });
    };
    EXPECT_TRUE(write("data\\saves\\01\\save.sv", "[Map]\nT\n"));
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n");
    for (const char* elsewhere : {"data\\maps\\x.zi", "data\\saves\\..\\maps\\x.zi", "/tmp/x.sv", "data\\saves"})
        EXPECT_FALSE(write(elsewhere, "x")) << elsewhere;
    EXPECT_FALSE(fileExists("data\\maps\\x.zi"));

    fs::create_directories("data/saves/01/save.sv.tmp/in-the-way");
    EXPECT_FALSE(write("data\\saves\\01\\save.sv", "[Map]\nU\n"));
    EXPECT_EQ(readFile("data\\saves\\01\\save.sv"), "[Map]\nT\n");
}
