#include <gtest/gtest.h>

#include <vector>

#include "core/app/CommandLine.h"

namespace {

StartOptions Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "huebird-lite");
    return ParseStartOptions(int(args.size()), args.data());
}

TEST(StartOptions, ReadsItsOwnOptionsAndLeavesTheRestToQt)
{
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"-platform", "offscreen", "--version"}).version);
    EXPECT_EQ(Parse({"--config", "a b.ini"}).configFile, "a b.ini");
    EXPECT_EQ(Parse({"--config=/x.ini", "-display", ":1"}).configFile, "/x.ini");
    const StartOptions plain = Parse({"-style", "fusion"});
    EXPECT_FALSE(plain.help || plain.version || !plain.error.empty());
    EXPECT_EQ(AnswerInformationalOptions(plain), -1);
}

TEST(StartOptions, TheFirstCommandForTheRunningCopyCounts)
{
    EXPECT_EQ(Parse({}).command, InstanceCommand::None);
    EXPECT_EQ(Parse({"--pick", "--capture"}).command, InstanceCommand::Pick);
    EXPECT_EQ(Parse({"--config", "--capture"}).command, InstanceCommand::None);
    EXPECT_EQ(Parse({"-platform", "xcb", "--capture"}).command, InstanceCommand::Capture);
}

TEST(StartOptions, AConfigWithoutAFileIsAUsageError)
{
    for (const StartOptions& o : {Parse({"--config"}), Parse({"--config="})}) {
        EXPECT_FALSE(o.error.empty());
        EXPECT_TRUE(o.configFile.empty());
    }
}

TEST(StartOptions, UnknownOptionsAreUsageErrorsAndQtsOwnAreNot)
{
    for (const StartOptions& o : {Parse({"--captrue"}), Parse({"-x"}), Parse({"list.txt"}), Parse({"-platform"}),
                                  Parse({"--capture", "--pick", "--bogus"})}) {
        EXPECT_FALSE(o.error.empty());
        EXPECT_EQ(AnswerInformationalOptions(o), 2);
    }
    EXPECT_NE(Parse({"--captrue"}).error.find("'--captrue'"), std::string::npos);
    const StartOptions qt = Parse({"--platform", "xcb", "-style=fusion", "-reverse", "-session", "s1", "--capture"});
    EXPECT_TRUE(qt.error.empty()) << qt.error;
    EXPECT_EQ(qt.command, InstanceCommand::Capture);
}

} // namespace
