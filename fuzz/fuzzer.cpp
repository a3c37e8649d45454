// One libFuzzer target per reader: KORVANE_FUZZ_PLAY names the FuzzWorld operation
// that plays one input. Each target runs in a fresh temporary folder of its own.
#include "fuzzworld.h"

#include <SFML/System/Err.hpp>

#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

FuzzWorld* world = nullptr;
std::string folder;

void removeFolder()
{
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Kept loaded, so that the leak check can still name the software OpenGL driver's
    // own allocations (suppressed, they are not the game's).
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE | RTLD_GLOBAL);
    folder = (fs::temp_directory_path() / "korvane-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        std::abort();
    std::atexit(removeFolder);
    fs::current_path(folder);
    // The trace and the library's complaints about hostile files would drown the fuzzer's own report.
    std::cout.rdbuf(nullptr);
    sf::err().rdbuf(nullptr);
    world = new FuzzWorld(KORVANE_SOURCE_DIR);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    world->KORVANE_FUZZ_PLAY(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
