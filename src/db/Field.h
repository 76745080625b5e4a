// Field: one column of the current row of a Recordset, read and written by value.
#pragma once

#include <string>

#include "db/Value.h"

namespace tmigration::db {

class Recordset;

class Field {
  public:
    const std::string& Name() const;
    int Type() const;  // ADO type code
    const Value& GetValue() const;
    // Writing a field of a stored row starts an edit; Update writes it to the database.
    void SetValue(Value v);

  private:
    friend class Recordset;
    Field(Recordset& rs, std::size_t index) : rs_(&rs), index_(index) {}
    Recordset* rs_;
    std::size_t index_;
};

}  // namespace tmigration::db
