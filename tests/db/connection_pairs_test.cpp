// Reading connection strings in both quoting styles, and keeping their passwords out of messages.
#include <gtest/gtest.h>

#include "db/ConnectionPairs.h"

namespace tmigration::db {
namespace {

struct PairCase {
    const char* text;
    const char* key;
    const char* value;
};

class PairValue : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairValue, IsReadWhole) {
    EXPECT_EQ(FindPair(ConnectionPairs(GetParam().text), GetParam().key),
              std::optional<std::string>(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Strings, PairValue,
                         ::testing::Values(PairCase{"Provider=SQLOLEDB;Data Source= h ;", "data source", "h"},
                                           PairCase{"Password=\"a;b\"\"c\";User ID=u", "Password", "a;b\"c"},
                                           PairCase{"Password='x;y';User ID=u", "User ID", "u"},
                                           PairCase{"PWD={p;w}}d};UID=u", "pwd", "p;w}d"},
                                           PairCase{"junk;UID=u;;", "UID", "u"},
                                           PairCase{"DSN=a=b", "DSN", "a=b"}, PairCase{"PWD=", "PWD", ""}));

TEST(PairValue, AbsentKeyIsNone) {
    EXPECT_FALSE(FindPair(ConnectionPairs("Driver=x;DSN=y"), "PWD").has_value());
}

struct SecretCase {
    const char* connection;
    const char* message;
    const char* shown;
};

class Secret : public ::testing::TestWithParam<SecretCase> {};

TEST_P(Secret, NeverShows) {
    EXPECT_EQ(HideSecrets(GetParam().message, GetParam().connection), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Secret,
    ::testing::Values(SecretCase{"Driver=x;UID=sa;PWD=Tiger42", "bad string Driver=x;UID=sa;PWD=Tiger42",
                                 "bad string Driver=x;UID=sa;PWD=********"},
                      SecretCase{"Provider=SQLOLEDB;Password=\"a;b\";User ID=sa", "login a;b failed",
                                 "login ******** failed"},
                      SecretCase{"Jet OLEDB:Database Password=Zq9;Data Source=f", "Zq9 Zq9",
                                 "******** ********"},
                      SecretCase{"PWD={p}}w}", "was p}w", "was ********"},
                      SecretCase{"Password=ab;PWD=abcd", "abcd ab", "******** ********"},
                      SecretCase{"UID=sa;PWD=", "Login failed for user 'sa'", "Login failed for user 'sa'"}));

}  // namespace
}  // namespace tmigration::db
