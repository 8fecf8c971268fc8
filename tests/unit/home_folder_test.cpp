#include <gtest/gtest.h>

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

#include "core/platform/HomeFolder.h"

namespace {

TEST(HomeFolder, AHomeVariableThatIsNoAbsolutePathGivesWayToTheAccountsHome)
{
    const char* saved = std::getenv("HOME");
    const std::string savedValue = saved ? saved : "";
    const std::string account = ::getpwuid(::getuid())->pw_dir;
    ::unsetenv("HOME");
    EXPECT_EQ(HomeFolder(), account);
    for (const char* home : {"", "relative/home", "~"}) {
        ::setenv("HOME", home, 1);
        EXPECT_EQ(HomeFolder(), account) << '"' << home << '"';
    }
    ::setenv("HOME", "", 1);
    SettleHomeVariable();
    EXPECT_EQ(std::string(std::getenv("HOME")), account);
    ::setenv("HOME", "/elsewhere/home", 1);
    EXPECT_EQ(HomeFolder(), "/elsewhere/home");
    if (saved)
        ::setenv("HOME", savedValue.c_str(), 1);
    else
        ::unsetenv("HOME");
}

} // namespace
