/* The component's C interface, for hosts in other languages: create the migration class by its
   programmatic name "TMigration.CDatabaseMigrationObj", call one entry point by name with a
   connection string, read the result and the error text, destroy. Use an object on one thread. */
#ifndef TMIGRATION_TMIGRATION_H
#define TMIGRATION_TMIGRATION_H

#if defined(_WIN32)
#define TMIGRATION_API __declspec(dllexport)
#else
#define TMIGRATION_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define TMIGRATION_PROGID "TMigration.CDatabaseMigrationObj"

/* Results of tmigration_invoke. */
#define TMIGRATION_FALSE 0 /* the method returned false; tmigration_error_text holds why */
#define TMIGRATION_TRUE 1  /* the method returned true */
#define TMIGRATION_RAISED                                                       \
    -1 /* the call itself failed (unknown method, or an error was raised out of \
          the method); tmigration_raised_text describes it */

typedef struct tmigration_object tmigration_object;

/* A new object for a programmatic name (compared without regard to case); NULL for any other name.
   Creating it creates the calling thread's shared connection. */
TMIGRATION_API tmigration_object* tmigration_create(const char* prog_id);

/* Calls "MigrateAccess", "MigrateOracle" or "MigrateSQL" with the connection string. The error
   text starts as `error_in` (NULL: empty) and is changed only by a failing step, as the methods
   do with their in/out error argument. */
TMIGRATION_API int tmigration_invoke(tmigration_object* object, const char* method, const char* connection,
                                     const char* error_in);

/* Where the progress window is drawn (tmigration_set_progress_window). */
#define TMIGRATION_WINDOW_NONE 0    /* nowhere: the default */
#define TMIGRATION_WINDOW_DESKTOP 1 /* as a window on the desktop (GTK 3) */

/* Chooses where the calling thread's progress window is drawn from the next call on. The desktop
   display is opened at once: TMIGRATION_FALSE, with the reason in tmigration_error_text and the
   choice unchanged, when the library has no desktop window, no display can be opened or `where` is
   unknown. The window's events are processed on this thread at every progress update. */
TMIGRATION_API int tmigration_set_progress_window(tmigration_object* object, int where);

/* The error text after the last call, and the description of an error raised out of it ("" when
   none). Both stay valid until the next call on the object or its destruction. */
TMIGRATION_API const char* tmigration_error_text(const tmigration_object* object);
TMIGRATION_API const char* tmigration_raised_text(const tmigration_object* object);

/* Destroys the object: closes the thread's shared connection if it is open and releases it. */
TMIGRATION_API void tmigration_destroy(tmigration_object* object);

#ifdef __cplusplus
}
#endif

#endif /* TMIGRATION_TMIGRATION_H */
