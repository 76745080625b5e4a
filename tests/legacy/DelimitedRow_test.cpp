// The row-text writer on a real table: splitting, trimming, Null for empty values, text or
// leading number by column type, and what a short or comma-less text leaves alone.
#include "legacy/seeds/DelimitedRow.h"

#include <gtest/gtest.h>

#include <ostream>

#include "SharedDatabase.h"

namespace tmigration::legacy {
namespace {

struct RowCase {
    const char* name;
    const char* text;
    std::int16_t count;
    // NAME, CODE, AMOUNT, NOTE as text, "NULL" for Null; the row starts as ('old', 9, 9.5, 'keep').
    std::array<const char*, 4> expected;
};

std::ostream& operator<<(std::ostream& os, const RowCase& c) {
    return os << c.name;
}

class DelimitedRow : public testing::SharedStateTest, public ::testing::WithParamInterface<RowCase> {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::Access);
        database.Run(
            {"CREATE TABLE T_ROW (ROW_ID COUNTER NOT NULL PRIMARY KEY, NAME VARCHAR(30), CODE INTEGER, "
             "AMOUNT DOUBLE, NOTE MEMO)",
             "INSERT INTO T_ROW (NAME, CODE, AMOUNT, NOTE) VALUES ('old', 9, 9.5, 'keep')"});
    }
    std::string Column(const char* column) const {
        return database.Scalar(std::string("select ") + column + " from T_ROW where ROW_ID = 1");
    }
    testing::SharedDatabase database;
};

TEST_P(DelimitedRow, WritesTheValuesOfTheTextOntoTheRow) {
    auto rs = core::OpenClientRecordset("select * from T_ROW where ROW_ID = 1");
    ApplyDelimitedRow(GetParam().text, GetParam().count, *rs);
    EXPECT_EQ(rs->EditMode(), db::adEditNone);  // updated
    core::CloseRecordset(rs);
    const char* columns[] = {"NAME", "CODE", "AMOUNT", "NOTE"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Column(columns[i]), GetParam().expected[i]) << columns[i];
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DelimitedRow,
    ::testing::Values(
        RowCase{"AllFour", "Available,4,2.5,note", 4, {"Available", "4", "2.5", "note"}},
        RowCase{"BlanksTrimmedAndEmptyIsNull", "  Crib , , 4 ,", 4, {"Crib", "NULL", "4", "NULL"}},
        RowCase{"ZeroIsAValueBlanksAreNull", "x,0,   ,0", 4, {"x", "0", "NULL", "0"}},
        RowCase{"LeadingNumberInANumberColumn", "12abc,12abc,abc,12abc", 4, {"12abc", "12", "0", "12abc"}},
        RowCase{"FurtherValuesUnused", "Res. 14, ,1", 2, {"Res. 14", "NULL", "9.5", "keep"}},
        RowCase{"ShortTextLeavesTheRest", "Tool,42", 4, {"Tool", "42", "9.5", "keep"}},
        RowCase{"NoCommaWritesNothing", "Reserved", 4, {"old", "9", "9.5", "keep"}},
        RowCase{"CountBelowTwoWritesNothing", "a,1", 1, {"old", "9", "9.5", "keep"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::legacy
