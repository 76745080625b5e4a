// tmigrate statements legacy MODULE DIALECT | schema DIALECT | removal DIALECT | prepare DIALECT:
// prints the statement lists the migration runs, one statement per line, in execution order. For
// the numbered lists line N holds statement N (an empty statement is an empty line).
#include <iostream>

#include "Commands.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "schema/RemovalStatements.h"
#include "schema/SchemaStatements.h"
#include "transfer/PrepareStatements.h"

namespace tmigrate {
namespace {

using tmigration::db::Dialect;

CLI::Option* AddDialect(CLI::App* cmd, std::string& word) {
    return cmd->add_option("DIALECT", word, "access, oracle or sql")
        ->required()
        ->check(CLI::IsMember({"access", "oracle", "sql"}));
}

Dialect ToDialect(const std::string& word) {
    Dialect d{};
    tmigration::db::ParseDialectWord(word, d);
    return d;
}

template <typename List>
void Print(const List& statements) {
    for (const auto& s : statements) std::cout << s << '\n';
}

}  // namespace

void AddStatementsCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("statements", "Print a statement list of the migration");
    cmd->require_subcommand(1);

    static std::string module, legacyDialect, schemaDialect, removalDialect, prepareDialect;
    auto* legacy = cmd->add_subcommand("legacy", "Statements that create a module's legacy tables");
    legacy->add_option("MODULE", module, "common, gage, mdc, tool or traveler")
        ->required()
        ->check(CLI::IsMember({"common", "gage", "mdc", "tool", "traveler"}));
    AddDialect(legacy, legacyDialect);
    legacy->callback([] {
        tmigration::legacy::Module m{};
        tmigration::legacy::ParseModuleWord(module, m);
        Print(tmigration::legacy::LegacyStatements(m, ToDialect(legacyDialect)));
    });

    auto* schema = cmd->add_subcommand("schema", "The new schema's statement list");
    AddDialect(schema, schemaDialect);
    schema->callback([] { Print(tmigration::schema::SchemaStatements(ToDialect(schemaDialect))); });

    auto* removal = cmd->add_subcommand("removal", "The statements that drop the legacy tables");
    AddDialect(removal, removalDialect);
    removal->callback([] { Print(tmigration::schema::RemovalStatements(ToDialect(removalDialect))); });

    auto* prepare = cmd->add_subcommand("prepare", "The statements that add SFC_ID to the legacy tables");
    AddDialect(prepare, prepareDialect);
    prepare->callback([] { Print(tmigration::transfer::PrepareStatements(ToDialect(prepareDialect))); });
}

}  // namespace tmigrate
