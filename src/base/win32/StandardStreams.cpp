#include "base/StandardStreams.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>

namespace quillet {

void UseBinaryStandardStreams() {
    std::fflush(stdout);
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
}

} // namespace quillet
