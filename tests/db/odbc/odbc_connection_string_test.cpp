// Which strings reach ODBC and what they become there; which installed driver serves a server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "db/DbError.h"
#include "db/engines/odbc/OdbcConnectionString.h"

namespace tmigration::db::odbc {
namespace {

const std::vector<std::string> kInstalled{"SQLite3", "ODBC Driver 17 for SQL Server",
                                          "ODBC Driver 18 for SQL Server", "Oracle 21 ODBC driver"};

struct TranslationCase {
    const char* name;
    const char* given;
    const char* odbc;
};

class Translation : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(Translation, GivesTheOdbcString) {
    EXPECT_TRUE(IsOdbcConnectionString(GetParam().given));
    EXPECT_EQ(ToOdbcConnectionString(GetParam().given, [] { return kInstalled; }), GetParam().odbc);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Translation,
    ::testing::Values(
        TranslationCase{"OdbcDriverUnchanged", "Driver={ODBC Driver 18 for SQL Server};Server=s;UID=u;PWD=p;",
                        "Driver={ODBC Driver 18 for SQL Server};Server=s;UID=u;PWD=p;"},
        TranslationCase{"DsnUnchanged", "DSN=plant;UID=u;PWD=p", "DSN=plant;UID=u;PWD=p"},
        TranslationCase{"OdbcBridgeProviderUnchanged", "Provider=MSDASQL;DSN=plant;",
                        "Provider=MSDASQL;DSN=plant;"},
        TranslationCase{
            "SqlServerNewestDriver",
            "Provider=SQLOLEDB;Data Source=db1\\PLANT,1433;Initial Catalog=Shop;User ID=sa;Password=pw;",
            "Driver={ODBC Driver 18 for SQL Server};Server=db1\\PLANT,1433;Database=Shop;UID=sa;PWD=pw;"},
        TranslationCase{"SqlServerVersionedProvider", "Provider=SQLOLEDB.1;Server=h;User ID=sa;Password=",
                        "Driver={ODBC Driver 18 for SQL Server};Server=h;UID=sa;PWD=;"},
        TranslationCase{
            "SqlServerTrusted",
            "Provider=MSOLEDBSQL;Data Source=h;Initial Catalog=Shop;Integrated Security=SSPI;User ID=x;",
            "Driver={ODBC Driver 18 for SQL Server};Server=h;Database=Shop;Trusted_Connection=yes;"},
        TranslationCase{
            "SqlServerEncryption",
            "Provider=MSOLEDBSQL;Data Source=h;User ID=u;Password=p;Use Encryption for Data=True;Trust "
            "Server Certificate=False",
            "Driver={ODBC Driver 18 for SQL Server};Server=h;UID=u;PWD=p;Encrypt=yes;"
            "TrustServerCertificate=no;"},
        TranslationCase{"SqlServerOwnDriver",
                        "Provider=SQLOLEDB;Driver={FreeTDS};Data Source=h;User ID=u;Password=p",
                        "Driver={FreeTDS};Server=h;UID=u;PWD=p;"},
        TranslationCase{"QuotedPasswordKeepsItsSemicolon",
                        "Provider=SQLOLEDB;Data Source=h;User ID=u;Password=\"a;b}c\";",
                        "Driver={ODBC Driver 18 for SQL Server};Server=h;UID=u;PWD={a;b}}c};"},
        TranslationCase{"Oracle", "Provider=OraOLEDB.Oracle;Data Source=PLANT;User ID=shop;Password=pw;",
                        "Driver={Oracle 21 ODBC driver};DBQ=PLANT;UID=shop;PWD=pw;"},
        TranslationCase{"OracleEasyConnect",
                        "Provider=MSDAORA.1;Data Source=db1:1521/plant;User ID=shop;Password=pw",
                        "Driver={Oracle 21 ODBC driver};DBQ=db1:1521/plant;UID=shop;PWD=pw;"},
        TranslationCase{"OracleOperatingSystemLogin",
                        "Provider=OraOLEDB.Oracle;Data Source=PLANT;OSAuthent=1;",
                        "Driver={Oracle 21 ODBC driver};DBQ=PLANT;UID=/;PWD=;"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OdbcRoute, EmbeddedAndUnknownProvidersStayAway) {
    for (const char* s :
         {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;", "Provider=SQLite;Data Source=a.db",
          "Provider=MSDASQL;Data Source=x;", "Provider=Nowhere;Driver=x;", "Data Source=a.mdb"})
        EXPECT_FALSE(IsOdbcConnectionString(s)) << s;
}

struct MissingCase {
    const char* name;
    const char* given;
    std::vector<std::string> installed;
    const char* message;
};

class MissingPiece : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingPiece, IsNamed) {
    try {
        ToOdbcConnectionString(GetParam().given, [] { return GetParam().installed; });
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr(GetParam().message));
        EXPECT_THAT(e.what(), ::testing::Not(::testing::HasSubstr("s3cret")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Strings, MissingPiece,
    ::testing::Values(MissingCase{"SqlServerDriver",
                                  "Provider=SQLOLEDB;Data Source=h;User ID=u;Password=s3cret",
                                  {"SQLite3"},
                                  "No ODBC driver for SQL Server is installed"},
                      MissingCase{"OracleDriver",
                                  "Provider=OraOLEDB.Oracle;Data Source=h;User ID=u;Password=s3cret",
                                  {"ODBC Driver 18 for SQL Server"},
                                  "No ODBC driver for Oracle is installed"},
                      MissingCase{"Server",
                                  "Provider=SQLOLEDB;User ID=u;Password=s3cret",
                                  {"ODBC Driver 18 for SQL Server"},
                                  "names no SQL Server (Data Source=)"},
                      MissingCase{"OracleDatabase",
                                  "Provider=MSDAORA;User ID=u;Password=s3cret",
                                  {"Oracle 19"},
                                  "names no Oracle database (Data Source=)"},
                      MissingCase{"User",
                                  "Provider=SQLOLEDB;Data Source=h;Password=s3cret",
                                  {"ODBC Driver 18 for SQL Server"},
                                  "names no user (User ID=)"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DriverCase {
    const char* name;
    ServerKind kind;
    std::vector<std::string> installed;
    const char* chosen;
};

class DriverChoice : public ::testing::TestWithParam<DriverCase> {};

TEST_P(DriverChoice, PrefersTheServersOwnNewestDriver) {
    EXPECT_EQ(ChooseDriver(GetParam().kind, GetParam().installed), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DriverChoice,
    ::testing::Values(
        DriverCase{"NewestMakersDriver",
                   ServerKind::SqlServer,
                   {"FreeTDS", "ODBC Driver 18 for SQL Server", "ODBC Driver 17 for SQL Server"},
                   "ODBC Driver 18 for SQL Server"},
        DriverCase{"FreeTdsWhenAlone", ServerKind::SqlServer, {"SQLite3", "FreeTDS"}, "FreeTDS"},
        DriverCase{"OlderSqlServerName", ServerKind::SqlServer, {"FreeTDS", "SQL Server"}, "SQL Server"},
        DriverCase{"NoneForSqlServer", ServerKind::SqlServer, {"SQLite3", "Oracle 19 ODBC driver"}, ""},
        DriverCase{"NewestOracle",
                   ServerKind::Oracle,
                   {"Oracle 12c ODBC driver", "Oracle 21 ODBC driver", "SQLite3"},
                   "Oracle 21 ODBC driver"},
        DriverCase{"OracleInstantClient",
                   ServerKind::Oracle,
                   {"Oracle in instantclient_19_8"},
                   "Oracle in instantclient_19_8"},
        DriverCase{"NoneForOracle", ServerKind::Oracle, {"FreeTDS"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::db::odbc
