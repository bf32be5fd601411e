# Warnings on and kept at zero; floating point exactly as written.
add_library(velunor_options INTERFACE)
target_compile_options(velunor_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wfloat-conversion
  -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
  -Wformat=2 -Wimplicit-fallthrough
  # Rounding is part of the behaviour: never fuse multiply-adds behind our back.
  -ffp-contract=off
  # Denormals stay denormals: no flush-to-zero anywhere, so the pass-through stays bit-exact.
  -fno-fast-math)
if(VELUNOR_WERROR)
  target_compile_options(velunor_options INTERFACE -Werror)
endif()
