#include "sample/SampleOldVersions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "RunCommand.h"
#include "TempDatabase.h"
#include "db/Recordset.h"
#include "legacy/OldCommonDatabases.h"
#include "sample/SamplePlant.h"

namespace tmigration::testing {
namespace {

using db::Dialect;
using legacy::Module;
using ::testing::HasSubstr;

std::string Scalar(db::Connection& c, const std::string& sql) {
    db::Recordset rs;
    rs.SetActiveConnection(&c);
    rs.Open(sql);
    const db::Value& v = rs.Fields(0).GetValue();
    return v.IsNull() ? "NULL" : v.AsText();
}

struct ParseCase {
    std::string text;
    Module module;
    int major;
    std::string minor;
};

class ParseModuleVersionTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseModuleVersionTest, ReadsModuleMajorAndMinor) {
    const sample::ModuleVersion v = sample::ParseModuleVersion(GetParam().text);
    EXPECT_EQ(v.module, GetParam().module);
    EXPECT_EQ(v.major, GetParam().major);
    EXPECT_EQ(v.minor, GetParam().minor);
}

INSTANTIATE_TEST_SUITE_P(Forms, ParseModuleVersionTest,
                         ::testing::Values(ParseCase{"common=44.120", Module::Common, 44, "120"},
                                           ParseCase{"MDC=5.20", Module::MDC, 5, "20"},
                                           ParseCase{"traveler=7.0", Module::Traveler, 7, "0"}));

class ParseModuleVersionRefusal : public ::testing::TestWithParam<std::string> {};

TEST_P(ParseModuleVersionRefusal, SaysWhatIsWrong) {
    EXPECT_THROW(sample::ParseModuleVersion(GetParam()), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseModuleVersionRefusal,
                         ::testing::Values("common", "common=", "common=.5", "common=4x.1", "common=44.1.2",
                                           "crib=3.1", "=44.1", "common=-4.1", "common=44,1", "Gage=30."));

struct RefusedSet {
    Dialect dialect;
    std::vector<std::string> versions;
    std::string message;
};

class RefusedVersions : public ::testing::TestWithParam<RefusedSet> {};

TEST_P(RefusedVersions, AreRefusedBeforeAnythingIsWritten) {
    std::vector<sample::ModuleVersion> versions;
    for (const std::string& text : GetParam().versions) versions.push_back(sample::ParseModuleVersion(text));
    try {
        sample::CheckModuleVersions(GetParam().dialect, versions);
        FAIL() << "accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_THAT(e.what(), HasSubstr(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sets, RefusedVersions,
    ::testing::Values(
        RefusedSet{Dialect::SqlServer, {"common=43.100"}, "majors 44 to 61"},
        RefusedSet{Dialect::Access, {"common=62.0"}, "not 62"},
        RefusedSet{Dialect::Access, {"common=50.1", "common=51.1"}, "twice"},
        RefusedSet{Dialect::Oracle, {"common=15.1", "traveler=15.103"}, "Traveler module cannot"},
        RefusedSet{Dialect::Access, {"gage=29.1"}, "majors 30 to 37 in the Access dialect, not 29"},
        RefusedSet{Dialect::SqlServer, {"traveler=8.1"}, "majors 9 to 15"},
        RefusedSet{Dialect::Oracle, {"tool=18.0"}, "majors 1 to 17"}));

TEST(ModulesLeftOut, AreThoseWhoseTablesPointAtCommonTablesNotThereYet) {
    const auto leftOut = [](const std::string& text) {
        const std::vector<sample::ModuleVersion> v{sample::ParseModuleVersion(text)};
        return sample::ModulesLeftOut(v);
    };
    EXPECT_TRUE(leftOut("common=61.1").empty());
    EXPECT_TRUE(leftOut("common=37.90").empty());
    // Kits came with the step from 36, cutters with the one from 16: the tool crib and the travelers
    // point at both.
    EXPECT_EQ(leftOut("common=36.90"), (std::vector<Module>{Module::Tool, Module::Traveler}));
    EXPECT_EQ(leftOut("common=16.90"), (std::vector<Module>{Module::Tool, Module::Traveler}));
}

// Lines of one schema description the other does not have, each marked with the side it is on.
std::vector<std::string> SchemaDifference(const std::vector<std::string>& upgraded,
                                          const std::vector<std::string>& created) {
    std::vector<std::string> out;
    std::ranges::set_difference(upgraded, created, std::back_inserter(out));
    for (std::string& line : out) line = "upgraded only: " + line;
    std::vector<std::string> missing;
    std::ranges::set_difference(created, upgraded, std::back_inserter(missing));
    for (std::string& line : missing) out.push_back("created only: " + line);
    return out;
}

// A plant aged back, then upgraded by the module creators, has the schema of a plant written at the
// last version; on the way, the rows carried back into old forms are there before the upgrade.
struct AgedCase {
    Dialect dialect;
    std::string version;
    const char* dialectWord;
};

class SlowAgedSamplePlant : public ::testing::TestWithParam<AgedCase> {};

TEST_P(SlowAgedSamplePlant, UpgradesToTheSchemaOfTheLastVersion) {
    TempDatabase fresh("fresh.mdb"), aged("aged.mdb");
    sample::WriteSamplePlant(*fresh.Connect(GetParam().dialect), 1, 3);
    {
        auto c = aged.Connect(GetParam().dialect);
        sample::WriteSamplePlant(*c, 1, 3);
        // A bare version is the Common one.
        const std::string text = GetParam().version.find('=') == std::string::npos
                                     ? "common=" + GetParam().version
                                     : GetParam().version;
        const std::vector<sample::ModuleVersion> versions{sample::ParseModuleVersion(text)};
        sample::AgeSamplePlant(*c, versions);
        EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = " +
                                 std::to_string(legacy::ModuleAppId(versions.front().module))),
                  text.substr(text.find('=') + 1));
    }
    EXPECT_NE(DescribeSchema(aged.Path()), DescribeSchema(fresh.Path()));
    const auto r = RunCommand(Tmigrate() + " upgrade " + GetParam().dialectWord + " '" +
                              aged.ConnectionString() + "' --progress none 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(SchemaDifference(DescribeSchema(aged.Path()), DescribeSchema(fresh.Path())),
                ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Versions, SlowAgedSamplePlant,
                         ::testing::Values(AgedCase{Dialect::Access, "1.10", "access"},
                                           AgedCase{Dialect::Access, "gage=30.40", "access"},
                                           AgedCase{Dialect::Access, "tool=1.5", "access"},
                                           AgedCase{Dialect::Access, "traveler=7.9", "access"},
                                           AgedCase{Dialect::Oracle, "gage=1.3", "oracle"},
                                           AgedCase{Dialect::Oracle, "gage=20.3", "oracle"},
                                           AgedCase{Dialect::Oracle, "traveler=1.2", "oracle"},
                                           AgedCase{Dialect::SqlServer, "tool=12.6", "sql"},
                                           AgedCase{Dialect::Access, "46.90", "access"},
                                           AgedCase{Dialect::Oracle, "16.30", "oracle"},
                                           AgedCase{Dialect::SqlServer, "44.90", "sql"}));

TEST(AgedSamplePlant, HoldsTheRowsInTheFormsTheUpgradeConverts) {
    TempDatabase db;
    auto c = db.Connect(Dialect::Access);
    sample::WriteSamplePlant(*c, 1, 3);
    const std::vector<sample::ModuleVersion> versions{sample::ParseModuleVersion("common=36.70")};
    sample::AgeSamplePlant(*c, versions);
    const auto count = [&](const std::string& sql) { return std::stoi(Scalar(*c, sql)); };
    // 37: blueprints are rows that parts point at.
    EXPECT_GT(count("select count(*) from T_TRNK_BPRINT"), 0);
    EXPECT_EQ(count("select count(*) from T_TRNK_PART P, T_TRNK_BPRINT B where B.BPRINT_ID = P.BPRINT_ID"),
              count("select count(*) from T_TRNK_PART where BPRINT_ID IS NOT NULL"));
    // 41: every cutter and insert names a material of a cutter or insert material type.
    EXPECT_GT(count("select count(*) from T_TRNK_INSERT_NO where MATERIAL_ID IS NOT NULL"), 0);
    EXPECT_EQ(
        count("select count(*) from T_TRNK_INSERT_NO I, T_TRNK_MATERIAL M, T_TRNK_MATERIALTYPE T where "
              "I.MATERIAL_ID = M.MATERIAL_ID and M.MATERIALTYPE_ID = T.MATERIALTYPE_ID and T.PTYPE_ID IN "
              "(46, 47)"),
        count("select count(*) from T_TRNK_INSERT_NO where MATERIAL_ID IS NOT NULL"));
    // 47: the machines hold their events; 52: some material numbers are shared.
    EXPECT_GT(count("select count(*) from T_TRNK_MACHINES where CYCLE_TIME_ID IS NOT NULL"), 0);
    EXPECT_GT(count("select count(*) - count(distinct MATERIAL_NUMBER) from T_TRNK_MATERIAL"), 0);
    // 46: some parts have an older revision in their family.
    EXPECT_GT(count("select count(*) from T_TRNK_PART where FAMILY_ID IS NOT NULL and FAMILY_ID <> PART_ID"),
              0);
    // 58: shapes are texts, some of them unknown to the step.
    EXPECT_GT(count("select count(*) from T_TRNK_INSERT_NO where SHAPE = 'Round'"), 0);
    EXPECT_GT(count("select count(*) from T_TRNK_INSERT_NO where SHAPE = 'Other'"), 0);
}

TEST(AgedSamplePlant, HoldsTravelerCalibrationAndReworkRowsInTheirOldForms) {
    TempDatabase db;
    auto c = db.Connect(Dialect::Access);
    sample::WriteSamplePlant(*c, 1, 3);
    const std::vector<sample::ModuleVersion> versions{sample::ParseModuleVersion("traveler=7.20"),
                                                      sample::ParseModuleVersion("gage=33.2"),
                                                      sample::ParseModuleVersion("tool=13.4")};
    sample::AgeSamplePlant(*c, versions);
    const auto count = [&](const std::string& sql) { return std::stoi(Scalar(*c, sql)); };
    // 8: alternates carry "_A" in their names, every traveler its revision as a number.
    EXPECT_GT(count("select count(*) from T_TRNK_TRAVELER where TRAVELER_NAME <> TRAVELER_NUMBER"), 0);
    EXPECT_EQ(count("select count(*) from T_TRNK_TRAVELER where TRAVELER_NAME IS NULL"), 0);
    // 14: types are texts.
    EXPECT_GT(count("select count(*) from T_TRNK_TRAVELER where TRAVELER_TYPE IN ('Assembly', 'Fabrication', "
                    "'Machining', 'Outsource', 'Process', 'Rework')"),
              0);
    // 35 and 15: measurements name their number's dimensions; no sets yet.
    EXPECT_GT(
        count("select count(*) from T_TRNK_CALIBRATE C, T_TRNK_GAUGE_CAL_DIM D where C.GAUGE_CAL_DIM_ID = "
              "D.GAUGE_CAL_DIM_ID"),
        0);
    EXPECT_GT(
        count("select count(*) from T_TRNK_REWORK R, T_TRNK_TOOL_CAL_DIM D where R.TOOL_REWORK_DIM_ID = "
              "D.TOOL_CAL_DIM_ID"),
        0);
    EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 1"), "7.20");
    EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 11"), "33.2");
    EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 21"), "13.4");
}

// The Oracle gage tables below their rebuild: gages keep their keys in the old table, and between
// the rebuild and the step that dates the reports, the reports carry their disposition dates.
TEST(SlowAgedOracleGagePlant, HoldsGagesAndReportsInTheirOldForms) {
    const auto count = [](db::Connection& on, const std::string& sql) { return std::stoi(Scalar(on, sql)); };
    const auto age = [](db::Connection& on, const char* version) {
        sample::AgeSamplePlant(on, std::vector<sample::ModuleVersion>{sample::ParseModuleVersion(version)});
    };
    {
        TempDatabase db;
        auto c = db.Connect(Dialect::Oracle);
        sample::WriteSamplePlant(*c, 1, 3);
        const int reports = count(*c, "select count(*) from T_TRNK_IRR where MODIFIED_DATE IS NOT NULL");
        ASSERT_GT(reports, 0);
        age(*c, "gage=21.4");
        // 21: every report's disposition date is its modification date.
        EXPECT_EQ(count(*c, "select count(*) from T_TRNK_IRR where OPEN_DISP_DATE IS NOT NULL"), reports);
        // 29: the metrics of the gage numbers' dimensions and the label operations of the subtypes.
        EXPECT_GT(count(*c, "select count(*) from T_TRNK_METRICS where PTYPE_ID = 3"), 0);
        EXPECT_GT(count(*c, "select count(*) from T_TRNK_OPS where PTYPE_ID = 3 and TABLE_ID = 111"), 0);
    }
    TempDatabase db;
    auto c = db.Connect(Dialect::Oracle);
    sample::WriteSamplePlant(*c, 1, 3);
    const std::string gages = Scalar(*c, "select count(*) || '/' || sum(GAUGE_ID) from T_TRNK_GAUGES");
    age(*c, "gage=17.4");
    // 19 and 17: every gage is back in the one gage table with its key, serial number and day counts.
    EXPECT_EQ(Scalar(*c, "select count(*) || '/' || sum(GAUGE_ID) from T_TRNK_GAUGES"), gages);
    EXPECT_EQ(count(*c,
                    "select count(*) from T_TRNK_GAUGES where SERIAL_NO IS NULL or TOTAL_DAYS_USED IS "
                    "NULL or CAL_DAYS_USED IS NULL"),
              0);
    EXPECT_EQ(count(*c, "select count(*) from T_TRNK_IRR"), 0);
    EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 11"), "17.4");
}

TEST(TmigrateSample, BuildsAPlantAtAnOlderCommonVersionAndRefusesOneItCannot) {
    TempDatabase db;
    auto r =
        RunCommand(Tmigrate() + " sample sql '" + db.ConnectionString() + "' --version common=40.2 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("majors 44 to 61 in the SQL Server dialect, not 40"));
    r = RunCommand(Tmigrate() + " sample access '" + db.ConnectionString() +
                   "' --version common=30.60 --version common=31.1 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("twice"));
    r = RunCommand(Tmigrate() + " sample access '" + db.ConnectionString() + "' --version common=30.60 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out, HasSubstr("Common tables aged to version 30.60\n"));
    EXPECT_THAT(r.out, HasSubstr("Tool tables left out"));
}

// A plant at an old Common version migrates in one call. From before the step from 55, whose new
// attachment type column the upgrade leaves empty, the attachments stop the migration on that Null.
struct MigratedCase {
    std::string version;
    int exitCode;
    std::string message;
    std::string dialect = "access";
};

class SlowAgedPlantMigration : public ::testing::TestWithParam<MigratedCase> {};

TEST_P(SlowAgedPlantMigration, RunsThroughTheUpgradeIntoTheTransfers) {
    TempDatabase db;
    // A bare version is the Common one; several modules are joined by blanks.
    std::string options;
    for (std::size_t start = 0; start < GetParam().version.size();) {
        const auto end = std::min(GetParam().version.find(' ', start), GetParam().version.size());
        const std::string one = GetParam().version.substr(start, end - start);
        options += " --version " + (one.find('=') == std::string::npos ? "common=" + one : one);
        start = end + 1;
    }
    const std::string dialect = GetParam().dialect;
    auto r = RunCommand(Tmigrate() + " sample " + dialect + " '" + db.ConnectionString() + "'" + options +
                        " 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    r = RunCommand(Tmigrate() + " migrate " + dialect + " '" + db.ConnectionString() +
                   "' --progress none 2>&1");
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.out;
    EXPECT_THAT(r.out, HasSubstr(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SlowAgedPlantMigration,
    ::testing::Values(MigratedCase{"56.100", 0, ""}, MigratedCase{"gage=30.40", 0, ""},
                      MigratedCase{"tool=1.5", 0, ""}, MigratedCase{"traveler=7.9", 0, ""},
                      MigratedCase{"56.100 gage=30.40 tool=1.5 traveler=7.9", 0, ""},
                      MigratedCase{"gage=1.3", 0, "", "oracle"},
                      MigratedCase{"46.90", 1, "Migrating Attachments: Invalid use of Null"}));

}  // namespace
}  // namespace tmigration::testing
