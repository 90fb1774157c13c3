#include "app/posix/LineErrorCount.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace quillet {

std::optional<long long> LineErrorCount(int descriptor) {
    serial_icounter_struct counts{};
    if (descriptor < 0 || ::ioctl(descriptor, TIOCGICOUNT, &counts) != 0) {
        return std::nullopt;
    }
    return static_cast<long long>(counts.frame) + counts.overrun + counts.parity +
           counts.buf_overrun;
}

} // namespace quillet
