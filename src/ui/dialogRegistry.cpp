#include "ui/dialogRegistry.h"

#include <map>

namespace dialogRegistry {

namespace {
std::map<int, opener>& openers() {
    static std::map<int, opener> table;
    return table;
}
} // namespace

void add(int templateId, opener open) {
    openers()[templateId] = std::move(open);
}

bool has(int templateId) {
    return openers().count(templateId) != 0;
}

int run(int templateId, QWidget* owner) {
    const auto it = openers().find(templateId);
    if (it == openers().end() || !it->second)
        return 0;
    return it->second(owner);
}

} // namespace dialogRegistry
