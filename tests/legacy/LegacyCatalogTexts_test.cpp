// Statement texts of sample legacy tables, one parameterised suite per statement kind, each expected
// text written out in full so that blanks, brackets and dialect types are checked to the character.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "legacy/catalog/LegacyCatalogs.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

struct TextCase {
    const char* label;
    Module module;
    std::int16_t table;
    Dialect dialect;
    std::vector<std::string> expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.label;
}

std::string CaseName(const testing::TestParamInfo<TextCase>& info) {
    return info.param.label;
}

class CatalogTexts : public testing::TestWithParam<TextCase> {
  protected:
    void Check(StatementKind kind) const {
        const TextCase& c = GetParam();
        std::vector<std::string> commands(2 * 69 + 1, "stale");
        const std::int32_t last =
            GetLegacyCatalog(c.module, c.dialect).GetCreateCommand(kind, c.table, commands);
        const std::vector<std::string> written(commands.begin(), commands.begin() + last + 1);
        EXPECT_EQ(written, c.expected);
        EXPECT_EQ(commands[static_cast<std::size_t>(last) + 1], "stale");
    }
};

class TableTexts : public CatalogTexts {};
class IndexTexts : public CatalogTexts {};
class ForeignKeyTexts : public CatalogTexts {};
class SequenceTexts : public CatalogTexts {};
class TriggerTexts : public CatalogTexts {};

TEST_P(TableTexts, MatchCatalog) {
    Check(StatementKind::Table);
}
TEST_P(IndexTexts, MatchCatalog) {
    Check(StatementKind::Index);
}
TEST_P(ForeignKeyTexts, MatchCatalog) {
    Check(StatementKind::Constraint);
}
TEST_P(SequenceTexts, MatchCatalog) {
    Check(StatementKind::Sequence);
}
TEST_P(TriggerTexts, MatchCatalog) {
    Check(StatementKind::Trigger);
}

// Expected texts are split at blanks; keep one case per block.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Legacy, TableTexts, testing::Values(
    TextCase{"PtypeAccess", Module::Common, 1, Dialect::Access, {
        "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID COUNTER NOT NULL PRIMARY KEY, PTYPE_NAME VARCHAR(30) NOT "
        "NULL, PTYPE_NUMBER VARCHAR(30), DETAILS MEMO)"}},
    TextCase{"PtypeOracle", Module::Common, 1, Dialect::Oracle, {
        "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID NUMBER(10,0) NOT NULL, PTYPE_NAME VARCHAR2(30) NOT NULL, "
        "PTYPE_NUMBER VARCHAR2(30), DETAILS LONG)"}},
    TextCase{"PtypeSql", Module::Common, 1, Dialect::SqlServer, {
        "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID INTEGER IDENTITY(1,1) PRIMARY KEY, PTYPE_NAME VARCHAR(30) "
        "NOT NULL, PTYPE_NUMBER VARCHAR(30), DETAILS TEXT)"}},
    TextCase{"StatusSql", Module::Common, 4, Dialect::SqlServer, {
        "CREATE TABLE T_TRNK_STATUS (STATUS_ID INTEGER IDENTITY(1,1) PRIMARY KEY, STATUS_NAME "
        "VARCHAR(30), STATUS_NUMBER VARCHAR(30), PTYPE_ID INTEGER, DETAILS TEXT, INTERNALFLAG INTEGER)"}},
    TextCase{"PersSql", Module::Common, 6, Dialect::SqlServer, {
        "CREATE TABLE T_TRNK_PERS (PERSONNEL_ID INTEGER IDENTITY(1,1) PRIMARY KEY, LAST_NAME VARCHAR(40) "
        "NOT NULL, FIRST_NAME VARCHAR(40), PERSONNEL_NUMBER VARCHAR(40) NOT NULL, [PASSWORD] "
        "VARCHAR(40), SHIFT_ID INTEGER, DEPT_ID INTEGER, SID INTEGER NOT NULL, JOBTITLE_ID INTEGER, "
        "LOCATION_ID INTEGER, STATUS_ID INTEGER, NOTES TEXT, EMAIL VARCHAR(80))"}},
    TextCase{"IntervalOracle", Module::Common, 40, Dialect::Oracle, {
        "CREATE TABLE T_TRNK_INTERVAL (INTERVAL_ID NUMBER(10,0) NOT NULL, INTERVAL_NAME VARCHAR(30), "
        "START_TIME DATE NOT NULL, DURATION NUMBER(10,2) NOT NULL, STOP_TIME DATE NOT NULL, IS_SWING "
        "VARCHAR2(1) NOT NULL)"}},
    TextCase{"DowntimeOracle", Module::Common, 50, Dialect::Oracle, {
        "CREATE TABLE T_TRNK_DOWNTIME (DOWNTIME_ID NUMBER(10,0) NOT NULL, DOWNTIME_NAME VARCHAR2(30) NOT "
        "NULL, DOWNTIME_NUMBER VARCHAR2(30), PLANNED VARCHAR2(1), PTYPE_ID NUMBER(10,0), NOTES LONG)"}},
    TextCase{"DowntimeSql", Module::Common, 50, Dialect::SqlServer, {
        "CREATE TABLE T_TRNK_DOWNTIME (DOWNTIME_ID INTEGER IDENTITY(1,1) PRIMARY KEY, DOWNTIME_NAME "
        "VARCHAR(40) NOT NULL, DOWNTIME_NUMBER VARCHAR(30), PLANNED VARCHAR(1), PTYPE_ID INTEGER, NOTES "
        "TEXT)"}},
    TextCase{"CalSetAccess", Module::Gage, 11, Dialect::Access, {
        "CREATE TABLE T_TRNK_CAL_SET (CAL_SET_ID COUNTER NOT NULL PRIMARY KEY, CALHIST_ID INTEGER NOT "
        "NULL, DIM_NAME VARCHAR(30), UNITS VARCHAR(30), [PRECISION] INTEGER, TARGET_DIM DOUBLE, "
        "UPPER_TOL DOUBLE, LOWER_TOL DOUBLE, DETAILS MEMO, ORDINAL INTEGER, IS_REQUIRED VARCHAR(3))"}},
    TextCase{"CalSetOracle", Module::Gage, 11, Dialect::Oracle, {
        "CREATE TABLE T_TRNK_CAL_SET (CAL_SET_ID NUMBER(10,0) NOT NULL, CALHIST_ID NUMBER(10,0) NOT "
        "NULL, DIM_NAME VARCHAR2(30), UNITS VARCHAR2(30), PRECISION NUMBER(2,0), TARGET_DIM "
        "NUMBER(10,6), UPPER_TOL NUMBER(10,6), LOWER_TOL NUMBER(10,6), DETAILS LONG, ORDINAL "
        "NUMBER(10,0), IS_REQUIRED VARCHAR2(3))"}},
    TextCase{"FpsAccess", Module::Traveler, 8, Dialect::Access, {
        "CREATE TABLE T_TRNK_FPS (FPS_ID COUNTER NOT NULL PRIMARY KEY, PERSONNEL_ID INTEGER NOT NULL, "
        "OPSPERTRAV_ID INTEGER NOT NULL, SIGNOFF_DATE DATE NOT NULL, DESCRIPTION MEMO)"}},
    TextCase{"FpsSql", Module::Traveler, 8, Dialect::SqlServer, {
        "CREATE TABLE T_TRNK_FPS (FPS_ID INTEGER IDENTITY(1,1) PRIMARY KEY, PERSONNEL_ID INTEGER NOT "
        "NULL, OPSPERTRAV_ID INTEGER NOT NULL, SIGNOFF_DATE DATETIME NOT NULL, DESCRIPTION TEXT)"}},
    TextCase{"ToolInitOracle", Module::Tool, 2, Dialect::Oracle, {
        "CREATE TABLE T_TRNK_TOOLINIT (TOOLINIT_ID NUMBER(10,0) NOT NULL, TOOLSUBTYPE_ID NUMBER(10,0), "
        "TOOL_NO_ID NUMBER(10,0), SERIAL_NO VARCHAR2(40), DESCRIPTION VARCHAR2(256), MIN_DIM "
        "NUMBER(10,4), MAX_DIM NUMBER(10,4), M_E_ID NUMBER(10,0) NOT NULL, DATE_RECV DATE, P_O_NUMBER "
        "VARCHAR2(30) NOT NULL, VENDOR_ID NUMBER(10,0) NOT NULL, LOT_QTY NUMBER(10,0) NOT NULL, "
        "INSPECT_QTY NUMBER(10,0), ACCEPTED_QTY NUMBER(10,0) NOT NULL, REJECTED_QTY NUMBER(10,0), "
        "INSP_ID NUMBER(10,0) NOT NULL, DETAILS LONG, CANCEL_QTY NUMBER(10,0), DATE_EXPECTED DATE)"}},
    TextCase{"DtBufferSql", Module::MDC, 2, Dialect::SqlServer, {
        "CREATE TABLE T_TRNK_DT_SH_BUFFER (DT_SH_BUFFER_ID INTEGER IDENTITY(1,1) PRIMARY KEY, "
        "SH_BUFFER_ID INTEGER NOT NULL, DT_NUMBER VARCHAR(40), DURATION NUMERIC(10,4), SUBTYPE_ID "
        "INTEGER NOT NULL, START_TIME DATETIME, STOP_TIME DATETIME)"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(Legacy, IndexTexts, testing::Values(
    TextCase{"SubtypeAccess", Module::Common, 2, Dialect::Access, {
        "CREATE UNIQUE INDEX K_TRNK_SUBTYPE ON T_TRNK_SUBTYPE (SUBTYPE_ID )",
        "CREATE UNIQUE INDEX K_TRNK_NAMEPTYPE ON T_TRNK_SUBTYPE (SUBTYPE_NAME, PTYPE_ID, TARGET_ID)",
        "CREATE INDEX K_TRNK_PARENTTYPE ON T_TRNK_SUBTYPE (PTYPE_ID)"}},
    TextCase{"SubtypeOracle", Module::Common, 2, Dialect::Oracle, {
        "CREATE UNIQUE INDEX K_TRNK_SUBTYPE ON T_TRNK_SUBTYPE (SUBTYPE_ID )",
        "ALTER TABLE T_TRNK_SUBTYPE ADD ( CONSTRAINT K_TRNK_SUBTYPE PRIMARY KEY (SUBTYPE_ID))",
        "CREATE UNIQUE INDEX K_TRNK_NAMEPTYPE ON T_TRNK_SUBTYPE (SUBTYPE_NAME, PTYPE_ID, TARGET_ID)",
        "CREATE INDEX K_TRNK_PARENTTYPE ON T_TRNK_SUBTYPE (PTYPE_ID)"}},
    TextCase{"GroupsOracle", Module::Common, 15, Dialect::Oracle, {
        "CREATE UNIQUE INDEX K_TRNK_GROUP ON T_TRNK_GROUPS (GROUP_ID )",
        "ALTER TABLE T_TRNK_GROUPS ADD ( CONSTRAINT K_TRNK_GROUP PRIMARY KEY (GROUP_ID))"}},
    TextCase{"ShiftLocationSql", Module::Common, 43, Dialect::SqlServer, {
        "CREATE UNIQUE INDEX K_TRNK_SHIFT_LOCATION ON T_TRNK_SHIFT_LOCATION (SHIFT_LOCATION_ID )",
        "CREATE INDEX K_TRNK_SL_LOC ON T_TRNK_SHIFT_LOCATION (LOCATION_ID)"}},
    TextCase{"ShiftGroupOracle", Module::Common, 44, Dialect::Oracle, {
        "CREATE UNIQUE INDEX K_TRNK_SHIFT_GROUP ON T_TRNK_SHIFT_GROUP (SHIFT_GROUP_ID )",
        "ALTER TABLE T_TRNK_SHIFT_GROUP ADD ( CONSTRAINT K_TRNK_SHIFT_GROUP PRIMARY KEY (SHIFT_GROUP_ID))",
        "CREATE INDEX K_TRNK_SG_GROUP ON T_TRNK_SHIFT_GROUP (GROUP_ID)"}},
    TextCase{"ShiftMachineAccess", Module::Common, 45, Dialect::Access, {
        "CREATE UNIQUE INDEX K_TRNK_SHIFT_MACHINE ON T_TRNK_SHIFT_MACHINE (SHIFT_MACHINE_ID )",
        "CREATE INDEX K_TRNK_SM_MACH ON T_TRNK_SHIFT_MACHINE (MACHINE_ID)"}},
    TextCase{"ToolsSql", Module::Tool, 1, Dialect::SqlServer, {
        "CREATE UNIQUE INDEX K_TRNK_TOOLS2 ON T_TRNK_TOOLS (TOOL_ID )",
        "CREATE UNIQUE INDEX K_TRNK_TOOL_SERIAL2 ON T_TRNK_TOOLS (TOOL_NO_ID, SERIAL_NO)"}},
    TextCase{"ScrapBufferOracle", Module::MDC, 3, Dialect::Oracle, {
        "CREATE UNIQUE INDEX K_TRNK_SCRAP_CODE_SH_BUFFER ON T_TRNK_SCRAP_CODE_SH_BUFFER "
        "(SCRAP_CODE_SH_BUFFER_ID )",
        "ALTER TABLE T_TRNK_SCRAP_CODE_SH_BUFFER ADD ( CONSTRAINT K_TRNK_SCRAP_CODE_SH_BUFFER PRIMARY "
        "KEY (SCRAP_CODE_SH_BUFFER_ID))",
        "CREATE INDEX K_TRNK_SCRAP_CODE_SH_BUFFER_SH ON T_TRNK_SCRAP_CODE_SH_BUFFER (SH_BUFFER_ID )"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(Legacy, ForeignKeyTexts, testing::Values(
    TextCase{"PtypeAccess", Module::Common, 1, Dialect::Access, {
        ""}},
    TextCase{"SubtypeAccess", Module::Common, 2, Dialect::Access, {
        "ALTER TABLE T_TRNK_SUBTYPE ADD CONSTRAINT FK_SUB_PTYPE FOREIGN KEY (PTYPE_ID) REFERENCES "
        "T_TRNK_PTYPE "}},
    TextCase{"User2Sql", Module::Common, 18, Dialect::SqlServer, {
        "ALTER TABLE T_TRNK_USER2 ADD CONSTRAINT FK_USER2_GROUPS FOREIGN KEY (GROUP_ID) REFERENCES "
        "T_TRNK_GROUPS ",
        "ALTER TABLE T_TRNK_USER2 ADD CONSTRAINT FK_USER2_DEPT FOREIGN KEY (DEPT_ID) REFERENCES "
        "T_TRNK_DEPT ",
        "ALTER TABLE T_TRNK_USER2 ADD CONSTRAINT FK_USER2_LOCATION FOREIGN KEY (LOCATION_ID) REFERENCES "
        "T_TRNK_LOCATION "}},
    TextCase{"User2Oracle", Module::Common, 18, Dialect::Oracle, {
        ""}},
    TextCase{"User1Oracle", Module::Common, 17, Dialect::Oracle, {
        "ALTER TABLE T_TRNK_USER1 ADD ( CONSTRAINT FK_USER1_GROUPS FOREIGN KEY (GROUP_ID) REFERENCES "
        "T_TRNK_GROUPS) ",
        "ALTER TABLE T_TRNK_USER1 ADD ( CONSTRAINT FK_USER1_DEPT FOREIGN KEY (DEPT_ID) REFERENCES "
        "T_TRNK_DEPT) ",
        "ALTER TABLE T_TRNK_USER1 ADD ( CONSTRAINT FK_USER1_LOCATION FOREIGN KEY (LOCATION_ID) "
        "REFERENCES T_TRNK_LOCATION) "}},
    TextCase{"CustTravOracle", Module::Traveler, 9, Dialect::Oracle, {
        "ALTER TABLE T_TRNK_CUST_TRAV ADD ( CONSTRAINT FK_CT_CUST FOREIGN KEY (CUSTOMER_ID) REFERENCES "
        "T_TRNK_CUSTOMER) ",
        "ALTER TABLE T_TRNK_CUST_TRAV ADD ( CONSTRAINT FK_CT_TRAV FOREIGN KEY (TRAVELER_ID) REFERENCES "
        "T_TRNK_TRAVELER) "}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(Legacy, SequenceTexts, testing::Values(
    TextCase{"PtypeOracle", Module::Common, 1, Dialect::Oracle, {
        "CREATE SEQUENCE S_TRNK_PTYPE INCREMENT BY 1 START WITH 1"}},
    TextCase{"CommandsOracle", Module::Common, 14, Dialect::Oracle, {
        "CREATE SEQUENCE S_TRNK_COMMANDS MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 NOCYCLE"}},
    TextCase{"DowntimeShOracle", Module::Common, 62, Dialect::Oracle, {
        "CREATE SEQUENCE S_TRNK_DOWNTIME_SH MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 NOCYCLE"}},
    TextCase{"OpsPerGaugeOracle", Module::Gage, 5, Dialect::Oracle, {
        "CREATE SEQUENCE S_TRNK_OPS_PER_GAUGE INCREMENT BY 1 START WITH 1"}},
    TextCase{"GauPartrefOracle", Module::Gage, 8, Dialect::Oracle, {
        "CREATE SEQUENCE S_TRNK_GAU_PARTREF MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 NOCYCLE"}},
    TextCase{"ToolsOracle", Module::Tool, 1, Dialect::Oracle, {
        "CREATE SEQUENCE S_TRNK_TOOLS INCREMENT BY 1 START WITH 1"}},
    TextCase{"PtypeAccess", Module::Common, 1, Dialect::Access, {
        ""}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(Legacy, TriggerTexts, testing::Values(
    TextCase{"PtypeOracle", Module::Common, 1, Dialect::Oracle, {
        "CREATE TRIGGER TR_TRNK_PTYPE BEFORE INSERT OR UPDATE ON T_TRNK_PTYPE FOR EACH ROW BEGIN   IF "
        "INSERTING THEN     SELECT S_TRNK_PTYPE.NEXTVAL INTO :NEW.PTYPE_ID FROM DUAL;   ELSE     "
        ":NEW.PTYPE_ID := :OLD.PTYPE_ID;   END IF; END;"}},
    TextCase{"GaugesOracle", Module::Gage, 1, Dialect::Oracle, {
        "CREATE TRIGGER TR_TRNK_GAUGES2 BEFORE INSERT OR UPDATE ON T_TRNK_GAUGES FOR EACH ROW BEGIN   IF "
        "INSERTING THEN     SELECT S_TRNK_GAUGES.NEXTVAL INTO :NEW.GAUGE_ID FROM DUAL;   ELSE     "
        ":NEW.GAUGE_ID := :OLD.GAUGE_ID;   END IF; END;"}},
    TextCase{"DowntimeShOracle", Module::Common, 62, Dialect::Oracle, {
        "CREATE OR REPLACE TRIGGER TR_TRNK_DOWNTIME_SH BEFORE INSERT OR UPDATE ON "
        "T_TRNK_DOWNTIME_SHIFT_HISTORY FOR EACH ROW BEGIN   IF INSERTING THEN     SELECT "
        "S_TRNK_DOWNTIME_SH.NEXTVAL INTO :NEW.DOWNTIME_SHIFT_HISTORY_ID FROM DUAL;   ELSE     "
        ":NEW.DOWNTIME_SHIFT_HISTORY_ID := :OLD.DOWNTIME_SHIFT_HISTORY_ID;   END IF; END;"}},
    TextCase{"PersOracle", Module::Common, 6, Dialect::Oracle, {
        "CREATE TRIGGER TR_TRNK_PERS BEFORE INSERT OR UPDATE ON T_TRNK_PERS FOR EACH ROW BEGIN   IF "
        "INSERTING THEN     SELECT S_TRNK_PERS.NEXTVAL INTO :NEW.PERSONNEL_ID FROM DUAL;   ELSE     "
        ":NEW.PERSONNEL_ID := :OLD.PERSONNEL_ID;   END IF; END;"}},
    TextCase{"ShBufferOracle", Module::MDC, 1, Dialect::Oracle, {
        "CREATE OR REPLACE TRIGGER TR_TRNK_SH_BUFFER BEFORE INSERT OR UPDATE ON T_TRNK_SH_BUFFER FOR "
        "EACH ROW BEGIN   IF INSERTING THEN     SELECT S_TRNK_SH_BUFFER.NEXTVAL INTO :NEW.SH_BUFFER_ID "
        "FROM DUAL;   ELSE     :NEW.SH_BUFFER_ID := :OLD.SH_BUFFER_ID;   END IF; END;"}},
    TextCase{"PtypeSql", Module::Common, 1, Dialect::SqlServer, {
        ""}}),
    CaseName);
// clang-format on

}  // namespace
}  // namespace tmigration::legacy
