#pragma once

#include <cstdint>

class Samba;

// The EFC and EEFC flash controllers share their status-register bits: ready in bit 0,
// lock error in bit 2. Polls the status register of each plane (`fsrPlane1` only with
// two planes) every 100 us, at most 500 times, until every plane is ready. Throws
// FlashLockError on a lock error of either plane, FlashCmdError when never ready.
void waitPlanesReady(Samba& samba, std::uint32_t fsrPlane0, std::uint32_t fsrPlane1, int planes);
