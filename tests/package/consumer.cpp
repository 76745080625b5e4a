// A host built against the installed package: the C++ class and the C interface both answer.
#include <tmigration/CDatabaseMigrationObj.h>
#include <tmigration/tmigration.h>

#include <cstdio>
#include <string>

int main() {
    tmigration::CDatabaseMigrationObj migration;
    std::string error;
    const bool ok = migration.MigrateSQL("Provider=Nowhere;", error);
    tmigration_object* object = tmigration_create(TMIGRATION_PROGID);
    const int result = tmigration_invoke(object, "MigrateOracle", "Provider=Nowhere;", nullptr);
    std::printf("%d|%s|%d|%s\n", ok, error.c_str(), result, tmigration_error_text(object));
    tmigration_destroy(object);
    return 0;
}
