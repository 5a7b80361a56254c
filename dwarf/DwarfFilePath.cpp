#include "dwarf/DwarfFilePath.h"
#include <vector>

std::string normalisePath(const std::string& path)
{
    std::vector<std::string> kept;
    size_t ordinary = 0;     // kept segments that a ".." may remove
    bool changed = false;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('/', start);
        std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (segment.empty()) {
            if (start == 0 && slash == 0)
                kept.push_back(segment);   // the root of an absolute path
            else
                changed = true;
        } else if (segment == ".") {
            changed = true;
        } else if (segment == "..") {
            if (ordinary > 0) {
                kept.pop_back();
                --ordinary;
                changed = true;
            } else {
                kept.push_back(segment);
            }
        } else {
            kept.push_back(segment);
            ++ordinary;
        }
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    if (!changed)
        return path;
    std::string result;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            result += '/';
        result += kept[i];
    }
    return result;
}
