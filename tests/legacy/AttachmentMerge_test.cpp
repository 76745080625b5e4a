// Attachments of one record, taking over another record's attachments, and the retirement of the
// blueprint table that hands each blueprint's name, description and attachments to its parts and
// materials.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OldCommonDatabases.h"
#include "legacy/AttachmentClass.h"
#include "legacy/CommonConversions.h"

namespace tmigration::legacy {
namespace {

class AttachmentMerge : public testing::SharedStateTest {
  protected:
    void SetUp() override {
        testing::MakeOldCommonDatabase(database, db::Dialect::Access, 61, "132");
        database.Run({
            "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_ID, PARTTYPE_NAME) VALUES (1, 'Castings')",
            "INSERT INTO T_TRNK_MATERIALTYPE (MATERIALTYPE_ID, MATERIALTYPE_NAME) VALUES (1, 'Steel')",
            "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'Ames', "
            "'E1', 100)",
            "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME, PTYPE_ID) VALUES (1, 'c:\\a.pdf', 3)",
            "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (2, 'c:\\b.dwg')",
            // Blueprint 7 has two files (ordinals 2 and 1), blueprint 8 one, blueprint 9 none.
            "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID, "
            "NOTES, "
            "MEDIADEST_NAME) VALUES (1, 1, 2, 69, 7, 'second', 'A')",
            "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID, "
            "NOTES) "
            "VALUES (2, 2, 1, 69, 7, 'first')",
            "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID) "
            "VALUES (3, 2, 1, 69, 8)",
            "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID) "
            "VALUES (4, 1, 1, 5, 40)",
        });
    }
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql); }
    testing::SharedDatabase database;
};

TEST_F(AttachmentMerge, ListsARecordsAttachmentsInOrdinalOrder) {
    CAttachmentClass attachments;
    attachments.InitializeObject(69, 7);
    attachments.GetAttachmentsFromDatabase();
    ASSERT_EQ(attachments.Count(), 2u);
    EXPECT_EQ(attachments.Attachments()[0].FILEPATHNAME, "c:\\b.dwg");
    EXPECT_EQ(attachments.Attachments()[0].NOTES, "first");
    EXPECT_EQ(attachments.Attachments()[0].MEDIADEST_NAME, "");
    EXPECT_EQ(attachments.Attachments()[1].MEDIADEST_NAME, "A");
    EXPECT_EQ(attachments.Attachments()[1].PTYPE_ID, 3);
    EXPECT_EQ(attachments.Attachments()[1].MEDIASRC_ID, 1);
}

TEST_F(AttachmentMerge, TakingOverRepointsTheSourceRowsAndReloads) {
    CAttachmentClass part;
    part.InitializeObject(5, 40);
    part.MergeAttachments(69, 7);
    EXPECT_EQ(part.Count(), 3u);
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 69 and TARGET_ID = 7"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MEDIADEST"), "4");
    // Nothing is left for a second taker.
    CAttachmentClass other;
    other.InitializeObject(5, 41);
    other.MergeAttachments(69, 7);
    EXPECT_EQ(other.Count(), 0u);
}

TEST_F(AttachmentMerge, AnObjectNeverInitializedTakesNothing) {
    CAttachmentClass attachments;
    attachments.MergeAttachments(69, 7);
    EXPECT_EQ(attachments.Count(), 0u);
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 69 and TARGET_ID = 7"), "2");
}

TEST_F(AttachmentMerge, RetiringBlueprintsHandsThemToTheirPartsAndMaterials) {
    database.Run({
        "CREATE TABLE T_TRNK_BPRINT (BPRINT_ID COUNTER NOT NULL PRIMARY KEY, BPRINT_NAME VARCHAR(40), "
        "DESCRIPTION "
        "MEMO)",
        "INSERT INTO T_TRNK_BPRINT (BPRINT_ID, BPRINT_NAME, DESCRIPTION) VALUES (7, 'BP-7', 'cast rev B')",
        "INSERT INTO T_TRNK_BPRINT (BPRINT_ID, BPRINT_NAME) VALUES (8, 'BP-8')",
        // Parts 1 and 2 share blueprint 7; part 3 has no blueprint.
        "INSERT INTO T_TRNK_PART (PART_ID, PARTTYPE_ID, BPRINT_ID, DETAIL) VALUES (1, 1, 7, 'rough')",
        "INSERT INTO T_TRNK_PART (PART_ID, PARTTYPE_ID, BPRINT_ID) VALUES (2, 1, 7)",
        "INSERT INTO T_TRNK_PART (PART_ID, PARTTYPE_ID, DETAIL) VALUES (3, 1, 'bar')",
        "INSERT INTO T_TRNK_MATERIAL (MATERIAL_ID, MATERIALTYPE_ID, BPRINT_ID, DETAIL) VALUES (1, 1, 8, "
        "'kept')",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, HISTORY_DATE, "
        "CHILD_COUNT) "
        "VALUES (1, 1, 7, 69, #2001-01-01#, 0)",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, HISTORY_DATE, "
        "CHILD_COUNT) "
        "VALUES (2, 1, 1, 5, #2001-01-01#, 0)",
        // A blueprint row that no part or material took over.
        "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID) "
        "VALUES (5, 1, 1, 69, 9)",
    });
    std::string strError;
    ASSERT_TRUE(core::RunStep({"", ""}, strError, [](core::Step& step) {
        RetireBlueprints(step, db::Dialect::Access);
    })) << strError;
    for (const auto& [query, expected] : std::vector<std::pair<std::string, std::string>>{
             {"select BPRINT from T_TRNK_PART where PART_ID = 1", "BP-7"},
             {"select DETAIL from T_TRNK_PART where PART_ID = 1", "rough; cast rev B"},
             {"select BPRINT from T_TRNK_PART where PART_ID = 2", "BP-7"},
             {"select DETAIL from T_TRNK_PART where PART_ID = 2", "; cast rev B"},
             {"select BPRINT from T_TRNK_PART where PART_ID = 3", "NULL"},
             {"select DETAIL from T_TRNK_PART where PART_ID = 3", "bar"},
             {"select BPRINT from T_TRNK_MATERIAL where MATERIAL_ID = 1", "BP-8"},
             {"select DETAIL from T_TRNK_MATERIAL where MATERIAL_ID = 1", "kept"},
             // The first part took every file of blueprint 7, the second none.
             {"select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 5 and TARGET_ID = 1", "2"},
             {"select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 5 and TARGET_ID = 2", "0"},
             {"select TARGET_ID from T_TRNK_MEDIADEST where MEDIADEST_ID = 3", "1"},
             {"select TABLE_ID from T_TRNK_MEDIADEST where MEDIADEST_ID = 3", "68"},
             // What no part or material took over is left for the step to delete.
             {"select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 69", "1"},
             {"select count(*) from T_TRNK_HISTORY where SUBTYPE_ID = 69", "1"},
         })
        EXPECT_EQ(Scalar(query), expected) << query;
}

}  // namespace
}  // namespace tmigration::legacy
