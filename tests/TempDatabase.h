// A fresh embedded database file in a private temporary folder, removed with the object, and a
// connection to it in a chosen dialect.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "TempDir.h"
#include "db/Connection.h"
#include "db/engines/embedded/EmbeddedSession.h"

namespace tmigration::testing {

class TempDatabase {
  public:
    explicit TempDatabase(const std::string& name = "plant.mdb") : path_(dir_.File(name)) {
        db::embedded::CreateEmbeddedDatabase(path_);
    }
    const std::string& Path() const { return path_; }
    const std::filesystem::path& Dir() const { return dir_.Path(); }
    std::string ConnectionString() const {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_ + ";";
    }
    std::unique_ptr<db::Connection> Connect(db::Dialect dialect) const {
        auto c = std::make_unique<db::Connection>();
        c->SetDialect(dialect);
        c->Open(ConnectionString());
        return c;
    }

  private:
    TempDir dir_;
    std::string path_;
};

}  // namespace tmigration::testing
