# SQLite for the Windows flavour, from the amalgamation that scripts/setup made out of Debian's
# source package; built for size, without what the program never asks of it.
set(DAVRIN_SQLITE_DIR "${CMAKE_SOURCE_DIR}/build/deps/sqlite/current" CACHE PATH "SQLite amalgamation")
add_library(sqlite3 STATIC "${DAVRIN_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${DAVRIN_SQLITE_DIR}")
# Only options that take away whole interfaces the program never calls. Options that change what
# the SQL parser accepts (foreign keys, upsert, returning, temp databases, automatic indexes and the
# like) are left alone: the amalgamation's parser is generated with everything in, and leaving
# them out there broke ALTER TABLE ADD COLUMN, which brings an older file up to date, with a crash.
# The store's tests run on this build under Wine.
target_compile_definitions(sqlite3 PRIVATE
    SQLITE_THREADSAFE=1
    SQLITE_DQS=0
    SQLITE_DEFAULT_MEMSTATUS=0
    SQLITE_LIKE_DOESNT_MATCH_BLOBS
    SQLITE_MAX_EXPR_DEPTH=0
    SQLITE_OMIT_LOAD_EXTENSION
    SQLITE_OMIT_DEPRECATED
    SQLITE_OMIT_DECLTYPE
    SQLITE_OMIT_PROGRESS_CALLBACK
    SQLITE_OMIT_SHARED_CACHE
    SQLITE_OMIT_JSON
    SQLITE_OMIT_COMPLETE
    SQLITE_OMIT_GET_TABLE
    SQLITE_OMIT_TRACE
    SQLITE_OMIT_COMPILEOPTION_DIAGS
    SQLITE_OMIT_DESERIALIZE
    SQLITE_OMIT_POPEN
    SQLITE_UNTESTABLE)
# No unwind tables: nothing throws through SQLite
# (the busy handler, its only callback, never throws).
target_compile_options(sqlite3 PRIVATE -w -Os -fno-asynchronous-unwind-tables -fno-unwind-tables)
add_library(SQLite::SQLite3 ALIAS sqlite3)
