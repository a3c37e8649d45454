// korvane-check: checks maps as the game reads and plays them, for level authors.
//   korvane-check [--data DIR] [--figures] [MAP...]
// One line per problem, "path:line: message"; exit status 1 when there is any.
#include "core/application.h"
#include "levelchecker.h"
#include "tracelines.h"

#include <SFML/System/Err.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Pictures need an OpenGL context, which needs an X display: without one the checker
// runs itself again inside a private virtual server, so that it works from any shell.
void ensureDisplay(char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if ((display && *display) || std::getenv("KORVANE_CHECK_OWN_DISPLAY"))
        return;
    setenv("KORVANE_CHECK_OWN_DISPLAY", "1", 1);
    std::vector<char*> args{const_cast<char*>("xvfb-run"), const_cast<char*>("-a")};
    for (char** arg = argv; *arg; ++arg)
        args.push_back(*arg);
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::cerr << "korvane-check: no DISPLAY, and xvfb-run could not be started" << std::endl;
    std::exit(2);
}

// "data\maps\X\X.zi" as the author named the data folder.
std::string shown(const std::string& gamePath, const std::string& dataFolder)
{
    std::string path = gamePath;
    if (path.compare(0, 4, "data") == 0)
        path = dataFolder + path.substr(4);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

void printFigures(const LevelChecker& checker)
{
    for (const LevelChecker::Figures& map : checker.figures()) {
        const SearchFigures& f = map.search;
        std::printf(
            "%s: %d places in %d states of the map, %ld tries, %ld frames, %.2f s of processor time, %zu dead ends\n",
            map.map.c_str(), f.places, f.settings, f.tries, f.frames, f.seconds, map.deadEnds.size());
        for (const std::vector<int>& used : f.used) {
            std::printf("    a state of the map after using:");
            for (int id : used)
                std::printf(" %d", id);
            std::printf(used.empty() ? " nothing\n" : "\n");
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string dataFolder = "data";
    bool figures = false;
    std::vector<std::string> maps;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc)
            dataFolder = argv[++i];
        else if (arg == "--figures")
            figures = true;
        else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "usage: korvane-check [--data DIR] [--figures] [MAP...]" << std::endl;
            return 2;
        } else
            maps.push_back(arg);
    }
    if (!fs::is_directory(dataFolder)) {
        std::cerr << "korvane-check: no data folder " << dataFolder << std::endl;
        return 2;
    }
    setenv("ALSOFT_DRIVERS", "null", 0);
    ensureDisplay(argv);

    // The game reads "data\..." from its working folder, and levels save as they are
    // dropped: the checker works in a scratch folder whose "data" is the author's.
    const fs::path here = fs::current_path();
    std::string scratch = (fs::temp_directory_path() / "korvane-check-XXXXXX").string();
    if (!mkdtemp(scratch.data()))
        return 2;
    fs::create_directory_symlink(fs::absolute(dataFolder), fs::path(scratch) / "data");
    fs::current_path(scratch);

    std::vector<Problem> problems;
    std::unique_ptr<LevelChecker> checker;
    {
        sf::err().rdbuf(nullptr); // the checker reports missing pictures itself
        TraceLines quiet;
        auto app = std::make_unique<Application>();
        app->init();
        checker = std::make_unique<LevelChecker>(*app, "save.sv");
        problems = checker->check(maps);
        app.reset();
    }
    fs::current_path(here);
    std::error_code ignored;
    fs::remove_all(scratch, ignored);

    for (const Problem& problem : problems)
        std::cout << shown(problem.file, dataFolder) << ":" << problem.line << ": " << problem.message << "\n";
    if (figures)
        printFigures(*checker);
    return problems.empty() ? 0 : 1;
}
