#include "legacy/seeds/ReferenceFillers.h"

#include "core/RecordsetHelpers.h"
#include "core/SecurityLookups.h"
#include "core/Step.h"
#include "legacy/seeds/DelimitedRow.h"
#include "legacy/seeds/SecurityObjects.h"

namespace tmigration::legacy {
namespace {

using core::Step;

// Runs one statement of a step; a failure ends the step with the database's description.
void Execute(Step& step, const std::string& sql) {
    std::string message;
    if (!core::ExecuteSQL(sql, message)) step.FailWithText(message);
}

// Product types are names, not delimited rows: their one seeded column is written directly.
void WriteRow(const SeededTable& seed, std::int32_t id, db::Recordset& rs) {
    if (seed.columns == 1) {
        rs.Fields(1).SetValue(db::Value(seed.RowText(id)));
        rs.Update();
    } else {
        ApplyDelimitedRow(seed.RowText(id), seed.columns, rs);
    }
}

}  // namespace

bool FillSeededTable(const SeededTable& seed, FillMode mode, std::int32_t firstRevision, bool showProgress,
                     std::string& strError) {
    return core::RunStep({seed.progressText, ""}, strError, [&](Step& step) {
        const std::string select = "select * from " + std::string(seed.table);
        db::Recordset* table = mode == FillMode::Create ? &step.OpenClient(select) : nullptr;
        for (std::int32_t id = firstRevision + 1; id <= kReferenceBlock; ++id) {
            if (mode == FillMode::Create) {
                table->AddNew();
                WriteRow(seed, id, *table);
            } else if (id <= seed.Revision()) {
                auto row = core::OpenClientRecordset(select + " where " + std::string(seed.key) + " = " +
                                                     std::to_string(id));
                if (row->Eof())
                    step.FailWithText(std::string(seed.table) + " has no row " + std::string(seed.key) +
                                      " = " + std::to_string(id) + " to refresh");
                WriteRow(seed, id, *row);
                core::CloseRecordset(row);
            }
            if (showProgress) step.ShowProgress(id, kReferenceBlock);
        }
    });
}

bool FillPTypeTable(FillMode mode, std::string& strError) {
    return FillSeededTable(PTypeSeed(), mode, 0, true, strError);
}

bool FillStatusTable(FillMode mode, std::string& strError) {
    return FillSeededTable(StatusSeed(), mode, 0, true, strError);
}

bool FillSubtypeTable(FillMode mode, std::string& strError) {
    return FillSeededTable(SubtypeSeed(), mode, 0, true, strError);
}

bool FillCommandTable(FillMode mode, std::int32_t firstRevision, bool showProgress, std::string& strError) {
    return FillSeededTable(CommandSeed(), mode, firstRevision, showProgress, strError);
}

bool FillDowntimeTable(FillMode mode, std::int32_t firstRevision, std::string& strError) {
    return FillSeededTable(DowntimeSeed(), mode, firstRevision, true, strError);
}

bool FillScrapCodeTable(FillMode mode, std::int32_t firstRevision, bool showProgress, std::string& strError) {
    return FillSeededTable(ScrapCodeSeed(), mode, firstRevision, showProgress, strError);
}

bool FillCommonTable(std::string& strError) {
    static constexpr std::string_view kModuleRows[] = {"1, 1, 'N','15.103')", "2, 11, 'N','37.105')",
                                                       "3, 21, 'N','17.36')", "4, 31, 'N','9.114')"};
    return core::RunStep({"Filling Old Common Table...", ""}, strError, [&](Step& step) {
        std::int32_t done = 0;
        for (std::string_view values : kModuleRows) {
            Execute(step, "INSERT INTO T_TRNK_COMMON (COMMON_ID, APP_ID, INSTALLED, RESERVED0) VALUES(" +
                              std::string(values));
            step.ShowProgress(++done, 5);
        }
        Execute(step,
                "INSERT INTO T_TRNK_COMMON (COMMON_ID, APP_ID, RESERVED0, RESERVED1, RESERVED2, RESERVED3, "
                "RESERVED4, RESERVED5, RESERVED6, RESERVED7, RESERVED8,  RESERVED9, RESERVED10) VALUES("
                "5, 0, '61.132','60', '85', '263', '232', '182', '273', '171', '13', '11', '1')");
        step.ShowProgress(++done, 5);
    });
}

bool FillUserTypeTable(std::string& strError) {
    return core::RunStep({"Filling Old User Type Table...", ""}, strError, [&](Step& step) {
        const auto rows = UserTypeValues();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            Execute(step,
                    "INSERT INTO T_TRNK_USERTYPE VALUES(" + std::to_string(i + 1) + std::string(rows[i]));
            step.ShowProgress(static_cast<std::int64_t>(i + 1), static_cast<std::int64_t>(rows.size()));
        }
    });
}

bool FillSIDTable(std::string& strError) {
    return core::RunStep({"Filling Old SID Table...", ""}, strError, [&](Step& step) {
        Execute(step, "INSERT INTO T_TRNK_SID (NEXT_SID) VALUES (1) ");
        step.ShowProgress(1, 1);
    });
}

bool FillUserGroupTable(std::string& strError) {
    return core::RunStep({"Filling Old User Group Table...", ""}, strError, [&](Step& step) {
        const auto groups = AdministratorGroups();
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const std::int32_t sid = core::GetNextSID();
            Execute(step, "INSERT INTO T_TRNK_USERGROUP (SID, USERGROUP_NAME) VALUES (" +
                              std::to_string(sid) + ", '" + std::string(groups[i]) + "')");
            step.ShowProgress(static_cast<std::int64_t>(i + 1), static_cast<std::int64_t>(groups.size()));
        }
    });
}

bool FillSecurityObjectsTable(std::string& strError) {
    return core::RunStep({"Filling Old Security Objects Table...", ""}, strError, [&](Step& step) {
        db::Recordset& objects = step.OpenClient("select * from T_TRNK_OBJECT");
        for (std::int32_t id = 1; id <= kSecurityObjectCount; ++id) {
            objects.AddNew();
            ApplyDelimitedRow(ReservedObjectText(SecurityOwning(id), id), 4, objects);
            step.ShowProgress(id, kSecurityObjectCount);
        }
    });
}

bool FillAPIFunctionTable(std::string& strError) {
    return core::RunStep({"Filling Old API Function Table...", ""}, strError, [&](Step& step) {
        db::Recordset& functions = step.OpenClient("select * from T_TRNK_API_FUNCTION ");
        for (std::int32_t f = 1; f <= kApiFunctionCount; ++f) {
            bool found = false;
            if (functions.RecordCount() > 0) {
                functions.MoveFirst();
                functions.Find("FUNCTION_ID = " + std::to_string(f));
                found = !functions.Eof();
            }
            if (!found) {
                functions.AddNew();
                functions.Set("FUNCTION_ID", db::Value(f));
            }
            functions.Set("FUNCTION_VERSION", db::Value(1));
            functions.Update();
            step.ShowProgress(f, kApiFunctionCount);
        }
    });
}

bool FillProductSecurityObjects(Module product, std::string& strError) {
    const ProductSecurity& security = SecurityOf(product);
    return core::RunStep({security.fillText, ""}, strError, [&](Step& step) {
        for (std::int32_t id = security.blockFirst; id <= security.LastObject(); ++id) {
            auto row = core::OpenClientRecordset("select * from T_TRNK_OBJECT where OBJECT_ID = " +
                                                 std::to_string(id));
            if (row->Eof()) step.FailWithText("T_TRNK_OBJECT has no row OBJECT_ID = " + std::to_string(id));
            ApplyDelimitedRow(SecurityObjectText(security, id), 5, *row);
            core::CloseRecordset(row);
            step.ShowProgress(id - security.blockFirst + 1, security.objectCount);
        }
    });
}

bool InitProductAdminGroup(Module product, std::string& strError) {
    const ProductSecurity& security = SecurityOf(product);
    return core::RunStep({security.initText, ""}, strError, [&](Step& step) {
        Execute(step, "delete from T_TRNK_ACL  where SID = " + std::to_string(security.sid) +
                          " and OBJECT_ID >= " + std::to_string(security.blockFirst) +
                          " and OBJECT_ID <= " + std::to_string(security.blockLast));
        db::Recordset& acl = step.OpenClient("select * from T_TRNK_ACL where ACL_ID = 0");
        for (std::int32_t id = security.blockFirst; id <= security.LastObject(); ++id) {
            acl.AddNew();
            acl.Set("OBJECT_ID", db::Value(id));
            acl.Set("SID", db::Value(security.sid));
            acl.Set("PERMISSION", db::Value(7));
            acl.Set("PERMISSION_NAME", db::Value("Full Control"));
            acl.Update();
            step.ShowProgress(id - security.blockFirst + 1, security.objectCount);
        }
    });
}

bool FillCommonReferenceRows(std::string& strError) {
    return FillPTypeTable(FillMode::Create, strError) && FillSubtypeTable(FillMode::Create, strError) &&
           FillCommandTable(FillMode::Create, 0, true, strError) &&
           FillDowntimeTable(FillMode::Create, 0, strError) &&
           FillScrapCodeTable(FillMode::Create, 0, true, strError) &&
           FillStatusTable(FillMode::Create, strError) && FillUserTypeTable(strError) &&
           FillSIDTable(strError) && FillUserGroupTable(strError) && FillSecurityObjectsTable(strError) &&
           FillAPIFunctionTable(strError);
}

}  // namespace tmigration::legacy
