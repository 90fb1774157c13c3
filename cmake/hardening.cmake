# The protections Debian builds its packages with, for the Linux programs we ship. Not for
# sanitizer or fuzzer builds (they bring their own checks) nor for the Windows cross build.
if(NOT WIN32 AND NOT QUILLET_SANITIZE AND NOT QUILLET_BUILD_FUZZERS)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection
                        "$<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>")
    add_link_options(-pie -Wl,-z,relro -Wl,-z,now)
endif()
