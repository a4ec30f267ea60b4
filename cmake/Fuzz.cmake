# Fuzz targets build only in a clang tree configured with -DDVR_FUZZ=ON, where
# every library is instrumented. `cmake --build <tree> --target fuzzers` builds
# them; scripts/fuzz runs them for longer.
if(DVR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(fuzzers)
endif()

# dvr_add_fuzzer(name SOURCES a.cpp LIBS lib [SECONDS n] [SEEDS_FROM tool args...])
# A target keeps its inputs beside its sources: corpus/ holds small inputs
# that reach code the seeds do not, failures/ every input that ever made the
# target fail. Two tests: <name>-kept runs each kept input once, and each
# must pass; <name> fuzzes for SECONDS from a fixed seed, starting from the
# kept inputs and the seeds. SEEDS_FROM names a command that writes seed
# inputs into the folder given as its last argument.
function(dvr_add_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS;SEEDS_FROM" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 20)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers ${name})
  # The folders that hold inputs; a new input makes the tree configure again.
  set(kept)
  foreach(folder corpus failures)
    file(GLOB inputs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*)
    if(inputs)
      list(APPEND kept ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
    endif()
  endforeach()
  set(options -rss_limit_mb=4096 -timeout=10)
  add_test(NAME ${name}-kept COMMAND ${name} -runs=0 ${options} ${kept})
  set_tests_properties(${name}-kept PROPERTIES TIMEOUT 300 LABELS fuzz)

  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  if(F_SEEDS_FROM)
    list(GET F_SEEDS_FROM 0 seed_command)
    if(TARGET ${seed_command})
      add_dependencies(fuzzers ${seed_command})
    endif()
    add_test(NAME ${name}-seeds COMMAND ${F_SEEDS_FROM} ${corpus})
    set_tests_properties(${name}-seeds PROPERTIES FIXTURES_SETUP ${name}-corpus)
  endif()
  # New inputs go to the first folder only, in the build tree.
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${F_SECONDS} -seed=1 ${options}
                                ${corpus} ${kept})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED ${name}-corpus
                       LABELS fuzz)
endfunction()
