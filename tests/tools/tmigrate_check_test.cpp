// tmigrate check: each finding on a database built to show it; a database the check passes
// migrates, and a blocking finding stops a migration that runs anyway (--force).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "RunCommand.h"
#include "TempDatabase.h"
#include "TempDir.h"

namespace tmigration::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ConnectionTo(const std::string& path) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";";
}

CommandResult Check(const std::string& dialect, const std::string& connection) {
    return RunCommand(Tmigrate() + " check " + dialect + " '" + connection + "' 2>&1");
}

CommandResult Sql(const std::string& dialect, const std::string& connection, const std::string& statement) {
    return RunCommand("echo \"" + statement + "\" | " + Tmigrate() + " sql " + dialect + " '" + connection +
                      "' 2>&1");
}

CommandResult ForcedMigration(const std::string& dialect, const std::string& connection) {
    return RunCommand(Tmigrate() + " migrate " + dialect + " '" + connection +
                      "' --progress none --force 2>&1");
}

// A database whose five modules are installed at their last legacy versions by the tool's own
// upgrade, made once per dialect and copied into each test's folder.
class LegacyPlant {
  public:
    LegacyPlant(const std::string& dialect, const std::string& name = "plant.mdb")
        : dialect_(dialect), path_(dir_.File(name)) {
        fs::copy_file(Original(dialect), path_);
    }
    const std::string& Path() const { return path_; }
    std::string Connection() const { return ConnectionTo(path_); }
    const TempDir& Dir() const { return dir_; }
    void Run(const std::string& statement) const {
        auto r = Sql(dialect_, Connection(), statement);
        ASSERT_EQ(r.exitCode, 0) << statement << ": " << r.out;
    }

  private:
    static const std::string& Original(const std::string& dialect) {
        static TempDir folder;
        static std::map<std::string, std::string> made;
        auto it = made.find(dialect);
        if (it != made.end()) return it->second;
        const std::string path = folder.File(dialect + ".mdb");
        RunCommand(Tmigrate() + " create " + path);
        auto r = RunCommand(Tmigrate() + " upgrade " + dialect + " '" + ConnectionTo(path) +
                            "' --progress none 2>&1");
        EXPECT_EQ(r.exitCode, 0) << r.out;
        return made.emplace(dialect, path).first->second;
    }

    std::string dialect_;
    TempDir dir_;
    std::string path_;
};

// ---- on an empty database (no legacy tables): quick cases --------------------------------------

TEST(TmigrateCheck, AnEmptyDatabaseCanMigrateAndIsLeftByteForByte) {
    TempDatabase db;
    const std::string before = Bytes(db.Path());
    auto r = Check("access", db.ConnectionString());
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out,
                HasSubstr("ok: Gage: not installed; its legacy tables will be created at version 37.105\n"));
    EXPECT_THAT(r.out, HasSubstr("ok: not migrated yet"));
    EXPECT_THAT(r.out,
                HasSubstr("ok: compaction: '" + db.Path() + "' into '" + db.Dir().string() + "/plant1.mdb'"));
    EXPECT_THAT(r.out, ::testing::EndsWith("a migration can run\n"));
    EXPECT_EQ(Bytes(db.Path()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(db.Dir()), fs::directory_iterator()), 1);
}

TEST(TmigrateCheck, AFileThatCannotBeOpenedIsBlocking) {
    TempDir dir;
    std::ofstream(dir.File("plant.mdb")) << "not a database";
    auto r = Check("sql", ConnectionTo(dir.File("plant.mdb")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("blocking: the database cannot be opened: Unrecognized database format"));
}

// The compaction's preconditions, each broken on its own.
struct CompactionCase {
    const char* name;
    const char* file;        // the database's name in its folder
    const char* connection;  // with %s for the path
    const char* expected;
};

class CheckCompaction : public ::testing::TestWithParam<CompactionCase> {};

TEST_P(CheckCompaction, IsBlocking) {
    const CompactionCase& c = GetParam();
    TempDatabase db(c.file);
    if (std::string(c.name) == "TemporaryNameTaken") std::ofstream(db.Dir() / "plant1.mdb") << "x";
    std::string connection = c.connection;
    connection.replace(connection.find("%s"), 2, db.Path());
    auto r = Check("access", connection);
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_THAT(r.out, HasSubstr(std::string("blocking: compaction: ") + c.expected)) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Preconditions, CheckCompaction,
                         ::testing::Values(CompactionCase{"TemporaryNameTaken", "plant.mdb",
                                                          "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;",
                                                          "the temporary file"},
                                           CompactionCase{"NoDotInTheName", "plant",
                                                          "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;",
                                                          "the file name"},
                                           CompactionCase{"NoSemicolonAfterThePath", "plant.mdb",
                                                          "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s",
                                                          "the file path cannot be cut"},
                                           CompactionCase{"DataSourceInAnotherCase", "plant.mdb",
                                                          "Provider=Microsoft.Jet.OLEDB.4.0;data source=%s;",
                                                          "the file path cannot be cut"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TmigrateCheck, MigrateRefusesABlockedDatabaseAndLeavesItAlone) {
    TempDatabase db;
    std::ofstream(db.Dir() / "plant1.mdb") << "x";
    const std::string before = Bytes(db.Path());
    auto r = RunCommand(Tmigrate() + " migrate access '" + db.ConnectionString() + "' --progress plain 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("blocking: compaction: the temporary file"));
    EXPECT_THAT(r.out, HasSubstr("the migration was not started"));
    EXPECT_THAT(r.out, Not(HasSubstr("Connecting to Database...")));
    EXPECT_EQ(Bytes(db.Path()), before);
}

// Where a run stopped, shown by the new schema's item 1 and the legacy tables left.
struct ItemCase {
    const char* name;
    int item1;
    bool legacyLeft;
    const char* expected;
};

class CheckMigrationState : public ::testing::TestWithParam<ItemCase> {};

TEST_P(CheckMigrationState, NamesThePhase) {
    TempDatabase db;
    std::string statements =
        "CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_CODE INTEGER, DB_ITEM_VALUE INTEGER)\n"
        "INSERT INTO T_SFC_DB_ITEM (DB_ITEM_CODE, DB_ITEM_VALUE) VALUES (1, " +
        std::to_string(GetParam().item1) + ")\n";
    if (GetParam().legacyLeft) statements += "CREATE TABLE T_TRNK_COMMON (APP_ID INTEGER)\n";
    auto made = RunCommand("printf '" + statements + "' | " + Tmigrate() + " sql access '" +
                           db.ConnectionString() + "' 2>&1");
    ASSERT_EQ(made.exitCode, 0) << made.out;
    auto r = Check("access", db.ConnectionString());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr(std::string("blocking: ") + GetParam().expected)) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Phases, CheckMigrationState,
    ::testing::Values(ItemCase{"NewSchema", 700, true,
                               "partly migrated: stopped in CreateNewTables after statement 700 of 1553"},
                      ItemCase{"Transfers", 1553, true,
                               "partly migrated: stopped in MigrateData or DeleteOldTables"},
                      ItemCase{"Finalization", 1553, false, "partly migrated: stopped in FinalizeMigration"},
                      ItemCase{"Complete", 1554, false, "already migrated: database item 1 is 1554\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Room for a snapshot and the compacted copy, on a small file system of its own (mounting needs
// the privilege to; the case is skipped without it).
TEST(TmigrateCheck, TooLittleFreeSpaceForTheCompactionIsBlocking) {
    TempDir dir;
    const std::string mount = dir.File("small");
    fs::create_directory(mount);
    if (RunCommand("mount -t tmpfs -o size=1m tmpfs " + mount + " 2>/dev/null").exitCode != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string path = mount + "/plant.mdb";
    RunCommand(Tmigrate() + " create " + path);
    const std::string filler(100000, 'x');
    std::string statements = "CREATE TABLE T_FILL (A MEMO)\n";
    for (int i = 0; i < 4; ++i) statements += "INSERT INTO T_FILL (A) VALUES ('" + filler + "')\n";
    { std::ofstream(dir.File("fill.sql")) << statements; }
    auto filled =
        RunCommand(Tmigrate() + " sql access '" + ConnectionTo(path) + "' " + dir.File("fill.sql") + " 2>&1");
    auto r = Check("access", ConnectionTo(path));
    RunCommand("umount " + mount);
    ASSERT_EQ(filled.exitCode, 0) << filled.out;
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, ::testing::ContainsRegex("blocking: compaction: [0-9]+ bytes free in '" + mount +
                                                "', the snapshot and the compacted copy need [0-9]+\n"));
}

// ---- on installed legacy plants: whole upgrades and migrations, slow -----------------------------

TEST(SlowTmigrateCheck, AnInstalledPlantPassesUnchangedAndThenMigrates) {
    LegacyPlant plant("access");
    plant.Run("INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_NAME) VALUES ('Bar')");
    plant.Run(
        "INSERT INTO T_TRNK_PART (PART_NUMBER, PART_NAME, PARTTYPE_ID, REVISION) VALUES ('P-1', 'Bracket', "
        "1, 3)");
    const std::string before = Bytes(plant.Path());
    auto r = Check("access", plant.Connection());
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out, HasSubstr("ok: Common: legacy version '61.132' is the last legacy version\n"));
    EXPECT_THAT(r.out, HasSubstr("ok: the legacy tables look built for Access\n"));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("MigrateParts: [0-9]+ legacy rows will move\n"));
    EXPECT_EQ(Bytes(plant.Path()), before);
    auto migrated =
        RunCommand(Tmigrate() + " migrate access '" + plant.Connection() + "' --progress none 2>&1");
    ASSERT_EQ(migrated.exitCode, 0) << migrated.out;
    auto again = Check("access", plant.Connection());
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_THAT(again.out, HasSubstr("blocking: already migrated: database item 1 is 1554\n"));
}

TEST(SlowTmigrateCheck, AnOlderModuleTheDialectUpgradesIsNoObstacle) {
    TempDir dir;
    const std::string path = dir.File("plant.mdb");
    RunCommand(Tmigrate() + " create " + path);
    auto aged =
        RunCommand(Tmigrate() + " sample access '" + ConnectionTo(path) + "' --version common=60.132 2>&1");
    ASSERT_EQ(aged.exitCode, 0) << aged.out;
    auto r = Check("access", ConnectionTo(path));
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(
        r.out,
        HasSubstr("ok: Common: legacy version '60.132' will be upgraded to 61.132 (major steps 60 to 60)\n"));
    auto migrated =
        RunCommand(Tmigrate() + " migrate access '" + ConnectionTo(path) + "' --progress none 2>&1");
    EXPECT_EQ(migrated.exitCode, 0) << migrated.out;
}

// A module version each dialect's upgrade cannot start from; the forced migration fails on it.
struct VersionCase {
    const char* name;
    const char* dialect;
    int appId;
    const char* version;
    const char* expected;
};

class SlowCheckVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(SlowCheckVersion, IsBlockingAndStopsTheMigration) {
    const VersionCase& c = GetParam();
    LegacyPlant plant(c.dialect);
    plant.Run("UPDATE T_TRNK_COMMON SET RESERVED0 = '" + std::string(c.version) +
              "' WHERE APP_ID = " + std::to_string(c.appId));
    auto r = Check(c.dialect, plant.Connection());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr(std::string("blocking: ") + c.expected)) << r.out;
    auto forced = ForcedMigration(c.dialect, plant.Connection());
    EXPECT_EQ(forced.exitCode, 1) << forced.out;
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SlowCheckVersion,
    ::testing::Values(
        VersionCase{"CommonBelowTheSqlServerSteps", "sql", 0, "43.10",
                    "Common: legacy version '43.10' cannot be upgraded in SQL Server: its upgrade starts at "
                    "major 44"},
        VersionCase{"GageNewerThanTheProgram", "access", 11, "38.1",
                    "Gage: legacy version '38.1' is newer than this program's last Gage version 37.105"},
        VersionCase{"ToolNotANumber", "oracle", 21, "x7.2",
                    "Tool: legacy version 'x7.2' is not a version this program knows"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SlowTmigrateCheck, OracleBuiltTablesOpenedAsSqlServerAreBlocking) {
    LegacyPlant plant("oracle");
    auto r = Check("sql", plant.Connection());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(
        r.out, HasSubstr("sequences and their key triggers: they were built for Oracle, not for SQL Server"));
    auto asOracle = Check("oracle", plant.Connection());
    EXPECT_EQ(asOracle.exitCode, 0) << asOracle.out;
    EXPECT_EQ(ForcedMigration("sql", plant.Connection()).exitCode, 1);
}

TEST(SlowTmigrateCheck, AMissingModuleTableIsBlockingAndStopsTheMigration) {
    LegacyPlant plant("access");
    plant.Run("DROP TABLE T_TRNK_GAU_PARTREF");
    auto r = Check("access", plant.Connection());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("blocking: Gage: legacy table T_TRNK_GAU_PARTREF is missing\n"));
    EXPECT_EQ(ForcedMigration("access", plant.Connection()).exitCode, 1);
}

// Legacy rows that a transfer's column rules stop on, named by table, key and column; the forced
// migration stops in that transfer.
struct RowCase {
    const char* name;
    std::vector<std::string> statements;
    const char* expected;  // a regular expression
    const char* failure;   // the transfer's error prefix
};

class SlowCheckRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(SlowCheckRows, AreBlockingAndStopTheTransfer) {
    LegacyPlant plant("sql");
    for (const std::string& statement : GetParam().statements) plant.Run(statement);
    auto r = Check("sql", plant.Connection());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, ::testing::ContainsRegex(GetParam().expected)) << r.out;
    auto forced = ForcedMigration("sql", plant.Connection());
    EXPECT_EQ(forced.exitCode, 1);
    EXPECT_THAT(forced.out, HasSubstr(GetParam().failure)) << forced.out;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SlowCheckRows,
    ::testing::Values(
        RowCase{
            "NullReadAsText",
            {"INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_NAME) VALUES ('Bar')",
             "INSERT INTO T_TRNK_PART (PART_NUMBER, PART_NAME, PARTTYPE_ID) VALUES ('P-1', 'Bracket', 1)"},
            "blocking: transfer [0-9]+ MigrateParts: T_TRNK_PART PART_ID = [0-9]+, column REVISION: Null "
            "where "
            "the value is read as text\n",
            "Migrating Parts: "},
        RowCase{"NullCodeWithoutANullRule",
                {"INSERT INTO T_TRNK_MACHINES (MACHINE_NUMBER, MACHINE_NAME) VALUES ('M-1', 'Lathe')"},
                "blocking: transfer [0-9]+ MigrateMachines: T_TRNK_MACHINES MACHINE_ID = [0-9]+, column "
                "STATUS_ID: "
                "Null where a code is translated and no code stands for Null\n",
                "Migrating Machines: "}),
    [](const auto& info) { return std::string(info.param.name); });

// A run that stopped part way, at each phase the database can show.
struct StateCase {
    const char* name;
    const char* statement;
    const char* expected;
};

class SlowCheckPartlyMigrated : public ::testing::TestWithParam<StateCase> {};

TEST_P(SlowCheckPartlyMigrated, SaysWhereItStopped) {
    LegacyPlant plant("access");
    plant.Run(GetParam().statement);
    auto r = Check("access", plant.Connection());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr(std::string("blocking: partly migrated: ") + GetParam().expected)) << r.out;
    EXPECT_EQ(ForcedMigration("access", plant.Connection()).exitCode, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, SlowCheckPartlyMigrated,
    ::testing::Values(StateCase{"Preparation", "ALTER TABLE T_TRNK_PART ADD SFC_ID INTEGER",
                                "stopped in PrepareOldTables (1 of 100 legacy tables have SFC_ID"},
                      StateCase{"NewSchema",
                                "CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_CODE INTEGER, DB_ITEM_VALUE INTEGER)",
                                "stopped in CreateNewTables"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SlowTmigrateCheck, ASymbolicLinkAsDataSourceStaysALink) {
    LegacyPlant plant("access");
    const std::string link = plant.Dir().File("link.mdb");
    fs::create_symlink(plant.Path(), link);
    auto r = RunCommand(Tmigrate() + " migrate access '" + ConnectionTo(link) + "' --progress none 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(
        Sql("access", ConnectionTo(link), "SELECT COUNT(*) AS CT FROM T_SFC_DB_ITEM WHERE DB_ITEM_CODE = 1")
            .out,
        "CT\n1\n");
}

}  // namespace
}  // namespace tmigration::testing
