// The build's layer check, run on scratch source trees: it must let includes that point down
// pass and stop the build on any that point up.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "RunCommand.h"
#include "TempDir.h"

namespace tmigration::testing {
namespace {

struct TreeCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files;  // path under src/, text
    bool accepted;
    const char* named;  // a text the refusal must contain (the offending file)
};
std::ostream& operator<<(std::ostream& os, const TreeCase& c) {
    return os << c.name;
}

class LayerCheck : public ::testing::TestWithParam<TreeCase> {};

TEST_P(LayerCheck, AcceptsDownwardAndRefusesUpwardIncludes) {
    TempDir tree;
    for (const auto& [path, text] : GetParam().files) {
        const auto file = tree.Path() / "src" / path;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text << "\n";
    }
    const std::string stamp = tree.File("layers.stamp");
    const CommandResult r =
        RunCommand(std::string(TMIGRATION_CMAKE_COMMAND) + " -DSOURCE_DIR=" + tree.Path().string() +
                   " -DSTAMP=" + stamp + " -P " + TMIGRATION_SOURCE_DIR + "/cmake/CheckLayers.cmake 2>&1");
    EXPECT_EQ(r.exitCode == 0, GetParam().accepted) << r.out;
    EXPECT_EQ(std::filesystem::exists(stamp), GetParam().accepted);
    if (!GetParam().accepted) {
        EXPECT_NE(r.out.find(GetParam().named), std::string::npos) << r.out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Trees, LayerCheck,
    ::testing::Values(
        TreeCase{"DownwardIncludes",
                 {{"driver/A.cpp", "#include \"driver/A.h\"\n#include \"core/B.h\"\n#include <string>"},
                  {"core/B.h", "#include \"db/C.h\""},
                  {"db/C.h", "#pragma once"},
                  {"util/Text.cpp", "#include \"util/Text.h\""},
                  {"db/D.cpp", "#include \"util/Text.h\"\n#include \"util/Rounding.h\""}},
                 true,
                 ""},
        TreeCase{"UpwardInclude",
                 {{"driver/A.h", "#pragma once"}, {"core/B.cpp", "#include \"driver/A.h\""}},
                 false,
                 "src/core/B.cpp"},
        TreeCase{"UpwardIncludeWrittenWithBlanks",
                 {{"schema/S.h", "  #  include   \"transfer/T.h\""}},
                 false,
                 "src/schema/S.h"},
        TreeCase{"DataLayerIncludesUtilityBeyondTheBaseFiles",
                 {{"db/D.cpp", "#include \"util/DateMath.h\""}},
                 false,
                 "src/db/D.cpp"},
        TreeCase{"BaseFileIncludesTheDataLayer",
                 {{"util/Text.cpp", "#include \"util/Text.h\"\n#include \"db/Value.h\""}},
                 false,
                 "src/util/Text.cpp"},
        TreeCase{"FolderOutsideTheLayers", {{"misc/M.cpp", "#include <vector>"}}, false, "src/misc/M.cpp"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::testing
