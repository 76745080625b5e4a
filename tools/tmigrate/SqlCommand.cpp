// tmigrate sql DIALECT CONNECTION [FILE]: runs statements one per line through the data access
// layer, in the connection's dialect, printing the rows of each query tab-separated. With
// --keep-going an error is printed in line with the rows ("error: message") and the next
// statement runs, so that a file of statements yields one transcript.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "Commands.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "util/Text.h"

namespace tmigrate {
namespace {

using namespace tmigration::db;

bool ReturnsRows(const std::string& statement) {
    return tmigration::util::StartsWithIgnoringCase(statement, "SELECT") ||
           tmigration::util::StartsWithIgnoringCase(statement, "WITH");
}

void PrintRows(Recordset& rs) {
    const std::size_t n = rs.FieldCount();
    for (std::size_t i = 0; i < n; ++i) std::cout << (i ? "\t" : "") << rs.Fields(i).Name();
    std::cout << '\n';
    for (; !rs.Eof(); rs.MoveNext()) {
        for (std::size_t i = 0; i < n; ++i) {
            const Value& v = rs.Fields(i).GetValue();
            std::cout << (i ? "\t" : "") << (v.IsNull() ? std::string("NULL") : v.AsText());
        }
        std::cout << '\n';
    }
}

int RunStatements(Dialect dialect, const std::string& connection, std::istream& in, bool keepGoing) {
    Connection conn;
    conn.SetDialect(dialect);
    std::string line;
    int lineNo = 0;
    try {
        conn.Open(connection);
    } catch (const DbError& e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string statement(tmigration::util::Trim(line));
        if (statement.empty() || statement.rfind("--", 0) == 0) continue;
        try {
            const std::string word = tmigration::util::ToUpper(statement);
            if (word == "BEGIN")
                conn.BeginTrans();
            else if (word == "COMMIT")
                conn.CommitTrans();
            else if (word == "ROLLBACK")
                conn.RollbackTrans();
            else if (ReturnsRows(statement)) {
                Recordset rs;
                rs.SetCursorLocation(adUseServer);
                rs.SetActiveConnection(&conn);
                rs.Open(statement);
                PrintRows(rs);
            } else {
                conn.Execute(statement);
            }
        } catch (const DbError& e) {
            if (keepGoing) {
                std::cout << "error: " << e.what() << '\n';
                continue;
            }
            std::cerr << "error: " << lineNo << ": " << e.what() << '\n';
            return 1;
        }
    }
    if (in.bad()) {
        std::cerr << "error: the statements could not be read after line " << lineNo << '\n';
        return 1;
    }
    // Closing would roll the open transaction back without a word: say so, and fail.
    if (conn.Session().InTransaction()) {
        conn.RollbackTrans();
        std::cerr << "error: the input ended inside a transaction (BEGIN without COMMIT); its work was "
                     "rolled back\n";
        return 1;
    }
    return 0;
}

}  // namespace

void AddSqlCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("sql", "Run SQL statements (one per line) in a dialect");
    static std::string dialectWord, connection, file;
    static bool keepGoing = false;
    cmd->add_option("DIALECT", dialectWord, "access, oracle or sql")
        ->required()
        ->check(CLI::IsMember({"access", "oracle", "sql"}));
    cmd->add_option("CONNECTION", connection, "connection string, e.g. Provider=SQLite;Data Source=plant.db;")
        ->required();
    cmd->add_option("FILE", file, "statements to run (standard input when absent)");
    cmd->add_flag("--keep-going", keepGoing,
                  "print an error in line with the rows and go on with the next statement");
    cmd->callback([] {
        Dialect dialect{};
        ParseDialectWord(dialectWord, dialect);
        if (file.empty()) {
            ExitCode() = RunStatements(dialect, connection, std::cin, keepGoing);
            return;
        }
        std::error_code ec;
        if (std::filesystem::is_directory(file, ec)) {
            std::cerr << "error: " << file << " is a folder, not a file of statements\n";
            ExitCode() = 1;
            return;
        }
        std::ifstream in(file);
        if (!in) {
            std::cerr << "error: cannot read " << file << '\n';
            ExitCode() = 1;
            return;
        }
        ExitCode() = RunStatements(dialect, connection, in, keepGoing);
    });
}

void AddCreateCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("create", "Create an empty embedded database file");
    static std::string path;
    cmd->add_option("PATH", path, "file to create")->required();
    cmd->callback([] {
        try {
            tmigration::db::embedded::CreateEmbeddedDatabase(path);
        } catch (const DbError& e) {
            std::cerr << "error: " << e.what() << '\n';
            ExitCode() = 1;
        }
    });
}

}  // namespace tmigrate
