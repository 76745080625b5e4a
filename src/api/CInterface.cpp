// The C interface of include/tmigration/tmigration.h over CDatabaseMigrationObj.

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "tmigration/CDatabaseMigrationObj.h"
#include "tmigration/tmigration.h"
#include "util/Text.h"

struct tmigration_object {
    tmigration::CDatabaseMigrationObj object;
    std::string errorText;
    std::string raisedText;
};

namespace {

using EntryPoint = bool (tmigration::CDatabaseMigrationObj::*)(std::string, std::string&);

struct Method {
    std::string_view name;
    EntryPoint entry;
};

// In the order the methods stand in the class's interface.
constexpr Method kMethods[] = {
    {"MigrateAccess", &tmigration::CDatabaseMigrationObj::MigrateAccess},
    {"MigrateOracle", &tmigration::CDatabaseMigrationObj::MigrateOracle},
    {"MigrateSQL", &tmigration::CDatabaseMigrationObj::MigrateSQL},
};

}  // namespace

extern "C" {

tmigration_object* tmigration_create(const char* prog_id) {
    if (!prog_id || !tmigration::util::EqualsIgnoringCase(prog_id, TMIGRATION_PROGID)) return nullptr;
    try {
        return new tmigration_object();
    } catch (...) {
        return nullptr;
    }
}

int tmigration_invoke(tmigration_object* object, const char* method, const char* connection,
                      const char* error_in) {
    if (!object) return TMIGRATION_RAISED;
    object->raisedText.clear();
    object->errorText = error_in ? error_in : "";
    const std::string_view name = method ? method : "";
    const auto found = std::find_if(std::begin(kMethods), std::end(kMethods), [&](const Method& m) {
        return tmigration::util::EqualsIgnoringCase(m.name, name);
    });
    if (found == std::end(kMethods)) {
        object->raisedText = "Unknown method \"" + std::string(name) + "\"";
        return TMIGRATION_RAISED;
    }
    try {
        const bool ok = (object->object.*(found->entry))(connection ? connection : "", object->errorText);
        return ok ? TMIGRATION_TRUE : TMIGRATION_FALSE;
    } catch (const std::exception& e) {
        object->raisedText = e.what();
    } catch (...) {
        object->raisedText = "Unknown error";
    }
    return TMIGRATION_RAISED;
}

int tmigration_set_progress_window(tmigration_object* object, int where) {
    if (!object) return TMIGRATION_RAISED;
    object->raisedText.clear();
    object->errorText.clear();
    if (where != TMIGRATION_WINDOW_NONE && where != TMIGRATION_WINDOW_DESKTOP) {
        object->errorText = "Unknown progress window " + std::to_string(where);
        return TMIGRATION_FALSE;
    }
    const auto choice = where == TMIGRATION_WINDOW_DESKTOP ? tmigration::ProgressWindow::Desktop
                                                           : tmigration::ProgressWindow::Nowhere;
    try {
        return object->object.SetProgressWindow(choice, object->errorText) ? TMIGRATION_TRUE
                                                                           : TMIGRATION_FALSE;
    } catch (const std::exception& e) {
        object->raisedText = e.what();
    } catch (...) {
        object->raisedText = "Unknown error";
    }
    return TMIGRATION_RAISED;
}

const char* tmigration_error_text(const tmigration_object* object) {
    return object ? object->errorText.c_str() : "";
}

const char* tmigration_raised_text(const tmigration_object* object) {
    return object ? object->raisedText.c_str() : "";
}

void tmigration_destroy(tmigration_object* object) {
    delete object;
}

}  // extern "C"
