# dvr_add_platform_library(name a.cpp b.cpp ...)
# The platform layers are shared libraries with every symbol visible: the
# program, libTrevane.so and libOskulo.so must see one window system, one
# handle table and one clock, so a window handle the program passes to the
# player names the same window inside it.
function(dvr_add_platform_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET default
                                           VISIBILITY_INLINES_HIDDEN OFF)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()
