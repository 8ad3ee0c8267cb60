#pragma once

#include <QByteArray>

// The byte scrambling of "Operators.ini". Every reader and writer of the file
// must use these two functions: the key is fixed, so files written by one
// program run are read by the next.
QByteArray ScrambleOperatorBytes(const QByteArray& plain);
QByteArray UnscrambleOperatorBytes(const QByteArray& scrambled);

// True when the bytes are the readable ini text (a line that opens an
// "[Operator" section), so a plain file is converted once and a scrambled one
// is never scrambled a second time.
bool IsPlainOperatorText(const QByteArray& bytes);
