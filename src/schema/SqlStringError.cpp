#include "schema/SqlStringError.h"

namespace tmigration::schema {

std::string SqlStringError(int statementNumber, std::string_view message) {
    return "An error occurred on SQL String " + std::to_string(statementNumber) + ":\r\n" +
           std::string(message);
}

}  // namespace tmigration::schema
