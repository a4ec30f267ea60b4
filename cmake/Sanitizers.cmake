# DVR_SANITIZE builds a whole tree instrumented: "address" (AddressSanitizer
# with UndefinedBehaviorSanitizer and leak detection, no recovery) or "thread"
# (ThreadSanitizer). A sanitizer report ends the process with a failure, so a
# report is a failing test.
set(DVR_SANITIZE "" CACHE STRING "Sanitizer tree: address, thread or empty")
if(DVR_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(DVR_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT DVR_SANITIZE STREQUAL "")
  message(FATAL_ERROR "DVR_SANITIZE must be address, thread or empty")
endif()
