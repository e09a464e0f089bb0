// The manifest of the shipped program, read back from its resources as
// today's Windows reads it when the program starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "drive.h"

namespace {

std::string ShippedManifest() {
    HMODULE exe = LoadLibraryExA(WindowsPath(OW_SHIPPED_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) return "";
    std::string text;
    if (HRSRC res = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {  // RT_MANIFEST
        HGLOBAL data = LoadResource(exe, res);
        if (const void* p = data ? LockResource(data) : nullptr)
            text.assign(static_cast<const char*>(p), SizeofResource(exe, res));
    }
    FreeLibrary(exe);
    return text;
}

}  // namespace

// Vista and later elevate an unmarked setup.exe but run a marked one as it is
// marked: the program writes into the system directory, so it asks for the
// rights. Windows XP refuses to start a program whose trustInfo it cannot
// place; the asm.v2 namespace is the one it reads.
TEST(Manifest, TheShippedProgramAsksForAdministratorRightsInTheFormXpReads) {
    std::string xml = ShippedManifest();
    ASSERT_FALSE(xml.empty()) << "no RT_MANIFEST 1 in " << OW_SHIPPED_EXE;
    size_t trust = xml.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">");
    size_t level = xml.find("<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>");
    size_t end = xml.find("</trustInfo>");
    ASSERT_NE(trust, std::string::npos) << xml;
    ASSERT_NE(level, std::string::npos) << xml;
    EXPECT_LT(trust, level);
    EXPECT_LT(level, end);
    EXPECT_EQ(xml.find("asInvoker"), std::string::npos) << xml;
}
