#include "host/ComHost.h"

namespace quillet {

std::shared_ptr<HostApplication> MakeComHost(Trace&) {
    return nullptr;
}

} // namespace quillet
