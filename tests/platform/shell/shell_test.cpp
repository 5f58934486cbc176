// Starting other programs: arguments as given, failures reported, children
// reaped.

#include "platform/shell/shell.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::shell::splitParameters;
using platform::shell::startProgram;
using Args = std::vector<std::string>;

TEST(SplitParameters, SplitsAsACommandLine) {
    struct Case {
        const char* text;
        Args args;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"-R", {"-R"}},
        {"-t 4", {"-t", "4"}},
        {"  a\tb  ", {"a", "b"}},
        {"\"C:\\Program Files\\x.html\"", {"C:\\Program Files\\x.html"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(splitParameters(c.text), c.args);
    }
}

// A program that writes its argument count and arguments, one a line, to `out`.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        script = dir / "quindral-echo-args";
        std::ofstream(script) << "#!/bin/sh\n{ echo $#; for a in \"$@\"; do echo \"$a\"; done; } > \"" +
                                     (dir / "out.tmp").string() + "\"\nmv \"" + (dir / "out.tmp").string() +
                                     "\" \"" + (dir / "out").string() + "\"\n";
        fs::permissions(script, fs::perms::owner_all);
    }

    std::string output() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(dir / "out") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(dir / "out");
        std::stringstream s;
        s << in.rdbuf();
        fs::remove(dir / "out");
        return s.str();
    }

    test_support::TempDir dir{"quindral-shell"};
    fs::path script;
};

TEST_F(ShellTest, ProgramFoundOnPathGetsItsArgumentsUnchanged) {
    test_support::ScopedEnvironment path({{"PATH", dir.path().string() + ":" + std::getenv("PATH")}});
    ASSERT_TRUE(startProgram("quindral-echo-args", splitParameters("")));
    EXPECT_EQ(output(), "0\n");  // an empty parameter text: no arguments at all
    ASSERT_TRUE(startProgram("quindral-echo-args", {"/tmp/ajuda com espa\xE7o/index.html", ""}));
    EXPECT_EQ(output(), "2\n/tmp/ajuda com espa\xE7o/index.html\n\n");
}

TEST_F(ShellTest, ProgramThatCannotStartIsReportedAsNotStarted) {
    std::ofstream(dir / "not-executable") << "#!/bin/sh\n";
    test_support::ScopedEnvironment path({{"PATH", dir.path().string()}});
    EXPECT_FALSE(startProgram("quindral-no-such-program", {}));
    EXPECT_FALSE(startProgram("not-executable", {}));
    EXPECT_FALSE(startProgram((dir / "missing").string(), {}));
    EXPECT_FALSE(startProgram("", {}));
}

// Children of this process that have ended but were not reaped.
int zombieChildren() {
    const std::string self = std::to_string(getpid());
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(line.substr(close + 1));
        std::string state, ppid;
        rest >> state >> ppid;
        if (ppid == self && state == "Z") ++zombies;
    }
    return zombies;
}

TEST_F(ShellTest, EndedProgramsAreReaped) {
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(startProgram(script.string(), {"x"}));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int zombies = 0;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        zombies = zombieChildren();
    } while (zombies > 0 && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(zombies, 0);
}

}  // namespace
