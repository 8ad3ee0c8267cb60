#pragma once

struct sqlite3;

// The collation of every text column: case-insensitive, trailing blanks
// ignored, as the engine the databases were designed for compared texts.
inline constexpr const char* kTextCollation = "JETTEXT";

int CompareJetText(int length1, const void* text1, int length2, const void* text2);
void RegisterTextCollation(sqlite3* db);
