// DbError: the one exception type of the data access layer. Its what() is the provider-style
// description that a migration step copies unchanged into its error text.
#pragma once

#include <stdexcept>
#include <string>

namespace tmigration::db {

class DbError : public std::runtime_error {
  public:
    explicit DbError(const std::string& description) : std::runtime_error(description) {}
    const char* Description() const noexcept { return what(); }
};

}  // namespace tmigration::db
