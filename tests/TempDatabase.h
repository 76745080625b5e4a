// A fresh embedded database file in a private temporary folder, removed with the object, and a
// connection to it in a chosen dialect.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "db/Connection.h"
#include "db/engines/embedded/EmbeddedSession.h"

namespace tmigration::testing {

class TempDatabase {
  public:
    explicit TempDatabase(const std::string& name = "plant.mdb") {
        char pattern[] = "/tmp/tmigration-XXXXXX";
        dir_ = mkdtemp(pattern);
        path_ = (dir_ / name).string();
        db::embedded::CreateEmbeddedDatabase(path_);
    }
    ~TempDatabase() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& Path() const { return path_; }
    const std::filesystem::path& Dir() const { return dir_; }
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
    std::filesystem::path dir_;
    std::string path_;
};

}  // namespace tmigration::testing
