#pragma once
// Finds the debugging-information entry that defines a global variable or function, by
// the name of its symbol.
class DwarfDebugInfo;
class DwarfDebuggingInformationEntry;

// First through the units' named entries: a variable with a location or a function with
// a low address, either marked external. Then through the public names. Null when neither
// knows the name.
DwarfDebuggingInformationEntry* findGlobalEntry(DwarfDebugInfo& reader, const char* name);

// The second way: the first public name of exactly this text whose entry exists and is
// not a declaration.
DwarfDebuggingInformationEntry* findGlobalThroughPubnames(DwarfDebugInfo& reader, const char* name);
