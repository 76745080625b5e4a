// Another process holding the database file for a moment must make the migration wait, not fail in
// the middle of its work; holding it past the command time-out must fail before anything changed.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <thread>

#include "TempDatabase.h"
#include "db/DbError.h"
#include "db/Recordset.h"

namespace tmigration::db {
namespace {

using tmigration::testing::TempDatabase;
using namespace std::chrono_literals;

// Another process's connection that takes the write lock and keeps it until released.
class OtherWriter {
  public:
    explicit OtherWriter(const std::string& path) {
        sqlite3_open(path.c_str(), &db_);
        Exec("BEGIN IMMEDIATE");
        Exec("INSERT INTO T_TRNK_X (N) VALUES (100)");
    }
    ~OtherWriter() {
        if (releaser_.joinable()) releaser_.join();
        sqlite3_close(db_);
    }
    void ReleaseAfter(std::chrono::milliseconds delay) {
        releaser_ = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            Exec("COMMIT");
        });
    }

  private:
    void Exec(const char* sql) { ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK); }
    sqlite3* db_ = nullptr;
    std::thread releaser_;
};

struct Work {
    const char* name;
    // What the migration does on its connection: reads first, then writes.
    std::function<void(Connection&)> run;
};

std::ostream& operator<<(std::ostream& os, const Work& w) {
    return os << w.name;
}

long long Count(Connection& c, const std::string& sql) {
    Recordset rs;
    rs.SetCursorLocation(adUseClient);
    rs.SetActiveConnection(&c);
    rs.Open(sql);
    return rs.Get("N").AsInteger();
}

class WriteLock : public ::testing::TestWithParam<Work> {
  protected:
    void SetUp() override {
        auto c = db.Connect(Dialect::SqlServer);
        c->Execute("CREATE TABLE T_TRNK_X (X_ID INTEGER IDENTITY(1,1) PRIMARY KEY, N INTEGER)");
        c->Execute("INSERT INTO T_TRNK_X (N) VALUES (1)");
    }
    TempDatabase db;
};

TEST_P(WriteLock, ABrieflyHeldLockIsWaitedFor) {
    auto migration = db.Connect(Dialect::SqlServer);
    migration->SetCommandTimeout(10);
    OtherWriter other(db.Path());
    other.ReleaseAfter(300ms);
    EXPECT_NO_THROW(GetParam().run(*migration));
    EXPECT_EQ(Count(*migration, "SELECT count(*) AS N FROM T_TRNK_X"), 3);
}

TEST_P(WriteLock, ALockHeldPastTheTimeOutFailsBeforeAnythingChanged) {
    auto migration = db.Connect(Dialect::SqlServer);
    migration->SetCommandTimeout(1);
    {
        OtherWriter other(db.Path());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(GetParam().run(*migration), DbError);
        EXPECT_GE(std::chrono::steady_clock::now() - start, 900ms);
        if (migration->Session().InTransaction()) migration->RollbackTrans();
    }
    // The other process's row was never committed; the migration's work did not start.
    EXPECT_EQ(Count(*migration, "SELECT count(*) AS N FROM T_TRNK_X"), 1);
    EXPECT_EQ(Count(*migration, "SELECT count(*) AS N FROM sqlite_master WHERE name = 'T_TRNK_Y'"), 0);
}

INSTANTIATE_TEST_SUITE_P(Work, WriteLock,
                         ::testing::Values(Work{"TransactionThatReadsFirst",
                                                [](Connection& c) {
                                                    c.BeginTrans();
                                                    Count(c, "SELECT count(*) AS N FROM T_TRNK_X");
                                                    c.Execute("INSERT INTO T_TRNK_X (N) VALUES (2)");
                                                    c.CommitTrans();
                                                }},
                                           Work{"SchemaStatement",
                                                [](Connection& c) {
                                                    c.Execute(
                                                        "CREATE TABLE T_TRNK_Y (Y_ID INTEGER PRIMARY KEY)");
                                                    c.Execute("INSERT INTO T_TRNK_X (N) VALUES (2)");
                                                }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::db
