// The error text of the statement-list steps (new schema build and legacy removal): the
// failing statement's number, a colon, a line break and the database's own message.
#pragma once

#include <string>
#include <string_view>

namespace tmigration::schema {

// "An error occurred on SQL String 57:\r\n" + message.
std::string SqlStringError(int statementNumber, std::string_view message);

}  // namespace tmigration::schema
