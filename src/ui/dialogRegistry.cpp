#include "ui/dialogRegistry.h"

#include <QDialog>
#include <map>

namespace dialogRegistry {

namespace {
std::map<int, opener>& openers() {
    static std::map<int, opener> table;
    return table;
}
std::map<int, preview>& previewTable() {
    static std::map<int, preview> table;
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

void addPreview(int templateId, const char* name, previewer make) {
    previewTable()[templateId] = preview{templateId, name, std::move(make)};
}

std::vector<preview> previews() {
    std::vector<preview> all;
    for (const auto& [id, p] : previewTable())
        all.push_back(p);
    return all;
}

} // namespace dialogRegistry
