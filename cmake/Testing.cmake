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

# dvr_add_comma_locale_run(suite host|program): one more CTest entry that runs
# the whole suite in one process under a German locale, whose decimal point is
# a comma. "host": the process keeps that locale throughout, as a host of a
# library may; "program": it gets the locale the program's display start sets
# (platform/base ProcessLocale.h). The locale comes from the Debian package
# locales-all (scripts/packages.txt).
function(dvr_add_comma_locale_run suite mode)
  if(mode STREQUAL "host")
    target_sources(${suite} PRIVATE ${CMAKE_SOURCE_DIR}/tests/locale/HostLocale.cpp)
  else()
    target_sources(${suite} PRIVATE ${CMAKE_SOURCE_DIR}/tests/locale/ProgramLocale.cpp)
  endif()
  add_test(NAME ${suite}_comma_locale COMMAND ${suite})
  set_tests_properties(${suite}_comma_locale PROPERTIES
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR} TIMEOUT 600 LABELS locale
    ENVIRONMENT "DVR_AUDIO=null;DVR_COMMA_LOCALE=1;LC_ALL=de_DE.UTF-8")
endfunction()
