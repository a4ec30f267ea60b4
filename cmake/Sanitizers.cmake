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

# The sanitizers' run-time options, set for every test of an instrumented tree
# (the fuzz tree too) by a file CTest reads before it starts any: leak
# detection on, a report fails the test, and what belongs to system libraries
# is suppressed by tests/sanitizers/leaks.supp (leaks) and undefined.supp
# (undefined behaviour).
if(DVR_SANITIZE OR DVR_FUZZ)
  set(leak_suppressions ${CMAKE_SOURCE_DIR}/tests/sanitizers/leaks.supp)
  set(undefined_suppressions ${CMAKE_SOURCE_DIR}/tests/sanitizers/undefined.supp)
  file(WRITE ${CMAKE_BINARY_DIR}/SanitizerEnvironment.cmake
       "set(ENV{ASAN_OPTIONS} \"detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1\")\n"
       "set(ENV{LSAN_OPTIONS} \"suppressions=${leak_suppressions}:print_suppressions=0\")\n"
       "set(ENV{UBSAN_OPTIONS} \"print_stacktrace=1:halt_on_error=1:suppressions=${undefined_suppressions}\")\n"
       "set(ENV{TSAN_OPTIONS} \"halt_on_error=0:second_deadlock_stack=1\")\n")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
               ${CMAKE_BINARY_DIR}/SanitizerEnvironment.cmake)
endif()

# dvr_link_without_undefined(target): a shared library links with
# --no-undefined, so that a missing symbol fails the build rather than the
# first load. In a sanitizer tree clang links the sanitizer runtime into the
# executables only and a library's calls into it stay undefined until it is
# loaded, so there the check is left to the ordinary tree.
function(dvr_link_without_undefined target)
  if(DVR_SANITIZE STREQUAL "" AND NOT DVR_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
