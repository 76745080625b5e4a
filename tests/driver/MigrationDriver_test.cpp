#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "SharedDatabase.h"
#include "driver/PhaseTable.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "ui/RecordingRenderer.h"
#include "ui/WindowSystem.h"

namespace tmigration::driver {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr Phase kAllPhases[] = {
    Phase::ConnectToDatabase,
    Phase::SetupCommon,
    Phase::SetupGage,
    Phase::SetupMDC,
    Phase::SetupTool,
    Phase::SetupTraveler,
    Phase::PrepareOldTables,
    Phase::CreateNewTables,
    Phase::MigrateData,
    Phase::DeleteOldTables,
    Phase::FinalizeMigration,
    Phase::DisconnectFromDatabase,
    Phase::CompactAndRepairDatabase,
};

std::vector<Phase> PhasesUpTo(Phase last, bool access = true) {
    std::vector<Phase> phases;
    for (Phase p : kAllPhases) {
        if (p == Phase::CompactAndRepairDatabase && !access) continue;
        phases.push_back(p);
        if (p == last) break;
    }
    return phases;
}

// A migration object on a fresh database holding the new schema's item row, with every phase
// recorded as it starts.
class Migration : public testing::SharedStateTest {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::Access);
        database.Run(
            {"CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_ID COUNTER NOT NULL PRIMARY KEY, DB_ITEM_CODE INTEGER, "
             "DB_ITEM_VALUE INTEGER)",
             "INSERT INTO T_SFC_DB_ITEM (DB_ITEM_CODE, DB_ITEM_VALUE) VALUES (1, 1553)"});
        core::gConnection().Close();
        object = std::make_unique<CDatabaseMigrationObj>();
        const std::vector<PhaseEntry> entries = ThreadPhaseTable().Entries();
        for (const PhaseEntry& entry : entries) {
            // The module, schema and transfer phases build or need the legacy tables and have tests of
            // their own; here they stand aside, so that the database needs only the item row
            // finalization writes.
            const bool schemaPhase =
                entry.phase == Phase::SetupCommon || entry.phase == Phase::SetupGage ||
                entry.phase == Phase::SetupMDC || entry.phase == Phase::SetupTool ||
                entry.phase == Phase::SetupTraveler || entry.phase == Phase::PrepareOldTables ||
                entry.phase == Phase::CreateNewTables || entry.phase == Phase::MigrateData ||
                entry.phase == Phase::DeleteOldTables;
            const PhaseStep step =
                schemaPhase ? PhaseStep([](const PhaseContext&, std::string&) { return true; }) : entry.step;
            ThreadPhaseTable().Override(
                entry.phase, [this, phase = entry.phase, step](const PhaseContext& c, std::string& e) {
                    ran.push_back(phase);
                    pointerDuringPhases.push_back(ui::MousePointer());
                    return step(c, e);
                });
        }
    }
    void TearDown() override {
        object.reset();
        ResetThreadPhaseTable();
        ui::SetMousePointer(ui::vbDefault);
        SharedStateTest::TearDown();
    }
    void Fail(Phase phase) {
        ThreadPhaseTable().Override(phase, [this, phase](const PhaseContext&, std::string& e) {
            ran.push_back(phase);
            e = "injected failure";
            return false;
        });
    }
    std::string Item(const char* code) const {
        return database.Scalar(std::string("select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = ") +
                               code);
    }
    bool PlaceholderTableExists() const {
        return database.Scalar("select count(*) from T_TRNK_PTYPE") == "0";
    }

    testing::SharedDatabase database;
    std::unique_ptr<CDatabaseMigrationObj> object;
    std::vector<Phase> ran;
    std::vector<int> pointerDuringPhases;
    std::string strError = "kept";
};

TEST_F(Migration, AccessRunGoesThroughEveryPhaseAndCompactsTheFile) {
    ui::testing::ScopedRecordingRenderer recorder;
    ASSERT_TRUE(object->MigrateAccess(database.ConnectionString(), strError)) << strError;
    EXPECT_EQ(strError, "kept");
    EXPECT_THAT(ran, ElementsAreArray(kAllPhases));
    EXPECT_THAT(pointerDuringPhases, ::testing::Each(ui::vbHourglass));
    EXPECT_EQ(ui::MousePointer(), ui::vbDefault);
    EXPECT_FALSE(core::frmProgress().IsLoaded());
    EXPECT_EQ(core::gConnection().State(), db::adStateClosed);
    EXPECT_EQ(Item("1"), "1554");
    EXPECT_TRUE(PlaceholderTableExists());
    EXPECT_FALSE(std::filesystem::exists(database.Dir().File("plant1.mdb")));
    EXPECT_EQ(recorder.log.shown, 1);
}

TEST_F(Migration, OverallPercentageRunsThroughThePhases) {
    ui::testing::ScopedRecordingRenderer recorder;
    ASSERT_TRUE(object->MigrateAccess(database.ConnectionString(), strError)) << strError;
    std::vector<std::string> overall;
    for (const auto& shown : recorder.log.overallSeen)
        if (overall.empty() || overall.back() != shown) overall.push_back(shown);
    EXPECT_THAT(overall,
                ElementsAre("0%", "1%", "2%", "3%", "4%", "5%", "6%", "7%", "97%", "98%", "99%", "100%"));
}

struct DialectRun {
    const char* name;
    bool (CDatabaseMigrationObj::*entry)(std::string, std::string&);
    db::Dialect dialect;
    const char* finalLevel;
};

std::ostream& operator<<(std::ostream& os, const DialectRun& c) {
    return os << c.name;
}

class OtherDialects : public Migration, public ::testing::WithParamInterface<DialectRun> {};

TEST_P(OtherDialects, RunWithoutCompaction) {
    const std::string connection = "Provider=SQLite;Data Source=" + database.Path() + ";";
    ASSERT_TRUE(((*object).*(GetParam().entry))(connection, strError)) << strError;
    EXPECT_THAT(ran, ElementsAreArray(PhasesUpTo(Phase::DisconnectFromDatabase, false)));
    EXPECT_EQ(core::gConnection().GetDialect(), GetParam().dialect);
    EXPECT_EQ(Item("1"), GetParam().finalLevel);
}

INSTANTIATE_TEST_SUITE_P(Entries, OtherDialects,
                         ::testing::Values(DialectRun{"Oracle", &CDatabaseMigrationObj::MigrateOracle,
                                                      db::Dialect::Oracle, "1653"},
                                           DialectRun{"SQL", &CDatabaseMigrationObj::MigrateSQL,
                                                      db::Dialect::SqlServer, "1554"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    Phase phase;
    bool connectionOpenAfter;
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) {
    return os << "phase " << static_cast<int>(c.phase);
}

class FailingPhase : public Migration, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingPhase, EndsTheCallWithTheStepsMessageAndNothingAfterIt) {
    Fail(GetParam().phase);
    EXPECT_FALSE(object->MigrateAccess(database.ConnectionString(), strError));
    EXPECT_EQ(strError, "injected failure");
    EXPECT_THAT(ran, ElementsAreArray(PhasesUpTo(GetParam().phase)));
    EXPECT_EQ(core::gConnection().State(),
              GetParam().connectionOpenAfter ? db::adStateOpen : db::adStateClosed);
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_EQ(ui::MousePointer(), ui::vbDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, FailingPhase,
    ::testing::Values(FailureCase{Phase::ConnectToDatabase, false}, FailureCase{Phase::SetupCommon, false},
                      FailureCase{Phase::SetupGage, false}, FailureCase{Phase::SetupMDC, false},
                      FailureCase{Phase::SetupTool, false}, FailureCase{Phase::SetupTraveler, false},
                      FailureCase{Phase::PrepareOldTables, false}, FailureCase{Phase::CreateNewTables, false},
                      FailureCase{Phase::MigrateData, false}, FailureCase{Phase::DeleteOldTables, false},
                      FailureCase{Phase::FinalizeMigration, false},
                      FailureCase{Phase::DisconnectFromDatabase, true},
                      FailureCase{Phase::CompactAndRepairDatabase, false}),
    [](const auto& info) { return "Phase" + std::to_string(info.index); });

TEST_F(Migration, WindowThatCannotDrawDoesNotStopTheMigration) {
    ui::SetProgressRendererFactory(
        []() -> std::unique_ptr<ui::ProgressRenderer> { throw std::runtime_error("no display"); });
    bool result = false;
    EXPECT_NO_THROW(result = object->MigrateAccess(database.ConnectionString(), strError));
    ui::SetProgressRendererFactory(nullptr);
    EXPECT_TRUE(result) << strError;
    EXPECT_EQ(strError, "kept");
    EXPECT_THAT(ran, ElementsAreArray(kAllPhases));
}

TEST_F(Migration, ModuleFailureLeavesNoWindowLoadedAndShowsNothingMore) {
    ui::testing::ScopedRecordingRenderer recorder;
    Fail(Phase::SetupMDC);
    EXPECT_FALSE(object->MigrateAccess(database.ConnectionString(), strError));
    EXPECT_FALSE(core::frmProgress().IsLoaded());
    EXPECT_EQ(recorder.log.shown, 1);
    EXPECT_EQ(recorder.log.alive, 0);
    EXPECT_EQ(core::gConnection().State(), db::adStateClosed);
}

TEST_F(Migration, RejectedConnectionStringReportsTheProvidersMessage) {
    const std::string bad = "Provider=Nothing.Known;Data Source=" + database.Path() + ";";
    std::string provider;
    try {
        db::Connection c;
        c.Open(bad);
    } catch (const std::exception& e) {
        provider = e.what();
    }
    ASSERT_FALSE(provider.empty());
    EXPECT_FALSE(object->MigrateAccess(bad, strError));
    EXPECT_EQ(strError, provider);
    EXPECT_THAT(ran, ElementsAre(Phase::ConnectToDatabase));
    EXPECT_FALSE(core::frmProgress().IsLoaded());
    EXPECT_EQ(ui::MousePointer(), ui::vbDefault);
    EXPECT_EQ(core::gConnection().State(), db::adStateClosed);

    // The object can be called again.
    ran.clear();
    strError = "kept";
    EXPECT_TRUE(object->MigrateAccess(database.ConnectionString(), strError)) << strError;
    EXPECT_EQ(strError, "kept");
}

// The file is written the way hosts write it: blanks around the path or the path in quotes. The
// file the engine opened is the one compacted, so the migration succeeds and leaves no copy behind.
class AccessPathSpelling : public Migration, public ::testing::WithParamInterface<const char*> {};

TEST_P(AccessPathSpelling, CompactsTheFileTheEngineOpened) {
    std::string connection = GetParam();
    connection.replace(connection.find("PATH"), 4, database.Path());
    ASSERT_TRUE(object->MigrateAccess(connection, strError)) << strError;
    EXPECT_EQ(strError, "kept");
    EXPECT_THAT(ran, ElementsAreArray(kAllPhases));
    EXPECT_FALSE(std::filesystem::exists(database.Dir().File("plant1.mdb")));
    EXPECT_TRUE(PlaceholderTableExists());
}

INSTANTIATE_TEST_SUITE_P(Blanks, AccessPathSpelling,
                         ::testing::Values("Provider=Microsoft.Jet.OLEDB.4.0;Data Source= PATH;",
                                           "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=PATH ;",
                                           "Provider = Microsoft.Jet.OLEDB.4.0 ;Data Source=\tPATH\t;",
                                           "provider=microsoft.jet.oledb.4.0;Data Source=\"PATH\";",
                                           "Data Source='PATH' ;Provider=Microsoft.Jet.OLEDB.4.0"));

TEST_F(Migration, AccessPathThatCannotBeCutRaisesAfterEverythingElse) {
    const std::string unterminated = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.Path();
    EXPECT_THROW(object->MigrateAccess(unterminated, strError), std::invalid_argument);
    EXPECT_THAT(ran, ElementsAreArray(kAllPhases));
    EXPECT_EQ(core::gConnection().State(), db::adStateClosed);
    EXPECT_TRUE(PlaceholderTableExists());
    EXPECT_TRUE(core::frmProgress().IsLoaded());
    // Nothing will update the window again: it is off the screen and the pointer is given back.
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_EQ(ui::MousePointer(), ui::vbDefault);
    EXPECT_EQ(strError, "kept");
}

struct CutCase {
    const char* connection;
    const char* path;  // null: the path cannot be cut
};

std::ostream& operator<<(std::ostream& os, const CutCase& c) {
    return os << c.connection;
}

class AccessPath : public ::testing::TestWithParam<CutCase> {};

TEST_P(AccessPath, IsTheTextBetweenDataSourceAndTheNextSemicolon) {
    if (GetParam().path)
        EXPECT_EQ(CutAccessDataSource(GetParam().connection), GetParam().path);
    else
        EXPECT_THROW(CutAccessDataSource(GetParam().connection), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, AccessPath,
    ::testing::Values(
        CutCase{R"(Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\data\plant.mdb;)", R"(C:\data\plant.mdb)"},
        CutCase{R"(Data Source=C:\data\plant.mdb;Persist Security Info=False)", R"(C:\data\plant.mdb)"},
        CutCase{"Data Source= spaced .mdb ;", "spaced .mdb"}, CutCase{"Data Source=;", ""},
        CutCase{R"(Provider=Microsoft.Jet.OLEDB.4.0;Data Source="C:\my data\plant.mdb";)",
                R"(C:\my data\plant.mdb)"},
        CutCase{R"(Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\data\plant.mdb)", nullptr},
        CutCase{"Provider=Microsoft.Jet.OLEDB.4.0;", nullptr},
        CutCase{R"(data source=C:\plant.mdb;)", nullptr}));  // the exact case only

class ObjectLifetime : public testing::SharedStateTest {};

TEST_F(ObjectLifetime, ConstructionReplacesAndDestructionClosesAndEmptiesTheSlot) {
    testing::SharedDatabase database;
    auto first = std::make_unique<CDatabaseMigrationObj>();
    const auto firstConnection = core::gConnectionSlot();
    ASSERT_TRUE(firstConnection);
    EXPECT_EQ(firstConnection->State(), db::adStateClosed);

    auto second = std::make_unique<CDatabaseMigrationObj>();
    EXPECT_NE(core::gConnectionSlot(), firstConnection);
    core::gConnection().Open(database.ConnectionString());
    const auto secondConnection = core::gConnectionSlot();
    second.reset();
    EXPECT_EQ(core::gConnectionSlot(), nullptr);
    EXPECT_EQ(secondConnection->State(), db::adStateClosed);
    first.reset();
    EXPECT_EQ(core::gConnectionSlot(), nullptr);
}

}  // namespace
}  // namespace tmigration::driver
