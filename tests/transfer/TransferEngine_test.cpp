// The transfer engine on real tables with hand-made declarations: the batched pattern's batches and
// the statements it sends, and the variants later transfers rely on (skipped rows, extra rows on a
// second destination, write-back by statement or none, Null rules of code tables).
#include "transfer/TransferEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransferDatabase.h"
#include "core/Step.h"

namespace tmigration::transfer {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kCount = "select COUNT(INSPECTION_ID) as CT  from T_TRNK_INSPECTION";
constexpr const char* kMax = "select MAX(INSPECTION_ID) AS MAX_ID  from T_TRNK_INSPECTION";
constexpr const char* kAppend = "select * from T_SFC_INSPECTION where INSPECTION_ID = 0";

std::string Batch(int first, const std::string& extra = "") {
    return "select * from T_TRNK_INSPECTION where INSPECTION_ID >= " + std::to_string(first) +
           " and INSPECTION_ID <= " + std::to_string(first + 99) + extra;
}

class TransferEngine : public testing::SharedStateTest {
  protected:
    void Inspections(const std::vector<int>& ids) {
        std::vector<std::vector<db::Value>> rows;
        for (int id : ids) rows.push_back({id, "I" + std::to_string(id)});
        plant.Insert("T_TRNK_INSPECTION", "INSPECTION_ID, INSPECTION_NUMBER", rows);
    }
    static Pass InspectionPass() {
        Pass pass;
        pass.query = "select * from T_TRNK_INSPECTION";
        pass.destination = "T_SFC_INSPECTION";
        pass.key = "INSPECTION_ID";
        pass.columns = {Same("INSPECTION_NUMBER")};
        return pass;
    }
    bool Run(const Pass& pass, std::string& strError) {
        plant.Sent().clear();
        return core::RunStep({"Moving...", "Moving: "}, strError,
                             [&](core::Step& step) { counts = RunTransfer(step, {pass}); });
    }
    testing::TransferDatabase plant{db::Dialect::Access};
    TransferCounts counts;
};

struct BatchCase {
    const char* name;
    std::vector<int> ids;
    std::string extraCondition;
    std::vector<std::string> sent;
    std::int16_t percentAtEnd;
};

std::ostream& operator<<(std::ostream& os, const BatchCase& c) {
    return os << c.name;
}

class BatchedPattern : public TransferEngine, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(BatchedPattern, ReadsOneHundredLegacyIdsAtATimeAndOpensTheDestinationOnlyForBatchesWithRows) {
    const BatchCase& c = GetParam();
    Inspections(c.ids);
    Pass pass = InspectionPass();
    pass.batches = Batches{"T_TRNK_INSPECTION", "INSPECTION_ID", c.extraCondition};
    std::string strError;
    ASSERT_TRUE(Run(pass, strError)) << strError;
    EXPECT_THAT(plant.Sent(), ElementsAreArray(c.sent));
    std::vector<std::string> expected, keys;
    int key = 0;
    for (int id : c.ids) {
        const bool excluded = !c.extraCondition.empty() && id % 2 == 0;
        if (!excluded) expected.push_back(std::to_string(++key) + "|I" + std::to_string(id) + "|NULL|NULL");
        keys.push_back(std::to_string(id) + "|" + (excluded ? "NULL" : std::to_string(key)));
    }
    EXPECT_THAT(plant.Rows("select * from T_SFC_INSPECTION"), ElementsAreArray(expected));
    EXPECT_THAT(plant.Rows("select INSPECTION_ID, SFC_ID from T_TRNK_INSPECTION"), ElementsAreArray(keys));
    EXPECT_EQ(counts.written, static_cast<std::int64_t>(expected.size()));
    EXPECT_EQ(core::frmProgress().LastPercentShown(), c.percentAtEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, BatchedPattern,
    ::testing::Values(BatchCase{"Empty", {}, "", {kCount}, 0},
                      BatchCase{"MaxIdOneHundred", {1, 100}, "", {kCount, kMax, Batch(1), kAppend}, 100},
                      BatchCase{"MaxIdOneHundredAndOne",
                                {1, 100, 101},
                                "",
                                {kCount, kMax, Batch(1), kAppend, Batch(101), kAppend},
                                100},
                      BatchCase{"GapsSkipBatchesWithoutRows",
                                {2, 250},
                                "",
                                {kCount, kMax, Batch(1), kAppend, Batch(101), Batch(201), kAppend},
                                100},
                      // Rows the extra condition excludes are never read: the bar ends below 100.
                      BatchCase{"ExtraConditionLeavesRowsUnread",
                                {1, 2, 3},
                                " and INSPECTION_NUMBER <> 'I2'",
                                {kCount, kMax, Batch(1, " and INSPECTION_NUMBER <> 'I2'"), kAppend},
                                67}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransferEngine, SkippedRowsKeepANullKeyAndStillMoveTheStepBar) {
    Inspections({1, 2, 3, 4});
    Pass pass = InspectionPass();
    pass.writer = [](core::Step&) {
        return [](TransferRow& row) {
            if (row.legacy.Get("INSPECTION_ID").AsInteger() % 2 == 0) return false;
            row.destination.AddNew();
            row.destination.Set("INSPECTION_NAME", row.legacy.Get("INSPECTION_NUMBER"));
            row.destination.Update();
            return true;
        };
    };
    std::string strError;
    ASSERT_TRUE(Run(pass, strError)) << strError;
    EXPECT_THAT(plant.Rows("select * from T_SFC_INSPECTION"),
                ElementsAre("1|NULL|I1|NULL", "2|NULL|I3|NULL"));
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_INSPECTION"), ElementsAre("1", "NULL", "2", "NULL"));
    EXPECT_EQ(counts.read, 4);
    EXPECT_EQ(counts.written, 2);
    EXPECT_EQ(core::frmProgress().LastPercentShown(), 100);
}

TEST_F(TransferEngine, ExtraRowsGoToTheSecondDestinationBeforeTheKeyIsWrittenBack) {
    Inspections({7, 8});
    Pass pass = InspectionPass();
    pass.secondDestination = "select * from T_SFC_PART_TYPE where PART_TYPE_ID = 0";
    pass.extraRows = [](TransferRow& row) {
        EXPECT_TRUE(row.legacy.Get("SFC_ID").IsNull());
        row.second->AddNew();
        row.second->Set("PART_TYPE_NAME", "for " + row.destination.Get("INSPECTION_ID").AsText());
        row.second->Update();
    };
    std::string strError;
    ASSERT_TRUE(Run(pass, strError)) << strError;
    EXPECT_THAT(plant.Rows("select * from T_SFC_PART_TYPE"), ElementsAre("1|for 1|NULL", "2|for 2|NULL"));
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_INSPECTION"), ElementsAre("1", "2"));
    EXPECT_THAT(plant.Sent(), ElementsAre("select * from T_TRNK_INSPECTION", "select * from T_SFC_INSPECTION",
                                          pass.secondDestination));
}

TEST_F(TransferEngine, KeyWrittenBackByStatementOrNotAtAll) {
    Inspections({7, 8});
    Pass pass = InspectionPass();
    pass.writeBack = {WriteBack::Form::Statement, "T_TRNK_INSPECTION", "INSPECTION_ID"};
    std::string strError;
    ASSERT_TRUE(Run(pass, strError)) << strError;
    EXPECT_THAT(plant.Sent(),
                ElementsAre("select * from T_TRNK_INSPECTION", "select * from T_SFC_INSPECTION",
                            "UPDATE T_TRNK_INSPECTION  SET SFC_ID = 1 where INSPECTION_ID = 7",
                            "UPDATE T_TRNK_INSPECTION  SET SFC_ID = 2 where INSPECTION_ID = 8"));
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_INSPECTION"), ElementsAre("1", "2"));

    pass.writeBack = {WriteBack::Form::None};
    plant.Database().Run({"UPDATE T_TRNK_INSPECTION SET SFC_ID = NULL"});
    ASSERT_TRUE(Run(pass, strError)) << strError;
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_INSPECTION"), ElementsAre("NULL", "NULL"));
    EXPECT_EQ(counts.written, 2);
}

TEST_F(TransferEngine, RefusedWriteBackStatementFailsWithThePrefixAndKeepsTheRowWritten) {
    Inspections({7, 8});
    Pass pass = InspectionPass();
    pass.writeBack = {WriteBack::Form::Statement, "T_TRNK_NO_SUCH_TABLE", "INSPECTION_ID"};
    core::frmProgress().Show();
    std::string strError, message;
    EXPECT_FALSE(Run(pass, strError));
    EXPECT_FALSE(
        core::ExecuteSQL("UPDATE T_TRNK_NO_SUCH_TABLE  SET SFC_ID = 1 where INSPECTION_ID = 7", message));
    EXPECT_EQ(strError, "Moving: " + message);
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_THAT(plant.Rows("select INSPECTION_NUMBER from T_SFC_INSPECTION"), ElementsAre("I7"));
}

TEST_F(TransferEngine, CodeTablesGiveTheirNullValueOrFailOnNull) {
    const CodeTable planned{CodeTable::Read::Text, {{"Y", 1}}, std::nullopt, db::Value(7)};
    EXPECT_EQ(TranslateCode(planned, db::Value()), db::Value(7));
    EXPECT_EQ(TranslateCode(planned, db::Value("Y")), db::Value(1));
    EXPECT_EQ(TranslateCode(planned, db::Value("y")), std::nullopt);
    const CodeTable status{CodeTable::Read::Number, {{34, 0}}, db::Value(9)};
    EXPECT_EQ(TranslateCode(status, db::Value(34.0)), db::Value(0));
    EXPECT_EQ(TranslateCode(status, db::Value("34")), db::Value(0));
    EXPECT_EQ(TranslateCode(status, db::Value(35)), db::Value(9));
    EXPECT_THROW(TranslateCode(status, db::Value()), std::exception);
}

}  // namespace
}  // namespace tmigration::transfer
