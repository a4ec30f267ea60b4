# dvr_add_subfolders(): adds every direct subfolder that has a CMakeLists.txt,
# so that a part joins its deliverable by existing.
function(dvr_add_subfolders)
  file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT entries)
  foreach(entry IN LISTS entries)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
