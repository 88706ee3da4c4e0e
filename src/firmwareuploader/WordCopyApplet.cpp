#include "firmwareuploader/WordCopyApplet.h"

#include "firmwareuploader/Samba.h"

WordCopyApplet::WordCopyApplet(Samba& samba, std::uint32_t user)
    : Applet(samba, user, applet.code, sizeof(applet.code), user + applet.start,
             user + applet.stack, user + applet.reset) {}

void WordCopyApplet::setDstAddr(std::uint32_t value) {
    samba.writeWord(codeAddr + applet.dstAddr, value);
}

void WordCopyApplet::setSrcAddr(std::uint32_t value) {
    samba.writeWord(codeAddr + applet.srcAddr, value);
}

void WordCopyApplet::setWords(std::uint32_t value) {
    samba.writeWord(codeAddr + applet.words, value);
}
