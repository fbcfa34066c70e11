# Builds with AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   -DKELVANE_SANITIZE=ON  the program and its whole test suite (g++ or clang)
#   -DKELVANE_FUZZ=ON      the libFuzzer targets of tests/fuzz (clang only);
#                          every library is compiled ready to be linked into
#                          them. `ctest -L fuzz` runs each target for
#                          KELVANE_FUZZ_SECONDS from its corpus.
#
# Undefined behaviour stops the program at the first report, so that a test
# or a fuzz run fails on it instead of printing a line and going on. Qt and
# libjpeg themselves are not instrumented.
option(KELVANE_SANITIZE "Build everything with ASan and UBSan" OFF)
option(KELVANE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
set(KELVANE_FUZZ_SECONDS 45 CACHE STRING "Seconds each fuzz target runs under ctest -L fuzz")

set(kelvane_sanitizer_flags
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

if(KELVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KELVANE_FUZZ=ON needs clang: configure with "
                        "-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link ${kelvane_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
elseif(KELVANE_SANITIZE)
  add_compile_options(${kelvane_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
endif()
