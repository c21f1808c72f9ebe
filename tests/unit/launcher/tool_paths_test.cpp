#include "launcher/tool_paths.hpp"

#include <gtest/gtest.h>

namespace toolrun {
namespace {

TEST(ToolPaths, WindowsPathOfEachTool) {
    const std::string old = "C:\\Windows";
    EXPECT_EQ(compose_path_value(ToolKind::SYNPLIFY, "C:\\syn", "C:\\cv\\bin", old, windows_paths),
              "C:\\syn\\bin;C:\\cv\\bin;C:\\Windows;");
    EXPECT_EQ(compose_path_value(ToolKind::MODELSIM, "C:\\ms", "C:\\cv\\bin", old, windows_paths),
              "C:\\ms;C:\\cv\\bin;C:\\Windows;");
    EXPECT_EQ(compose_path_value(ToolKind::SPECTRUM, "C:\\ls", "C:\\cv\\bin", old, windows_paths),
              "C:\\ls\\bin\\win32;C:\\cv\\bin;C:\\Windows;");
    EXPECT_EQ(compose_path_value(ToolKind::PGMCFG, "C:\\cv", "C:\\cv\\bin", old, windows_paths),
              "C:\\cv\\bin;C:\\Windows;");
}

TEST(ToolPaths, EmptyOldPathEndsInTwoSeparators) {
    EXPECT_EQ(compose_path_value(ToolKind::MODELSIM, "C:\\ms", "C:\\b", "", windows_paths),
              "C:\\ms;C:\\b;;");
    EXPECT_EQ(compose_path_value(ToolKind::PGMCFG, "C:\\cv", "/b", "", posix_paths), "/b::");
}

TEST(ToolPaths, WindowsExecutableOfEachTool) {
    EXPECT_EQ(compose_executable_path(ToolKind::SYNPLIFY, "C:\\syn", windows_paths),
              "C:\\syn\\bin\\synplify.exe");
    EXPECT_EQ(compose_executable_path(ToolKind::MODELSIM, "C:\\ms", windows_paths),
              "C:\\ms\\modelsim.exe");
    EXPECT_EQ(compose_executable_path(ToolKind::SPECTRUM, "C:\\ls", windows_paths),
              "C:\\ls\\bin\\win32\\leonardo.exe");
    EXPECT_EQ(compose_executable_path(ToolKind::PGMCFG, "C:\\x", windows_paths),
              "C:\\x\\..\\pgmsuite\\pgmcfg\\wloader.exe");
}

TEST(ToolPaths, PosixStyleUsesSlashesColonsAndNoExe) {
    EXPECT_EQ(compose_path_value(ToolKind::SPECTRUM, "/ls", "/cv/bin", "/usr/bin", posix_paths),
              "/ls/bin/win32:/cv/bin:/usr/bin:");
    EXPECT_EQ(compose_executable_path(ToolKind::SYNPLIFY, "/syn", posix_paths),
              "/syn/bin/synplify");
    EXPECT_EQ(compose_executable_path(ToolKind::PGMCFG, "/cv", posix_paths),
              "/cv/../pgmsuite/pgmcfg/wloader");
}

TEST(ToolPaths, RootLosesOneTrailingSeparator) {
    EXPECT_EQ(trim_root("C:\\x\\", windows_paths), "C:\\x");
    EXPECT_EQ(trim_root("C:\\x\\\\", windows_paths), "C:\\x\\");
    EXPECT_EQ(trim_root("C:\\x", windows_paths), "C:\\x");
    EXPECT_EQ(trim_root("\\", windows_paths), std::nullopt);
    EXPECT_EQ(trim_root("", windows_paths), std::nullopt);
    EXPECT_EQ(trim_root("/opt/cv/", posix_paths), "/opt/cv");
    EXPECT_EQ(trim_root("/", posix_paths), std::nullopt);
}

TEST(ToolPaths, FillFormatTakesValuesInOrder) {
    EXPECT_EQ(fill_format("%s-%s;%s", {"a", "b", "%s"}), "a-b;%s");
    EXPECT_EQ(fill_format("Failed to find %s file", {"C:\\a b.exe"}),
              "Failed to find C:\\a b.exe file");
}

} // namespace
} // namespace toolrun
