#include "ui/uniqueID.h"

namespace uniqueID {

std::int32_t nextID = 10000;
std::vector<std::int32_t> stackPoint;

void init() {
    nextID = 10000;
}

std::int32_t getNew() {
    return nextID++;
}

void setStackPoint() {
    stackPoint.push_back(nextID);
}

void returnToStackPoint() {
    if (stackPoint.empty())
        return;
    nextID = stackPoint.back();
    stackPoint.pop_back();
}

} // namespace uniqueID
