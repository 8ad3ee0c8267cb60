#pragma once

struct sqlite3;

// The collation of every text column: case-insensitive, trailing blanks
// ignored, as the engine the databases were designed for compared texts.
// The program and the SQLite extension for outside tools both register it
// from here, so an index one of them builds is in the order the other reads.
inline constexpr const char* kTextCollation = "JETTEXT";

int CompareJetText(int length1, const void* text1, int length2, const void* text2);

// SQLite's sqlite3_create_collation, reached directly by the program and
// through the loader's table of routines by the extension.
using CreateCollationFunction = int (*)(sqlite3*, const char*, int, void*,
                                        int (*)(void*, int, const void*, int, const void*));
// Returns SQLite's result code.
int RegisterTextCollation(sqlite3* db, CreateCollationFunction create);
