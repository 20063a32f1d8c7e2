# SQLite for the Windows flavour, from the amalgamation that scripts/setup made out of Debian's
# source package; built for size, without what the program never asks of it.
set(DAVRIN_SQLITE_DIR "${CMAKE_SOURCE_DIR}/build/deps/sqlite/current" CACHE PATH "SQLite amalgamation")
add_library(sqlite3 STATIC "${DAVRIN_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${DAVRIN_SQLITE_DIR}")
# Kept because the store uses them: ALTER TABLE ADD COLUMN, AUTOINCREMENT, CHECK constraints,
# partial indexes, subqueries, the pragma table functions (pragma_table_info) and so virtual
# tables, application_id/user_version, transactions and the rollback journal. Everything left out
# is something no statement of ours uses; the store's tests run on this build under Wine. The
# temp database stays: ALTER TABLE reads its schema and crashes without it. The flag pragmas stay
# too: the tests make writes fail with PRAGMA query_only.
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
    SQLITE_OMIT_UTF16
    SQLITE_OMIT_COMPLETE
    SQLITE_OMIT_GET_TABLE
    SQLITE_OMIT_TCL_VARIABLE
    SQLITE_OMIT_TRACE
    SQLITE_OMIT_INCRBLOB
    SQLITE_OMIT_COMPILEOPTION_DIAGS
    SQLITE_OMIT_INTROSPECTION_PRAGMAS
    SQLITE_OMIT_DESERIALIZE
    SQLITE_OMIT_AUTHORIZATION
    SQLITE_OMIT_DATETIME_FUNCS
    SQLITE_OMIT_LOCALTIME
    SQLITE_OMIT_EXPLAIN
    SQLITE_OMIT_INTEGRITY_CHECK
    SQLITE_OMIT_AUTOVACUUM
    SQLITE_OMIT_WAL
    SQLITE_OMIT_BLOB_LITERAL
    SQLITE_OMIT_HEX_INTEGER
    SQLITE_OMIT_CASE_SENSITIVE_LIKE_PRAGMA
    SQLITE_OMIT_FOREIGN_KEY
    SQLITE_OMIT_UPSERT
    SQLITE_OMIT_RETURNING
    SQLITE_OMIT_GENERATED_COLUMNS
    SQLITE_OMIT_AUTOMATIC_INDEX
    SQLITE_OMIT_XFER_OPT
    SQLITE_OMIT_POPEN
    SQLITE_UNTESTABLE)
# Views, triggers, ATTACH, VACUUM, ANALYZE, REINDEX, CTEs and window functions are unused too, but
# the amalgamation's ready-made parser needs them. No unwind tables: nothing throws through SQLite
# (the busy handler, its only callback, never throws).
target_compile_options(sqlite3 PRIVATE -w -Os -fno-asynchronous-unwind-tables -fno-unwind-tables)
add_library(SQLite::SQLite3 ALIAS sqlite3)
