#pragma once
// Normalises a path as the DWARF listings print it: "." segments and empty segments (but a
// leading "/") are dropped, and ".." removes the ordinary segment before it. A path in
// which nothing was dropped is returned exactly as it was.
#include <string>

std::string normalisePath(const std::string& path);
