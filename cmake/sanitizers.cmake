# -DKELMOR_SANITIZE=ON builds the native program, libraries and tests with AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding ends the program with an error.
option(KELMOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KELMOR_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "KELMOR_SANITIZE is for the native build")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# -DKELMOR_FUZZ=ON (with KELMOR_SANITIZE) adds libFuzzer's coverage to every library, so that the
# fuzz targets are guided by the code they call, not only by their own file.
option(KELMOR_FUZZ "Instrument everything for the fuzz targets' coverage" OFF)
if(KELMOR_FUZZ)
  if(NOT KELMOR_SANITIZE)
    message(FATAL_ERROR "KELMOR_FUZZ goes with KELMOR_SANITIZE")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()
