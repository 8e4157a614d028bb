// "Serial.ini" as a hand edit may leave it: any bytes load, and the settings
// taken are always ones the port can use.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "link/receiver_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brondavel::link;
    // A file in memory: nothing is left behind in /tmp.
    const int fd = ::memfd_create("serial-ini", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (size > 0 && ::write(fd, data, size) != static_cast<ssize_t>(size)) {
        ::close(fd);
        return 0;
    }
    ReceiverLink link(nullptr);
    link.LoadSettings("/proc/self/fd/" + std::to_string(fd));
    ::close(fd);
    const LineSettings& s = link.Port().Settings();
    const int id = link.Port().PortNumber();
    if (id < 1 || id > 9 || !IsSupportedBaudRate(s.baud_rate) || s.byte_size < 5 ||
        s.byte_size > 8 || s.stop_bits > 2 || s.parity > 4)
        __builtin_trap();
    AssignPortDevice(id, "");
    return 0;
}
