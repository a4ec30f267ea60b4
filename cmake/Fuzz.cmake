# Fuzz targets build only in a clang tree configured with -DDVR_FUZZ=ON, where
# every library is instrumented. `cmake --build <tree> --target fuzzers` builds
# them and ctest runs each one briefly from a fixed seed.
if(DVR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(fuzzers)
endif()

# dvr_add_fuzzer(name SOURCES a.cpp LIBS lib [SECONDS n] [SEEDS_FROM tool args...])
# SEEDS_FROM names a command that writes seed inputs into the folder given as
# its last argument before the fuzzer starts.
function(dvr_add_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS;SEEDS_FROM" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 20)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers ${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  if(F_SEEDS_FROM)
    list(GET F_SEEDS_FROM 0 seed_command)
    if(TARGET ${seed_command})
      add_dependencies(fuzzers ${seed_command})
    endif()
    add_test(NAME ${name}-seeds COMMAND ${F_SEEDS_FROM} ${corpus})
    set_tests_properties(${name}-seeds PROPERTIES FIXTURES_SETUP ${name}-corpus)
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   $<TARGET_FILE:${name}> -max_total_time=${F_SECONDS} -seed=1
                   -rss_limit_mb=4096 -timeout=10 ${corpus})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED ${name}-corpus
                       LABELS fuzz)
  file(MAKE_DIRECTORY ${corpus})
endfunction()
