# Refuses an include that points up the layers. Run by the build (target `layers`) over every
# source file under src/: a file in folder F may include only F itself and the folders that the
# table below lists for F. Usage: cmake -DSOURCE_DIR=... -DSTAMP=... -P CheckLayers.cmake
#
#   api         the public class and the C interface, what hosts see
#   driver      the phase sequence, connection steps, finalization
#   legacy      legacy table creators, catalogs, seeds, upgrades
#   mdc         machine-data calendar, replay and buffers
#   transfer    preparation, identifier map, the transfers
#   schema      new-schema statement lists, removal lists, schema step records
#   core        shared connection and window, row-set helpers, lookups, the step helper
#   ui, util    progress window model and renderers; VB conversions, text, dates
#   db          the data access layer and its engines
set(ALLOWED_api      tmigration driver legacy mdc transfer schema core ui util db)
set(ALLOWED_driver   legacy mdc transfer schema core ui util db)
set(ALLOWED_legacy   mdc transfer schema core ui util db)
set(ALLOWED_mdc      transfer schema core ui util db)
set(ALLOWED_transfer schema core ui util db)
set(ALLOWED_schema   core ui util db)
set(ALLOWED_core     ui util db)
set(ALLOWED_ui       util db)
set(ALLOWED_util     db)
set(ALLOWED_db       "")

# The text and rounding helpers stand on the standard library alone, so every layer, the data
# access layer included, may use them. A file listed here may include only other listed files.
set(BASE_FILES util/Text.h util/Text.cpp util/Rounding.h util/Rounding.cpp)

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h")
set(violations "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" layer "${source}")
  if(NOT DEFINED ALLOWED_${layer})
    string(APPEND violations "  src/${source}: folder '${layer}' has no place in the layers\n")
    continue()
  endif()
  list(FIND BASE_FILES "${source}" isBase)
  file(STRINGS "${SOURCE_DIR}/src/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" path "${line}")
    string(REGEX REPLACE "/.*" "" target "${path}")
    list(FIND BASE_FILES "${path}" includesBase)
    if(NOT isBase EQUAL -1)
      if(includesBase EQUAL -1)
        string(APPEND violations "  src/${source}: a base file may include only base files (${line})\n")
      endif()
      continue()
    endif()
    if(target STREQUAL layer OR NOT includesBase EQUAL -1)
      continue()
    endif()
    list(FIND ALLOWED_${layer} "${target}" found)
    if(found EQUAL -1)
      string(APPEND violations "  src/${source}: ${layer} may not include ${target} (${line})\n")
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes that point up the layers:\n${violations}")
endif()
file(TOUCH "${STAMP}")
