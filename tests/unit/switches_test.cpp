#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "setup.h"

namespace {

struct SwitchCase {
    const char* cmdLine;
    int scan, network, force;
};

void PrintTo(const SwitchCase& c, std::ostream* os) { *os << '"' << c.cmdLine << '"'; }

class Switches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(Switches, SetFlags) {
    gfScan = 1;
    gfNetworkWin = 0;
    gfForceMSVC = 0;
    ParseSwitches(GetParam().cmdLine);
    EXPECT_EQ(gfScan, GetParam().scan);
    EXPECT_EQ(gfNetworkWin, GetParam().network);
    EXPECT_EQ(gfForceMSVC, GetParam().force);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, Switches, ::testing::Values(
    SwitchCase{"", 1, 0, 0},
    SwitchCase{"s n m", 1, 0, 0},          // letters without a dash are not switches
    SwitchCase{"-s", 0, 0, 0},
    SwitchCase{"/S", 0, 0, 0},
    SwitchCase{"-snm", 0, 0, 0},           // only the letter after the dash counts
    SwitchCase{"-s -n -m", 0, 1, 1},
    SwitchCase{"/S/N/M", 0, 1, 1},
    SwitchCase{"/n", 1, 1, 0},
    SwitchCase{"-M", 1, 0, 1},
    SwitchCase{"-x -", 1, 0, 0},           // unknown letter; a dash at the very end
    SwitchCase{"--s", 0, 0, 0},            // the second dash starts a switch of its own
    SwitchCase{"c:\\dir -n", 1, 1, 0}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace

// What the program's entry hands WinMain: the arguments after the program's
// name, from a whole command line as GetCommandLineA gives it.
TEST(CommandLine, ArgumentsFollowTheProgramName) {
    const struct {
        const char* whole;
        const char* args;
    } cases[] = {
        {"A:\\SETUP.EXE", ""},
        {"A:\\SETUP.EXE -s", "-s"},
        {"setup   /n\t-m", "/n\t-m"},
        {"\"C:\\My Disk\\setup.exe\" -s", "-s"},          // a quoted name may hold blanks
        {"\"C:\\a-b/c\\setup.exe\"", ""},                 // dashes in the name are not switches
        {"\"unterminated -s", ""},
        {"", ""},
    };
    for (auto& c : cases) EXPECT_STREQ(SkipProgramName(c.whole), c.args) << c.whole;
}
