#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "pathdlg.h"
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

// -q, and -d's directory after "-d", "=" or ":", up to a blank outside quotes:
// its dashes and slashes are no switches of their own.
TEST(QuietSwitches, QuietAndTheDirectoryAfterD) {
    const std::string longest(PATH_BUFFER - 1, 'd'), over(PATH_BUFFER, 'd');
    const struct {
        std::string cmdLine;
        int quiet, network;
        std::string dest;
        int code;
    } rows[] = {
        {"/q /d=C:\\plugins", 1, 0, "C:\\plugins", EXIT_INSTALLED},
        {"-Q -dC:\\plug-ins/x -n", 1, 1, "C:\\plug-ins/x", EXIT_INSTALLED},
        {"/d:\"C:\\My Plugins -n\" /q", 1, 0, "C:\\My Plugins -n", EXIT_INSTALLED},
        {"\"/d=C:\\My Plugins\" -q", 1, 0, "C:\\My Plugins", EXIT_INSTALLED},  // quoted whole
        {"/d=\"unterminated -q", 0, 0, "unterminated -q", EXIT_INSTALLED},
        {"-q -d", 1, 0, "", EXIT_BAD_SWITCH},
        {"-d= -q", 1, 0, "", EXIT_BAD_SWITCH},
        {"-q -d=" + longest, 1, 0, longest, EXIT_INSTALLED},
        {"-q -d=" + over, 1, 0, "", EXIT_TOO_LONG},
        {"-s", 0, 0, "", EXIT_INSTALLED},
    };
    for (const auto& r : rows) {
        gfQuiet = 0;
        gfNetworkWin = 0;
        gExitCode = EXIT_INSTALLED;
        ParseSwitches(r.cmdLine.c_str());
        EXPECT_EQ(gfQuiet, r.quiet) << r.cmdLine;
        EXPECT_EQ(gfNetworkWin, r.network) << r.cmdLine;
        EXPECT_EQ(gszDest, r.dest) << r.cmdLine;
        EXPECT_EQ(gExitCode, r.code) << r.cmdLine;
    }
    gfQuiet = 0;
    gfNetworkWin = 0;
    gfScan = 1;
    gExitCode = EXIT_INSTALLED;
    gszDest[0] = '\0';
}

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
