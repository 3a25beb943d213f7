// `wxl session`: one command a line, each doing to the document what the
// matching user action in the program does, without painting.
#pragma once

#include <iosfwd>

class CClientDoc;

// Runs every line of in against doc. The program's messages and the state
// blocks go to out; only complaints about lines that are not commands go to err.
// Lines longer than 64 KiB are refused without being held in memory. The
// session ends early when writing to out has failed.
void RunSession(CClientDoc& doc, std::istream& in, std::ostream& out, std::ostream& err);
