#include "launcher/host_output.hpp"

#include "fake_platform.hpp"

#include <gtest/gtest.h>

namespace toolrun {
namespace {

using Pieces = std::vector<std::string>;

TEST(ForwardOutput, PiecesOfAtMost255Characters) {
    test::FakePlatform platform;
    forward_output(platform, std::string(255, 'a'));
    EXPECT_EQ(platform.pieces, Pieces{std::string(255, 'a')});

    platform.pieces.clear();
    forward_output(platform, std::string(255, 'a') + "b");
    EXPECT_EQ(platform.pieces, (Pieces{std::string(255, 'a'), "b"}));

    platform.pieces.clear();
    forward_output(platform, std::string(510, 'a') + std::string(90, 'c'));
    EXPECT_EQ(platform.pieces,
              (Pieces{std::string(255, 'a'), std::string(255, 'a'), std::string(90, 'c')}));
}

TEST(LauncherLog, ForwardsAndLogsAtMost512Characters) {
    test::FakePlatform platform;
    launcher_log(platform, "Error loading QRYLINK.DLL\n");
    EXPECT_EQ(platform.pieces, Pieces{"Error loading QRYLINK.DLL\n"});
    EXPECT_EQ(platform.log, "Error loading QRYLINK.DLL\n");

    test::FakePlatform long_message;
    launcher_log(long_message, std::string(600, 'z'));
    EXPECT_EQ(long_message.log, std::string(512, 'z'));
    EXPECT_EQ(long_message.pieces,
              (Pieces{std::string(255, 'z'), std::string(255, 'z'), std::string(2, 'z')}));
}

} // namespace
} // namespace toolrun
