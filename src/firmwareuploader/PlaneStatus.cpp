#include "firmwareuploader/PlaneStatus.h"

#include "firmwareuploader/FlashErrors.h"
#include "firmwareuploader/Samba.h"

#include <chrono>
#include <thread>

namespace {

constexpr std::uint32_t fsrReady = 1u << 0;
constexpr std::uint32_t fsrLockError = 1u << 2;
constexpr int readyPolls = 500;

} // namespace

void waitPlanesReady(Samba& samba, std::uint32_t fsrPlane0, std::uint32_t fsrPlane1, int planes) {
    for (int poll = 0; poll < readyPolls; ++poll) {
        bool ready = true;
        for (int plane = 0; plane < planes; ++plane) {
            const std::uint32_t status = samba.readWord(plane == 0 ? fsrPlane0 : fsrPlane1);
            if (status & fsrLockError)
                throw FlashLockError();
            ready = ready && (status & fsrReady);
        }
        if (ready)
            return;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    throw FlashCmdError();
}
