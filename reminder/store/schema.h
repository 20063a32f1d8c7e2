// Inside the store: the tables of a new reminder database, and the check of an existing one.
#pragma once

#include "reminder/store/database.h"

namespace davrin::store {

// Creates the four tables, their indexes and the thoughts for the day in one transaction.
void createSchema(const Connection& conn);
// True when the database holds no tables at all (a new or empty file).
bool isEmptyDatabase(const Connection& conn);
// Throws StoreError (NotADatabase) unless the four reminder tables and the columns that cannot
// be made up are there; adds the missing columns that have a default, all or none.
void checkSchema(const Connection& conn);

} // namespace davrin::store
