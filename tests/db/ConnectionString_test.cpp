#include "db/ConnectionString.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tmigration::db {
namespace {

struct ValueCase {
    const char* text;
    const char* key;
    const char* value;  // null: the key is absent
};
std::ostream& operator<<(std::ostream& os, const ValueCase& c) {
    return os << c.key << " in " << c.text;
}

class ConnectionStringValues : public ::testing::TestWithParam<ValueCase> {};
TEST_P(ConnectionStringValues, ReadsTheValueTheEngineOpens) {
    const auto value = ConnectionStringValue(GetParam().text, GetParam().key);
    if (GetParam().value) {
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, GetParam().value);
    } else {
        EXPECT_FALSE(value.has_value()) << *value;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Blanks, ConnectionStringValues,
    ::testing::Values(ValueCase{"Provider=SQLite;Data Source=/x/p.db;", "Data Source", "/x/p.db"},
                      ValueCase{"Data Source= /x/p.db ;", "Data Source", "/x/p.db"},
                      ValueCase{"Data Source=\t/x/p.db", "Data Source", "/x/p.db"},
                      ValueCase{" Provider = SQLite ; Data Source = /x/a b.db ", "Data Source", "/x/a b.db"},
                      ValueCase{"Data Source=/x/p1.mdb ;Jet OLEDB:Engine Type=5", "Jet OLEDB:Engine Type",
                                "5"},
                      ValueCase{"Data Source=;Provider=SQLite", "Data Source", ""}));

INSTANTIATE_TEST_SUITE_P(
    Quotes, ConnectionStringValues,
    ::testing::Values(ValueCase{"Data Source=\"/x/a;b.db\";Provider=SQLite", "Data Source", "/x/a;b.db"},
                      ValueCase{"Data Source= ' /x/p.db ' ;", "Data Source", " /x/p.db "},
                      ValueCase{"Data Source=\"/x/say \"\"hi\"\".db\"", "Data Source", "/x/say \"hi\".db"},
                      ValueCase{"Data Source=\"/x/it's.db\";", "Data Source", "/x/it's.db"},
                      ValueCase{"Data Source=/x/it's.db;", "Data Source", "/x/it's.db"},
                      ValueCase{"Password=\"a=b;c\";Data Source=/x/p.db", "Data Source", "/x/p.db"}));

INSTANTIATE_TEST_SUITE_P(Keys, ConnectionStringValues,
                         ::testing::Values(ValueCase{"provider=sqlite;data source=/x/p.db", "Data Source",
                                                     "/x/p.db"},
                                           ValueCase{"DATA SOURCE=/x/p.db", "data source", "/x/p.db"},
                                           ValueCase{"Data Source=/x/first.db;Data Source=/x/second.db",
                                                     "Data Source", "/x/first.db"},
                                           ValueCase{"Extended Properties=Data Source=/y;Data Source=/x/p.db",
                                                     "Data Source", "/x/p.db"},
                                           ValueCase{"Provider=SQLite;", "Data Source", nullptr},
                                           ValueCase{"DataSource=/x/p.db", "Data Source", nullptr},
                                           ValueCase{"Data Source;Provider=SQLite", "Data Source", nullptr},
                                           ValueCase{"", "Provider", nullptr}));

}  // namespace
}  // namespace tmigration::db
