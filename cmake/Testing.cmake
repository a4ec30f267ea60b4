# dvr_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l1] [TIMEOUT s])
# Builds one GoogleTest binary and registers its cases with CTest. Tests
# never use a sound card: the audio output plays into the paced null device
# unless a test picks another (platform/media WaveOut.h). The label `threads`
# marks a suite whose code runs threads: the target threaded_tests builds
# those suites, and the ThreadSanitizer tree runs them (`ctest -L threads`).
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)
add_custom_target(threaded_tests)

function(dvr_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "DVR_AUDIO=null" LABELS "${T_LABELS}"
    DISCOVERY_TIMEOUT 60)
  if("threads" IN_LIST T_LABELS)
    add_dependencies(threaded_tests ${name})
  endif()
endfunction()

find_package(Threads REQUIRED)
