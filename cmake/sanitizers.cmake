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
