#include "platform/TextCollation.h"

#include <sqlite3ext.h>

// The entry point the sqlite3 shell and database browsers look for in
// libwardix_sqlite.so: with it they can check, query and change the site
// databases, whose text columns all name our collation.
extern "C" __attribute__((visibility("default"))) int sqlite3_wardixsqlite_init(sqlite3* db, char**,
                                                                                  const sqlite3_api_routines* api)
{
    return RegisterTextCollation(db, api->create_collation);
}
