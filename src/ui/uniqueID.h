#pragma once

#include <cstdint>
#include <vector>

// Ids of controls made at run time. They start above every fixed command and template
// id; a dialog that makes controls saves the position when it opens and returns to it
// when it closes, so its ids are handed out again.
namespace uniqueID {

extern std::int32_t nextID;
extern std::vector<std::int32_t> stackPoint;

void init();
std::int32_t getNew();
void setStackPoint();
void returnToStackPoint();

} // namespace uniqueID
