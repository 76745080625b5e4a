#include <dlfcn.h>
#include <gtest/gtest.h>

#include "SharedDatabase.h"
#include "tmigration/tmigration.h"

namespace tmigration {
namespace {

// A database holding every module's legacy tables, so that a migration runs to its end.
void PrepareLegacyDatabase(testing::SharedDatabase& database) {
    database.OpenShared(db::Dialect::Access);
    database.CreateInstalledLegacyDatabase(db::Dialect::Access);
    core::gConnectionSlot().reset();
}

class CInterface : public testing::SharedStateTest {};

TEST_F(CInterface, CreatesTheClassByItsProgrammaticNameOnly) {
    tmigration_object* object = tmigration_create("TMigration.CDatabaseMigrationObj");
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(core::gConnectionSlot());
    tmigration_destroy(object);
    EXPECT_FALSE(core::gConnectionSlot());

    object = tmigration_create("tmigration.cdatabasemigrationobj");
    EXPECT_NE(object, nullptr);
    tmigration_destroy(object);
    EXPECT_EQ(tmigration_create("TMigration.Other"), nullptr);
    EXPECT_EQ(tmigration_create(nullptr), nullptr);
}

TEST_F(CInterface, ResultAndErrorTextOfEachOutcome) {
    testing::SharedDatabase database;
    PrepareLegacyDatabase(database);
    tmigration_object* object = tmigration_create(TMIGRATION_PROGID);
    ASSERT_NE(object, nullptr);

    EXPECT_EQ(tmigration_invoke(object, "MigrateSQL", "Provider=Nothing;Data Source=x;", "as passed"),
              TMIGRATION_FALSE);
    EXPECT_STRNE(tmigration_error_text(object), "as passed");
    EXPECT_STREQ(tmigration_raised_text(object), "");

    EXPECT_EQ(tmigration_invoke(object, "Transmogrify", "", nullptr), TMIGRATION_RAISED);
    EXPECT_STRNE(tmigration_raised_text(object), "");

    const std::string unterminated = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.Path();
    EXPECT_EQ(tmigration_invoke(object, "MigrateAccess", unterminated.c_str(), "as passed"),
              TMIGRATION_RAISED);
    EXPECT_STREQ(tmigration_error_text(object), "as passed");
    EXPECT_NE(std::string(tmigration_raised_text(object)).find("Invalid argument"), std::string::npos);

    tmigration_destroy(object);
}

TEST_F(CInterface, SuccessLeavesTheErrorTextAsPassed) {
    testing::SharedDatabase database;
    PrepareLegacyDatabase(database);
    tmigration_object* object = tmigration_create(TMIGRATION_PROGID);
    EXPECT_EQ(tmigration_invoke(object, "MigrateAccess", database.ConnectionString().c_str(), "as passed"),
              TMIGRATION_TRUE);
    EXPECT_STREQ(tmigration_error_text(object), "as passed");
    tmigration_destroy(object);
}

// Without a display the desktop window cannot be chosen: the choice fails at once with the reason.
TEST_F(CInterface, ProgressWindowChoiceFailsAtOnceWithoutADisplay) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    tmigration_object* object = tmigration_create(TMIGRATION_PROGID);
    EXPECT_EQ(tmigration_set_progress_window(object, TMIGRATION_WINDOW_NONE), TMIGRATION_TRUE);
    EXPECT_EQ(tmigration_set_progress_window(object, 7), TMIGRATION_FALSE);
    EXPECT_STREQ(tmigration_error_text(object), "Unknown progress window 7");
    EXPECT_EQ(tmigration_set_progress_window(object, TMIGRATION_WINDOW_DESKTOP), TMIGRATION_FALSE);
    const std::string why = tmigration_error_text(object);
    EXPECT_TRUE(why.find("DISPLAY is not set") != std::string::npos ||
                why.find("without GTK 3") != std::string::npos)
        << why;
    tmigration_destroy(object);
}

// Loads the shared library a host would load, when the build names it.
TEST(CInterfaceLibrary, CanBeLoadedAndCalledByName) {
#ifndef TMIGRATION_SHARED_LIBRARY_PATH
    GTEST_SKIP() << "no shared library in this build";
#else
    void* library = dlopen(TMIGRATION_SHARED_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto create = reinterpret_cast<tmigration_object* (*)(const char*)>(dlsym(library, "tmigration_create"));
    auto invoke = reinterpret_cast<int (*)(tmigration_object*, const char*, const char*, const char*)>(
        dlsym(library, "tmigration_invoke"));
    auto errorText =
        reinterpret_cast<const char* (*)(const tmigration_object*)>(dlsym(library, "tmigration_error_text"));
    auto destroy = reinterpret_cast<void (*)(tmigration_object*)>(dlsym(library, "tmigration_destroy"));
    ASSERT_TRUE(create && invoke && errorText && destroy);

    tmigration_object* object = create(TMIGRATION_PROGID);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(invoke(object, "MigrateOracle", "Provider=Nothing;Data Source=x;", ""), TMIGRATION_FALSE);
    EXPECT_STRNE(errorText(object), "");
    destroy(object);
    dlclose(library);
#endif
}

}  // namespace
}  // namespace tmigration
