# Every build option of the project, in one place.
option(QUILLET_WERROR "Treat compiler warnings as errors" OFF)
option(QUILLET_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUILLET_BUILD_GUI "Build the Qt desktop program and its tests" ON)
option(QUILLET_BUILD_TESTS "Build the tests" ON)
option(QUILLET_BUILD_CORE_TESTS "Build the core's tests (with QUILLET_BUILD_TESTS)" ON)
option(QUILLET_BUILD_FUZZERS "Build libFuzzer targets (needs clang)" OFF)
